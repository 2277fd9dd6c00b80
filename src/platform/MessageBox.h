// Message boxes, owned by the program's active window. Tests replace the real box with a hook.
#pragma once

#include <functional>
#include <string>

// Message-box styles by their flag sums, as the program's messages quote them.
inline constexpr unsigned kMbOk = 0;
inline constexpr unsigned kMbStop = 16;          // MB_ICONSTOP | MB_OK
inline constexpr unsigned kMbYesNoQuestion = 36;
inline constexpr unsigned kMbExclamation = 48;
inline constexpr unsigned kMbInformation = 64;
inline constexpr unsigned kMbOkCancelInformation = 65;
inline constexpr unsigned kMbYesNoInformation = 68;
inline constexpr unsigned kMbYesNoExclamationDefaultNo = 308;

// Answers (the platform's IDOK, IDCANCEL, IDYES, IDNO).
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerCancel = 2;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

// The program's title, the caption of the start-up and privilege messages.
inline constexpr const char* kAppTitle = "OKU";

// Shows a modal message box with the given style; returns the answer.
int ShowMessage(const std::string& text, const std::string& caption, unsigned style);

// While a hook is set, ShowMessage calls it instead of showing a box (in-process tests).
using MessageBoxHook = std::function<int(const std::string& text, const std::string& caption, unsigned style)>;
void SetMessageBoxHook(MessageBoxHook hook);
