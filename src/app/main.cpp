// OKU's entry point: the main window owns the run.
#include <windows.h>

#include "platform/TestHooks.h"
#include "app/frmOKU.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  hooks::Install();
  frmOKU main;
  return RunMainWindow(main);
}
