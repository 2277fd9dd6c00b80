// The listing engine and the listing command on real folders: compared with the shell's own
// "dir /x", the listing file's own line, large sparse files, chunked writes, write failures, and
// every message of the command.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>
#include <vector>

#include "platform/Failure.h"
#include "platform/Handles.h"
#include "platform/MessageBox.h"
#include "shell/DirListing.h"
#include "shell/FileInfoText.h"
#include "wine/DirListingTestFiles.h"

namespace {

using testfiles::ReadAll;
using testfiles::TempFolder;

struct Line {
  std::string shortName;
  bool isDirectory = false;
  uint64_t size = 0;
  std::string date;  // "mm-dd-yy hh:nna/p"
};

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

uint64_t Digits(const std::string& text) {
  uint64_t value = 0;
  for (const char c : text) {
    if (c >= '0' && c <= '9') value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  return value;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  EXPECT_EQ(start, text.size()) << "text after the last CR LF";
  return lines;
}

// The entry lines of a listing file by upper-cased name (no wrapped lines: Wine's short names
// stay within 12 characters and the sizes here within 13 columns).
std::map<std::string, Line> ParseListing(const std::string& text) {
  std::map<std::string, Line> entries;
  const std::vector<std::string> lines = SplitLines(text);
  for (size_t i = 2; i < lines.size() && !lines[i].empty(); ++i) {
    const std::string& l = lines[i];
    Line entry;
    entry.isDirectory = l.substr(15, 5) == "<DIR>";
    entry.shortName = Trim(l.substr(0, entry.isDirectory ? 15 : 13));
    if (!entry.isDirectory) entry.size = Digits(l.substr(13, 13));
    entry.date = l.substr(28, 15);
    EXPECT_EQ(l[43], ' ') << l;
    entries[l.substr(44)] = entry;
  }
  return entries;
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// The entry lines of "dir /x" output by upper-cased long name. A blank short-name column means
// the long name is its own short name.
std::map<std::string, Line> ParseDirX(const std::string& text) {
  std::map<std::string, Line> entries;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) {
    if (!l.empty() && l.back() == '\r') l.pop_back();
    size_t marker = l.find(" AM ");
    if (marker == std::string::npos || marker > 25) marker = l.find(" PM ");
    if (marker == std::string::npos || marker > 25) continue;
    int month, day, year, hour, minute;
    if (std::sscanf(l.c_str(), " %d/%d/%d %d:%d", &month, &day, &year, &hour, &minute) != 5) continue;
    const size_t field = marker + 3;
    const size_t tokenStart = l.find_first_not_of(' ', field);
    const size_t tokenEnd = l.find(' ', tokenStart);
    Line entry;
    entry.isDirectory = l.compare(tokenStart, 5, "<DIR>") == 0;
    const size_t shortAt = entry.isDirectory ? field + 16 : tokenEnd + 2;
    if (!entry.isDirectory) entry.size = Digits(l.substr(tokenStart, tokenEnd - tokenStart));
    const std::string name = l.substr(shortAt + 13);
    entry.shortName = Trim(l.substr(shortAt, 12));
    if (entry.shortName.empty()) entry.shortName = name;
    const bool pm = l[marker + 1] == 'P';
    entry.date = FormatFileDate(year, month, day, hour % 12 + (pm ? 12 : 0), minute);
    if (name != "." && name != "..") entries[Upper(name)] = entry;
  }
  return entries;
}

// Runs a command line through cmd with a time-out; false when it did not end in time.
bool RunCmd(const std::string& commandLine, DWORD timeoutMs) {
  std::string line = "cmd.exe /c " + commandLine;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  win::UniqueHandle processHandle(process.hProcess), threadHandle(process.hThread);
  if (WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 5000);
    return false;
  }
  return true;
}

// A file of the given length without writing its bytes: sparse on the Linux side.
void MakeLargeFile(const std::string& path, uint64_t length) {
  win::UniqueHandle file = win::OwnFileHandle(
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file);
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(length);
  ASSERT_TRUE(SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN));
  ASSERT_TRUE(SetEndOfFile(file.get()));
}

DirListingOptions Options() {
  DirListingOptions options;
  options.thousandsSeparator = UserThousandsSeparator();
  return options;
}

std::string HeaderOf(const std::string& directory) { return "Directory of " + directory + "\r\n\r\n"; }

}  // namespace

TEST(DirListing, MatchesTheShellsDirForNamesShortNamesAndSizes) {
  TempFolder d;
  d.File("A long file name.txt", "hello");
  d.File("short.txt", "x");
  d.File("Mixed Case.Text", "yy");
  d.File("empty");
  d.File("UPPER.TXT", "u");
  d.File("ab+cd.txt", "+");
  d.File("a.b.c", ".");
  d.File("read only.txt", "r", FILE_ATTRIBUTE_READONLY);
  d.File("hidden file.txt", "h", FILE_ATTRIBUTE_HIDDEN);
  d.File("system file.txt", "s", FILE_ATTRIBUTE_SYSTEM);
  d.Folder("Sub Folder Long");
  d.Folder("sub");
  d.Folder("hidden folder", FILE_ATTRIBUTE_HIDDEN);
  const uint64_t fiveGb = 5ULL << 30, threeGb = 3ULL << 30;
  ULARGE_INTEGER freeBefore, freeAfter;
  ASSERT_TRUE(GetDiskFreeSpaceExA(d.Path().c_str(), &freeBefore, nullptr, nullptr));
  MakeLargeFile(d.Path() + "five gigabytes.bin", fiveGb);
  MakeLargeFile(d.Path() + "three.bin", threeGb);
  ASSERT_TRUE(GetDiskFreeSpaceExA(d.Path().c_str(), &freeAfter, nullptr, nullptr));
  ASSERT_LT(freeBefore.QuadPart - std::min(freeBefore.QuadPart, freeAfter.QuadPart), 1ULL << 30)
      << "the large test files must stay sparse";

  TempFolder out;
  const std::string dirOut = out.Path() + "dir.txt";
  const std::string listed = d.Path().substr(0, d.Path().size() - 1);
  ASSERT_TRUE(RunCmd("dir /x /a-h-s \"" + listed + "\" > \"" + dirOut + "\"", 60000)) << "dir did not end";
  const std::map<std::string, Line> shell = ParseDirX(ReadAll(dirOut));
  ASSERT_EQ(shell.size(), 12u) << ReadAll(dirOut);

  const DirListingTotals totals = WriteDirListing(d.Path(), Options());
  const std::string text = ReadAll(d.Path() + kListingFileName);
  ASSERT_EQ(text.substr(0, HeaderOf(d.Path()).size()), HeaderOf(d.Path()));
  std::map<std::string, Line> ours = ParseListing(text);
  ASSERT_EQ(ours.count("DIR_CONTENTS.TXT"), 1u) << text;
  const uint64_t ownSize = ours["DIR_CONTENTS.TXT"].size;
  ours.erase("DIR_CONTENTS.TXT");

  EXPECT_EQ(ours.size(), shell.size()) << text;
  for (const auto& [name, expected] : shell) {
    const auto it = ours.find(name);
    if (it == ours.end()) {
      ADD_FAILURE() << name << " missing from\n" << text;
      continue;
    }
    EXPECT_EQ(it->second.shortName, expected.shortName) << name;
    // The short name taken from the search data is the short path's last component.
    char shortPath[MAX_PATH];
    const DWORD length = GetShortPathNameA((d.Path() + name).c_str(), shortPath, MAX_PATH);
    const std::string text(shortPath, length);
    EXPECT_EQ(it->second.shortName, text.substr(text.rfind('\\') + 1)) << name;
    EXPECT_EQ(it->second.isDirectory, expected.isDirectory) << name;
    EXPECT_EQ(it->second.size, expected.size) << name;
    EXPECT_EQ(it->second.date, expected.date) << name;
  }
  EXPECT_EQ(ours["FIVE GIGABYTES.BIN"].size, fiveGb);

  EXPECT_EQ(totals.files, 11u);
  EXPECT_EQ(totals.dirs, 2u);
  const uint64_t bytes = 5 + 1 + 2 + 0 + 1 + 1 + 1 + 1 + fiveGb + threeGb + ownSize;
  EXPECT_EQ(totals.bytes, bytes);
  const std::string separator = UserThousandsSeparator();
  const std::string tail = "\r\n11 file(s) " + GroupThousands(bytes, separator) + " bytes\r\n2 dir(s) \r\n";
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

TEST(DirListing, EmptyDirectoryListsOnlyItsOwnFile) {
  TempFolder d;
  const std::string header = HeaderOf(d.Path());
  const DirListingTotals totals = WriteDirListing(d.Path(), Options());
  const std::vector<std::string> lines = SplitLines(ReadAll(d.Path() + kListingFileName));
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "Directory of " + d.Path());
  EXPECT_EQ(lines[1], "");
  // The header is on disk before the search starts, so that is the size the own line shows.
  const std::string size = FormatSizeText(header.size(), UserThousandsSeparator());
  EXPECT_EQ(lines[2].substr(13, 31), size + "  " + lines[2].substr(28, 15) + " ");
  EXPECT_EQ(lines[2].substr(44), "DIR_CONTENTS.TXT");
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(lines[4], "1 file(s) " + std::to_string(header.size()) + " bytes");
  EXPECT_EQ(lines[5], "0 dir(s) ");
  EXPECT_EQ(totals.files, 1u);
  EXPECT_EQ(totals.dirs, 0u);
  EXPECT_EQ(totals.bytes, header.size());
}

namespace {

// A WriteFile that records each call and fails from a chosen call on (disk full).
struct WriteSpy {
  static inline int calls = 0;
  static inline int failFrom = 0;  // 0: never fail
  static inline size_t largest = 0;
  static BOOL WINAPI Write(HANDLE file, LPCVOID data, DWORD length, LPDWORD written, LPOVERLAPPED overlapped) {
    ++calls;
    largest = std::max<size_t>(largest, length);
    if (failFrom && calls >= failFrom) {
      SetLastError(ERROR_DISK_FULL);
      return FALSE;
    }
    return WriteFile(file, data, length, written, overlapped);
  }
  static void Reset(int failAt) {
    calls = 0;
    failFrom = failAt;
    largest = 0;
  }
};

}  // namespace

TEST(DirListing, WritesInBoundedChunksAndLetsTheWindowBreathe) {
  TempFolder d;
  for (int i = 0; i < 1000; ++i) d.File("entry " + std::to_string(i) + " with a longer name.dat");
  DirListingOptions options = Options();
  options.flushBytes = 4096;
  options.api.writeFile = WriteSpy::Write;
  int progressCalls = 0;
  options.progress = [&] { ++progressCalls; };
  WriteSpy::Reset(0);
  WriteDirListing(d.Path(), options);
  const std::string text = ReadAll(d.Path() + kListingFileName);
  EXPECT_LE(WriteSpy::calls, static_cast<int>(text.size() / 4096) + 3) << "one write per chunk, not per line";
  EXPECT_LT(WriteSpy::largest, 4096u + 200) << "the buffer never holds much more than a chunk";
  EXPECT_EQ(progressCalls, 1001 / 64);

  // The own line shows what was on disk when the search met it: whole chunks, ending at a line end.
  const size_t lineStart = text.rfind("\r\n", text.find("DIR_CONTENTS.TXT\r\n")) + 2;
  const uint64_t ownSize = Digits(text.substr(lineStart + 13, 13));
  EXPECT_GE(ownSize, HeaderOf(d.Path()).size());
  EXPECT_LE(ownSize, lineStart) << "only what was written before the line can be on disk";
  EXPECT_EQ(text.substr(ownSize - 2, 2), "\r\n");
}

TEST(DirListing, WriteFailureThrowsAndLeavesWhatWasWritten) {
  TempFolder d;
  for (int i = 0; i < 50; ++i) d.File("f" + std::to_string(i));
  DirListingOptions options = Options();
  options.flushBytes = 256;
  options.api.writeFile = WriteSpy::Write;
  WriteSpy::Reset(3);
  try {
    WriteDirListing(d.Path(), options);
    ADD_FAILURE() << "no failure";
  } catch (const Failure& f) {
    EXPECT_EQ(f.number, ERROR_DISK_FULL);
    EXPECT_EQ(f.description, win::ErrorDescription(ERROR_DISK_FULL));
  }
  const std::string text = ReadAll(d.Path() + kListingFileName);
  EXPECT_EQ(text.substr(0, HeaderOf(d.Path()).size()), HeaderOf(d.Path()));
  EXPECT_GT(text.size(), HeaderOf(d.Path()).size()) << "the second chunk stays on disk";
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  EXPECT_EQ(text.find(" file(s) "), std::string::npos) << "no totals after the failure";
}

namespace {

// Records message boxes (answering from a queue) and the window's calls, in order.
struct CommandHarness {
  std::vector<std::string> log;
  std::vector<int> answers;

  CommandHarness() {
    SetMessageBoxHook([this](const std::string& text, const std::string& caption, unsigned style) {
      log.push_back(caption + "/" + std::to_string(style) + ": " + text);
      if (answers.empty()) return kAnswerOk;
      const int answer = answers.front();
      answers.erase(answers.begin());
      return answer;
    });
  }
  ~CommandHarness() { SetMessageBoxHook(nullptr); }

  std::vector<std::string> Run(const std::string& text) {
    cmdListGo_Run(text, {[] {}, [this] { log.push_back("restore"); }, [this] { log.push_back("focus"); },
                         [this](const std::string& path) { log.push_back("open " + path); }});
    return log;
  }
};

using Log = std::vector<std::string>;

}  // namespace

TEST(DirListingCommand, MissingDirectoriesAreRefused) {
  TempFolder d;
  d.Folder("hidden", FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(CommandHarness().Run("   "), (Log{"Aborted/16: Need a directory!", "restore", "focus"}));
  for (const std::string& text : {d.Path() + "nothing", d.Path() + "hidden"}) {
    EXPECT_EQ(CommandHarness().Run(text), (Log{"Aborted/16: Invalid directory", "restore", "focus"})) << text;
  }
}

TEST(DirListingCommand, OverwriteQuestionAndSuccessQuestion) {
  TempFolder d;
  const std::string listing = d.Path() + kListingFileName;
  const std::string old = d.File(kListingFileName, "old listing\r\n");
  const std::string typed = "  " + d.Path().substr(0, d.Path().size() - 1) + " ";
  const std::string question =
      "File Exists/308: " + listing + " already exists.\r\nDo you wish to overwrite?";
  const std::string success =
      "Success/36: The text file has been written to " + listing + "\r\nDo you wish to view it?";

  CommandHarness no;
  no.answers = {kAnswerNo};
  EXPECT_EQ(no.Run(typed), (Log{question, "restore", "focus"}));
  EXPECT_EQ(ReadAll(listing), "old listing\r\n");

  CommandHarness yes;
  yes.answers = {kAnswerYes, kAnswerYes};
  EXPECT_EQ(yes.Run(typed), (Log{question, "restore", success, "open " + listing, "restore", "focus"}));
  EXPECT_EQ(ReadAll(listing).substr(0, HeaderOf(d.Path()).size()), HeaderOf(d.Path()));

  CommandHarness notViewed;
  notViewed.answers = {kAnswerYes, kAnswerNo};
  EXPECT_EQ(notViewed.Run(d.Path()), (Log{question, "restore", success, "restore", "focus"}));
}

TEST(DirListingCommand, WriteFailureIsReportedAfterTheWindowIsBack) {
  TempFolder d;
  d.Folder(kListingFileName);  // a folder in its place fails the create, even for root
  const Log log = CommandHarness().Run(d.Path());
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0], "restore");
  EXPECT_EQ(log[1], "focus");
  EXPECT_EQ(log[2], "Aborted/16: 5\r\n" + win::ErrorDescription(ERROR_ACCESS_DENIED));
}
