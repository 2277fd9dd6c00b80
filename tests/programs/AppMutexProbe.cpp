// Waits until some process holds OKU's "QLN_OKU" mutex, the way a setup looks for a running OKU.
// Usage: AppMutexProbe <milliseconds>. Exit code 0 once the mutex exists, 1 when the time ran out.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
  const DWORD limit = argc > 1 ? static_cast<DWORD>(std::strtoul(argv[1], nullptr, 10)) : 0;
  const DWORD start = GetTickCount();
  for (;;) {
    if (HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, "QLN_OKU")) {
      CloseHandle(mutex);
      return 0;
    }
    if (GetTickCount() - start >= limit) return 1;
    Sleep(100);
  }
}
