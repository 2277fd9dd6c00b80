// Child for the capture tests: writes its process id into the file named by its argument, writes
// a line to standard output, then sleeps for two minutes (the test ends it sooner).
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  if (FILE* f = std::fopen(argv[1], "w")) {
    std::fprintf(f, "%lu", GetCurrentProcessId());
    std::fclose(f);
  }
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), "started\r\n", 9, &written, nullptr);
  Sleep(120000);
  return 0;
}
