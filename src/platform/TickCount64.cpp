// GetTickCount64 for the MinGW-w64 thread library, which imports it for its timed waits although
// Windows XP and Server 2003 lack it. This file defines the import's address slot itself, so the
// linker takes it instead of kernel32's entry: Vista and later get their own function, looked up
// at the first call; XP gets GetTickCount carried into 64 bits. Every program links this object
// directly (an archive member would come too late to replace the import).
#include <windows.h>

#include <atomic>

namespace {

using TickCount64Fn = ULONGLONG(WINAPI*)();

// GetTickCount wraps after 49.7 days: each wrap seen adds 2^32. Callers ask often enough (a timed
// wait asks at its start and at each wake) that no wrap goes unseen.
ULONGLONG WINAPI TickCountCarried() {
  static volatile LONG busy = 0;
  static DWORD last = 0;
  static ULONGLONG wraps = 0;
  while (InterlockedExchange(&busy, 1) != 0) Sleep(0);
  const DWORD now = GetTickCount();
  if (now < last) wraps += 1ULL << 32;
  last = now;
  const ULONGLONG ticks = wraps + now;
  InterlockedExchange(&busy, 0);
  return ticks;
}

// Looked up once; racing first callers find the same answer.
std::atomic<TickCount64Fn> gTickCount64{nullptr};

ULONGLONG WINAPI TickCount64() {
  TickCount64Fn tick = gTickCount64.load(std::memory_order_acquire);
  if (!tick) {
    tick = reinterpret_cast<TickCount64Fn>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount64"));
    if (!tick) tick = TickCountCarried;
    gTickCount64.store(tick, std::memory_order_release);
  }
  return tick();
}

}  // namespace

// The import's address slot under the name that the thread library refers to.
extern "C" {
#if defined(__i386__)
TickCount64Fn gImpGetTickCount64 __asm__("__imp__GetTickCount64@0") = TickCount64;
#else
TickCount64Fn gImpGetTickCount64 __asm__("__imp_GetTickCount64") = TickCount64;
#endif
}
