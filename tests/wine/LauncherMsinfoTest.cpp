// The System Information lookup against Wine's registry, as an unelevated user sees the machine's
// keys: opened for reading only and closed again, only string and DWORD values with data taken.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <tuple>

#include "ShellTestSupport.h"
#include "platform/MessageBox.h"
#include "registry/RegistryApi.h"
#include "tools/msinfo.h"

namespace {

REGSAM gRights = 0;
int gOpen = 0;  // keys opened and not closed yet

// Refuses every right beyond reading values, as the machine's keys do for an unelevated user.
LSTATUS WINAPI OpenForReadersOnly(HKEY root, LPCSTR path, DWORD options, REGSAM rights, PHKEY key) {
  gRights |= rights;
  if (rights & ~KEY_QUERY_VALUE) return ERROR_ACCESS_DENIED;
  const LSTATUS result = RegOpenKeyExA(root, path, options, rights, key);
  gOpen += result == ERROR_SUCCESS;
  return result;
}

LSTATUS WINAPI CountedClose(HKEY key) { return --gOpen, RegCloseKey(key); }

}  // namespace

TEST(LauncherMsinfo, ReadsOnlyTakesStringsAndDwordsAndElseGivesTheNotice) {
  const shelltest::ScratchKey scratch(HKEY_CURRENT_USER, "Software\\OkuTest\\Msinfo");
  const DWORD number = 0x12345678;
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  // The value's type, data and size; what the lookup gives (none: not found).
  const std::tuple<DWORD, const void*, DWORD, std::optional<std::string>> cases[] = {
      {REG_SZ, "C:\\Program Files\\msinfo32.exe", 30, "C:\\Program Files\\msinfo32.exe"},
      {REG_EXPAND_SZ, "%SystemRoot%\\msinfo32.exe", 26, std::string(windows) + "\\msinfo32.exe"},
      {REG_DWORD, &number, 4, "&h12345678"},
      {REG_BINARY, "C:\\x", 5, std::nullopt},
      {REG_SZ, "", 0, std::nullopt}};
  RegistryApi api;
  api.OpenKeyEx = OpenForReadersOnly;
  api.CloseKey = CountedClose;
  const win::ScopedCalls<RegistryApi> scope(api);
  for (const auto& [type, data, size, expected] : cases) {
    ASSERT_EQ(RegSetValueExA(scratch.key, "Value", 0, type, static_cast<const BYTE*>(data), size), 0);
    std::string text = "left from before";
    EXPECT_EQ(QueryKeyValue(HKEY_CURRENT_USER, scratch.path, "Value", text), expected.has_value()) << type;
    EXPECT_EQ(text, expected.value_or("")) << type;
  }
  // The prefix has neither of the machine's values: only the notice, in a plain box.
  std::vector<std::tuple<std::string, std::string, unsigned>> shown;
  SetMessageBoxHook([&](const std::string& text, const std::string& caption, unsigned style) {
    return shown.push_back({text, caption, style}), kAnswerOk;
  });
  LaunchSysInfo();
  SetMessageBoxHook(nullptr);
  EXPECT_EQ(shown, decltype(shown)({{"System Information Is Unavailable At This Time", "OKU", 0}}));
  EXPECT_EQ(gRights, static_cast<REGSAM>(KEY_QUERY_VALUE));
  EXPECT_EQ(gOpen, 0) << "every key opened is closed";
}
