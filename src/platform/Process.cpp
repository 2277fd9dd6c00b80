// Program starts through CreateProcessA.
#include "platform/Process.h"

#include <windows.h>

#include "platform/Failure.h"
#include "platform/Handles.h"

unsigned long StartProcess(const std::string& commandLine, int showMode, const std::string& applicationName) {
  if (commandLine.empty() && applicationName.empty()) throw win::FileFailure(ERROR_FILE_NOT_FOUND);

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showMode);
  PROCESS_INFORMATION info{};
  std::string mutableLine = commandLine;  // CreateProcessA may write into its command line
  if (!CreateProcessA(applicationName.empty() ? nullptr : applicationName.c_str(),
                      mutableLine.empty() ? nullptr : mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info))
    throw win::FileFailure(GetLastError());
  win::UniqueHandle process(info.hProcess);
  win::UniqueHandle thread(info.hThread);
  return info.dwProcessId;
}
