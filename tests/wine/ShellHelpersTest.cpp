// The shell routines under Wine: opening items, the Open With fallback, the folder picker, the
// web page and mail openers, the Send To lookup and file descriptions, with message boxes
// answered through the hook.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <winioctl.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#include "ShellTestSupport.h"
#include "platform/ComPtr.h"
#include "platform/Failure.h"
#include "shell/ShellApi.h"
#include "shell/mShellLink.h"
#include "shell/misc.h"

using namespace std::chrono_literals;
using shelltest::MessageRecorder;
using shelltest::ScratchFolder;
using shelltest::ShellApiRestorer;

namespace {

class ShellHelpers : public ::testing::Test {
 protected:
  win::ComApartment com;
  ScratchFolder scratch;
  MessageRecorder messages;
  ShellApiRestorer restoreShell;
};

std::string ProbePath() {
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  return std::string(temp) + "tempzink777.htm";
}

// The process id the probe child wrote into its report.
DWORD ReportedPid(const std::string& report) { return static_cast<DWORD>(std::stoul(report)); }

}  // namespace

TEST_F(ShellHelpers, AnyVerbButOpenAndExploreRunsTheDefaultAction) {
  const std::string probe = shelltest::ExeFolder() + "ShellOpenProbe.exe";
  int round = 0;
  for (const char* verb : {"open", "", "Open", "OPEN", "print"}) {
    const std::string report = scratch / ("verb" + std::to_string(++round) + ".txt");
    SetEnvironmentVariableA("OKU_SHELL_PROBE_OUT", report.c_str());
    EXPECT_EQ(ShellExecuteFile(probe, SW_SHOWMINNOACTIVE, verb), -1) << verb;
    const auto text = shelltest::WaitForFile(report, 20s);
    ASSERT_TRUE(text.has_value()) << "the program did not run for verb '" << verb << "'";
    shelltest::EndProcessById(ReportedPid(*text));
    // The window mode reaches the program.
    EXPECT_NE(text->find("\n7\n"), std::string::npos) << *text;
  }
  SetEnvironmentVariableA("OKU_SHELL_PROBE_OUT", nullptr);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ShellHelpers, DocumentWithoutProgramOpensOpenWithSilently) {
  const std::string document = scratch / "letter.okunoassoc";
  shelltest::WriteWholeFile(document, "no program knows this type\r\n");
  std::string commandLine, applicationName;
  unsigned long pid = 0;
  CurrentShellApi().startProcess = [&](const std::string& line, int mode, const std::string& application) {
    commandLine = line;
    applicationName = application;
    EXPECT_EQ(mode, SW_SHOWNORMAL);
    pid = RealShellApi().startProcess(line, mode, application);
    return pid;
  };

  EXPECT_EQ(ShellExecuteFile(document, SW_SHOWNORMAL, ""), -1);

  ASSERT_NE(pid, 0u);
  EXPECT_TRUE(shelltest::IsRunning(pid));  // the Open With dialog waits for the user
  EXPECT_TRUE(shelltest::EndProcessById(pid));
  EXPECT_EQ(commandLine, "rundll32.exe shell32.dll,OpenAs_RunDLL " + document);
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, sizeof system);
  EXPECT_EQ(applicationName, std::string(system) + "\\rundll32.exe");
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ShellHelpers, MissingFileShowsTheStopBoxWithTheFileAndItsText) {
  const std::string missing = scratch / "gone.txt";
  EXPECT_EQ(ShellExecuteFile(missing, SW_SHOWNORMAL, ""), 2);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, missing + "\r\nError: File not found.  Couldn't Execute!");
  EXPECT_EQ(messages.shown[0].caption, "Shell execute failed...");
  EXPECT_EQ(messages.shown[0].style, 16u);
}

TEST_F(ShellHelpers, ShellCodesDecideResultAndBox) {
  struct Case {
    intptr_t shellResult;
    unsigned long openWithPid;  // what starting the Open With dialog gives
    long expected;
    const char* boxText;        // null: no box
  };
  const Case cases[] = {
      {33, 0, -1, nullptr},
      {42, 0, -1, nullptr},
      {32, 0, 32, "X:\\f.doc\r\n"},
      {0, 0, 0, "X:\\f.doc\r\nError: Out of Memory/Resources. Couldn't Execute!"},
      {3, 0, 3, "X:\\f.doc\r\nError: Path not found. Couldn't Execute!"},
      {11, 0, 11, "X:\\f.doc\r\nError:  Bad File Format. Couldn't Execute!"},
      {31, 1234, -1, nullptr},
      {31, 0, 0, "X:\\f.doc\r\n"},  // the dialog gave no process: code 31's (empty) text, result 0
  };
  for (const Case& c : cases) {
    messages.shown.clear();
    const char* verbSeen = "unset";
    CurrentShellApi().execute = [&](const char* verb, const char* file, const char* parameters, int mode) {
      verbSeen = verb;
      EXPECT_STREQ(file, "X:\\f.doc");
      EXPECT_EQ(parameters, nullptr);
      EXPECT_EQ(mode, 3);
      return c.shellResult;
    };
    CurrentShellApi().startProcess = [&](const std::string&, int, const std::string&) { return c.openWithPid; };
    EXPECT_EQ(ShellExecuteFile("X:\\f.doc", 3, "Explore"), c.expected) << c.shellResult;
    EXPECT_STREQ(verbSeen, "Explore");
    if (c.boxText) {
      ASSERT_EQ(messages.shown.size(), 1u) << c.shellResult;
      EXPECT_EQ(messages.shown[0].text, c.boxText);
      EXPECT_EQ(messages.shown[0].style, 16u);
    } else {
      EXPECT_TRUE(messages.shown.empty()) << c.shellResult;
    }
  }
}

TEST_F(ShellHelpers, FailureToStartOpenWithReachesTheCaller) {
  CurrentShellApi().execute = [](const char*, const char*, const char*, int) { return intptr_t{31}; };
  CurrentShellApi().startProcess = [](const std::string&, int, const std::string&) -> unsigned long {
    throw Failure(kErrFileNotFound, "File not found");
  };
  EXPECT_THROW(ShellExecuteFile("X:\\f.xyz", 1, ""), Failure);
  EXPECT_TRUE(messages.shown.empty());
}

// The folder picker is answered from a second thread: it selects a folder or cancels.
TEST_F(ShellHelpers, FolderPickerGivesTheChosenFolderOrEmptyWhenCancelled) {
  HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 100, 100, 300, 200, nullptr, nullptr,
                               nullptr, nullptr);
  ASSERT_NE(owner, nullptr);
  const DWORD uiThread = GetCurrentThreadId();
  std::string chosen = scratch.Path().substr(0, scratch.Path().size() - 1);
  for (const bool cancel : {true, false}) {
    std::atomic<bool> finished{false}, answered{false};
    std::thread answerer([&] {
      const auto end = std::chrono::steady_clock::now() + 30s;
      while (!finished && !answered && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(200ms);
        HWND dialog = nullptr;
        EnumThreadWindows(
            uiThread,
            [](HWND w, LPARAM found) {
              char cls[32] = {};
              GetClassNameA(w, cls, sizeof cls);
              if (std::strcmp(cls, "#32770") == 0 && IsWindowVisible(w)) *reinterpret_cast<HWND*>(found) = w;
              return TRUE;
            },
            reinterpret_cast<LPARAM>(&dialog));
        if (!dialog) continue;
        if (!cancel) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(chosen.c_str()));
        PostMessageA(dialog, WM_COMMAND, cancel ? IDCANCEL : IDOK, 0);
        answered = true;
      }
    });
    const std::string result = BrowseForFolder(owner, "Pick a folder");
    finished = true;
    answerer.join();
    ASSERT_TRUE(answered) << "the folder picker never showed";
    EXPECT_EQ(result, cancel ? "" : chosen);
  }
  DestroyWindow(owner);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ShellHelpers, NoBrowserForPagesShowsItsBoxAndRemovesTheProbe) {
  const std::string probe = ProbePath();
  char program[MAX_PATH] = {};
  shelltest::WriteWholeFile(scratch / "page.htm", "<html></html>");
  if (reinterpret_cast<intptr_t>(FindExecutableA((scratch / "page.htm").c_str(), nullptr, program)) > 32)
    GTEST_SKIP() << "this prefix has a program for .htm files: " << program;

  DeleteFileA(probe.c_str());
  OpenWebPage("http://127.0.0.1:9/", true);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Could not open your browser!");
  EXPECT_EQ(messages.shown[0].caption, "Browser Not Found...");
  EXPECT_EQ(messages.shown[0].style, 48u);
  EXPECT_FALSE(shelltest::Exists(probe));
}

namespace {
// Registers the probe program for .htm files for the length of a test. Wine 8 does not read file
// types from the user's own classes, so this goes to the prefix's machine-wide classes.
class ProbeAsBrowser {
 public:
  ProbeAsBrowser() {
    HKEY existing = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, ".htm", 0, KEY_READ, &existing) == ERROR_SUCCESS) {
      RegCloseKey(existing);
      return;  // a real registration: leave it alone
    }
    const std::string command = "\"" + shelltest::ExeFolder() + "ShellOpenProbe.exe\" \"%1\"";
    owned_ = true;  // from here on, the destructor cleans up
    registered_ = Set(".htm", "OkuTestPage") && Set("OkuTestPage\\shell\\open\\command", command);
  }
  ProbeAsBrowser(const ProbeAsBrowser&) = delete;
  ProbeAsBrowser& operator=(const ProbeAsBrowser&) = delete;
  ~ProbeAsBrowser() {
    if (!owned_) return;
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ".htm");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "OkuTestPage");
  }
  bool Registered() const { return registered_; }

 private:
  static bool Set(const char* path, const std::string& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
      return false;
    const bool ok = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                   static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
  }
  bool owned_ = false;
  bool registered_ = false;
};
}  // namespace

// With a program registered for pages: the browser gets the URL; a URL the shell cannot open
// shows its box; the probe goes in both cases.
TEST_F(ShellHelpers, WebPageThroughARegisteredBrowser) {
  ProbeAsBrowser browser;
  if (!browser.Registered()) GTEST_SKIP() << "this prefix already has a program for .htm files";
  char program[MAX_PATH] = {};
  shelltest::WriteWholeFile(scratch / "page.htm", "<html></html>");
  if (reinterpret_cast<intptr_t>(FindExecutableA((scratch / "page.htm").c_str(), nullptr, program)) <= 32)
    GTEST_SKIP() << "the shell did not take up the registration";

  // The probe takes its first argument, the "URL", as the file to report into.
  const std::string url = scratch / "opened.txt";
  OpenWebPage(url, true);
  const auto report = shelltest::WaitForFile(url, 20s);
  ASSERT_TRUE(report.has_value()) << "the browser was not started on the URL";
  shelltest::EndProcessById(ReportedPid(*report));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_FALSE(shelltest::Exists(ProbePath()));

  OpenWebPage("okunosuchscheme:page", false);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Web page failed to be opened.");
  EXPECT_EQ(messages.shown[0].caption, "Website URL Failed...");
  EXPECT_EQ(messages.shown[0].style, 48u);
  EXPECT_FALSE(shelltest::Exists(ProbePath()));
}

TEST_F(ShellHelpers, WebPageGoesToTheBrowserOrTheShellAndTheProbeIsAlwaysRemoved) {
  const std::string probe = ProbePath();
  struct Case {
    bool useBrowser;
    intptr_t found;      // FindExecutableA's result
    intptr_t opened;     // ShellExecuteA's result
    const char* box;     // caption of the expected box, or null
  };
  const Case cases[] = {
      {true, 42, 33, nullptr},  {false, 42, 33, nullptr},
      {true, 42, 2, "Website URL Failed..."}, {false, 42, 31, "Website URL Failed..."},
      {true, 31, 33, "Browser Not Found..."}, {false, 2, 33, "Browser Not Found..."},
  };
  for (const Case& c : cases) {
    messages.shown.clear();
    std::string probeSeen, verb, file, parameters = "unset";
    bool executed = false;
    CurrentShellApi().findExecutable = [&](const char* name, char* result) {
      probeSeen = shelltest::ReadWholeFile(name);
      EXPECT_EQ(std::string(name), probe);
      std::memcpy(result, "  C:\\Browser\\b.exe \0", 21);
      return c.found;
    };
    CurrentShellApi().execute = [&](const char* v, const char* f, const char* p, int mode) {
      executed = true;
      verb = v ? v : "";
      file = f;
      parameters = p ? p : "(none)";
      EXPECT_EQ(mode, SW_SHOWNORMAL);
      return c.opened;
    };

    OpenWebPage("http://127.0.0.1/news.htm", c.useBrowser);

    EXPECT_EQ(probeSeen, "<HTML> <\\HTML>\r\n");
    EXPECT_FALSE(shelltest::Exists(probe)) << "probe left behind";
    EXPECT_EQ(executed, c.found > 32);
    if (executed) {
      EXPECT_EQ(verb, "Open");
      EXPECT_EQ(file, c.useBrowser ? "C:\\Browser\\b.exe" : "http://127.0.0.1/news.htm");
      EXPECT_EQ(parameters, c.useBrowser ? "http://127.0.0.1/news.htm" : "(none)");
    }
    if (c.box) {
      ASSERT_EQ(messages.shown.size(), 1u);
      EXPECT_EQ(messages.shown[0].caption, c.box);
      EXPECT_EQ(messages.shown[0].text, std::string(c.box) == "Browser Not Found..." ? "Could not open your browser!"
                                                                                     : "Web page failed to be opened.");
      EXPECT_EQ(messages.shown[0].style, 48u);
    } else {
      EXPECT_TRUE(messages.shown.empty());
    }
  }
}

TEST_F(ShellHelpers, ProbeThatCannotBeWrittenReachesTheCaller) {
  const std::string probe = ProbePath();
  DeleteFileA(probe.c_str());
  ASSERT_TRUE(CreateDirectoryA(probe.c_str(), nullptr));  // a folder where the file should go
  bool looked = false;
  CurrentShellApi().findExecutable = [&](const char*, char*) {
    looked = true;
    return intptr_t{42};
  };
  EXPECT_THROW(OpenWebPage("http://127.0.0.1/", true), Failure);
  EXPECT_FALSE(looked);
  EXPECT_TRUE(messages.shown.empty());
  RemoveDirectoryA(probe.c_str());
}

TEST_F(ShellHelpers, MailGoesToTheShellAndAFailureShowsItsBox) {
  for (const intptr_t result : {intptr_t{42}, intptr_t{31}, intptr_t{0}}) {
    messages.shown.clear();
    std::string target, verb;
    CurrentShellApi().execute = [&](const char* v, const char* f, const char* p, int mode) {
      verb = v ? v : "";
      target = f;
      EXPECT_EQ(p, nullptr);
      EXPECT_EQ(mode, SW_SHOWNORMAL);
      return result;
    };
    OpenMailTo("someone@example.com");
    EXPECT_EQ(verb, "Open");
    EXPECT_EQ(target, "mailto:someone@example.com");
    if (result > 32) {
      EXPECT_TRUE(messages.shown.empty());
    } else {
      ASSERT_EQ(messages.shown.size(), 1u);
      EXPECT_EQ(messages.shown[0].text, "Could not open your mail program!");
      EXPECT_EQ(messages.shown[0].caption, "Mail Program Not Found...");
      EXPECT_EQ(messages.shown[0].style, 48u);
    }
  }
}

TEST_F(ShellHelpers, SendToPathIsTheShellFolderEndingInABackslash) {
  const std::string path = GetSendToPath();
  ASSERT_GT(path.size(), 3u);
  EXPECT_EQ(path.back(), '\\');
  EXPECT_NE(path[path.size() - 2], '\\');
  char expected[MAX_PATH] = {};
  ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, expected, CSIDL_SENDTO, FALSE));
  EXPECT_EQ(path, std::string(expected) + "\\");
}

namespace {
// Sets a file's last-write time from a local date and time.
void SetLocalWriteTime(const std::string& path, WORD year, WORD month, WORD day, WORD hour, WORD minute) {
  SYSTEMTIME local{};
  local.wYear = year;
  local.wMonth = month;
  local.wDay = day;
  local.wHour = hour;
  local.wMinute = minute;
  SYSTEMTIME utc{};
  FILETIME written{};
  ASSERT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc));
  ASSERT_TRUE(SystemTimeToFileTime(&utc, &written));
  HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &written));
  CloseHandle(file);
}

// A file of the given length whose content is one hole: no disk space is used.
void MakeSparseFile(const std::string& path, LONGLONG length) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD ignored = 0;
  DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
  LARGE_INTEGER end{};
  end.QuadPart = length;
  EXPECT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN));
  EXPECT_TRUE(SetEndOfFile(file));
  CloseHandle(file);
}
}  // namespace

TEST_F(ShellHelpers, FileInfoOfRealFiles) {
  char separator[8] = {};
  ASSERT_GT(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator), 0);
  const std::string sep = separator;

  struct Case {
    const char* name;
    LONGLONG length;
    WORD year, month, day, hour, minute;
    std::string date, size;
  };
  const Case cases[] = {
      {"empty.txt", 0, 2002, 3, 7, 0, 30, "03-07-02 12:30a", std::string(12, ' ') + "0"},
      {"noon.txt", 1, 1999, 12, 31, 12, 0, "12-31-99 12:00p", std::string(12, ' ') + "1"},
      {"afternoon.bin", 1234567, 2002, 3, 7, 14, 5, "03-07-02 02:05p", "    1" + sep + "234" + sep + "567"},
      {"summer.bin", 1000, 2010, 7, 15, 23, 59, "07-15-10 11:59p", "        1" + sep + "000"},
      {"big.bin", 5000000001LL, 2020, 1, 2, 11, 59, "01-02-20 11:59a",
       "5" + sep + "000" + sep + "000" + sep + "001"},
      {"huge.bin", 12345678901LL, 2003, 10, 4, 9, 8, "10-04-03 09:08a",
       "12" + sep + "345" + sep + "678" + sep + "901"},
  };
  for (const Case& c : cases) {
    const std::string path = scratch / c.name;
    MakeSparseFile(path, c.length);
    SetLocalWriteTime(path, c.year, c.month, c.day, c.hour, c.minute);
    const FileInfo info = GetFileInfo(path);
    EXPECT_EQ(info.date, c.date) << c.name;
    EXPECT_EQ(info.size, c.size) << c.name;
  }
}

TEST_F(ShellHelpers, FileInfoOfAMissingFileFailsToTheCaller) {
  for (const std::string& path : {scratch / "missing.txt", scratch / "nodir\\missing.txt"}) {
    try {
      GetFileInfo(path);
      ADD_FAILURE() << path;
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.number, kErrFileNotFound);
      EXPECT_EQ(failure.description, "File not found");
    }
  }
  EXPECT_TRUE(messages.shown.empty());
}
