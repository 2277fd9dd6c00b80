// What a 32-bit OKU does on 64-bit Windows (WOW64), where Windows shows it a redirected registry
// and System directory, to see and start what the system itself uses. Portable: the Windows side
// (Wow64.h) gathers the facts and carries the plan out.
#pragma once

#include <cstdint>

// The registry's 64-bit view flag (KEY_WOW64_64KEY), added to an access mask.
inline constexpr uint32_t kRegistry64BitView = 0x0100;

struct Wow64Facts {
  bool process32Bit = false;          // this build is 32-bit
  bool hasIsWow64Process = false;     // kernel32 exports it (XP SP2, Server 2003 SP1 and later)
  bool isWow64 = false;               // what it answered for this process
  unsigned major = 0, minor = 0;      // the Windows version
  bool hasRedirectionSwitch = false;  // Wow64DisableWow64FsRedirection and its revert are both exported
};

struct Wow64Plan {
  uint32_t registryView = 0;    // added to every registry access mask: 0 or kRegistry64BitView
  bool redirectionOff = false;  // file-system redirection is switched off around a tool's start
  bool operator==(const Wow64Plan&) const = default;
};

// Outside WOW64 (a 64-bit build, a 32-bit Windows, a system too old to say) nothing changes. Under
// WOW64 the registry is used in its 64-bit view from XP on (Windows 2000 does not support the flag), and a
// tool starts with redirection switched off wherever the switch exists (XP x64, Server 2003 x64
// and every later 64-bit Windows). The "Sysnative" alias is not used: it reaches only the System
// directory (not the Registry Editor in the Windows directory, also redirected), exists on XP x64
// and 2003 x64 only with a hotfix, and would show the user a path that no 64-bit program can open.
Wow64Plan PlanForWow64(const Wow64Facts& facts);
