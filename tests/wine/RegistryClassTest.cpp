// clsEasyRegistry against the real Wine registry, in a scratch key of each test's own.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <limits>

#include "registry/RegistryApi.h"
#include "registry/clsEasyRegistry.h"
#include "wine/RegistryScratch.h"

void PrintTo(const ValueRow& row, std::ostream* os) {
  *os << '{' << ::testing::PrintToString(row.name) << ", " << ::testing::PrintToString(row.data) << ", "
      << ::testing::PrintToString(row.type) << '}';
}

namespace {

using scratch::Bytes;
using scratch::FromText;
using scratch::Text;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

class RegistryClass : public scratch::RegistryScratch {};

std::string Separator() {
  char separator[8] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator);
  return separator;
}

TEST_F(RegistryClass, CdMovesDownAndBackUpLevelByLevel) {
  MakeRaw("Child\\Grandchild");
  SetRawText("Child", "marker", "child");
  clsEasyRegistry reg;
  ASSERT_TRUE(reg.Cd(Path()));
  ASSERT_TRUE(reg.Cd("child"));
  ASSERT_TRUE(reg.Cd("  GrandChild\\ "));
  EXPECT_EQ(reg.CurrentKey(), UpperPath("CHILD\\GRANDCHILD"));

  // Every ".." lands on an open key until the roots, then the top level.
  std::string expected = reg.CurrentKey();
  while (!expected.empty()) {
    expected = expected.substr(0, expected.rfind('\\'));
    EXPECT_TRUE(reg.Cd(".."));
    EXPECT_EQ(reg.CurrentKey(), expected);
    if (!expected.empty()) {
      EXPECT_EQ(Recorded(), "") << expected;
      EXPECT_TRUE(reg.DirKey().has_value()) << expected;  // opened for real: it lists its subkeys
    }
  }
  EXPECT_EQ(reg.CurrentKey(), "");

  EXPECT_FALSE(reg.Cd(".."));
  EXPECT_EQ(Recorded(), "No current Key.");
  EXPECT_EQ(Err().source, "EasyRegistry");
  EXPECT_EQ(reg.CurrentKey(), "");

  // Relative at the top level is absolute; "\" from anywhere goes back to the top.
  ASSERT_TRUE(reg.Cd("hkey_current_user\\software\\"));
  EXPECT_EQ(reg.CurrentKey(), "\\HKEY_CURRENT_USER\\SOFTWARE");
  ASSERT_TRUE(reg.Cd("\\HKEY_USERS\\"));
  EXPECT_EQ(reg.CurrentKey(), "\\HKEY_USERS");
  EXPECT_TRUE(reg.Cd("\\"));
  EXPECT_EQ(reg.CurrentKey(), "");
  EXPECT_TRUE(reg.Cd(Path("Child")));
  RegValueType type{};
  EXPECT_EQ(reg.ValueOf("marker", type).text, "child");
}

TEST_F(RegistryClass, EveryRootOpens) {
  clsEasyRegistry reg;
  for (const char* root : {"\\HKEY_CLASSES_ROOT", "\\HKEY_CURRENT_USER", "\\HKEY_LOCAL_MACHINE", "\\HKEY_USERS",
                           "\\HKEY_CURRENT_CONFIG", "\\hkey_dyn_data"}) {
    EXPECT_TRUE(reg.Cd(root)) << root << ": " << Err().description;
  }
  EXPECT_EQ(reg.CurrentKey(), "\\HKEY_DYN_DATA");
}

TEST_F(RegistryClass, UnreachableKeysStayCurrentAndEveryMemberFailsWithTheReason) {
  const struct {
    std::string path;
    std::string current;
    std::string reason;
  } cases[] = {
      {"\\HKEY_NOWHERE\\X", "\\HKEY_NOWHERE\\X", "Invalid Key root."},
      {Path("Missing"), UpperPath("MISSING"), "Key/Value does not exist."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    clsEasyRegistry reg;
    EXPECT_FALSE(reg.Cd(c.path));
    EXPECT_EQ(reg.CurrentKey(), c.current);
    EXPECT_EQ(Recorded(), c.reason);

    RegValueType type = RegValueType::BINARY;
    Err().Clear();
    EXPECT_FALSE(reg.DirKey().has_value());
    EXPECT_EQ(Recorded(), c.reason);
    Err().Clear();
    EXPECT_FALSE(reg.DirValue().has_value());
    EXPECT_EQ(Recorded(), c.reason);
    Err().Clear();
    EXPECT_EQ(reg.ValueOf("x", type).text, "");
    EXPECT_EQ(type, RegValueType::STRING);
    EXPECT_EQ(Recorded(), c.reason);
    Err().Clear();
    EXPECT_FALSE(reg.ValueOf("x", RegValueType::STRING, std::string("v")));
    EXPECT_EQ(Recorded(), c.reason);
    EXPECT_FALSE(reg.MakeKey("Y"));
    EXPECT_FALSE(reg.DeleteValue("x"));
    EXPECT_FALSE(reg.DeleteKey("Y"));
    // Moving below an unreachable key names the same reason, not a bad handle.
    EXPECT_FALSE(reg.Cd("Deeper"));
    EXPECT_EQ(reg.CurrentKey(), c.current + "\\DEEPER");
    EXPECT_EQ(Recorded(), c.reason);
  }
  EXPECT_FALSE(KeyExists("Missing"));
}

TEST_F(RegistryClass, AKeyCreatedAfterTheMoveIsUsedByTheNextMember) {
  clsEasyRegistry reg;
  EXPECT_FALSE(reg.Cd(Path("Later")));
  MakeRaw("Later");
  EXPECT_TRUE(reg.ValueOf("v", RegValueType::STRING, std::string("now")));
  EXPECT_EQ(GetRaw("Later", "v")->data, FromText(Text("now\0")));
}

TEST_F(RegistryClass, DirKeyListsRootsSubkeysOrNull) {
  clsEasyRegistry reg;
  EXPECT_THAT(*reg.DirKey(), ElementsAre("HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE",
                                         "HKEY_USERS", "HKEY_DYN_DATA", "HKEY_CURRENT_CONFIG"));
  ASSERT_TRUE(reg.Cd(Path()));
  EXPECT_EQ(reg.DirKey(), std::nullopt);
  const std::string longName(150, 'L');  // Wine's ANSI calls cap the whole sub-path near 260
  MakeRaw("Beta");
  MakeRaw("{Alpha}");
  MakeRaw(longName);
  EXPECT_THAT(*reg.DirKey(), UnorderedElementsAre("Beta", "{Alpha}", longName));
}

TEST_F(RegistryClass, DirValueRowsByType) {
  SetRaw("", "P", REG_DWORD, {0x1A, 0, 0, 0});
  SetRaw("", "Q", REG_BINARY, {0x01, 0x0A, 0xFF});
  SetRawText("", "R", "abc");
  SetRaw("", "NoNul", REG_SZ, FromText("abc"));
  SetRaw("", "Empty", REG_BINARY, {});
  SetRaw("", "Multi", REG_MULTI_SZ, FromText(Text("a\0b\0\0")));
  SetRaw("", "Expand", REG_EXPAND_SZ, FromText(Text("%PATH%\0")));
  SetRaw("", "Odd", REG_DWORD, {1, 2, 3});
  SetRawText("", "", "default");
  const std::string sep = Separator();

  clsEasyRegistry reg;
  EXPECT_EQ(reg.DirValue(), std::nullopt);  // top level
  ASSERT_TRUE(reg.Cd(Path()));
  const auto rows = reg.DirValue();
  ASSERT_TRUE(rows.has_value());
  // The registry's own order (Wine sorts by name): the set, then P, Q and R in that order.
  EXPECT_THAT(*rows, UnorderedElementsAre(ValueRow{"P", "0000001A (0" + sep + "000" + sep + "000" + sep + "026)", "2"},
                                 ValueRow{"Q", "1 A FF", "1"}, ValueRow{"R", "abc", "0"},
                                 ValueRow{"NoNul", "abc", "0"}, ValueRow{"Empty", "", ""},
                                 ValueRow{"Multi", Text("a\0b\0"), "0"}, ValueRow{"Expand", "%PATH%", "0"},
                                 ValueRow{"Odd", "00030201 (0" + sep + "000" + sep + "197" + sep + "121)", "2"},
                                 ValueRow{"", "default", "0"}));
  std::vector<std::string> names;
  for (const ValueRow& row : *rows) {
    if (row.name == "P" || row.name == "Q" || row.name == "R") names.push_back(row.name);
  }
  EXPECT_THAT(names, ElementsAre("P", "Q", "R"));
  EXPECT_EQ(Recorded(), "");

  MakeRaw("Bare");
  ASSERT_TRUE(reg.Cd("Bare"));
  EXPECT_EQ(reg.DirValue(), std::nullopt);
}

TEST_F(RegistryClass, ReadingGivesTextBytesNumberAndType) {
  SetRaw("", "Max", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF});
  SetRaw("", "Bin", REG_BINARY, {0x01, 0x0A, 0xFF});
  SetRawText("", "Str", "abc");
  SetRaw("", "NoNul", REG_SZ, FromText("abc"));
  SetRaw("", "EmptySz", REG_SZ, {0});
  SetRaw("", "NoData", REG_SZ, {});
  SetRaw("", "Nul", REG_SZ, FromText(Text("a\0b\0")));
  SetRaw("", "Multi", REG_MULTI_SZ, FromText(Text("x\0y\0\0")));
  SetRaw("", "None", REG_NONE, {0x41, 0x42});
  const struct {
    const char* name;
    RegValueType type;
    std::string text;
    std::optional<Bytes> bytes;
    double number;
  } cases[] = {
      {"Max", RegValueType::DWORD, "FFFFFFFF", Bytes{0xFF, 0xFF, 0xFF, 0xFF}, 4294967295.0},
      {"Bin", RegValueType::BINARY, "1 A FF", Bytes{0x01, 0x0A, 0xFF}, 0},
      {"Str", RegValueType::STRING, "abc", FromText("abc"), 0},
      {"NoNul", RegValueType::STRING, "abc", FromText("abc"), 0},
      {"EmptySz", RegValueType::STRING, "", Bytes{0}, 0},
      {"NoData", RegValueType::STRING, "", std::nullopt, 0},
      {"Nul", RegValueType::STRING, Text("a\0b"), FromText(Text("a\0b")), 0},
      {"Multi", RegValueType::STRING, Text("x\0y\0"), FromText(Text("x\0y\0")), 0},
      {"None", RegValueType::STRING, "AB", FromText("AB"), 0},
  };
  clsEasyRegistry reg;
  ASSERT_TRUE(reg.Cd(Path()));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RegValueType type = RegValueType::BINARY;
    const ValueReading reading = reg.ValueOf(c.name, type);
    EXPECT_EQ(type, c.type);
    EXPECT_EQ(reading.text, c.text);
    EXPECT_EQ(reading.bytes, c.bytes);
    EXPECT_EQ(reading.number, c.number);
    EXPECT_EQ(Recorded(), "");
  }

  RegValueType type = RegValueType::DWORD;
  const ValueReading missing = reg.ValueOf("Missing", type);
  EXPECT_EQ(missing.text, "");
  EXPECT_EQ(missing.bytes, std::nullopt);
  EXPECT_EQ(missing.number, 0);
  EXPECT_EQ(type, RegValueType::STRING);
  EXPECT_EQ(Recorded(), "Key/Value does not exist.");
  EXPECT_EQ(Err().source, "EasyRegistry[API Call]");

  clsEasyRegistry top;
  EXPECT_EQ(top.ValueOf("x", type).text, "");
  EXPECT_EQ(Recorded(), "No current Key.");
}

TEST_F(RegistryClass, WritesStoreExactlyWhatTheTypeCodeSays) {
  const struct {
    const char* name;
    RegValueType type;
    RegValue value;
    DWORD storedType;
    Bytes stored;
  } cases[] = {
      {"DwMax", RegValueType::DWORD, 4294967295.0, REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}},
      {"DwZero", RegValueType::DWORD, 0.0, REG_DWORD, {0, 0, 0, 0}},
      {"Dw26", RegValueType::DWORD, 26.0, REG_DWORD, {0x1A, 0, 0, 0}},
      {"Str", RegValueType::STRING, std::string("abc"), REG_SZ, FromText(Text("abc\0"))},
      {"Empty", RegValueType::STRING, std::string(), REG_SZ, {0}},
      {"Nul", RegValueType::STRING, Text("a\0b"), REG_SZ, FromText(Text("a\0b\0"))},
      {"Bin", RegValueType::BINARY, Bytes{0x01, 0x0A, 0xFF}, REG_BINARY, {0x01, 0x0A, 0xFF}},
      {"BinEmpty", RegValueType::BINARY, Bytes{}, REG_BINARY, {}},
  };
  clsEasyRegistry reg;
  ASSERT_TRUE(reg.Cd(Path()));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Err().source = "stale";
    EXPECT_TRUE(reg.ValueOf(c.name, c.type, c.value));
    EXPECT_EQ(Recorded(), "");
    EXPECT_EQ(Err().source, "");
    const auto raw = GetRaw("", c.name);
    ASSERT_TRUE(raw.has_value());
    EXPECT_EQ(raw->type, c.storedType);
    EXPECT_EQ(raw->data, c.stored);
  }
  // A big value goes through whole.
  const std::string big(1 << 20, 'x');
  EXPECT_TRUE(reg.ValueOf("Big", RegValueType::STRING, big));
  RegValueType type{};
  EXPECT_EQ(reg.ValueOf("Big", type).text, big);
}

TEST_F(RegistryClass, RefusedWritesStoreNothing) {
  const struct {
    const char* name;
    RegValueType type;
    RegValue value;
    std::string reason;
  } cases[] = {
      {"TooBig", RegValueType::DWORD, 4294967296.0, "Type passed doesn't match Value passed."},
      {"Negative", RegValueType::DWORD, -1.0, "Type passed doesn't match Value passed."},
      {"Fraction", RegValueType::DWORD, 1.5, "Type passed doesn't match Value passed."},
      {"NaN", RegValueType::DWORD, std::numeric_limits<double>::quiet_NaN(), "Type passed doesn't match Value passed."},
      {"Integer", RegValueType::DWORD, int64_t{5}, "Type passed doesn't match Value passed."},
      {"TextAsDword", RegValueType::DWORD, std::string("5"), "Type passed doesn't match Value passed."},
      {"NumberAsText", RegValueType::STRING, 5.0, "Type passed doesn't match Value passed."},
      {"TextAsBinary", RegValueType::BINARY, std::string("01"), "Type passed doesn't match Value passed."},
      {"Type3", static_cast<RegValueType>(3), std::string("x"),
       "Type passed doesn't exist. Use STRING, DWORD or BINARY."},
      {"TypeMinus1", static_cast<RegValueType>(-1), 1.0, "Type passed doesn't exist. Use STRING, DWORD or BINARY."},
  };
  clsEasyRegistry reg;
  ASSERT_TRUE(reg.Cd(Path()));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(reg.ValueOf(c.name, c.type, c.value));
    EXPECT_EQ(Recorded(), c.reason);
    EXPECT_EQ(Err().source, "EasyRegistry [Let ValueOf]");
    EXPECT_FALSE(GetRaw("", c.name).has_value());
  }
  // At the top level there is nothing to write to.
  clsEasyRegistry top;
  EXPECT_FALSE(top.ValueOf("x", RegValueType::STRING, std::string("v")));
  EXPECT_EQ(Recorded(), "No current Key.");
}

TEST_F(RegistryClass, MakeKeyAndDeletesLeaveTheCurrentKeyInPlace) {
  clsEasyRegistry reg;
  ASSERT_TRUE(reg.Cd(Path()));
  const std::string here = reg.CurrentKey();
  EXPECT_TRUE(reg.MakeKey("New\\Deeper"));
  EXPECT_TRUE(reg.MakeKey("New"));  // opens an existing key
  EXPECT_TRUE(KeyExists("New\\Deeper"));
  EXPECT_EQ(reg.CurrentKey(), here);

  EXPECT_FALSE(reg.DeleteKey("New"));  // a key with subkeys is not deleted on its own
  EXPECT_NE(Recorded(), "");
  EXPECT_TRUE(KeyExists("New"));
  EXPECT_TRUE(reg.DeleteKey("New\\Deeper"));
  EXPECT_TRUE(reg.DeleteKey("New"));
  EXPECT_FALSE(KeyExists("New"));
  EXPECT_FALSE(reg.DeleteKey("New"));
  EXPECT_EQ(Recorded(), "Key/Value does not exist.");

  SetRawText("", "Gone", "x");
  SetRawText("", "Kept", "y");
  EXPECT_TRUE(reg.DeleteValue("Gone"));
  EXPECT_FALSE(GetRaw("", "Gone").has_value());
  EXPECT_TRUE(GetRaw("", "Kept").has_value());
  EXPECT_FALSE(reg.DeleteValue("Gone"));
  EXPECT_EQ(Recorded(), "Key/Value does not exist.");
  EXPECT_EQ(reg.CurrentKey(), here);
}

TEST_F(RegistryClass, DeleteKeyExtRemovesANestedTreeOnly) {
  for (const char* key : {"Tree\\A\\B\\C", "Tree\\A\\D", "Tree\\E", "Keep\\Inner", "TreeSibling"}) MakeRaw(key);
  SetRawText("Tree\\A\\B\\C", "leaf", "v");
  SetRawText("Tree", "top", "v");
  SetRawText("Keep\\Inner", "kept", "v");
  clsEasyRegistry reg;
  ASSERT_TRUE(reg.Cd(Path()));
  const std::string before = reg.CurrentKey();
  EXPECT_TRUE(reg.DeleteKeyExt(" tree\\ "));
  EXPECT_EQ(Recorded(), "");
  EXPECT_EQ(reg.CurrentKey(), before);
  EXPECT_FALSE(KeyExists("Tree"));
  EXPECT_TRUE(KeyExists("TreeSibling"));
  EXPECT_TRUE(GetRaw("Keep\\Inner", "kept").has_value());

  // A path below the current key is a subkey too.
  EXPECT_TRUE(reg.DeleteKeyExt("Keep\\Inner"));
  EXPECT_FALSE(KeyExists("Keep\\Inner"));
  EXPECT_TRUE(KeyExists("Keep"));

  EXPECT_FALSE(reg.DeleteKeyExt("Tree"));
  EXPECT_EQ(Recorded(), "Key/Value does not exist.");
  EXPECT_EQ(reg.CurrentKey(), before);
}

TEST_F(RegistryClass, DeleteKeyExtRefusesNamesThatReachOutside) {
  MakeRaw("Child\\Inner");
  SetRawText("", "value", "v");
  clsEasyRegistry reg;
  ASSERT_TRUE(reg.Cd(Path("Child")));
  const std::string before = reg.CurrentKey();
  for (const std::string& name : {std::string(), std::string("  "), std::string("."), std::string(".."),
                                  std::string(" .. "), std::string("\\"), Path(), Path("Child"),
                                  std::string("Inner\\.."), std::string("..\\Child"), std::string("Inner\\\\X")}) {
    SCOPED_TRACE(name);
    Err().Clear();
    EXPECT_FALSE(reg.DeleteKeyExt(name));
    EXPECT_EQ(Recorded(), "Invalid Parameter.");
    EXPECT_EQ(Err().source, "EasyRegistry[API Call]");
    EXPECT_EQ(reg.CurrentKey(), before);
  }
  EXPECT_TRUE(KeyExists("Child\\Inner"));
  EXPECT_TRUE(GetRaw("", "value").has_value());

  clsEasyRegistry top;
  EXPECT_FALSE(top.DeleteKeyExt("HKEY_CURRENT_USER"));
  EXPECT_EQ(Recorded(), "No current Key.");
  EXPECT_TRUE(KeyExists(""));
}

TEST_F(RegistryClass, IsWindowsNTFollowsThePlatformId) {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  ASSERT_TRUE(GetVersionExA(&version));
  EXPECT_EQ(clsEasyRegistry::IsWindowsNT(), version.dwPlatformId == VER_PLATFORM_WIN32_NT);
  EXPECT_TRUE(clsEasyRegistry::IsWindowsNT());  // the test prefix is of the NT family
}

}  // namespace
