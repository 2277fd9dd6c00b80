// CenterForm under Wine: a minimised owner is centred on by its restored place, and the window
// stays inside the work area.
#include <gtest/gtest.h>
#include <windows.h>

#include "shell/misc.h"

namespace {
HWND MakeWindow(int x, int y, int width, int height, DWORD style, HWND owner = nullptr) {
  return CreateWindowExA(0, "STATIC", "test", style, x, y, width, height, owner, nullptr, nullptr, nullptr);
}
}  // namespace

TEST(ShellWindowChores, CenterFormUsesTheRestoredPlaceOfAMinimisedOwner) {
  HWND owner = MakeWindow(200, 150, 400, 300, WS_OVERLAPPEDWINDOW);
  ShowWindow(owner, SW_SHOWMINNOACTIVE);
  ASSERT_TRUE(IsIconic(owner));
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
  ASSERT_TRUE(monitor.rcWork.left == 0 && monitor.rcWork.top == 0) << "the work area does not start at the corner";
  // Centred on 200..600 x 150..450; too wide to start left of the screen; larger than the screen.
  for (const auto& [width, height, x, y] : {std::tuple{200, 100, 300, 250}, {1000, 100, 0, 250}, {4000, 3000, 0, 0}}) {
    HWND window = MakeWindow(10, 10, width, height, WS_POPUP | WS_CAPTION, owner);
    CenterForm(owner, window);
    RECT placed{};
    GetWindowRect(window, &placed);
    DestroyWindow(window);
    EXPECT_EQ(std::pair(placed.left, placed.top), std::pair(long{x}, long{y})) << width;
  }
  DestroyWindow(owner);
}
