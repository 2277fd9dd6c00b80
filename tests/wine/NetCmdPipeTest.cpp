// Module cmdpipe on real processes under Wine: ipconfig, a missing program, children that write
// nothing, too much, to standard error only, OEM letters, or never end, and one whose grandchild
// keeps the pipe open. Every capture runs on a worker thread with a limit, so a fault fails the
// test instead of hanging the run.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <future>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include "net/NetInfoText.h"
#include "net/cmdpipe.h"

namespace {

using namespace std::chrono_literals;

struct Timed {
  std::string text;
  std::chrono::milliseconds took;
};

// RunCaptured on a worker thread; nothing when it has not returned within the limit (the thread is
// then left to the end of the test process).
std::optional<Timed> CaptureWithin(const std::string& commandLine, std::chrono::seconds limit,
                                   unsigned long timeLimitMs = kCommandTimeLimitMs) {
  auto done = std::make_shared<std::promise<Timed>>();
  auto result = done->get_future();
  std::thread([done, commandLine, timeLimitMs] {
    const auto start = std::chrono::steady_clock::now();
    std::string text = RunCaptured(commandLine, timeLimitMs);
    done->set_value({std::move(text),
                     std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)});
  }).detach();
  if (result.wait_for(limit) != std::future_status::ready) return std::nullopt;
  return result.get();
}

std::string Directory(UINT (*get)(LPSTR, UINT)) {
  char path[MAX_PATH];
  const UINT length = get(path, MAX_PATH);
  std::string dir(path, length);
  if (dir.empty() || dir.back() != '\\') dir += '\\';
  return dir;
}

// A test program built next to this test executable.
std::string Program(const char* name) {
  char self[MAX_PATH];
  std::string path(self, GetModuleFileNameA(nullptr, self, MAX_PATH));
  path.resize(path.rfind('\\') + 1);
  std::string quoted(1, '"');
  quoted += path;
  quoted += name;
  quoted += ".exe\"";
  return quoted;
}

std::string TempFile(const char* tag) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string path = std::string(dir) + "oku_net_" + tag + "_" + std::to_string(GetCurrentProcessId()) + ".txt";
  DeleteFileA(path.c_str());
  return path;
}

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The process id a child wrote into its file, waiting a little for it to appear.
DWORD PidFrom(const std::string& path) {
  for (int i = 0; i < 100; ++i) {
    const std::string text = ReadWhole(path);
    if (!text.empty()) return std::stoul(text);
    Sleep(50);
  }
  return 0;
}

// True when the process has ended within the wait; otherwise it is ended here, so no test leaves one.
bool EndedWithin(DWORD pid, DWORD ms) {
  const HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
  if (!process) return true;  // already gone
  const bool ended = WaitForSingleObject(process, ms) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(process, 1);
  CloseHandle(process);
  return ended;
}

TEST(NetCmdPipe, IpconfigGivesWhatTheShellRedirectionWrites) {
  const std::string systemDir = Directory(GetSystemDirectoryA);
  const std::string commandLine = NetInfoCommandLine(true, systemDir, Directory(GetWindowsDirectoryA));
  ASSERT_EQ(commandLine, systemDir + "ipconfig.exe /all");
  const auto captured = CaptureWithin(commandLine, 90s);
  ASSERT_TRUE(captured) << "RunCaptured did not return";
  ASSERT_FALSE(captured->text.empty());
  ASSERT_NE(captured->text.rfind("Error:", 0), 0u) << captured->text;

  const std::string file = TempFile("ipconfig");
  std::string shell = "cmd.exe /c ipconfig /all > \"" + file + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  ASSERT_TRUE(CreateProcessA(nullptr, shell.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
  const bool ended = WaitForSingleObject(info.hProcess, 60000) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(info.hProcess, 1);
  CloseHandle(info.hProcess);
  CloseHandle(info.hThread);
  ASSERT_TRUE(ended);
  EXPECT_EQ(captured->text, ReadWhole(file));
  DeleteFileA(file.c_str());
}

TEST(NetCmdPipe, MissingProgramGivesTheCreateProcessCode) {
  // The Windows 9x command line: this prefix has no ipconfig in the Windows directory.
  const std::string windowsDir = Directory(GetWindowsDirectoryA);
  const std::string commandLine = NetInfoCommandLine(false, Directory(GetSystemDirectoryA), windowsDir);
  ASSERT_EQ(GetFileAttributesA((windowsDir + "ipconfig.exe").c_str()), INVALID_FILE_ATTRIBUTES);
  const auto captured = CaptureWithin(commandLine, 30s);
  ASSERT_TRUE(captured) << "RunCaptured did not return";
  EXPECT_EQ(captured->text, "Error: CreateProcess failed. 2");
}

TEST(NetCmdPipe, ChildrenThatWriteLittleOrTooMuchReturnTheirBytes) {
  std::string firstBytes;
  for (unsigned line = 0; firstBytes.size() < kCaptureLimit; ++line) {
    char text[16];
    firstBytes.append(text, std::snprintf(text, sizeof text, "%07u\r\n", line));
  }
  firstBytes.resize(kCaptureLimit);

  struct Case {
    const char* program;
    std::string expected;
  };
  const Case cases[] = {
      {"writes_nothing", ""},
      {"writes_stderr_only", ""},
      {"writes_1mb", firstBytes},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program);
    const auto captured = CaptureWithin(Program(c.program), 60s);
    ASSERT_TRUE(captured) << "RunCaptured did not return";
    EXPECT_EQ(captured->text.size(), c.expected.size());
    EXPECT_TRUE(captured->text == c.expected) << captured->text.substr(0, 200);
    // Each ends on the pipe's end: a pipe kept open by our own write end would only end on the
    // 3-second grace that RunCaptured gives a child's leftovers.
    EXPECT_LT(captured->took, 3000ms);
  }
}

TEST(NetCmdPipe, OemLettersArriveInTheAnsiCodePage) {
  if (GetOEMCP() != 437 || GetACP() != 1252) GTEST_SKIP() << "needs OEM 437 and ANSI 1252";
  const auto captured = CaptureWithin(Program("writes_oem"), 30s);
  ASSERT_TRUE(captured) << "RunCaptured did not return";
  EXPECT_EQ(captured->text, "\xFC\xE4\xF6\xDC\r\n");
}

TEST(NetCmdPipe, ChildPastTheTimeLimitIsEndedAndReported) {
  const std::string pidFile = TempFile("hangs");
  const auto captured = CaptureWithin(Program("hangs_after_writing") + " \"" + pidFile + "\"", 30s, 1500);
  const DWORD pid = PidFrom(pidFile);
  ASSERT_NE(pid, 0u) << "the child never ran";
  EXPECT_TRUE(EndedWithin(pid, 5000)) << "the child was left running";
  DeleteFileA(pidFile.c_str());
  ASSERT_TRUE(captured) << "RunCaptured did not return";
  EXPECT_EQ(captured->text, "Error: WaitForSingleObject failed. 258");
  EXPECT_GE(captured->took, 1500ms);
  EXPECT_LT(captured->took, 10000ms);
}

TEST(NetCmdPipe, GrandchildHoldingThePipeDoesNotHoldTheCapture) {
  const std::string pidFile = TempFile("grandchild");
  const auto captured = CaptureWithin(Program("leaves_grandchild") + " \"" + pidFile + "\"", 30s);
  const DWORD pid = PidFrom(pidFile);
  ASSERT_NE(pid, 0u) << "the grandchild never ran";
  EXPECT_FALSE(EndedWithin(pid, 0)) << "the grandchild should still be running (and is ended now)";
  DeleteFileA(pidFile.c_str());
  ASSERT_TRUE(captured) << "RunCaptured did not return";
  EXPECT_EQ(captured->text, "parent done\r\n");
  EXPECT_LT(captured->took, 10000ms);
}

TEST(NetCmdPipe, NetInfoTextStartsWithTodayAndTheCommand) {
  SYSTEMTIME before, after;
  GetLocalTime(&before);
  const std::string text = BuildNetInfoText("C:\\X\\ipconfig.exe /all", "body\r\n");
  GetLocalTime(&after);
  if (before.wDay != after.wDay) GTEST_SKIP() << "the date changed while the test ran";

  const std::string lead = "Generated via OKU on ";
  ASSERT_EQ(text.rfind(lead, 0), 0u) << text;
  const size_t lineEnd = text.find("\r\n");
  ASSERT_NE(lineEnd, std::string::npos);
  const std::string date = text.substr(lead.size(), lineEnd - lead.size());
  EXPECT_NE(date.find(std::to_string(before.wYear % 100)), std::string::npos) << date;
  EXPECT_NE(date.find(std::to_string(before.wDay)), std::string::npos) << date;
  EXPECT_EQ(date.find(':'), std::string::npos) << "a time, not a date: " << date;
  EXPECT_EQ(text.substr(lineEnd), "\r\nCommand C:\\X\\ipconfig.exe /all\r\nbody\r\n");
}

}  // namespace
