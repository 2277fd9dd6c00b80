// Import slots of our own for kernel32 functions that the MinGW-w64 thread library imports
// although older Windows lack them: GetTickCount64 (Vista) for its timed waits, and
// AddVectoredExceptionHandler / RemoveVectoredExceptionHandler (XP) for naming threads, which
// OKU never does. Defining the slots here makes the linker take them instead of kernel32's
// entries; each looks the system's function up at its first call and falls back where it is
// missing, so the exe loads on Windows 2000 and XP. Every program links this object directly
// (an archive member would come too late to replace the imports).
#include <windows.h>

#include <atomic>

namespace {

template <class Fn>
Fn Kernel32Function(const char* name) {
  return reinterpret_cast<Fn>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name));
}

// The system's function, else the fallback; looked up once (racing first callers find the same).
template <class Fn>
Fn Resolve(std::atomic<Fn>& slot, const char* name, Fn fallback) {
  Fn fn = slot.load(std::memory_order_acquire);
  if (!fn) {
    fn = Kernel32Function<Fn>(name);
    if (!fn) fn = fallback;
    slot.store(fn, std::memory_order_release);
  }
  return fn;
}

using TickCount64Fn = ULONGLONG(WINAPI*)();
using AddHandlerFn = PVOID(WINAPI*)(ULONG, PVECTORED_EXCEPTION_HANDLER);
using RemoveHandlerFn = ULONG(WINAPI*)(PVOID);

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

// Without vectored handlers the thread library skips naming threads (it raises the naming
// exception only when a handler or a debugger is there to catch it).
PVOID WINAPI NoHandlerAdded(ULONG, PVECTORED_EXCEPTION_HANDLER) { return nullptr; }
ULONG WINAPI NoHandlerRemoved(PVOID) { return 0; }

std::atomic<TickCount64Fn> gTickCount64{nullptr};
std::atomic<AddHandlerFn> gAddHandler{nullptr};
std::atomic<RemoveHandlerFn> gRemoveHandler{nullptr};

ULONGLONG WINAPI TickCount64() { return Resolve(gTickCount64, "GetTickCount64", &TickCountCarried)(); }
PVOID WINAPI AddHandler(ULONG first, PVECTORED_EXCEPTION_HANDLER handler) {
  return Resolve(gAddHandler, "AddVectoredExceptionHandler", &NoHandlerAdded)(first, handler);
}
ULONG WINAPI RemoveHandler(PVOID handle) {
  return Resolve(gRemoveHandler, "RemoveVectoredExceptionHandler", &NoHandlerRemoved)(handle);
}

}  // namespace

// The import slots under the names that the thread library refers to (32-bit names carry the
// stdcall decoration).
#if defined(__i386__)
#define OKU_IMPORT_SLOT(name, bytes) "__imp__" #name "@" #bytes
#else
#define OKU_IMPORT_SLOT(name, bytes) "__imp_" #name
#endif
extern "C" {
TickCount64Fn gImpGetTickCount64 __asm__(OKU_IMPORT_SLOT(GetTickCount64, 0)) = TickCount64;
AddHandlerFn gImpAddVectoredExceptionHandler __asm__(OKU_IMPORT_SLOT(AddVectoredExceptionHandler, 8)) = AddHandler;
RemoveHandlerFn gImpRemoveVectoredExceptionHandler __asm__(OKU_IMPORT_SLOT(RemoveVectoredExceptionHandler,
                                                                           4)) = RemoveHandler;
}
