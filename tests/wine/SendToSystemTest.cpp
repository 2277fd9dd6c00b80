// The Send To command on the real file system: folder checks with trailing backslashes and roots,
// the missing Send To folder, the overwrite question and names that must write nothing.
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <vector>

#include "platform/MessageBox.h"
#include "shell/SendToSystem.h"
#include "wine/DirListingTestFiles.h"

namespace {

using testfiles::ReadAll;
using testfiles::TempFolder;

// A window that accepts a chosen name and writes the "shortcut" as a plain file holding its
// target, so that the command's choices can be read back from the disk.
struct SendToRun {
  std::optional<std::string> acceptedName;  // none: Cancel
  int overwriteAnswer = kAnswerNo;
  std::vector<std::string> boxes;
  std::string proposal;

  std::string operator()(const std::string& folderText) {
    const SendToWindow window{
        [this](const std::string& text, const std::string& caption, unsigned style) {
          boxes.push_back(caption + "/" + std::to_string(style) + ": " + text);
          return style == kMbYesNoExclamationDefaultNo ? overwriteAnswer : kAnswerOk;
        },
        [this] {
          proposal = Namefrm_Open();
          if (acceptedName) Namefrm_Ok(*acceptedName, [](auto&&...) { return kAnswerOk; });
        },
        [] {},
        [](const std::string& shortcut, const std::string& target) {
          std::ofstream(shortcut, std::ios::binary) << target;
          return GetFileAttributesA(shortcut.c_str()) != INVALID_FILE_ATTRIBUTES;
        }};
    SendGoCmd_Run(folderText, RealSendToFileSystem(), window);
    return boxes.empty() ? "" : boxes.back();
  }
};

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

TEST(SendToSystem, FolderTextsAsTyped) {
  TempFolder scratch;
  SendToFolder = scratch.Path() + "SendTo\\";
  const std::string data = scratch.Folder("Data");
  const std::string file = scratch.File("notes.txt", "n");
  struct Case {
    std::string typed;
    std::string proposal;
    std::string target;
  };
  const Case cases[] = {
      {data + "\\\\", "Data", data},
      {data, "Data", data},
      {"C:\\", "C", "C:\\"},
      {"C:\\\\", "C", "C:\\"},
      {file, "notes.txt", file},
  };
  for (const Case& c : cases) {
    SendToRun run;
    run.acceptedName = c.proposal;
    run.overwriteAnswer = kAnswerYes;  // two texts here give the same name
    EXPECT_EQ(run(c.typed), "Success/64: Folder '" + c.proposal + "' added to Send To menu.") << c.typed;
    EXPECT_EQ(run.proposal, c.proposal) << c.typed;
    EXPECT_EQ(ReadAll(SendToFolder + c.proposal + ".lnk"), c.target) << c.typed;
  }
}

TEST(SendToSystem, InvalidFolders) {
  TempFolder scratch;
  SendToFolder = scratch.Path() + "SendTo\\";
  const std::string hidden = scratch.Folder("hidden", FILE_ATTRIBUTE_HIDDEN);
  for (const std::string& typed : {scratch.Path() + "missing", std::string("\\"), std::string("\\\\\\"),
                                   scratch.Path() + "missing\\deeper\\"}) {
    SendToRun run;
    run.acceptedName = "x";
    EXPECT_EQ(run(typed), "Aborted/16: Invalid folder") << typed;
    EXPECT_TRUE(run.proposal.empty()) << typed << ": no prompt";
  }
  // A hidden folder's own bits are the search's bits, so it is found.
  SendToRun run;
  run.acceptedName = "hidden";
  EXPECT_EQ(run(hidden), "Success/64: Folder 'hidden' added to Send To menu.");
  EXPECT_FALSE(Exists(scratch.Path() + "x.lnk"));
}

TEST(SendToSystem, ShortcutsInTheSendToFolder) {
  TempFolder scratch;
  const std::string data = scratch.Folder("Data");
  SendToFolder = scratch.Path() + "SendTo\\";

  SendToRun created;  // the missing Send To folder is created first
  created.acceptedName = "Data ";
  EXPECT_EQ(created(data), "Success/64: Folder 'Data ' added to Send To menu.");
  EXPECT_EQ(ReadAll(SendToFolder + "Data .lnk"), data);

  std::ofstream(SendToFolder + "Data.lnk", std::ios::binary) << "old shortcut";
  SendToRun no;
  no.acceptedName = "Data";
  EXPECT_EQ(no(data), "Link Exists.../308: Folder 'Data' already exists in Send To menu.\r\nOverwrite It?");
  EXPECT_EQ(ReadAll(SendToFolder + "Data.lnk"), "old shortcut");

  SendToRun yes;
  yes.acceptedName = "Data";
  yes.overwriteAnswer = kAnswerYes;
  EXPECT_EQ(yes(data), "Success/64: Folder 'Data' added to Send To menu.");
  EXPECT_EQ(yes.boxes.size(), 2u);
  EXPECT_EQ(ReadAll(SendToFolder + "Data.lnk"), data);

  // A hidden shortcut of the same name is not found by the check and is written over unasked.
  std::ofstream(SendToFolder + "Quiet.lnk", std::ios::binary) << "old";
  SetFileAttributesA((SendToFolder + "Quiet.lnk").c_str(), FILE_ATTRIBUTE_HIDDEN);
  SendToRun quiet;
  quiet.acceptedName = "Quiet";
  EXPECT_EQ(quiet(data), "Success/64: Folder 'Quiet' added to Send To menu.");
  EXPECT_EQ(quiet.boxes.size(), 1u);

  SendToRun cancelled;
  EXPECT_EQ(cancelled(data), "Aborted/64: Folder not added.");
}

TEST(SendToSystem, UnusableNamesWriteNothing) {
  TempFolder scratch;
  const std::string data = scratch.Folder("Data");
  SendToFolder = scratch.Path() + "SendTo\\";
  for (const std::string name : {"..\\Escaped", "Data:stream", "D*", "What?", "a/b"}) {
    SendToRun run;
    run.acceptedName = name;
    EXPECT_EQ(run(data), "Aborted/16: Error with folder '" + name + ".");
  }
  EXPECT_FALSE(Exists(SendToFolder)) << "not even the Send To folder was created";
  EXPECT_FALSE(Exists(scratch.Path() + "Escaped.lnk"));

  // A Send To folder that cannot be created (a file stands in its place).
  scratch.File("Blocked");
  SendToFolder = scratch.Path() + "Blocked\\Inner\\";
  SendToRun blocked;
  blocked.acceptedName = "Data";
  EXPECT_EQ(blocked(data), "Aborted/16: Error with folder 'Data.");
}
