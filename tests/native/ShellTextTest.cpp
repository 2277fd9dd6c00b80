// Texts of the shell routines: failure texts, and the Send To path read back from the shell's buffer.
#include <gtest/gtest.h>

#include <string>

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
