// Program starts through CreateProcessA.
#include "platform/Process.h"

#include <windows.h>

#include "platform/Failure.h"
#include "platform/Handles.h"

unsigned long StartProcess(const std::string& commandLine, int showMode, const std::string& applicationName) {
  if (commandLine.empty() && applicationName.empty()) throw Failure(kErrFileNotFound, "File not found");

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showMode);
  PROCESS_INFORMATION info{};
  std::string mutableLine = commandLine;  // CreateProcessA may write into its command line
  if (!CreateProcessA(applicationName.empty() ? nullptr : applicationName.c_str(),
                      mutableLine.empty() ? nullptr : mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) throw Failure(kErrFileNotFound, "File not found");
    throw win::Win32Failure(code);
  }
  win::UniqueHandle process(info.hProcess);
  win::UniqueHandle thread(info.hThread);
  return info.dwProcessId;
}
