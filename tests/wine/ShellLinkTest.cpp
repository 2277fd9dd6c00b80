// cShellLink under Wine: shortcuts written, read back, replaced and refused; special folders.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include "ShellTestSupport.h"
#include "platform/ComPtr.h"
#include "shell/cShellLink.h"
#include "shell/misc.h"

namespace {

class ShellLinkClass : public ::testing::Test {
 protected:
  win::ComApartment com;
  shelltest::ScratchFolder scratch;
  cShellLink links;
};

struct LinkValues {
  std::string exeFile, workDir, exeArgs, iconFile;
  int32_t iconIdx = 0, showCmd = 0;
};

int32_t Read(cShellLink& links, const std::string& lnk, LinkValues& v) {
  return links.GetShellLinkInfo(lnk, v.exeFile, v.workDir, v.exeArgs, v.iconFile, v.iconIdx, v.showCmd);
}

// The description and window mode as the shell's own link object reads them back.
std::pair<std::string, int> StoredDescriptionAndShow(const std::string& lnkFile) {
  win::ComPtr<IShellLinkA> link;
  win::ComPtr<IPersistFile> file;
  const std::wstring wide(lnkFile.begin(), lnkFile.end());  // test paths are plain ASCII
  char description[MAX_PATH] = {};
  int show = -1;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.PutVoid())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid())) || FAILED(file->Load(wide.c_str(), STGM_READ)) ||
      FAILED(link->GetDescription(description, sizeof description)) || FAILED(link->GetShowCmd(&show)))
    return {"(unreadable)", -1};
  return {description, show};
}

// The window mode in the file's header: 32 bits, little-endian, at offset 0x3C.
int HeaderShowCmd(const std::string& lnkFile) {
  const std::string bytes = shelltest::ReadWholeFile(lnkFile);
  if (bytes.size() < 0x40 || bytes[0] != 0x4C) return -1;
  int value = 0;
  for (int i = 3; i >= 0; --i) value = value * 256 + static_cast<unsigned char>(bytes[0x3C + i]);
  return value;
}

}  // namespace

// Written one after the other into the same file, so every case also replaces the one before.
TEST_F(ShellLinkClass, WritesAndReadsBackEveryValue) {
  const std::string program = shelltest::ExeFolder() + "ShellOpenProbe.exe";
  const std::string folder = scratch / "Target Folder";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, sizeof system);
  const std::string icons = std::string(system) + "\\shell32.dll";
  const LinkValues cases[] = {
      {program, scratch.Path(), "--stay \"a b\"", icons, 3, SW_SHOWMINNOACTIVE},
      {program, "C:\\windows", "-x", icons, 0, SW_SHOWMAXIMIZED},
      {folder, "", "", "", 0, SW_SHOWNORMAL},  // as the Send To command writes them
  };
  const std::string lnk = scratch / "same.lnk";
  for (const LinkValues& c : cases) {
    ASSERT_EQ(links.CreateShellLink(lnk, c.exeFile, c.workDir, c.exeArgs, c.iconFile, c.iconIdx, c.showCmd), -1);
    LinkValues read;
    ASSERT_EQ(Read(links, lnk, read), -1);
    EXPECT_EQ(read.exeFile, c.exeFile);
    EXPECT_EQ(read.workDir, c.workDir);
    EXPECT_EQ(read.exeArgs, c.exeArgs);
    // Wine's resolve step fills a missing icon location with the target itself.
    EXPECT_EQ(read.iconFile == c.exeFile && c.iconFile.empty() ? "" : read.iconFile, c.iconFile);
    EXPECT_EQ(read.iconIdx, c.iconIdx);
    // Wine 8's link object does not take the window mode back from a file (it reports 1), so the
    // written mode is checked in the header, and the mode read must be the shell's own.
    const auto [description, show] = StoredDescriptionAndShow(lnk);
    EXPECT_EQ(description, "ShellLink Sample");
    EXPECT_EQ(HeaderShowCmd(lnk), c.showCmd);
    EXPECT_EQ(read.showCmd, show);
  }
}

TEST_F(ShellLinkClass, RefusedWritesAndUnreadableShortcutsGiveFalse) {
  const std::string target = scratch.Path();
  const std::string blocked = scratch / "blocked.lnk";
  ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), nullptr));  // a folder where the file should go
  for (const auto& [lnk, exe] : {std::pair{scratch / "noexe.lnk", std::string()}, std::pair{std::string(), target},
                                 std::pair{scratch / "no folder\\x.lnk", target}, std::pair{blocked, target}}) {
    EXPECT_EQ(links.CreateShellLink(lnk, exe, "", "", "", 0, SW_SHOWNORMAL), 0) << lnk;
    EXPECT_TRUE(lnk.empty() || lnk == blocked || !shelltest::Exists(lnk)) << lnk;
  }

  const std::string notALink = scratch / "text.lnk";
  shelltest::WriteWholeFile(notALink, "just some text, not a shortcut\r\n");
  for (const std::string& lnk : {std::string(), scratch / "missing.lnk", notALink}) {
    LinkValues read{"exe", "dir", "args", "icon", 5, 9};
    EXPECT_EQ(Read(links, lnk, read), 0) << lnk;
    EXPECT_EQ(read.exeFile, "exe");
  }
}

TEST_F(ShellLinkClass, SystemFolderPaths) {
  std::string sendTo;
  ASSERT_EQ(links.GetSystemFolderPath(nullptr, CSIDL_SENDTO, sendTo), -1);
  EXPECT_EQ(sendTo + "\\", GetSendToPath());  // the same folder, without the trailing "\"

  // A folder without a file-system path, and a number the shell does not know.
  for (const uint16_t id : {uint16_t{CSIDL_CONTROLS}, uint16_t{CSIDL_DRIVES}, uint16_t{0x00FF}}) {
    std::string path = "unchanged";
    EXPECT_EQ(links.GetSystemFolderPath(nullptr, id, path), 0) << id;
    EXPECT_EQ(path, "unchanged") << id;
  }
}
