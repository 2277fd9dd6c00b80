// The Send To and directory listing frames of the real program, with the real name prompt,
// the user's real Send To folder and real directories.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "app/frmOKUIds.h"
#include "driver/BoxesAndKeys.h"
#include "driver/Driver.h"
#include "shell/NamefrmIds.h"
#include "wine/ShellTestSupport.h"

using namespace driver;

namespace {

std::string SendToFolder() {
  char path[MAX_PATH] = {};
  SHGetSpecialFolderPathA(nullptr, path, CSIDL_SENDTO, FALSE);
  return path;
}

using shelltest::Exists, shelltest::ReadWholeFile;

class Frames : public testing::Test {
 protected:
  void SetUp() override {
    window = StartOku(oku);
    ASSERT_NE(window, nullptr);
  }
  HWND Item(int id) const { return Control(window, id); }
  // Presses Go with the folder text and returns the name prompt (null when none opened).
  HWND Go(const std::string& folder) {
    SetText(Item(IDE_OKU_SENDTO_FOLDER), folder);
    Click(Item(IDB_OKU_SENDTO_GO));
    return WaitTopWindow(oku.pid(), "OKU", Ms(10000));
  }
  std::string Box(unsigned style, const std::string& answer = "OK") { return TakeBox(oku.pid(), style, answer); }
  Program oku;
  HWND window = nullptr;
};

}  // namespace

TEST_F(Frames, SendToProposesNamesAndAsksBeforeOverwritingAndTheListingComesBackOnEveryPath) {
  ASSERT_TRUE(IsEnabled(Item(IDE_OKU_SENDTO_FOLDER))) << "the Send To folder was not found";
  // A drive root proposes its letter; cancelling adds nothing.
  HWND prompt = Go("C:\\");
  ASSERT_NE(prompt, nullptr);
  EXPECT_EQ(GetText(Control(prompt, IDE_NAMEFRM_NAME)), "C");
  EXPECT_FALSE(IsWindowEnabled(window)) << "the prompt is modal";
  Click(Control(prompt, IDB_NAMEFRM_CANCEL));
  EXPECT_EQ(Box(64), "Aborted|Folder not added.|64");

  // Trailing backslashes are dropped; a blank name is refused and the prompt stays.
  const std::string folder = MakeTempDir("oku-sendto-target");
  const std::string name = folder.substr(folder.rfind('\\') + 1);
  prompt = Go(folder + "\\\\\\");
  ASSERT_NE(prompt, nullptr);
  EXPECT_EQ(GetText(Control(prompt, IDE_NAMEFRM_NAME)), name);
  SetText(Control(prompt, IDE_NAMEFRM_NAME), "   ");
  Click(Control(prompt, IDB_NAMEFRM_OK));
  EXPECT_EQ(Box(0), "OKU|Need a name.|0");
  ASSERT_TRUE(IsWindow(prompt));
  SetText(Control(prompt, IDE_NAMEFRM_NAME), name);
  Click(Control(prompt, IDB_NAMEFRM_OK));
  EXPECT_EQ(Box(64), "Success|Folder '" + name + "' added to Send To menu.|64");
  const std::string shortcut = SendToFolder() + "\\" + name + ".lnk";
  ASSERT_TRUE(Exists(shortcut));
  const std::string before = ReadWholeFile(shortcut);

  // The same name again: No leaves the shortcut as it was.
  prompt = Go(folder);
  ASSERT_NE(prompt, nullptr);
  Click(Control(prompt, IDB_NAMEFRM_OK));
  EXPECT_EQ(Box(308, "No"),
            "Link Exists...|Folder '" + name + "' already exists in Send To menu.\r\nOverwrite It?|308");
  EXPECT_EQ(FindMessageBox(oku.pid()), nullptr) << "No ends the command without a further message";
  EXPECT_EQ(ReadWholeFile(shortcut), before);
  DeleteFileA(shortcut.c_str());
  RemoveTree(folder);

  // The listing is written and the window comes back on every path.
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(window); }));
  const std::string dir = MakeTempDir("oku-listing");
  std::ofstream(dir + "\\first.txt") << "12345";
  CreateDirectoryA((dir + "\\Sub Folder").c_str(), nullptr);
  const std::string listing = dir + "\\dir_contents.txt";

  SetText(Item(IDE_OKU_LIST_FOLDER), dir);
  Click(Item(IDB_OKU_LIST_GO));
  EXPECT_EQ(Box(36, "No"), "Success|The text file has been written to " + listing + "\r\nDo you wish to view it?|36");
  const std::string text = ReadWholeFile(listing);
  EXPECT_EQ(text.rfind("Directory of " + dir + "\\\r\n\r\n", 0), 0u) << text;
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(window); }));

  // Asked again: No leaves the file as it was and the focus back in the box.
  Click(Item(IDB_OKU_LIST_GO));
  EXPECT_EQ(Box(308, "No"), "File Exists|" + listing + " already exists.\r\nDo you wish to overwrite?|308");
  EXPECT_EQ(ReadWholeFile(listing), text);
  EXPECT_TRUE(WaitUntil([&] { return FocusedControl(window) == Item(IDE_OKU_LIST_FOLDER); }));

  // A folder where the file should go: the write fails with the platform's number and text.
  DeleteFileA(listing.c_str());
  CreateDirectoryA(listing.c_str(), nullptr);
  Click(Item(IDB_OKU_LIST_GO));
  const std::string box = Box(16);
  EXPECT_TRUE(box.starts_with("Aborted|5\r\n") && box.ends_with("|16")) << box;  // access denied
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(window); })) << "the window must be usable again";
  RemoveTree(dir);
}
