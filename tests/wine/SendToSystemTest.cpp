// The Send To command on the real file system: every message and its order, trailing
// backslashes, roots, hidden folders, the missing Send To folder, unusable names, existing shortcuts.
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <vector>

#include "platform/MessageBox.h"
#include "shell/SendToSystem.h"
#include "wine/DirListingTestFiles.h"

namespace {

using testfiles::ReadAll;

// The window's shared values.
std::string SendToFolder;
std::string LinkName;
bool NameAccepted = false;

// Accepts a chosen name (none: Cancel) and writes the "shortcut" as a plain file holding its
// target, so that the command's choices can be read back from the disk. Returns what the window saw.
std::vector<std::string> RunSendTo(const std::string& typed, std::optional<std::string> name, int overwrite = kAnswerNo,
                             bool linkWritten = true) {
  std::vector<std::string> seen;
  const SendToShared shared{SendToFolder, LinkName, NameAccepted};
  const SendToWindow window{
      [&](const std::string& text, const std::string& caption, unsigned style) {
        seen.push_back(caption + "/" + std::to_string(style) + ": " + text);
        return style == kMbYesNoExclamationDefaultNo ? overwrite : kAnswerOk;
      },
      [&] {
        seen.push_back("prompt " + Namefrm_Open(shared));
        if (name) Namefrm_Ok(*name, shared, [](auto&&...) { return kAnswerOk; });
      },
      [&] { seen.push_back("focus"); },
      [&](const std::string& shortcut, const std::string& target) {
        if (!linkWritten) return false;
        std::ofstream out(shortcut, std::ios::binary);
        return static_cast<bool>(out << target);
      }};
  SendGoCmd_Run(typed, shared, RealSendToFileSystem(), window);
  return seen;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

using Seen = std::vector<std::string>;
const std::string kInvalid = "Aborted/16: Invalid folder";

}  // namespace

TEST(SendToSystem, RefusalsWriteNothing) {
  testfiles::TempFolder scratch;
  SendToFolder = scratch.Path() + "SendTo\\";
  const std::string data = scratch.Folder("Data");
  scratch.File("notes");

  EXPECT_EQ(RunSendTo("   ", "x"), (Seen{"Aborted/16: Need a folder", "focus"}));
  EXPECT_EQ(RunSendTo(scratch.Path() + "missing\\", "x"), (Seen{kInvalid}));  // no attributes: focus stays
  EXPECT_EQ(RunSendTo("\\", "x"), (Seen{kInvalid}));                          // nothing left after normalising
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(scratch.Path().c_str());
  EXPECT_EQ(RunSendTo("notes", "x"), (Seen{kInvalid}));  // found, but no backslash to propose a name from
  SetCurrentDirectoryA(previous);
  EXPECT_EQ(RunSendTo(data, std::nullopt), (Seen{"prompt Data", "Aborted/64: Folder not added."}));
  for (const std::string bad : {"..\\Escaped", "Data:stream", "D*", "a/b", "tab\there"}) {
    EXPECT_EQ(RunSendTo(data, bad), (Seen{"prompt Data", "Aborted/16: Error with folder '" + bad + "."}));
  }
  EXPECT_FALSE(Exists(SendToFolder)) << "not even the Send To folder was created";
  EXPECT_FALSE(Exists(scratch.Path() + "Escaped.lnk"));

  SendToFolder.clear();  // no Send To folder known
  EXPECT_EQ(RunSendTo(data, "Data").back(), "Aborted/16: Error with folder 'Data.");
  SendToFolder = scratch.Path() + "notes\\Inner\\";  // cannot be created: a file stands in the way
  EXPECT_EQ(RunSendTo(data, "Data").back(), "Aborted/16: Error with folder 'Data.");
  SendToFolder = scratch.Path() + "SendTo\\";
  EXPECT_EQ(RunSendTo(data, "Data", kAnswerNo, false).back(), "Aborted/16: Error with folder 'Data.");
}

TEST(SendToSystem, AddsShortcutsToTheSendToFolder) {
  testfiles::TempFolder scratch;
  SendToFolder = scratch.Path() + "SendTo\\";  // missing: the first run creates it
  const std::string data = scratch.Folder("Data");
  const std::string hidden = scratch.Folder("Hidden", FILE_ATTRIBUTE_HIDDEN);
  const std::string file = scratch.File("notes.txt", "n");
  const auto added = [](const std::string& name) { return "Success/64: Folder '" + name + "' added to Send To menu."; };

  struct Case {
    std::string typed, proposal, accepted, target;
  };
  const Case cases[] = {
      {data + "\\\\", "Data", "My Data ", data},  // the name is kept as typed, blanks included
      {"C:\\\\", "C", "C", "C:\\"},
      {"C:", "C", "C root", "C:\\"},
      {hidden, "Hidden", "Hidden", hidden},  // searched with its own bits, so found
      {file, "notes.txt", "notes.txt", file},  // a file passes the folder check
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RunSendTo(c.typed, c.accepted), (Seen{"prompt " + c.proposal, added(c.accepted)})) << c.typed;
    EXPECT_EQ(ReadAll(SendToFolder + c.accepted + ".lnk"), c.target) << c.typed;
  }

  // An existing shortcut: No leaves it byte for byte, Yes replaces it; a hidden one is not found.
  const std::string question = "Link Exists.../308: Folder 'Data' already exists in Send To menu.\r\nOverwrite It?";
  std::ofstream(SendToFolder + "Data.lnk", std::ios::binary) << "old shortcut";
  EXPECT_EQ(RunSendTo(data, "Data", kAnswerNo), (Seen{"prompt Data", question}));
  EXPECT_EQ(ReadAll(SendToFolder + "Data.lnk"), "old shortcut");
  EXPECT_EQ(RunSendTo(data, "Data", kAnswerYes), (Seen{"prompt Data", question, added("Data")}));
  EXPECT_EQ(ReadAll(SendToFolder + "Data.lnk"), data);
  SetFileAttributesA((SendToFolder + "Data.lnk").c_str(), FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(RunSendTo(data, "Data", kAnswerNo), (Seen{"prompt Data", added("Data")}));
}
