// clsEasyRegistry against the real Wine registry, in a scratch key of each test's own.
#include <gmock/gmock.h>

#include "registry/clsEasyRegistry.h"
#include "wine/RegistryScratch.h"

void PrintTo(const ValueRow& row, std::ostream* os) {
  *os << ::testing::PrintToString(std::vector<std::string>{row.name, row.data, row.type});
}

namespace {

using namespace raw;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

using RegistryClass = RegistryScratch;

TEST_F(RegistryClass, CdMovesDownAndBackUpLevelByLevel) {
  MakeKey(Path("Child\\Grandchild"));
  clsEasyRegistry reg;
  ASSERT_TRUE(reg.Cd(Path()));
  ASSERT_TRUE(reg.Cd("child"));
  ASSERT_TRUE(reg.Cd("  GrandChild\\ "));
  EXPECT_EQ(reg.CurrentKey(), Upper("CHILD\\GRANDCHILD"));
  for (std::string expected = reg.CurrentKey(); !expected.empty();) {
    expected.erase(expected.rfind('\\'));
    EXPECT_TRUE(reg.Cd(".."));
    EXPECT_EQ(reg.CurrentKey(), expected);
    EXPECT_TRUE(expected.empty() || reg.DirKey().has_value()) << expected;  // opened for real
  }
  EXPECT_FALSE(reg.Cd(".."));
  EXPECT_EQ(Recorded(), "No current Key.");
  EXPECT_EQ(Err().source, "EasyRegistry");
  EXPECT_EQ(reg.CurrentKey(), "");

  ASSERT_TRUE(reg.Cd("hkey_current_user\\software\\"));  // relative at the top level is absolute
  EXPECT_EQ(reg.CurrentKey(), "\\HKEY_CURRENT_USER\\SOFTWARE");
  for (const char* root :
       {"\\HKEY_CLASSES_ROOT", "\\HKEY_LOCAL_MACHINE", "\\HKEY_USERS\\", "\\HKEY_CURRENT_CONFIG", "\\hkey_dyn_data"}) {
    EXPECT_TRUE(reg.Cd(root)) << root;
  }
  EXPECT_TRUE(reg.Cd("\\"));
  EXPECT_EQ(reg.CurrentKey(), "");
}

TEST_F(RegistryClass, UnreachableKeysStayCurrentAndEveryMemberFailsWithTheReason) {
  const struct {
    std::string path, current, reason;
  } cases[] = {{"\\HKEY_NOWHERE\\X", "\\HKEY_NOWHERE\\X", "Invalid Key root."},
               {Path("Missing"), Upper("MISSING"), "Key/Value does not exist."}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    clsEasyRegistry reg;
    EXPECT_FALSE(reg.Cd(c.path));
    EXPECT_EQ(reg.CurrentKey(), c.current);
    EXPECT_EQ(Recorded(), c.reason);
    RegValueType type = RegValueType::BINARY;
    const std::function<bool()> members[] = {
        [&] { return reg.DirKey().has_value(); },
        [&] { return reg.DirValue().has_value(); },
        [&] { return reg.ValueOf("x", type).bytes.has_value() || type != RegValueType::STRING; },
        [&] { return reg.ValueOf("x", RegValueType::STRING, std::string("v")); },
        [&] { return reg.MakeKey("Y"); },
        [&] { return reg.DeleteValue("x"); },
        [&] { return reg.Cd("Deeper") || reg.Cd(".."); }};
    for (const auto& member : members) {
      Err().Clear();
      EXPECT_FALSE(member());
      EXPECT_EQ(Recorded(), c.reason);
    }
  }
  // A key that appears after the move is found by the next member.
  clsEasyRegistry reg;
  reg.Cd(Path("Later"));
  MakeKey(Path("Later"));
  EXPECT_TRUE(reg.ValueOf("v", RegValueType::STRING, std::string("now")));
  EXPECT_EQ(Get(Path("Later"), "v")->data, Sz("now"));
}

TEST_F(RegistryClass, ListingsOfRootsSubkeysAndValues) {
  clsEasyRegistry reg;
  EXPECT_THAT(*reg.DirKey(), ElementsAre("HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS",
                                         "HKEY_DYN_DATA", "HKEY_CURRENT_CONFIG"));
  EXPECT_EQ(reg.DirValue(), std::nullopt);
  ASSERT_TRUE(reg.Cd(Path()));
  EXPECT_EQ(reg.DirKey(), std::nullopt);
  EXPECT_EQ(reg.DirValue(), std::nullopt);

  const std::string longName(150, 'L');  // Wine's ANSI calls cap a whole sub-path near 260
  for (const std::string& key : {std::string("Beta"), std::string("{Alpha}"), longName}) MakeKey(Path(key));
  EXPECT_THAT(*reg.DirKey(), UnorderedElementsAre("Beta", "{Alpha}", longName));

  Set(Path(), "P", REG_DWORD, {0x1A, 0, 0, 0});
  Set(Path(), "Q", REG_BINARY, {0x01, 0x0A, 0xFF});
  Set(Path(), "R", REG_SZ, Sz("abc"));
  Set(Path(), "NoNul", REG_SZ, B("abc"));
  Set(Path(), "Empty", REG_BINARY, {});
  Set(Path(), "Odd", REG_DWORD, {1, 2, 3});
  Set(Path(), "", REG_SZ, Sz("default"));
  char sep[8] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, sep, sizeof sep);
  const std::string s = sep;
  const auto rows = reg.DirValue();
  ASSERT_TRUE(rows.has_value());
  // The registry's own order (Wine sorts by name), with P, Q and R in this order.
  EXPECT_THAT(*rows, UnorderedElementsAre(ValueRow{"P", "0000001A (0" + s + "000" + s + "000" + s + "026)", "2"},
                                          ValueRow{"Q", "1 A FF", "1"}, ValueRow{"R", "abc", "0"},
                                          ValueRow{"NoNul", "abc", "0"}, ValueRow{"Empty", "", ""},
                                          ValueRow{"Odd", "00030201 (0" + s + "000" + s + "197" + s + "121)", "2"},
                                          ValueRow{"", "default", "0"}));
  std::string pqr;
  for (const ValueRow& row : *rows) pqr += row.name.size() == 1 ? row.name : "";
  EXPECT_EQ(pqr, "PQR");
}

TEST_F(RegistryClass, ReadingGivesTextBytesNumberAndType) {
  const struct {
    const char* name;
    DWORD stored;
    Bytes data;
    RegValueType type;
    std::string text;
    std::optional<Bytes> bytes;
    double number;
  } cases[] = {
      {"Max",
       REG_DWORD,
       {0xFF, 0xFF, 0xFF, 0xFF},
       RegValueType::DWORD,
       "FFFFFFFF",
       Bytes{0xFF, 0xFF, 0xFF, 0xFF},
       4294967295.0},
      {"NoNul", REG_SZ, B("abc"), RegValueType::STRING, "abc", B("abc"), 0},
      {"EmptySz", REG_SZ, {0}, RegValueType::STRING, "", Bytes{0}, 0},
      {"NoData", REG_SZ, {}, RegValueType::STRING, "", std::nullopt, 0},
      {"Multi", REG_MULTI_SZ, B(T("x\0y\0\0")), RegValueType::STRING, T("x\0y\0"), B(T("x\0y\0")), 0},
  };
  clsEasyRegistry reg;
  ASSERT_TRUE(reg.Cd(Path()));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Set(Path(), c.name, c.stored, c.data);
    RegValueType type = RegValueType::BINARY;
    const ValueReading reading = reg.ValueOf(c.name, type);
    EXPECT_EQ(type, c.type);
    EXPECT_EQ(reading.text, c.text);
    EXPECT_EQ(reading.bytes, c.bytes);
    EXPECT_EQ(reading.number, c.number);
  }
  RegValueType type = RegValueType::DWORD;
  const ValueReading missing = reg.ValueOf("Missing", type);
  EXPECT_TRUE(missing.text.empty() && !missing.bytes && missing.number == 0 && type == RegValueType::STRING);
  EXPECT_EQ(Recorded(), "Key/Value does not exist.");
  EXPECT_EQ(Err().source, "EasyRegistry[API Call]");
}

TEST_F(RegistryClass, WritesStoreWhatTheTypeCodeSaysOrNothing) {
  const std::string mismatch = "Type passed doesn't match Value passed.";
  const std::string unknown = "Type passed doesn't exist. Use STRING, DWORD or BINARY.";
  const struct {
    const char* name;
    RegValueType type;
    RegValue value;
    std::optional<Value> stored;  // nullopt: refused with `reason`
    std::string reason;
  } cases[] = {
      {"DwMax", RegValueType::DWORD, 4294967295.0, Value{REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}}, ""},
      {"Str", RegValueType::STRING, std::string("abc"), Value{REG_SZ, Sz("abc")}, ""},
      {"Nul", RegValueType::STRING, T("a\0b"), Value{REG_SZ, Sz(T("a\0b"))}, ""},
      {"Bin", RegValueType::BINARY, Bytes{0x01, 0x0A, 0xFF}, Value{REG_BINARY, {0x01, 0x0A, 0xFF}}, ""},
      {"TooBig", RegValueType::DWORD, 4294967296.0, std::nullopt, mismatch},
      {"Negative", RegValueType::DWORD, -1.0, std::nullopt, mismatch},
      {"Fraction", RegValueType::DWORD, 1.5, std::nullopt, mismatch},
      {"Integer", RegValueType::DWORD, int64_t{5}, std::nullopt, mismatch},
      {"TextAsBinary", RegValueType::BINARY, std::string("01"), std::nullopt, mismatch},
      {"Type3", static_cast<RegValueType>(3), std::string("x"), std::nullopt, unknown},
  };
  clsEasyRegistry reg;
  ASSERT_TRUE(reg.Cd(Path()));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Err().source = "stale";
    EXPECT_EQ(reg.ValueOf(c.name, c.type, c.value), c.stored.has_value());
    EXPECT_EQ(Recorded(), c.reason);
    EXPECT_EQ(Err().source, c.stored ? "" : "EasyRegistry [Let ValueOf]");
    EXPECT_EQ(Get(Path(), c.name), c.stored);
  }
  clsEasyRegistry top;
  EXPECT_FALSE(top.ValueOf("x", RegValueType::STRING, std::string("v")));
  EXPECT_EQ(Recorded(), "No current Key.");
}

TEST_F(RegistryClass, KeysAreMadeAndDeletedBelowTheCurrentKeyOnly) {
  clsEasyRegistry reg;
  ASSERT_TRUE(reg.Cd(Path()));
  EXPECT_TRUE(reg.MakeKey("Tree\\A\\B\\C") && reg.MakeKey("Tree\\A\\D") && reg.MakeKey("Tree\\A"));
  for (const char* key : {"Keep\\Inner", "TreeSibling"}) MakeKey(Path(key));
  Set(Path("Tree\\A\\B\\C"), "leaf", REG_SZ, Sz("v"));
  Set(Path(), "Gone", REG_SZ, Sz("x"));
  EXPECT_TRUE(reg.DeleteValue("Gone"));
  EXPECT_FALSE(reg.DeleteValue("Gone"));
  EXPECT_EQ(Recorded(), "Key/Value does not exist.");
  EXPECT_FALSE(reg.DeleteKey("Tree"));  // not with subkeys
  EXPECT_TRUE(reg.DeleteKey("Tree\\A\\D"));
  EXPECT_FALSE(Exists(Path("Tree\\A\\D")));
  EXPECT_TRUE(reg.DeleteKeyExt(" tree\\ "));
  EXPECT_EQ(Recorded(), "");
  EXPECT_EQ(reg.CurrentKey(), Upper());
  EXPECT_FALSE(Exists(Path("Tree")));
  EXPECT_TRUE(Exists(Path("TreeSibling")) && Exists(Path("Keep\\Inner")));
  EXPECT_FALSE(reg.DeleteKeyExt("Tree"));
  EXPECT_EQ(Recorded(), "Key/Value does not exist.");

  ASSERT_TRUE(reg.Cd("Keep"));
  for (const std::string& name :
       {std::string(), std::string("  "), std::string("."), std::string(" .. "), std::string("\\"), Path(),
        std::string("Inner\\.."), std::string("..\\Keep"), std::string("Inner\\\\X")}) {
    Err().Clear();
    EXPECT_FALSE(reg.DeleteKeyExt(name)) << name;
    EXPECT_EQ(Recorded(), "Invalid Parameter.") << name;
    EXPECT_EQ(Err().source, "EasyRegistry[API Call]");
  }
  EXPECT_EQ(reg.CurrentKey(), Upper("KEEP"));
  EXPECT_TRUE(Exists(Path("Keep\\Inner")) && Exists(Path("TreeSibling")));
  clsEasyRegistry top;
  EXPECT_FALSE(top.DeleteKeyExt("HKEY_CURRENT_USER"));
  EXPECT_EQ(Recorded(), "No current Key.");
}

}  // namespace
