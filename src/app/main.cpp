// OKU's entry point: the main window owns the run.
#include <windows.h>
#include <commctrl.h>

#include "app/TestHooks.h"
#include "app/frmOKU.h"
#include "platform/App.h"
#include "platform/ComPtr.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  hooks::Install();
  // Form_Initialize: the common controls (visual styles need them) before the window loads.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  // Shell objects (links, the folder picker) need a single-threaded apartment on this thread.
  win::ComApartment com;

  frmOKU main;
  ui::SetMainForm(&main);
  if (!main.Create(nullptr)) return 1;
  if (main.endProgram) return 0;  // Windows Sockets is unusable; the message was shown
  main.Show();
  return ui::RunMessageLoop();
}
