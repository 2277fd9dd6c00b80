// The Update, Donation and About windows of OKU_test.exe, fed by the loopback HTTP server that
// scripts/test starts. Every test serves its own folder as the update host, so files never mix.
// Nothing here presses a control that would start a browser or a mail program.
#include "wine/HttpTestSupport.h"  // first: it brings Windows Sockets 2 before windows.h

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

constexpr const char* kUpdate = "Update";
constexpr const char* kDonation = "Donation";
constexpr const char* kAbout = "About OKU - Okumatic";

// Top-level visible windows of a process.
std::multiset<std::string> VisibleWindows(DWORD pid) {
  std::pair<DWORD, std::multiset<std::string>> search{pid, {}};
  EnumWindows(
      [](HWND hwnd, LPARAM lParam) -> BOOL {
        auto* s = reinterpret_cast<decltype(search)*>(lParam);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner == s->first && IsWindowVisible(hwnd)) s->second.insert(GetText(hwnd));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.second;
}

// The client area is that many twips high on this display (the program shares it).
bool HeightIs(HWND window, int twips) {
  RECT rc{};
  GetClientRect(window, &rc);
  HDC dc = GetDC(nullptr);
  const int pixels = MulDiv(twips, GetDeviceCaps(dc, LOGPIXELSY), 1440);
  ReleaseDC(nullptr, dc);
  return std::abs(rc.bottom - pixels) <= 1;
}

class WebWindows : public testing::Test {
 protected:
  void SetUp() override {
    REQUIRE_TEST_HTTP_SERVER();
    folder_ = std::string("webui-") + testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
              std::to_string(GetCurrentProcessId());
    host_ = httptest::ServerAddress();
    site_ = "http://" + host_ + "/";
  }

  // Starts OKU_test.exe; the update host is this test's folder on the server unless given.
  void Start(const std::string& updateHost = "") {
    oku_ = Program::Start("OKU_test.exe", "",
                          {{"OKU_TEST_UPDATE_HOST", updateHost.empty() ? host_ + "/" + folder_ : updateHost},
                           {"OKU_TEST_SITE_URL", site_}});
    main_ = WaitTopWindow(oku_.pid(), "Okumatic");
    ASSERT_NE(main_, nullptr) << "the main window did not appear";
  }
  // Puts /files/<name> on the server, or with nullptr takes it off (the next request gets 404).
  void Serve(const std::string& name, const char* content) {
    if (content) return httptest::WriteServedFile(folder_ + "/files/" + name, content);
    std::string path = "Z:" + httptest::Env("OKU_TEST_HTTP_ROOT") + "/" + folder_ + "/files/" + name;
    std::replace(path.begin(), path.end(), '/', '\\');
    DeleteFileA(path.c_str());
  }
  // Opens a window through the main window's menu command.
  HWND Open(int command, const std::string& caption) {
    PostMessageA(main_, WM_COMMAND, command, 0);
    return WaitTopWindow(oku_.pid(), caption);
  }
  void PressEscape(HWND window) {
    PostMessageA(FocusedControl(window) ? FocusedControl(window) : window, WM_KEYDOWN, VK_ESCAPE, 0);
  }

  // Waits for a message box, checks it and answers it. A box other than the one expected is
  // answered Cancel where it can be, so that a fault never lets it open anything, and ends the
  // test. (Which icon a box carries cannot be told from another process: icon handles are its own.)
  void ExpectBox(const std::string& caption, const std::string& text, const std::vector<std::string>& buttons = {"OK"},
                 const std::string& answer = "OK") {
    const MessageBoxInfo box = WaitMessageBox(oku_.pid());
    ASSERT_NE(box.hwnd, nullptr) << "no message box " << caption;
    const bool expected = box.caption == caption && box.buttons == buttons;
    const bool canCancel = std::count(box.buttons.begin(), box.buttons.end(), "Cancel") > 0;
    ASSERT_TRUE(Answer(box, expected ? answer : canCancel ? "Cancel" : "OK"));
    ASSERT_EQ(box.caption, caption) << box.text;
    ASSERT_EQ(box.buttons, buttons);
    EXPECT_EQ(box.text, text);
    EXPECT_TRUE(box.hasIcon);
  }
  bool NoBoxFor(Ms wait) {
    return !WaitUntil([&] { return FindMessageBox(oku_.pid()) != nullptr; }, wait);
  }

  std::string FetchFailedText() const {
    return "The update check failed. You must check for the\r\nnew version of this application manually at\r\n" +
           site_ + ".";
  }

  std::string folder_, host_, site_;
  Program oku_;
  HWND main_ = nullptr;
};

}  // namespace

// One modal window, one check after another: every check starts from scratch.
TEST_F(WebWindows, UpdateCheckAnswersEachVersionFile) {
  ASSERT_NO_FATAL_FAILURE(Start());
  HWND update = Open(IDM_OKU_UPDATE, kUpdate);
  ASSERT_NE(update, nullptr);
  auto item = [&](int id) { return Control(update, id); };
  EXPECT_EQ(GetWindow(update, GW_OWNER), main_);
  EXPECT_FALSE(IsWindowEnabled(main_)) << "modal: the main window waits";
  EXPECT_EQ(GetText(item(IDB_UPDATE_SITE)), site_);
  EXPECT_FALSE(IsEnabled(item(IDB_UPDATE_DOWNLOAD))) << "nothing to download before a check";

  const std::string latest = "\r\nYour release = 1.3.9\r\nYou have the latest release of OKU.";
  const std::string error =
      "An error has occured. Update check failed.\r\nYou must check for the new version of "
      "this application \r\nmanually at " +
      site_ + ".";
  enum Outcome { kNewer, kLatest, kFailed };
  const struct {
    const char* name;
    const char* version;  // nullptr: no version file (404)
    const char* news;     // nullptr: no news file
    Outcome outcome;
    std::string expected;  // "caption|news", or the box's text
  } cases[] = {
      {"higher revision", "QLN_VER 1.3.10", "QLN_NWZ A new tool.\r\nFixes.", kNewer,
       "Update available from v1.3.9 to v1.3.10|A new tool.\r\nFixes."},
      {"news with a wrong marker", "QLN_VER 2.0.0", "QLN_DLF A new tool.", kNewer,
       "Update available from v1.3.9 to v2.0.0|Unable to get news for OKU."},
      {"no news file", "QLN_VER 1.4.0", nullptr, kNewer,
       "Update available from v1.3.9 to v1.4.0|Unable to get news for OKU."},
      {"leading zeros, final line break", "QLN_VER 01.3.010\r\n", "QLN_NWZ\nn", kNewer,
       "Update available from v1.3.9 to v1.3.10|n"},
      {"same version", "QLN_VER 1.3.9", nullptr, kLatest, "Web release = 1.3.9" + latest},
      {"lower-case marker", "qln_ver 1.3.9", nullptr, kLatest, "Web release = 1.3.9" + latest},
      {"lower major, higher minor", "QLN_VER 0.9.9", nullptr, kLatest, "Web release = 0.9.9" + latest},
      {"no separator", "QLN_VER1.4.0", nullptr, kFailed, error},
      {"two pieces only", "QLN_VER 1.4", nullptr, kFailed, error},
      {"beyond 16 bits", "QLN_VER 1.3.40000", nullptr, kFailed, error},
      {"wrong marker", "QLN_NWZ 1.3.10", nullptr, kFailed, FetchFailedText()},
      {"empty file", "", nullptr, kFailed, FetchFailedText()},
      {"spaces only", "     ", nullptr, kFailed, FetchFailedText()},
      {"no file (404)", nullptr, nullptr, kFailed, FetchFailedText()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_NO_FATAL_FAILURE(Serve("OKU2.ver", c.version));
    ASSERT_NO_FATAL_FAILURE(Serve("OKU2.nwz", c.news));
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(item(IDB_UPDATE_CHECK)); }));
    Click(item(IDB_UPDATE_CHECK));
    if (c.outcome == kNewer) {
      const size_t bar = c.expected.find('|');
      ASSERT_TRUE(WaitUntil([&] { return GetText(update) == c.expected.substr(0, bar); })) << GetText(update);
      ASSERT_TRUE(WaitUntil([&] { return IsEnabled(item(IDB_UPDATE_CHECK)); }));
      EXPECT_EQ(GetText(item(IDE_UPDATE_NEWS)), c.expected.substr(bar + 1));
      EXPECT_TRUE(IsEnabled(item(IDB_UPDATE_DOWNLOAD)));
      EXPECT_TRUE(HeightIs(update, 4770)) << "the window grows to show the news";
      EXPECT_EQ(FocusedControl(update), item(IDB_UPDATE_DOWNLOAD));
      EXPECT_TRUE(NoBoxFor(Ms(300)));
      continue;
    }
    ASSERT_NO_FATAL_FAILURE(ExpectBox(c.outcome == kLatest ? "OKU update" : "Error in update", c.expected));
    const int focus = c.outcome == kLatest ? IDB_UPDATE_CANCEL : IDB_UPDATE_SITE;
    EXPECT_TRUE(WaitUntil([&] { return FocusedControl(update) == item(focus); }));
    EXPECT_EQ(IsShown(item(IDB_UPDATE_SITE)), c.outcome == kFailed) << "the site's button shows after a failure";
    // What the last check found is gone: caption, news, size and the download button.
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(item(IDB_UPDATE_CHECK)); }));
    EXPECT_EQ(GetText(update), kUpdate);
    EXPECT_EQ(GetText(item(IDE_UPDATE_NEWS)), "");
    EXPECT_TRUE(HeightIs(update, 2010));
    EXPECT_FALSE(IsEnabled(item(IDB_UPDATE_DOWNLOAD)));
  }
  PressEscape(update);
  EXPECT_TRUE(WaitWindowGone(update));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main_) != FALSE; }));
}

TEST_F(WebWindows, UpdateWithTheServerNotRunningReportsTheFailedCheck) {
  const std::string closed = httptest::ClosedPortUrl();  // http://127.0.0.1:<port>/files/...
  ASSERT_NO_FATAL_FAILURE(Start(closed.substr(7, closed.find('/', 7) - 7)));
  HWND update = Open(IDM_OKU_UPDATE, kUpdate);
  ASSERT_NE(update, nullptr);
  Click(Control(update, IDB_UPDATE_CHECK));
  ASSERT_NO_FATAL_FAILURE(ExpectBox("Error in update", FetchFailedText()));
  EXPECT_TRUE(WaitUntil([&] { return IsShown(Control(update, IDB_UPDATE_SITE)); }));
  EXPECT_TRUE(IsEnabled(Control(update, IDB_UPDATE_CHECK)));
}

// After a newer release was found: the instructions (answered Cancel, so nothing is opened),
// and every download file that must not reach the shell.
TEST_F(WebWindows, DownloadAsksFirstAndRefusesWhatIsNoWebAddress) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(Serve("OKU2.ver", "QLN_VER 1.3.10"));
  HWND update = Open(IDM_OKU_UPDATE, kUpdate);
  ASSERT_NE(update, nullptr);
  HWND download = Control(update, IDB_UPDATE_DOWNLOAD);
  Click(Control(update, IDB_UPDATE_CHECK));
  ASSERT_TRUE(WaitUntil([&] { return IsEnabled(download); }));

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
  const auto before = VisibleWindows(oku_.pid());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_NO_FATAL_FAILURE(Serve("OKU2.dlf", c.file));
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(download); }));
    Click(download);
    if (c.asks) {
      ASSERT_NO_FATAL_FAILURE(ExpectBox("Instructions", instructions, {"OK", "Cancel"}, "Cancel"));
      EXPECT_TRUE(NoBoxFor(Ms(500))) << "Cancel opens nothing";
    } else {
      ASSERT_NO_FATAL_FAILURE(ExpectBox("Error in download", failed));
      EXPECT_TRUE(WaitUntil([&] { return IsShown(Control(update, IDB_UPDATE_SITE)); }));
    }
    EXPECT_TRUE(WaitUntil([&] { return IsEnabled(download); })) << "enabled again whatever the outcome";
  }
  EXPECT_EQ(VisibleWindows(oku_.pid()), before) << "no window was opened";
}

TEST_F(WebWindows, DonationButtonsFollowTheLinksFile) {
  ASSERT_NO_FATAL_FAILURE(Start());
  HWND donate = Open(IDM_OKU_DONATE, kDonation);
  ASSERT_NE(donate, nullptr);
  auto item = [&](int id) { return Control(donate, id); };
  auto captions = [&] {
    std::vector<std::string> texts;
    for (int i = 0; i < 3; ++i) texts.push_back(GetText(item(IDB_DONATE_LINK0 + i)));
    return texts;
  };
  const std::vector<std::string> atSite{host_, host_, host_};
  EXPECT_EQ(GetWindow(donate, GW_OWNER), main_);
  EXPECT_TRUE(HeightIs(donate, 2250));
  EXPECT_EQ(captions(), atSite);
  const std::string text = GetText(item(IDE_DONATE_TEXT));
  EXPECT_EQ(text.substr(0, 42), "If you wish to make a donation, I have set");
  EXPECT_NE(text.find("software. Please click on \"Get Links\" to get the selections. Thank You.\r\n\r\n(You will need "
                      "to be connected to the internet to reach the websites)"),
            std::string::npos);

  const std::string failed =
      "Could not get the update for the links. Click on one of the\r\nexisting links to go to "
      "official Quillon site and\r\nuse the donation links listed there.";
  const struct {
    const char* name;
    const char* file;  // nullptr: 404
    std::vector<std::string> captions;
  } cases[] = {
      {"one pair", "QLN_DON PayPal http://pay.example/oku", {"PayPal", host_, host_}},
      {"seven pairs",
       "QLN_DON A http://a B http://b C http://c D http://d E http://e F http://f G http://g",
       {"A", "B", "C"}},
      {"line break inside a word", "QLN_DON Pay\r\nPal http://p Card http://c", {"Pay\r\nPal", "Card", host_}},
      {"lower-case marker", "qln_don One http://one", {"One", host_, host_}},
      {"marker then a line break", "QLN_DON\r\nPayPal http://p", atSite},
      {"marker alone", "QLN_DON", atSite},
      {"captions without addresses", "QLN_DON Lonely", atSite},
      {"no file (404)", nullptr, atSite},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_NO_FATAL_FAILURE(Serve("OKU.don", c.file));
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(item(IDB_DONATE_GET)); }));
    Click(item(IDB_DONATE_GET));
    if (c.captions == atSite) {
      ASSERT_NO_FATAL_FAILURE(ExpectBox("Error in update", failed));
    } else {
      EXPECT_TRUE(NoBoxFor(Ms(300)));
    }
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(item(IDB_DONATE_GET)) && HeightIs(donate, 3765); }));
    EXPECT_EQ(captions(), c.captions);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(IsEnabled(item(IDB_DONATE_LINK0 + i))) << i;
    EXPECT_EQ(FocusedControl(donate), item(IDB_DONATE_LINK0));
  }
  Click(item(IDB_DONATE_CANCEL));
  EXPECT_TRUE(WaitWindowGone(donate));
}

TEST_F(WebWindows, AboutFromHelpIsModalAndStaysUnderItsUpdateWindow) {
  ASSERT_NO_FATAL_FAILURE(Start());
  HWND about = Open(IDM_OKU_ABOUT, kAbout);
  ASSERT_NE(about, nullptr);
  auto item = [&](int id) { return Control(about, id); };
  EXPECT_EQ(GetWindow(about, GW_OWNER), main_);
  EXPECT_FALSE(IsWindowEnabled(main_));
  EXPECT_EQ(GetText(item(IDT_ABOUT_VERSION)), "Version: 1.3.9");
  EXPECT_EQ(GetText(item(IDT_ABOUT_URL)), site_);
  const std::string history = GetText(item(IDE_ABOUT_HISTORY));
  const std::string newest = "v1.03.9 (10/17/2002) Added a link to the Control Panel. Minor tweaks.\r\n\r\nv";
  EXPECT_EQ(history.substr(0, newest.size()), newest);
  EXPECT_NE(history.rfind("\r\n\r\nv1.00 ("), std::string::npos) << "the oldest release is v1.00";

  // A right click on the maker or the site's address does nothing: no box, no window.
  const auto before = VisibleWindows(oku_.pid());
  for (int label : {IDT_ABOUT_URL, IDT_ABOUT_PRODUCT}) {
    PostMessageA(item(label), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(4, 4));
    PostMessageA(item(label), WM_RBUTTONUP, 0, MAKELPARAM(4, 4));
  }
  EXPECT_TRUE(NoBoxFor(Ms(1000)));
  EXPECT_EQ(VisibleWindows(oku_.pid()), before);

  // "Update Information": the Update window, owned by About; neither it nor its box closes About.
  PostMessageA(item(IDT_ABOUT_VERSION_UPDATE), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageA(item(IDT_ABOUT_VERSION_UPDATE), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  HWND update = WaitTopWindow(oku_.pid(), kUpdate);
  ASSERT_NE(update, nullptr);
  EXPECT_EQ(GetWindow(update, GW_OWNER), about);
  Click(Control(update, IDB_UPDATE_CHECK));  // no version file: the failure box
  ASSERT_NO_FATAL_FAILURE(ExpectBox("Error in update", FetchFailedText()));
  Click(Control(update, IDB_UPDATE_CANCEL));
  ASSERT_TRUE(WaitWindowGone(update));
  Sleep(500);
  EXPECT_TRUE(IsWindow(about) && IsWindowVisible(about)) << "About closed under its own Update window";
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(about) != FALSE; }));
  EXPECT_FALSE(IsWindowEnabled(main_)) << "About is still modal";
  Click(item(IDB_ABOUT_OK));
  EXPECT_TRUE(WaitWindowGone(about));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main_) != FALSE; }));
}

TEST_F(WebWindows, AboutFromTheIconMenuIsModelessAndOpenOnlyOnce) {
  ASSERT_NO_FATAL_FAILURE(Start());
  HWND about = Open(IDM_OKU_TRAY_ABOUT, kAbout);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(GetWindow(about, GW_OWNER), main_);
  EXPECT_TRUE(IsWindowEnabled(main_)) << "modeless: the main window takes input";
  PostMessageA(main_, WM_COMMAND, IDM_OKU_TRAY_ABOUT, 0);
  Sleep(500);
  EXPECT_EQ(VisibleWindows(oku_.pid()).count(kAbout), 1u) << "the open About is shown again, not a second one";

  Click(Control(about, IDB_ABOUT_OK));
  ASSERT_TRUE(WaitWindowGone(about));
  HWND again = Open(IDM_OKU_TRAY_ABOUT, kAbout);
  ASSERT_NE(again, nullptr) << "a closed About opens anew";
  EXPECT_EQ(GetText(Control(again, IDT_ABOUT_VERSION)), "Version: 1.3.9");
  PressEscape(again);
  EXPECT_TRUE(WaitWindowGone(again));
}
