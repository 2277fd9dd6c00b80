// Error texts from the system's message table.
#include "platform/Handles.h"

#include <string>

namespace win {

std::string ErrorDescription(DWORD code) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string result = length && text ? std::string(text, length) : "Error " + std::to_string(code);
  if (text) LocalFree(text);
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' ')) result.pop_back();
  return result;
}

Failure Win32Failure(DWORD code) { return Failure(static_cast<long>(code), ErrorDescription(code)); }

Failure FileFailure(DWORD code) {
  if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return Failure(kErrFileNotFound, "File not found");
  return Win32Failure(code);
}

}  // namespace win
