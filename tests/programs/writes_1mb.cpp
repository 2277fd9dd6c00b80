// Child for the capture tests: writes 1 MiB to standard output in 4 KiB writes, each block the
// letters a-z over and over from its start.
#include <windows.h>

int main() {
  char block[4096];
  for (int i = 0; i < 4096; ++i) block[i] = static_cast<char>('a' + i % 26);
  DWORD written = 0;
  for (int n = 0; n < 256; ++n) {
    if (!WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), block, sizeof block, &written, nullptr)) return 1;
  }
}
