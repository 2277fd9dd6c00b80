// Arms "Log Off" in a running OKU for the next minute and opens the modal "Network Info" over
// it, then leaves: the calling script checks that OKU ends when the minute's tick comes.
#include <cstdio>

#include "app/frmOKUIds.h"
#include "driver/Driver.h"

using namespace driver;

int main() {
  Program none;
  DWORD pid = 0;
  HWND window = nullptr;
  // OKU was started by the script; find it by its caption among all processes.
  WaitUntil([&] {
    window = FindWindowA(nullptr, "Okumatic");
    return window != nullptr && IsWindowVisible(window);
  }, Ms(60000));
  if (!window) return std::puts("no Okumatic window"), 2;
  GetWindowThreadProcessId(window, &pid);

  // Arm for the next minute and open the modal window before it comes, so that the tick finds
  // a modal window open.
  SYSTEMTIME now;
  GetLocalTime(&now);
  if (now.wSecond >= 40) {
    Sleep((61 - now.wSecond) * 1000);
    GetLocalTime(&now);
  }
  const int next = (now.wHour * 60 + now.wMinute + 1) % 1440;
  char time[8];
  std::snprintf(time, sizeof time, "%02d:%02d", next / 60, next % 60);

  Click(Control(window, IDO_OKU_EXIT_OPTION0 + 4));
  if (!WaitUntil([&] { return IsChecked(Control(window, IDO_OKU_EXIT_OPTION0 + 4)); }, Ms(10000)))
    return std::puts("Log Off not chosen"), 3;
  SetText(Control(window, IDE_OKU_SHUTDOWN_TIME), time);
  Click(Control(window, IDB_OKU_ACTIVATE));
  if (!WaitUntil([&] { return IsEnabled(Control(window, IDB_OKU_DEACTIVATE)); }, Ms(10000)))
    return std::puts("not armed"), 4;
  Click(Control(window, IDB_OKU_NETINFO));
  if (!WaitTopWindow(pid, "Network Info", Ms(60000))) return std::puts("Network Info did not open"), 5;
  std::printf("armed Log Off at %s with Network Info open\n", time);
  return 0;
}
