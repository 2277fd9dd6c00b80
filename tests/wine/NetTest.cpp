// Ip through a fake wsock32 (the exact boxes, whether the program must end), and cmdpipe on real
// processes, each capture on a worker thread with a limit so that a fault cannot hang the run.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "ShellTestSupport.h"
#include "net/Ip.h"
#include "net/NetInfoText.h"
#include "net/SocketsApi.h"
#include "net/cmdpipe.h"

namespace {

char gName[] = "testhost", *gNone[] = {nullptr};
hostent gHost{gName, gNone, AF_INET, 4, gNone};  // no addresses

// What the fake wsock32 answers.
struct FakeSockets {
  int startupResult = 0;
  WORD version = 0x0101;
  unsigned short maxSockets = 32767;
  int hostNameResult = 0;
  hostent* entry = &gHost;
  int cleanupResult = 0;
} gFake;

TEST(NetIp, LookupShowsEachFailureBoxAndSaysWhetherTheProgramEnds) {
  const win::ScopedCalls<SocketsApi> fake({
      [](WORD, WSADATA* data) {
        return data->wVersion = gFake.version, data->iMaxSockets = gFake.maxSockets, gFake.startupResult;
      },
      [] { return gFake.cleanupResult; },
      [] { return 10093; },
      [](char* name, int length) { return lstrcpynA(name, "testhost", length), gFake.hostNameResult; },
      [](const char*) { return gFake.entry; },
  });
  shelltest::MessageRecorder boxes;
  const struct {
    FakeSockets fake;
    const char* box;
    bool endProgram, found;
  } cases[] = {
      {{}, "", false, true},
      {{.startupResult = 10091}, "OKU/0: Winsock.dll is Not responding.", true, false},
      {{.version = 0x0001}, "OKU/0: Windows Sockets version 1.0 is Not supported by winsock.dll ", true, false},
      {{.maxSockets = 0}, "OKU/0: This application requires a minimum of 1 supported sockets.", true, false},
      {{.hostNameResult = SOCKET_ERROR}, "OKU/0: Windows Sockets Error  10093", false, false},
      {{.entry = nullptr}, "OKU/0: Winsock.dll is Not responding.", false, false},
      {{.cleanupResult = -1}, "OKU/0: Socket Error -1 occurred In Cleanup ", true, true},
  };
  for (const auto& c : cases) {
    gFake = c.fake;
    boxes.shown.clear();
    const HostLookup lookup = LookUpHost();
    EXPECT_EQ(boxes.shown, c.box[0] ? std::vector<std::string>{c.box} : std::vector<std::string>{});
    EXPECT_EQ(lookup.endProgram, c.endProgram) << c.box;
    EXPECT_EQ(lookup.found, c.found) << c.box;
    EXPECT_EQ(lookup.hostLabel, c.found ? "TESTHOST" : "") << c.box;
  }
}

using namespace std::chrono_literals;

// RunCaptured's text, or nothing when it has not returned within the limit (the thread is then
// left to the end of the test process).
std::optional<std::string> CaptureWithin(const std::string& commandLine, std::chrono::seconds limit) {
  auto done = std::make_shared<std::promise<std::string>>();
  auto result = done->get_future();
  std::thread([done, commandLine] { done->set_value(RunCaptured(commandLine)); }).detach();
  if (result.wait_for(limit) != std::future_status::ready) return std::nullopt;
  return result.get();
}

TEST(NetCmdPipe, IpconfigGivesWhatTheShellRedirectionWrites) {
  char systemDir[MAX_PATH];
  GetSystemDirectoryA(systemDir, MAX_PATH);
  const auto captured = CaptureWithin(NetInfoCommandLine(true, std::string(systemDir) + "\\", ""), 90s);
  ASSERT_TRUE(captured) << "RunCaptured did not return";

  char temp[MAX_PATH];
  const std::string file = std::string(temp, GetTempPathA(MAX_PATH, temp)) + "oku_ipconfig.txt";
  // The shell's own redirection, run through the capture only for its time limit.
  ASSERT_TRUE(CaptureWithin("cmd.exe /c ipconfig /all > \"" + file + "\"", 90s));
  const std::string written = shelltest::ReadWholeFile(file);
  DeleteFileA(file.c_str());
  EXPECT_FALSE(captured->empty());
  EXPECT_EQ(*captured, written);
}

TEST(NetCmdPipe, ChildProgramsGiveTheirBytesCutAndConverted) {
  std::string firstBytes;  // what writes_1mb writes first
  for (int i = 0; i < 10240; ++i) firstBytes += static_cast<char>('a' + i % 4096 % 26);
  const bool usCodePages = GetOEMCP() == 437 && GetACP() == 1252;
  // The test programs: CreateProcess looks in this program's own directory first.
  const struct {
    std::string commandLine, expected;
  } cases[] = {
      // The Windows 9x command line: this prefix has no ipconfig in the Windows directory.
      {NetInfoCommandLine(false, "", "C:\\windows\\"), "Error: CreateProcess failed. 2"},
      {"writes_nothing.exe", ""},
      {"writes_stderr_only.exe", ""},
      {"writes_1mb.exe", firstBytes},
      {usCodePages ? "writes_oem.exe" : "", "\xFC\xE4\xF6\xDC\r\n"},  // OEM 437 to ANSI 1252
  };
  for (const auto& c : cases) {
    if (c.commandLine.empty()) continue;
    SCOPED_TRACE(c.commandLine);
    const auto start = std::chrono::steady_clock::now();
    const auto captured = CaptureWithin(c.commandLine, 60s);
    ASSERT_TRUE(captured) << "RunCaptured did not return";
    EXPECT_TRUE(*captured == c.expected) << captured->substr(0, 200);
    // Each ends on the pipe's end: a pipe kept open by our own write end would only end on the
    // 3-second grace that RunCaptured gives a child's leftovers.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3000ms);
  }
}

}  // namespace
