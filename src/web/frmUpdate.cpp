// The window "Update".
#include "web/frmUpdate.h"

#include <optional>

#include "platform/App.h"
#include "platform/Boundary.h"
#include "platform/Failure.h"
#include "platform/MessageBox.h"
#include "shell/mShellLink.h"
#include "shell/misc.h"
#include "web/RemoteText.h"
#include "web/SiteConfig.h"
#include "web/WebTexts.h"
#include "web/frmUpdateIds.h"

namespace {

constexpr long kWidth = 4755;
constexpr long kHeight = 2010;
constexpr long kHeightWithNews = 4770;
constexpr long kShowNormal = 1;  // the shell's show mode for a normal window

using C = ui::Control<frmUpdate>;
constexpr C kControls[] = {
    C::Frame(IDG_UPDATE_FRAME, "", {120, 60, 4515, 1050}),  // Shape1
    C::Label(IDT_UPDATE_WELCOME,
             "Welcome to the Quillon Update. This process will verify that you have the latest version of OKU.",
             {240, 240, 4275, 390})
        .With(ui::kWrap),
    C::Label(IDT_UPDATE_CONNECT, "Please ensure that you are connected to the internet before proceeding.",
             {240, 660, 4275, 390})
        .With(ui::kWrap),
    C::Button(IDB_UPDATE_CHECK, "Check For &Update", {120, 1200, 1395, 375})
        .With(ui::kDefault)
        .Tip("Check It")
        .OnClick(&frmUpdate::cmdCheck_Click),
    C::Button(IDB_UPDATE_DOWNLOAD, "Download New Version", {1590, 1200, 1935, 375})
        .Disabled()
        .Tip("Download It")
        .OnClick(&frmUpdate::cmdDown_Click),
    C::Button(IDB_UPDATE_CANCEL, "&Cancel", {3600, 1200, 1035, 375}).Tip("Cancel").OnClick(&frmUpdate::cmdCancel_Click),
    // The site's address is its caption, set when the window loads; shown once a check has failed.
    C::Button(IDB_UPDATE_SITE, "", {120, 1650, 4515, 300})
        .With(ui::kHidden)
        .Tip("Click here to go to the official site")
        .OnClick(&frmUpdate::cmdLink_Click),
    C::Line(IDT_UPDATE_LINE, {120, 2040, 4515, 30}),
    C::MultiText(IDE_UPDATE_NEWS, {120, 2130, 4515, 2520}).With(ui::kReadOnly | ui::kWrap),
};

}  // namespace

frmUpdate::frmUpdate() : FormT("frmUpdate", "Update", kWidth, kHeight) { SetControls(kControls); }

void frmUpdate::Form_Load() {
  SetClientSize(hwnd(), kWidth, kHeight);
  CenterForm(ui::MainFormHandle(), hwnd());
  SetText(IDB_UPDATE_SITE, web::SiteUrl());
}

void frmUpdate::cmdCheck_Click() {
  // Whatever else goes wrong in the check (a version that is no release number among it) ends as
  // the check's own error.
  ui::RunHandler(
      *this, [this] { CheckForUpdate(); },
      [this](const Failure&) {
        ReportCheckFailure(web::UpdateErrorMessage(web::SiteUrl()));
        Err().Clear();
      });
}

void frmUpdate::CheckForUpdate() {
  SetClientSize(hwnd(), kWidth, kHeight);
  SetCaption("Update");
  bool fetched = false;
  {
    const ui::Hourglass hourglass(*this);
    Enable(IDB_UPDATE_CHECK, false);
    Enable(IDB_UPDATE_DOWNLOAD, false);
    SetVisible(IDB_UPDATE_SITE, false);
    SetText(IDE_UPDATE_NEWS, "");
    std::string resp;
    fetched = web::Check4File(web::RemoteFileUrl(web::kVersionFile), resp) && web::HasMarker(resp, web::kVersionMarker);
    if (fetched) ShowRelease(web::Payload(resp));
  }
  if (!fetched) return ReportCheckFailure(web::UpdateFetchFailedMessage(web::SiteUrl()));
  Enable(IDB_UPDATE_CHECK, true);
}

void frmUpdate::ShowRelease(const std::string& payload) {
  const std::optional<web::ReleaseVersion> webRelease = web::ParseReleaseVersion(payload);
  if (!webRelease) throw Failure(kErrTypeMismatch, "Type mismatch");
  const web::ReleaseVersion own = web::OwnRelease();

  if (web::IsNewerRelease(*webRelease, own)) {
    SetCaption(web::UpdateAvailableCaption(own, *webRelease));
    Enable(IDB_UPDATE_DOWNLOAD, true);
    std::string news;
    std::optional<std::string> text;
    if (web::Check4File(web::RemoteFileUrl(web::kNewsFile), news)) text = web::MarkedPayload(news, web::kNewsMarker);
    SetText(IDE_UPDATE_NEWS, text ? *text : std::string(web::kNewsUnavailable));
    SetClientSize(hwnd(), kWidth, kHeightWithNews);
    Focus(IDB_UPDATE_DOWNLOAD);
  } else {
    ShowMessage(web::LatestReleaseMessage(own, *webRelease), "OKU update", kMbInformation);
    Focus(IDB_UPDATE_CANCEL);
  }
}

void frmUpdate::ReportCheckFailure(const std::string& message) {
  Enable(IDB_UPDATE_CHECK, true);
  ShowMessage(message, "Error in update", kMbStop);
  SetVisible(IDB_UPDATE_SITE, true);
  Focus(IDB_UPDATE_SITE);
}

void frmUpdate::cmdDown_Click() {
  // Any failure on the way, the fetch's or the shell's, ends as the download's own error.
  ui::RunHandler(
      *this, [this] { DownloadNewVersion(); }, [this](const Failure&) { ReportDownloadFailure(); });
}

void frmUpdate::DownloadNewVersion() {
  std::optional<std::string> address;
  {
    const ui::Hourglass hourglass(*this);
    Enable(IDB_UPDATE_DOWNLOAD, false);
    std::string resp;
    if (web::Check4File(web::RemoteFileUrl(web::kDownloadFile), resp)) address = web::DownloadAddress(resp);
    // Only one clean web address goes to the shell: anything else from the network could start a
    // local program, so it takes the failure path before the user is asked anything.
    if (address && ShowMessage(web::DownloadInstructions(), "Instructions", kMbOkCancelInformation) == kAnswerOk)
      ShellExecuteFile(*address, kShowNormal, "");
  }
  if (!address) return ReportDownloadFailure();
  Enable(IDB_UPDATE_DOWNLOAD, true);
}

void frmUpdate::ReportDownloadFailure() {
  Enable(IDB_UPDATE_DOWNLOAD, true);
  ShowMessage(web::DownloadErrorMessage(web::SiteUrl()), "Error in download", kMbStop);
  SetVisible(IDB_UPDATE_SITE, true);
  Err().Clear();
}

void frmUpdate::cmdLink_Click() {
  ui::RunHandler(*this, ui::ShortForm("Error in update"), [] { ShellExecuteFile(web::SiteUrl(), kShowNormal, ""); });
}

void frmUpdate::cmdCancel_Click() { Close(); }
