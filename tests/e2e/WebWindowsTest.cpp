// The Update and About windows of OKU_test.exe, fed by the loopback HTTP server that scripts/test
// starts; each test serves its own folder. The Donation window is tested in-process (WebShellTest).
#include <cstdlib>

#include "app/frmOKUIds.h"
#include "driver/BoxesAndKeys.h"
#include "driver/Driver.h"
#include "wine/HttpTestSupport.h"
#include "web/WebTexts.h"  // the release history, checked paragraph by paragraph where it is made
#include "web/frmAboutIds.h"
#include "web/frmUpdateIds.h"

using namespace driver;

namespace {

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
    folder_ = std::string("webui-") + testing::UnitTest::GetInstance()->current_test_info()->name() +
              std::to_string(GetCurrentProcessId());
    site_ = "http://" + httptest::ServerAddress() + "/";
  }
  // Starts OKU_test.exe; the update host is this test's folder on the server unless given.
  void Start(const std::string& updateHost = "") {
    const std::string host = updateHost.empty() ? httptest::ServerAddress() + "/" + folder_ : updateHost;
    main_ = StartOku(oku_, "OKU_test.exe", {{"OKU_TEST_UPDATE_URL", "http://" + host}, {"OKU_TEST_SITE_URL", site_}});
    ASSERT_NE(main_, nullptr) << "the main window did not appear";
  }
  void Serve(const std::string& name, const char* content) {  // nullptr: the file stays as it is
    if (content) httptest::WriteServedFile(folder_ + "/files/" + name, content);
  }
  HWND Open(int command, const std::string& caption) {
    PostMessageA(main_, WM_COMMAND, command, 0);
    return WaitTopWindow(oku_.pid(), caption);
  }
  // The box's "caption|text|style", answered with its last button (Cancel where there is one, so
  // that no fault can make the program open anything).
  std::string Box(unsigned style = 16) { return TakeBox(oku_.pid(), style); }
  std::string FetchFailed() const {
    return "The update check failed. You must check for the\r\nnew version of this application manually at\r\n" +
           site_ + ".";
  }

  std::string folder_, site_;
  Program oku_;
  HWND main_ = nullptr;
};

}  // namespace

// One modal window, one check after another: every check starts from scratch. (The download is
// checked in-process, tests/wine/WebShellTest.cpp.)
TEST_F(WebWindows, UpdateCheckAnswersEachVersionFile) {
  ASSERT_NO_FATAL_FAILURE(Start());
  HWND update = Open(IDM_OKU_UPDATE, "Update");
  ASSERT_NE(update, nullptr);
  auto item = [&](int id) { return Control(update, id); };
  EXPECT_FALSE(IsWindowEnabled(main_)) << "modal: the main window waits";
  const std::string broken = "An error has occured. Update check failed.\r\nYou must check for the new version of " +
                             std::string("this application \r\nmanually at ") + site_ + ".";
  auto latest = [](const std::string& web) {
    return "Web release = " + web + "\r\nYour release = 1.3.9\r\nYou have the latest release of OKU.";
  };
  const struct {
    const char *version, *news;  // nullptr: left as served before (nothing at first: 404)
    std::string caption, text;   // the window's caption and news, or a message box's
  } cases[] = {
      {nullptr, nullptr, "Error in update", FetchFailed()},
      {"QLN_VER 1.3.10", "QLN_NWZ A new tool.\r\nFixes.", "Update available from v1.3.9 to v1.3.10",
       "A new tool.\r\nFixes."},
      {"QLN_VER 2.0.0", "QLN_DLF A new tool.", "Update available from v1.3.9 to v2.0.0", "Unable to get news for OKU."},
      {"QLN_VER 1.3.9", nullptr, "OKU update", latest("1.3.9")},
      {"QLN_VER1.4.0", nullptr, "Error in update", broken},  // the payload is ".4.0"
      {"", nullptr, "Error in update", FetchFailed()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.version ? c.version : "(404)");
    Serve("OKU2.ver", c.version);
    Serve("OKU2.nwz", c.news);
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(item(IDB_UPDATE_CHECK)); }));
    Click(item(IDB_UPDATE_CHECK));
    const bool newer = c.caption.starts_with("Update available"), failed = c.caption == "Error in update";
    const unsigned style = c.caption == "OKU update" ? 64 : 16;
    if (!newer) {
      ASSERT_EQ(Box(style), c.caption + "|" + c.text + "|" + std::to_string(style));
    }
    ASSERT_TRUE(WaitUntil([&] {
      return GetText(update) == (newer ? c.caption : "Update") && IsEnabled(item(IDB_UPDATE_CHECK)) &&
             IsShown(item(IDB_UPDATE_SITE)) == failed;
    })) << GetText(update);
    EXPECT_EQ(GetText(item(IDE_UPDATE_NEWS)), newer ? c.text : "");
    EXPECT_EQ(IsEnabled(item(IDB_UPDATE_DOWNLOAD)), newer);
    EXPECT_TRUE(HeightIs(update, newer ? 4770 : 2010)) << "the window grows to show the news";
  }
}

// The update host is a closed port: the Update window opened from About meets a server that is down.
TEST_F(WebWindows, AboutStaysOpenUnderItsOwnUpdateWindowWithTheServerDown) {
  ASSERT_NO_FATAL_FAILURE(Start(httptest::kClosedPortAddress));
  HWND about = Open(IDM_OKU_ABOUT, "About OKU - Okumatic");
  ASSERT_NE(about, nullptr);
  EXPECT_FALSE(IsWindowEnabled(main_)) << "modal from the Help menu";
  EXPECT_EQ(GetText(Control(about, IDT_ABOUT_VERSION)), "Version: 1.3.9");
  EXPECT_EQ(GetText(Control(about, IDE_ABOUT_HISTORY)), web::ReleaseHistoryText());

  HWND label = Control(about, IDT_ABOUT_VERSION_UPDATE);  // "Update Information"
  PostMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  HWND update = WaitTopWindow(oku_.pid(), "Update");
  ASSERT_NE(update, nullptr);
  EXPECT_EQ(GetWindow(update, GW_OWNER), about);
  Click(Control(update, IDB_UPDATE_CHECK));
  EXPECT_EQ(Box(), "Error in update|" + FetchFailed() + "|16");
  Click(Control(update, IDB_UPDATE_CANCEL));
  ASSERT_TRUE(WaitWindowGone(update));
  Sleep(500);
  EXPECT_TRUE(IsWindow(about) && IsWindowVisible(about)) << "About closed under its own Update window";
}

// WinINet is loaded on first use: where it cannot be loaded, a check that would find a new release
// reports a failure instead and the program goes on. Wine takes WINEDLLOVERRIDES only from the
// environment it starts with, so ctest runs this test once more with wininet disabled throughout.
TEST_F(WebWindows, UpdateCheckWithoutWinInetIsAReportedFailure) {
  if (HMODULE wininet = LoadLibraryA("wininet.dll")) {
    FreeLibrary(wininet);
    GTEST_SKIP() << "wininet.dll loads here; the run with WINEDLLOVERRIDES=wininet=d tests this";
  }
  Serve("OKU2.ver", "QLN_VER 1.3.10");
  ASSERT_NO_FATAL_FAILURE(Start());
  HWND update = Open(IDM_OKU_UPDATE, "Update");
  ASSERT_NE(update, nullptr);
  Click(Control(update, IDB_UPDATE_CHECK));
  EXPECT_EQ(Box(), "Error in update|" + FetchFailed() + "|16");
  EXPECT_TRUE(WaitUntil([&] { return IsEnabled(Control(update, IDB_UPDATE_CHECK)); }));
  EXPECT_TRUE(oku_.Running());
}
