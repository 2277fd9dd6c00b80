// The test build: settings come from the environment that the test driver starts OKU_test.exe with.
#include "app/TestHooks.h"

#include <windows.h>

namespace hooks {
bool IsTestBuild() { return true; }

std::string Setting(const char* name) {
  char value[1024];
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}
}  // namespace hooks
