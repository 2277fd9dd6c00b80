// The "Auto Shut Down" frame of the main window, bound to the shutdown timer's model.
#include "shutdown/ShutdownFrame.h"

#include "platform/App.h"
#include "platform/Boundary.h"
#include "shutdown/LocalTime.h"
#include "shutdown/ShutdownFrameIds.h"
#include "shutdown/WinShut.h"

void ShutdownFrame::ShowState() {
  ui::Form& w = view_.window;
  const FrameControls c = timer_.Controls();
  for (int i = 0; i < kExitOptionCount; ++i) w.Enable(IDO_OKU_EXIT_OPTION0 + i, c.optionsEnabled);
  w.Enable(IDB_OKU_ACTIVATE, c.activateEnabled);
  w.Enable(IDB_OKU_DEACTIVATE, c.deactivateEnabled);
  w.Enable(IDE_OKU_SHUTDOWN_TIME, c.timeBoxEnabled);
  if (c.timerRunning)
    SetTimer(w.hwnd(), IDTIMER_OKU_SHUTDOWN, kTimerIntervalMs, nullptr);
  else
    KillTimer(w.hwnd(), IDTIMER_OKU_SHUTDOWN);
}

void ShutdownFrame::CheckOption(int index) {
  for (int i = 0; i < kExitOptionCount; ++i) view_.window.SetChecked(IDO_OKU_EXIT_OPTION0 + i, i == index);
}

void ShutdownFrame::SetDefaults() {
  view_.window.SetText(IDE_OKU_SHUTDOWN_TIME, timer_.ResetDefaults(ClockNow().time, ReadRegionalSettings()));
  ExitOption = timer_.ExitOption();
  CheckOption(ExitOption);
  ShowState();
}

void ShutdownFrame::SelectOption(int index) {
  // The option changes only on a click while disarmed; a refused change keeps the old check.
  if (timer_.SelectOption(index)) ExitOption = index;
  CheckOption(timer_.ExitOption());
}

void ShutdownFrame::Activate() {
  ui::Form& w = view_.window;
  ui::RunHandler(w, ui::ShortForm(kActivateErrorCaption), [&] {
    if (!timer_.Arm(w.Text(IDE_OKU_SHUTDOWN_TIME), ReadRegionalSettings(), ClockNow())) {
      ShowMessage(kInvalidTimeText, kInvalidTimeCaption, kMbStop);
      if (w.IsOpen()) w.Focus(IDE_OKU_SHUTDOWN_TIME);
      return;
    }
    ShowState();
  });
}

void ShutdownFrame::Deactivate() {
  ui::RunHandler(view_.window, ui::ShortForm(kDeactivateErrorCaption), [this] {
    timer_.Disarm();
    ShowState();
  });
}

void ShutdownFrame::Tick() {
  ui::Form& w = view_.window;
  // The request and the privilege steps show their own boxes; nothing else is left to report.
  ui::RunHandler(
      w,
      [&] {
        if (!timer_.Tick(ClockNow())) return;
        // The timer stops before anything else, so the action runs once even while its messages show.
        KillTimer(w.hwnd(), IDTIMER_OKU_SHUTDOWN);
        const ExitRequestOutcome outcome = RequestExitWindows(timer_.ExitOption(), NTFamily == 1);
        if (outcome.accepted) {
          ui::RequestExit();
          return;
        }
        // Windows refused: say so and stay, disarmed, rather than vanish as if it had worked.
        ReportRefusal(outcome.error);
        if (w.IsOpen()) Deactivate();
      },
      [](const Failure&) {});
}
