// The registry and version calls the registry class makes, as a table of function pointers that
// defaults to the real advapi32/kernel32 functions. Code calls through win::Calls<RegistryApi>();
// tests swap in fakes to produce failures the real registry will not (access denied, a corrupt
// database, a value that grows between two calls).
#pragma once

#include <windows.h>

#include "platform/Seam.h"

struct RegistryApi {
  decltype(&::RegOpenKeyExA) OpenKeyEx = ::RegOpenKeyExA;
  decltype(&::RegCloseKey) CloseKey = ::RegCloseKey;
  decltype(&::RegQueryInfoKeyA) QueryInfoKey = ::RegQueryInfoKeyA;
  decltype(&::RegEnumKeyExA) EnumKeyEx = ::RegEnumKeyExA;
  decltype(&::RegEnumValueA) EnumValue = ::RegEnumValueA;
  decltype(&::RegQueryValueExA) QueryValueEx = ::RegQueryValueExA;
  decltype(&::RegSetValueExA) SetValueEx = ::RegSetValueExA;
  decltype(&::RegCreateKeyExA) CreateKeyEx = ::RegCreateKeyExA;
  decltype(&::RegDeleteKeyA) DeleteKey = ::RegDeleteKeyA;
  decltype(&::RegDeleteValueA) DeleteValue = ::RegDeleteValueA;
  decltype(&::GetVersionExA) GetVersionEx = ::GetVersionExA;

  static RegistryApi Real() { return {}; }  // every member defaults to the real function
};
