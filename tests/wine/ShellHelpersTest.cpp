// The shell routines under Wine: opening items, the Open With fallback, the folder picker, the
// web page and mail openers, the Send To lookup and file descriptions. Message boxes are answered
// through the hook.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <winioctl.h>

#include <atomic>
#include <cstring>

#include "ShellTestSupport.h"
#include "platform/ComPtr.h"
#include "platform/Failure.h"
#include "platform/Process.h"
#include "shell/ShellApi.h"
#include "shell/mShellLink.h"
#include "shell/misc.h"

using namespace std::chrono_literals;

namespace {

class ShellHelpers : public ::testing::Test {
 protected:
  ~ShellHelpers() override { CurrentShellApi() = RealShellApi(); }

  void ExpectOneBox(const std::string& text, const std::string& caption, unsigned style) {
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, text);
    EXPECT_EQ(messages.shown[0].caption, caption);
    EXPECT_EQ(messages.shown[0].style, style);
    messages.shown.clear();
  }

  win::ComApartment com;
  shelltest::ScratchFolder scratch;
  shelltest::MessageRecorder messages;
  const std::string probeFile = (std::filesystem::temp_directory_path() / "tempzink777.htm").string();
  const std::string probeProgram = shelltest::ExeFolder() + "ShellOpenProbe.exe";
};

// The process id that the probe child wrote first into its report.
DWORD ReportedPid(const std::string& report) { return static_cast<DWORD>(std::stoul(report)); }

}  // namespace

TEST_F(ShellHelpers, AnyVerbButOpenAndExploreRunsTheDefaultAction) {
  int round = 0;
  for (const char* verb : {"open", "", "Open", "OPEN", "print"}) {
    const std::string report = scratch / ("verb" + std::to_string(++round) + ".txt");
    SetEnvironmentVariableA("OKU_SHELL_PROBE_OUT", report.c_str());  // inherited by the child
    EXPECT_EQ(ShellExecuteFile(probeProgram, SW_SHOWMINNOACTIVE, verb), -1) << verb;
    const auto text = shelltest::WaitForFile(report, 20s);
    ASSERT_TRUE(text.has_value()) << "the program did not run for verb '" << verb << "'";
    shelltest::EndRunningProcess(ReportedPid(*text));
    EXPECT_NE(text->find("\n7\n"), std::string::npos) << *text;  // the window mode reached it
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
    return pid = StartProcess(line, mode, application);
  };

  EXPECT_EQ(ShellExecuteFile(document, SW_SHOWNORMAL, ""), -1);
  ASSERT_NE(pid, 0u);
  EXPECT_TRUE(shelltest::EndRunningProcess(pid));  // the dialog was waiting for the user
  EXPECT_EQ(commandLine, "rundll32.exe shell32.dll,OpenAs_RunDLL " + document);
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, sizeof system);
  EXPECT_EQ(applicationName, std::string(system) + "\\rundll32.exe");
  EXPECT_TRUE(messages.shown.empty());

  // A failure to start the dialog reaches the caller, without a box.
  CurrentShellApi().startProcess = [](const std::string&, int, const std::string&) -> unsigned long {
    throw Failure(kErrFileNotFound, "File not found");
  };
  EXPECT_THROW(ShellExecuteFile(document, SW_SHOWNORMAL, ""), Failure);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ShellHelpers, MissingFileShowsTheStopBoxWithTheFileAndItsText) {
  const std::string missing = scratch / "gone.txt";
  EXPECT_EQ(ShellExecuteFile(missing, SW_SHOWNORMAL, ""), 2);
  ExpectOneBox(missing + "\r\nError: File not found.  Couldn't Execute!", "Shell execute failed...", 16);
}

// The folder picker is answered from a second thread: first cancelled, then a folder chosen.
TEST_F(ShellHelpers, FolderPickerGivesTheChosenFolderOrEmptyWhenCancelled) {
  const DWORD uiThread = GetCurrentThreadId();
  const std::string chosen = scratch.Path();
  for (const bool cancel : {true, false}) {
    std::atomic<bool> finished{false}, answered{false};
    std::thread answerer([&] {
      for (const auto end = std::chrono::steady_clock::now() + 30s;
           !finished && !answered && std::chrono::steady_clock::now() < end;) {
        std::this_thread::sleep_for(200ms);
        HWND dialog = nullptr;
        EnumThreadWindows(
            uiThread,
            [](HWND w, LPARAM found) {
              char cls[16] = {};
              GetClassNameA(w, cls, sizeof cls);
              if (std::strcmp(cls, "#32770") == 0 && IsWindowVisible(w)) *reinterpret_cast<HWND*>(found) = w;
              return TRUE;
            },
            reinterpret_cast<LPARAM>(&dialog));
        if (!dialog) continue;
        // Wine may still be settling the tree on its first selection: choose, let it settle, choose again.
        for (int i = 0; i < 2 && !cancel; ++i) {
          SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(chosen.c_str()));
          std::this_thread::sleep_for(300ms);
        }
        PostMessageA(dialog, WM_COMMAND, cancel ? IDCANCEL : IDOK, 0);
        answered = true;
      }
    });
    const std::string result = BrowseForFolder(nullptr, "Pick a folder");
    finished = true;
    answerer.join();
    ASSERT_TRUE(answered) << "the folder picker never showed";
    EXPECT_EQ(result, cancel ? "" : chosen);
  }
  EXPECT_TRUE(messages.shown.empty());
}

namespace {
// Registers the probe program for .htm files for the length of a test. Wine 8 does not read file
// types from the user's own classes, so this goes to the prefix's machine-wide classes.
class ProbeAsBrowser {
 public:
  explicit ProbeAsBrowser(const std::string& program) {
    HKEY existing = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, ".htm", 0, KEY_READ, &existing) == ERROR_SUCCESS) {
      RegCloseKey(existing);
      return;  // a real registration: leave it alone
    }
    owned_ = true;
    registered = Set(".htm", "OkuTestPage") && Set("OkuTestPage\\shell\\open\\command", "\"" + program + "\" \"%1\"");
  }
  ProbeAsBrowser(const ProbeAsBrowser&) = delete;
  ProbeAsBrowser& operator=(const ProbeAsBrowser&) = delete;
  ~ProbeAsBrowser() {
    if (!owned_) return;
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ".htm");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "OkuTestPage");
  }
  bool registered = false;

 private:
  static bool Set(const char* path, const std::string& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
      return false;
    const LSTATUS status = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                          static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
  }
  bool owned_ = false;
};

bool HtmHasAProgram(const std::string& folder) {
  const std::string page = folder + "\\page.htm";
  shelltest::WriteWholeFile(page, "<html></html>");
  char program[MAX_PATH] = {};
  return reinterpret_cast<intptr_t>(FindExecutableA(page.c_str(), nullptr, program)) > 32;
}
}  // namespace

TEST_F(ShellHelpers, WebPageWithoutABrowserShowsItsBoxAndRemovesTheProbe) {
  if (HtmHasAProgram(scratch.Path())) GTEST_SKIP() << "this prefix has a program for .htm files";
  std::string probeContent;
  CurrentShellApi().findExecutable = [&](const char* file, char* result) {
    probeContent = shelltest::ReadWholeFile(file);
    EXPECT_EQ(file, probeFile);
    return RealShellApi().findExecutable(file, result);
  };
  OpenWebPage("http://127.0.0.1:9/", true);
  EXPECT_EQ(probeContent, "<HTML> <\\HTML>\r\n");
  ExpectOneBox("Could not open your browser!", "Browser Not Found...", 48);
  EXPECT_FALSE(shelltest::Exists(probeFile));
}

// With a program registered for pages, the browser gets the URL; a URL that the shell cannot
// open shows its box. The probe goes in both cases.
TEST_F(ShellHelpers, WebPageThroughARegisteredBrowser) {
  ProbeAsBrowser browser(probeProgram);
  if (!browser.registered || !HtmHasAProgram(scratch.Path())) GTEST_SKIP() << "no registration of ours in use";

  const std::string url = scratch / "opened.txt";  // the probe reports into its first argument
  OpenWebPage(url, true);
  const auto report = shelltest::WaitForFile(url, 20s);
  ASSERT_TRUE(report.has_value()) << "the browser was not started on the URL";
  shelltest::EndRunningProcess(ReportedPid(*report));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_FALSE(shelltest::Exists(probeFile));

  OpenWebPage("okunosuchscheme:page", false);
  ExpectOneBox("Web page failed to be opened.", "Website URL Failed...", 48);
  EXPECT_FALSE(shelltest::Exists(probeFile));
}

TEST_F(ShellHelpers, ProbeThatCannotBeWrittenReachesTheCaller) {
  DeleteFileA(probeFile.c_str());
  ASSERT_TRUE(CreateDirectoryA(probeFile.c_str(), nullptr));  // a folder where the file should go
  EXPECT_THROW(OpenWebPage("http://127.0.0.1/", true), Failure);
  EXPECT_TRUE(messages.shown.empty());
  RemoveDirectoryA(probeFile.c_str());
}

// Wine's mailto handler would start a browser outside Wine, so the shell is a fake here.
TEST_F(ShellHelpers, MailGoesToTheShellAndAFailureShowsItsBox) {
  for (const intptr_t result : {intptr_t{42}, intptr_t{31}}) {
    std::string call;
    CurrentShellApi().execute = [&](const char* verb, const char* file, const char* parameters, int mode) {
      call = std::string(verb) + "|" + file + "|" + (parameters ? parameters : "-") + "|" + std::to_string(mode);
      return result;
    };
    OpenMailTo("someone@example.com");
    EXPECT_EQ(call, "Open|mailto:someone@example.com|-|1");
    if (result > 32)
      EXPECT_TRUE(messages.shown.empty());
    else
      ExpectOneBox("Could not open your mail program!", "Mail Program Not Found...", 48);
  }
}

TEST_F(ShellHelpers, SendToPathIsTheShellFolderEndingInABackslash) {
  char folder[MAX_PATH] = {};
  ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, folder, CSIDL_SENDTO, FALSE));
  ASSERT_GT(std::strlen(folder), 3u);
  EXPECT_EQ(GetSendToPath(), std::string(folder) + "\\");
}

TEST_F(ShellHelpers, FileInfoOfRealFiles) {
  char separator[8] = {};
  ASSERT_GT(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator), 0);
  const std::string s = separator;
  struct Case {
    LONGLONG length;
    WORD year, month, day, hour, minute;
    std::string date, size;
  };
  const Case cases[] = {
      {0, 2002, 3, 7, 0, 30, "03-07-02 12:30a", std::string(12, ' ') + "0"},
      {1, 1999, 12, 31, 12, 0, "12-31-99 12:00p", std::string(12, ' ') + "1"},
      {1234567, 2010, 7, 15, 14, 5, "07-15-10 02:05p", "    1" + s + "234" + s + "567"},
      {5000000001LL, 2020, 1, 2, 11, 59, "01-02-20 11:59a", "5" + s + "000" + s + "000" + s + "001"},
      {12345678901LL, 2003, 10, 4, 23, 8, "10-04-03 11:08p", "12" + s + "345" + s + "678" + s + "901"},
  };
  for (const Case& c : cases) {
    // A sparse file of the length, last written at the local time.
    const std::string path = scratch / ("f" + std::to_string(c.length));
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD ignored = 0;
    DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
    SetFilePointerEx(file, LARGE_INTEGER{.QuadPart = c.length}, nullptr, FILE_BEGIN);
    EXPECT_TRUE(SetEndOfFile(file));
    SYSTEMTIME local{c.year, c.month, 0, c.day, c.hour, c.minute, 0, 0};
    SYSTEMTIME utc{};
    FILETIME written{};
    EXPECT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) && SystemTimeToFileTime(&utc, &written));
    EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &written));
    CloseHandle(file);

    const FileInfo info = GetFileInfo(path);
    EXPECT_EQ(info.date, c.date) << c.length;
    EXPECT_EQ(info.size, c.size) << c.length;
  }
  for (const std::string& missing : {scratch / "missing.txt", scratch / "nodir\\missing.txt"}) {
    try {
      GetFileInfo(missing);
      ADD_FAILURE() << missing;
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.number, kErrFileNotFound);
      EXPECT_EQ(failure.description, "File not found");
    }
  }
}
