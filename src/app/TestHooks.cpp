// The test build: settings come from the environment that the test driver starts OKU_test.exe with.
#include "platform/TestHooks.h"

#include <windows.h>

#include <set>

#include "registry/RegistryApi.h"

namespace {

// --- OKU_TEST_REFUSE_HKLM_WRITES=1: HKEY_LOCAL_MACHINE as a user without the right to change it.
// Keys opened below HKEY_LOCAL_MACHINE are remembered, so that a write through any of them is
// refused the way Windows refuses it, while reads and every other root work as usual.
namespace refuse_machine_writes {

RegistryApi gReal;            // the table in force before ours
std::set<HKEY> gMachineKeys;  // open handles that descend from HKEY_LOCAL_MACHINE

bool UnderMachine(HKEY key) { return key == HKEY_LOCAL_MACHINE || gMachineKeys.contains(key); }

LSTATUS WINAPI OpenKeyEx(HKEY parent, LPCSTR subKey, DWORD options, REGSAM rights, PHKEY result) {
  const LSTATUS status = gReal.OpenKeyEx(parent, subKey, options, rights, result);
  if (status == ERROR_SUCCESS && UnderMachine(parent)) gMachineKeys.insert(*result);
  return status;
}

LSTATUS WINAPI CloseKey(HKEY key) {
  gMachineKeys.erase(key);
  return gReal.CloseKey(key);
}

LSTATUS WINAPI SetValueEx(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size) {
  if (UnderMachine(key)) return ERROR_ACCESS_DENIED;
  return gReal.SetValueEx(key, name, reserved, type, data, size);
}

LSTATUS WINAPI CreateKeyEx(HKEY parent, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options, REGSAM rights,
                           LPSECURITY_ATTRIBUTES security, PHKEY result, LPDWORD disposition) {
  if (UnderMachine(parent)) return ERROR_ACCESS_DENIED;
  return gReal.CreateKeyEx(parent, subKey, reserved, keyClass, options, rights, security, result, disposition);
}

LSTATUS WINAPI DeleteKey(HKEY parent, LPCSTR subKey) {
  if (UnderMachine(parent)) return ERROR_ACCESS_DENIED;
  return gReal.DeleteKey(parent, subKey);
}

LSTATUS WINAPI DeleteValue(HKEY key, LPCSTR name) {
  if (UnderMachine(key)) return ERROR_ACCESS_DENIED;
  return gReal.DeleteValue(key, name);
}

void Install() {
  gReal = win::Calls<RegistryApi>();
  RegistryApi table = gReal;
  table.OpenKeyEx = OpenKeyEx;
  table.CloseKey = CloseKey;
  table.SetValueEx = SetValueEx;
  table.CreateKeyEx = CreateKeyEx;
  table.DeleteKey = DeleteKey;
  table.DeleteValue = DeleteValue;
  static win::ScopedCalls<RegistryApi> installed(table);  // for the rest of the process
}

}  // namespace refuse_machine_writes

}  // namespace

namespace hooks {
bool IsTestBuild() { return true; }

std::string Setting(const char* name) {
  char value[1024];
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

void Install() {
  if (Setting("OKU_TEST_REFUSE_HKLM_WRITES") == "1") refuse_machine_writes::Install();
}
}  // namespace hooks
