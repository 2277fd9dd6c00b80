// Child for the capture tests: writes to standard error only (the capture leaves it null).
#include <windows.h>

int main() {
  DWORD written = 0;
  return WriteFile(GetStdHandle(STD_ERROR_HANDLE), "to stderr\r\n", 11, &written, nullptr) ? 0 : 1;
}
