// OKU's entry point.
#include <windows.h>

#include "app/WinVer.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const WindowsVersion version = GetWindowsVersion();
  MessageBoxA(nullptr, version.DisplayText().c_str(), "Okumatic", MB_OK);
  return 0;
}
