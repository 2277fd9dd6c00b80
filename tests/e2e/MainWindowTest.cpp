// The real OKU.exe under Wine: the main window, its version line, menus, mutex and exit paths.
#include <gtest/gtest.h>

#include "app/frmOKUIds.h"
#include "driver/Driver.h"

using namespace driver;

namespace {

struct Started {
  Program program;
  HWND window = nullptr;
};

Started StartOku(const std::string& exe = "OKU.exe") {
  Started s{Program::Start(exe)};
  s.window = WaitTopWindow(s.program.pid(), "Okumatic");
  return s;
}

bool MutexExists() {
  HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, "QLN_OKU");
  if (mutex) CloseHandle(mutex);
  return mutex != nullptr;
}

}  // namespace

// A second copy runs beside the first without complaint and its exit leaves the first running;
// the last Exit ends with 0 and releases the mutex.
TEST(MainWindow, TwoCopiesRunSideBySideAndExitEndsEachAndReleasesTheMutex) {
  ASSERT_FALSE(MutexExists()) << "another OKU is running in this prefix";
  Started first = StartOku();
  ASSERT_NE(first.window, nullptr) << "the window Okumatic did not appear";
  EXPECT_TRUE(MutexExists());
  Started second = StartOku();
  ASSERT_NE(second.window, nullptr);
  for (const Started* oku : {&first, &second}) EXPECT_EQ(FindMessageBox(oku->program.pid()), nullptr);
  Click(Control(second.window, IDB_OKU_EXIT));
  EXPECT_TRUE(second.program.WaitExit());
  EXPECT_TRUE(first.program.Running()) << "the second copy's exit must not end the first";
  EXPECT_TRUE(MutexExists()) << "the first copy still holds the mutex";

  Click(Control(first.window, IDB_OKU_EXIT));
  ASSERT_TRUE(first.program.WaitExit()) << "Exit did not end the program";
  EXPECT_EQ(first.program.ExitCode(), 0u);
  EXPECT_FALSE(MutexExists());
}

TEST(MainWindow, MenusAreBuiltAsDesigned) {
  Started oku = StartOku("OKU_test.exe");
  ASSERT_NE(oku.window, nullptr);
  EXPECT_EQ(DumpMenus(oku.window),
            "[menu bar]\n"
            "&File\n"
            "  &Exit\n"
            "&Help\n"
            "  &Quillon on the Web...\n"
            "  &Check for Update...\n"
            "  &Donate...\n"
            "  -\n"
            "  &About OKU...\n"
            "[pop-up]\n"
            "&Restore [default]\n"
            "-\n"
            "&Minimize\n"
            "-\n"
            "&About OKU\n"
            "&Exit\n");
}

// The version line from the record Wine reports: 9x build and CSD, NT service pack, XP's suite, unknown.
TEST(MainWindow, VersionLineFollowsThePrefixVersion) {
  const std::pair<const char*, const char*> cases[] = {
      {"win98", "Windows 98 Second Edition (4.10.2222 A)"},
      {"nt40", "Windows NT (4.0.1381 Service Pack 6a v6.0)"},
      {"winxp", "Windows XP Pro (5.1.2600 Service Pack 3 v3.0)"},
      {"win2003", "?? (5.2.3790 v)"},
  };
  for (const auto& [version, expected] : cases) {
    SCOPED_TRACE(version);
    SetWineVersionFor("OKU.exe", version);
    Started oku = StartOku();
    ASSERT_NE(oku.window, nullptr);
    EXPECT_EQ(GetText(Control(oku.window, IDT_OKU_VERSION)), expected);
    oku.program.Kill();
  }
  SetWineVersionFor("OKU.exe", "");
}

// The icon menu's "About OKU" opens one modeless About window; the main window stays usable.
TEST(MainWindow, AboutFromTheIconMenuIsModelessAndSingle) {
  Started oku = StartOku();
  ASSERT_NE(oku.window, nullptr);
  PostMessageA(oku.window, WM_COMMAND, IDM_OKU_TRAY_ABOUT, 0);
  HWND about = WaitTopWindow(oku.program.pid(), "About OKU - Okumatic");
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(IsWindowEnabled(oku.window)) << "About from the icon menu is not modal";
  PostMessageA(oku.window, WM_COMMAND, IDM_OKU_TRAY_ABOUT, 0);
  Sleep(500);
  std::pair<DWORD, int> search{oku.program.pid(), 0};
  EnumWindows(
      [](HWND hwnd, LPARAM lParam) -> BOOL {
        auto* s = reinterpret_cast<std::pair<DWORD, int>*>(lParam);
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        if (pid == s->first && IsWindowVisible(hwnd) && GetText(hwnd) == "About OKU - Okumatic") ++s->second;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  EXPECT_EQ(search.second, 1) << "a second choice shows the same About window again";
}
