// The identity settings' labels, key paths and failure report, without any registry.
#include <gtest/gtest.h>

#include "registry/IdentityText.h"

namespace {

TEST(IdentityText, IeLabelAndControlsFollowTheVersion) {
  const struct {
    IeVersion version;
    std::string label;
    bool enabled;
  } cases[] = {
      {{6, 0, 2800}, "IE 6.0.2800 Window Title.........", true},
      {{5, 0, 0}, "IE 5.0.0 Window Title.........", true},
      {{11, 0, 9600}, "IE 11.0.9600 Window Title.........", true},
      {{4, 72, 3110}, "IE 4.72.3110 Window Title.........", false},
      {{0, 1, 0}, "IE 0.1.0 Window Title.........", false},
      {{0, 0, 0}, "IE Not Installed", false},
      {{0, 0, 1234}, "IE Not Installed", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IeLabelText(c.version), c.label);
    EXPECT_EQ(IeControlsEnabled(c.version), c.enabled) << c.label;
  }
}

TEST(IdentityText, KeyPathsAndIdentityNames) {
  EXPECT_EQ(OwnerKeyPath(true), "\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion");
  EXPECT_EQ(OwnerKeyPath(false), "\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
  EXPECT_EQ(OeTitleKeyPath("{1A-bc}"),
            "\\HKEY_CURRENT_USER\\Identities\\{1A-bc}\\Software\\Microsoft\\Outlook Express\\5.0\\");
  EXPECT_EQ(IdentityKeyPath("{1A-bc}"), "\\HKEY_CURRENT_USER\\Identities\\{1A-bc}");
  for (std::string_view name : {"{", "{GUID}", "{x"}) EXPECT_TRUE(IsIdentityKeyName(name)) << name;
  for (std::string_view name : {"", " {GUID}", "Default User ID", "}"}) EXPECT_FALSE(IsIdentityKeyName(name)) << name;
}

TEST(IdentityText, BlankOeTitlesShowTheProgramNameOthersStayUntrimmed) {
  EXPECT_EQ(OeTitleShown(""), "Outlook Express");
  EXPECT_EQ(OeTitleShown("    "), "Outlook Express");
  EXPECT_EQ(OeTitleShown(" Mail "), " Mail ");
  EXPECT_EQ(OeTitleShown("\t"), "\t");
  EXPECT_EQ(OeIdentityTooltip("Work"), "Work - The user's identity in Outlook Express");
}

TEST(IdentityText, FailureReportNamesEachRefusedKey) {
  WriteReport none;
  EXPECT_FALSE(none.Attempted());

  WriteReport report{{{true, "\\HKEY_CURRENT_USER\\A", ""}}};
  EXPECT_TRUE(report.Attempted());
  EXPECT_TRUE(report.AllOk());
  EXPECT_EQ(report.FailureText(), "");

  report.writes.insert(report.writes.begin(), {false, "\\HKEY_LOCAL_MACHINE\\B", "Access to Registry Denied."});
  EXPECT_FALSE(report.AllOk());
  EXPECT_EQ(report.FailureText(), "\\HKEY_LOCAL_MACHINE\\B\r\nAccess to Registry Denied.");

  report.writes.push_back({false, "\\HKEY_CURRENT_USER\\C", "Key/Value does not exist."});
  EXPECT_EQ(report.FailureText(),
            "\\HKEY_LOCAL_MACHINE\\B\r\nAccess to Registry Denied.\r\n\r\n"
            "\\HKEY_CURRENT_USER\\C\r\nKey/Value does not exist.");
}

}  // namespace
