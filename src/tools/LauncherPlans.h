// The Windows tools the main window starts: which command line each button builds for the running
// Windows, how it is started and reported, which buttons are usable, and the texts around them.
// Portable: the Windows side only carries these plans out.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Show modes handed to the started program (SW_SHOWNORMAL and SW_SHOW).
inline constexpr int kShowNormal = 1;
inline constexpr int kShowPlain = 5;

enum class Launcher {
  RegEdit,             // RegEdCmd
  RegCheck,            // RegCmd: Registry Checker, or the backup tool on the NT family
  Defrag,              // DefragCmd
  ScanDisk,            // ScanCmd
  Sfc,                 // SfcCmd
  Config,              // ConfigCmd
  ControlPanel,        // cmdCtrlP
  DeviceManager,       // cmdDM
  ComputerManagement,  // cmdCM
  MsConfig,            // StartCmd on 95, 98 and Me
};

enum class ReportForm { Long, Short };

struct LaunchPlan {
  std::string commandLine;  // also what CommandLine keeps and the long report quotes
  // Where the program itself lies, tried in order (the first that exists is handed to the process
  // start). Empty: the start looks the program up from the command line's first word.
  std::vector<std::string> programCandidates;
  int showMode = kShowNormal;
  bool storesCommandLine = true;
  bool showsHourglass = true;
  std::string failureCaption;
  ReportForm report = ReportForm::Long;
};

// Both folders end in "\".
LaunchPlan PlanLaunch(Launcher launcher, bool isNT, std::string_view systemDir, std::string_view windowsDir);

// The caption of a failed configuration tool: sysedit, msconfig, and the startup items themselves.
inline constexpr std::string_view kMsConfigFailureCaption = "Error in opening MSConfig";

// "Registry Checker" on 95, 98 and Me, "Backup" on the NT family: the failure caption's tool name.
std::string_view RegCheckToolName(bool isNT);

// Label10 by version: the words followed by their run of full stops.
inline constexpr std::string_view kRegistryCheckerLabel = "Registry Checker........................";
inline constexpr std::string_view kErdLabel = "ERD............................................";
inline constexpr std::string_view kAsrLabel = "ASR............................................";

// The utility buttons' state by Windows version, as the load sequence leaves it.
struct UtilityAvailability {
  bool sfcEnabled;                 // SfcCmd with Label6
  bool scanDiskEnabled;            // ScanCmd with Label8
  bool compMgmtEnabled;            // cmdCM
  bool enablesStartup;             // Label4 and StartCmd are enabled; otherwise left as they are
  std::string_view regCheckLabel;  // Label10
};
UtilityAvailability AvailabilityFor(bool isNT, bool isXP, bool isMe);

// The warning shown before the Registry Editor starts.
inline constexpr std::string_view kRegEditCaution =
    "Use caution when using the Registry Editor! \r\n"
    "If you are not an advanced user then you \r\n"
    "should not modify the registry.";
inline constexpr std::string_view kRegEditCautionCaption = "Caution!!!";

// XP Home ships without the backup tool: when its start fails there, the report offers directions.
bool IsXpHomeCase(bool isXP, std::string_view versionLine);
std::string XpHomePrompt(std::string_view longReport);
inline constexpr std::string_view kBackupArticleUrl = "http://support.microsoft.com/default.aspx?scid=kb;EN-US;q302894";

// --- System Information ------------------------------------------------------------------------

inline constexpr std::string_view kSysInfoUnavailable = "System Information Is Unavailable At This Time";
inline constexpr std::string_view kSysInfoFailureCaption = "Error in getting Sys Info";

// Registry value types the lookup understands (the platform's REG_SZ, REG_EXPAND_SZ, REG_DWORD).
inline constexpr unsigned long kRegSz = 1;
inline constexpr unsigned long kRegExpandSz = 2;
inline constexpr unsigned long kRegDword = 4;

// The text of a value as the lookup reads it: `data` is what the query returned (its reported size).
// A string loses one final NUL; a DWORD reads "&h" and its bytes from the last to the first in
// upper-case hex. Nothing (not found) for an empty value, an empty text, or any other type.
std::optional<std::string> QueriedValueText(unsigned long type, std::span<const uint8_t> data);

// A program path in quotes when it holds a blank and is not quoted yet, so that the process start
// cannot take a shorter path ("C:\Program.exe") for the program.
std::string QuotedProgramPath(std::string_view path);
