// The notification-area icon of the real main window, in-process, against Wine's desktop shell.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "app/SysTray.h"
#include "app/frmOKU.h"
#include "platform/App.h"
#include "platform/ComPtr.h"
#include "platform/MessageBox.h"

namespace {

// Handles the thread's messages until `done` holds or `ms` pass.
bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
  for (const DWORD start = GetTickCount();;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return done();
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (done()) return true;
    if (GetTickCount() - start >= ms) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}
void Pump(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

NOTIFYICONDATAA OurIcon(HWND window) {
  NOTIFYICONDATAA d{};
  d.cbSize = NOTIFYICONDATAA_V1_SIZE;
  d.hWnd = window;
  d.uID = kTrayIconId;
  d.uFlags = NIF_TIP;
  GetWindowTextA(window, d.szTip, 64);
  return d;
}

// The icon as the shell knows it: modifying succeeds only for an icon that exists.
bool ShellHasIcon(HWND window) {
  NOTIFYICONDATAA d = OurIcon(window);
  return Shell_NotifyIconA(NIM_MODIFY, &d) != FALSE;
}

// Ends a menu that a failing test left open, so the run cannot stay in the menu's loop.
void CALLBACK EndMenuGuard(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  EndMenu();
}

class SysTrayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetMessageBoxHook([](const std::string&, const std::string&, unsigned) { return kAnswerOk; });
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    ui::SetMainForm(&form);
    ASSERT_TRUE(form.Create(nullptr));
    form.Show();
    hwnd = form.hwnd();
    guard = SetTimer(nullptr, 0, 8000, EndMenuGuard);
    Pump(100);
  }
  void TearDown() override {
    KillTimer(nullptr, guard);
    RemoveTrayIcon();
    TrayCalls() = TrayApi{};
    SetMessageBoxHook(nullptr);
  }
  void Post(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) { PostMessageA(hwnd, msg, wParam, lParam); }
  bool CloseToTray() {
    Post(WM_CLOSE);
    return PumpUntil([&] { return !IsWindowVisible(hwnd); }, 2000);
  }

  win::ComApartment com;
  frmOKU form;
  HWND hwnd = nullptr;
  UINT_PTR guard = 0;
};

TEST_F(SysTrayTest, CloseBoxHidesToTheIconAndOnlyOurDoubleClickBringsItBack) {
  SetWindowPos(hwnd, nullptr, 130, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  RECT before{}, after{};
  GetWindowRect(hwnd, &before);
  ASSERT_TRUE(CloseToTray());
  EXPECT_TRUE(TrayIconPresent());
  EXPECT_TRUE(form.IsOpen());
  const auto instanceLow = static_cast<UINT>(reinterpret_cast<UINT_PTR>(GetModuleHandleA(nullptr)));
  const struct {
    UINT msg;
    WPARAM id;
    LPARAM mouse;
  } ignored[] = {
      {WM_CLOSE, 0, 0},  // a second close request while hidden
      {kTrayCallbackMessage, kTrayIconId + 1, WM_LBUTTONDBLCLK},
      {kTrayCallbackMessage, instanceLow, WM_LBUTTONDBLCLK},
      {kTrayCallbackMessage + 1, kTrayIconId, WM_LBUTTONDBLCLK},
      {kTrayCallbackMessage, kTrayIconId, WM_LBUTTONUP},
  };
  for (const auto& m : ignored) {
    Post(m.msg, m.id, m.mouse);
    Pump(150);
    EXPECT_FALSE(IsWindowVisible(hwnd)) << m.msg << " " << m.id << " " << m.mouse;
    EXPECT_TRUE(ShellHasIcon(hwnd)) << m.msg << " " << m.id << " " << m.mouse;
  }
  Post(kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDBLCLK);
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(hwnd) != FALSE; }, 2000));
  GetWindowRect(hwnd, &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_FALSE(TrayIconPresent());
  EXPECT_FALSE(ShellHasIcon(hwnd));
  RemoveTrayIcon();  // no icon: nothing happens
  EXPECT_TRUE(IsWindowVisible(hwnd));
}

TEST_F(SysTrayTest, ShellRestartAddsTheIconAgainOnlyWhileHiddenAndSessionEndRemovesIt) {
  const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  Post(taskbarCreated);
  Pump(150);
  EXPECT_FALSE(ShellHasIcon(hwnd));
  ASSERT_TRUE(CloseToTray());
  NOTIFYICONDATAA lost = OurIcon(hwnd);
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &lost));  // a restarting shell loses every icon
  // The second time nothing was lost: the one icon stays.
  for (int i = 0; i < 2; ++i) {
    Post(taskbarCreated);
    EXPECT_TRUE(PumpUntil([&] { return ShellHasIcon(hwnd); }, 2000));
  }
  EXPECT_FALSE(IsWindowVisible(hwnd));
  SendMessageA(hwnd, WM_ENDSESSION, TRUE, 0);
  EXPECT_FALSE(ShellHasIcon(hwnd));
}

TEST_F(SysTrayTest, IconMenuFromTheKeyboard) {
  const struct {
    WPARAM key;  // typed into the open menu
    bool shown, minimised;
  } cases[] = {{VK_ESCAPE, false, false}, {'M', true, true}, {'R', true, false}};
  for (const auto& c : cases) {
    if (IsWindowVisible(hwnd)) {
      ASSERT_TRUE(CloseToTray());  // after "Minimize": closed from its taskbar button
    }
    Post(kTrayCallbackMessage, kTrayIconId, WM_RBUTTONUP);
    Post(WM_KEYDOWN, c.key, 0);
    PumpUntil([&] { return IsWindowVisible(hwnd) != FALSE; }, 1000);
    Pump(100);
    EXPECT_EQ(IsWindowVisible(hwnd) != FALSE, c.shown) << c.key;
    EXPECT_EQ(IsIconic(hwnd) != FALSE, c.minimised) << c.key;
    EXPECT_EQ(ShellHasIcon(hwnd), !c.shown) << c.key;
  }
}

TEST_F(SysTrayTest, IconMenuHasRestoreAsDefaultAndTheShutdownEntryOnlyWhileArmed) {
  const std::string below = "&Restore [default]\n-\n&Minimize\n-\n&About OKU\n&Exit\n";
  form.mnuRemCaption = "Re&boot at 10:30 PM";
  for (bool armed : {false, true, false}) {
    form.mnuRemVisible = armed;
    const std::string menus = form.DescribeMenus();
    EXPECT_EQ(menus.substr(menus.find("[pop-up]\n") + 9), (armed ? "Re&boot at 10:30 PM\n-\n" : "") + below);
  }
}

// The shell as a recording fake with a chosen answer.
struct FakeShell {
  static inline std::vector<std::pair<DWORD, NOTIFYICONDATAA>> calls;
  static inline BOOL answer = TRUE;
  static BOOL WINAPI Notify(DWORD op, PNOTIFYICONDATAA data) {
    calls.emplace_back(op, *data);
    return answer;
  }
};

TEST_F(SysTrayTest, IconRecordAndARefusingShell) {
  TrayCalls().notifyIcon = FakeShell::Notify;
  const std::string longCaption(80, 'x');
  for (const std::string& caption : {std::string("Okumatic"), longCaption}) {
    form.SetCaption(caption);
    FakeShell::calls.clear();
    ASSERT_TRUE(MinimizeToTray());
    ASSERT_TRUE(MinimizeToTray());  // already there: nothing more reaches the shell
    RemoveTrayIcon();
    RemoveTrayIcon();
    ASSERT_EQ(FakeShell::calls.size(), 2u);
    EXPECT_EQ(FakeShell::calls[0].first, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(FakeShell::calls[1].first, static_cast<DWORD>(NIM_DELETE));
    const NOTIFYICONDATAA& d = FakeShell::calls[0].second;
    EXPECT_EQ(d.cbSize, NOTIFYICONDATAA_V1_SIZE);
    EXPECT_EQ(d.hWnd, hwnd);
    EXPECT_EQ(d.uID, kTrayIconId);
    EXPECT_EQ(d.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(d.uCallbackMessage, 0x40Fu);
    EXPECT_NE(d.hIcon, nullptr);
    EXPECT_EQ(std::string(d.szTip), caption.substr(0, 63));
  }
  RestoreFromTray();
  FakeShell::answer = FALSE;  // no notification area takes the icon: the window stays, the program runs
  Post(WM_CLOSE);
  Pump(300);
  EXPECT_TRUE(IsWindowVisible(hwnd));
  EXPECT_FALSE(ui::IsExiting());
  FakeShell::answer = TRUE;
  ASSERT_TRUE(CloseToTray());
  FakeShell::answer = FALSE;  // the restarted shell refuses it: the window comes back
  Post(RegisterWindowMessageA("TaskbarCreated"));
  EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(hwnd) != FALSE; }, 2000));
  EXPECT_FALSE(TrayIconPresent());
}

// A taskbar of our own making, for the animation's target.
struct FakeTaskbar {
  static inline HWND window = nullptr;
  static inline std::vector<std::pair<RECT, RECT>> animations;
  static HWND WINAPI Find(LPCSTR cls, LPCSTR) { return lstrcmpA(cls, "Shell_TrayWnd") == 0 ? window : nullptr; }
  static BOOL WINAPI Draw(HWND, int kind, const RECT* from, const RECT* to) {
    if (kind == IDANI_CAPTION) animations.emplace_back(*from, *to);
    return TRUE;
  }
};

TEST_F(SysTrayTest, AnimationRunsBetweenWindowAndNotificationAreaOnlyWhereOneExists) {
  // Wine's taskbar has no notification-area child: the walk ends with nothing found.
  EXPECT_EQ(FindTrayNotifyArea(FindWindowA("Shell_TrayWnd", nullptr)), nullptr);
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = "XTrayNotifyWndX";
  RegisterClassA(&wc);
  TrayCalls().findWindow = FakeTaskbar::Find;
  TrayCalls().drawAnimatedRects = FakeTaskbar::Draw;
  for (bool withArea : {false, true}) {
    HWND bar = FakeTaskbar::window =
        CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 700, 1000, 40, nullptr, nullptr, nullptr, nullptr);
    CreateWindowExA(0, "BUTTON", "", WS_CHILD, 0, 0, 60, 40, bar, nullptr, nullptr, nullptr);
    HWND area = withArea
                    ? CreateWindowExA(0, wc.lpszClassName, "", WS_CHILD, 900, 0, 99, 40, bar, nullptr, nullptr, nullptr)
                    : nullptr;
    CreateWindowExA(0, "BUTTON", "", WS_CHILD, 60, 0, 60, 40, bar, nullptr, nullptr, nullptr);
    EXPECT_EQ(FindTrayNotifyArea(bar), area);
    FakeTaskbar::animations.clear();
    EXPECT_FALSE(AnimateTray(2, hwnd));
    EXPECT_EQ(AnimateTray(1, hwnd), withArea);
    EXPECT_EQ(AnimateTray(0, hwnd), withArea);
    ASSERT_EQ(FakeTaskbar::animations.size(), withArea ? 2u : 0u);
    if (withArea) {
      RECT windowRect{}, areaRect{};
      GetWindowRect(hwnd, &windowRect);
      GetWindowRect(area, &areaRect);
      const auto& [to, back] = std::pair(FakeTaskbar::animations[0], FakeTaskbar::animations[1]);
      EXPECT_TRUE(EqualRect(&to.first, &windowRect) && EqualRect(&to.second, &areaRect));
      EXPECT_TRUE(EqualRect(&back.first, &areaRect) && EqualRect(&back.second, &windowRect));
    }
    DestroyWindow(bar);
  }
}

void CALLBACK ExitTick(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  ui::HandlerScope tick;  // as the shutdown timer's tick runs
  ui::RequestExit();
}

// Last in the file: the exit leaves the run exiting for the rest of the process.
TEST_F(SysTrayTest, ExitWhileTheIconMenuIsOpenEndsTheMenuThenTheProgram) {
  ASSERT_TRUE(CloseToTray());
  SetTimer(nullptr, 0, 300, ExitTick);
  Post(kTrayCallbackMessage, kTrayIconId, WM_RBUTTONUP);
  const DWORD start = GetTickCount();
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(hwnd); }, 3000));
  EXPECT_LT(GetTickCount() - start, 3000u);  // the menu did not wait for its guard
  EXPECT_FALSE(TrayIconPresent());
}

}  // namespace
