// The "Windows Utilities" and "Misc" buttons that start the Windows tools, and the startup items.
#include "tools/Utilities.h"

#include <algorithm>
#include <optional>

#include "platform/Boundary.h"
#include "platform/Process.h"
#include "platform/Pump.h"
#include "platform/Wow64.h"
#include "registry/clsEasyRegistry.h"
#include "shell/misc.h"
#include "tools/StartupItems.h"
#include "tools/UtilitiesIds.h"
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

}  // namespace

void Utilities::ApplyAvailability() {
  ui::Form& w = view_.window;
  const UtilityAvailability a = AvailabilityFor(view_.machine.IsNT, view_.machine.IsXP, view_.machine.IsMe);
  for (int id : {IDT_OKU_SFC, IDB_OKU_SFC}) w.Enable(id, a.sfcEnabled);
  for (int id : {IDT_OKU_SCANDISK, IDB_OKU_SCANDISK}) w.Enable(id, a.scanDiskEnabled);
  w.Enable(IDB_OKU_COMPMGMT, a.compMgmtEnabled);
  if (a.enablesStartup)
    for (int id : {IDT_OKU_STARTUP, IDB_OKU_STARTUP}) w.Enable(id, true);
  w.SetText(IDT_OKU_REGCHECK, std::string(a.regCheckLabel));
}

// Starts the plan's command line; the caller reports a failure.
void Utilities::Start(const LaunchPlan& plan) {
  std::optional<ui::Hourglass> hourglass;
  if (plan.showsHourglass) hourglass.emplace(view_.window);
  if (plan.storesCommandLine) view_.commandLine = plan.commandLine;
  const NativeFileSystemScope native;  // under WOW64: the system's own tool, not its 32-bit copy
  StartProcess(plan.commandLine, plan.showMode, ProgramFor(plan));
}

void Utilities::Launch(Launcher launcher) {
  // The caption and the report's form come with the plan.
  ui::Handling handling = ui::LongForm("", view_.commandLine);
  ui::RunHandler(view_.window, handling, [&] {
    // The warning comes first; the editor starts however the box is closed.
    if (launcher == Launcher::RegEdit)
      ShowMessage(std::string(kRegEditCaution), std::string(kRegEditCautionCaption), kMbStop);
    const LaunchPlan plan = PlanLaunch(launcher, view_.machine.IsNT, view_.machine.SystemDir, view_.machine.WindowsDir);
    handling = plan.report == ReportForm::Long ? ui::LongForm(plan.failureCaption, view_.commandLine)
                                               : ui::ShortForm(plan.failureCaption);
    Start(plan);
  });
}

void Utilities::CheckRegistry() {
  LaunchPlan plan;
  // Whatever the report does (the support article included) ends at the boundary: the program
  // goes on.
  ui::RunHandler(
      view_.window,
      [&] {
        plan = PlanLaunch(Launcher::RegCheck, view_.machine.IsNT, view_.machine.SystemDir, view_.machine.WindowsDir);
        Start(plan);
      },
      [&](const Failure& failure) {
        DoEvents();
        if (failure.number == 0) return;
        const std::string report = LongReport(view_.commandLine, failure);
        if (!IsXpHomeCase(view_.machine.IsXP, view_.machine.VersionLine)) {
          ShowMessage(report, plan.failureCaption, kMbStop);
          return;
        }
        if (ShowMessage(XpHomePrompt(report), plan.failureCaption, kMbYesNoInformation) == kAnswerYes)
          OpenWebPage(std::string(kBackupArticleUrl), true);
      });
}

void Utilities::ShowSystemInfo() {
  ui::RunHandler(view_.window, ui::ShortForm(kSysInfoFailureCaption), [this] {
    ui::Hourglass hourglass(view_.window);
    LaunchSysInfo();
  });
}

void Utilities::ShowStartupItems() {
  if (!view_.machine.IsNT) {
    // 95, 98 and Me have their own configuration tool.
    Launch(Launcher::MsConfig);
    return;
  }
  ui::RunHandler(view_.window, ui::LongForm(kMsConfigFailureCaption, view_.commandLine), [this] {
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
    window.ShowModal(view_.window.hwnd());
  });
}
