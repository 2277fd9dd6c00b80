// The Windows and System directory lookup of the load sequence.
#include "app/WinFolders.h"

#include <windows.h>

std::string TrimAtNull(std::string_view text) { return std::string(text.substr(0, text.find('\0'))); }

std::string GetWindowsFolder(int kind) {
  std::string buffer(MAX_PATH, ' ');
  const UINT size = static_cast<UINT>(buffer.size() - 1);
  UINT length = 0;
  if (kind == kWindowsFolder) length = GetWindowsDirectoryA(buffer.data(), size);
  if (kind == kSystemFolder) length = GetSystemDirectoryA(buffer.data(), size);
  // A failed call (0) or one that needs a larger buffer gives no folder at all.
  if (length == 0 || length >= size) return {};
  return TrimAtNull(buffer);
}
