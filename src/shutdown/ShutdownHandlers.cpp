// The "Auto Shut Down" frame of the main window, bound to the shutdown timer's model.
#include "app/Globals.h"
#include "app/frmOKU.h"
#include "app/frmOKUIds.h"
#include "platform/App.h"
#include "platform/Failure.h"
#include "platform/MessageBox.h"
#include "shutdown/LocalTime.h"
#include "shutdown/ShutdownOptions.h"
#include "shutdown/WinShut.h"

namespace {

// One main window per process, so one timer model.
ShutdownTimer& Model() {
  static ShutdownTimer model;
  return model;
}

void ApplyControls(frmOKU& w) {
  const FrameControls c = Model().Controls();
  for (int i = 0; i < kExitOptionCount; ++i) w.Enable(IDO_OKU_EXIT_OPTION0 + i, c.optionsEnabled);
  w.Enable(IDB_OKU_ACTIVATE, c.activateEnabled);
  w.Enable(IDB_OKU_DEACTIVATE, c.deactivateEnabled);
  w.Enable(IDE_OKU_SHUTDOWN_TIME, c.timeBoxEnabled);
  w.mnuRemVisible = c.reminderShown;  // mnuRem with mnuSep6 below it
  if (c.reminderShown) w.mnuRemCaption = Model().Reminder();
  if (c.timerRunning)
    SetTimer(w.hwnd(), IDTIMER_OKU_SHUTDOWN, kTimerIntervalMs, nullptr);
  else
    KillTimer(w.hwnd(), IDTIMER_OKU_SHUTDOWN);
}

void CheckOption(frmOKU& w, int index) {
  for (int i = 0; i < kExitOptionCount; ++i) w.SetChecked(IDO_OKU_EXIT_OPTION0 + i, i == index);
}

}  // namespace

void frmOKU::SetShutdownDefaults() {
  SetText(IDE_OKU_SHUTDOWN_TIME, Model().ResetDefaults(ClockNow().time, ReadRegionalSettings()));
  ExitOption = Model().ExitOption();
  CheckOption(*this, ExitOption);
  ApplyControls(*this);
}

void frmOKU::optExitOption_Click(int index) {
  // The option changes only on a click while disarmed; a refused change keeps the old check.
  if (Model().SelectOption(index)) ExitOption = index;
  CheckOption(*this, Model().ExitOption());
}

void frmOKU::cmdAct_Click() {
  try {
    if (!Model().Arm(Text(IDE_OKU_SHUTDOWN_TIME), ReadRegionalSettings(), ClockNow())) {
      ShowMessage(kInvalidTimeText, kInvalidTimeCaption, kMbStop);
      if (IsOpen()) Focus(IDE_OKU_SHUTDOWN_TIME);
      return;
    }
    ApplyControls(*this);
  } catch (...) {
    const Failure failure = CurrentFailure();
    if (failure.number > 0) ShowMessage(ShortReport(failure), kActivateErrorCaption, kMbStop);
  }
}

void frmOKU::cmdDeAct_Click() {
  try {
    Model().Disarm();
    ApplyControls(*this);
  } catch (...) {
    const Failure failure = CurrentFailure();
    if (failure.number > 0) ShowMessage(ShortReport(failure), kDeactivateErrorCaption, kMbStop);
  }
}

void frmOKU::Timer1_Timer() {
  if (!Model().Tick(ClockNow())) return;
  // The timer stops before anything else, so the action runs once even while its messages show.
  KillTimer(hwnd(), IDTIMER_OKU_SHUTDOWN);
  const ExitRequestOutcome outcome = RequestExitWindows(Model().ExitOption(), NTFamily == 1);
  if (outcome.accepted) {
    ui::RequestExit();
    return;
  }
  // Windows refused: say so and stay, disarmed, rather than vanish as if it had worked.
  ReportRefusal(outcome.error);
  if (IsOpen()) cmdDeAct_Click();
}
