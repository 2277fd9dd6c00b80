// The shutdown tick in the real main window, in-process, on a clock of the test's own and a fake
// of the request to Windows (a real one would end the prefix's session): a refusal is reported
// and leaves the window disarmed; a tick that comes late, after a busy handler's message box was
// open across the armed minute, still acts, and an acceptance closes the program.
#include <gtest/gtest.h>
#include <windows.h>

#include "ShellTestSupport.h"
#include "app/frmOKU.h"
#include "app/frmOKUIds.h"
#include "platform/App.h"
#include "platform/Handles.h"
#include "shutdown/LocalTime.h"
#include "shutdown/WinShut.h"

namespace {

using shelltest::PumpUntil;

LocalDateTime gNow;
BOOL gAccept = TRUE;
DWORD gLastError = 0;
std::string gLog;  // the requests to Windows and the boxes shown, in order

// Every token step succeeds; ExitWindowsEx logs its flags and answers as the test says.
HANDLE WINAPI FakeProcess() { return GetCurrentProcess(); }
BOOL WINAPI FakeOpenToken(HANDLE, DWORD, PHANDLE token) { return *token = nullptr, TRUE; }
BOOL WINAPI FakeLookup(LPCSTR, LPCSTR, PLUID) { return TRUE; }
BOOL WINAPI FakeAdjust(HANDLE, BOOL, PTOKEN_PRIVILEGES, DWORD, PTOKEN_PRIVILEGES, PDWORD) { return TRUE; }
BOOL WINAPI FakeClose(HANDLE) { return TRUE; }
BOOL WINAPI FakeExit(UINT flags, DWORD) {
  gLog += "ExitWindowsEx " + std::to_string(flags) + ",";
  gLastError = gAccept ? 0 : ERROR_PRIVILEGE_NOT_HELD;
  return gAccept;
}
void WINAPI FakeSetLastError(DWORD code) { gLastError = code; }
DWORD WINAPI FakeGetLastError() { return gLastError; }
const ShutdownApi kFakeApi{FakeProcess, FakeOpenToken, FakeLookup,       FakeAdjust,
                           FakeClose,   FakeExit,      FakeSetLastError, FakeGetLastError};

class ShutdownTick : public testing::Test {
 protected:
  void SetUp() override {
    previousClock = SetClockSource([] { return gNow; });
    SetMessageBoxHook([this](const std::string& text, const std::string& caption, unsigned style) {
      gLog += "Box " + caption + " " + std::to_string(style) + ": " + text + ",";
      if (whileBoxOpen) whileBoxOpen();
      return kAnswerOk;
    });
    gNow = LocalDateTime{2026, 12, 31, {23, 58}};
    gLog.clear();
    ui::SetMainForm(&form);
    ASSERT_TRUE(form.Create(nullptr));
    form.Show();
  }
  void TearDown() override {
    form.Close();
    SetMessageBoxHook(nullptr);
    SetClockSource(previousClock);
  }
  void Arm(int option, const char* time) {
    SendMessageA(form.Item(IDO_OKU_EXIT_OPTION0 + option), BM_CLICK, 0, 0);
    form.SetText(IDE_OKU_SHUTDOWN_TIME, time);
    SendMessageA(form.Item(IDB_OKU_ACTIVATE), BM_CLICK, 0, 0);
    ASSERT_TRUE(IsWindowEnabled(form.Item(IDB_OKU_DEACTIVATE))) << "not armed";
  }
  bool Enabled(int id) const { return IsWindowEnabled(form.Item(id)) != FALSE; }

  const win::ScopedCalls<ShutdownApi> fakeApi{kFakeApi};  // first in, last out: outlives the window
  ClockSource previousClock = nullptr;
  std::function<void()> whileBoxOpen;
  frmOKU form;
};

TEST_F(ShutdownTick, ARefusalIsReportedOnceAndTheWindowStaysDisarmed) {
  gAccept = FALSE;
  Arm(3, "23:59");
  gNow.time = {23, 59};
  ASSERT_TRUE(PumpUntil([] { return !gLog.empty(); }, 3000));
  PumpUntil([] { return false; }, 1500);  // a few more ticks' time: none may ask again
  EXPECT_EQ(gLog, "ExitWindowsEx 7,Box OKU 16: 1314\r\n" + win::ErrorDescription(1314) + ",");
  ASSERT_TRUE(form.IsOpen());
  for (int id = IDO_OKU_EXIT_OPTION0; id <= IDO_OKU_EXIT_OPTION4; ++id) EXPECT_TRUE(Enabled(id)) << id;
  EXPECT_TRUE(Enabled(IDE_OKU_SHUTDOWN_TIME));
  EXPECT_TRUE(Enabled(IDB_OKU_ACTIVATE));
  EXPECT_FALSE(Enabled(IDB_OKU_DEACTIVATE));
  EXPECT_FALSE(form.Shutdown().ReminderShown());
}

// Last in the file: the exit leaves the run exiting for the rest of the process.
TEST_F(ShutdownTick, AMinutePassingUnderABusyHandlersBoxStillActsAndAnAcceptanceEndsTheProgram) {
  gAccept = TRUE;
  Arm(4, "23:59");
  form.SetText(IDE_OKU_LIST_FOLDER, "");  // the listing stops at once with its "Need a directory!" box
  whileBoxOpen = [] {
    // Ticks come while the box is open, through the armed minute and past it; the busy guard
    // holds them back until the listing's handler returns.
    gNow = LocalDateTime{2027, 1, 1, {0, 0}};
    PumpUntil([] { return false; }, 1300);
    EXPECT_EQ(gLog.find("ExitWindowsEx"), std::string::npos) << "a tick ran inside the busy handler";
  };
  const HWND hwnd = form.hwnd();
  SendMessageA(form.Item(IDB_OKU_LIST_GO), BM_CLICK, 0, 0);
  ASSERT_NE(gLog.find("Box Aborted 16: Need a directory!"), std::string::npos) << gLog;
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(hwnd); }, 3000)) << "the late tick did not act: " << gLog;
  EXPECT_EQ(gLog, "Box Aborted 16: Need a directory!,ExitWindowsEx 0,");
  EXPECT_TRUE(ui::IsExiting());
}

}  // namespace
