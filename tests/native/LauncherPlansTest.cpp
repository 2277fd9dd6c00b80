// What each tool button plans on each of the four version columns (command line, program, show
// mode, report), and which buttons and label text each column leaves.
#include <gtest/gtest.h>

#include "tools/LauncherPlans.h"

TEST(LauncherPlans, EveryButtonAndTheAvailabilityOnEveryVersionColumn) {
  using L = Launcher;
  using Paths = std::vector<std::string>;
  constexpr ReportForm kLong = ReportForm::Long, kShort = ReportForm::Short;
  // clang-format off
  struct Plan { L launcher; std::string commandLine; Paths programs; int show; bool stored, hourglass; std::string tool;
                ReportForm report; };
  const std::string cpl = "rundll32.exe shell32.dll,Control_RunDLL", sys9x = "C:\\WINDOWS\\SYSTEM\\";
  const Paths mmc = {"C:\\WINNT\\system32\\mmc.exe"}, rundll9x = {"C:\\WINDOWS\\rundll32.exe", sys9x + "rundll32.exe"};
  const std::vector<Plan> family9x = {
      {L::RegEdit, "C:\\WINDOWS\\REGEDIT.EXE", {}, 1, true, true, "Registry Editor", kLong},
      {L::RegCheck, "C:\\WINDOWS\\SCANREGW.EXE", {}, 1, true, true, "Registry Checker", kLong},
      {L::Defrag, "C:\\WINDOWS\\DEFRAG.EXE", {}, 1, true, true, "Disk Defragger", kLong},
      {L::ScanDisk, "C:\\WINDOWS\\SCANDSKW.EXE", {}, 1, true, true, "ScanDisk", kLong},
      {L::Sfc, sys9x + "sfc.exe", {}, 1, true, true, "SFC", kLong},
      {L::Config, sys9x + "sysedit.exe", {}, 1, true, true, "MSConfig", kLong},
      {L::ControlPanel, cpl, rundll9x, 5, false, true, "Control Panel", kShort},
      {L::DeviceManager, "C:\\WINDOWS\\CONTROL.EXE Sysdm.cpl, System,1", {}, 1, true, true, "Device Manager", kLong},
      {L::ComputerManagement, "", {}, 1, true, false, "Computer Management", kLong},
      {L::MsConfig, sys9x + "msconfig.exe", {}, 1, true, true, "MSConfig", kLong}};
  const std::vector<Plan> familyNT = {
      {L::RegEdit, "C:\\WINNT\\REGEDIT.EXE", {}, 1, true, true, "Registry Editor", kLong},
      {L::RegCheck, "C:\\WINNT\\system32\\NTBACKUP.EXE", {}, 1, true, true, "Backup", kLong},
      {L::Defrag, "mmc C:\\WINNT\\system32\\dfrg.msc", mmc, 1, true, true, "Disk Defragger", kLong},
      {L::ScanDisk, "C:\\WINNT\\SCANDSKW.EXE", {}, 1, true, true, "ScanDisk", kLong},
      {L::Sfc, "", {}, 1, true, true, "SFC", kLong},
      {L::Config, "C:\\WINNT\\system32\\sysedit.exe", {}, 1, true, true, "MSConfig", kLong},
      {L::ControlPanel, cpl, {"C:\\WINNT\\system32\\rundll32.exe"}, 5, false, true, "Control Panel", kShort},
      {L::DeviceManager, "mmc C:\\WINNT\\system32\\devmgmt.msc", mmc, 1, true, true, "Device Manager", kLong},
      {L::ComputerManagement, "mmc C:\\WINNT\\system32\\compmgmt.msc", mmc, 1, true, false, "Computer Management", kLong},
      {L::MsConfig, "C:\\WINNT\\system32\\msconfig.exe", {}, 1, true, true, "MSConfig", kLong}};
  const std::string checker = "Registry Checker" + std::string(24, '.');
  struct Column { const char* name; bool isNT, isXP, isMe, sfc, scanDisk, compMgmt, startup; std::string label; };
  const Column columns[] = {{"95/98", false, false, false, true, true, false, true, checker},
                            {"Me", false, false, true, false, true, false, true, checker},
                            {"NT", true, false, false, false, false, true, false, "ERD" + std::string(44, '.')},
                            {"XP", true, true, false, false, false, true, false, "ASR" + std::string(44, '.')}};
  // clang-format on
  for (const Column& c : columns) {
    SCOPED_TRACE(c.name);
    const UtilityAvailability a = AvailabilityFor(c.isNT, c.isXP, c.isMe);
    EXPECT_EQ(std::tuple(a.sfcEnabled, a.scanDiskEnabled, a.compMgmtEnabled, a.enablesStartup, a.regCheckLabel),
              std::tuple(c.sfc, c.scanDisk, c.compMgmt, c.startup, c.label));
    for (const Plan& e : c.isNT ? familyNT : family9x) {
      const LaunchPlan p = c.isNT ? PlanLaunch(e.launcher, true, "C:\\WINNT\\system32\\", "C:\\WINNT\\")
                                  : PlanLaunch(e.launcher, false, sys9x, "C:\\WINDOWS\\");
      EXPECT_EQ(std::tie(p.commandLine, p.programCandidates, p.showMode, p.storesCommandLine, p.showsHourglass),
                std::tie(e.commandLine, e.programs, e.show, e.stored, e.hourglass));
      EXPECT_EQ(std::tie(p.failureCaption, p.report), std::tuple("Error in opening " + e.tool, e.report));
    }
  }
}
