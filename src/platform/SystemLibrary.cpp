// LoadSystemLibrary: a full path into the System folder, never a bare name.
#include "platform/SystemLibrary.h"

#include <string>

namespace win {

HMODULE LoadSystemLibrary(const char* name) {
  char folder[MAX_PATH];
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    if (length != 0) SetLastError(ERROR_BUFFER_OVERFLOW);
    return nullptr;
  }
  std::string path(folder, length);
  if (path.back() != '\\') path.push_back('\\');
  path += name;
  // With a full path, this flag makes the loader look for the DLL's own imports beside it (in the
  // System folder) instead of beside the program.
  return LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace win
