// Text forms of registry data, and the identity settings' IE label, title fallback and tool tip.
#include <gtest/gtest.h>

#include <tuple>

#include "registry/IdentityText.h"
#include "registry/RegistryText.h"

using Bytes = std::vector<uint8_t>;

TEST(RegistryText, BinaryDwordAndDecimalForms) {
  EXPECT_EQ(BinaryText(Bytes{0x01, 0x0A, 0xFF, 0x10, 0x00}), "1 A FF 10 0");
  for (const auto& [data, text, number] : {std::tuple{Bytes{0x1A, 0, 0, 0}, "0000001A", 26.0},
                                           {Bytes(4, 0xFF), "FFFFFFFF", 4294967295.0},
                                           {Bytes{1, 2, 3}, "00030201", 0x030201},  // the missing byte counts as 0
                                           {Bytes{}, "", 0.0}}) {
    EXPECT_EQ(DwordText(data), text);
    EXPECT_EQ(DwordNumber(data), number) << text;
  }
  EXPECT_EQ(DwordListingText(Bytes{0x1A, 0, 0, 0}, ","), "0000001A (0,000,000,026)");
  EXPECT_EQ(DwordDecimalSuffix(4294967295.0, "."), " (4.294.967.295)");
  // Absurdly long data stays text, with no nonsense number after it.
  EXPECT_EQ(DwordListingText(Bytes(4000, 0xFF), ","), std::string(8000, 'F'));
}

TEST(RegistryText, StringDropsOnlyAFinalNul) {
  const auto text = [](std::string_view data) { return StringText(Bytes(data.begin(), data.end())); };
  EXPECT_EQ(text({"abc\0", 4}), "abc");
  EXPECT_EQ(text("abc"), "abc");  // stored without its NUL: the last letter stays
  EXPECT_EQ(text({"a\0b\0\0", 5}), std::string("a\0b\0", 4));
}

TEST(IdentityText, IeLabelAndControlsFollowTheVersion) {
  for (const auto& [version, label, enabled] :
       {std::tuple{IeVersion{6, 0, 2800}, "IE 6.0.2800 Window Title.........", true},
        {IeVersion{5, 0, 0}, "IE 5.0.0 Window Title.........", true},
        {IeVersion{4, 72, 3110}, "IE 4.72.3110 Window Title.........", false},
        {IeVersion{0, 0, 1234}, "IE Not Installed", false}}) {
    EXPECT_EQ(IeLabelText(version), label);
    EXPECT_EQ(IeControlsEnabled(version), enabled) << label;
  }
}

TEST(IdentityText, TitleFallbackAndTooltip) {
  EXPECT_EQ(OeTitleShown("    "), "Outlook Express");
  EXPECT_EQ(OeTitleShown(" Mail "), " Mail ");  // kept untrimmed
  EXPECT_EQ(OeIdentityTooltip("Work"), "Work - The user's identity in Outlook Express");
}
