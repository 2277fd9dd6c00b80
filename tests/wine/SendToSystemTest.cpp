// The Send To command on the real file system: the refusals that write nothing (a device name too),
// a missing Send To folder created, a hidden and system one used, a name kept as typed, an existing
// shortcut replaced on Yes.
#include <gtest/gtest.h>

#include "ShellTestSupport.h"
#include "shell/SendToSystem.h"

namespace {
using Seen = std::vector<std::string>;
std::string SendToFolder, LinkName;
bool NameAccepted = false;

// Accepts the name and writes the "shortcut" as a plain file holding its target (unless the link
// call is to report that nothing was written). Returns the messages shown.
Seen RunSendTo(const std::string& typed, const std::string& name, bool linkWritten = true) {
  Seen seen;
  const SendToShared shared{SendToFolder, LinkName, NameAccepted};
  SendGoCmd_Run(typed, shared, RealSendToFileSystem(),
                {[&](const std::string& text, const std::string& caption, unsigned style) {
                   seen.push_back(caption + "/" + std::to_string(style) + ": " + text);
                   return kAnswerYes;
                 },
                 [&] { Namefrm_Ok(name, shared, [](auto&&...) { return kAnswerOk; }); }, [] {},
                 [&](const std::string& shortcut, const std::string& target) {
                   return linkWritten && static_cast<bool>(std::ofstream(shortcut, std::ios::binary) << target);
                 }});
  return seen;
}
}  // namespace

TEST(SendToSystem, RefusalsWriteNothingAndAddingCreatesTheFolderOrReplaces) {
  shelltest::ScratchFolder scratch;
  const std::string data = scratch.Folder("Data"), lnk = scratch.Path() + "SendTo\\My Data .lnk";
  const std::string linkError = "Aborted/16: Error with folder 'My Data .";
  const std::string added = "Success/64: Folder 'My Data ' added to Send To menu.";
  SendToFolder = scratch.Path() + "SendTo\\";
  EXPECT_EQ(RunSendTo("   ", "x"), (Seen{"Aborted/16: Need a folder"}));
  EXPECT_EQ(RunSendTo("\\", "x"), (Seen{"Aborted/16: Invalid folder"}));
  SendToFolder.clear();  // no Send To folder known
  EXPECT_EQ(RunSendTo(data, "My Data "), (Seen{linkError}));
  EXPECT_FALSE(shelltest::Exists(scratch.Path() + "SendTo") || shelltest::Exists("My Data .lnk"));

  SendToFolder = scratch.Path() + "SendTo\\";  // missing: created on the way
  EXPECT_EQ(RunSendTo(data, "My Data "), (Seen{added}));
  EXPECT_EQ(shelltest::ReadWholeFile(lnk), data);
  // Windows XP makes the Send To folder hidden and system: it is still the folder to use.
  ASSERT_TRUE(SetFileAttributesA((scratch.Path() + "SendTo").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  std::ofstream(lnk, std::ios::binary) << "old shortcut";
  EXPECT_EQ(RunSendTo(data, "My Data "),
            (Seen{"Link Exists.../308: Folder 'My Data ' already exists in Send To menu.\r\nOverwrite It?", added}));
  EXPECT_EQ(shelltest::ReadWholeFile(lnk), data);
  DeleteFileA(lnk.c_str());
  EXPECT_EQ(RunSendTo(data, "My Data ", false), (Seen{linkError}));
  // A device name would be found by the existence search and swallow the write.
  EXPECT_EQ(RunSendTo(data, "Con"), (Seen{"Aborted/16: Error with folder 'Con."}));
}
