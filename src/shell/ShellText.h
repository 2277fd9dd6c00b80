// The texts the shell routines hand to the shell and read back from its buffers.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Text.h"

// The shell's failure code for a file type without an associated program (SE_ERR_NOASSOC).
inline constexpr long kShellNoAssociation = 31;

// The verb passed on to the shell: "Open" and "Explore" as written (case counts); any other verb,
// the empty one included, becomes no verb (null), which asks for the file type's default action.
const char* ShellVerb(std::string_view verb);

// The second line of the "Shell execute failed..." box for a shell failure code (empty for codes
// without a text of their own).
std::string ShellExecuteErrorText(long code);

// The whole text of that box: the file, CR LF, then the code's error text.
std::string ShellExecuteFailureMessage(std::string_view file, long code);

// The command line that opens the shell's Open With dialog for a file.
std::string OpenWithCommandLine(std::string_view file);

// The text a shell call left in a buffer, up to its first NUL; none when the buffer holds no NUL
// (the call wrote nothing, or more than fits).
std::optional<std::string_view> TextBeforeNul(std::string_view buffer);

// The Send To path from the lookup's buffer: trimmed and ending in "\". A failed call, an empty
// path or a buffer without a NUL give empty text, with no "\" appended.
std::string SendToPathFromBuffer(bool callSucceeded, std::string_view buffer);

// The folder path from a folder lookup's buffer: the text before its NUL, trimmed; none when no
// text remains or the buffer holds no NUL.
std::optional<std::string> FolderPathFromBuffer(std::string_view buffer);

// The text after the last "\" of a path; empty when there is no "\" or the path ends in one.
std::string GetFileName(std::string_view path);
