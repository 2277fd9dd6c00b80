// The boundary of a command handler: nothing that its steps throw gets past it.
#pragma once

#include <string>
#include <string_view>

#include "platform/Failure.h"
#include "platform/Form.h"
#include "platform/MessageBox.h"

namespace ui {

// Runs a handler's steps. Whatever escapes them, a Failure or any other exception (taken as the
// failure it stands for, see CurrentFailure), puts the window's default pointer back and reaches
// `onFailure`. A report that itself fails (no memory left to show it) is dropped: the window lives on.
template <class Steps, class OnFailure>
void CatchAll(Form& form, Steps&& steps, OnFailure&& onFailure) noexcept {
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

// The usual report: the stop box under `caption` with text(failure), shown only when the failure's
// number is above 0.
template <class Text, class Steps>
void CatchAllAndReport(Form& form, std::string_view caption, Text&& text, Steps&& steps) noexcept {
  CatchAll(form, steps, [&](const Failure& failure) {
    if (failure.number > 0) ShowMessage(text(failure), std::string(caption), kMbStop);
  });
}

}  // namespace ui
