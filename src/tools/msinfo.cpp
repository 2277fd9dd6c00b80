// Module msinfo.
#include "tools/msinfo.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/MessageBox.h"
#include "platform/Process.h"
#include "platform/Wow64.h"
#include "registry/RegistryApi.h"
#include "tools/LauncherPlans.h"

namespace {

constexpr DWORD kBufferSize = 1024;

std::string ExpandVariables(const std::string& text) {
  std::string expanded(kBufferSize * 4, '\0');
  const DWORD length = ExpandEnvironmentStringsA(text.c_str(), expanded.data(), static_cast<DWORD>(expanded.size()));
  if (length == 0 || length > expanded.size()) return text;
  expanded.resize(length - 1);  // the count includes the final NUL
  return expanded;
}

}  // namespace

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool QueryKeyValue(HKEY hive, const std::string& keyPath, const std::string& valueName, std::string& text) {
  text.clear();
  const RegistryApi& api = win::Calls<RegistryApi>();
  // Reading needs no more: an ordinary user is refused any write right on the machine's keys.
  HKEY key = nullptr;
  if (api.OpenKeyEx(hive, keyPath.c_str(), 0, KEY_QUERY_VALUE | RegistryView(), &key) != ERROR_SUCCESS) return false;
  std::vector<uint8_t> buffer(kBufferSize, 0);
  DWORD size = kBufferSize;
  DWORD type = REG_NONE;
  const LONG result = api.QueryValueEx(key, valueName.c_str(), nullptr, &type, buffer.data(), &size);
  api.CloseKey(key);
  if (result != ERROR_SUCCESS) return false;
  const std::optional<std::string> found =
      QueriedValueText(type, std::span<const uint8_t>(buffer.data(), std::min<DWORD>(size, kBufferSize)));
  if (!found) return false;
  text = type == REG_EXPAND_SZ ? ExpandVariables(*found) : *found;
  return true;
}

namespace {

// Under WOW64 a tool named by a path in the System directory is started as the system's own.
void StartTool(const std::string& path) {
  const NativeFileSystemScope native;
  StartProcess(QuotedProgramPath(path), kShowNormal);
}

bool ToolExists(const std::string& path) {
  const NativeFileSystemScope native;
  return FileExists(path);
}

}  // namespace

void LaunchSysInfo() {
  try {
    std::string location;
    if (QueryKeyValue(HKEY_LOCAL_MACHINE, kMsinfoKey, kMsinfoValue, location)) {
      StartTool(location);
      return;
    }
    if (QueryKeyValue(HKEY_LOCAL_MACHINE, kSharedToolsKey, kSharedToolsValue, location)) {
      const std::string program = location + "\\MSINFO32.EXE";
      if (ToolExists(program)) {
        StartTool(program);
        return;
      }
    }
  } catch (...) {
    // A start that failed ends in the notice, as a missing tool does.
  }
  ShowMessage(std::string(kSysInfoUnavailable), kAppTitle, kMbOk);
}
