// Starting programs with CreateProcessA under Wine: id, window mode, the named exe, and failures.
#include <gtest/gtest.h>
#include <windows.h>

#include "ShellTestSupport.h"
#include "platform/Failure.h"
#include "platform/Handles.h"
#include "platform/Process.h"

using namespace std::chrono_literals;

namespace {
std::string Quoted(std::string text) {
  text.insert(text.begin(), '"');
  text += '"';
  return text;
}
const std::string kProbe = Quoted(shelltest::ExeFolder() + "ShellOpenProbe.exe");
}  // namespace

TEST(StartProcess, ReturnsAtOnceWithTheChildsIdAndHandsOnTheWindowMode) {
  shelltest::ScratchFolder scratch;
  struct Case {
    int mode;
    std::string applicationName, firstWord;
  };
  // With an explicit application name the first word may name no file at all.
  const Case cases[] = {{SW_SHOWNORMAL, "", kProbe},
                        {SW_HIDE, "", kProbe},
                        {SW_SHOWMINNOACTIVE, "", kProbe},
                        {SW_SHOWMAXIMIZED, shelltest::ExeFolder() + "ShellOpenProbe.exe", "nosuchplanted.exe"}};
  for (const Case& c : cases) {
    const std::string report = scratch / ("mode" + std::to_string(c.mode) + ".txt");
    const std::string commandLine = c.firstWord + " " + Quoted(report) + " --stay";
    const unsigned long pid = StartProcess(commandLine, c.mode, c.applicationName);
    const auto text = shelltest::WaitForFile(report, 20s);
    ASSERT_TRUE(text.has_value()) << "the child did not report, mode " << c.mode;
    EXPECT_EQ(*text, std::to_string(pid) + "\n" + std::to_string(c.mode) + "\n" + commandLine + "\n");
    EXPECT_TRUE(shelltest::EndRunningProcess(pid));  // still running: nobody waited for it
  }
}

TEST(StartProcess, FailuresCarryTheirNumberAndText) {
  shelltest::ScratchFolder scratch;
  const std::string notAProgram = scratch / "text.exe";
  shelltest::WriteWholeFile(notAProgram, "plain text, not a program\r\n");
  struct Case {
    std::string commandLine, applicationName;
    long number;
    std::string description;
  };
  const Case cases[] = {
      {"", "", kErrFileNotFound, "File not found"},
      {"C:\\okunosuchdir\\prog.exe", "", kErrFileNotFound, "File not found"},
      {"okunosuchprogram /x", "", kErrFileNotFound, "File not found"},
      {"prog.exe", scratch / "missing.exe", kErrFileNotFound, "File not found"},
      {Quoted(notAProgram), "", ERROR_BAD_EXE_FORMAT, win::ErrorDescription(ERROR_BAD_EXE_FORMAT)},
  };
  for (const Case& c : cases) {
    try {
      shelltest::EndRunningProcess(StartProcess(c.commandLine, SW_SHOWNORMAL, c.applicationName));
      ADD_FAILURE() << "started: " << c.commandLine;
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.number, c.number) << c.commandLine;
      EXPECT_EQ(failure.description, c.description) << c.commandLine;
    }
  }
}
