// The listing on real folders: compared with the shell's own "dir /x", the empty folder, and the
// command's refusals.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>

#include "ShellTestSupport.h"
#include "net/cmdpipe.h"
#include "platform/Handles.h"
#include "shell/DirListing.h"
#include "shell/FileInfoText.h"

namespace {

// An entry as "size|short name|date", the size 0 for a folder.
using Entries = std::map<std::string, std::string>;

std::string TrimRight(std::string text) { return text.erase(text.find_last_not_of(' ') + 1); }

uint64_t Digits(const std::string& text) {
  uint64_t value = 0;
  for (const char c : text) value = std::isdigit(static_cast<unsigned char>(c)) ? value * 10 + (c - '0') : value;
  return value;
}

// Entry lines by name (Wine's short names stay within 12 characters, the sizes here within 13 columns).
Entries ParseListing(const std::string& text) {
  Entries entries;
  std::istringstream in(text.substr(text.find("\r\n\r\n") + 4));
  for (std::string l; std::getline(in, l) && l.size() > 44;) {
    const bool dir = l.substr(15, 5) == "<DIR>";
    entries[l.substr(44, l.size() - 45)] = std::to_string(dir ? 0 : Digits(l.substr(13, 13))) + "|" +
                                           TrimRight(l.substr(0, dir ? 15 : 13)) + "|" + l.substr(28, 15);
  }
  return entries;
}

// Entry lines of "dir /x" by upper-cased name; a blank short-name column means the name is its own.
Entries ParseDirX(const std::string& text) {
  Entries entries;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) {
    int month, day, year, hour, minute;
    char half;
    if (std::sscanf(l.c_str(), "%d/%d/%d %d:%d %cM", &month, &day, &year, &hour, &minute, &half) != 6) continue;
    const size_t field = l.find('M') + 1, sizeAt = l.find_first_not_of(' ', field), sizeEnd = l.find(' ', sizeAt);
    const bool dir = l.compare(sizeAt, 5, "<DIR>") == 0;
    const size_t shortAt = dir ? field + 16 : sizeEnd + 2;
    std::string name = l.substr(shortAt + 13, l.find_last_not_of('\r') - shortAt - 12);
    const std::string shortName = TrimRight(l.substr(shortAt, 12));
    const std::string entry = std::to_string(dir ? 0 : Digits(l.substr(sizeAt, sizeEnd - sizeAt))) + "|" +
                              (shortName.empty() ? name : shortName) + "|" +
                              FormatFileDate(year, month, day, hour % 12 + (half == 'P' ? 12 : 0), minute);
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (name != "." && name != "..") entries[name] = entry;
  }
  return entries;
}

}  // namespace

TEST(DirListing, MatchesTheShellsDirForNamesShortNamesSizesAndDates) {
  shelltest::ScratchFolder d;
  DirListingOptions options;
  options.thousandsSeparator = UserThousandsSeparator();
  const uint64_t fiveGb = 5ULL << 30;  // sparse: only its length is set
  uint64_t bytes = fiveGb;
  for (const std::string name : {"A long file name.txt", "short.txt", "Mixed Case.Text", "ab+cd.txt", "a.b.c"})
    bytes += d.File(name, name).size() - d.Path().size();
  SetFileAttributesA(d.File("hidden file.txt", "h").c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesA(d.File("system file.txt", "s").c_str(), FILE_ATTRIBUTE_SYSTEM);
  SetFileAttributesA(d.Folder("hidden folder").c_str(), FILE_ATTRIBUTE_HIDDEN);
  d.Folder("Sub Folder Long");
  win::UniqueHandle large = win::OwnFileHandle(
      CreateFileA((d.Path() + "five gigabytes.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(SetFilePointerEx(large.get(), LARGE_INTEGER{.QuadPart = fiveGb}, nullptr, FILE_BEGIN));
  ASSERT_TRUE(SetEndOfFile(large.get()));
  large.reset();

  const std::string dir = RunCaptured("cmd.exe /c dir /x /a-h-s \"" + d.Path() + ".\"");
  const Entries shell = ParseDirX(dir);
  ASSERT_EQ(shell.size(), 7u) << dir;

  WriteDirListing(d.Path(), options);
  const std::string text = shelltest::ReadWholeFile(d.Path() + kListingFileName);
  Entries ours = ParseListing(text);
  bytes += std::stoull(ours["DIR_CONTENTS.TXT"]);
  ours.erase("DIR_CONTENTS.TXT");
  EXPECT_EQ(ours, shell) << text;
  EXPECT_EQ(std::stoull(ours["FIVE GIGABYTES.BIN"]), fiveGb);
  const std::string tail =
      "\r\n7 file(s) " + GroupThousands(bytes, UserThousandsSeparator()) + " bytes\r\n1 dir(s) \r\n";
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

TEST(DirListing, EmptyDirectoryListsOnlyItsOwnFile) {
  shelltest::ScratchFolder d;
  DirListingOptions options;
  options.thousandsSeparator = UserThousandsSeparator();
  const std::string header = "Directory of " + d.Path() + "\r\n\r\n";
  WriteDirListing(d.Path(), options);
  std::string text = shelltest::ReadWholeFile(d.Path() + kListingFileName);
  // All but the short name and the date, which the file system gives. The header is on disk
  // before the search starts: the size the own line shows.
  text.replace(header.size(), 13, 13, '#').replace(header.size() + 28, 15, 15, '#');
  EXPECT_EQ(text, header + std::string(13, '#') + FormatSizeText(header.size(), UserThousandsSeparator()) + "  " +
                      std::string(15, '#') + " DIR_CONTENTS.TXT\r\n\r\n1 file(s) " + std::to_string(header.size()) +
                      " bytes\r\n0 dir(s) \r\n");
}

TEST(DirListingCommand, MissingDirectoriesAreRefused) {
  shelltest::ScratchFolder d;
  for (const std::string& typed : {std::string("   "), d.Path() + "nothing"}) {
    shelltest::MessageRecorder m;
    cmdListGo_Run(typed, {[] {}, [&] { m.shown.push_back("restore"); }, [&] { m.shown.push_back("focus"); }, {}});
    const std::string box = typed == "   " ? "Aborted/16: Need a directory!" : "Aborted/16: Invalid directory";
    EXPECT_EQ(m.shown, (std::vector<std::string>{box, "restore", "focus"})) << typed;
  }
}
