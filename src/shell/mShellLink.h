// Module mShellLink: opening items through the shell, and the shell's folder picker.
#pragma once

#include <windows.h>

#include <string>

// Opens a document, folder, program or URL through the shell. verb "Open" or "Explore" (exactly
// so) is passed on; any other verb asks for the default action. Gives -1 when the item was opened
// (for a file type without a program: when the Open With dialog was started), otherwise the
// shell's failure code after the "Shell execute failed..." box. A failure to start the Open With
// dialog is thrown as Failure.
long ShellExecuteFile(const std::string& file, long showMode, const std::string& verb);

// The shell's folder picker (file-system folders only); the chosen folder's path, or empty text
// when the user cancelled or the choice has no path. COM must be initialised on this thread.
std::string BrowseForFolder(HWND owner, const std::string& prompt);
