// The window "Donation".
#include "web/frmDonate.h"

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
#include "web/frmDonateIds.h"

namespace {

constexpr long kWidth = 5550;
constexpr long kHeight = 2250;
constexpr long kHeightWithLinks = 3765;
constexpr long kShowNormal = 1;
constexpr const char* kLinkTip = "Click here to go to the website";

using C = ui::Control<frmDonate>;
constexpr C kControls[] = {
    C::MultiText(IDE_DONATE_TEXT, {120, 120, 5310, 1335}).With(ui::kReadOnly | ui::kWrap),
    C::Button(IDB_DONATE_GET, "&Get Links", {120, 1590, 1575, 375})
        .With(ui::kDefault)
        .Tip("Get the links from the internet")
        .OnClick(&frmDonate::cmdUp_Click),
    C::Button(IDB_DONATE_CANCEL, "&Cancel", {3855, 1590, 1575, 375}).Tip("Cancel").OnClick(&frmDonate::cmdOK_Click),
    C::Line(IDT_DONATE_LINE, {120, 2130, 5310, 30}),
    // Below the first height: the window grows to show them after "Get Links".
    C::Button(IDB_DONATE_LINK0 + 0, "", {120, 2280, 5310, 375}).Tip(kLinkTip).OnClick(&frmDonate::cmdLink_Click, 0),
    C::Button(IDB_DONATE_LINK0 + 1, "", {120, 2760, 5310, 375}).Tip(kLinkTip).OnClick(&frmDonate::cmdLink_Click, 1),
    C::Button(IDB_DONATE_LINK0 + 2, "", {120, 3240, 5310, 375}).Tip(kLinkTip).OnClick(&frmDonate::cmdLink_Click, 2),
};

}  // namespace

frmDonate::frmDonate() : FormT("frmDonate", "Donation", kWidth, kHeight) { SetControls(kControls); }

void frmDonate::Form_Load() {
  SetClientSize(hwnd(), kWidth, kHeight);
  CenterForm(ui::MainFormHandle(), hwnd());
  PointLinksAtSite();
  SetText(IDE_DONATE_TEXT, web::DonationInvitationText());
}

void frmDonate::PointLinksAtSite() {
  const std::string site = web::SiteUrl(), host = web::SiteHost();
  for (int i = 0; i < 3; ++i) {
    Links[i] = site;
    SetText(IDB_DONATE_LINK0 + i, host);
  }
}

void frmDonate::cmdUp_Click() {
  ui::RunHandler(
      *this, [this] { UpdateLinks(); },
      [this](const Failure& failure) {
        Enable(IDB_DONATE_GET, true);
        for (int i = 0; i < 3; ++i) Enable(IDB_DONATE_LINK0 + i, true);
        ui::ReportFailure(ui::ShortForm("Error in update"), failure);
      });
}

void frmDonate::UpdateLinks() {
  Enable(IDB_DONATE_GET, false);
  {
    const ui::Hourglass hourglass(*this);
    PointLinksAtSite();
    for (int i = 0; i < 3; ++i) Enable(IDB_DONATE_LINK0 + i, false);
    GetLinks();  // on any failure it has put every button back on the maker's site
    Enable(IDB_DONATE_GET, true);
  }
  for (int i = 0; i < 3; ++i) Enable(IDB_DONATE_LINK0 + i, true);
  Focus(IDB_DONATE_LINK0);
  SetClientSize(hwnd(), kWidth, kHeightWithLinks);
}

void frmDonate::GetLinks() {
  web::DonationButtons buttons;
  {
    const ui::Hourglass hourglass(*this);
    std::string resp;
    std::optional<std::string_view> text;
    if (web::Check4File(web::RemoteFileUrl(web::kDonationFile), resp)) text = resp;
    // The buttons as a whole: what the file supplies, or on any failure all three at the site.
    buttons = web::ResolveDonationButtons(text, web::SiteUrl(), web::SiteHost());
    for (int i = 0; i < 3; ++i) {
      Links[i] = buttons.links[i];
      SetText(IDB_DONATE_LINK0 + i, buttons.captions[i]);
    }
  }
  if (!buttons.fetched) {
    ShowMessage(web::DonationErrorMessage(), "Error in update", kMbStop);
    Err().Clear();
  }
}

void frmDonate::cmdLink_Click(int Index) {
  if (Index < 0 || Index > 2) return;
  ui::RunHandler(*this, ui::ShortForm("Error in update"), [&] { ShellExecuteFile(Links[Index], kShowNormal, ""); });
}

void frmDonate::cmdOK_Click() { Close(); }
