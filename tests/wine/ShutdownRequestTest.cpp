// The request to Windows through a fake of the token calls and ExitWindowsEx that logs every call, its
// last-error code and every message in order: the privilege routine step by step, and the shutdown tick
// in the real main window on a clock of the test's own (a refusal leaves it disarmed; a tick held back
// by a busy handler's box across the armed minute still acts; an acceptance closes the program).
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "ShellTestSupport.h"
#include "app/frmOKU.h"
#include "app/frmOKUIds.h"
#include "platform/App.h"
#include "platform/Handles.h"
#include "shutdown/LocalTime.h"
#include "shutdown/WinShut.h"

namespace {

using shelltest::PumpUntil;

struct Fake {
  std::map<std::string, DWORD> failures;  // step -> the last-error code it leaves
  BOOL exitResult = TRUE;
  DWORD lastError = 0;
  std::string log;  // "Set0" is SetLastError(0), "Box: text|caption|style" a message
} gFake;
std::function<void()> gWhileBoxOpen;

BOOL Step(const char* name) {
  gFake.log += std::string(name) + ",";
  const auto failure = gFake.failures.find(name);
  gFake.lastError = failure == gFake.failures.end() ? 0 : failure->second;
  return gFake.lastError == 0 || gFake.lastError == ERROR_NOT_ALL_ASSIGNED;  // 1300 comes with success
}

// Plain WINAPI functions, not lambdas: a lambda does not convert to a stdcall pointer on 32-bit x86.
HANDLE WINAPI FakeProcess() { return Step("GetCurrentProcess"), reinterpret_cast<HANDLE>(-1); }
BOOL WINAPI FakeOpenToken(HANDLE, DWORD, PHANDLE token) { return Step("OpenProcessToken") && (*token = HANDLE(0x42)); }
BOOL WINAPI FakeLookup(LPCSTR, LPCSTR, PLUID) { return Step("LookupPrivilegeValue"); }
BOOL WINAPI FakeAdjust(HANDLE, BOOL, PTOKEN_PRIVILEGES, DWORD, PTOKEN_PRIVILEGES, PDWORD) {
  return Step("AdjustTokenPrivileges");
}
BOOL WINAPI FakeClose(HANDLE) { return gFake.log += "CloseHandle,", TRUE; }
BOOL WINAPI FakeExit(UINT flags, DWORD) {
  gFake.log += "ExitWindowsEx " + std::to_string(flags) + ",";
  return gFake.lastError = gFake.exitResult ? 0 : ERROR_PRIVILEGE_NOT_HELD, gFake.exitResult;
}
void WINAPI FakeSetLastError(DWORD code) { gFake.log += code == 0 ? "Set0," : "", gFake.lastError = code; }
DWORD WINAPI FakeGetLastError() { return gFake.lastError; }
const ShutdownApi kFakeApi{FakeProcess, FakeOpenToken, FakeLookup,       FakeAdjust,
                           FakeClose,   FakeExit,      FakeSetLastError, FakeGetLastError};

const std::string kSteps =
    "Set0,GetCurrentProcess,Set0,OpenProcessToken,Set0,LookupPrivilegeValue,Set0,AdjustTokenPrivileges,";
const std::string kRefusal = "1314\r\n" + win::ErrorDescription(1314) + "|OKU|16,";

class ShutdownRequest : public testing::Test {
 protected:
  void SetUp() override {
    gFake = {};
    gWhileBoxOpen = nullptr;
    SetMessageBoxHook([](const std::string& text, const std::string& caption, unsigned style) {
      gFake.log += "Box: " + text + "|" + caption + "|" + std::to_string(style) + ",";
      if (gWhileBoxOpen) gWhileBoxOpen();
      return kAnswerOk;
    });
  }
  void TearDown() override { SetMessageBoxHook(nullptr); }
  const win::ScopedCalls<ShutdownApi> fakeApi{kFakeApi};  // first in, last out: outlives any window
};

TEST_F(ShutdownRequest, EachFailedStepShowsItsCodeTheRequestIsMadeRegardlessAndARefusalIsShown) {
  EXPECT_NE(win::ErrorDescription(1314), "Error 1314");  // the system has a text for it
  // clang-format off
  const struct {
    int option;
    bool nt, refused;
    std::map<std::string, DWORD> failures;
    std::string log;
  } cases[] = {
      {4, true, false, {}, kSteps + "CloseHandle,Set0,ExitWindowsEx 0,"},  // Log Off too
      {2, false, true, {}, "Set0,ExitWindowsEx 5,Box: " + kRefusal},  // 9x: no token
      {3, true, false, {{"AdjustTokenPrivileges", 1300}},  // a user without the privilege: success with 1300
       kSteps + "Box: AdjustTokenPrivileges error==1300|OKU|0,CloseHandle,Set0,ExitWindowsEx 7,"},
      {3, true, false, {{"GetCurrentProcess", 6}, {"OpenProcessToken", 5}, {"LookupPrivilegeValue", 1313}},
       "Set0,GetCurrentProcess,Box: GetCurrentProcess error==6|OKU|0,Set0,OpenProcessToken,"
       "Box: OpenProcessToken error==5|OKU|0,Set0,LookupPrivilegeValue,Box: LookupPrivilegeValue error==1313|OKU|0,"
       "Set0,AdjustTokenPrivileges,Set0,ExitWindowsEx 7,"},  // no token to close
  };
  // clang-format on
  for (const auto& c : cases) {
    gFake = Fake{c.failures, !c.refused, 0, ""};
    const ExitRequestOutcome outcome = RequestExitWindows(c.option, c.nt);
    EXPECT_EQ(outcome.accepted, !c.refused);
    if (!outcome.accepted) ReportRefusal(outcome.error);
    EXPECT_EQ(gFake.log, c.log);
  }
}

LocalDateTime gNow;

class ShutdownTick : public ShutdownRequest {
 protected:
  void SetUp() override {
    ShutdownRequest::SetUp();
    previousClock = SetClockSource([] { return gNow; });
    gNow = LocalDateTime{2026, 12, 31, {23, 58}};
    ui::SetMainForm(&form);
    ASSERT_TRUE(form.Create(nullptr));
    form.Show();
  }
  void TearDown() override {
    form.Close();
    SetClockSource(previousClock);
    ShutdownRequest::TearDown();
  }
  void Arm(int option, const char* time) {
    SendMessageA(form.Item(IDO_OKU_EXIT_OPTION0 + option), BM_CLICK, 0, 0);
    form.SetText(IDE_OKU_SHUTDOWN_TIME, time);
    SendMessageA(form.Item(IDB_OKU_ACTIVATE), BM_CLICK, 0, 0);
    ASSERT_TRUE(IsWindowEnabled(form.Item(IDB_OKU_DEACTIVATE))) << "not armed";
  }
  bool Enabled(int id) const { return IsWindowEnabled(form.Item(id)) != FALSE; }

  ClockSource previousClock = nullptr;
  frmOKU form;
};

TEST_F(ShutdownTick, ARefusalIsReportedOnceAndTheWindowStaysDisarmed) {
  gFake.exitResult = FALSE;
  Arm(3, "23:59");
  gNow.time = {23, 59};
  ASSERT_TRUE(PumpUntil([] { return !gFake.log.empty(); }, 3000));
  PumpUntil([] { return false; }, 1500);  // a few more ticks' time: none may ask again
  EXPECT_EQ(gFake.log, kSteps + "CloseHandle,Set0,ExitWindowsEx 7,Box: " + kRefusal);
  ASSERT_TRUE(form.IsOpen());
  for (int id = IDO_OKU_EXIT_OPTION0; id <= IDO_OKU_EXIT_OPTION4; ++id) EXPECT_TRUE(Enabled(id)) << id;
  EXPECT_TRUE(Enabled(IDE_OKU_SHUTDOWN_TIME));
  EXPECT_TRUE(Enabled(IDB_OKU_ACTIVATE));
  EXPECT_FALSE(Enabled(IDB_OKU_DEACTIVATE));
  EXPECT_FALSE(form.Shutdown().ReminderShown());
}

// Last in the file: the exit leaves the run exiting for the rest of the process.
TEST_F(ShutdownTick, AMinutePassingUnderABusyHandlersBoxStillActsAndAnAcceptanceEndsTheProgram) {
  Arm(4, "23:59");
  // The listing fails at once, its file name taken by a folder, and reports it in its "Aborted" box.
  const shelltest::ScratchFolder folder;
  folder.Folder("dir_contents.txt");
  form.SetText(IDE_OKU_LIST_FOLDER, folder.Path());
  gWhileBoxOpen = [] {
    // Ticks come while the box is open, through the armed minute and past it; the busy guard
    // holds them back until the listing's handler returns, its report included.
    gNow = LocalDateTime{2027, 1, 1, {0, 0}};
    PumpUntil([] { return false; }, 1300);
    EXPECT_EQ(gFake.log.find("ExitWindowsEx"), std::string::npos) << "a tick ran inside the busy handler";
  };
  const HWND hwnd = form.hwnd();
  const std::string box = "Box: 5\r\n" + win::ErrorDescription(ERROR_ACCESS_DENIED) + "|Aborted|16,";
  SendMessageA(form.Item(IDB_OKU_LIST_GO), BM_CLICK, 0, 0);
  ASSERT_EQ(gFake.log.find(box), 0u) << gFake.log;
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(hwnd); }, 3000)) << "the late tick did not act: " << gFake.log;
  EXPECT_EQ(gFake.log, box + kSteps + "CloseHandle,Set0,ExitWindowsEx 0,");
  EXPECT_TRUE(ui::IsExiting());
}

}  // namespace
