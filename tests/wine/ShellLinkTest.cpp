// cShellLink under Wine: shortcuts written, read back, replaced and refused; special folders.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include "ShellTestSupport.h"
#include "platform/ComPtr.h"
#include "shell/cShellLink.h"
#include "shell/misc.h"

using shelltest::ScratchFolder;

namespace {

class ShellLinkClass : public ::testing::Test {
 protected:
  win::ComApartment com;
  ScratchFolder scratch;
  cShellLink links;
};

// A shortcut loaded into the shell's own link object; null when it cannot be loaded.
win::ComPtr<IShellLinkA> LoadedLink(const std::string& lnkFile) {
  win::ComPtr<IShellLinkA> link;
  win::ComPtr<IPersistFile> file;
  const std::wstring wide(lnkFile.begin(), lnkFile.end());  // test paths are plain ASCII
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.PutVoid())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid())) || FAILED(file->Load(wide.c_str(), STGM_READ)))
    return {};
  return link;
}

std::string StoredDescription(const std::string& lnkFile) {
  const auto link = LoadedLink(lnkFile);
  char description[MAX_PATH] = {};
  if (!link || FAILED(link->GetDescription(description, sizeof description))) return "(no description)";
  return description;
}

int StoredShowCmd(const std::string& lnkFile) {
  const auto link = LoadedLink(lnkFile);
  int show = -1;
  if (!link || FAILED(link->GetShowCmd(&show))) return -1;
  return show;
}

// The window mode in the file's header: 32 bits, little-endian, at offset 0x3C.
int HeaderShowCmd(const std::string& lnkFile) {
  const std::string bytes = shelltest::ReadWholeFile(lnkFile);
  if (bytes.size() < 0x40 || bytes[0] != 0x4C) return -1;
  int value = 0;
  for (int i = 3; i >= 0; --i) value = value * 256 + static_cast<unsigned char>(bytes[0x3C + i]);
  return value;
}

struct LinkValues {
  std::string exeFile, workDir, exeArgs, iconFile;
  int32_t iconIdx = 0, showCmd = 0;
};

}  // namespace

TEST_F(ShellLinkClass, WritesAndReadsBackEveryValue) {
  const std::string program = shelltest::ExeFolder() + "ShellOpenProbe.exe";
  const std::string folder = scratch / "Target Folder";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, sizeof system);
  const std::string icons = std::string(system) + "\\shell32.dll";
  const LinkValues cases[] = {
      {program, scratch.Path().substr(0, scratch.Path().size() - 1), "--stay \"a b\"", icons, 3, SW_SHOWMINNOACTIVE},
      {program, "C:\\windows", "-x", icons, 0, SW_SHOWMAXIMIZED},
      {folder, "", "", "", 0, SW_SHOWNORMAL},  // as the Send To command writes them
  };
  int n = 0;
  for (const LinkValues& c : cases) {
    const std::string lnk = scratch / ("case" + std::to_string(++n) + ".lnk");
    ASSERT_EQ(links.CreateShellLink(lnk, c.exeFile, c.workDir, c.exeArgs, c.iconFile, c.iconIdx, c.showCmd), -1) << n;

    LinkValues read;
    ASSERT_EQ(links.GetShellLinkInfo(lnk, read.exeFile, read.workDir, read.exeArgs, read.iconFile, read.iconIdx,
                                     read.showCmd),
              -1)
        << n;
    EXPECT_EQ(read.exeFile, c.exeFile) << n;
    EXPECT_EQ(read.workDir, c.workDir) << n;
    EXPECT_EQ(read.exeArgs, c.exeArgs) << n;
    // Wine 8's link object does not take the window mode back from a file (it reports 1), so
    // the written mode is checked in the header and the mode read must be the shell's own.
    EXPECT_EQ(HeaderShowCmd(lnk), c.showCmd) << n;
    EXPECT_EQ(read.showCmd, StoredShowCmd(lnk)) << n;
    if (!c.iconFile.empty()) {
      EXPECT_EQ(read.iconFile, c.iconFile) << n;
      EXPECT_EQ(read.iconIdx, c.iconIdx) << n;
    } else {
      // Wine's resolve step fills a missing icon location with the target itself.
      EXPECT_TRUE(read.iconFile.empty() || read.iconFile == c.exeFile) << read.iconFile;
      EXPECT_EQ(read.iconIdx, 0);
    }
    EXPECT_EQ(StoredDescription(lnk), "ShellLink Sample") << n;
  }
}

TEST_F(ShellLinkClass, OverwritingReplacesTheShortcut) {
  const std::string first = scratch / "first", second = scratch / "second";
  ASSERT_TRUE(CreateDirectoryA(first.c_str(), nullptr) && CreateDirectoryA(second.c_str(), nullptr));
  const std::string lnk = scratch / "same.lnk";
  ASSERT_EQ(links.CreateShellLink(lnk, first, "C:\\windows", "-one", "", 0, SW_SHOWMAXIMIZED), -1);
  ASSERT_EQ(HeaderShowCmd(lnk), SW_SHOWMAXIMIZED);
  ASSERT_EQ(links.CreateShellLink(lnk, second, "", "", "", 0, SW_SHOWNORMAL), -1);
  LinkValues read;
  ASSERT_EQ(links.GetShellLinkInfo(lnk, read.exeFile, read.workDir, read.exeArgs, read.iconFile, read.iconIdx,
                                   read.showCmd),
            -1);
  EXPECT_EQ(read.exeFile, second);
  EXPECT_EQ(read.workDir, "");
  EXPECT_EQ(read.exeArgs, "");
  EXPECT_EQ(HeaderShowCmd(lnk), SW_SHOWNORMAL);
  EXPECT_EQ(StoredDescription(lnk), "ShellLink Sample");
}

TEST_F(ShellLinkClass, RefusedWritesLeaveNoFile) {
  const std::string target = scratch / "t";
  ASSERT_TRUE(CreateDirectoryA(target.c_str(), nullptr));
  const std::string blocked = scratch / "blocked.lnk";
  ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), nullptr));  // a folder where the file should go
  struct Case {
    std::string lnk, exe;
  };
  const Case cases[] = {
      {scratch / "noexe.lnk", ""},
      {"", target},
      {scratch / "no such folder\\x.lnk", target},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(links.CreateShellLink(c.lnk, c.exe, "", "", "", 0, SW_SHOWNORMAL), 0) << c.lnk;
    if (!c.lnk.empty()) {
      EXPECT_FALSE(shelltest::Exists(c.lnk)) << c.lnk;
    }
  }
  EXPECT_EQ(links.CreateShellLink(blocked, target, "", "", "", 0, SW_SHOWNORMAL), 0);
  EXPECT_EQ(GetFileAttributesA(blocked.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
}

TEST_F(ShellLinkClass, UnreadableShortcutsGiveFalseAndLeaveTheValues) {
  const std::string notALink = scratch / "text.lnk";
  shelltest::WriteWholeFile(notALink, "just some text, not a shortcut\r\n");
  for (const std::string& lnk : {std::string(), scratch / "missing.lnk", notALink}) {
    LinkValues read{"exe", "dir", "args", "icon", 5, 9};
    EXPECT_EQ(links.GetShellLinkInfo(lnk, read.exeFile, read.workDir, read.exeArgs, read.iconFile, read.iconIdx,
                                     read.showCmd),
              0)
        << lnk;
    EXPECT_EQ(read.exeFile, "exe");
    EXPECT_EQ(read.showCmd, 9);
  }
}

TEST_F(ShellLinkClass, SystemFolderPaths) {
  std::string sendTo = "unchanged";
  ASSERT_EQ(links.GetSystemFolderPath(nullptr, CSIDL_SENDTO, sendTo), -1);
  EXPECT_NE(sendTo.back(), '\\');
  EXPECT_EQ(sendTo + "\\", GetSendToPath());

  std::string windows;
  ASSERT_EQ(links.GetSystemFolderPath(nullptr, CSIDL_WINDOWS, windows), -1);
  char expected[MAX_PATH] = {};
  GetWindowsDirectoryA(expected, sizeof expected);
  EXPECT_EQ(windows, expected);

  // A folder without a file-system path, and a number the shell does not know.
  for (const uint16_t id : {uint16_t{CSIDL_CONTROLS}, uint16_t{CSIDL_DRIVES}, uint16_t{0x00FF}}) {
    std::string path = "unchanged";
    EXPECT_EQ(links.GetSystemFolderPath(nullptr, id, path), 0) << id;
    EXPECT_EQ(path, "unchanged") << id;
  }
}
