// Child for the capture tests: writes to standard error only (the capture leaves it null).
#include <windows.h>

#include <cstdio>

int main() {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), "to stderr\r\n", 11, &written, nullptr);
  std::fputs("to stderr through the C library\n", stderr);
  return 0;
}
