// The directory search on real folders and drive roots given with trailing backslashes, which
// FindFirstFileA itself refuses.
#include <gtest/gtest.h>

#include "ShellTestSupport.h"
#include "shell/FolderSearch.h"

TEST(FolderSearch, PathsWithTrailingBackslashesAndRoots) {
  shelltest::ScratchFolder d;
  d.Folder("folder");
  SetFileAttributesA(d.Folder("hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
  constexpr DWORD kDir = FILE_ATTRIBUTE_DIRECTORY;
  for (const std::string& path :
       {d.Path() + "folder\\\\\\", d.Path(), std::string("C:\\\\"), std::string("C:"), std::string("\\")})
    EXPECT_TRUE(SearchFinds(path, kDir)) << path;
  EXPECT_FALSE(SearchFinds(d.Path() + "folder\\", 0)) << "a folder is found only when folders are asked for";
  EXPECT_FALSE(SearchFinds(d.Path() + "hidden\\", kDir)) << "nor a hidden one unless hidden entries are";
  EXPECT_FALSE(SearchFinds("C:\\", 0));
}
