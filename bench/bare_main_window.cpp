// The main window with all its controls but without its load sequence. Beside OKU.exe and the
// empty window it splits OKU's start-up into the cost of creating the controls and the cost of
// the load sequence.
#include <windows.h>
#include <commctrl.h>

#include "app/frmOKU.h"
#include "platform/App.h"
#include "platform/ComPtr.h"

namespace {

class BareMainWindow final : public frmOKU {
  void Form_Load() override {}
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  win::ComApartment com;
  BareMainWindow window;
  ui::SetMainForm(&window);
  if (!window.Create(nullptr)) return 1;
  window.Show();
  return ui::RunMessageLoop();
}
