// The "Auto Shut Down" frame of the main window: the five options, the time box and the two
// buttons, bound to the timer's model that the frame owns.
#pragma once

#include <string>

#include "platform/FrameView.h"
#include "shutdown/ShutdownOptions.h"

// Process-wide: 1 when the running Windows is of the NT family, else 0 (set by the load sequence).
inline int NTFamily = 0;
// Index (0-4) of the chosen shutdown option.
inline int ExitOption = 0;

class ShutdownFrame {
 public:
  explicit ShutdownFrame(ui::FrameView view) : view_(view) {}

  void SetDefaults();            // the load sequence's last step
  void SelectOption(int index);  // optExitOption_Click
  void Activate();               // cmdAct_Click
  void Deactivate();             // cmdDeAct_Click
  void Tick();                   // Timer1_Timer

  // The notification-area menu's entry mnuRem: shown only while armed.
  bool ReminderShown() const { return timer_.Controls().reminderShown; }
  const std::string& Reminder() const { return timer_.Reminder(); }

 private:
  void ShowState();
  void CheckOption(int index);

  ui::FrameView view_;
  ShutdownTimer timer_;
};
