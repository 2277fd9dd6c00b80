// Child for the capture tests: starts a copy of itself that inherits its standard output and lingers
// for a minute (writing its process id into the file named by the argument), then writes a line
// and ends at once. The capture's pipe then outlives the child.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--linger") == 0) {
    if (FILE* f = std::fopen(argv[2], "w")) {
      std::fprintf(f, "%lu", GetCurrentProcessId());
      std::fclose(f);
    }
    Sleep(60000);
    return 0;
  }
  if (argc < 2) return 2;
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  SetHandleInformation(out, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string line = std::string("\"") + self + "\" --linger \"" + argv[1] + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = out;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) return 3;
  CloseHandle(info.hThread);
  // Only once the grandchild runs does it hold the write end for sure.
  for (int i = 0; i < 100 && GetFileAttributesA(argv[1]) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(50);
  CloseHandle(info.hProcess);
  DWORD written = 0;
  WriteFile(out, "parent done\r\n", 13, &written, nullptr);
  return 0;
}
