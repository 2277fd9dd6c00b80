// Starts the command line in OKU_COMMAND_LINE exactly as Windows starts a registered command (one
// CreateProcess of the whole line), waits for it and returns its exit code.
// Usage: RunCommandLine <milliseconds>. Exit code 124 when the time ran out, 125 when it could not start.
#include <windows.h>

#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  const DWORD limit = argc > 1 ? static_cast<DWORD>(std::strtoul(argv[1], nullptr, 10)) : 0;
  const char* command = std::getenv("OKU_COMMAND_LINE");
  if (!command) return 125;
  std::string line = command;  // CreateProcessA may write into the line
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) return 125;
  CloseHandle(info.hThread);
  DWORD code = 124;
  if (WaitForSingleObject(info.hProcess, limit) == WAIT_OBJECT_0) GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hProcess);
  return static_cast<int>(code);
}
