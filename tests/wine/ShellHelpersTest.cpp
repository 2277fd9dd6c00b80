// The shell routines under Wine: the verbs handed to the shell, the silent Open With fallback, the
// missing-file box, the browser probe file, and starting a missing program. Message boxes are
// answered through the hook.
#include <gtest/gtest.h>

#include <cstring>

#include "ShellTestSupport.h"
#include "platform/ComPtr.h"
#include "platform/Failure.h"
#include "platform/Handles.h"
#include "platform/Process.h"
#include "shell/mShellLink.h"
#include "shell/misc.h"

namespace {
class ShellHelpers : public ::testing::Test {
 protected:
  win::ComApartment com;
  shelltest::ScratchFolder scratch;
  win::ScopedCalls<ShellApi> shell{ShellApi::Real()};  // each test changes what it fakes in place
  shelltest::MessageRecorder messages;
};
}  // namespace

TEST_F(ShellHelpers, OnlyOpenAndExploreAsWrittenReachTheShell) {
  std::string seen;
  win::Calls<ShellApi>().execute = [&](const char* verb, const char*, const char*, int) {
    seen += verb ? verb + std::string(" ") : "(default) ";
    return intptr_t{42};
  };
  for (const char* verb : {"open", "OPEN", "print", "", "Open", "Explore"})
    EXPECT_EQ(ShellExecuteFile("C:\\x.txt", SW_SHOWNORMAL, verb), -1) << verb;
  EXPECT_EQ(seen, "(default) (default) (default) (default) Open Explore ");
}

TEST_F(ShellHelpers, DocumentWithoutProgramOpensOpenWithSilently) {
  const std::string document = scratch.File("letter.okunoassoc", "no program knows this type\r\n");
  std::string started;
  unsigned long pid = 0;
  win::Calls<ShellApi>().startProcess = [&](const std::string& line, int mode, const std::string& application) {
    started = application + "|" + line;
    return pid = StartProcess(line, mode, application);
  };
  EXPECT_EQ(ShellExecuteFile(document, SW_SHOWNORMAL, ""), -1);
  const win::UniqueHandle dialog(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
  EXPECT_EQ(WaitForSingleObject(dialog.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "it waits for the user";
  TerminateProcess(dialog.get(), 1);
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, sizeof system);
  EXPECT_EQ(started, std::string(system) + "\\rundll32.exe|rundll32.exe shell32.dll,OpenAs_RunDLL " + document);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ShellHelpers, MissingFileShowsTheStopBoxWithTheFileAndItsText) {
  EXPECT_EQ(ShellExecuteFile(scratch.Path() + "gone.txt", SW_SHOWNORMAL, ""), 2);
  EXPECT_EQ(messages.shown, (std::vector<std::string>{"Shell execute failed.../16: " + scratch.Path() +
                                                      "gone.txt\r\nError: File not found.  Couldn't Execute!"}));
}

// The probe lives in the user's temporary folder and is gone after either failure message.
TEST_F(ShellHelpers, WebPageProbeIsRemovedAfterEitherFailure) {
  const std::string probe = (std::filesystem::temp_directory_path() / "tempzink777.htm").string();
  for (const auto& [found, box] : {std::pair{intptr_t{2}, "Browser Not Found.../48: Could not open your browser!"},
                                   {intptr_t{42}, "Website URL Failed.../48: Web page failed to be opened."}}) {
    std::string seen;
    win::Calls<ShellApi>().findExecutable = [&](const char* file, char* result) {
      seen = std::string(file) + "|" + shelltest::ReadWholeFile(file);
      std::strcpy(result, "C:\\okunosuchbrowser.exe");
      return found;
    };
    messages.shown.clear();
    OpenWebPage("okunosuchscheme:page", false);
    EXPECT_EQ(seen, probe + "|<HTML> <\\HTML>\r\n");
    EXPECT_EQ(messages.shown, (std::vector<std::string>{box}));
    EXPECT_FALSE(shelltest::Exists(probe));
  }
}

TEST(StartProcess, MissingProgramsAreFileNotFound) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""}, {"okunosuchprogram /x", ""}, {"cmd.exe /c exit", "C:\\okunosuchdir\\missing.exe"}};
  for (const auto& [commandLine, applicationName] : cases) {
    try {
      StartProcess(commandLine, SW_HIDE, applicationName);
      ADD_FAILURE() << "started: " << commandLine;
    } catch (const Failure& failure) {
      EXPECT_EQ(std::pair(failure.number, failure.description), std::pair(53L, std::string("File not found")));
    }
  }
}
