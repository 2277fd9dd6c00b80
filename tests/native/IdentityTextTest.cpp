// The identity settings' IE label, title fallback and failure report, without any registry.
#include <gtest/gtest.h>

#include "registry/IdentityText.h"

TEST(IdentityText, IeLabelAndControlsFollowTheVersion) {
  const struct {
    IeVersion version;
    std::string label;
    bool enabled;
  } cases[] = {
      {{6, 0, 2800}, "IE 6.0.2800 Window Title.........", true},
      {{5, 0, 0}, "IE 5.0.0 Window Title.........", true},
      {{4, 72, 3110}, "IE 4.72.3110 Window Title.........", false},
      {{0, 1, 0}, "IE 0.1.0 Window Title.........", false},
      {{0, 0, 1234}, "IE Not Installed", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IeLabelText(c.version), c.label);
    EXPECT_EQ(IeControlsEnabled(c.version), c.enabled) << c.label;
  }
}

TEST(IdentityText, TitleFallbackTooltipAndFailureReport) {
  EXPECT_EQ(OeTitleShown("    "), "Outlook Express");
  EXPECT_EQ(OeTitleShown(" Mail "), " Mail ");  // kept untrimmed
  EXPECT_EQ(OeIdentityTooltip("Work"), "Work - The user's identity in Outlook Express");
  const WriteReport report{{{false, "\\K1", "Access to Registry Denied."}, {true, "\\K2", ""}, {false, "\\K3", "D3"}}};
  EXPECT_EQ(report.FailureText(), "\\K1\r\nAccess to Registry Denied.\r\n\r\n\\K3\r\nD3");
}
