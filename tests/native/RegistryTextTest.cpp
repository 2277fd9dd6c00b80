// Text forms of registry data, the error texts, and the path syntax's moves.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "registry/RegistryPath.h"
#include "registry/RegistryText.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes FromText(std::string_view text) { return Bytes(text.begin(), text.end()); }

TEST(RegistryText, BinaryBytesAreBareUpperCaseHex) {
  const struct {
    Bytes data;
    std::string text;
  } cases[] = {
      {{}, ""},
      {{0x00}, "0"},
      {{0x01, 0x0A, 0xFF}, "1 A FF"},
      {{0x10, 0x00, 0xab}, "10 0 AB"},
  };
  for (const auto& c : cases) EXPECT_EQ(BinaryText(c.data), c.text);
}

TEST(RegistryText, DwordTextReadsPairsFromTheEndAndNeverPastTheData) {
  const struct {
    Bytes data;
    std::string text;
    double number;
  } cases[] = {
      {{0x1A, 0, 0, 0}, "0000001A", 26},
      {{0xFF, 0xFF, 0xFF, 0xFF}, "FFFFFFFF", 4294967295.0},
      {{0x78, 0x56, 0x34, 0x12}, "12345678", 305419896},
      // Odd lengths: the missing byte just past the data counts as 0.
      {{0x01, 0x02, 0x03}, "00030201", 0x030201},
      {{0x7F}, "007F", 127},
      {{0x01, 0x00}, "0001", 1},
      {{}, "", 0},
      {{1, 0, 0, 0, 0, 0, 0, 0x80}, "8000000000000001", 9223372036854775808.0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DwordText(c.data), c.text);
    EXPECT_EQ(DwordNumber(c.data), c.number) << c.text;
  }
}

TEST(RegistryText, DwordOfAbsurdLengthStaysFiniteInTextAndHasNoSuffix) {
  const Bytes huge(4000, 0xFF);
  EXPECT_TRUE(std::isinf(DwordNumber(huge)));
  EXPECT_EQ(DwordText(huge), std::string(8000, 'F'));
  EXPECT_EQ(DwordListingText(huge, ","), std::string(8000, 'F'));
}

TEST(RegistryText, DecimalSuffixShowsTenDigitsGroupedWithTheGivenSeparator) {
  const struct {
    double value;
    std::string separator;
    std::string suffix;
  } cases[] = {
      {26, ",", " (0,000,000,026)"},
      {0, ".", " (0.000.000.000)"},
      {4294967295.0, ",", " (4,294,967,295)"},
      {1234, "", " (0000001234)"},
      {26, "\xA0", " (0\xA0" "000\xA0" "000\xA0" "026)"},
      {1099511627776.0, ",", " (1,099,511,627,776)"},
      {INFINITY, ",", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(DwordDecimalSuffix(c.value, c.separator), c.suffix) << c.value;
  EXPECT_EQ(DwordListingText(Bytes{0x1A, 0, 0, 0}, ","), "0000001A (0,000,000,026)");
}

TEST(RegistryText, StringDropsOnlyAFinalNul) {
  const struct {
    std::string data;
    std::string text;
  } cases[] = {
      {std::string("abc\0", 4), "abc"},
      {"abc", "abc"},  // written without its NUL: the last letter stays
      {std::string("a\0b\0\0", 5), std::string("a\0b\0", 4)},
      {std::string("\0", 1), ""},
      {std::string("\0\0", 2), std::string("\0", 1)},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(StringText(FromText(c.data)), c.text);
}

TEST(RegistryText, ErrorDescriptionsAreExact) {
  const struct {
    long code;
    std::string_view text;
  } apiCases[] = {
      {0, ""},
      {2, "Key/Value does not exist."},
      {5, "Access to Registry Denied."},
      {14, "Out of memory."},
      {87, "Invalid Parameter."},
      {1009, "Corrupt Registry Database!"},
      {1010, "Key name is bad."},
      {1011, "Cannot Open Key."},
      {1012, "Cannot Read Key."},
      {1013, "Cannot Write Key."},
      {6, "Undefined key error code!"},
      {234, "Undefined key error code!"},
      {-1, "Undefined key error code!"},
  };
  for (const auto& c : apiCases) EXPECT_EQ(ApiErrorDescription(c.code), c.text) << c.code;
  EXPECT_EQ(ClassErrorDescription(1), "No current Key.");
  EXPECT_EQ(ClassErrorDescription(2), "Invalid Key root.");
  EXPECT_EQ(ClassErrorDescription(3), "Type passed doesn't match Value passed.");
  EXPECT_EQ(ClassErrorDescription(4), "Type passed doesn't exist. Use STRING, DWORD or BINARY.");
}

TEST(RegistryPath, NormalizingUpperCasesAndTrimsBlanksOnly) {
  EXPECT_EQ(NormalizePath("  hkey_local_machine\\software\\  "), "HKEY_LOCAL_MACHINE\\SOFTWARE\\");
  EXPECT_EQ(NormalizePath("\tAb\t"), "\tAB\t");
  EXPECT_EQ(NormalizePath("   "), "");
  EXPECT_EQ(NormalizePath("\xE9t\xE9"), "\xE9T\xE9");  // other code-page letters are left to Windows
}

TEST(RegistryPath, ClassifiesEachKindOfMove) {
  const std::string cur = "\\HKEY_CURRENT_USER\\SOFTWARE";
  const struct {
    std::string path;
    std::string current;
    PathKind kind;
    std::string result;
  } cases[] = {
      {"\\", cur, PathKind::Top, ""},
      {"\\", "", PathKind::Top, ""},
      {"..", cur, PathKind::Parent, ""},
      {".", cur, PathKind::Self, ""},
      {"", cur, PathKind::Self, ""},
      {"HKEY_LOCAL_MACHINE\\SOFTWARE\\", "", PathKind::Absolute, "\\HKEY_LOCAL_MACHINE\\SOFTWARE"},
      {"\\HKEY_USERS\\", cur, PathKind::Absolute, "\\HKEY_USERS"},
      {"CLASSES", cur, PathKind::Relative, "CLASSES"},
      {"CLASSES\\", cur, PathKind::Relative, "CLASSES"},
      {"A\\B", cur, PathKind::Relative, "A\\B"},
      {"HKEY_LOCAL_MACHINE\\SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN", "", PathKind::Absolute,
       "\\HKEY_LOCAL_MACHINE\\SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN"},
  };
  for (const auto& c : cases) {
    const PathMove move = ClassifyPath(c.path, c.current);
    EXPECT_EQ(move.kind, c.kind) << c.path;
    EXPECT_EQ(move.path, c.result) << c.path;
  }
}

TEST(RegistryPath, ParentMovesClimbToTheTopLevel) {
  std::string current = "\\HKEY_CURRENT_USER\\SOFTWARE\\CLASSES";
  const std::vector<std::string> expected = {"\\HKEY_CURRENT_USER\\SOFTWARE", "\\HKEY_CURRENT_USER", ""};
  for (const std::string& next : expected) {
    const PathMove move = ClassifyPath(ParentCut(current), current);
    current = move.kind == PathKind::Top ? std::string() : move.path;
    ASSERT_EQ(current, next);
    if (!next.empty()) {
      EXPECT_EQ(move.kind, PathKind::Absolute);
    }
  }
}

TEST(RegistryPath, SplitsRootFromSubPath) {
  const struct {
    std::string path, root, sub;
  } cases[] = {
      {"\\HKEY_USERS", "HKEY_USERS", ""},
      {"\\HKEY_LOCAL_MACHINE\\SOFTWARE\\MICROSOFT", "HKEY_LOCAL_MACHINE", "SOFTWARE\\MICROSOFT"},
      {"\\HKEY_NOWHERE\\X", "HKEY_NOWHERE", "X"},
      {"\\", "", ""},
  };
  for (const auto& c : cases) {
    const RootAndSubPath parts = SplitAbsolutePath(c.path);
    EXPECT_EQ(parts.root, c.root) << c.path;
    EXPECT_EQ(parts.subPath, c.sub) << c.path;
  }
}

TEST(RegistryPath, OnlyNamesBelowTheCurrentKeyMayBeDeletedAsATree) {
  for (std::string_view name : {"A", "A\\B", "{X}", " spaced name", "A.B", "...", ".A"}) {
    EXPECT_TRUE(StaysBelowCurrentKey(name)) << name;
  }
  for (std::string_view name : {"", ".", "..", "\\", "\\HKEY_CURRENT_USER", "A\\..", "..\\A", "A\\.\\B",
                                "A\\\\B", "A\\", "\\A"}) {
    EXPECT_FALSE(StaysBelowCurrentKey(name)) << name;
  }
}

}  // namespace
