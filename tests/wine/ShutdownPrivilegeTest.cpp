// The privilege routine and the request to Windows through a fake of the token calls and of
// ExitWindowsEx (the real one would end every process of the prefix). The fake keeps its own
// last-error code and logs every call, so the messages and their order are exactly checked.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/Failure.h"
#include "platform/Handles.h"
#include "platform/MessageBox.h"
#include "shutdown/WinShut.h"

namespace {

const HANDLE kFakeProcess = reinterpret_cast<HANDLE>(-1);
const HANDLE kFakeToken = reinterpret_cast<HANDLE>(0x4242);

struct Fake {
  std::map<std::string, DWORD> failures;  // step -> the last-error code it leaves
  BOOL exitResult = TRUE;
  DWORD exitError = 0;
  DWORD lastError = 0;
  std::vector<std::string> log;  // calls in order; "Set0" is SetLastError(0), "Box: text|caption|style" a message
  std::string arguments;         // what OpenProcessToken, LookupPrivilegeValue and AdjustTokenPrivileges got
  std::vector<HANDLE> closed;
  std::vector<std::pair<UINT, DWORD>> exits;
};
Fake* gFake = nullptr;

BOOL Step(const char* name) {
  gFake->log.push_back(name);
  const auto failure = gFake->failures.find(name);
  gFake->lastError = failure == gFake->failures.end() ? 0 : failure->second;
  return gFake->lastError == 0 || gFake->lastError == ERROR_NOT_ALL_ASSIGNED;  // 1300 comes with success
}

const ShutdownApi kFakeApi{
    []() -> HANDLE { return Step("GetCurrentProcess"), kFakeProcess; },
    [](HANDLE process, DWORD access, PHANDLE token) -> BOOL {
      gFake->arguments += (process == kFakeProcess ? "process " : "? ") + std::to_string(access) + ";";
      if (!Step("OpenProcessToken")) return FALSE;
      *token = kFakeToken;
      return TRUE;
    },
    [](LPCSTR, LPCSTR name, PLUID luid) -> BOOL {
      gFake->arguments += std::string(name) + ";";
      if (!Step("LookupPrivilegeValue")) return FALSE;
      *luid = LUID{0x13, 0};
      return TRUE;
    },
    [](HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES state, DWORD length, PTOKEN_PRIVILEGES previous,
       PDWORD returned) -> BOOL {
      gFake->arguments += (token == kFakeToken ? "token " : "? ") + std::to_string(disableAll) + " " +
                          std::to_string(state->PrivilegeCount) + " " +
                          std::to_string(state->Privileges[0].Luid.LowPart) + " " +
                          std::to_string(state->Privileges[0].Attributes) + " " + std::to_string(length) +
                          (previous && returned ? " out" : " -");
      return Step("AdjustTokenPrivileges");
    },
    [](HANDLE h) -> BOOL { return gFake->closed.push_back(h), gFake->log.push_back("CloseHandle"), TRUE; },
    [](UINT flags, DWORD reason) -> BOOL {
      gFake->log.push_back("ExitWindowsEx");
      gFake->exits.emplace_back(flags, reason);
      gFake->lastError = gFake->exitError;
      return gFake->exitResult;
    },
    [](DWORD code) {
      if (code == 0) gFake->log.push_back("Set0");
      gFake->lastError = code;
    },
    []() { return gFake->lastError; },
};

class ShutdownRequest : public ::testing::Test {
 protected:
  void SetUp() override {
    gFake = &fake_;
    previous_ = SetShutdownApi(kFakeApi);
    SetMessageBoxHook([](const std::string& text, const std::string& caption, unsigned style) {
      gFake->log.push_back("Box: " + text + "|" + caption + "|" + std::to_string(style));
      return kAnswerOk;
    });
  }
  void TearDown() override {
    SetMessageBoxHook(nullptr);
    SetShutdownApi(previous_);
  }
  Fake fake_;
  ShutdownApi previous_{};
};

}  // namespace

TEST_F(ShutdownRequest, EachFailedStepShowsItsCodeAndTheRequestIsMadeRegardless) {
  const std::map<std::string, DWORD> all = {{"GetCurrentProcess", 6},
                                            {"OpenProcessToken", 5},
                                            {"LookupPrivilegeValue", 1313},
                                            {"AdjustTokenPrivileges", 1300}};
  struct Case {
    std::map<std::string, DWORD> failures;
    std::vector<std::string> log;
  };
  const std::vector<Case> cases = {
      {{},
       {"Set0", "GetCurrentProcess", "Set0", "OpenProcessToken", "Set0", "LookupPrivilegeValue", "Set0",
        "AdjustTokenPrivileges", "CloseHandle", "Set0", "ExitWindowsEx"}},
      {{{"AdjustTokenPrivileges", 1300}},  // a user without the privilege
       {"Set0", "GetCurrentProcess", "Set0", "OpenProcessToken", "Set0", "LookupPrivilegeValue", "Set0",
        "AdjustTokenPrivileges", "Box: AdjustTokenPrivileges error==1300|OKU|0", "CloseHandle", "Set0",
        "ExitWindowsEx"}},
      {all,
       {"Set0", "GetCurrentProcess", "Box: GetCurrentProcess error==6|OKU|0", "Set0", "OpenProcessToken",
        "Box: OpenProcessToken error==5|OKU|0", "Set0", "LookupPrivilegeValue",
        "Box: LookupPrivilegeValue error==1313|OKU|0", "Set0", "AdjustTokenPrivileges",
        "Box: AdjustTokenPrivileges error==1300|OKU|0", "Set0", "ExitWindowsEx"}},  // no token to close
  };
  for (const Case& c : cases) {
    fake_ = Fake{};
    fake_.failures = c.failures;
    EXPECT_TRUE(RequestExitWindows(3, true).accepted);
    EXPECT_EQ(fake_.log, c.log);
    EXPECT_EQ(fake_.exits, (std::vector<std::pair<UINT, DWORD>>{{7, 0xFFFFFFFF}}));
  }
  EXPECT_EQ(fake_.arguments, "process 40;SeShutdownPrivilege;? 0 1 0 2 16 out");  // the last case: no token
  fake_ = Fake{};
  RequestExitWindows(0, true);
  EXPECT_EQ(fake_.arguments, "process 40;SeShutdownPrivilege;token 0 1 19 2 16 out");
  EXPECT_EQ(fake_.closed, std::vector<HANDLE>{kFakeToken});
}

TEST_F(ShutdownRequest, EveryOptionAsksWithItsFlagsAndNtFamilyEnablesThePrivilegeFirst) {
  const UINT flags[] = {13, 1, 5, 7, 0};
  for (bool nt : {true, false}) {
    for (int option = 0; option < 5; ++option) {
      fake_ = Fake{};
      RequestExitWindows(option, nt);
      EXPECT_EQ(fake_.exits, (std::vector<std::pair<UINT, DWORD>>{{flags[option], 0xFFFFFFFF}}));
      const bool privilege = std::count(fake_.log.begin(), fake_.log.end(), "AdjustTokenPrivileges") == 1;
      EXPECT_EQ(privilege, nt) << "option " << option;  // Log Off included
    }
  }
  fake_ = Fake{};
  EXPECT_THROW(RequestExitWindows(5, true), Failure);
  EXPECT_TRUE(fake_.log.empty());
}

TEST_F(ShutdownRequest, RefusalIsReportedWithCodeAndDescription) {
  fake_.exitResult = FALSE;
  fake_.exitError = ERROR_PRIVILEGE_NOT_HELD;
  const ExitRequestOutcome outcome = RequestExitWindows(2, false);
  EXPECT_FALSE(outcome.accepted);
  EXPECT_EQ(outcome.error, 1314u);
  const std::string description = win::ErrorDescription(1314);
  EXPECT_NE(description, "Error 1314");  // the system has a text for it
  ReportRefusal(outcome.error);
  EXPECT_EQ(fake_.log.back(), "Box: 1314\r\n" + description + "|OKU|16");
}

// The real token calls (never ExitWindowsEx): the routine leaves the privilege enabled.
TEST(ShutdownPrivilege, RealTokenEndsWithThePrivilegeEnabled) {
  std::vector<std::string> texts;
  SetMessageBoxHook(
      [&](const std::string& text, const std::string&, unsigned) { return texts.push_back(text), kAnswerOk; });
  EnableShutdownPrivilege();
  SetMessageBoxHook(nullptr);
  EXPECT_EQ(texts, std::vector<std::string>{});

  HANDLE raw = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw));
  const win::UniqueHandle token(raw);
  PRIVILEGE_SET query{1, PRIVILEGE_SET_ALL_NECESSARY, {}};
  ASSERT_TRUE(LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &query.Privilege[0].Luid));
  BOOL enabled = FALSE;
  ASSERT_TRUE(PrivilegeCheck(token.get(), &query, &enabled));
  EXPECT_TRUE(enabled);
}
