// The privilege routine and the request to Windows through a fake of the token calls and of
// ExitWindowsEx (the real one would end every process of the prefix). The fake keeps its own
// last-error code, so the messages show exactly what each faked step left.
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

const HANDLE kFakeProcess = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1));
const HANDLE kFakeToken = reinterpret_cast<HANDLE>(static_cast<intptr_t>(0x4242));
constexpr DWORD kFakeLuidLow = 0x13;

struct Message {
  std::string text, caption;
  unsigned style;
  bool operator==(const Message&) const = default;
};

// What the fake saw and what it answers.
struct FakeWindows {
  std::map<std::string, DWORD> failures;  // step name -> last-error code it leaves
  BOOL exitResult = TRUE;
  DWORD exitError = 0;
  DWORD lastError = 0;
  std::vector<std::string> calls;  // in order, "Set0" for SetLastError(0)
  std::vector<Message> messages;
  DWORD openAccess = 0;
  HANDLE openProcess = nullptr;
  HANDLE adjustedToken = nullptr;
  TOKEN_PRIVILEGES adjusted{};
  DWORD adjustLength = 0;
  bool previousGiven = false;
  std::string privilegeName;
  std::vector<HANDLE> closed;
  std::vector<std::pair<UINT, DWORD>> exits;
};
FakeWindows* gFake = nullptr;

BOOL Leave(const char* step) {
  gFake->calls.push_back(step);
  const auto failure = gFake->failures.find(step);
  gFake->lastError = failure == gFake->failures.end() ? 0 : failure->second;
  // AdjustTokenPrivileges reports a privilege not held through the last error alone.
  return gFake->lastError == 0 || gFake->lastError == ERROR_NOT_ALL_ASSIGNED;
}

HANDLE WINAPI FakeGetCurrentProcess() {
  Leave("GetCurrentProcess");
  return kFakeProcess;
}
BOOL WINAPI FakeOpenProcessToken(HANDLE process, DWORD access, PHANDLE token) {
  gFake->openProcess = process;
  gFake->openAccess = access;
  const BOOL ok = Leave("OpenProcessToken");
  if (ok) *token = kFakeToken;
  return ok;
}
BOOL WINAPI FakeLookupPrivilegeValue(LPCSTR, LPCSTR name, PLUID luid) {
  gFake->privilegeName = name ? name : "";
  const BOOL ok = Leave("LookupPrivilegeValue");
  if (ok) *luid = LUID{kFakeLuidLow, 0};
  return ok;
}
BOOL WINAPI FakeAdjustTokenPrivileges(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES state, DWORD length,
                                      PTOKEN_PRIVILEGES previous, PDWORD returned) {
  gFake->adjustedToken = disableAll ? nullptr : token;
  gFake->adjusted = *state;
  gFake->adjustLength = length;
  gFake->previousGiven = previous != nullptr && returned != nullptr;
  return Leave("AdjustTokenPrivileges");
}
BOOL WINAPI FakeCloseHandle(HANDLE h) {
  gFake->calls.push_back("CloseHandle");
  gFake->closed.push_back(h);
  return TRUE;
}
BOOL WINAPI FakeExitWindowsEx(UINT flags, DWORD reason) {
  gFake->calls.push_back("ExitWindowsEx");
  gFake->exits.emplace_back(flags, reason);
  gFake->lastError = gFake->exitError;
  return gFake->exitResult;
}
void WINAPI FakeSetLastError(DWORD code) {
  if (code == 0) gFake->calls.push_back("Set0");
  gFake->lastError = code;
}
DWORD WINAPI FakeGetLastError() { return gFake->lastError; }

class ShutdownRequest : public ::testing::Test {
 protected:
  void SetUp() override {
    gFake = &fake_;
    previous_ = SetShutdownApi(ShutdownApi{FakeGetCurrentProcess, FakeOpenProcessToken, FakeLookupPrivilegeValue,
                                           FakeAdjustTokenPrivileges, FakeCloseHandle, FakeExitWindowsEx,
                                           FakeSetLastError, FakeGetLastError});
    SetMessageBoxHook([this](const std::string& text, const std::string& caption, unsigned style) {
      fake_.messages.push_back(Message{text, caption, style});
      fake_.calls.push_back("Message");
      return kAnswerOk;
    });
  }
  void TearDown() override {
    SetMessageBoxHook(nullptr);
    SetShutdownApi(previous_);
    gFake = nullptr;
  }

  FakeWindows fake_;
  ShutdownApi previous_{};
};

}  // namespace

TEST_F(ShutdownRequest, EachFailedStepShowsItsCodeAndTheRequestIsMadeRegardless) {
  struct Case {
    std::map<std::string, DWORD> failures;
    std::vector<std::string> texts;
  };
  const std::vector<Case> cases = {
      {{}, {}},
      {{{"AdjustTokenPrivileges", ERROR_NOT_ALL_ASSIGNED}}, {"AdjustTokenPrivileges error==1300"}},
      {{{"OpenProcessToken", ERROR_ACCESS_DENIED}}, {"OpenProcessToken error==5"}},
      {{{"LookupPrivilegeValue", ERROR_NO_SUCH_PRIVILEGE}}, {"LookupPrivilegeValue error==1313"}},
      {{{"GetCurrentProcess", 6}, {"OpenProcessToken", 5}, {"LookupPrivilegeValue", 1313},
        {"AdjustTokenPrivileges", 1300}},
       {"GetCurrentProcess error==6", "OpenProcessToken error==5", "LookupPrivilegeValue error==1313",
        "AdjustTokenPrivileges error==1300"}},
  };
  for (const Case& c : cases) {
    fake_ = FakeWindows{};
    fake_.failures = c.failures;
    const ExitRequestOutcome outcome = RequestExitWindows(3, true);

    std::vector<Message> expected;
    for (const std::string& text : c.texts) expected.push_back(Message{text, "OKU", 0});
    EXPECT_EQ(fake_.messages, expected) << c.texts.size() << " failures";
    ASSERT_EQ(fake_.exits.size(), 1u);
    EXPECT_EQ(fake_.exits[0], (std::pair<UINT, DWORD>{7u, 0xFFFFFFFFu}));
    EXPECT_EQ(fake_.calls.back(), "ExitWindowsEx");  // after every message
    EXPECT_TRUE(outcome.accepted);
    // The token, when one was opened, is closed once, after its use and before the request.
    const bool opened = !c.failures.contains("OpenProcessToken");
    EXPECT_EQ(fake_.closed, opened ? std::vector<HANDLE>{kFakeToken} : std::vector<HANDLE>{});
  }
}

TEST_F(ShutdownRequest, StepsRunInOrderWithTheirArguments) {
  RequestExitWindows(0, true);
  const std::vector<std::string> expectedCalls = {
      "Set0", "GetCurrentProcess",     "Set0",        "OpenProcessToken", "Set0", "LookupPrivilegeValue",
      "Set0", "AdjustTokenPrivileges", "CloseHandle", "Set0",             "ExitWindowsEx"};
  EXPECT_EQ(fake_.calls, expectedCalls);
  EXPECT_EQ(fake_.openProcess, kFakeProcess);
  EXPECT_EQ(fake_.openAccess, 40u);
  EXPECT_EQ(fake_.privilegeName, "SeShutdownPrivilege");
  EXPECT_EQ(fake_.adjustedToken, kFakeToken);  // and not "disable all"
  EXPECT_EQ(fake_.adjusted.PrivilegeCount, 1u);
  EXPECT_EQ(fake_.adjusted.Privileges[0].Luid.LowPart, kFakeLuidLow);
  EXPECT_EQ(fake_.adjusted.Privileges[0].Attributes, static_cast<DWORD>(SE_PRIVILEGE_ENABLED));
  EXPECT_EQ(fake_.adjustLength, 16u);
  EXPECT_TRUE(fake_.previousGiven);
}

TEST_F(ShutdownRequest, EveryOptionAsksWithItsFlagsAndNtFamilyEnablesThePrivilegeFirst) {
  const UINT flags[] = {13, 1, 5, 7, 0};
  for (bool nt : {true, false}) {
    for (int option = 0; option < 5; ++option) {
      fake_ = FakeWindows{};
      RequestExitWindows(option, nt);
      ASSERT_EQ(fake_.exits.size(), 1u);
      EXPECT_EQ(fake_.exits[0].first, flags[option]);
      const bool privilegeRun = std::find(fake_.calls.begin(), fake_.calls.end(), "AdjustTokenPrivileges") !=
                                fake_.calls.end();
      EXPECT_EQ(privilegeRun, nt) << "option " << option;  // Log Off included
    }
  }
  fake_ = FakeWindows{};
  EXPECT_THROW(RequestExitWindows(5, true), Failure);
  EXPECT_TRUE(fake_.calls.empty());
}

TEST_F(ShutdownRequest, RefusalIsReportedWithCodeAndDescription) {
  fake_.exitResult = FALSE;
  fake_.exitError = ERROR_PRIVILEGE_NOT_HELD;
  const ExitRequestOutcome outcome = RequestExitWindows(2, false);
  EXPECT_FALSE(outcome.accepted);
  EXPECT_EQ(outcome.error, 1314u);

  const std::string description = win::ErrorDescription(1314);
  EXPECT_NE(description, "Error 1314");  // Windows knows the code
  EXPECT_EQ(RefusalText(outcome.error), "1314\r\n" + description);
  ReportRefusal(outcome.error);
  ASSERT_EQ(fake_.messages.size(), 1u);
  EXPECT_EQ(fake_.messages[0], (Message{"1314\r\n" + description, "OKU", 16}));
}

// The real token calls (no ExitWindowsEx): the routine leaves the privilege enabled.
TEST(ShutdownPrivilege, RealTokenEndsWithThePrivilegeEnabled) {
  std::vector<std::string> texts;
  SetMessageBoxHook([&](const std::string& text, const std::string&, unsigned) {
    texts.push_back(text);
    return kAnswerOk;
  });
  EnableShutdownPrivilege();
  SetMessageBoxHook(nullptr);
  EXPECT_TRUE(texts.empty()) << texts.front();

  HANDLE raw = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw));
  const win::UniqueHandle token(raw);
  LUID id{};
  ASSERT_TRUE(LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &id));
  PRIVILEGE_SET query{1, PRIVILEGE_SET_ALL_NECESSARY, {{id, 0}}};
  BOOL enabled = FALSE;
  ASSERT_TRUE(PrivilegeCheck(token.get(), &query, &enabled));
  EXPECT_TRUE(enabled);
}
