// The window "About OKU - Okumatic".
#include "web/frmAbout.h"

#include "BuildConfig.h"
#include "platform/App.h"
#include "platform/Boundary.h"
#include "platform/Failure.h"
#include "platform/MessageBox.h"
#include "shell/misc.h"
#include "web/RemoteText.h"
#include "web/SiteConfig.h"
#include "web/WebTexts.h"
#include "web/frmAboutIds.h"
#include "web/frmUpdate.h"

namespace {

constexpr COLORREF kClickedColor = RGB(255, 0, 0);
constexpr const char* kSiteTip = "Go to the official website";

using C = ui::Control<frmAbout>;
constexpr C kControls[] = {
    C::Frame(IDG_ABOUT_RECT0, "", {120, 60, 5655, 1455}),
    C::Label(IDT_ABOUT_NAME, "OKU", {240, 210, 1200, 285}).With(ui::kTimesFont),
    C::Label(IDT_ABOUT_PURPOSE, "A program to access common Windows functions.", {240, 540, 5415, 210}),
    C::Label(IDT_ABOUT_VERSION, "Version:", {240, 810, 2760, 210}),
    C::Label(IDT_ABOUT_VERSION_UPDATE, "Update Information", {4200, 810, 1455, 210})
        .With(ui::kClickable)
        .Tip("Check for an update")
        .OnClick(&frmAbout::lblVersionUpdate_Click),
    C::Label(IDT_ABOUT_BY, "by", {240, 1080, 255, 210}),
    C::Label(IDT_ABOUT_PRODUCT, "Quillon", {525, 1080, 735, 210})
        .Tip(kSiteTip)
        .OnMouseDown(&frmAbout::lblProduct_MouseDown),
    C::Label(IDT_ABOUT_DOTS, ".......", {1290, 1080, 435, 210}),
    // The site's address, set when the window loads.
    C::Label(IDT_ABOUT_URL, "", {1755, 1080, 3900, 210}).Tip(kSiteTip).OnMouseDown(&frmAbout::lblURL_MouseDown),
    C::Frame(IDG_ABOUT_RECT1, "Release History", {120, 1560, 5655, 2160}),
    C::Label(IDT_ABOUT_DESCRIPTION, "", {240, 1800, 5415, 210}).With(ui::kHidden),
    C::MultiText(IDE_ABOUT_HISTORY, {240, 1800, 5415, 1800}).With(ui::kReadOnly | ui::kWrap),
    C::Line(IDT_ABOUT_LINE, {120, 3810, 5655, 30}),
    C::Label(IDT_ABOUT_COPYRIGHT, "Copyright (C) 2002 Quillon. All rights reserved.", {120, 3990, 4335, 210})
        .Tip("Email the owner/programmer")
        .OnMouseDown(&frmAbout::lblCopyright_MouseDown),
    C::Button(IDB_ABOUT_OK, "&OK", {4680, 3900, 1095, 375}).With(ui::kDefault).OnClick(&frmAbout::cmdOK_Click),
};

// True when `window` is `owner` or one of the windows it owns, at any depth (a message box of the
// Update window that this window owns counts).
bool IsOwnedBy(HWND window, HWND owner) {
  for (int depth = 0; window && depth < 32; ++depth, window = GetWindow(window, GW_OWNER))
    if (window == owner) return true;
  return false;
}

}  // namespace

frmAbout::frmAbout() : FormT("frmAbout", "About OKU - Okumatic", 5895, 4395) {
  SetControls(kControls);
  fontFace_ = "Tahoma";
}

void frmAbout::Form_Load() {
  CenterForm(ui::MainFormHandle(), hwnd());
  SetText(IDT_ABOUT_VERSION, web::VersionLabelText(web::OwnRelease()));
  SetText(IDE_ABOUT_HISTORY, web::ReleaseHistoryText());
  SetText(IDT_ABOUT_URL, web::SiteUrl());
}

void frmAbout::cmdOK_Click() { Close(); }

void frmAbout::OnActivate(bool active, HWND other) {
  // Losing the focus to a window of its own (the Update window, a message box) is no leaving.
  if (!active && !IsOwnedBy(other, hwnd())) Form_LostFocus();
}

void frmAbout::Form_LostFocus() {
  // Closed once the activation change is over, not in the middle of it.
  PostMessageA(hwnd(), WM_CLOSE, 0, 0);
}

void frmAbout::OpenSite(int label) {
  ui::RunHandler(*this, ui::ShortForm("Error in opening the web site"), [&] {
    SetTextColor(label, kClickedColor);
    OpenWebPage(web::SiteUrl(), true);
  });
}

void frmAbout::lblProduct_MouseDown(int Button) {
  if (Button == ui::kLeftButton) OpenSite(IDT_ABOUT_PRODUCT);
}

void frmAbout::lblURL_MouseDown(int Button) {
  if (Button == ui::kLeftButton) OpenSite(IDT_ABOUT_URL);
}

void frmAbout::lblCopyright_MouseDown(int /*Button*/) {
  ui::RunHandler(*this, ui::ShortForm("Error in opening the mail program"), [this] {
    SetTextColor(IDT_ABOUT_COPYRIGHT, kClickedColor);
    OpenMailTo(build::kAuthorMail);
  });
}

void frmAbout::lblVersionUpdate_Click() {
  ui::RunHandler(*this, ui::ShortForm("Error in update"), [this] {
    SetTextColor(IDT_ABOUT_VERSION_UPDATE, kClickedColor);
    frmUpdate update;
    update.ShowModal(hwnd());
  });
}
