// Child for the capture tests: writes letters in code page 437 (u, a, o and U with umlaut), as a
// console command in that OEM code page would.
#include <windows.h>

int main() {
  DWORD written = 0;
  return WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), "\x81\x84\x94\x9A\r\n", 6, &written, nullptr) ? 0 : 1;
}
