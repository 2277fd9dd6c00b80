// The System Information lookup against Wine's registry, as an ordinary user sees the machine's
// keys: opened for reading only, closed again, and only string and DWORD values taken.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>

#include "registry/RegistryApi.h"
#include "tools/msinfo.h"

namespace {

REGSAM gRights = 0;
int gOpened = 0, gClosed = 0;

// Refuses every right beyond reading values, as the machine's keys do for an unelevated user.
LSTATUS WINAPI OpenForReadersOnly(HKEY root, LPCSTR path, DWORD options, REGSAM rights, PHKEY key) {
  gRights |= rights;
  if (rights & ~KEY_QUERY_VALUE) return ERROR_ACCESS_DENIED;
  const LSTATUS result = RegOpenKeyExA(root, path, options, rights, key);
  if (result == ERROR_SUCCESS) ++gOpened;
  return result;
}

LSTATUS WINAPI CountedClose(HKEY key) {
  ++gClosed;
  return RegCloseKey(key);
}

void Put(HKEY key, const char* name, DWORD type, const void* data, DWORD size) {
  ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS) << name;
}

}  // namespace

TEST(LauncherMsinfo, QueryKeyValueReadsOnlyAndTakesStringsAndDwords) {
  const std::string path = "Software\\OkuTest\\Msinfo" + std::to_string(GetCurrentProcessId());
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const DWORD number = 0x12345678;
  Put(key, "Sz", REG_SZ, "C:\\Program Files\\msinfo32.exe", 30);
  Put(key, "Expand", REG_EXPAND_SZ, "%SystemRoot%\\msinfo32.exe", 26);
  Put(key, "Dword", REG_DWORD, &number, sizeof number);
  Put(key, "Binary", REG_BINARY, "C:\\x", 5);
  Put(key, "NoData", REG_SZ, "", 0);
  RegCloseKey(key);

  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"Sz", "C:\\Program Files\\msinfo32.exe"},
      {"Expand", std::string(windows) + "\\msinfo32.exe"},
      {"Dword", "&h12345678"},
      {"Binary", std::nullopt},
      {"NoData", std::nullopt},
      {"Missing", std::nullopt},
  };
  RegistryApi api;
  api.OpenKeyEx = OpenForReadersOnly;
  api.CloseKey = CountedClose;
  {
    ScopedRegistryApi scope(api);
    for (const auto& [name, expected] : cases) {
      std::string text = "left from before";
      EXPECT_EQ(QueryKeyValue(HKEY_CURRENT_USER, path, name, text), expected.has_value()) << name;
      EXPECT_EQ(text, expected.value_or("")) << name;
    }
    std::string text = "left from before";
    EXPECT_FALSE(QueryKeyValue(HKEY_CURRENT_USER, path + "\\NoSuchKey", "Sz", text));
    EXPECT_EQ(text, "");
  }
  EXPECT_EQ(gRights, static_cast<REGSAM>(KEY_QUERY_VALUE));
  EXPECT_EQ(gOpened, static_cast<int>(std::size(cases)));
  EXPECT_EQ(gClosed, gOpened) << "every key opened is closed";
  RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
}
