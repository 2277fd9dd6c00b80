// The identity settings' IE label, title fallback and tool tip, without any registry.
#include <gtest/gtest.h>

#include <tuple>

#include "registry/IdentityText.h"

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
