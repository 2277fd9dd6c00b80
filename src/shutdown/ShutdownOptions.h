// The "Auto Shut Down" frame without its window: the five ways to leave Windows, the armed and
// disarmed states with what each control shows in them, and the tick that acts once.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "shutdown/ShutdownTime.h"

// One exit option: its caption (with the "&" markers of its access key) and its ExitWindowsEx flags.
struct ExitOptionInfo {
  std::string_view caption;
  unsigned flags;
};

// By index, top to bottom in the frame. Flags: EWX_LOGOFF 0, EWX_SHUTDOWN 1, EWX_REBOOT 2,
// EWX_FORCE 4, EWX_POWEROFF 8.
inline constexpr std::array<ExitOptionInfo, 5> kExitOptions{{
    {"&Shutdown && Powerdown", 13},
    {"Normal Shutdo&wn", 1},
    {"Forced Sh&utdown", 5},
    {"Re&boot", 7},
    {"&Log Off", 0},
}};
inline constexpr int kExitOptionCount = static_cast<int>(kExitOptions.size());

// Throws Failure (invalid procedure call) for an index outside 0-4.
const ExitOptionInfo& ExitOptionAt(int index);

// The notification-area entry of an armed timer: the option's caption, its "&" markers kept,
// + " at " + the time as FormatShutdownTime writes it ("Re&boot at 10:30 PM").
std::string ReminderCaption(int option, ClockTime time, const RegionalSettings& settings);

// Texts of the frame.
inline constexpr const char* kTypeLabel = "Type:";
inline constexpr const char* kTimeLabel = "Time To Shutdown:";
inline constexpr const char* kTimeTooltip = "Input the time to shutdown";
inline constexpr const char* kActivateCaption = "&Activate";
inline constexpr const char* kActivateTooltip = "Activate the timer";
inline constexpr const char* kDeactivateCaption = "DeActi&vate";
inline constexpr const char* kDeactivateTooltip = "DeActivate the timer";
inline constexpr const char* kInvalidTimeText = "Must enter a valid date/time.";
inline constexpr const char* kInvalidTimeCaption = "Error in Date/Time";
inline constexpr const char* kActivateErrorCaption = "Error in activating";
inline constexpr const char* kDeactivateErrorCaption = "Error in deactivating";
inline constexpr unsigned kTimerIntervalMs = 1000;

enum class TimerState { Disarmed, Armed };

// What the frame's controls and the notification-area entries show.
struct FrameControls {
  bool optionsEnabled;     // the five option buttons
  bool activateEnabled;    // cmdAct
  bool deactivateEnabled;  // cmdDeAct
  bool timeBoxEnabled;     // txtTime
  bool reminderShown;      // mnuRem and the separator mnuSep6 below it
  bool timerRunning;       // Timer1

  friend bool operator==(const FrameControls&, const FrameControls&) = default;
};

// The table of the two states. An armed timer whose minute came has stopped ticking but stays
// armed (locked) until it is disarmed.
FrameControls ControlsFor(TimerState state, bool fired = false);

// The frame's state. One per main window; it starts disarmed with option 0.
class ShutdownTimer {
 public:
  // optExitOption_Click. The option changes only while disarmed; false when refused.
  bool SelectOption(int index);
  int ExitOption() const { return exitOption_; }
  unsigned ExitFlags() const { return ExitOptionAt(exitOption_).flags; }

  // The defaults of start-up and Refresh: option 0, and the text for the time box (an hour from
  // now). Disarms first, as Refresh does.
  std::string ResetDefaults(ClockTime now, const RegionalSettings& settings);

  // cmdAct_Click at `now`. False when the text is no valid date or time: then nothing changes and
  // the window shows kInvalidTimeText. The time box keeps the text as typed. The action is due at
  // the next occurrence of the time counted from now (NextOccurrence): a time already past today
  // means tomorrow.
  bool Arm(std::string_view timeText, const RegionalSettings& settings, const LocalDateTime& now);
  // cmdDeAct_Click.
  void Disarm();

  // Timer1_Timer. True once, at the first tick at or after the due minute however late it comes
  // (ticks held back while a handler is busy, a machine that slept through the minute): the
  // caller stops Timer1 and asks Windows to act. Later ticks (while a message of that request is
  // open, or after it) return false until the timer is armed again. A clock set back to before
  // the moment of arming counts again from the new clock, so the action comes at the next
  // occurrence of its time on that clock rather than a day or more later.
  bool Tick(const LocalDateTime& now);

  TimerState State() const { return state_; }
  bool Fired() const { return fired_; }
  FrameControls Controls() const { return ControlsFor(state_, fired_); }
  ClockTime ArmedTime() const { return armedTime_; }
  // mnuRem's caption while armed; empty while disarmed.
  const std::string& Reminder() const { return reminder_; }

 private:
  TimerState state_ = TimerState::Disarmed;
  bool fired_ = false;
  int exitOption_ = 0;
  ClockTime armedTime_;
  long long armedAt_ = 0;  // MinuteNumber of the moment of arming
  long long dueAt_ = 0;    // MinuteNumber from which a tick acts
  std::string reminder_;
};
