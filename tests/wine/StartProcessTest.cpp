// Starting programs with CreateProcessA under Wine: id, window mode, the named exe, and failures.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>

#include "ShellTestSupport.h"
#include "platform/Failure.h"
#include "platform/Handles.h"
#include "platform/Process.h"

using namespace std::chrono_literals;
using shelltest::ScratchFolder;

namespace {
std::string Probe() { return shelltest::ExeFolder() + "ShellOpenProbe.exe"; }
std::string Quoted(const std::string& text) { return "\"" + text + "\""; }
}  // namespace

TEST(StartProcess, ReturnsTheChildsIdAndHandsOnTheWindowMode) {
  ScratchFolder scratch;
  for (int mode : {SW_SHOWNORMAL, SW_HIDE, SW_SHOWMINNOACTIVE, SW_SHOWMAXIMIZED}) {
    const std::string report = scratch / ("mode" + std::to_string(mode) + ".txt");
    const std::string commandLine = Quoted(Probe()) + " " + Quoted(report);
    const unsigned long pid = StartProcess(commandLine, mode);
    const auto text = shelltest::WaitForFile(report, 20s);
    ASSERT_TRUE(text.has_value()) << "the child did not report, mode " << mode;
    EXPECT_EQ(*text, std::to_string(pid) + "\n" + std::to_string(mode) + "\n" + commandLine + "\n");
  }
}

TEST(StartProcess, DoesNotWaitForTheChild) {
  ScratchFolder scratch;
  const std::string report = scratch / "stay.txt";
  const auto before = std::chrono::steady_clock::now();
  const unsigned long pid = StartProcess(Quoted(Probe()) + " " + Quoted(report) + " --stay", SW_HIDE);
  EXPECT_LT(std::chrono::steady_clock::now() - before, 10s);
  ASSERT_TRUE(shelltest::WaitForFile(report, 20s).has_value());
  EXPECT_TRUE(shelltest::IsRunning(pid));
  EXPECT_TRUE(shelltest::EndProcessById(pid));
}

TEST(StartProcess, NamedApplicationRunsWhateverTheCommandLineStartsWith) {
  ScratchFolder scratch;
  const std::string report = scratch / "named.txt";
  // The first word names no file at all: only the explicit application name can start the probe.
  const std::string commandLine = "nosuchplanted.exe " + Quoted(report);
  const unsigned long pid = StartProcess(commandLine, SW_SHOWNORMAL, Probe());
  const auto text = shelltest::WaitForFile(report, 20s);
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(*text, std::to_string(pid) + "\n1\n" + commandLine + "\n");
}

TEST(StartProcess, FailuresCarryTheirNumberAndText) {
  ScratchFolder scratch;
  const std::string notAProgram = scratch / "text.exe";
  shelltest::WriteWholeFile(notAProgram, "plain text, not a program\r\n");
  struct Case {
    std::string commandLine;
    std::string applicationName;
    long number;
    std::string description;
  };
  const Case cases[] = {
      {"", "", kErrFileNotFound, "File not found"},
      {"C:\\okunosuchdir\\prog.exe", "", kErrFileNotFound, "File not found"},
      {Quoted(scratch / "missing.exe") + " /x", "", kErrFileNotFound, "File not found"},
      {"okunosuchprogram", "", kErrFileNotFound, "File not found"},
      {"prog.exe", scratch / "missing.exe", kErrFileNotFound, "File not found"},
      {Quoted(notAProgram), "", ERROR_BAD_EXE_FORMAT, win::ErrorDescription(ERROR_BAD_EXE_FORMAT)},
  };
  for (const Case& c : cases) {
    try {
      const unsigned long pid = StartProcess(c.commandLine, SW_SHOWNORMAL, c.applicationName);
      shelltest::EndProcessById(pid);
      ADD_FAILURE() << "started: " << c.commandLine;
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.number, c.number) << c.commandLine;
      EXPECT_EQ(failure.description, c.description) << c.commandLine;
    }
  }
}
