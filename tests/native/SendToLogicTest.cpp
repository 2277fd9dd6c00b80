// The Send To command's text rules and its order of steps, against a fake file system and window.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "platform/Failure.h"
#include "platform/MessageBox.h"
#include "shell/SendToLogic.h"

TEST(SendToLogic, FolderTextRules) {
  struct Case {
    const char* text;
    std::optional<std::string> normalised;
    std::optional<std::string> proposal;  // of the normalised text
  };
  const Case cases[] = {
      {"C:\\Data\\\\", "C:\\Data", "Data"},
      {"C:\\Data", "C:\\Data", "Data"},
      {"D:\\", "D:\\", "D"},
      {"D:\\\\\\", "D:\\", "D"},
      {"D:", "D:\\", "D"},
      {"C:\\My Files \\", "C:\\My Files ", "My Files "},
      {"\\\\server\\share\\", "\\\\server\\share", "share"},
      {"a\\b", "a\\b", "a"},  // any three characters count as a drive root
      {"Data\\", "Data", std::nullopt},
      {"\\", std::nullopt, std::nullopt},
      {"\\\\\\", std::nullopt, std::nullopt},
      {"", std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    const std::optional<std::string> normalised = NormaliseFolderText(c.text);
    EXPECT_EQ(normalised, c.normalised) << c.text;
    if (normalised) EXPECT_EQ(ProposeLinkName(*normalised), c.proposal) << c.text;
  }
}

TEST(SendToLogic, NamesAndPaths) {
  for (const char* good : {"Data", "My Data ", " x", "a.b.c", "Ünïcödé-ish \xE9", "a b (2) [x] {y} 100%"}) {
    EXPECT_TRUE(IsUsableLinkName(good)) << good;
  }
  for (const char* bad : {"a\\b", "a/b", "C:x", "*", "a?", "\"q\"", "<", ">", "a|b", "tab\there", "\x1f", "line\r\n"}) {
    EXPECT_FALSE(IsUsableLinkName(bad)) << bad;
  }
  EXPECT_EQ(ShortcutPath("C:\\SendTo\\", "My Data "), "C:\\SendTo\\My Data .lnk");
  EXPECT_EQ(SendToFolderFromLookup("  C:\\Users\\u\\SendTo  "), "C:\\Users\\u\\SendTo\\");
  EXPECT_EQ(SendToFolderFromLookup("C:\\SendTo\\"), "C:\\SendTo\\");
  EXPECT_EQ(SendToFolderFromLookup("   "), "");
}

namespace {

// A file system of known paths and a window that records what it is asked to do.
struct Harness {
  std::map<std::string, uint32_t> attributes;  // paths that readAttributes knows
  std::set<std::string> found;                 // "path|bits" that a search finds
  bool createFolderFails = false;
  bool linkWritten = true;
  std::optional<std::string> typedName;  // what the user accepts in Namefrm; none = Cancel
  int answer = kAnswerYes;               // to the overwrite question
  std::vector<std::string> log;

  void Find(const std::string& path, uint32_t bits) { found.insert(path + "|" + std::to_string(bits)); }

  SendToFileSystem Files() {
    return {[this](const std::string& path) {
              log.push_back("attributes " + path);
              const auto it = attributes.find(path);
              if (it == attributes.end()) throw Failure(53, "File not found");
              return it->second;
            },
            [this](const std::string& path, uint32_t bits) {
              log.push_back("search " + path + "|" + std::to_string(bits));
              return found.count(path + "|" + std::to_string(bits)) > 0;
            },
            [this](const std::string& path) {
              log.push_back("mkdir " + path);
              if (createFolderFails) throw Failure(5, "Access is denied.");
            }};
  }

  SendToWindow Window() {
    return {[this](const std::string& text, const std::string& caption, unsigned style) {
              log.push_back("box " + caption + "/" + std::to_string(style) + ": " + text);
              return style == kMbYesNoExclamationDefaultNo ? answer : kAnswerOk;
            },
            [this] {
              log.push_back("prompt " + Namefrm_Open());
              if (typedName) EXPECT_TRUE(Namefrm_Ok(*typedName, [](auto&&...) { return kAnswerOk; }));
            },
            [this] { log.push_back("focus"); },
            [this](const std::string& shortcut, const std::string& target) {
              log.push_back("link " + shortcut + " -> " + target);
              return linkWritten;
            }};
  }

  std::vector<std::string> Run(const std::string& folderText) {
    SendGoCmd_Run(folderText, Files(), Window());
    return log;
  }
};

using Log = std::vector<std::string>;
const std::string kSendTo = "C:\\Users\\u\\SendTo\\";

Harness WithFolder(const std::string& text, uint32_t bits = 16) {
  SendToFolder = kSendTo;
  LinkName.clear();
  NameAccepted = false;
  Harness h;
  h.attributes[text] = bits;
  h.Find(text, bits);
  h.Find(kSendTo, 16);
  return h;
}

}  // namespace

TEST(SendToCommand, FolderChecksEndWithTheirOwnMessages) {
  SendToFolder = kSendTo;
  EXPECT_EQ(Harness().Run("   "), (Log{"box Aborted/16: Need a folder", "focus"}));
  EXPECT_EQ(Harness().Run("C:\\missing"), (Log{"attributes C:\\missing", "box Aborted/16: Invalid folder"}));

  Harness notFound = WithFolder("C:\\Data");
  notFound.found.clear();
  EXPECT_EQ(notFound.Run("C:\\Data"),
            (Log{"attributes C:\\Data", "search C:\\Data|16", "box Aborted/16: Invalid folder", "focus"}));

  // Nothing left after the backslashes are removed, or no backslash at all: no prompt.
  for (const char* text : {"\\", "Data\\"}) {
    EXPECT_EQ(WithFolder(text).Run(text), (Log{"attributes " + std::string(text), "search " + std::string(text) + "|16",
                                               "box Aborted/16: Invalid folder"}));
  }
}

TEST(SendToCommand, AddsTheShortcutUnderTheAcceptedName) {
  Harness h = WithFolder("C:\\Data\\\\", 17);
  h.typedName = "My Data ";
  EXPECT_EQ(h.Run("C:\\Data\\\\"),
            (Log{"attributes C:\\Data\\\\", "search C:\\Data\\\\|17", "prompt Data", "search " + kSendTo + "|16",
                 "search " + kSendTo + "My Data .lnk|0", "link " + kSendTo + "My Data .lnk -> C:\\Data",
                 "box Success/64: Folder 'My Data ' added to Send To menu."}));

  Harness root = WithFolder("D:\\");
  root.typedName = "D";
  const Log log = root.Run("D:\\");
  EXPECT_EQ(log[2], "prompt D");
  EXPECT_EQ(log[5], "link " + kSendTo + "D.lnk -> D:\\");

  Harness file = WithFolder("C:\\notes.txt", 32);  // a file passes the folder check
  file.typedName = "notes.txt";
  EXPECT_EQ(file.Run("C:\\notes.txt").back(), "box Success/64: Folder 'notes.txt' added to Send To menu.");
}

TEST(SendToCommand, PromptAndOverwriteAnswers) {
  Harness cancelled = WithFolder("C:\\Data");
  EXPECT_EQ(cancelled.Run("C:\\Data"), (Log{"attributes C:\\Data", "search C:\\Data|16", "prompt Data",
                                            "box Aborted/64: Folder not added."}));

  for (const int answer : {kAnswerNo, kAnswerYes}) {
    Harness h = WithFolder("C:\\Data");
    h.typedName = "Data";
    h.answer = answer;
    h.Find(kSendTo + "Data.lnk", 0);
    const Log log = h.Run("C:\\Data");
    EXPECT_EQ(log[5], "box Link Exists.../308: Folder 'Data' already exists in Send To menu.\r\nOverwrite It?");
    if (answer == kAnswerNo) {
      EXPECT_EQ(log.size(), 6u) << "No ends the command silently";
    } else {
      EXPECT_EQ(log.at(6), "link " + kSendTo + "Data.lnk -> C:\\Data");
      EXPECT_EQ(log.at(7), "box Success/64: Folder 'Data' added to Send To menu.");
    }
  }
}

TEST(SendToCommand, LinkFailuresShowTheLinkErrorAndWriteNothingAfter) {
  Harness missing = WithFolder("C:\\Data");
  missing.typedName = "Data";
  missing.found.erase(kSendTo + "|16");
  EXPECT_EQ(missing.Run("C:\\Data")[4], "mkdir " + kSendTo) << "a missing Send To folder is created first";

  Harness cannotCreate = WithFolder("C:\\Data");
  cannotCreate.typedName = "Data";
  cannotCreate.found.erase(kSendTo + "|16");
  cannotCreate.createFolderFails = true;
  EXPECT_EQ(cannotCreate.Run("C:\\Data"), (Log{"attributes C:\\Data", "search C:\\Data|16", "prompt Data",
                                               "search " + kSendTo + "|16", "mkdir " + kSendTo,
                                               "box Aborted/16: Error with folder 'Data."}));

  Harness notWritten = WithFolder("C:\\Data");
  notWritten.typedName = "Data";
  notWritten.linkWritten = false;
  EXPECT_EQ(notWritten.Run("C:\\Data").back(), "box Aborted/16: Error with folder 'Data.");

  for (const char* name : {"..\\evil", "a:stream", "*", "x\ty"}) {
    Harness bad = WithFolder("C:\\Data");
    bad.typedName = name;
    EXPECT_EQ(bad.Run("C:\\Data"), (Log{"attributes C:\\Data", "search C:\\Data|16", "prompt Data",
                                        "box Aborted/16: Error with folder '" + std::string(name) + "."}));
  }

  Harness noSendTo = WithFolder("C:\\Data");
  noSendTo.typedName = "Data";
  SendToFolder.clear();
  EXPECT_EQ(noSendTo.Run("C:\\Data").back(), "box Aborted/16: Error with folder 'Data.");
  EXPECT_EQ(noSendTo.log.size(), 4u) << "nothing searched or written without a Send To folder";
}

TEST(SendToCommand, NamePromptKeepsTheNameAsTyped) {
  LinkName = "Proposal";
  NameAccepted = true;
  EXPECT_EQ(Namefrm_Open(), "Proposal");
  EXPECT_FALSE(NameAccepted);

  std::vector<std::string> boxes;
  auto show = [&](const std::string& text, const std::string& caption, unsigned style) {
    boxes.push_back(caption + "/" + std::to_string(style) + ": " + text);
    return kAnswerOk;
  };
  EXPECT_FALSE(Namefrm_Ok("   ", show));
  EXPECT_FALSE(NameAccepted);
  EXPECT_EQ(LinkName, "Proposal");
  EXPECT_EQ(boxes, (std::vector<std::string>{"OKU/0: Need a name."}));

  EXPECT_TRUE(Namefrm_Ok("  Spaced  ", show));
  EXPECT_TRUE(NameAccepted);
  EXPECT_EQ(LinkName, "  Spaced  ");
  EXPECT_EQ(boxes.size(), 1u);
}
