// The real OKU.exe under Wine: the main window, its version line, menus, mutex and exit paths.
#include <gtest/gtest.h>

#include <tuple>

#include "app/frmOKUIds.h"
#include "driver/Driver.h"

using namespace driver;

namespace {

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
  Program first, second;
  HWND firstWindow = StartOku(first);
  ASSERT_NE(firstWindow, nullptr) << "the window Okumatic did not appear";
  EXPECT_TRUE(MutexExists());
  HWND secondWindow = StartOku(second);
  ASSERT_NE(secondWindow, nullptr);
  for (const Program* oku : {&first, &second}) EXPECT_EQ(FindMessageBox(oku->pid()), nullptr);
  Click(Control(secondWindow, IDB_OKU_EXIT));
  EXPECT_TRUE(second.WaitExit());
  EXPECT_TRUE(first.Running()) << "the second copy's exit must not end the first";
  EXPECT_TRUE(MutexExists()) << "the first copy still holds the mutex";

  Click(Control(firstWindow, IDB_OKU_EXIT));
  ASSERT_TRUE(first.WaitExit()) << "Exit did not end the program";
  EXPECT_EQ(first.ExitCode(), 0u);
  EXPECT_FALSE(MutexExists());
}

// The menus as built; the icon menu's "About OKU" opens one modeless About window; "Donate..."
// opens its window.
TEST(MainWindow, MenusAreBuiltAsDesignedAndAboutFromTheIconMenuIsModelessAndSingle) {
  Program oku;
  HWND window = StartOku(oku, "OKU_test.exe");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(DumpMenus(window),
            "[menu bar]\n&File\n  &Exit\n"
            "&Help\n  &Quillon on the Web...\n  &Check for Update...\n  &Donate...\n  -\n  &About OKU...\n"
            "[pop-up]\n&Restore [default]\n-\n&Minimize\n-\n&About OKU\n&Exit\n");
  PostMessageA(window, WM_COMMAND, IDM_OKU_TRAY_ABOUT, 0);
  HWND about = WaitTopWindow(oku.pid(), "About OKU - Okumatic");
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(IsWindowEnabled(window)) << "About from the icon menu is not modal";
  PostMessageA(window, WM_COMMAND, IDM_OKU_TRAY_ABOUT, 0);
  Sleep(500);
  EXPECT_EQ(CountTopWindows(oku.pid(), "About OKU - Okumatic"), 1);
  EXPECT_EQ(FindTopWindow(oku.pid(), "About OKU - Okumatic"), about) << "a second choice shows the same one again";
  PostMessageA(window, WM_COMMAND, IDM_OKU_DONATE, 0);  // its window is tested in-process
  EXPECT_NE(WaitTopWindow(oku.pid(), "Donation"), nullptr);
}

// The version line from the record Wine reports (9x build and CSD, NT service pack, XP's suite,
// unknown), and the tools and Label10 that version leaves.
TEST(MainWindow, VersionLineAndToolsFollowThePrefixVersion) {
  const std::string checker = "Registry Checker" + std::string(24, '.'), erd = "ERD" + std::string(44, '.');
  // The version line; SFC, ScanDisk and Computer Management enabled; Label10.
  const std::tuple<const char*, const char*, bool, bool, bool, std::string> cases[] = {
      {"win98", "Windows 98 Second Edition (4.10.2222 A)", true, true, false, checker},
      {"nt40", "Windows NT (4.0.1381 Service Pack 6a v6.0)", false, false, true, erd},
      {"winxp", "Windows XP Pro (5.1.2600 Service Pack 3 v3.0)", false, false, true, "ASR" + std::string(44, '.')},
      {"win2003", "?? (5.2.3790 v)", false, false, true, erd},
  };
  for (const auto& [version, line, sfc, scan, compMgmt, label] : cases) {
    SCOPED_TRACE(version);
    SetWineVersionFor("OKU.exe", version);
    Program oku;
    HWND window = StartOku(oku);
    SetWineVersionFor("OKU.exe", "");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetText(Control(window, IDT_OKU_VERSION)), line);
    std::vector<bool> enabled;
    for (int id : {IDB_OKU_SFC, IDT_OKU_SFC, IDB_OKU_SCANDISK, IDT_OKU_SCANDISK, IDB_OKU_COMPMGMT, IDB_OKU_STARTUP})
      enabled.push_back(IsEnabled(Control(window, id)));
    EXPECT_EQ(enabled, std::vector<bool>({sfc, sfc, scan, scan, compMgmt, true}));
    EXPECT_EQ(GetText(Control(window, IDT_OKU_REGCHECK)), label);
  }
}
