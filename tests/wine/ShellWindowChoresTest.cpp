// The window chores under Wine: centring on a minimised owner, inner sizes in twips, and
// selecting a text box's whole text.
#include <gtest/gtest.h>
#include <windows.h>

#include "shell/WindowGeometry.h"
#include "shell/misc.h"

namespace {

// A top-level window of a plain class, destroyed at the end of the test.
struct TestWindow {
  TestWindow(int x, int y, int width, int height, DWORD style = WS_OVERLAPPEDWINDOW, HWND owner = nullptr) {
    static const ATOM plainClass = [] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = DefWindowProcA;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.lpszClassName = "OkuShellTestWindow";
      return RegisterClassA(&wc);
    }();
    hwnd = CreateWindowExA(0, MAKEINTATOM(plainClass), "test", style, x, y, width, height, owner, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  ~TestWindow() { DestroyWindow(hwnd); }
  HWND hwnd;
};

}  // namespace

TEST(ShellWindowChores, CenterFormUsesTheRestoredPlaceOfAMinimisedOwner) {
  TestWindow owner(200, 150, 400, 300);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(owner.hwnd, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  ASSERT_TRUE(work.left == 0 && work.top == 0) << "this desktop's work area does not start at its corner";
  struct Case {
    int width, height;
    POINT expected;
  };
  const Case cases[] = {
      {200, 100, {300, 250}},  // centred on 200..600 x 150..450
      {1000, 100, {0, 250}},   // would start left of the screen: kept inside
      {4000, 3000, {0, 0}},    // larger than the screen: at its corner
  };
  for (const Case& c : cases) {
    TestWindow window(10, 10, c.width, c.height, WS_POPUP | WS_CAPTION, owner.hwnd);
    ShowWindow(owner.hwnd, SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(IsIconic(owner.hwnd));
    CenterForm(owner.hwnd, window.hwnd);
    RECT placed{};
    GetWindowRect(window.hwnd, &placed);
    EXPECT_EQ(placed.left, c.expected.x) << c.width;
    EXPECT_EQ(placed.top, c.expected.y) << c.width;
  }
}

TEST(ShellWindowChores, SetClientSizeGivesTheInnerAreaInTwips) {
  HDC screen = GetDC(nullptr);
  const int dpiX = GetDeviceCaps(screen, LOGPIXELSX), dpiY = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  struct Case {
    DWORD style;
    long width, height;
  };
  const Case cases[] = {{WS_OVERLAPPEDWINDOW, 4800, 3600},
                        {WS_POPUP | WS_CAPTION | WS_SYSMENU, 6000, 1500},
                        {WS_POPUP | WS_BORDER, 7515, 2265}};  // not whole pixels at 96 DPI
  for (const Case& c : cases) {
    TestWindow window(50, 50, 123, 77, c.style);
    SetClientSize(window.hwnd, c.width, c.height);
    RECT inner{};
    GetClientRect(window.hwnd, &inner);
    EXPECT_EQ(inner.right, TwipsToPixels(c.width, dpiX)) << c.width;
    EXPECT_EQ(inner.bottom, TwipsToPixels(c.height, dpiY)) << c.height;
    if (dpiX == 96 && c.width == 4800) {
      EXPECT_EQ(inner.right, 320);
    }
  }
}

TEST(ShellWindowChores, SelectAllTextMakesTypingReplaceTheText) {
  TestWindow parent(50, 50, 300, 200);
  HWND edit = CreateWindowExA(0, "EDIT", "hello world", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 200, 24,
                              parent.hwnd, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(edit, nullptr);
  SendMessageA(edit, EM_SETSEL, 3, 3);
  SelectAllText(edit);
  SendMessageA(edit, WM_CHAR, 'x', 0);
  char text[32] = {};
  GetWindowTextA(edit, text, sizeof text);
  EXPECT_STREQ(text, "x");
}
