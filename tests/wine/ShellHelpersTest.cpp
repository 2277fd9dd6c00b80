// The shell routines under Wine: the verbs handed to the shell, the silent Open With fallback, the
// missing-file box, the browser probe file, starting a missing program, the directory search with
// trailing backslashes (which FindFirstFileA refuses), CenterForm, and shortcuts written and read
// back (lnkinfo reads their description and window mode: tests/scripts/ShellLinkLnkinfo.sh).
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "ShellTestSupport.h"
#include "platform/ComPtr.h"
#include "platform/Failure.h"
#include "platform/Handles.h"
#include "platform/Process.h"
#include "shell/FolderSearch.h"
#include "shell/cShellLink.h"
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

HWND MakeWindow(int x, int y, int width, int height, DWORD style, HWND owner = nullptr) {
  return CreateWindowExA(0, "STATIC", "test", style, x, y, width, height, owner, nullptr, nullptr, nullptr);
}

// Whether this thread is in a single-threaded apartment, asked without leaving one behind.
bool InSingleThreadedApartment() {
  const HRESULT probe = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  if (SUCCEEDED(probe)) CoUninitialize();
  return probe == RPC_E_CHANGED_MODE;
}
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

TEST(FolderSearch, PathsWithTrailingBackslashesAndRoots) {
  shelltest::ScratchFolder d;
  d.Folder("folder");
  SetFileAttributesA(d.Folder("hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
  constexpr DWORD kDir = FILE_ATTRIBUTE_DIRECTORY;
  for (const std::string& path :
       {d.Path() + "folder\\\\\\", d.Path(), std::string("C:\\\\"), std::string("C:"), std::string("\\")})
    EXPECT_TRUE(SearchFinds(path, kDir)) << path;
  EXPECT_FALSE(SearchFinds(d.Path() + "folder\\", 0)) << "a folder is found only when folders are asked for";
  EXPECT_FALSE(SearchFinds(d.Path() + "hidden\\", kDir)) << "nor a hidden one unless hidden entries are";
  EXPECT_FALSE(SearchFinds("C:\\", 0));
}

// A minimised owner is centred on by its restored place, and the window stays in the work area.
TEST(ShellWindowChores, CenterFormUsesTheRestoredPlaceOfAMinimisedOwner) {
  HWND owner = MakeWindow(200, 150, 400, 300, WS_OVERLAPPEDWINDOW);
  ShowWindow(owner, SW_SHOWMINNOACTIVE);
  ASSERT_TRUE(IsIconic(owner));
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
  ASSERT_TRUE(monitor.rcWork.left == 0 && monitor.rcWork.top == 0) << "the work area does not start at the corner";
  // Centred on 200..600 x 150..450; too wide to start left of the screen; larger than the screen.
  for (const auto& [width, height, x, y] : {std::tuple{200, 100, 300, 250}, {1000, 100, 0, 250}, {4000, 3000, 0, 0}}) {
    HWND window = MakeWindow(10, 10, width, height, WS_POPUP | WS_CAPTION, owner);
    CenterForm(owner, window);
    RECT placed{};
    GetWindowRect(window, &placed);
    DestroyWindow(window);
    EXPECT_EQ(std::pair(placed.left, placed.top), std::pair(long{x}, long{y})) << width;
  }
  DestroyWindow(owner);
}

// With the run's on-demand apartment, as the program holds it: COM starts with the first link.
TEST(ShellLinkClass, WritesAndReadsBackEveryValue) {
  auto com = std::make_unique<win::ComApartmentOnDemand>();
  EXPECT_FALSE(InSingleThreadedApartment());
  shelltest::ScratchFolder scratch;
  cShellLink links;
  const std::string folder = scratch.Folder("Target Folder"), lnk = scratch.Path() + "a.lnk";
  struct Values {
    std::string exeFile, workDir, exeArgs, iconFile;
    int32_t iconIdx = 0, showCmd = 0;
  };
  // Into the same file one after the other, so the second also replaces the first.
  for (const Values& c : {Values{scratch.File("prog.exe", "MZ"), "C:\\windows", "--x \"a b\"",
                                 "C:\\windows\\system32\\shell32.dll", 3, SW_SHOWMAXIMIZED},
                          Values{folder, "", "", "", 0, SW_SHOWNORMAL}}) {
    ASSERT_EQ(links.CreateShellLink(lnk, c.exeFile, c.workDir, c.exeArgs, c.iconFile, c.iconIdx, c.showCmd), -1);
    Values r;
    ASSERT_EQ(links.GetShellLinkInfo(lnk, r.exeFile, r.workDir, r.exeArgs, r.iconFile, r.iconIdx, r.showCmd), -1);
    // Wine's resolve step fills a missing icon location with the target itself.
    EXPECT_EQ(std::tie(r.exeFile, r.workDir, r.exeArgs, r.iconIdx),
              std::tie(c.exeFile, c.workDir, c.exeArgs, c.iconIdx));
    EXPECT_EQ(r.iconFile == c.exeFile && c.iconFile.empty() ? "" : r.iconFile, c.iconFile);
  }
  EXPECT_EQ(links.CreateShellLink(scratch.Path() + "no folder\\b.lnk", folder, "", "", "", 0, 1), 0);
  EXPECT_TRUE(InSingleThreadedApartment());
  com.reset();  // the holder ends the apartment it made
  EXPECT_FALSE(InSingleThreadedApartment());
}
