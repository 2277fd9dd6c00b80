// The Send To command's text rules: normalising the folder text, the proposed name, usable names.
#include <gtest/gtest.h>

#include "shell/SendToLogic.h"

TEST(SendToLogic, FolderTextRules) {
  const std::tuple<const char*, std::optional<std::string>, std::optional<std::string>> cases[] = {
      {"D:", "D:\\", "D"},
      {"Data\\", "Data", std::nullopt},    // nothing to propose a name from
      {"\\", std::nullopt, std::nullopt},  // nothing left after normalising
      {"", std::nullopt, std::nullopt},
  };
  for (const auto& [text, normalised, proposal] : cases) {
    EXPECT_EQ(NormaliseFolderText(text), normalised) << text;
    if (normalised) EXPECT_EQ(ProposeLinkName(*normalised), proposal) << text;
  }
  EXPECT_EQ(SendToFolderFromLookup("   "), "");  // no Send To folder: the frame stays disabled
}

// Device names too: Windows finds them in every folder and swallows a "shortcut" written to one.
TEST(SendToLogic, NamesAFileNameCannotHoldAreRefused) {
  for (const char* good : {"My Data ", "a.b (2) [x] 100%", "CONSOLE", "x.con", "COM10", "AUXI.txt"})
    EXPECT_TRUE(IsUsableLinkName(good)) << good;
  for (const char* bad : {"..\\x", "a/b", "*", "a?", "\"q\"", "<", ">", "a|b", "tab\there", "CON", "nul", "Aux.txt",
                          "PRN . ", "com1", "cOm9.", "LPT1.x.y", "lpt9  "})
    EXPECT_FALSE(IsUsableLinkName(bad)) << bad;
}
