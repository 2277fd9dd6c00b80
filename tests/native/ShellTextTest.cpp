// Texts of the shell routines: verbs, failure texts, and what is read back from shell buffers.
#include <gtest/gtest.h>

#include <string>

#include "shell/ShellText.h"

using namespace std::string_literals;

TEST(ShellText, OnlyTheTwoVerbsAsWrittenArePassedOn) {
  struct Case {
    const char* verb;
    const char* expected;
  };
  const Case cases[] = {
      {"Open", "Open"}, {"Explore", "Explore"}, {"open", nullptr},  {"OPEN", nullptr},   {"explore", nullptr},
      {"", nullptr},    {"print", nullptr},     {"Open ", nullptr}, {" Open", nullptr},  {"Edit", nullptr},
  };
  for (const Case& c : cases) {
    const char* got = ShellVerb(c.verb);
    if (c.expected == nullptr) {
      EXPECT_EQ(got, nullptr) << c.verb;
    } else {
      ASSERT_NE(got, nullptr) << c.verb;
      EXPECT_STREQ(got, c.expected);
    }
  }
}

TEST(ShellText, FailureBoxTextFollowsTheShellCode) {
  struct Case {
    long code;
    const char* second;
  };
  const Case cases[] = {
      {0, "Error: Out of Memory/Resources. Couldn't Execute!"},
      {2, "Error: File not found.  Couldn't Execute!"},
      {3, "Error: Path not found. Couldn't Execute!"},
      {11, "Error:  Bad File Format. Couldn't Execute!"},
      {5, ""},
      {31, ""},
      {32, ""},
      {-1, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShellExecuteErrorText(c.code), c.second) << c.code;
    EXPECT_EQ(ShellExecuteFailureMessage("C:\\a b\\x.doc", c.code), "C:\\a b\\x.doc\r\n"s + c.second) << c.code;
  }
}

TEST(ShellText, OpenWithCommandKeepsItsTrailingBlankBeforeTheFile) {
  EXPECT_EQ(OpenWithCommandLine("C:\\My Files\\a.xyz"), "rundll32.exe shell32.dll,OpenAs_RunDLL C:\\My Files\\a.xyz");
  EXPECT_EQ(OpenWithCommandLine(""), "rundll32.exe shell32.dll,OpenAs_RunDLL ");
}

TEST(ShellText, SendToPathFromTheLookupBuffer) {
  struct Case {
    bool ok;
    std::string buffer;
    std::string expected;
  };
  const Case cases[] = {
      {true, "C:\\Users\\u\\SendTo\0     "s, "C:\\Users\\u\\SendTo\\"},
      {true, "  C:\\S T  \0  "s, "C:\\S T\\"},
      {true, "D:\\\0"s, "D:\\"},                        // a root keeps its one backslash
      {false, "C:\\Users\\u\\SendTo\0   "s, ""},       // failed call
      {true, "\0"s + std::string(259, ' '), ""},        // zero length
      {true, std::string(260, ' '), ""},                // nothing written: no NUL at all
      {true, std::string(260, 'x'), ""},                // more than fits: no NUL
      {true, "     \0   "s, ""},                        // only blanks
  };
  for (const Case& c : cases) EXPECT_EQ(SendToPathFromBuffer(c.ok, c.buffer), c.expected) << c.buffer.substr(0, 30);
}

TEST(ShellText, FolderPathFromTheLookupBuffer) {
  EXPECT_EQ(FolderPathFromBuffer("C:\\Users\\u\\SendTo\0    "s), "C:\\Users\\u\\SendTo");
  EXPECT_EQ(FolderPathFromBuffer(" C:\\x \0"s), "C:\\x");
  EXPECT_EQ(FolderPathFromBuffer("\0   "s), std::nullopt);
  EXPECT_EQ(FolderPathFromBuffer("   \0"s), std::nullopt);
  EXPECT_EQ(FolderPathFromBuffer(std::string(260, 'x')), std::nullopt);
  ASSERT_TRUE(TextBeforeNul("ab\0cd\0"s).has_value());
  EXPECT_EQ(*TextBeforeNul("ab\0cd\0"s), "ab");
  EXPECT_EQ(TrimBlanks("  a b  "), "a b");
  EXPECT_EQ(TrimBlanks("    "), "");
  EXPECT_EQ(TrimBlanks("\ta "), "\ta");  // only blanks, not other white space
}

TEST(ShellText, FileNameIsTheTextAfterTheLastBackslash) {
  struct Case {
    const char* path;
    const char* expected;
  };
  const Case cases[] = {
      {"C:\\dir\\file.txt", "file.txt"}, {"C:\\dir\\", ""},  {"file.txt", ""},      {"", ""},
      {"\\", ""},                        {"\\a", "a"},       {"C:\\a\\b\\c", "c"}, {"C:/x/y.txt", ""},
      {"\\\\server\\share\\f", "f"},
  };
  for (const Case& c : cases) EXPECT_EQ(GetFileName(c.path), c.expected) << c.path;
}
