// The "Windows Utilities" and "Misc" buttons that start the Windows tools, and the startup items.
#include <algorithm>

#include "app/Globals.h"
#include "app/frmOKU.h"
#include "app/frmOKUIds.h"
#include "platform/Boundary.h"
#include "platform/MessageBox.h"
#include "platform/Process.h"
#include "platform/Pump.h"
#include "platform/Wow64.h"
#include "registry/clsEasyRegistry.h"
#include "shell/misc.h"
#include "tools/LauncherPlans.h"
#include "tools/StartupItems.h"
#include "tools/frmStartUp.h"
#include "tools/msinfo.h"

namespace {

constexpr const char* kRunKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// The first candidate that exists; the first one when none does, so the start reports it missing.
std::string ProgramFor(const LaunchPlan& plan) {
  const auto& candidates = plan.programCandidates;
  if (candidates.empty()) return {};
  const auto found =
      std::find_if(candidates.begin(), candidates.end(), [](const std::string& path) { return FileExists(path); });
  return found != candidates.end() ? *found : candidates.front();
}

// Starts the plan's command line; the caller reports a failure.
void Start(frmOKU& w, const LaunchPlan& plan) {
  if (plan.showsHourglass) w.SetMousePointer(ui::kPointerHourglass);
  if (plan.storesCommandLine) w.CommandLine = plan.commandLine;
  {
    const NativeFileSystemScope native;  // under WOW64: the system's own tool, not its 32-bit copy
    StartProcess(plan.commandLine, plan.showMode, ProgramFor(plan));
  }
  w.SetMousePointer(ui::kPointerDefault);
}

std::string Report(const frmOKU& w, const LaunchPlan& plan, const Failure& failure) {
  return plan.report == ReportForm::Long ? LongReport(w.CommandLine, failure) : ShortReport(failure);
}

// A launcher click: start the tool, or report why it did not start. The Registry Editor's
// caution comes first, inside the same boundary.
void Launch(frmOKU& w, Launcher launcher, bool cautionFirst = false) {
  LaunchPlan plan;
  ui::RunHandler(w, false, [&] {
        if (cautionFirst) ShowMessage(std::string(kRegEditCaution), std::string(kRegEditCautionCaption), kMbStop);
        plan = PlanLaunch(launcher, w.IsNT, w.SystemDir, w.WindowsDir);
        Start(w, plan);
      },
      [&](const Failure& failure) {
        if (failure.number > 0) ShowMessage(Report(w, plan, failure), plan.failureCaption, kMbStop);
      });
}

}  // namespace

void frmOKU::ApplyUtilityAvailability() {
  const UtilityAvailability a = AvailabilityFor(IsNT, IsXP, IsMe);
  for (int id : {IDT_OKU_SFC, IDB_OKU_SFC}) Enable(id, a.sfcEnabled);
  for (int id : {IDT_OKU_SCANDISK, IDB_OKU_SCANDISK}) Enable(id, a.scanDiskEnabled);
  Enable(IDB_OKU_COMPMGMT, a.compMgmtEnabled);
  if (a.enablesStartup)
    for (int id : {IDT_OKU_STARTUP, IDB_OKU_STARTUP}) Enable(id, true);
  SetText(IDT_OKU_REGCHECK, std::string(a.regCheckLabel));
}

void frmOKU::RegEdCmd_Click() {
  // The warning comes first; the editor starts however the box is closed.
  Launch(*this, Launcher::RegEdit, true);
}

void frmOKU::RegCmd_Click() {
  LaunchPlan plan;
  // Whatever the report does (the support article included) ends at the boundary: the program
  // goes on.
  ui::RunHandler(*this, false, [&] {
        plan = PlanLaunch(Launcher::RegCheck, IsNT, SystemDir, WindowsDir);
        Start(*this, plan);
      },
      [&](const Failure& failure) {
        DoEvents();
        if (failure.number == 0) return;
        const std::string report = LongReport(CommandLine, failure);
        if (!IsXpHomeCase(IsXP, Text(IDT_OKU_VERSION))) {
          ShowMessage(report, plan.failureCaption, kMbStop);
          return;
        }
        if (ShowMessage(XpHomePrompt(report), plan.failureCaption, kMbYesNoInformation) == kAnswerYes)
          OpenWebPage(std::string(kBackupArticleUrl), true);
      });
}

void frmOKU::DefragCmd_Click() { Launch(*this, Launcher::Defrag); }
void frmOKU::ScanCmd_Click() { Launch(*this, Launcher::ScanDisk); }
void frmOKU::SfcCmd_Click() { Launch(*this, Launcher::Sfc); }
void frmOKU::ConfigCmd_Click() { Launch(*this, Launcher::Config); }
void frmOKU::cmdCtrlP_Click() { Launch(*this, Launcher::ControlPanel); }
void frmOKU::cmdDM_Click() { Launch(*this, Launcher::DeviceManager); }
void frmOKU::cmdCM_Click() { Launch(*this, Launcher::ComputerManagement); }

void frmOKU::SysInfoCmd_Click() {
  ui::RunHandler(*this, ui::ShortForm(kSysInfoFailureCaption), [this] {
    SetMousePointer(ui::kPointerHourglass);
    LaunchSysInfo();
    SetMousePointer(ui::kPointerDefault);
  });
}

void frmOKU::StartCmd_Click() {
  if (!IsNT) {
    // 95, 98 and Me have their own configuration tool.
    Launch(*this, Launcher::MsConfig);
    return;
  }
  ui::RunHandler(*this, ui::LongForm(kMsConfigFailureCaption, CommandLine), [this] {
        StartupCount = 0;
        StartupNames.clear();
        StartupValues.clear();
        clsEasyRegistry registry;
        registry.Cd(kRunKey);
        std::vector<StartupEntry> values;
        if (const auto rows = registry.DirValue())
          for (const ValueRow& row : *rows) values.push_back({row.name, row.data});
        for (StartupEntry& entry : ListedStartupEntries(values)) {
          StartupNames.push_back(std::move(entry.name));
          StartupValues.push_back(std::move(entry.data));
        }
        StartupCount = static_cast<int>(StartupNames.size());
        frmStartUp window;
        window.ShowModal(hwnd());
      });
}
