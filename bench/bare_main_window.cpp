// The main window with all its controls but without its load sequence. Beside OKU.exe and the
// empty window it splits OKU's start-up into the cost of creating the controls and the cost of
// the load sequence.
#include <windows.h>

#include "app/frmOKU.h"

namespace {

class BareMainWindow final : public frmOKU {
  void Form_Load() override {}
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  BareMainWindow window;
  return RunMainWindow(window);
}
