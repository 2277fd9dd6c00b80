// The window chores under Wine: centring on an owner (also a minimised one), inner sizes in
// twips, and selecting a text box's whole text.
#include <gtest/gtest.h>
#include <windows.h>

#include "shell/WindowGeometry.h"
#include "shell/misc.h"

namespace {

LRESULT CALLBACK PlainProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }

const char* PlainClass() {
  static const char* name = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "OkuShellTestWindow";
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClassA(&wc);
    return "OkuShellTestWindow";
  }();
  return name;
}

// A top-level window that is destroyed at the end of the test.
class TestWindow {
 public:
  TestWindow(int x, int y, int width, int height, HWND owner = nullptr, DWORD style = WS_OVERLAPPEDWINDOW) {
    hwnd_ = CreateWindowExA(0, PlainClass(), "test", style, x, y, width, height, owner, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  ~TestWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
  }
  HWND Get() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
};

RECT WindowRect(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return r;
}

RECT WorkAreaOf(HWND w) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoA(MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST), &info);
  return info.rcWork;
}

}  // namespace

TEST(ShellWindowChores, CenterFormCentersOnTheOwnerAndStaysOnItsWorkArea) {
  struct Case {
    RECT owner;  // left, top, right, bottom
    int width, height;
    POINT expected;
  };
  const Case cases[] = {
      {{200, 150, 600, 450}, 200, 100, {300, 250}},
      {{300, 300, 500, 400}, 400, 300, {200, 200}},  // larger than the owner: up and to the left
      {{0, 0, 200, 100}, 400, 300, {0, 0}},          // would leave the screen: kept on it
  };
  for (const Case& c : cases) {
    TestWindow owner(c.owner.left, c.owner.top, c.owner.right - c.owner.left, c.owner.bottom - c.owner.top);
    TestWindow window(700, 500, c.width, c.height, owner.Get());
    ASSERT_TRUE(owner.Get() && window.Get());
    ShowWindow(owner.Get(), SW_SHOWNOACTIVATE);
    CenterForm(owner.Get(), window.Get());
    const RECT placed = WindowRect(window.Get());
    EXPECT_EQ(placed.left, c.expected.x) << c.width;
    EXPECT_EQ(placed.top, c.expected.y) << c.width;
    EXPECT_EQ(placed.right - placed.left, c.width);  // only moved, never sized
  }
}

TEST(ShellWindowChores, CenterFormUsesTheRestoredPlaceOfAMinimisedOwner) {
  TestWindow owner(200, 150, 400, 300);
  TestWindow window(10, 10, 200, 100, owner.Get());
  ASSERT_TRUE(owner.Get() && window.Get());
  ShowWindow(owner.Get(), SW_SHOWMINNOACTIVE);
  ASSERT_TRUE(IsIconic(owner.Get()));

  CenterForm(owner.Get(), window.Get());

  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  ASSERT_TRUE(GetWindowPlacement(owner.Get(), &placement));
  const RECT work = WorkAreaOf(owner.Get());
  const RECT restored = placement.rcNormalPosition;  // workspace coordinates
  const RECT placed = WindowRect(window.Get());
  EXPECT_EQ(placed.left, work.left + restored.left + (restored.right - restored.left - 200) / 2);
  EXPECT_EQ(placed.top, work.top + restored.top + (restored.bottom - restored.top - 100) / 2);
  EXPECT_GE(placed.left, work.left);
  EXPECT_GE(placed.top, work.top);
  EXPECT_LE(placed.right, work.right);
  EXPECT_LE(placed.bottom, work.bottom);
}

TEST(ShellWindowChores, SetClientSizeGivesTheInnerAreaInTwips) {
  HDC screen = GetDC(nullptr);
  const int dpiX = GetDeviceCaps(screen, LOGPIXELSX), dpiY = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  struct Case {
    DWORD style;
    long width, height;
  };
  const Case cases[] = {
      {WS_OVERLAPPEDWINDOW, 4800, 3600},
      {WS_POPUP | WS_CAPTION | WS_SYSMENU, 6000, 1500},
      {WS_POPUP | WS_BORDER, 1500, 1500},
      {WS_OVERLAPPEDWINDOW, 7515, 2265},  // not whole pixels at 96 DPI
  };
  for (const Case& c : cases) {
    TestWindow window(50, 50, 123, 77, nullptr, c.style);
    ASSERT_TRUE(window.Get());
    SetClientSize(window.Get(), c.width, c.height);
    RECT inner{};
    GetClientRect(window.Get(), &inner);
    EXPECT_EQ(inner.right, TwipsToPixels(c.width, dpiX)) << c.width;
    EXPECT_EQ(inner.bottom, TwipsToPixels(c.height, dpiY)) << c.height;
  }
  if (dpiX == 96) {
    TestWindow window(50, 50, 123, 77);
    SetClientSize(window.Get(), 4800, 3600);
    RECT inner{};
    GetClientRect(window.Get(), &inner);
    EXPECT_EQ(inner.right, 320);
    EXPECT_EQ(inner.bottom, 240);
  }
}

TEST(ShellWindowChores, SelectAllTextMakesTypingReplaceTheText) {
  TestWindow parent(50, 50, 300, 200);
  HWND edit = CreateWindowExA(0, "EDIT", "hello world", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 200, 24,
                              parent.Get(), nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(edit, nullptr);
  SendMessageA(edit, EM_SETSEL, 3, 3);
  SelectAllText(edit);
  DWORD start = 99, end = 99;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 11u);
  SendMessageA(edit, WM_CHAR, 'x', 0);
  char text[32] = {};
  GetWindowTextA(edit, text, sizeof text);
  EXPECT_STREQ(text, "x");
}
