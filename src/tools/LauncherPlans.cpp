// Command lines, availability and texts of the tool launchers.
#include "tools/LauncherPlans.h"

namespace {

std::string Join(std::string_view a, std::string_view b) {
  std::string text(a);
  text += b;
  return text;
}

// A launcher that stores its command line and reports the long form.
LaunchPlan Plain(std::string commandLine, std::string_view caption) {
  LaunchPlan plan;
  plan.commandLine = std::move(commandLine);
  plan.failureCaption = caption;
  return plan;
}

// An "mmc" console of the System directory. The console host is named by its full path, so a
// planted "mmc" beside the program or in the current directory is never the one that runs.
LaunchPlan Console(std::string_view systemDir, std::string_view consoleFile, std::string_view caption) {
  LaunchPlan plan = Plain("mmc " + Join(systemDir, consoleFile), caption);
  plan.programCandidates = {Join(systemDir, "mmc.exe")};
  return plan;
}

}  // namespace

std::string_view RegCheckToolName(bool isNT) { return isNT ? "Backup" : "Registry Checker"; }

LaunchPlan PlanLaunch(Launcher launcher, bool isNT, std::string_view systemDir, std::string_view windowsDir) {
  switch (launcher) {
    case Launcher::RegEdit:
      return Plain(Join(windowsDir, "REGEDIT.EXE"), "Error in opening Registry Editor");
    case Launcher::RegCheck:
      return Plain(isNT ? Join(systemDir, "NTBACKUP.EXE") : Join(windowsDir, "SCANREGW.EXE"),
                   Join("Error in opening ", RegCheckToolName(isNT)));
    case Launcher::Defrag:
      return isNT ? Console(systemDir, "dfrg.msc", "Error in opening Disk Defragger")
                  : Plain(Join(windowsDir, "DEFRAG.EXE"), "Error in opening Disk Defragger");
    case Launcher::ScanDisk:
      return Plain(Join(windowsDir, "SCANDSKW.EXE"), "Error in opening ScanDisk");
    case Launcher::Sfc:
      return Plain(isNT ? std::string() : Join(systemDir, "sfc.exe"), "Error in opening SFC");
    case Launcher::Config:
      return Plain(Join(systemDir, "sysedit.exe"), kMsConfigFailureCaption);
    case Launcher::ControlPanel: {
      LaunchPlan plan = Plain("rundll32.exe shell32.dll,Control_RunDLL", "Error in opening Control Panel");
      plan.showMode = kShowPlain;
      plan.storesCommandLine = false;
      plan.report = ReportForm::Short;
      // rundll32 lives in the Windows directory on 95, 98 and Me, in the System directory on NT.
      plan.programCandidates = {Join(systemDir, "rundll32.exe")};
      if (!isNT) plan.programCandidates.insert(plan.programCandidates.begin(), Join(windowsDir, "rundll32.exe"));
      return plan;
    }
    case Launcher::DeviceManager:
      return isNT ? Console(systemDir, "devmgmt.msc", "Error in opening Device Manager")
                  : Plain(Join(windowsDir, "CONTROL.EXE Sysdm.cpl, System,1"), "Error in opening Device Manager");
    case Launcher::ComputerManagement: {
      // Without the NT family there is no such tool: the empty command line fails at once.
      LaunchPlan plan = isNT ? Console(systemDir, "compmgmt.msc", "Error in opening Computer Management")
                             : Plain("", "Error in opening Computer Management");
      plan.showsHourglass = false;  // this button never shows the hourglass, on any version
      return plan;
    }
    case Launcher::MsConfig:
      return Plain(Join(systemDir, "msconfig.exe"), kMsConfigFailureCaption);
  }
  return {};
}

UtilityAvailability AvailabilityFor(bool isNT, bool isXP, bool isMe) {
  if (isNT) return {false, false, true, false, isXP ? kAsrLabel : kErdLabel};
  return {!isMe, true, false, true, kRegistryCheckerLabel};
}

bool IsXpHomeCase(bool isXP, std::string_view versionLine) {
  return isXP && versionLine.find("Windows XP Home") != std::string_view::npos;
}

std::string XpHomePrompt(std::string_view longReport) {
  return Join(longReport,
              "\r\n\r\nOKU has detected that you are running under Windows XP Home\r\n"
              "and you do not have the backup utility installed. Would you\r\n"
              "like to get directions on how to install it?");
}

std::optional<std::string> QueriedValueText(unsigned long type, std::span<const uint8_t> data) {
  if (type != kRegSz && type != kRegExpandSz && type != kRegDword) return std::nullopt;
  if (!data.empty() && data.back() == 0) data = data.first(data.size() - 1);
  std::string text;
  if (type == kRegDword) {
    if (data.empty()) return std::nullopt;
    static constexpr char kHex[] = "0123456789ABCDEF";
    text = "&h";
    for (size_t i = data.size(); i-- > 0;) {
      text += kHex[data[i] >> 4];
      text += kHex[data[i] & 0x0F];
    }
  } else {
    text.assign(data.begin(), data.end());
  }
  if (text.empty()) return std::nullopt;
  return text;
}

std::string QuotedProgramPath(std::string_view path) {
  if (path.find(' ') == std::string_view::npos || path.starts_with('"')) return std::string(path);
  return "\"" + std::string(path) + "\"";
}
