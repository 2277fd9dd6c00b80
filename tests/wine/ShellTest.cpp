// The shell routines under Wine (verbs, Open With, the missing-file box, the browser probe, the directory
// search, CenterForm, shortcuts read back; lnkinfo reads them in tests/scripts/ShellLinkLnkinfo.sh), the
// Send To command and the listing on the real file system, the listing against the shell's "dir /x".
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>

#include "ShellTestSupport.h"
#include "net/cmdpipe.h"
#include "platform/ComPtr.h"
#include "platform/Failure.h"
#include "platform/Handles.h"
#include "platform/Process.h"
#include "shell/DirListing.h"
#include "shell/FileInfoText.h"
#include "shell/FolderSearch.h"
#include "shell/SendToSystem.h"
#include "shell/cShellLink.h"
#include "shell/mShellLink.h"
#include "shell/misc.h"

namespace {
class ShellHelpers : public ::testing::Test {
 protected:
  win::ComApartment com;
  shelltest::ScratchFolder scratch;
  win::ScopedCalls<ShellApi> shell{ShellApi::Real()};  // each test changes what it fakes in place
  shelltest::MessageRecorder messages;
};

HWND MakeWindow(int x, int y, int width, int height, DWORD style, HWND owner = nullptr) {
  return CreateWindowExA(0, "STATIC", "test", style, x, y, width, height, owner, nullptr, nullptr, nullptr);
}

// Whether this thread is in a single-threaded apartment, asked without leaving one behind.
bool InSingleThreadedApartment() {
  const HRESULT probe = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  if (SUCCEEDED(probe)) CoUninitialize();
  return probe == RPC_E_CHANGED_MODE;
}
}  // namespace

TEST_F(ShellHelpers, OnlyOpenAndExploreAsWrittenReachTheShell) {
  std::string seen;
  win::Calls<ShellApi>().execute = [&](const char* verb, const char*, const char*, int) {
    seen += verb ? verb + std::string(" ") : "(default) ";
    return intptr_t{42};
  };
  for (const char* verb : {"open", "OPEN", "print", "", "Open", "Explore"})
    EXPECT_EQ(ShellExecuteFile("C:\\x.txt", SW_SHOWNORMAL, verb), -1) << verb;
  EXPECT_EQ(seen, "(default) (default) (default) (default) Open Explore ");
}

TEST_F(ShellHelpers, DocumentWithoutProgramOpensOpenWithSilently) {
  const std::string document = scratch.File("letter.okunoassoc", "no program knows this type\r\n");
  std::string started;
  unsigned long pid = 0;
  win::Calls<ShellApi>().startProcess = [&](const std::string& line, int mode, const std::string& application) {
    started = application + "|" + line;
    return pid = StartProcess(line, mode, application);
  };
  EXPECT_EQ(ShellExecuteFile(document, SW_SHOWNORMAL, ""), -1);
  const win::UniqueHandle dialog(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
  EXPECT_EQ(WaitForSingleObject(dialog.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "it waits for the user";
  TerminateProcess(dialog.get(), 1);
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, sizeof system);
  EXPECT_EQ(started, std::string(system) + "\\rundll32.exe|rundll32.exe shell32.dll,OpenAs_RunDLL " + document);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ShellHelpers, MissingFileShowsTheStopBoxWithTheFileAndItsText) {
  EXPECT_EQ(ShellExecuteFile(scratch.Path() + "gone.txt", SW_SHOWNORMAL, ""), 2);
  EXPECT_EQ(messages.shown, (std::vector<std::string>{"Shell execute failed.../16: " + scratch.Path() +
                                                      "gone.txt\r\nError: File not found.  Couldn't Execute!"}));
}

// The probe lives in the user's temporary folder and is gone after either failure message.
TEST_F(ShellHelpers, WebPageProbeIsRemovedAfterEitherFailure) {
  const std::string probe = (std::filesystem::temp_directory_path() / "tempzink777.htm").string();
  for (const auto& [found, box] : {std::pair{intptr_t{2}, "Browser Not Found.../48: Could not open your browser!"},
                                   {intptr_t{42}, "Website URL Failed.../48: Web page failed to be opened."}}) {
    std::string seen;
    win::Calls<ShellApi>().findExecutable = [&](const char* file, char* result) {
      seen = std::string(file) + "|" + shelltest::ReadWholeFile(file);
      std::strcpy(result, "C:\\okunosuchbrowser.exe");
      return found;
    };
    messages.shown.clear();
    OpenWebPage("okunosuchscheme:page", false);
    EXPECT_EQ(seen, probe + "|<HTML> <\\HTML>\r\n");
    EXPECT_EQ(messages.shown, (std::vector<std::string>{box}));
    EXPECT_FALSE(shelltest::Exists(probe));
  }
}

TEST(StartProcess, MissingProgramsAreFileNotFound) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""}, {"okunosuchprogram /x", ""}, {"cmd.exe /c exit", "C:\\okunosuchdir\\missing.exe"}};
  for (const auto& [commandLine, applicationName] : cases) {
    try {
      StartProcess(commandLine, SW_HIDE, applicationName);
      ADD_FAILURE() << "started: " << commandLine;
    } catch (const Failure& failure) {
      EXPECT_EQ(std::pair(failure.number, failure.description), std::pair(53L, std::string("File not found")));
    }
  }
}

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

// A minimised owner is centred on by its restored place, and the window stays in the work area.
TEST(ShellWindowChores, CenterFormUsesTheRestoredPlaceOfAMinimisedOwner) {
  HWND owner = MakeWindow(200, 150, 400, 300, WS_OVERLAPPEDWINDOW);
  ShowWindow(owner, SW_SHOWMINNOACTIVE);
  ASSERT_TRUE(IsIconic(owner));
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
  ASSERT_TRUE(monitor.rcWork.left == 0 && monitor.rcWork.top == 0) << "the work area does not start at the corner";
  // Centred on 200..600 x 150..450; too wide to start left of the screen; larger than the screen.
  for (const auto& [width, height, x, y] : {std::tuple{200, 100, 300, 250}, {1000, 100, 0, 250}, {4000, 3000, 0, 0}}) {
    HWND window = MakeWindow(10, 10, width, height, WS_POPUP | WS_CAPTION, owner);
    CenterForm(owner, window);
    RECT placed{};
    GetWindowRect(window, &placed);
    DestroyWindow(window);
    EXPECT_EQ(std::pair(placed.left, placed.top), std::pair(long{x}, long{y})) << width;
  }
  DestroyWindow(owner);
}

// With the run's on-demand apartment, as the program holds it: COM starts with the first link.
TEST(ShellLinkClass, WritesAndReadsBackEveryValue) {
  auto com = std::make_unique<win::ComApartmentOnDemand>();
  EXPECT_FALSE(InSingleThreadedApartment());
  shelltest::ScratchFolder scratch;
  cShellLink links;
  const std::string folder = scratch.Folder("Target Folder"), lnk = scratch.Path() + "a.lnk";
  struct Values {
    std::string exeFile, workDir, exeArgs, iconFile;
    int32_t iconIdx = 0, showCmd = 0;
  };
  // Into the same file one after the other, so the second also replaces the first.
  for (const Values& c : {Values{scratch.File("prog.exe", "MZ"), "C:\\windows", "--x \"a b\"",
                                 "C:\\windows\\system32\\shell32.dll", 3, SW_SHOWMAXIMIZED},
                          Values{folder, "", "", "", 0, SW_SHOWNORMAL}}) {
    ASSERT_EQ(links.CreateShellLink(lnk, c.exeFile, c.workDir, c.exeArgs, c.iconFile, c.iconIdx, c.showCmd), -1);
    Values r;
    ASSERT_EQ(links.GetShellLinkInfo(lnk, r.exeFile, r.workDir, r.exeArgs, r.iconFile, r.iconIdx, r.showCmd), -1);
    // Wine's resolve step fills a missing icon location with the target itself.
    EXPECT_EQ(std::tie(r.exeFile, r.workDir, r.exeArgs, r.iconIdx),
              std::tie(c.exeFile, c.workDir, c.exeArgs, c.iconIdx));
    EXPECT_EQ(r.iconFile == c.exeFile && c.iconFile.empty() ? "" : r.iconFile, c.iconFile);
  }
  EXPECT_EQ(links.CreateShellLink(scratch.Path() + "no folder\\b.lnk", folder, "", "", "", 0, 1), 0);
  EXPECT_TRUE(InSingleThreadedApartment());
  com.reset();  // the holder ends the apartment it made
  EXPECT_FALSE(InSingleThreadedApartment());
}

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

namespace {

// An entry as "size|short name|date", the size 0 for a folder.
using Entries = std::map<std::string, std::string>;

std::string TrimRight(std::string text) { return text.erase(text.find_last_not_of(' ') + 1); }

uint64_t Digits(const std::string& text) {
  uint64_t value = 0;
  for (const char c : text) value = std::isdigit(static_cast<unsigned char>(c)) ? value * 10 + (c - '0') : value;
  return value;
}

// Entry lines by name (Wine's short names stay within 12 characters, the sizes here within 13 columns).
Entries ParseListing(const std::string& text) {
  Entries entries;
  std::istringstream in(text.substr(text.find("\r\n\r\n") + 4));
  for (std::string l; std::getline(in, l) && l.size() > 44;) {
    const bool dir = l.substr(15, 5) == "<DIR>";
    entries[l.substr(44, l.size() - 45)] = std::to_string(dir ? 0 : Digits(l.substr(13, 13))) + "|" +
                                           TrimRight(l.substr(0, dir ? 15 : 13)) + "|" + l.substr(28, 15);
  }
  return entries;
}

// Entry lines of "dir /x" by upper-cased name; a blank short-name column means the name is its own.
Entries ParseDirX(const std::string& text) {
  Entries entries;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) {
    int month, day, year, hour, minute;
    char half;
    if (std::sscanf(l.c_str(), "%d/%d/%d %d:%d %cM", &month, &day, &year, &hour, &minute, &half) != 6) continue;
    const size_t field = l.find('M') + 1, sizeAt = l.find_first_not_of(' ', field), sizeEnd = l.find(' ', sizeAt);
    const bool dir = l.compare(sizeAt, 5, "<DIR>") == 0;
    const size_t shortAt = dir ? field + 16 : sizeEnd + 2;
    std::string name = l.substr(shortAt + 13, l.find_last_not_of('\r') - shortAt - 12);
    const std::string shortName = TrimRight(l.substr(shortAt, 12));
    const std::string entry = std::to_string(dir ? 0 : Digits(l.substr(sizeAt, sizeEnd - sizeAt))) + "|" +
                              (shortName.empty() ? name : shortName) + "|" +
                              FormatFileDate(year, month, day, hour % 12 + (half == 'P' ? 12 : 0), minute);
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (name != "." && name != "..") entries[name] = entry;
  }
  return entries;
}

}  // namespace

TEST(DirListing, MatchesTheShellsDirForNamesShortNamesSizesAndDates) {
  shelltest::ScratchFolder d;
  DirListingOptions options;
  options.thousandsSeparator = UserThousandsSeparator();
  const uint64_t fiveGb = 5ULL << 30;  // sparse: only its length is set
  uint64_t bytes = fiveGb;
  for (const std::string name : {"A long file name.txt", "short.txt", "Mixed Case.Text", "ab+cd.txt", "a.b.c"})
    bytes += d.File(name, name).size() - d.Path().size();
  SetFileAttributesA(d.File("hidden file.txt", "h").c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesA(d.File("system file.txt", "s").c_str(), FILE_ATTRIBUTE_SYSTEM);
  SetFileAttributesA(d.Folder("hidden folder").c_str(), FILE_ATTRIBUTE_HIDDEN);
  d.Folder("Sub Folder Long");
  win::UniqueHandle large = win::OwnFileHandle(
      CreateFileA((d.Path() + "five gigabytes.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(SetFilePointerEx(large.get(), LARGE_INTEGER{.QuadPart = fiveGb}, nullptr, FILE_BEGIN));
  ASSERT_TRUE(SetEndOfFile(large.get()));
  large.reset();

  const std::string dir = RunCaptured("cmd.exe /c dir /x /a-h-s \"" + d.Path() + ".\"");
  const Entries shell = ParseDirX(dir);
  ASSERT_EQ(shell.size(), 7u) << dir;

  WriteDirListing(d.Path(), options);
  const std::string text = shelltest::ReadWholeFile(d.Path() + kListingFileName);
  Entries ours = ParseListing(text);
  bytes += std::stoull(ours["DIR_CONTENTS.TXT"]);
  ours.erase("DIR_CONTENTS.TXT");
  EXPECT_EQ(ours, shell) << text;
  EXPECT_EQ(std::stoull(ours["FIVE GIGABYTES.BIN"]), fiveGb);
  const std::string tail =
      "\r\n7 file(s) " + GroupThousands(bytes, UserThousandsSeparator()) + " bytes\r\n1 dir(s) \r\n";
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

TEST(DirListing, EmptyDirectoryListsOnlyItsOwnFile) {
  shelltest::ScratchFolder d;
  DirListingOptions options;
  options.thousandsSeparator = UserThousandsSeparator();
  const std::string header = "Directory of " + d.Path() + "\r\n\r\n";
  WriteDirListing(d.Path(), options);
  std::string text = shelltest::ReadWholeFile(d.Path() + kListingFileName);
  // All but the short name and the date, which the file system gives. The header is on disk
  // before the search starts: the size the own line shows.
  text.replace(header.size(), 13, 13, '#').replace(header.size() + 28, 15, 15, '#');
  EXPECT_EQ(text, header + std::string(13, '#') + FormatSizeText(header.size(), UserThousandsSeparator()) + "  " +
                      std::string(15, '#') + " DIR_CONTENTS.TXT\r\n\r\n1 file(s) " + std::to_string(header.size()) +
                      " bytes\r\n0 dir(s) \r\n");
}

TEST(DirListingCommand, MissingDirectoriesAreRefused) {
  shelltest::ScratchFolder d;
  for (const std::string& typed : {std::string("   "), d.Path() + "nothing"}) {
    shelltest::MessageRecorder m;
    cmdListGo_Run(typed, {[] {}, [&] { m.shown.push_back("restore"); }, [&] { m.shown.push_back("focus"); }, {}});
    const std::string box = typed == "   " ? "Aborted/16: Need a directory!" : "Aborted/16: Invalid directory";
    EXPECT_EQ(m.shown, (std::vector<std::string>{box, "restore", "focus"})) << typed;
  }
}
