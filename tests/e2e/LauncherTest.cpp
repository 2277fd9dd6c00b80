// The "Windows Utilities" and "Misc" buttons of the real OKU.exe: tools started under Wine, the
// reports of the tools Wine lacks, and the buttons' availability by Windows version.
#include <gtest/gtest.h>

#include "LauncherTestSupport.h"
#include "app/frmOKUIds.h"
#include "driver/Driver.h"

using namespace driver;
using namespace launchertest;

namespace {

struct Oku {
  Program program;
  HWND window = nullptr;
};

Oku StartOku(const std::map<std::string, std::string>& env = {}) {
  Oku oku{Program::Start("OKU.exe", "", env)};
  oku.window = WaitTopWindow(oku.program.pid(), "Okumatic");
  return oku;
}

// Waits for OKU's box, checks it is a stop-icon report with OK only, and answers it.
void ExpectStopReport(const Oku& oku, const std::string& caption, const std::string& text) {
  const MessageBoxInfo box = WaitMessageBox(oku.program.pid());
  ASSERT_NE(box.hwnd, nullptr) << "no report for " << caption;
  EXPECT_EQ(box.caption, caption);
  EXPECT_EQ(box.text, text);
  EXPECT_EQ(box.buttons, std::vector<std::string>{"OK"});
  EXPECT_TRUE(ShowsIcon(box.hwnd, BoxIcon::Stop));
  EXPECT_TRUE(Answer(box, "OK"));
}

std::string MissingReport(const std::string& commandLine) { return commandLine + "\r\n\r\n53\r\nFile not found"; }

}  // namespace

TEST(Launcher, EditTheRegistryWarnsFirstThenStartsTheRegistryEditor) {
  Oku oku = StartOku();
  ASSERT_NE(oku.window, nullptr);
  Click(Control(oku.window, IDB_OKU_REGEDIT));
  const MessageBoxInfo box = WaitMessageBox(oku.program.pid());
  ASSERT_NE(box.hwnd, nullptr) << "no caution box";
  EXPECT_EQ(box.caption, "Caution!!!");
  EXPECT_EQ(box.text,
            "Use caution when using the Registry Editor! \r\n"
            "If you are not an advanced user then you \r\n"
            "should not modify the registry.");
  EXPECT_EQ(box.buttons, std::vector<std::string>{"OK"});
  EXPECT_TRUE(ShowsIcon(box.hwnd, BoxIcon::Stop));
  Sleep(300);
  EXPECT_TRUE(ChildProcesses(oku.program.pid(), "regedit.exe").empty()) << "the editor started before the box closed";

  ASSERT_TRUE(Answer(box, "OK"));
  const DWORD editor = WaitChildProcess(oku.program.pid(), "regedit.exe");
  ASSERT_NE(editor, 0u) << "the Registry Editor did not start";
  EXPECT_TRUE(WaitUntil([&] { return FindWindowOf(editor, "Registry Editor") != nullptr; }))
      << "the Registry Editor's window did not appear";
  EndProcessById(editor);
  EXPECT_EQ(FindMessageBox(oku.program.pid()), nullptr);
}

TEST(Launcher, ControlPanelStartsWinesControlPanel) {
  Oku oku = StartOku();
  ASSERT_NE(oku.window, nullptr);
  Click(Control(oku.window, IDB_OKU_CONTROLPANEL));
  const DWORD panel = WaitChildProcess(oku.program.pid(), "rundll32.exe");
  ASSERT_NE(panel, 0u) << "the control panel did not start";
  EXPECT_TRUE(WaitUntil([&] { return FindWindowOf(panel, "") != nullptr; })) << "no control panel window";
  EndProcessById(panel);
  EXPECT_EQ(FindMessageBox(oku.program.pid()), nullptr);
}

// On the NT family the consoles start "mmc", which Wine lacks, and the backup and configuration
// tools are missing too: each shows the long report with its exact command line. An "mmc.exe"
// planted in OKU's own folder must not be the one that runs.
TEST(Launcher, ToolsWineLacksShowTheLongReportAndAPlantedMmcNeverRuns) {
  const std::string planted = ExeDir() + "\\mmc.exe";
  const std::string report = MakeTempDir("oku-planted") + "\\ran.txt";
  ASSERT_TRUE(CopyFileA((ExeDir() + "\\ShellOpenProbe.exe").c_str(), planted.c_str(), FALSE));
  Oku oku = StartOku({{"OKU_SHELL_PROBE_OUT", report}});
  ASSERT_NE(oku.window, nullptr);
  const std::string system = SystemDir();
  const std::tuple<int, std::string, std::string> cases[] = {
      {IDB_OKU_DEVMGR, "Error in opening Device Manager", "mmc " + system + "devmgmt.msc"},
      {IDB_OKU_DEFRAG, "Error in opening Disk Defragger", "mmc " + system + "dfrg.msc"},
      {IDB_OKU_COMPMGMT, "Error in opening Computer Management", "mmc " + system + "compmgmt.msc"},
      {IDB_OKU_REGCHECK, "Error in opening Backup", system + "NTBACKUP.EXE"},
      {IDB_OKU_CONFIG, "Error in opening MSConfig", system + "sysedit.exe"},
  };
  for (const auto& [button, caption, commandLine] : cases) {
    SCOPED_TRACE(caption);
    Click(Control(oku.window, button));
    ExpectStopReport(oku, caption, MissingReport(commandLine));
  }
  Sleep(300);
  EXPECT_EQ(GetFileAttributesA(report.c_str()), INVALID_FILE_ATTRIBUTES) << "the planted mmc.exe ran";
  oku.program.Kill();
  DeleteFileA(planted.c_str());
  RemoveTree(report.substr(0, report.rfind('\\')));
}

TEST(Launcher, AvailabilityAndLabelFollowThePrefixVersion) {
  const std::string checker = "Registry Checker" + std::string(24, '.');
  struct Row {
    const char* version;
    bool sfc, scan, compMgmt;
    std::string label;
  };
  const Row rows[] = {
      {"win98", true, true, false, checker},
      {"winme", false, true, false, checker},
      {"nt40", false, false, true, "ERD" + std::string(44, '.')},
      {"winxp", false, false, true, "ASR" + std::string(44, '.')},
  };
  const int alwaysOn[] = {IDT_OKU_STARTUP, IDB_OKU_STARTUP, IDB_OKU_CONFIG, IDB_OKU_DEFRAG,      IDB_OKU_REGCHECK,
                          IDB_OKU_SYSINFO, IDB_OKU_REGEDIT, IDB_OKU_DEVMGR, IDB_OKU_CONTROLPANEL};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.version);
    VersionOverride version(r.version);
    Oku oku = StartOku();
    ASSERT_NE(oku.window, nullptr);
    const auto on = [&](int id) { return IsEnabled(Control(oku.window, id)); };
    EXPECT_EQ(on(IDB_OKU_SFC), r.sfc);
    EXPECT_EQ(on(IDT_OKU_SFC), r.sfc);
    EXPECT_EQ(on(IDB_OKU_SCANDISK), r.scan);
    EXPECT_EQ(on(IDT_OKU_SCANDISK), r.scan);
    EXPECT_EQ(on(IDB_OKU_COMPMGMT), r.compMgmt);
    for (int id : alwaysOn) EXPECT_TRUE(on(id)) << id;
    EXPECT_EQ(GetText(Control(oku.window, IDT_OKU_REGCHECK)), r.label);
  }
}

// On 98 the tools are looked for where 98 keeps them; Wine keeps none of these there.
TEST(Launcher, On98TheMissingToolsAreReportedWithTheirCommandLines) {
  VersionOverride version("win98");
  Oku oku = StartOku();
  ASSERT_NE(oku.window, nullptr);
  const std::tuple<int, std::string, std::string> cases[] = {
      {IDB_OKU_REGCHECK, "Error in opening Registry Checker", WindowsDir() + "SCANREGW.EXE"},
      {IDB_OKU_SCANDISK, "Error in opening ScanDisk", WindowsDir() + "SCANDSKW.EXE"},
      {IDB_OKU_DEFRAG, "Error in opening Disk Defragger", WindowsDir() + "DEFRAG.EXE"},
      {IDB_OKU_SFC, "Error in opening SFC", SystemDir() + "sfc.exe"},
      {IDB_OKU_DEVMGR, "Error in opening Device Manager", WindowsDir() + "CONTROL.EXE Sysdm.cpl, System,1"},
      {IDB_OKU_STARTUP, "Error in opening MSConfig", SystemDir() + "msconfig.exe"},
  };
  for (const auto& [button, caption, commandLine] : cases) {
    SCOPED_TRACE(caption);
    Click(Control(oku.window, button));
    ExpectStopReport(oku, caption, MissingReport(commandLine));
  }
}
