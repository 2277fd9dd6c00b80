// The Send To command's text rules and the name prompt. The command's steps run under Wine
// (tests/wine/SendToSystemTest.cpp) against the real file system.
#include <gtest/gtest.h>

#include <vector>

#include "platform/MessageBox.h"
#include "shell/SendToLogic.h"

TEST(SendToLogic, FolderTextRules) {
  struct Case {
    const char* text;
    std::optional<std::string> normalised;
    std::optional<std::string> proposal;  // of the normalised text
  };
  const Case cases[] = {
      {"C:\\Data\\\\", "C:\\Data", "Data"},
      {"C:\\Data", "C:\\Data", "Data"},
      {"D:\\", "D:\\", "D"},
      {"D:\\\\\\", "D:\\", "D"},
      {"D:", "D:\\", "D"},
      {"C:\\My Files \\", "C:\\My Files ", "My Files "},
      {"\\\\server\\share\\", "\\\\server\\share", "share"},
      {"a\\b", "a\\b", "a"},  // any three characters count as a drive root
      {"Data\\", "Data", std::nullopt},
      {"\\", std::nullopt, std::nullopt},
      {"\\\\\\", std::nullopt, std::nullopt},
      {"", std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    const std::optional<std::string> normalised = NormaliseFolderText(c.text);
    EXPECT_EQ(normalised, c.normalised) << c.text;
    if (normalised) EXPECT_EQ(ProposeLinkName(*normalised), c.proposal) << c.text;
  }
}

TEST(SendToLogic, NamesAndPaths) {
  for (const char* good : {"Data", "My Data ", " x", "a.b.c", "Ünïcödé-ish \xE9", "a b (2) [x] {y} 100%"}) {
    EXPECT_TRUE(IsUsableLinkName(good)) << good;
  }
  for (const char* bad : {"a\\b", "a/b", "C:x", "*", "a?", "\"q\"", "<", ">", "a|b", "tab\there", "\x1f", "line\r\n"}) {
    EXPECT_FALSE(IsUsableLinkName(bad)) << bad;
  }
  EXPECT_EQ(ShortcutPath("C:\\SendTo\\", "My Data "), "C:\\SendTo\\My Data .lnk");
  EXPECT_EQ(SendToFolderFromLookup("  C:\\Users\\u\\SendTo  "), "C:\\Users\\u\\SendTo\\");
  EXPECT_EQ(SendToFolderFromLookup("C:\\SendTo\\"), "C:\\SendTo\\");
  EXPECT_EQ(SendToFolderFromLookup("   "), "");
}

TEST(SendToCommand, NamePromptKeepsTheNameAsTyped) {
  const std::string sendTo = "C:\\SendTo\\";
  std::string LinkName = "Proposal";
  bool NameAccepted = true;
  const SendToShared shared{sendTo, LinkName, NameAccepted};
  EXPECT_EQ(Namefrm_Open(shared), "Proposal");
  EXPECT_FALSE(NameAccepted);

  std::vector<std::string> boxes;
  auto show = [&](const std::string& text, const std::string& caption, unsigned style) {
    boxes.push_back(caption + "/" + std::to_string(style) + ": " + text);
    return kAnswerOk;
  };
  EXPECT_FALSE(Namefrm_Ok("   ", shared, show));
  EXPECT_FALSE(NameAccepted);
  EXPECT_EQ(LinkName, "Proposal");
  EXPECT_EQ(boxes, (std::vector<std::string>{"OKU/0: Need a name."}));

  EXPECT_TRUE(Namefrm_Ok("  Spaced  ", shared, show));
  EXPECT_TRUE(NameAccepted);
  EXPECT_EQ(LinkName, "  Spaced  ");
  EXPECT_EQ(boxes.size(), 1u);
}
