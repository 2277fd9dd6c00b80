// The Windows side of the WOW64 decisions (Wow64Plan.h): the facts are gathered through a table of
// functions that tests replace, since this machine runs no 32-bit process under a 64-bit Windows.
// Only the registry view and the tools that are started change: the System directory stays the
// one GetSystemDirectoryA gives (the name the system itself uses), and DLLs load as before.
#pragma once

#include <windows.h>

#include <optional>

#include "platform/Seam.h"
#include "platform/Wow64Plan.h"

using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
using DisableFsRedirectionFn = BOOL(WINAPI*)(PVOID*);
using RevertFsRedirectionFn = BOOL(WINAPI*)(PVOID);

struct Wow64Api {
  bool process32Bit = sizeof(void*) == 4;
  // Looked up in kernel32 at run time: null where the running Windows lacks them.
  IsWow64ProcessFn isWow64Process = nullptr;
  DisableFsRedirectionFn disableFsRedirection = nullptr;
  RevertFsRedirectionFn revertFsRedirection = nullptr;
  decltype(&::GetVersionExA) getVersionEx = ::GetVersionExA;
  // The plan worked out from these calls on first use. It travels with the table, so a table that
  // a test installs gets its own plan and the previous one comes back with the previous table.
  std::optional<Wow64Plan> plan;

  // The real functions, with the run-time ones looked up.
  static Wow64Api Real();
};

// The facts as the table gives them; a 64-bit process asks nothing more.
Wow64Facts GatherWow64Facts(const Wow64Api& api);

// The plan for this process, worked out once from the table in use (win::Calls<Wow64Api>()).
const Wow64Plan& CurrentWow64Plan();

// What every registry access mask gets added: KEY_WOW64_64KEY or nothing.
REGSAM RegistryView();

// Switches this thread's file-system redirection off for its lifetime when the plan says so, and
// does nothing otherwise, so that a tool named by its System (or Windows) directory path is the
// system's own. Keep it around the program start only: DLLs must not load while it is off.
class NativeFileSystemScope {
 public:
  NativeFileSystemScope();
  ~NativeFileSystemScope();
  NativeFileSystemScope(const NativeFileSystemScope&) = delete;
  NativeFileSystemScope& operator=(const NativeFileSystemScope&) = delete;

 private:
  RevertFsRedirectionFn revert_ = nullptr;  // set while redirection is off
  PVOID previous_ = nullptr;
};
