// The Update, Donation and About windows of OKU_test.exe, fed by the loopback HTTP server that
// scripts/test starts. Every test serves its own folder as the update host, so files never mix.
// Nothing here presses a control that would start a browser or a mail program.
#include <gtest/gtest.h>
#include <winsock.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "app/frmOKUIds.h"
#include "driver/Driver.h"
#include "web/frmAboutIds.h"
#include "web/frmDonateIds.h"
#include "web/frmUpdateIds.h"

using namespace driver;

namespace {

constexpr const char* kUpdateCaption = "Update";
constexpr const char* kDonateCaption = "Donation";
constexpr const char* kAboutCaption = "About OKU - Okumatic";

std::string Env(const char* name) {
  char value[2048];
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

// A loopback port that nothing listens on: bound by the system, then released.
int ClosedPort() {
  WSADATA data;
  if (WSAStartup(0x0101, &data) != 0) return 0;
  SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int length = sizeof address;
  int port = 0;
  if (bind(s, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
      getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) == 0)
    port = ntohs(address.sin_port);
  closesocket(s);
  WSACleanup();
  return port;
}

// Top-level visible windows of a process.
std::set<HWND> VisibleWindows(DWORD pid) {
  struct Search {
    DWORD pid;
    std::set<HWND> found;
  } search{pid, {}};
  EnumWindows(
      [](HWND hwnd, LPARAM lParam) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lParam);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner == s->pid && IsWindowVisible(hwnd)) s->found.insert(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int CountWindows(DWORD pid, const std::string& caption) {
  int count = 0;
  for (HWND hwnd : VisibleWindows(pid)) count += GetText(hwnd) == caption;
  return count;
}

int ClientHeight(HWND window) {
  RECT rc{};
  GetClientRect(window, &rc);
  return rc.bottom;
}

// Pixels of a height in twips on this display (the program runs on the same one).
int Pixels(int twips) {
  HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return MulDiv(twips, dpi, 1440);
}

bool HeightIs(HWND window, int twips) { return std::abs(ClientHeight(window) - Pixels(twips)) <= 1; }

// A press of a mouse button on a control, as the system delivers it.
void Press(HWND control, UINT down, UINT up, WPARAM keys) {
  PostMessageA(control, down, keys, MAKELPARAM(4, 4));
  PostMessageA(control, up, 0, MAKELPARAM(4, 4));
}

class WebWindows : public testing::Test {
 protected:
  void SetUp() override {
    port_ = Env("OKU_TEST_HTTP_PORT");
    if (port_.empty()) GTEST_SKIP() << "OKU_TEST_HTTP_PORT is not set (scripts/test sets it)";
    folder_ = std::string("webui-") + testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
              std::to_string(GetCurrentProcessId());
    site_ = "http://127.0.0.1:" + port_ + "/";
    siteHost_ = "127.0.0.1:" + port_;
  }

  // Starts OKU_test.exe with the update host (by default this test's folder on the server).
  void Start(const std::string& updateHost = "") {
    oku_ = Program::Start("OKU_test.exe", "",
                          {{"OKU_TEST_UPDATE_HOST", updateHost.empty() ? siteHost_ + "/" + folder_ : updateHost},
                           {"OKU_TEST_SITE_URL", site_}});
    main_ = WaitTopWindow(oku_.pid(), "Okumatic");
    ASSERT_NE(main_, nullptr) << "the main window did not appear";
  }

  std::string LocalPath(const std::string& name) const {
    std::string path = "Z:" + Env("OKU_TEST_HTTP_ROOT") + "/" + folder_ + "/files/" + name;
    for (char& c : path) c = c == '/' ? '\\' : c;
    return path;
  }
  // Puts /files/<name> on the server with this content.
  void Serve(const std::string& name, const std::string& content) {
    const std::string path = LocalPath(name);
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
      CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, content.size());
  }
  // Takes /files/<name> off the server: the next request gets a 404.
  void Withdraw(const std::string& name) { DeleteFileA(LocalPath(name).c_str()); }

  // Opens a window through the main window's menu command.
  HWND Open(int command, const std::string& caption) {
    PostMessageA(main_, WM_COMMAND, command, 0);
    return WaitTopWindow(oku_.pid(), caption);
  }

  // Waits for a message box, checks it and answers it. A box other than the one expected is
  // answered Cancel where it can be, so that a fault never lets it open anything, and ends the
  // test. (Which icon a box carries cannot be told from another process: icon handles are its own.)
  void ExpectBox(const std::string& caption, const std::string& text,
                 const std::vector<std::string>& buttons = {"OK"}, const std::string& answer = "OK") {
    const MessageBoxInfo box = WaitMessageBox(oku_.pid());
    ASSERT_NE(box.hwnd, nullptr) << "no message box " << caption;
    const bool expected = box.caption == caption && box.buttons == buttons;
    const bool canCancel = std::find(box.buttons.begin(), box.buttons.end(), "Cancel") != box.buttons.end();
    ASSERT_TRUE(Answer(box, expected ? answer : canCancel ? "Cancel" : "OK"));
    ASSERT_EQ(box.caption, caption) << box.text;
    ASSERT_EQ(box.buttons, buttons);
    EXPECT_EQ(box.text, text);
    EXPECT_TRUE(box.hasIcon);
  }

  // No message box appears within a short while.
  bool NoBoxFor(Ms wait) { return !WaitUntil([&] { return FindMessageBox(oku_.pid()) != nullptr; }, wait); }

  std::string UpdateFailedText() const {
    return "The update check failed. You must check for the\r\nnew version of this application manually at\r\n" + site_ +
           ".";
  }
  std::string UpdateErrorText() const {
    return "An error has occured. Update check failed.\r\nYou must check for the new version of this application "
           "\r\nmanually at " +
           site_ + ".";
  }

  std::string port_, folder_, site_, siteHost_;
  Program oku_;
  HWND main_ = nullptr;
};

}  // namespace

// --- Update --------------------------------------------------------------------------------

TEST_F(WebWindows, UpdateOpensModallyOverTheMainWindowAndEscapeClosesIt) {
  ASSERT_NO_FATAL_FAILURE(Start());
  HWND update = Open(IDM_OKU_UPDATE, kUpdateCaption);
  ASSERT_NE(update, nullptr);
  auto item = [&](int id) { return Control(update, id); };
  EXPECT_EQ(GetWindow(update, GW_OWNER), main_);
  EXPECT_FALSE(IsWindowEnabled(main_)) << "modal: the main window waits";
  EXPECT_TRUE(HeightIs(update, 2010)) << ClientHeight(update);
  EXPECT_EQ(GetText(item(IDT_UPDATE_WELCOME)),
            "Welcome to the Quillon Update. This process will verify that you have the latest version of OKU.");
  EXPECT_EQ(GetText(item(IDT_UPDATE_CONNECT)),
            "Please ensure that you are connected to the internet before proceeding.");
  EXPECT_EQ(GetText(item(IDB_UPDATE_CHECK)), "Check For &Update");
  EXPECT_EQ(GetText(item(IDB_UPDATE_DOWNLOAD)), "Download New Version");
  EXPECT_EQ(GetText(item(IDB_UPDATE_CANCEL)), "&Cancel");
  EXPECT_EQ(GetText(item(IDB_UPDATE_SITE)), site_);
  EXPECT_FALSE(IsEnabled(item(IDB_UPDATE_DOWNLOAD))) << "nothing to download before a check";

  PostMessageA(FocusedControl(update) ? FocusedControl(update) : update, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitWindowGone(update));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main_) != FALSE; }));
}

// One window, one check after another: every check starts from scratch.
TEST_F(WebWindows, UpdateCheckAnswersEachVersionFile) {
  ASSERT_NO_FATAL_FAILURE(Start());
  HWND update = Open(IDM_OKU_UPDATE, kUpdateCaption);
  ASSERT_NE(update, nullptr);
  auto item = [&](int id) { return Control(update, id); };
  const std::string latest = "You have the latest release of OKU.";
  enum Outcome { kNewer, kLatest, kFetchFailed, kError };
  const struct {
    const char* name;
    const char* version;  // nullptr: no version file (404)
    const char* news;     // nullptr: no news file
    Outcome outcome;
    std::string expected;  // caption and news, or the box's text
  } cases[] = {
      {"higher revision", "QLN_VER 1.3.10", "QLN_NWZ A new tool.\r\nFixes.", kNewer,
       "Update available from v1.3.9 to v1.3.10|A new tool.\r\nFixes."},
      {"news with a wrong marker", "QLN_VER 2.0.0", "QLN_DLF A new tool.", kNewer,
       "Update available from v1.3.9 to v2.0.0|Unable to get news for OKU."},
      {"no news file", "QLN_VER 1.4.0", nullptr, kNewer, "Update available from v1.3.9 to v1.4.0|Unable to get news for OKU."},
      {"leading zeros and a final line break", "QLN_VER 01.3.010\r\n", "QLN_NWZ\nn", kNewer,
       "Update available from v1.3.9 to v1.3.10|n"},
      {"same version", "QLN_VER 1.3.9", nullptr, kLatest, "Web release = 1.3.9\r\nYour release = 1.3.9\r\n" + latest},
      {"lower-case marker", "qln_ver 1.3.9", nullptr, kLatest, "Web release = 1.3.9\r\nYour release = 1.3.9\r\n" + latest},
      {"lower major, higher minor", "QLN_VER 0.9.9", nullptr, kLatest,
       "Web release = 0.9.9\r\nYour release = 1.3.9\r\n" + latest},
      {"no separator", "QLN_VER1.4.0", nullptr, kError, UpdateErrorText()},
      {"two pieces only", "QLN_VER 1.4", nullptr, kError, UpdateErrorText()},
      {"beyond 16 bits", "QLN_VER 1.3.40000", nullptr, kError, UpdateErrorText()},
      {"wrong marker", "QLN_NWZ 1.3.10", nullptr, kFetchFailed, UpdateFailedText()},
      {"empty file", "", nullptr, kFetchFailed, UpdateFailedText()},
      {"spaces only", "     ", nullptr, kFetchFailed, UpdateFailedText()},
      {"no file (404)", nullptr, nullptr, kFetchFailed, UpdateFailedText()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.version) {
      ASSERT_NO_FATAL_FAILURE(Serve("OKU2.ver", c.version));
    } else {
      Withdraw("OKU2.ver");
    }
    if (c.news) {
      ASSERT_NO_FATAL_FAILURE(Serve("OKU2.nwz", c.news));
    } else {
      Withdraw("OKU2.nwz");
    }
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(item(IDB_UPDATE_CHECK)); }));
    Click(item(IDB_UPDATE_CHECK));

    if (c.outcome == kNewer) {
      const size_t bar = c.expected.find('|');
      const std::string caption = c.expected.substr(0, bar);
      ASSERT_TRUE(WaitUntil([&] { return GetText(update) == caption; })) << GetText(update);
      ASSERT_TRUE(WaitUntil([&] { return IsEnabled(item(IDB_UPDATE_CHECK)); }));
      EXPECT_EQ(GetText(item(IDE_UPDATE_NEWS)), c.expected.substr(bar + 1));
      EXPECT_TRUE(IsEnabled(item(IDB_UPDATE_DOWNLOAD)));
      EXPECT_TRUE(HeightIs(update, 4770)) << "the news shows: " << ClientHeight(update);
      EXPECT_EQ(FocusedControl(update), item(IDB_UPDATE_DOWNLOAD));
      EXPECT_FALSE(IsShown(item(IDB_UPDATE_SITE)));
      EXPECT_TRUE(NoBoxFor(Ms(300)));
      continue;
    }
    if (c.outcome == kLatest) {
      ASSERT_NO_FATAL_FAILURE(ExpectBox("OKU update", c.expected));
      EXPECT_TRUE(WaitUntil([&] { return FocusedControl(update) == item(IDB_UPDATE_CANCEL); }));
      EXPECT_FALSE(IsShown(item(IDB_UPDATE_SITE)));
    } else {
      ASSERT_NO_FATAL_FAILURE(ExpectBox("Error in update", c.expected));
      EXPECT_TRUE(WaitUntil([&] { return IsShown(item(IDB_UPDATE_SITE)); }));
      EXPECT_TRUE(WaitUntil([&] { return FocusedControl(update) == item(IDB_UPDATE_SITE); }));
    }
    // Whatever the last check found is gone: caption, news, size and the download button.
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(item(IDB_UPDATE_CHECK)); }));
    EXPECT_EQ(GetText(update), kUpdateCaption);
    EXPECT_EQ(GetText(item(IDE_UPDATE_NEWS)), "");
    EXPECT_TRUE(HeightIs(update, 2010)) << ClientHeight(update);
    EXPECT_FALSE(IsEnabled(item(IDB_UPDATE_DOWNLOAD)));
  }
  Click(item(IDB_UPDATE_CANCEL));
  EXPECT_TRUE(WaitWindowGone(update));
}

TEST_F(WebWindows, UpdateWithTheServerNotRunningReportsTheFailedCheck) {
  const int closed = ClosedPort();
  ASSERT_NE(closed, 0);
  ASSERT_NO_FATAL_FAILURE(Start("127.0.0.1:" + std::to_string(closed)));
  HWND update = Open(IDM_OKU_UPDATE, kUpdateCaption);
  ASSERT_NE(update, nullptr);
  Click(Control(update, IDB_UPDATE_CHECK));
  ASSERT_NO_FATAL_FAILURE(ExpectBox("Error in update", UpdateFailedText()));
  EXPECT_TRUE(WaitUntil([&] { return IsShown(Control(update, IDB_UPDATE_SITE)); }));
  EXPECT_TRUE(IsEnabled(Control(update, IDB_UPDATE_CHECK)));
  EXPECT_FALSE(IsEnabled(Control(update, IDB_UPDATE_DOWNLOAD)));
}

// After a newer release was found: the instructions (answered Cancel, so nothing is opened),
// and every download file that must not reach the shell.
TEST_F(WebWindows, DownloadAsksFirstAndRefusesWhatIsNoWebAddress) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(Serve("OKU2.ver", "QLN_VER 1.3.10"));
  HWND update = Open(IDM_OKU_UPDATE, kUpdateCaption);
  ASSERT_NE(update, nullptr);
  auto item = [&](int id) { return Control(update, id); };
  Click(item(IDB_UPDATE_CHECK));
  ASSERT_TRUE(WaitUntil([&] { return IsEnabled(item(IDB_UPDATE_DOWNLOAD)); }));

  const std::string instructions =
      "This feature will download the installer package\r\nfor the new version of OKU. After the download\r\n"
      "is complete, please exit the current running version\r\nof OKU before installing the new version.";
  const std::string failed =
      "An error has occured. You must manually download the new\r\nversion of OKU at " + site_ + ".";
  const struct {
    const char* name;
    const char* file;  // nullptr: 404
    bool asks;
  } cases[] = {
      {"web address", "QLN_DLF http://127.0.0.1:9/OKU_setup.exe", true},
      {"secure address, lower-case marker", "qln_dlf HTTPS://127.0.0.1:9/OKU_setup.exe", true},
      {"local program", "QLN_DLF C:\\windows\\system32\\notepad.exe", false},
      {"file address", "QLN_DLF file:///C:/windows/system32/notepad.exe", false},
      {"wrong marker", "QLN_VER http://127.0.0.1:9/OKU_setup.exe", false},
      {"no file (404)", nullptr, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.file) {
      ASSERT_NO_FATAL_FAILURE(Serve("OKU2.dlf", c.file));
    } else {
      Withdraw("OKU2.dlf");
    }
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(item(IDB_UPDATE_DOWNLOAD)); }));
    const std::set<HWND> before = VisibleWindows(oku_.pid());
    Click(item(IDB_UPDATE_DOWNLOAD));
    if (c.asks) {
      ASSERT_NO_FATAL_FAILURE(ExpectBox("Instructions", instructions, {"OK", "Cancel"}, "Cancel"));
      EXPECT_TRUE(NoBoxFor(Ms(500))) << "Cancel opens nothing";
    } else {
      ASSERT_NO_FATAL_FAILURE(ExpectBox("Error in download", failed));
      EXPECT_TRUE(WaitUntil([&] { return IsShown(item(IDB_UPDATE_SITE)); }));
    }
    EXPECT_TRUE(WaitUntil([&] { return IsEnabled(item(IDB_UPDATE_DOWNLOAD)); })) << "enabled again whatever the outcome";
    EXPECT_EQ(VisibleWindows(oku_.pid()), before) << "no window was opened";
  }
}

// --- Donation ------------------------------------------------------------------------------

TEST_F(WebWindows, DonationButtonsFollowTheLinksFile) {
  ASSERT_NO_FATAL_FAILURE(Start());
  HWND donate = Open(IDM_OKU_DONATE, kDonateCaption);
  ASSERT_NE(donate, nullptr);
  auto item = [&](int id) { return Control(donate, id); };
  auto captions = [&] {
    return std::vector<std::string>{GetText(item(IDB_DONATE_LINK0)), GetText(item(IDB_DONATE_LINK0 + 1)),
                                    GetText(item(IDB_DONATE_LINK0 + 2))};
  };
  const std::vector<std::string> atSite{siteHost_, siteHost_, siteHost_};

  EXPECT_EQ(GetWindow(donate, GW_OWNER), main_);
  EXPECT_FALSE(IsWindowEnabled(main_));
  EXPECT_TRUE(HeightIs(donate, 2250)) << ClientHeight(donate);
  EXPECT_EQ(captions(), atSite);
  EXPECT_EQ(GetText(item(IDB_DONATE_GET)), "&Get Links");
  EXPECT_EQ(GetText(item(IDB_DONATE_CANCEL)), "&Cancel");
  EXPECT_EQ(GetText(item(IDE_DONATE_TEXT)),
            "If you wish to make a donation, I have setup several different methods by which you may do so. This "
            "software is still freeware and I intend to update it as needed. However, if you feel it is useful, then a "
            "donation would help me offset some of the costs associated with developing the software. Please click on "
            "\"Get Links\" to get the selections. Thank You.\r\n\r\n(You will need to be connected to the internet to "
            "reach the websites)");

  const std::string failed =
      "Could not get the update for the links. Click on one of the\r\nexisting links to go to official Quillon site "
      "and\r\nuse the donation links listed there.";
  const struct {
    const char* name;
    const char* file;  // nullptr: 404
    bool fails;
    std::vector<std::string> captions;
  } cases[] = {
      {"one pair", "QLN_DON PayPal http://pay.example/oku", false, {"PayPal", siteHost_, siteHost_}},
      {"seven pairs",
       "QLN_DON A http://a B http://b C http://c D http://d E http://e F http://f G http://g", false,
       {"A", "B", "C"}},
      {"line break inside a word", "QLN_DON Pay\r\nPal http://p Card http://c", false,
       {"Pay\r\nPal", "Card", siteHost_}},
      {"lower-case marker", "qln_don One http://one", false, {"One", siteHost_, siteHost_}},
      {"marker then a line break", "QLN_DON\r\nPayPal http://p", true, atSite},
      {"marker alone", "QLN_DON", true, atSite},
      {"captions without addresses", "QLN_DON Lonely", true, atSite},
      {"wrong marker", "QLN_DLF PayPal http://p", true, atSite},
      {"no file (404)", nullptr, true, atSite},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.file) {
      ASSERT_NO_FATAL_FAILURE(Serve("OKU.don", c.file));
    } else {
      Withdraw("OKU.don");
    }
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(item(IDB_DONATE_GET)); }));
    Click(item(IDB_DONATE_GET));
    if (c.fails) {
      ASSERT_NO_FATAL_FAILURE(ExpectBox("Error in update", failed));
    } else {
      EXPECT_TRUE(NoBoxFor(Ms(300)));
    }
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(item(IDB_DONATE_GET)) && HeightIs(donate, 3765); }))
        << ClientHeight(donate);
    EXPECT_EQ(captions(), c.captions);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(IsEnabled(item(IDB_DONATE_LINK0 + i))) << i;
    EXPECT_EQ(FocusedControl(donate), item(IDB_DONATE_LINK0));
  }
  Click(item(IDB_DONATE_CANCEL));
  EXPECT_TRUE(WaitWindowGone(donate));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main_) != FALSE; }));
}

// --- About ---------------------------------------------------------------------------------

TEST_F(WebWindows, AboutFromHelpIsModalAndKeepsItsUpdateWindowOnTop) {
  ASSERT_NO_FATAL_FAILURE(Start());
  HWND about = Open(IDM_OKU_ABOUT, kAboutCaption);
  ASSERT_NE(about, nullptr);
  auto item = [&](int id) { return Control(about, id); };
  EXPECT_EQ(GetWindow(about, GW_OWNER), main_);
  EXPECT_FALSE(IsWindowEnabled(main_));
  EXPECT_EQ(GetText(item(IDT_ABOUT_VERSION)), "Version: 1.3.9");
  EXPECT_EQ(GetText(item(IDT_ABOUT_URL)), site_);
  EXPECT_EQ(GetText(item(IDT_ABOUT_PRODUCT)), "Quillon");
  EXPECT_EQ(GetText(item(IDT_ABOUT_VERSION_UPDATE)), "Update Information");
  EXPECT_EQ(GetText(item(IDT_ABOUT_NAME)), "OKU");
  EXPECT_EQ(GetText(item(IDT_ABOUT_PURPOSE)), "A program to access common Windows functions.");
  const std::string history = GetText(item(IDE_ABOUT_HISTORY));
  const std::string newest = "v1.03.9 (10/17/2002) Added a link to the Control Panel. Minor tweaks.\r\n\r\nv";
  EXPECT_EQ(history.substr(0, newest.size()), newest);
  EXPECT_NE(history.rfind("\r\n\r\nv1.00 ("), std::string::npos) << "the oldest release is v1.00";
  EXPECT_TRUE(GetWindowLongA(item(IDE_ABOUT_HISTORY), GWL_STYLE) & ES_READONLY);

  // A right click on the site's address does nothing: no box, no window, no process.
  const std::set<HWND> before = VisibleWindows(oku_.pid());
  Press(item(IDT_ABOUT_URL), WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
  Press(item(IDT_ABOUT_PRODUCT), WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
  EXPECT_TRUE(NoBoxFor(Ms(1000)));
  EXPECT_EQ(VisibleWindows(oku_.pid()), before);

  // "Update Information" opens the Update window, owned by About, and About stays underneath.
  Press(item(IDT_ABOUT_VERSION_UPDATE), WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
  HWND update = WaitTopWindow(oku_.pid(), kUpdateCaption);
  ASSERT_NE(update, nullptr);
  EXPECT_EQ(GetWindow(update, GW_OWNER), about);
  EXPECT_FALSE(IsWindowEnabled(about));
  Sleep(500);
  EXPECT_TRUE(IsWindow(about) && IsWindowVisible(about)) << "About closed under its own Update window";
  // A box of the Update window (the failed check: no version file) does not close About either.
  Click(Control(update, IDB_UPDATE_CHECK));
  ASSERT_NO_FATAL_FAILURE(ExpectBox("Error in update", UpdateFailedText()));
  Click(Control(update, IDB_UPDATE_CANCEL));
  ASSERT_TRUE(WaitWindowGone(update));
  Sleep(500);
  EXPECT_TRUE(IsWindow(about) && IsWindowVisible(about));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(about) != FALSE; }));
  EXPECT_FALSE(IsWindowEnabled(main_)) << "About is still modal";

  Click(item(IDB_ABOUT_OK));
  EXPECT_TRUE(WaitWindowGone(about));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main_) != FALSE; }));
}

TEST_F(WebWindows, AboutFromTheIconMenuIsModelessAndOpenOnlyOnce) {
  ASSERT_NO_FATAL_FAILURE(Start());
  HWND about = Open(IDM_OKU_TRAY_ABOUT, kAboutCaption);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(GetWindow(about, GW_OWNER), main_);
  EXPECT_TRUE(IsWindowEnabled(main_)) << "modeless: the main window takes input";
  EXPECT_EQ(GetText(Control(about, IDT_ABOUT_VERSION)), "Version: 1.3.9");

  PostMessageA(main_, WM_COMMAND, IDM_OKU_TRAY_ABOUT, 0);
  Sleep(500);
  EXPECT_EQ(CountWindows(oku_.pid(), kAboutCaption), 1) << "the open About is shown again, not a second one";
  EXPECT_TRUE(IsWindow(about));

  Click(Control(about, IDB_ABOUT_OK));
  ASSERT_TRUE(WaitWindowGone(about));
  HWND again = Open(IDM_OKU_TRAY_ABOUT, kAboutCaption);
  ASSERT_NE(again, nullptr) << "a closed About opens anew";
  EXPECT_EQ(GetText(Control(again, IDE_ABOUT_HISTORY)).substr(0, 8), "v1.03.9 ");
  PostMessageA(FocusedControl(again) ? FocusedControl(again) : again, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitWindowGone(again));
}
