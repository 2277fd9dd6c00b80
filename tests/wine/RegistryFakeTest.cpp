// clsEasyRegistry over fakes of the registry calls: failures the real registry will not produce on
// demand (access denied, a corrupt database, a value that grows between two calls), and a count of
// every key handle opened and closed.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <set>

#include "registry/RegistryApi.h"
#include "registry/clsEasyRegistry.h"
#include "wine/RegistryScratch.h"

namespace {

using scratch::Bytes;
using scratch::FromText;

bool IsPredefinedKey(HKEY key) {
  const auto value = reinterpret_cast<ULONG_PTR>(key);
  const auto first = reinterpret_cast<ULONG_PTR>(HKEY_CLASSES_ROOT);
  return value >= first && value < first + 0x100;
}

// What the fakes do and what they saw. The fakes pass through to the real functions unless told.
struct FakeState {
  REGSAM refusedRights = 0;  // an open asking for any of these rights fails with openError
  LONG openError = ERROR_SUCCESS;
  LONG infoError = ERROR_SUCCESS;
  DWORD failingEnumIndex = MAXDWORD;  // this index of EnumValue / EnumKeyEx fails with enumError
  LONG enumError = ERROR_SUCCESS;
  bool valueGrows = false;      // the read after the size query finds more data than announced
  bool lengthsOverstated = false;  // calls succeed but report lengths past the caller's buffer
  DWORD platformId = 0;          // nonzero: GetVersionExA reports this platform

  int callsOnNullKey = 0;
  int writes = 0;
  int deletes = 0;
  int creates = 0;
  int subkeyOpens = 0;
  std::set<HKEY> live;  // handles opened and not yet closed
  int unknownCloses = 0;
};

FakeState g;

void CountNull(HKEY key) {
  if (key == nullptr) ++g.callsOnNullKey;
}

LSTATUS WINAPI FakeOpenKeyEx(HKEY key, LPCSTR sub, DWORD options, REGSAM rights, PHKEY result) {
  CountNull(key);
  if (sub != nullptr && *sub != '\0' && !IsPredefinedKey(key)) ++g.subkeyOpens;
  if (g.openError != ERROR_SUCCESS && (rights & g.refusedRights) != 0) return g.openError;
  const LSTATUS status = RegOpenKeyExA(key, sub, options, rights, result);
  if (status == ERROR_SUCCESS && !IsPredefinedKey(*result)) g.live.insert(*result);
  return status;
}

LSTATUS WINAPI FakeCloseKey(HKEY key) {
  CountNull(key);
  if (g.live.erase(key) == 0) ++g.unknownCloses;
  return RegCloseKey(key);
}

LSTATUS WINAPI FakeQueryInfoKey(HKEY key, LPSTR cls, LPDWORD clsLength, LPDWORD reserved, LPDWORD subKeys,
                                LPDWORD maxSubKey, LPDWORD maxClass, LPDWORD values, LPDWORD maxName,
                                LPDWORD maxData, LPDWORD security, PFILETIME written) {
  CountNull(key);
  if (g.infoError != ERROR_SUCCESS) return g.infoError;
  return RegQueryInfoKeyA(key, cls, clsLength, reserved, subKeys, maxSubKey, maxClass, values, maxName, maxData,
                          security, written);
}

LSTATUS WINAPI FakeEnumKeyEx(HKEY key, DWORD index, LPSTR name, LPDWORD nameLength, LPDWORD reserved, LPSTR cls,
                             LPDWORD clsLength, PFILETIME written) {
  CountNull(key);
  if (index == g.failingEnumIndex) return g.enumError;
  const LSTATUS status = RegEnumKeyExA(key, index, name, nameLength, reserved, cls, clsLength, written);
  if (status == ERROR_SUCCESS && g.lengthsOverstated) *nameLength += 5000;
  return status;
}

LSTATUS WINAPI FakeEnumValue(HKEY key, DWORD index, LPSTR name, LPDWORD nameLength, LPDWORD reserved, LPDWORD type,
                             LPBYTE data, LPDWORD dataLength) {
  CountNull(key);
  if (index == g.failingEnumIndex) {
    *nameLength += 5000;  // what a failed call may leave behind
    *dataLength += 5000;
    return g.enumError;
  }
  const LSTATUS status = RegEnumValueA(key, index, name, nameLength, reserved, type, data, dataLength);
  if (status == ERROR_SUCCESS && g.lengthsOverstated) {
    *nameLength += 5000;
    *dataLength += 5000;
  }
  return status;
}

LSTATUS WINAPI FakeQueryValueEx(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                LPDWORD length) {
  CountNull(key);
  if (data != nullptr && g.valueGrows) {
    *length += 1000;
    return ERROR_MORE_DATA;
  }
  const LSTATUS status = RegQueryValueExA(key, name, reserved, type, data, length);
  if (status == ERROR_SUCCESS && data != nullptr && g.lengthsOverstated) *length += 5000;
  return status;
}

LSTATUS WINAPI FakeSetValueEx(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD length) {
  CountNull(key);
  ++g.writes;
  return RegSetValueExA(key, name, reserved, type, data, length);
}

LSTATUS WINAPI FakeCreateKeyEx(HKEY key, LPCSTR sub, DWORD reserved, LPSTR cls, DWORD options, REGSAM rights,
                               const LPSECURITY_ATTRIBUTES security, PHKEY result, LPDWORD disposition) {
  CountNull(key);
  ++g.creates;
  const LSTATUS status = RegCreateKeyExA(key, sub, reserved, cls, options, rights, security, result, disposition);
  if (status == ERROR_SUCCESS) g.live.insert(*result);
  return status;
}

LSTATUS WINAPI FakeDeleteKey(HKEY key, LPCSTR sub) {
  CountNull(key);
  ++g.deletes;
  return RegDeleteKeyA(key, sub);
}

LSTATUS WINAPI FakeDeleteValue(HKEY key, LPCSTR name) {
  CountNull(key);
  ++g.deletes;
  return RegDeleteValueA(key, name);
}

BOOL WINAPI FakeGetVersionEx(LPOSVERSIONINFOA version) {
  const BOOL ok = GetVersionExA(version);
  if (g.platformId != 0) version->dwPlatformId = g.platformId;
  return ok;
}

RegistryApi FakeApi() {
  RegistryApi api;
  api.OpenKeyEx = FakeOpenKeyEx;
  api.CloseKey = FakeCloseKey;
  api.QueryInfoKey = FakeQueryInfoKey;
  api.EnumKeyEx = FakeEnumKeyEx;
  api.EnumValue = FakeEnumValue;
  api.QueryValueEx = FakeQueryValueEx;
  api.SetValueEx = FakeSetValueEx;
  api.CreateKeyEx = FakeCreateKeyEx;
  api.DeleteKey = FakeDeleteKey;
  api.DeleteValue = FakeDeleteValue;
  api.GetVersionEx = FakeGetVersionEx;
  return api;
}

class RegistryFake : public scratch::RegistryScratch {
 protected:
  void SetUp() override {
    RegistryScratch::SetUp();
    g = FakeState{};
    fakes_ = std::make_unique<ScopedRegistryApi>(FakeApi());
  }
  void TearDown() override {
    fakes_.reset();
    EXPECT_EQ(g.callsOnNullKey, 0);
    RegistryScratch::TearDown();
  }

 private:
  std::unique_ptr<ScopedRegistryApi> fakes_;
};

TEST_F(RegistryFake, RefusedRightsStopEachChangeBeforeItsCallAndKeepTheReason) {
  SetRawText("", "Owner", "before");
  MakeRaw("Child");
  g.refusedRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY;
  g.openError = ERROR_ACCESS_DENIED;
  clsEasyRegistry reg;
  ASSERT_TRUE(reg.Cd(Path()));

  const struct {
    const char* what;
    std::function<bool()> change;
  } changes[] = {
      {"write", [&] { return reg.ValueOf("Owner", RegValueType::STRING, std::string("after")); }},
      {"make", [&] { return reg.MakeKey("New"); }},
      {"delete key", [&] { return reg.DeleteKey("Child"); }},
      {"delete tree", [&] { return reg.DeleteKeyExt("Child"); }},
      {"delete value", [&] { return reg.DeleteValue("Owner"); }},
  };
  for (const auto& c : changes) {
    SCOPED_TRACE(c.what);
    Err().Clear();
    EXPECT_FALSE(c.change());
    EXPECT_EQ(Recorded(), "Access to Registry Denied.");
    EXPECT_EQ(Err().source, "EasyRegistry[API Call]");
  }
  EXPECT_EQ(g.writes + g.creates + g.deletes, 0);
  EXPECT_EQ(GetRaw("", "Owner")->data, FromText(std::string("before") + '\0'));
  EXPECT_TRUE(KeyExists("Child"));

  // The key is found again for a member whose rights are granted.
  RegValueType type{};
  EXPECT_EQ(reg.ValueOf("Owner", type).text, "before");
  EXPECT_EQ(Recorded(), "");
}

TEST_F(RegistryFake, CorruptDatabaseGivesNullListingsAndEmptyRows) {
  MakeRaw("A");
  MakeRaw("B");
  SetRawText("", "V1", "one");
  SetRawText("", "V2", "two");
  SetRawText("", "V3", "three");
  clsEasyRegistry reg;
  ASSERT_TRUE(reg.Cd(Path()));

  g.infoError = ERROR_BADDB;
  EXPECT_EQ(reg.DirKey(), std::nullopt);
  EXPECT_EQ(Recorded(), "Corrupt Registry Database!");
  Err().Clear();
  EXPECT_EQ(reg.DirValue(), std::nullopt);
  EXPECT_EQ(Recorded(), "Corrupt Registry Database!");

  g.infoError = ERROR_SUCCESS;
  g.failingEnumIndex = 1;
  g.enumError = ERROR_BADDB;
  const auto rows = reg.DirValue();
  ASSERT_TRUE(rows.has_value());
  ASSERT_EQ(rows->size(), 3u);
  EXPECT_EQ((*rows)[0], (ValueRow{"V1", "one", "0"}));
  EXPECT_EQ((*rows)[1], (ValueRow{}));
  EXPECT_EQ((*rows)[2], (ValueRow{"V3", "three", "0"}));
  EXPECT_EQ(Recorded(), "");  // the last row read cleanly

  g.failingEnumIndex = 0;
  const auto keys = reg.DirKey();
  ASSERT_TRUE(keys.has_value());
  EXPECT_THAT(*keys, ::testing::ElementsAre("", "B"));
}

TEST_F(RegistryFake, AValueThatGrowsBetweenSizeAndReadIsNotRead) {
  SetRawText("", "Grows", "short");
  clsEasyRegistry reg;
  ASSERT_TRUE(reg.Cd(Path()));
  g.valueGrows = true;
  RegValueType type = RegValueType::BINARY;
  const ValueReading reading = reg.ValueOf("Grows", type);
  EXPECT_EQ(reading.text, "");
  EXPECT_EQ(reading.bytes, std::nullopt);
  EXPECT_EQ(type, RegValueType::STRING);
  EXPECT_EQ(Recorded(), "Undefined key error code!");

  // A listing row whose value outgrew the buffers stays empty.
  g.valueGrows = false;
  g.failingEnumIndex = 0;
  g.enumError = ERROR_MORE_DATA;
  const auto rows = reg.DirValue();
  ASSERT_TRUE(rows.has_value());
  EXPECT_THAT(*rows, ::testing::ElementsAre(ValueRow{}));
  EXPECT_EQ(Recorded(), "Undefined key error code!");
}

TEST_F(RegistryFake, OverstatedLengthsAreCutAtTheBuffer) {
  SetRawText("", "Name", "value");
  MakeRaw("Sub");
  g.lengthsOverstated = true;
  clsEasyRegistry reg;
  ASSERT_TRUE(reg.Cd(Path()));

  RegValueType type{};
  const ValueReading reading = reg.ValueOf("Name", type);
  EXPECT_EQ(reading.text, "value");  // the buffer held exactly the announced six bytes

  const auto rows = reg.DirValue();
  ASSERT_TRUE(rows.has_value());
  ASSERT_EQ(rows->size(), 1u);
  DWORD longestName = 0, longestData = 0;
  HKEY raw = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, Sub("").c_str(), 0, KEY_QUERY_VALUE, &raw), ERROR_SUCCESS);
  RegQueryInfoKeyA(raw, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longestName, &longestData,
                   nullptr, nullptr);
  RegCloseKey(raw);
  const size_t buffer = size_t{longestName} + longestData + 1;
  EXPECT_EQ((*rows)[0].name.size(), buffer);
  EXPECT_EQ((*rows)[0].name.substr(0, 5), std::string("Name\0", 5));
  EXPECT_LE((*rows)[0].data.size(), buffer);
  EXPECT_EQ((*rows)[0].data.substr(0, 5), "value");

  const auto keys = reg.DirKey();
  ASSERT_TRUE(keys.has_value());
  ASSERT_EQ(keys->size(), 1u);
  EXPECT_EQ((*keys)[0].size(), 1024u);
  EXPECT_EQ((*keys)[0].substr(0, 4), std::string("Sub\0", 4));
  EXPECT_EQ((*keys)[0].back(), ' ');  // the rest of the buffer is its blanks, never memory past it
}

TEST_F(RegistryFake, OneKeyOpenAtATimeAndNoneLeftOverThousandsOfMoves) {
  MakeRaw("A\\B");
  SetRawText("A", "v", "x");
  HKEY probe = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_QUERY_VALUE, &probe), ERROR_SUCCESS);
  const auto probeBefore = reinterpret_cast<ULONG_PTR>(probe);
  RegCloseKey(probe);
  DWORD handlesBefore = 0;
  GetProcessHandleCount(GetCurrentProcess(), &handlesBefore);

  size_t mostOpen = 0;
  {
    clsEasyRegistry reg;
    const std::string moves[] = {Path(), "A", "B", "..", ".", "..", "\\", Path("Missing"), "Deeper",
                                 "\\HKEY_NOWHERE\\X", "..", Path("A"), "\\HKEY_CURRENT_USER", ".."};
    for (int round = 0; round < 300; ++round) {
      for (const std::string& move : moves) {
        reg.Cd(move);
        mostOpen = std::max(mostOpen, g.live.size());
      }
      reg.Cd(Path("A"));
      RegValueType type{};
      reg.ValueOf("v", type);
      reg.DirKey();
      reg.DirValue();
      reg.MakeKey("B");
      reg.ValueOf("w", RegValueType::STRING, std::string("y"));
      mostOpen = std::max(mostOpen, g.live.size());
    }
    EXPECT_EQ(g.live.size(), 1u);  // the current key, until the object goes
  }
  EXPECT_EQ(mostOpen, 1u);
  EXPECT_TRUE(g.live.empty());
  EXPECT_EQ(g.unknownCloses, 0);

  // The real process agrees: the next key handle is where the first one was.
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_QUERY_VALUE, &probe), ERROR_SUCCESS);
  EXPECT_LE(reinterpret_cast<ULONG_PTR>(probe), probeBefore + 64);
  RegCloseKey(probe);
  // Wine reports no handle count at all (0); where the count is kept, it must not have grown.
  DWORD handlesAfter = 0;
  GetProcessHandleCount(GetCurrentProcess(), &handlesAfter);
  if (handlesBefore > 0) {
    EXPECT_LE(handlesAfter, handlesBefore + 4);
  }
}

TEST_F(RegistryFake, OutsideTheNTFamilyATreeGoesInOneDeleteCall) {
  MakeRaw("Leafless");
  g.platformId = VER_PLATFORM_WIN32_WINDOWS;
  EXPECT_FALSE(clsEasyRegistry::IsWindowsNT());
  clsEasyRegistry reg;
  ASSERT_TRUE(reg.Cd(Path()));
  const int opensBefore = g.subkeyOpens;
  EXPECT_TRUE(reg.DeleteKeyExt("Leafless"));
  EXPECT_EQ(g.deletes, 1);
  EXPECT_EQ(g.subkeyOpens, opensBefore);  // no walk through the subtree
  EXPECT_FALSE(KeyExists("Leafless"));

  g.platformId = VER_PLATFORM_WIN32_NT;
  EXPECT_TRUE(clsEasyRegistry::IsWindowsNT());
}

}  // namespace
