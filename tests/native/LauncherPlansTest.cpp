// The tool launchers' plans by Windows version, availability, texts, and the startup items' rules.
#include <gtest/gtest.h>

#include "tools/LauncherPlans.h"
#include "tools/StartupItems.h"

namespace {

// The four columns of the availability table, each with folders as that family names them.
struct Version {
  const char* name;
  bool isNT, isXP, isMe;
  const char* systemDir;
  const char* windowsDir;
};
constexpr Version k9x{"95/98", false, false, false, "C:\\WINDOWS\\SYSTEM\\", "C:\\WINDOWS\\"};
constexpr Version kMe{"Me", false, false, true, "C:\\WINDOWS\\SYSTEM\\", "C:\\WINDOWS\\"};
constexpr Version kNT{"NT", true, false, false, "C:\\WINNT\\system32\\", "C:\\WINNT\\"};
constexpr Version kXP{"XP", true, true, false, "C:\\WINNT\\system32\\", "C:\\WINNT\\"};
constexpr Version kAll[] = {k9x, kMe, kNT, kXP};

using L = Launcher;
using R = ReportForm;
struct Expected {
  Launcher launcher;
  std::string commandLine;
  std::vector<std::string> programs;
  int showMode;
  bool stored;
  bool hourglass;
  std::string caption;
  ReportForm report;
};

}  // namespace

TEST(LauncherPlans, CommandLineModeStorageAndReportOfEveryButtonOnEveryVersion) {
  // clang-format off
  const std::vector<Expected> family9x = {
      {L::RegEdit, "C:\\WINDOWS\\REGEDIT.EXE", {}, 1, true, true, "Error in opening Registry Editor", R::Long},
      {L::RegCheck, "C:\\WINDOWS\\SCANREGW.EXE", {}, 1, true, true, "Error in opening Registry Checker", R::Long},
      {L::Defrag, "C:\\WINDOWS\\DEFRAG.EXE", {}, 1, true, true, "Error in opening Disk Defragger", R::Long},
      {L::ScanDisk, "C:\\WINDOWS\\SCANDSKW.EXE", {}, 1, true, true, "Error in opening ScanDisk", R::Long},
      {L::Sfc, "C:\\WINDOWS\\SYSTEM\\sfc.exe", {}, 1, true, true, "Error in opening SFC", R::Long},
      {L::Config, "C:\\WINDOWS\\SYSTEM\\sysedit.exe", {}, 1, true, true, "Error in opening MSConfig", R::Long},
      {L::ControlPanel, "rundll32.exe shell32.dll,Control_RunDLL",
       {"C:\\WINDOWS\\rundll32.exe", "C:\\WINDOWS\\SYSTEM\\rundll32.exe"}, 5, false, true,
       "Error in opening Control Panel", R::Short},
      {L::DeviceManager, "C:\\WINDOWS\\CONTROL.EXE Sysdm.cpl, System,1", {}, 1, true, true,
       "Error in opening Device Manager", R::Long},
      {L::ComputerManagement, "", {}, 1, true, false, "Error in opening Computer Management", R::Long},
      {L::MsConfig, "C:\\WINDOWS\\SYSTEM\\msconfig.exe", {}, 1, true, true, "Error in opening MSConfig", R::Long},
  };
  const std::vector<Expected> familyNT = {
      {L::RegEdit, "C:\\WINNT\\REGEDIT.EXE", {}, 1, true, true, "Error in opening Registry Editor", R::Long},
      {L::RegCheck, "C:\\WINNT\\system32\\NTBACKUP.EXE", {}, 1, true, true, "Error in opening Backup", R::Long},
      {L::Defrag, "mmc C:\\WINNT\\system32\\dfrg.msc", {"C:\\WINNT\\system32\\mmc.exe"}, 1, true, true,
       "Error in opening Disk Defragger", R::Long},
      {L::ScanDisk, "C:\\WINNT\\SCANDSKW.EXE", {}, 1, true, true, "Error in opening ScanDisk", R::Long},
      {L::Sfc, "", {}, 1, true, true, "Error in opening SFC", R::Long},
      {L::Config, "C:\\WINNT\\system32\\sysedit.exe", {}, 1, true, true, "Error in opening MSConfig", R::Long},
      {L::ControlPanel, "rundll32.exe shell32.dll,Control_RunDLL", {"C:\\WINNT\\system32\\rundll32.exe"}, 5, false,
       true, "Error in opening Control Panel", R::Short},
      {L::DeviceManager, "mmc C:\\WINNT\\system32\\devmgmt.msc", {"C:\\WINNT\\system32\\mmc.exe"}, 1, true, true,
       "Error in opening Device Manager", R::Long},
      {L::ComputerManagement, "mmc C:\\WINNT\\system32\\compmgmt.msc", {"C:\\WINNT\\system32\\mmc.exe"}, 1, true,
       true, "Error in opening Computer Management", R::Long},
      {L::MsConfig, "C:\\WINNT\\system32\\msconfig.exe", {}, 1, true, true, "Error in opening MSConfig", R::Long},
  };
  // clang-format on
  for (const Version& v : kAll) {
    for (const Expected& e : v.isNT ? familyNT : family9x) {
      SCOPED_TRACE(std::string(v.name) + " launcher " + std::to_string(static_cast<int>(e.launcher)));
      const LaunchPlan plan = PlanLaunch(e.launcher, v.isNT, v.systemDir, v.windowsDir);
      EXPECT_EQ(plan.commandLine, e.commandLine);
      EXPECT_EQ(plan.programCandidates, e.programs);
      EXPECT_EQ(plan.showMode, e.showMode);
      EXPECT_EQ(plan.storesCommandLine, e.stored);
      EXPECT_EQ(plan.showsHourglass, e.hourglass);
      EXPECT_EQ(plan.failureCaption, e.caption);
      EXPECT_EQ(plan.report, e.report);
    }
  }
}

TEST(LauncherPlans, AvailabilityAndRegistryCheckerLabelFollowTheVersion) {
  struct Row {
    Version version;
    bool sfc, scan, compMgmt, startup;
    std::string label;
  };
  const Row rows[] = {
      {k9x, true, true, false, true, "Registry Checker" + std::string(24, '.')},
      {kMe, false, true, false, true, "Registry Checker" + std::string(24, '.')},
      {kNT, false, false, true, false, "ERD" + std::string(44, '.')},
      {kXP, false, false, true, false, "ASR" + std::string(44, '.')},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.version.name);
    const UtilityAvailability a = AvailabilityFor(r.version.isNT, r.version.isXP, r.version.isMe);
    EXPECT_EQ(a.sfcEnabled, r.sfc);
    EXPECT_EQ(a.scanDiskEnabled, r.scan);
    EXPECT_EQ(a.compMgmtEnabled, r.compMgmt);
    EXPECT_EQ(a.enablesStartup, r.startup);
    EXPECT_EQ(a.regCheckLabel, r.label);
  }
}

TEST(LauncherPlans, XpHomeCaseOnlyWhenXpAndTheVersionLineSaysHome) {
  const std::tuple<bool, std::string, bool> cases[] = {
      {true, "Windows XP Home (5.1.2600 Service Pack 2 v2.0)", true},
      {true, "Microsoft Windows XP Home Edition", true},
      {false, "Windows XP Home (5.1.2600)", false},
      {true, "Windows XP Pro (5.1.2600 Service Pack 3 v3.0)", false},
      {true, "windows xp home (5.1.2600)", false},
      {true, "", false},
  };
  // The prompt and article themselves are checked where the handler shows them (Wine tests).
  for (const auto& [isXP, line, expected] : cases) EXPECT_EQ(IsXpHomeCase(isXP, line), expected) << line;
}

TEST(LauncherPlans, QueriedValueTextReadsStringsAndDwordsAndNothingElse) {
  using Bytes = std::vector<uint8_t>;
  const auto text = [](std::string_view t, bool nul = true) {
    Bytes b(t.begin(), t.end());
    if (nul) b.push_back(0);
    return b;
  };
  const std::tuple<unsigned long, Bytes, std::optional<std::string>> cases[] = {
      {kRegSz, text("C:\\Tools\\msinfo32.exe"), "C:\\Tools\\msinfo32.exe"},
      {kRegSz, text("no terminator", false), "no terminator"},
      {kRegSz, text(std::string("a\0b", 3)), std::string("a\0b", 3)},
      {kRegExpandSz, text("%ProgramFiles%\\x"), "%ProgramFiles%\\x"},
      {kRegSz, text(""), std::nullopt},  // an empty text names no folder
      {kRegSz, Bytes{}, std::nullopt},
      {kRegDword, Bytes{0x78, 0x56, 0x34, 0x12}, "&h12345678"},
      {kRegDword, Bytes{0x1A, 0x00, 0x00, 0x00}, "&h00001A"},  // a final NUL byte is cut like a string's
      {kRegDword, Bytes{0x00}, std::nullopt},
      {3 /* binary */, Bytes{0x43, 0x3A, 0x00}, std::nullopt},
      {7 /* multi-string */, text("C:\\a"), std::nullopt},
      {0 /* none */, text("C:\\a"), std::nullopt},
  };
  for (const auto& [type, data, expected] : cases) EXPECT_EQ(QueriedValueText(type, data), expected) << type;
}

TEST(LauncherPlans, ProgramPathsWithBlanksAreQuotedOnce) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\Program Files\\MSINFO32.EXE", "\"C:\\Program Files\\MSINFO32.EXE\""},
      {"\"C:\\Program Files\\MSINFO32.EXE\"", "\"C:\\Program Files\\MSINFO32.EXE\""},
      {"C:\\WINDOWS\\MSINFO32.EXE", "C:\\WINDOWS\\MSINFO32.EXE"},
      {"", ""},
  };
  for (const auto& [path, expected] : cases) EXPECT_EQ(QuotedProgramPath(path), expected);
}

TEST(StartupItems, RowsBlankInNameAndDataAreDroppedAndOthersKeptAsStored) {
  const std::vector<StartupEntry> values = {
      {"", "C:\\default.exe"},
      {"  Padded  ", "  C:\\p.exe /x  "},
      {"   ", "  "},
      {"", ""},
      {"Tab", ""},
      {"\t", " "},
      {"  ", "data"},
      {"Last", "L"},
  };
  const std::vector<StartupEntry> expected = {
      {"", "C:\\default.exe"}, {"  Padded  ", "  C:\\p.exe /x  "}, {"Tab", ""}, {"\t", " "}, {"  ", "data"},
      {"Last", "L"},
  };
  EXPECT_EQ(ListedStartupEntries(values), expected);
  EXPECT_TRUE(ListedStartupEntries({{" ", " "}}).empty());
}

TEST(StartupItems, ResizeKeepsTheMarginsAndLeavesTooSmallSizesAlone) {
  const TwipsRect list{0, 0, 6135, 3120}, button{4920, 3240, 1215, 375};
  const std::tuple<int, int, TwipsRect, TwipsRect> cases[] = {
      {6150, 3660, {0, 0, 6140, 3085}, {4925, 3200, 1215, 375}},
      {12000, 9000, {0, 0, 11990, 8425}, {10775, 8540, 1215, 375}},
      {10, 575, {0, 0, 0, 0}, {-1215, 115, 1215, 375}},
  };
  for (const auto& [w, h, expectedList, expectedButton] : cases) {
    const auto layout = StartupItemsLayout(w, h, list, button);
    ASSERT_TRUE(layout.has_value()) << w << "x" << h;
    EXPECT_EQ(layout->list, expectedList);
    EXPECT_EQ(layout->button, expectedButton);
  }
  EXPECT_FALSE(StartupItemsLayout(9, 3660, list, button).has_value());
  EXPECT_FALSE(StartupItemsLayout(6150, 574, list, button).has_value());
}
