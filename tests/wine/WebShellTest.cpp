// What the Update, Donation and About windows hand to the shell, in this process: the shell's
// operations are recorded instead of run and message boxes answered through the hook.
#include <tuple>

#include "HttpTestSupport.h"
#include "ShellTestSupport.h"

#include "BuildConfig.h"
#include "web/frmAbout.h"
#include "web/frmAboutIds.h"
#include "web/frmDonate.h"
#include "web/frmUpdate.h"
#include "web/frmUpdateIds.h"

namespace {

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
    SetMessageBoxHook([this](const std::string& text, const std::string& caption, unsigned style) {
      return boxes.push_back(caption + "/" + std::to_string(style) + ": " + text), answer;
    });
  }
  void TearDown() override {
    SetMessageBoxHook(nullptr);
    SetEnvironmentVariableA("OKU_TEST_UPDATE_URL", nullptr);
    SetEnvironmentVariableA("OKU_TEST_SITE_URL", nullptr);
  }
  void Serve(const std::string& name, const std::string& content) {
    httptest::WriteServedFile(folder_ + "/files/" + name, content);
  }

  const std::string folder_ = "webshell-" + std::to_string(GetCurrentProcessId());
  const std::string site = "(default)|http://127.0.0.1:1/q/||1";
  win::ScopedCalls<ShellApi> shell_{ShellApi::Real()};  // SetUp fakes members of it in place
  Texts opened, boxes;
  int answer = kAnswerOk;
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

// Each button opens its own address once the file gives one, else the site; other indices nothing.
TEST_F(WebShell, EachDonationButtonOpensItsOwnAddressOrTheSite) {
  frmDonate donate;
  ASSERT_TRUE(donate.Create(nullptr));
  const std::string pay = "(default)|http://pay.example/oku||1", bank = "(default)|https://bank.example||1";
  for (const auto& [file, expected] :
       {std::pair<const char*, Texts>{nullptr, {site, site, site}},
        {"QLN_DON Pay http://pay.example/oku Bank https://bank.example", {pay, bank, site}},
        {"QLN_DON Lonely", {site, site, site}}}) {
    SCOPED_TRACE(file ? file : "(before any fetch)");
    if (file) Serve("OKU.don", file), donate.cmdUp_Click();
    opened.clear();
    for (int i = -1; i <= 3; ++i) donate.cmdLink_Click(i);
    EXPECT_EQ(opened, expected);
  }
  ASSERT_EQ(boxes.size(), 1u) << "only the file without an address is reported";
  EXPECT_EQ(boxes[0].substr(0, 19), "Error in update/16:");
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
