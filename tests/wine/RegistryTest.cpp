// clsEasyRegistry against the real Wine registry, each test in a scratch key under HKCU\Software\OkuTest,
// and over fakes for failures the registry will not produce on demand; and WOW64 facts from a fake table
// with what they change for real: the masks that reach the registry, and the redirection switch.
#include <gmock/gmock.h>
#include <windows.h>
#include <shlwapi.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "ShellTestSupport.h"
#include "net/cmdpipe.h"
#include "platform/Failure.h"
#include "platform/Wow64.h"
#include "registry/IdentitySettings.h"
#include "registry/RegistryApi.h"
#include "registry/clsEasyRegistry.h"
#include "tools/msinfo.h"

void PrintTo(const ValueRow& row, std::ostream* os) { *os << row.name << "|" << row.data << "|" << row.type; }

namespace {

using Bytes = std::vector<uint8_t>;
// A value as stored (type, data), and REG_SZ data with its NUL.
using Value = std::pair<DWORD, Bytes>;
Bytes Sz(const std::string& text) { return Bytes(text.c_str(), text.c_str() + text.size() + 1); }

// Paths are "\HKEY_CURRENT_USER\A\B": the scratch keys all live under HKEY_CURRENT_USER.
std::string Sub(std::string_view path) { return std::string(path.substr(path.find('\\', 1) + 1)); }
bool Exists(std::string_view path, bool create = false) {  // creates the key first when asked
  HKEY key = nullptr;
  const LONG result = create ? RegCreateKeyA(HKEY_CURRENT_USER, Sub(path).c_str(), &key)
                             : RegOpenKeyA(HKEY_CURRENT_USER, Sub(path).c_str(), &key);
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}
void Set(std::string_view path, const char* name, DWORD type, const Bytes& data) {
  EXPECT_EQ(SHSetValueA(HKEY_CURRENT_USER, Sub(path).c_str(), name, type, data.data(), DWORD(data.size())), 0u);
}
std::optional<Value> Get(std::string_view path, const char* name) {
  Value value{0, Bytes(4096)};
  DWORD length = 4096;
  HKEY key = nullptr;  // the bytes as stored, unexpanded and without a NUL added
  LONG result = RegOpenKeyExA(HKEY_CURRENT_USER, Sub(path).c_str(), 0, KEY_READ, &key);
  if (result == ERROR_SUCCESS)
    result = RegQueryValueExA(key, name, nullptr, &value.first, value.second.data(), &length);
  RegCloseKey(key);
  value.second.resize(length);
  return result == ERROR_SUCCESS ? std::optional(value) : std::nullopt;
}

class RegistryClass : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    // In upper case, as CurrentKey reads a path back.
    path_ = std::string("\\HKEY_CURRENT_USER\\SOFTWARE\\OKUTEST\\") + test->test_suite_name() + "." + test->name();
    CharUpperBuffA(path_.data(), static_cast<DWORD>(path_.size()));
    SHDeleteKeyA(HKEY_CURRENT_USER, Sub(path_).c_str());  // a leftover of an interrupted run
    Exists(path_, true);
    Err().Clear();
  }
  void TearDown() override {
    SHDeleteKeyA(HKEY_CURRENT_USER, Sub(path_).c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\OkuTest");  // fails while another test's key is left
  }
  std::string Path(const std::string& below = "") const { return below.empty() ? path_ : path_ + "\\" + below; }
  static std::string Recorded() {  // the class never moves the record's number from 0
    EXPECT_EQ(Err().number, 0);
    return Err().description;
  }
  std::string path_;
};

struct {
  REGSAM refusedRights = 0;  // opens asking for these rights are denied
  bool enumFails = false;    // EnumValue of index 0 fails, claiming huge lengths
  bool grows = false;        // the read after the size query finds more data than announced
} g;

RegistryApi Fakes() {
  RegistryApi api;
  api.OpenKeyEx = [](HKEY key, LPCSTR sub, DWORD options, REGSAM rights, PHKEY result) -> LSTATUS {
    return (rights & g.refusedRights) != 0 ? ERROR_ACCESS_DENIED : RegOpenKeyExA(key, sub, options, rights, result);
  };
  api.EnumValue = [](HKEY key, DWORD index, LPSTR name, LPDWORD nameLength, LPDWORD r, LPDWORD type, LPBYTE data,
                     LPDWORD dataLength) -> LSTATUS {
    if (index != 0 || !g.enumFails) return RegEnumValueA(key, index, name, nameLength, r, type, data, dataLength);
    *nameLength += 5000, *dataLength += 5000;
    return ERROR_MORE_DATA;
  };
  api.QueryValueEx = [](HKEY key, LPCSTR name, LPDWORD r, LPDWORD type, LPBYTE data, LPDWORD length) -> LSTATUS {
    if (data != nullptr && g.grows) return *length += 1000, ERROR_MORE_DATA;
    return RegQueryValueExA(key, name, r, type, data, length);
  };
  return api;
}

TEST_F(RegistryClass, CdMovesLevelByLevelAndUnreachableKeysStayCurrent) {
  Exists(Path("Child\\Grandchild"), true);
  clsEasyRegistry reg;
  ASSERT_TRUE(reg.Cd(Path()) && reg.Cd("child") && reg.Cd("  GrandChild\\ "));
  EXPECT_EQ(reg.CurrentKey(), Path("CHILD\\GRANDCHILD"));
  for (std::string expected = reg.CurrentKey(); !expected.empty();) {
    expected.erase(expected.rfind('\\'));
    EXPECT_TRUE(reg.Cd(".."));
    EXPECT_EQ(reg.CurrentKey(), expected);
    EXPECT_TRUE(expected.empty() || reg.DirKey().has_value()) << expected;  // opened for real
  }
  EXPECT_FALSE(reg.Cd(".."));
  EXPECT_EQ(Recorded(), "No current Key.");
  EXPECT_THAT(*reg.DirKey(), ::testing::ElementsAre("HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE",
                                                    "HKEY_USERS", "HKEY_DYN_DATA", "HKEY_CURRENT_CONFIG"));
  for (const auto& [path, reason] : {std::pair<std::string, const char*>{"\\HKEY_NOWHERE\\X", "Invalid Key root."},
                                     {Path("MISSING"), "Key/Value does not exist."}}) {
    EXPECT_FALSE(reg.Cd(path));
    EXPECT_EQ(reg.CurrentKey(), path);
    EXPECT_FALSE(reg.MakeKey("Y") || reg.DirValue() || reg.DeleteValue("x"));
    EXPECT_EQ(Recorded(), reason);
  }
}

TEST_F(RegistryClass, WritesStoreWhatTheTypeCodeSaysOrNothing) {
  const std::string mismatch = "Type passed doesn't match Value passed.";
  // Name, type code, value, what is stored (nothing: refused), the reason recorded.
  const std::tuple<const char*, RegValueType, RegValue, std::optional<Value>, std::string> cases[] = {
      {"DwMax", RegValueType::DWORD, 4294967295.0, Value{REG_DWORD, Bytes(4, 0xFF)}, ""},
      {"Str", RegValueType::STRING, std::string("abc"), Value{REG_SZ, Sz("abc")}, ""},
      {"Bin", RegValueType::BINARY, Bytes{0x01, 0x0A, 0xFF}, Value{REG_BINARY, {0x01, 0x0A, 0xFF}}, ""},
      {"TooBig", RegValueType::DWORD, 4294967296.0, std::nullopt, mismatch},
      {"TextAsBinary", RegValueType::BINARY, std::string("01"), std::nullopt, mismatch},
      {"Type3", RegValueType{3}, std::string("x"), std::nullopt,
       "Type passed doesn't exist. Use STRING, DWORD or BINARY."},
  };
  clsEasyRegistry reg;
  ASSERT_TRUE(reg.Cd(Path()));
  for (const auto& [name, type, value, stored, reason] : cases) {
    Err().source = "stale";
    EXPECT_EQ(reg.ValueOf(name, type, value), stored.has_value()) << name;
    EXPECT_EQ(Recorded(), reason);
    EXPECT_EQ(Err().source, stored ? "" : "EasyRegistry [Let ValueOf]");
    EXPECT_EQ(Get(Path(), name), stored) << name;
  }
  char sep[8] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, sep, sizeof sep);
  const std::string s = sep, dword = "FFFFFFFF (4" + s + "294" + s + "967" + s + "295)";
  EXPECT_THAT(*reg.DirValue(),
              ::testing::UnorderedElementsAre(ValueRow{"DwMax", dword, "2"}, ValueRow{"Str", "abc", "0"},
                                              ValueRow{"Bin", "1 A FF", "1"}));
}

TEST_F(RegistryClass, ReadingGivesTextBytesNumberAndTypeCode) {
  // Name, stored type and data; the type code, text, bytes and number read (a missing value too).
  const std::tuple<const char*, DWORD, Bytes, RegValueType, std::string, std::optional<Bytes>, double> cases[] = {
      {"Dw", REG_DWORD, {0x1A, 0, 0, 0x80}, RegValueType::DWORD, "8000001A", Bytes{0x1A, 0, 0, 0x80}, 2147483674.0},
      {"Bin", REG_BINARY, {0x01, 0x0A, 0xFF}, RegValueType::BINARY, "1 A FF", Bytes{0x01, 0x0A, 0xFF}, 0},
      {"EmptySz", REG_SZ, {0}, RegValueType::STRING, "", Bytes{0}, 0},
      {"NoData", REG_BINARY, {}, RegValueType::BINARY, "", std::nullopt, 0},
      {"Missing", REG_NONE, {}, RegValueType::STRING, "", std::nullopt, 0}};
  clsEasyRegistry reg;
  ASSERT_TRUE(reg.Cd(Path()));
  for (const auto& [name, stored, data, type, text, bytes, number] : cases) {
    SCOPED_TRACE(name);
    if (stored != REG_NONE) Set(Path(), name, stored, data);
    RegValueType read = RegValueType::DWORD;
    const ValueReading reading = reg.ValueOf(name, read);
    EXPECT_EQ(std::tie(read, reading.text, reading.bytes, reading.number), std::tie(type, text, bytes, number));
    EXPECT_EQ(Recorded(), stored == REG_NONE ? "Key/Value does not exist." : "");
  }
}

TEST_F(RegistryClass, KeysAreMadeAndDeletedBelowTheCurrentKeyOnly) {
  clsEasyRegistry reg;
  ASSERT_TRUE(reg.Cd(Path()));
  EXPECT_TRUE(reg.MakeKey("Tree\\A\\B\\C") && reg.MakeKey("Tree\\A\\D"));
  for (const char* key : {"Keep\\Inner", "TreeSibling"}) Exists(Path(key), true);
  Set(Path("Tree\\A\\B\\C"), "leaf", REG_SZ, Sz("v"));
  Set(Path(), "Gone", REG_SZ, Sz("x"));
  EXPECT_TRUE(reg.DeleteValue("Gone") && !Get(Path(), "Gone"));
  EXPECT_FALSE(reg.DeleteKey("Tree"));  // not with subkeys
  EXPECT_TRUE(reg.DeleteKey("Tree\\A\\D") && !Exists(Path("Tree\\A\\D")));
  EXPECT_TRUE(reg.DeleteKeyExt(" tree\\ "));
  EXPECT_EQ(reg.CurrentKey(), Path());
  EXPECT_FALSE(Exists(Path("Tree")));

  // Names that would reach the current key itself, its parent, siblings or any tree.
  ASSERT_TRUE(reg.Cd("Keep"));
  for (const std::string& name : {std::string(), std::string("."), std::string(" .. "), std::string("\\"), Path(),
                                  std::string("Inner\\.."), std::string("..\\Keep")}) {
    Err().Clear();
    EXPECT_FALSE(reg.DeleteKeyExt(name));
    EXPECT_EQ(Recorded(), "Invalid Parameter.") << name;
  }
  EXPECT_EQ(reg.CurrentKey(), Path("KEEP"));
  EXPECT_TRUE(Exists(Path("Keep\\Inner")) && Exists(Path("TreeSibling")));
}

TEST_F(RegistryClass, FakedRefusalsAndFailedReadsKeepTheirReasonAndNeverReadPastABuffer) {
  const win::ScopedCalls<RegistryApi> fakes(Fakes());
  g = {.refusedRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY};
  Set(Path(), "V1", REG_SZ, Sz("one"));
  Set(Path(), "V2", REG_SZ, Sz("two"));
  Exists(Path("Child\\Sub"), true);
  clsEasyRegistry reg;
  ASSERT_TRUE(reg.Cd(Path()));
  // Each change stops at its refused reopen and keeps that reason: had it gone on with a null key,
  // the record would tell of an invalid handle instead.
  const std::function<bool()> changes[] = {
      [&] { return reg.ValueOf("V1", RegValueType::STRING, std::string("x")); }, [&] { return reg.MakeKey("New"); },
      [&] { return reg.DeleteKey("Child\\Sub"); }, [&] { return reg.DeleteKeyExt("Child"); },
      [&] { return reg.DeleteValue("V1"); }};
  for (const auto& change : changes) {
    Err().Clear();
    EXPECT_FALSE(change());
    EXPECT_EQ(Recorded(), "Access to Registry Denied.");
  }
  EXPECT_EQ(Get(Path(), "V1")->second, Sz("one"));
  EXPECT_TRUE(Exists(Path("Child\\Sub")) && !Exists(Path("New")));

  g = {.enumFails = true};  // a failed row, even one claiming huge lengths, has empty columns
  EXPECT_THAT(*reg.DirValue(), ::testing::ElementsAre(ValueRow{}, ValueRow{"V2", "two", "0"}));
  g = {.grows = true};  // the value outgrew its announced size: nothing of it is read
  RegValueType type = RegValueType::BINARY;
  const ValueReading reading = reg.ValueOf("V1", type);
  EXPECT_TRUE(reading.text.empty() && !reading.bytes && type == RegValueType::STRING);
  EXPECT_EQ(Recorded(), "Undefined key error code!");
}

struct {
  BOOL callSucceeds = TRUE;
  BOOL answer = FALSE;
  DWORD major = 0, minor = 0;
  int asked = 0, disabled = 0, reverted = 0;
  std::vector<std::pair<std::string, REGSAM>> opens;  // sub-path (or "") and mask of every open and create
} f;

BOOL WINAPI FakeIsWow64Process(HANDLE, PBOOL wow64) { return ++f.asked, *wow64 = f.answer, f.callSucceeds; }
BOOL WINAPI FakeGetVersionEx(OSVERSIONINFOA* version) {
  ++f.asked;
  version->dwMajorVersion = f.major, version->dwMinorVersion = f.minor;
  return TRUE;
}
BOOL WINAPI FakeDisable(PVOID* previous) { return ++f.disabled, *previous = &f, TRUE; }
BOOL WINAPI FakeRevert(PVOID previous) { return f.reverted += previous == &f, TRUE; }

// Passes every call on, noting its mask; refuses writes, so that the machine's keys stay as they are.
LSTATUS WINAPI NotedOpen(HKEY key, LPCSTR sub, DWORD options, REGSAM rights, PHKEY result) {
  f.opens.emplace_back(sub ? sub : "", rights);
  if (rights & KEY_SET_VALUE) return ERROR_ACCESS_DENIED;
  return RegOpenKeyExA(key, sub, options, rights, result);
}
LSTATUS WINAPI NotedCreate(HKEY key, LPCSTR sub, DWORD reserved, LPSTR cls, DWORD options, REGSAM rights,
                           LPSECURITY_ATTRIBUTES security, PHKEY result, LPDWORD disposition) {
  f.opens.emplace_back(sub, rights);
  return RegCreateKeyExA(key, sub, reserved, cls, options, rights, security, result, disposition);
}

}  // namespace

TEST(Wow64View, FactsDecideTheRegistryViewAndTheRedirectionSwitch) {
  const shelltest::ScratchKey key(HKEY_CURRENT_USER, "Software\\OkuTest\\Wow64View");
  const std::string& scratch = key.path;
  key.Put("V", "x");
  RegistryApi registry;
  registry.OpenKeyEx = NotedOpen;
  registry.CreateKeyEx = NotedCreate;
  const win::ScopedCalls<RegistryApi> noted(registry);
  struct Case {
    const char* name;
    bool process32Bit, hasIsWow64Process, hasSwitch;
    BOOL callSucceeds, answer;
    DWORD major, minor;
    bool view, redirectionOff;
  };
  const Case cases[] = {
      {"64-bit build on Windows 7", false, true, true, TRUE, TRUE, 6, 1, false, false},
      {"32-bit XP SP1: no run-time functions", true, false, false, TRUE, TRUE, 5, 1, false, false},
      {"IsWow64Process fails", true, true, true, FALSE, TRUE, 6, 1, false, false},
      {"32-bit Windows 7", true, true, false, TRUE, FALSE, 6, 1, false, false},
      {"WOW64 reporting Windows 2000", true, true, true, TRUE, TRUE, 5, 0, false, true},
      {"XP x64", true, true, true, TRUE, TRUE, 5, 2, true, true},
      {"Windows 7 x64", true, true, true, TRUE, TRUE, 6, 1, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    f = {};
    f.callSucceeds = c.callSucceeds, f.answer = c.answer, f.major = c.major, f.minor = c.minor;
    Wow64Api api{c.process32Bit, c.hasIsWow64Process ? FakeIsWow64Process : nullptr,
                 c.hasSwitch ? FakeDisable : nullptr, c.hasSwitch ? FakeRevert : nullptr, FakeGetVersionEx, {}};
    const win::ScopedCalls<Wow64Api> fake(api);

    clsEasyRegistry reg;
    ASSERT_TRUE(reg.Cd("\\HKEY_CURRENT_USER\\" + scratch));
    RegValueType type = RegValueType::BINARY;
    EXPECT_EQ(reg.ValueOf("V", type).text, "x");
    EXPECT_TRUE(reg.MakeKey("Sub"));
    EXPECT_FALSE(reg.DeleteKeyExt("Sub"));  // its reopen for the delete is refused, but noted
    std::string text;
    EXPECT_TRUE(QueryKeyValue(HKEY_CURRENT_USER, scratch, "V", text) && text == "x");
    ReadIdentitySettings(true, IeVersion{});
    EXPECT_FALSE(WriteOwner(true, "Wow64View").AllOk());
    bool ownerKey = false;
    for (const auto& [sub, rights] : f.opens) {
      EXPECT_EQ((rights & KEY_WOW64_64KEY) != 0, c.view) << sub;
      ownerKey |= sub == "SOFTWARE\\MICROSOFT\\WINDOWS NT\\CURRENTVERSION";
    }
    EXPECT_TRUE(ownerKey);
    if (!c.process32Bit) {
      EXPECT_EQ(f.asked, 0) << "the 64-bit build asks nothing";
    }

    {
      const NativeFileSystemScope native;
      EXPECT_EQ(f.disabled, c.redirectionOff ? 1 : 0);
      EXPECT_EQ(f.reverted, 0);
    }
    EXPECT_EQ(f.reverted, c.redirectionOff ? 1 : 0);
    // The capture's start is inside the switch, and the switch is put back.
    EXPECT_EQ(RunCaptured("writes_nothing.exe"), "");
    EXPECT_EQ(f.disabled, c.redirectionOff ? 2 : 0);
    EXPECT_EQ(f.reverted, f.disabled);
  }
}
