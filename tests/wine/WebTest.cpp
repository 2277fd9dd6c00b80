// The web code in this process against the loopback server: the real WinINet client, and the Update,
// Donation and About windows, whose hand-overs to the shell are recorded instead of run.
#include <windows.h>
#include <wininet.h>

#include <chrono>
#include <tuple>

#include "HttpTestSupport.h"
#include "ShellTestSupport.h"

#include "BuildConfig.h"
#include "platform/Failure.h"
#include "platform/Http.h"
#include "web/frmAbout.h"
#include "web/frmAboutIds.h"
#include "web/frmDonate.h"
#include "web/frmDonateIds.h"
#include "web/frmUpdate.h"
#include "web/frmUpdateIds.h"

namespace {

long FailureNumber(const std::string& url, const http::FetchLimits& limits = {}) {
  try {
    http::FetchText(url, limits);
  } catch (const Failure& failure) {
    EXPECT_FALSE(failure.description.empty());
    return failure.number;
  }
  return 0;
}

TEST(HttpFetch, BodiesUpToTheCapStatusesAndAClosedPort) {
  REQUIRE_TEST_HTTP_SERVER();
  const std::string body = std::string("QLN\0\r\n\xff", 7) + std::string(256 * 1024 - 7, 'x');  // just at the cap
  httptest::WriteServedFile("fetch/at-cap.txt", body);
  EXPECT_EQ(http::FetchText(httptest::ServedUrl("fetch/at-cap.txt")), body);
  httptest::WriteServedFile("fetch/over-cap.txt", body + "x");
  EXPECT_EQ(FailureNumber(httptest::ServedUrl("fetch/over-cap.txt")), ERROR_FILE_TOO_LARGE);
  EXPECT_EQ(FailureNumber(httptest::ServedUrl("fetch/missing.txt")), 404);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(FailureNumber(std::string("http://") + httptest::kClosedPortAddress + "/"), ERROR_INTERNET_CANNOT_CONNECT);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

// Each byte comes well within the receive time-out, so only the deadline of the whole fetch ends it
// (the server's answer would take 20 s); shortened here, it fails like a time-out, on time.
TEST(HttpFetch, ATricklingServerMeetsTheDeadlineOfTheWholeFetch) {
  REQUIRE_TEST_HTTP_SERVER();
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(FailureNumber(httptest::ServedUrl("trickle/"), {.totalMs = 2000}), ERROR_INTERNET_TIMEOUT);
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_GE(took, std::chrono::milliseconds(1900));
  EXPECT_LT(took, std::chrono::seconds(6));
}

using Texts = std::vector<std::string>;

class WebShell : public testing::Test {
 protected:
  void SetUp() override {
    REQUIRE_TEST_HTTP_SERVER();
    SetEnvironmentVariableA("OKU_TEST_UPDATE_URL", ("http://" + httptest::ServerAddress() + "/" + folder_).c_str());
    SetEnvironmentVariableA("OKU_TEST_SITE_URL", "http://127.0.0.1:1/q/");
    win::Calls<ShellApi>().findExecutable = [](const char*, char* result) {
      return lstrcpyA(result, "C:\\b.exe"), intptr_t{42};
    };
    win::Calls<ShellApi>().execute = [this](const char* verb, const char* file, const char* parameters, int mode) {
      opened.push_back(std::string(verb ? verb : "(default)") + "|" + file + "|" + (parameters ? parameters : "") +
                       "|" + std::to_string(mode));
      return intptr_t{42};
    };
  }
  void TearDown() override {
    SetEnvironmentVariableA("OKU_TEST_UPDATE_URL", nullptr);
    SetEnvironmentVariableA("OKU_TEST_SITE_URL", nullptr);
  }
  void Serve(const std::string& name, const std::string& content) {
    httptest::WriteServedFile(folder_ + "/files/" + name, content);
  }

  const std::string folder_ = "webshell-" + std::to_string(GetCurrentProcessId());
  const std::string site = "(default)|http://127.0.0.1:1/q/||1";
  win::ScopedCalls<ShellApi> shell_{ShellApi::Real()};  // SetUp fakes members of it in place
  shelltest::MessageRecorder messages_;
  Texts opened, &boxes = messages_.shown;
  int& answer = messages_.answer;
};

}  // namespace

// The installer's address reaches the shell after OK on the instructions only; an address that is
// no web address is refused before the question, and the site's button comes up.
TEST_F(WebShell, UpdateOpensTheDownloadAddressOnlyAfterOk) {
  frmUpdate update;
  ASSERT_TRUE(update.Create(nullptr));
  Serve("OKU2.dlf", "qln_dlf https://h.example/OKU_setup.exe");
  for (int reply : {kAnswerCancel, kAnswerOk}) answer = reply, update.cmdDown_Click();
  Serve("OKU2.dlf", "QLN_DLF C:\\windows\\system32\\notepad.exe");
  update.cmdDown_Click();
  const std::string asked =
      "Instructions/65: This feature will download the installer package\r\nfor the new version of OKU. After the "
      "download\r\nis complete, please exit the current running version\r\nof OKU before installing the new version.";
  EXPECT_EQ(boxes, (Texts{asked, asked,
                          "Error in download/16: An error has occured. You must manually download the new\r\n"
                          "version of OKU at http://127.0.0.1:1/q/."}));
  EXPECT_EQ(opened, Texts{"(default)|https://h.example/OKU_setup.exe||1"});
  EXPECT_TRUE(update.IsVisible(IDB_UPDATE_SITE));
  update.cmdLink_Click();
  EXPECT_EQ(opened.back(), site);
}

// Each button shows its caption and opens its own address once the file gives one, else the
// site's host and the site; other indices open nothing. The window grows for the links.
TEST_F(WebShell, EachDonationButtonOpensItsOwnAddressOrTheSite) {
  frmDonate donate;
  ASSERT_TRUE(donate.Create(nullptr));
  EXPECT_TRUE(donate.Text(IDE_DONATE_TEXT).starts_with("If you wish to make a donation,"));
  const std::string pay = "(default)|http://pay.example/oku||1", bank = "(default)|https://bank.example||1";
  const std::string h = "127.0.0.1:1";
  HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  // The file (none: before any fetch), what buttons 0-2 open, their captions, the height in twips.
  for (const auto& [file, expected, captions, height] :
       {std::tuple<const char*, Texts, Texts, int>{nullptr, {site, site, site}, {h, h, h}, 2250},
        {"QLN_DON Pay http://pay.example/oku Bank https://bank.example", {pay, bank, site}, {"Pay", "Bank", h}, 3765},
        {"QLN_DON Lonely", {site, site, site}, {h, h, h}, 3765}}) {
    SCOPED_TRACE(file ? file : "(before any fetch)");
    if (file) Serve("OKU.don", file), donate.cmdUp_Click();
    opened.clear();
    for (int i = -1; i <= 3; ++i) donate.cmdLink_Click(i);
    EXPECT_EQ(opened, expected);
    EXPECT_EQ((Texts{donate.Text(IDB_DONATE_LINK0), donate.Text(IDB_DONATE_LINK0 + 1), donate.Text(IDB_DONATE_LINK2)}),
              captions);
    RECT client{};
    GetClientRect(donate.hwnd(), &client);
    EXPECT_NEAR(client.bottom, MulDiv(height, dpi, 1440), 1);
  }
  EXPECT_EQ(boxes, Texts{"Error in update/16: Could not get the update for the links. Click on one of the\r\nexisting "
                         "links to go to official Quillon site and\r\nuse the donation links listed there."});
}

// The maker and address labels open the site in the browser on the left button only; the notice
// line starts the mail on any button.
TEST_F(WebShell, AboutLabelsOpenTheSiteOnTheLeftButtonAndTheMailOnAny) {
  const Texts browser{"Open|C:\\b.exe|http://127.0.0.1:1/q/|1"},
      mail{"Open|mailto:" + std::string(build::kAuthorMail) + "||1"};
  for (const auto& [label, down, expected] : {std::tuple{IDT_ABOUT_PRODUCT, WM_LBUTTONDOWN, browser},
                                              {IDT_ABOUT_PRODUCT, WM_RBUTTONDOWN, Texts{}},
                                              {IDT_ABOUT_URL, WM_LBUTTONDOWN, browser},
                                              {IDT_ABOUT_URL, WM_MBUTTONDOWN, Texts{}},
                                              {IDT_ABOUT_COPYRIGHT, WM_LBUTTONDOWN, mail},
                                              {IDT_ABOUT_COPYRIGHT, WM_RBUTTONDOWN, mail},
                                              {IDT_ABOUT_COPYRIGHT, WM_MBUTTONDOWN, mail}}) {
    opened.clear();
    frmAbout about;
    ASSERT_TRUE(about.Create(nullptr));
    SendMessageA(about.Item(label), down, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(opened, expected) << label << " " << down;
    about.Close();
  }
  EXPECT_TRUE(boxes.empty());
}
