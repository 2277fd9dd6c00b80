// Module WinFolders: the Windows and System directories.
#pragma once

#include <string>
#include <string_view>

inline constexpr int kWindowsFolder = 1;
inline constexpr int kSystemFolder = 2;

// The directory of the kind (1 Windows, 2 System), or empty text when Windows cannot give it
// (a failed call, or a path that does not fit the buffer).
std::string GetWindowsFolder(int kind);

// The text up to, not including, its first NUL; the whole text when it holds none.
std::string TrimAtNull(std::string_view text);
