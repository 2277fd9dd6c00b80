// Texts of the shell routines: verbs, failure texts, and what is read back from shell buffers.
#include <gtest/gtest.h>

#include <string>

#include "shell/ShellText.h"

using namespace std::string_literals;

TEST(ShellText, OnlyTheTwoVerbsAsWrittenArePassedOn) {
  EXPECT_STREQ(ShellVerb("Open"), "Open");
  EXPECT_STREQ(ShellVerb("Explore"), "Explore");
  for (const char* other : {"open", "OPEN", "explore", "", "print", "Open ", " Open", "Edit"})
    EXPECT_EQ(ShellVerb(other), nullptr) << other;
}

TEST(ShellText, FailureBoxTextFollowsTheShellCode) {
  const std::pair<long, const char*> cases[] = {
      {0, "Error: Out of Memory/Resources. Couldn't Execute!"},
      {2, "Error: File not found.  Couldn't Execute!"},
      {3, "Error: Path not found. Couldn't Execute!"},
      {11, "Error:  Bad File Format. Couldn't Execute!"},
      {5, ""},
      {31, ""},
      {32, ""},
      {-1, ""},
  };
  for (const auto& [code, text] : cases)
    EXPECT_EQ(ShellExecuteFailureMessage("C:\\a b\\x.doc", code), "C:\\a b\\x.doc\r\n"s + text) << code;
  EXPECT_EQ(OpenWithCommandLine("C:\\My Files\\a.xyz"), "rundll32.exe shell32.dll,OpenAs_RunDLL C:\\My Files\\a.xyz");
}

TEST(ShellText, FolderPathsFromLookupBuffers) {
  const std::tuple<bool, std::string, std::string> sendTo[] = {
      {true, "C:\\Users\\u\\SendTo\0     "s, "C:\\Users\\u\\SendTo\\"},
      {true, "  C:\\S T  \0  "s, "C:\\S T\\"},
      {true, "D:\\\0"s, "D:\\"},                  // a root keeps its one backslash
      {false, "C:\\Users\\u\\SendTo\0   "s, ""},  // failed call
      {true, "\0"s + std::string(259, ' '), ""},  // zero length
      {true, std::string(260, ' '), ""},          // nothing written: no NUL at all
      {true, std::string(260, 'x'), ""},          // more than fits: no NUL
      {true, "     \0   "s, ""},                  // only blanks
  };
  for (const auto& [ok, buffer, expected] : sendTo) EXPECT_EQ(SendToPathFromBuffer(ok, buffer), expected) << buffer;

  EXPECT_EQ(FolderPathFromBuffer(" C:\\Users\\u\\SendTo \0    "s), "C:\\Users\\u\\SendTo");
  EXPECT_EQ(FolderPathFromBuffer("   \0"s), std::nullopt);
  EXPECT_EQ(FolderPathFromBuffer(std::string(260, 'x')), std::nullopt);
  EXPECT_EQ(TrimBlanks("\ta "), "\ta");  // only blanks, not other white space
}

TEST(ShellText, FileNameIsTheTextAfterTheLastBackslash) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\dir\\file.txt", "file.txt"},
      {"C:\\dir\\", ""},
      {"file.txt", ""},
      {"", ""},
      {"\\a", "a"},
      {"C:\\a\\b\\c", "c"},
      {"C:/x/y.txt", ""},
      {"\\\\server\\share\\f", "f"},
  };
  for (const auto& [path, name] : cases) EXPECT_EQ(GetFileName(path), name) << path;
}
