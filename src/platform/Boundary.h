// The boundary of a command handler: the hourglass, the failure report and the busy guard, kept in
// one place so that no handler repeats them.
#pragma once

#include <concepts>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/App.h"
#include "platform/Failure.h"
#include "platform/Form.h"
#include "platform/MessageBox.h"

namespace ui {

// The hourglass over a window while a scope runs; the default pointer comes back on every path.
class Hourglass {
 public:
  explicit Hourglass(Form& form) : form_(form) { form_.SetMousePointer(kPointerHourglass); }
  ~Hourglass() { form_.SetMousePointer(kPointerDefault); }
  Hourglass(const Hourglass&) = delete;
  Hourglass& operator=(const Hourglass&) = delete;

 private:
  Form& form_;
};

// How a handler tells its failure: the stop box (style 16) under `caption`, in the short form
// (number and description) or, with a command line, the long form. Only a number above 0 is shown.
struct Handling {
  std::string caption;
  const std::string* commandLine = nullptr;  // set: the long form, quoting this command line
  bool busyThroughout = false;               // the handler pumps messages: no other command may run until it ends
};

inline Handling ShortForm(std::string_view caption) { return {std::string(caption)}; }
inline Handling LongForm(std::string_view caption, const std::string& commandLine) {
  return {std::string(caption), &commandLine};
}

// The report rule of every handler.
inline void ReportFailure(const Handling& handling, const Failure& failure) {
  if (failure.number <= 0) return;
  const std::string text = handling.commandLine ? LongReport(*handling.commandLine, failure) : ShortReport(failure);
  ShowMessage(text, handling.caption, kMbStop);
}

namespace detail {

template <class Steps, class OnFailure>
void Run(Form& form, bool busyThroughout, Steps& steps, OnFailure& onFailure) noexcept {
  HandlerScope handler;           // an exit requested inside waits until the handler and its report are over
  std::optional<BusyScope> busy;  // held over the report too, so nothing deferred runs inside its box
  if (busyThroughout) busy.emplace();
  try {
    steps();
  } catch (...) {
    form.SetMousePointer(kPointerDefault);
    try {
      onFailure(CurrentFailure());
    } catch (...) {
    }
  }
}

}  // namespace detail

// Runs a handler's steps. Whatever escapes them, a Failure or any other exception (taken as the
// failure it stands for, see CurrentFailure), puts the window's default pointer back and is
// reported by the rule above. A report that itself fails (no memory left to show it) is dropped:
// the window lives on. `handling` is read when the failure is reported, so the steps may still
// choose the caption or the command line.
template <std::invocable Steps>
void RunHandler(Form& form, const Handling& handling, Steps&& steps) noexcept {
  auto report = [&handling](const Failure& failure) { ReportFailure(handling, failure); };
  detail::Run(form, handling.busyThroughout, steps, report);
}

// The same boundary for a handler whose failure takes a path of its own instead of the report.
template <std::invocable Steps, std::invocable<const Failure&> OnFailure>
void RunHandler(Form& form, Steps&& steps, OnFailure&& onFailure) noexcept {
  detail::Run(form, false, steps, onFailure);
}

}  // namespace ui
