// Texts of the shell routines: failure texts, the Send To path read back from the shell's buffer,
// and the Send To command's rules for the folder text, the proposed name and usable names.
#include <gtest/gtest.h>

#include "shell/SendToLogic.h"
#include "shell/ShellText.h"

using namespace std::string_literals;

TEST(ShellText, FailureBoxTextFollowsTheShellCode) {
  const std::pair<long, const char*> cases[] = {
      {0, "Error: Out of Memory/Resources. Couldn't Execute!"},
      {3, "Error: Path not found. Couldn't Execute!"},
      {11, "Error:  Bad File Format. Couldn't Execute!"},
      {31, ""},
  };
  for (const auto& [code, text] : cases)
    EXPECT_EQ(ShellExecuteFailureMessage("C:\\a b\\x.doc", code), "C:\\a b\\x.doc\r\n"s + text) << code;
}

// A failed or empty lookup must give no folder at all, never a lone "\".
TEST(ShellText, SendToPathFromTheLookupBuffer) {
  const std::tuple<bool, std::string, std::string> cases[] = {
      {true, "  C:\\S T  \0  "s, "C:\\S T\\"},   {true, "D:\\\0"s, "D:\\"},
      {false, "C:\\Users\\u\\SendTo\0   "s, ""}, {true, "\0"s + std::string(259, ' '), ""},
      {true, std::string(260, 'x'), ""},  // no NUL: nothing written, or more than fits
  };
  for (const auto& [ok, buffer, expected] : cases) EXPECT_EQ(SendToPathFromBuffer(ok, buffer), expected) << buffer;
}

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
