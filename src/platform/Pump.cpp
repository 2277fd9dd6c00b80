// Pending-message handling for long handlers.
#include "platform/Pump.h"

#include <windows.h>

#include "platform/App.h"

void DoEvents() {
  // The guard is held here, not left to each caller: no handler runs inside another.
  ui::BusyScope busy;
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the main loop
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}
