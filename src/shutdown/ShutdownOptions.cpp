// The exit options and the armed/disarmed model of the shutdown frame.
#include "shutdown/ShutdownOptions.h"

#include "platform/Failure.h"

const ExitOptionInfo& ExitOptionAt(int index) {
  if (index < 0 || index >= kExitOptionCount) {
    throw Failure(kErrInvalidProcedureCall, "Invalid procedure call or argument");
  }
  return kExitOptions[static_cast<std::size_t>(index)];
}

std::string ReminderCaption(int option, ClockTime time, const RegionalSettings& settings) {
  return std::string(ExitOptionAt(option).caption) + " at " + FormatShutdownTime(time, settings);
}

FrameControls ControlsFor(TimerState state, bool fired) {
  const bool armed = state == TimerState::Armed;
  return FrameControls{
      .optionsEnabled = !armed,
      .activateEnabled = !armed,
      .deactivateEnabled = armed,
      .timeBoxEnabled = !armed,
      .reminderShown = armed,
      .timerRunning = armed && !fired,
  };
}

bool ShutdownTimer::SelectOption(int index) {
  if (state_ == TimerState::Armed) return false;
  ExitOptionAt(index);  // refuses an index outside the table
  exitOption_ = index;
  return true;
}

std::string ShutdownTimer::ResetDefaults(ClockTime now, const RegionalSettings& settings) {
  Disarm();
  exitOption_ = 0;
  return FormatShutdownTime(DefaultShutdownTime(now), settings);
}

bool ShutdownTimer::Arm(std::string_view timeText, const RegionalSettings& settings, const LocalDateTime& now) {
  const auto time = ParseTimeText(timeText, settings);
  if (!time) return false;
  // Built before the state changes, so that a failure leaves the timer disarmed.
  std::string reminder = ReminderCaption(exitOption_, *time, settings);
  armedTime_ = *time;
  armedAt_ = MinuteNumber(now);
  dueAt_ = NextOccurrence(armedAt_, armedTime_);
  reminder_ = std::move(reminder);
  fired_ = false;
  state_ = TimerState::Armed;
  return true;
}

void ShutdownTimer::Disarm() {
  state_ = TimerState::Disarmed;
  fired_ = false;
  reminder_.clear();
}

bool ShutdownTimer::Tick(const LocalDateTime& now) {
  if (state_ != TimerState::Armed || fired_) return false;
  const long long minute = MinuteNumber(now);
  if (minute < armedAt_) {
    armedAt_ = minute;
    dueAt_ = NextOccurrence(minute, armedTime_);
  }
  if (minute < dueAt_) return false;
  fired_ = true;
  return true;
}
