// Child for the capture tests: writes 1 MiB of numbered 9-byte lines ("0000000\r\n", "0000001\r\n", ...)
// to standard output, in 4 KiB writes.
#include <windows.h>

#include <cstdio>
#include <string>

int main() {
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  std::string block;
  unsigned line = 0;
  size_t total = 0;
  while (total < (1u << 20)) {
    char text[16];
    block.append(text, std::snprintf(text, sizeof text, "%07u\r\n", line++));
    if (block.size() >= 4096) {
      DWORD written = 0;
      if (!WriteFile(out, block.data(), static_cast<DWORD>(block.size()), &written, nullptr)) return 1;
      total += written;
      block.clear();
    }
  }
  return 0;
}
