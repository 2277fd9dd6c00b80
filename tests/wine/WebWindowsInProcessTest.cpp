// The Update, Donation and About windows in this process, with message boxes answered by the hook
// and the shell's operations recorded instead of run: what each answer hands to the shell, the
// styles of the boxes, which mouse button on which label opens what, and when About closes itself.
#include "HttpTestSupport.h"
#include "ShellTestSupport.h"

#include "BuildConfig.h"
#include "web/SiteConfig.h"
#include "web/frmAbout.h"
#include "web/frmAboutIds.h"
#include "web/frmDonate.h"
#include "web/frmUpdate.h"

namespace {

// Sets an environment variable for the test's length.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name), old_(httptest::Env(name)) {
    SetEnvironmentVariableA(name, value.c_str());
  }
  ~ScopedEnv() { SetEnvironmentVariableA(name_, old_.empty() ? nullptr : old_.c_str()); }

 private:
  const char* name_;
  std::string old_;
};

// Every shell call as "verb|file|parameters|show mode"; the browser lookup finds a browser.
struct ShellRecorder {
  shelltest::ShellApiRestorer restorer;
  std::vector<std::string> calls;
  ShellRecorder() {
    CurrentShellApi().findExecutable = [](const char*, char* result) {
      lstrcpyA(result, "C:\\browser\\browse.exe");
      return intptr_t{42};
    };
    CurrentShellApi().execute = [this](const char* verb, const char* file, const char* parameters, int mode) {
      calls.push_back(std::string(verb ? verb : "") + "|" + file + "|" + (parameters ? parameters : "") + "|" +
                      std::to_string(mode));
      return intptr_t{42};
    };
  }
};

void Pump(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(10);
  } while (GetTickCount() < end);
}

// The colour a label's text is drawn in, asked of the window as the label itself asks it.
COLORREF LabelColor(const frmAbout& about, int id) {
  HDC dc = CreateCompatibleDC(nullptr);
  constexpr COLORREF kUntouched = RGB(1, 2, 3);
  SetTextColor(dc, kUntouched);
  SendMessageA(about.hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(about.Item(id)));
  const COLORREF color = GetTextColor(dc);
  DeleteDC(dc);
  return color;
}

// A plain top-level window, owned by `owner` (or by nobody), shown and activated.
HWND ActivatedWindow(HWND owner) {
  HWND window = CreateWindowExA(0, "STATIC", "probe", WS_POPUP | WS_CAPTION | WS_VISIBLE, 10, 10, 200, 100, owner,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
  SetForegroundWindow(window);
  SetActiveWindow(window);
  Pump(200);
  return window;
}

// Message boxes as "caption|style", each answered with `answer`.
struct BoxRecorder {
  std::vector<std::string> shown;
  int answer = kAnswerOk;
  BoxRecorder() {
    SetMessageBoxHook([this](const std::string&, const std::string& caption, unsigned style) {
      shown.push_back(caption + "|" + std::to_string(style));
      return answer;
    });
  }
  ~BoxRecorder() { SetMessageBoxHook(nullptr); }
};

// The update host is the test server plus a folder of this process's own.
struct ServedFolder {
  std::string folder = "webui-inproc-" + std::to_string(GetCurrentProcessId());
  ScopedEnv host{"OKU_TEST_UPDATE_HOST", httptest::ServerAddress() + "/" + folder};
  ScopedEnv site{"OKU_TEST_SITE_URL", "http://127.0.0.1:1/quillon/"};
  void Serve(const std::string& name, const char* content) {
    if (content) {
      httptest::WriteServedFile(folder + "/files/" + name, content);
    } else {
      std::string path = "Z:" + httptest::Env("OKU_TEST_HTTP_ROOT") + "/" + folder + "/files/" + name;
      for (char& c : path) c = c == '/' ? '\\' : c;
      DeleteFileA(path.c_str());
    }
  }
};

}  // namespace

TEST(UpdateInProcess, BoxStylesAndWhatReachesTheShell) {
  REQUIRE_TEST_HTTP_SERVER();
  ServedFolder served;
  ShellRecorder shell;
  BoxRecorder boxes;
  frmUpdate update;
  ASSERT_TRUE(update.Create(nullptr));
  const std::string site = web::SiteUrl();
  enum Action { kCheck, kDownload, kSiteButton };
  const struct {
    const char* name;
    Action action;
    const char* file;
    const char* content;  // nullptr: 404
    int answer;
    std::vector<std::string> boxes;
    std::vector<std::string> calls;
  } steps[] = {
      {"same version", kCheck, "OKU2.ver", "QLN_VER 1.3.9", kAnswerOk, {"OKU update|64"}, {}},
      {"no version file", kCheck, "OKU2.ver", nullptr, kAnswerOk, {"Error in update|16"}, {}},
      {"newer", kCheck, "OKU2.ver", "QLN_VER 1.3.10", kAnswerOk, {}, {}},
      {"download answered OK",
       kDownload,
       "OKU2.dlf",
       "QLN_DLF http://h.example/OKU_setup.exe",
       kAnswerOk,
       {"Instructions|65"},
       {"|http://h.example/OKU_setup.exe||1"}},
      {"download answered Cancel",
       kDownload,
       "OKU2.dlf",
       "QLN_DLF http://h.example/OKU_setup.exe",
       kAnswerCancel,
       {"Instructions|65"},
       {}},
      {"local program",
       kDownload,
       "OKU2.dlf",
       "QLN_DLF C:\\windows\\notepad.exe",
       kAnswerOk,
       {"Error in download|16"},
       {}},
      {"site button", kSiteButton, "OKU2.dlf", nullptr, kAnswerOk, {}, {"|" + site + "||1"}},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.name);
    served.Serve(step.file, step.content);
    boxes.shown.clear();
    boxes.answer = step.answer;
    shell.calls.clear();
    if (step.action == kCheck) update.cmdCheck_Click();
    if (step.action == kDownload) update.cmdDown_Click();
    if (step.action == kSiteButton) update.cmdLink_Click();
    EXPECT_EQ(boxes.shown, step.boxes);
    EXPECT_EQ(shell.calls, step.calls);
  }
}

TEST(DonateInProcess, EachButtonOpensItsOwnLinkOrTheSite) {
  REQUIRE_TEST_HTTP_SERVER();
  ServedFolder served;
  ShellRecorder shell;
  BoxRecorder boxes;
  frmDonate donate;
  ASSERT_TRUE(donate.Create(nullptr));
  const std::string site = std::string("|").append(web::SiteUrl()).append("||1");
  const struct {
    const char* name;
    const char* content;
    std::vector<std::string> boxes;
    std::vector<std::string> calls;  // of cmdLink(0), (1), (2)
  } cases[] = {
      {"before any fetch", nullptr, {}, {site, site, site}},
      {"one pair", "QLN_DON PayPal http://pay.example/oku", {}, {"|http://pay.example/oku||1", site, site}},
      {"a local program among the links",
       "QLN_DON A https://a.example B C:\\x.exe C http://c.example",
       {},
       {"|https://a.example||1", site, "|http://c.example||1"}},
      {"captions without addresses", "QLN_DON Lonely", {"Error in update|16"}, {site, site, site}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    boxes.shown.clear();
    if (c.content) {
      served.Serve("OKU.don", c.content);
      donate.cmdUp_Click();
    }
    EXPECT_EQ(boxes.shown, c.boxes);
    shell.calls.clear();
    for (int i = -1; i <= 3; ++i) donate.cmdLink_Click(i);  // -1 and 3 are no buttons
    EXPECT_EQ(shell.calls, c.calls);
  }
}

TEST(AboutLabels, EachButtonOnEachLabelOpensWhatItShould) {
  ShellRecorder shell;
  BoxRecorder boxes;
  const std::string site = "Open|C:\\browser\\browse.exe|" + web::SiteUrl() + "|1";
  const std::string mail = std::string("Open|mailto:") + build::kAuthorMail + "||1";
  const struct {
    int label;
    UINT message;
    const char* name;
    std::vector<std::string> opens;
  } cases[] = {
      {IDT_ABOUT_URL, WM_LBUTTONDOWN, "left on the address", {site}},
      {IDT_ABOUT_URL, WM_RBUTTONDOWN, "right on the address", {}},
      {IDT_ABOUT_PRODUCT, WM_LBUTTONDOWN, "left on the maker", {site}},
      {IDT_ABOUT_PRODUCT, WM_MBUTTONDOWN, "middle on the maker", {}},
      {IDT_ABOUT_COPYRIGHT, WM_RBUTTONDOWN, "right on the notice", {mail}},
      {IDT_ABOUT_COPYRIGHT, WM_MBUTTONDOWN, "middle on the notice", {mail}},
      {IDT_ABOUT_VERSION, WM_LBUTTONDOWN, "left on the version", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    shell.calls.clear();
    frmAbout about;  // a fresh window: every label starts in its design colour
    ASSERT_TRUE(about.Create(nullptr));
    const COLORREF before = LabelColor(about, c.label);
    SendMessageA(about.Item(c.label), c.message, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(shell.calls, c.opens);
    EXPECT_EQ(LabelColor(about, c.label) == RGB(255, 0, 0), !c.opens.empty()) << "pressed labels turn red";
    if (c.opens.empty()) {
      EXPECT_EQ(LabelColor(about, c.label), before);
    }
    about.Close();
  }
  EXPECT_EQ(boxes.shown, std::vector<std::string>{});
}

TEST(AboutFocus, ClosesWhenAnotherWindowTakesTheFocusButNotForItsOwnWindows) {
  BoxRecorder boxes;
  frmAbout about;
  ASSERT_TRUE(about.Create(nullptr));
  about.Show();
  Pump(200);
  ASSERT_EQ(GetActiveWindow(), about.hwnd());

  HWND child = ActivatedWindow(about.hwnd());  // as the Update window it opens
  ASSERT_EQ(GetActiveWindow(), child);
  HWND grandchild = ActivatedWindow(child);  // as a message box of that window
  ASSERT_EQ(GetActiveWindow(), grandchild);
  EXPECT_TRUE(about.IsOpen()) << "windows that About owns do not close it";
  DestroyWindow(grandchild);
  DestroyWindow(child);
  SetForegroundWindow(about.hwnd());
  SetActiveWindow(about.hwnd());
  Pump(200);
  ASSERT_TRUE(about.IsOpen());
  ASSERT_EQ(GetActiveWindow(), about.hwnd());

  HWND stranger = ActivatedWindow(nullptr);
  EXPECT_FALSE(about.IsOpen()) << "another window took the focus";
  DestroyWindow(stranger);
}
