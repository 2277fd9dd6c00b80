// The registry and version calls the registry class makes, as a table of function pointers that
// defaults to the real advapi32/kernel32 functions. Tests swap in fakes to produce failures the
// real registry will not (access denied, a corrupt database, a value that grows between two calls).
#pragma once

#include <windows.h>

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
};

// The table every registry object calls through (the real functions unless a test swapped it).
const RegistryApi& ActiveRegistryApi();

// Installs a table for the life of this object and puts the previous one back afterwards.
class ScopedRegistryApi {
 public:
  explicit ScopedRegistryApi(const RegistryApi& api);
  ~ScopedRegistryApi();
  ScopedRegistryApi(const ScopedRegistryApi&) = delete;
  ScopedRegistryApi& operator=(const ScopedRegistryApi&) = delete;

 private:
  RegistryApi previous_;
};
