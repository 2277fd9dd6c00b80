// The privilege routine and the request to Windows through a fake of the token calls and
// ExitWindowsEx that logs every call, its own last-error code and every message, in order.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>

#include "platform/Handles.h"
#include "platform/MessageBox.h"
#include "shutdown/WinShut.h"

namespace {

struct Fake {
  std::map<std::string, DWORD> failures;  // step -> the last-error code it leaves
  BOOL exitResult = TRUE;
  DWORD lastError = 0;
  std::string log;  // "Set0" is SetLastError(0), "Box: text|caption|style" a message
} gFake;

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

TEST(ShutdownRequest, EachFailedStepShowsItsCodeTheRequestIsMadeRegardlessAndARefusalIsShown) {
  const win::ScopedCalls<ShutdownApi> fake(kFakeApi);
  SetMessageBoxHook([](const std::string& text, const std::string& caption, unsigned style) {
    return gFake.log += "Box: " + text + "|" + caption + "|" + std::to_string(style) + ",", kAnswerOk;
  });
  const std::string steps =
      "Set0,GetCurrentProcess,Set0,OpenProcessToken,Set0,LookupPrivilegeValue,Set0,AdjustTokenPrivileges,";
  const std::string refusal = win::ErrorDescription(1314);
  EXPECT_NE(refusal, "Error 1314");  // the system has a text for it
  // clang-format off
  const struct {
    int option;
    bool nt, refused;
    std::map<std::string, DWORD> failures;
    std::string log;
  } cases[] = {
      {4, true, false, {}, steps + "CloseHandle,Set0,ExitWindowsEx 0,"},  // Log Off too
      {2, false, true, {}, "Set0,ExitWindowsEx 5,Box: 1314\r\n" + refusal + "|OKU|16,"},  // 9x: no token
      {3, true, false, {{"AdjustTokenPrivileges", 1300}},  // a user without the privilege: success with 1300
       steps + "Box: AdjustTokenPrivileges error==1300|OKU|0,CloseHandle,Set0,ExitWindowsEx 7,"},
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
  SetMessageBoxHook(nullptr);
}

}  // namespace
