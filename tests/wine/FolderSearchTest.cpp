// The directory search by attribute bits on real folders: selective bits, trailing backslashes,
// drive roots, and the attribute read.
#include <gtest/gtest.h>

#include <set>

#include "platform/Failure.h"
#include "shell/FolderSearch.h"
#include "wine/DirListingTestFiles.h"

namespace {

constexpr DWORD kHidden = FILE_ATTRIBUTE_HIDDEN;
constexpr DWORD kSystem = FILE_ATTRIBUTE_SYSTEM;
constexpr DWORD kDir = FILE_ATTRIBUTE_DIRECTORY;

struct Entries : testfiles::TempFolder {
  Entries() {
    File("plain.txt", "p");
    File("readonly.txt", "r", FILE_ATTRIBUTE_READONLY);
    File("archive.txt", "a", FILE_ATTRIBUTE_ARCHIVE);
    File("hidden.txt", "h", kHidden);
    File("system.txt", "s", kSystem);
    Folder("folder");
    Folder("hiddenfolder", kHidden);
  }
};

std::set<std::string> Names(const std::string& pattern, DWORD requested) {
  std::set<std::string> names;
  FolderSearch search(pattern, requested);
  WIN32_FIND_DATAA entry;
  while (search.Next(entry)) names.insert(entry.cFileName);
  EXPECT_EQ(search.Error(), 0u) << pattern;
  return names;
}

// A drive letter that the prefix does not map.
std::string UnmappedDrive() {
  const DWORD drives = GetLogicalDrives();
  for (char letter = 'Q'; letter <= 'Y'; ++letter) {
    if (!(drives & (1u << (letter - 'A')))) return std::string(1, letter) + ":\\";
  }
  return "";
}

}  // namespace

TEST(FolderSearch, SelectiveBitsMatchOnlyWhenRequested) {
  Entries d;
  using Set = std::set<std::string>;
  const Set files = {"plain.txt", "readonly.txt", "archive.txt"};
  struct Case {
    DWORD requested;
    Set extra;
  };
  const Case cases[] = {
      {0, {}},
      {kHidden, {"hidden.txt"}},
      {kSystem, {"system.txt"}},
      {kDir, {".", "..", "folder"}},
      {kDir | kHidden, {".", "..", "folder", "hiddenfolder", "hidden.txt"}},
      {kDir | kHidden | kSystem | FILE_ATTRIBUTE_READONLY,
       {".", "..", "folder", "hiddenfolder", "hidden.txt", "system.txt"}},
  };
  for (const Case& c : cases) {
    Set expected = files;
    expected.insert(c.extra.begin(), c.extra.end());
    EXPECT_EQ(Names(d.Path() + "*", c.requested), expected) << "requested " << c.requested;
  }
  EXPECT_EQ(Names(d.Path() + "*den*", kHidden), (Set{"hidden.txt"}));
  EXPECT_EQ(Names(d.Path() + "?lain.txt", 0), (Set{"plain.txt"}));
}

TEST(FolderSearch, PathsWithTrailingBackslashesAndRoots) {
  Entries d;
  const std::string drive = UnmappedDrive();
  ASSERT_FALSE(drive.empty());
  struct Case {
    std::string path;
    DWORD requested;
    bool found;
  };
  const Case cases[] = {
      {d.Path() + "folder", kDir, true},
      {d.Path() + "folder\\", kDir, true},
      {d.Path() + "folder\\\\\\", kDir, true},
      {d.Path() + "folder\\", 0, false},
      {d.Path(), kDir, true},
      {d.Path() + "hiddenfolder\\", kDir, false},
      {d.Path() + "hiddenfolder\\", kDir | kHidden, true},
      {d.Path() + "plain.txt", 0, true},
      {d.Path() + "hidden.txt", 0, false},
      {d.Path() + "hidden.txt", kHidden, true},
      {d.Path() + "nothing.txt", 0, false},
      {d.Path() + "nothing\\plain.txt", 0, false},
      {d.Path() + "*.txt", 0, true},
      {"C:\\", kDir, true},
      {"C:\\\\", kDir, true},
      {"C:", kDir, true},
      {"\\", kDir, true},
      {"C:\\", 0, false},
      {drive, kDir, false},
      {"", kDir, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SearchFinds(c.path, c.requested), c.found) << "'" << c.path << "' requested " << c.requested;
  }
}

TEST(FolderSearch, AttributesAndFailuresWithTheirCode) {
  Entries d;
  FolderSearch missing(d.Path() + "nothing\\*", kDir);
  WIN32_FIND_DATAA entry;
  EXPECT_FALSE(missing.Next(entry));
  EXPECT_EQ(missing.Error(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  FolderSearch none(d.Path() + "*.none", 0);
  EXPECT_FALSE(none.Next(entry));
  EXPECT_EQ(none.Error(), 0u) << "finding nothing is no failure";

  EXPECT_EQ(ReadAttributes(d.Path() + "hidden.txt") & (kHidden | kDir), kHidden);
  EXPECT_EQ(ReadAttributes(d.Path() + "folder\\") & kDir, kDir);
  EXPECT_EQ(ReadAttributes("C:\\") & kDir, kDir);
  for (const auto& [path, code] : {std::pair{d.Path() + "nothing.txt", ERROR_FILE_NOT_FOUND},
                                   std::pair{d.Path() + "nothing\\x.txt", ERROR_PATH_NOT_FOUND}}) {
    try {
      ReadAttributes(path);
      ADD_FAILURE() << path << " has attributes";
    } catch (const Failure& f) {
      EXPECT_EQ(f.number, static_cast<long>(code)) << path;
      EXPECT_FALSE(f.description.empty());
    }
  }
}
