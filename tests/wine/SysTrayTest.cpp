// The notification-area icon of the real main window, in-process, against Wine's desktop shell.
// The icon's messages are posted as the shell posts them: callback message 0x40F, our 32-bit id.
#include <gtest/gtest.h>
#include <windows.h>

#include "ShellTestSupport.h"
#include "app/SysTray.h"
#include "app/frmOKU.h"
#include "platform/App.h"
#include "platform/ComPtr.h"

namespace {

using shelltest::PumpUntil;

// The icon as the shell knows it: NIM_MODIFY succeeds only for an icon that exists, and NIM_DELETE
// loses it as a restarting shell does.
bool Shell(DWORD op, HWND window) {
  NOTIFYICONDATAA d{};
  d.cbSize = NOTIFYICONDATAA_V1_SIZE, d.hWnd = window, d.uID = kTrayIconId, d.uFlags = NIF_TIP;
  return Shell_NotifyIconA(op, &d) != FALSE;
}

class SysTrayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::SetMainForm(&form);
    ASSERT_TRUE(form.Create(nullptr));
    form.Show();
    hwnd = form.hwnd();
    // Ends a menu that a failing test left open, so the run cannot stay in the menu's loop.
    guard = SetTimer(nullptr, 0, 8000, [](HWND, UINT, UINT_PTR id, DWORD) { KillTimer(nullptr, id), EndMenu(); });
    PumpUntil([] { return false; }, 100);
  }
  void TearDown() override {
    KillTimer(nullptr, guard);
    form.Tray().Remove();
  }
  bool PostAndWait(UINT msg, WPARAM wParam, LPARAM lParam, bool visible, DWORD ms = 1000) {
    PostMessageA(hwnd, msg, wParam, lParam);
    return PumpUntil([&] { return (IsWindowVisible(hwnd) != FALSE) == visible; }, ms);
  }

  win::ComApartment com;
  shelltest::MessageRecorder boxes;
  frmOKU form;
  HWND hwnd = nullptr;
  UINT_PTR guard = 0;
};

TEST_F(SysTrayTest, CloseHidesToTheIconThatOnlyOurMessagesUseAndAShellRestartBringsBack) {
  const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  PostAndWait(taskbarCreated, 0, 0, false, 150);  // while shown there is no icon to add again:
  EXPECT_FALSE(Shell(NIM_MODIFY, hwnd));
  SetWindowPos(hwnd, nullptr, 130, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  RECT before{}, after{};
  GetWindowRect(hwnd, &before);
  ASSERT_TRUE(PostAndWait(WM_CLOSE, 0, 0, false));
  const auto instanceLow = static_cast<UINT>(reinterpret_cast<UINT_PTR>(GetModuleHandleA(nullptr)));
  const struct {
    UINT msg;
    WPARAM id;
    LPARAM mouse;
  } ignored[] = {
      {WM_CLOSE, 0, 0},  // a second close request while hidden
      {0x40F, instanceLow, WM_LBUTTONDBLCLK},
      {0x410, kTrayIconId, WM_LBUTTONDBLCLK},
  };
  for (const auto& m : ignored) {
    EXPECT_FALSE(PostAndWait(m.msg, m.id, m.mouse, true, 150)) << m.msg << " " << m.id << " " << m.mouse;
    EXPECT_TRUE(Shell(NIM_MODIFY, hwnd)) << m.msg << " " << m.id << " " << m.mouse;
  }
  ASSERT_TRUE(Shell(NIM_DELETE, hwnd));  // a restarting shell loses every icon
  PostMessageA(hwnd, taskbarCreated, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return Shell(NIM_MODIFY, hwnd); }, 2000));
  ASSERT_TRUE(PostAndWait(0x40F, kTrayIconId, WM_LBUTTONDBLCLK, true));
  GetWindowRect(hwnd, &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_FALSE(Shell(NIM_MODIFY, hwnd));
  // "&Minimize" from the icon's menu leaves a minimised taskbar button and no icon.
  ASSERT_TRUE(PostAndWait(WM_CLOSE, 0, 0, false));
  PostMessageA(hwnd, 0x40F, kTrayIconId, WM_RBUTTONUP);
  ASSERT_TRUE(PostAndWait(WM_KEYDOWN, 'M', 0, true));  // typed into the open menu
  EXPECT_TRUE(IsIconic(hwnd));
  EXPECT_FALSE(Shell(NIM_MODIFY, hwnd));
}

// Last in the file: the exit leaves the run exiting for the rest of the process.
TEST_F(SysTrayTest, ExitWhileTheIconMenuIsOpenEndsTheMenuThenTheProgram) {
  ASSERT_TRUE(PostAndWait(WM_CLOSE, 0, 0, false));
  SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    ui::HandlerScope tick;  // as the shutdown timer's tick runs
    ui::RequestExit();
  });
  PostMessageA(hwnd, 0x40F, kTrayIconId, WM_RBUTTONUP);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(hwnd); }, 3000));  // the menu did not wait for its guard
  EXPECT_FALSE(form.Tray().Present());
}

}  // namespace
