// Text forms of registry data and the path syntax's moves, under the sanitizers.
#include <gtest/gtest.h>

#include <cmath>

#include "registry/RegistryPath.h"
#include "registry/RegistryText.h"

namespace {

using Bytes = std::vector<uint8_t>;

TEST(RegistryText, BinaryAndDwordForms) {
  EXPECT_EQ(BinaryText(Bytes{0x01, 0x0A, 0xFF, 0x10, 0x00}), "1 A FF 10 0");
  EXPECT_EQ(BinaryText(Bytes{}), "");
  const struct {
    Bytes data;
    std::string text;
    double number;
  } cases[] = {
      {{0x1A, 0, 0, 0}, "0000001A", 26},
      {{0xFF, 0xFF, 0xFF, 0xFF}, "FFFFFFFF", 4294967295.0},
      {{0x78, 0x56, 0x34, 0x12}, "12345678", 0x12345678},
      {{0x01, 0x02, 0x03}, "00030201", 0x030201},  // odd: the byte past the end counts as 0
      {{0x7F}, "007F", 127},
      {{}, "", 0},
      {{1, 0, 0, 0, 0, 0, 0, 0x80}, "8000000000000001", 9223372036854775808.0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DwordText(c.data), c.text);
    EXPECT_EQ(DwordNumber(c.data), c.number) << c.text;
  }
  const Bytes huge(4000, 0xFF);  // absurd but possible: stays text, no nonsense number
  EXPECT_TRUE(std::isinf(DwordNumber(huge)));
  EXPECT_EQ(DwordListingText(huge, ","), std::string(8000, 'F'));
}

TEST(RegistryText, DecimalSuffixHasTenDigitsGroupedWithTheGivenSeparator) {
  EXPECT_EQ(DwordListingText(Bytes{0x1A, 0, 0, 0}, ","), "0000001A (0,000,000,026)");
  EXPECT_EQ(DwordDecimalSuffix(0, "."), " (0.000.000.000)");
  EXPECT_EQ(DwordDecimalSuffix(4294967295.0, "\xA0"),
            " (4\xA0"
            "294\xA0"
            "967\xA0"
            "295)");
  EXPECT_EQ(DwordDecimalSuffix(1234, ""), " (0000001234)");
  EXPECT_EQ(DwordDecimalSuffix(1099511627776.0, ","), " (1,099,511,627,776)");
}

TEST(RegistryText, StringDropsOnlyAFinalNul) {
  const struct {
    std::string data, text;
  } cases[] = {
      {std::string("abc\0", 4), "abc"},
      {"abc", "abc"},  // stored without its NUL: the last letter stays
      {std::string("a\0b\0\0", 5), std::string("a\0b\0", 4)},
      {std::string("\0", 1), ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(StringText(Bytes(c.data.begin(), c.data.end())), c.text);
}

TEST(RegistryPath, BlankPathsStayPutAndTreeNamesStayBelow) {
  // A blank path would otherwise name a root "" or leave a trailing "\" on the current key.
  EXPECT_EQ(ClassifyPath("", "\\HKEY_USERS").kind, PathKind::Self);
  EXPECT_EQ(ClassifyPath(NormalizePath("  hkey_users\\x\\ "), "").path, "\\HKEY_USERS\\X");
  EXPECT_EQ(ClassifyPath("A\\", "\\HKEY_USERS").path, "A");
  for (std::string_view name : {"A", "A\\B", " x", "...", ".A"}) EXPECT_TRUE(StaysBelowCurrentKey(name)) << name;
  for (std::string_view name : {"", ".", "..", "\\A", "A\\..", "A\\.\\B", "A\\\\B", "A\\"}) {
    EXPECT_FALSE(StaysBelowCurrentKey(name)) << name;
  }
}

}  // namespace
