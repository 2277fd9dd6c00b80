// The Help menu and the icon menu's About entry: the web site, update, donation and About windows.
#include "app/frmOKU.h"
#include "platform/Boundary.h"
#include "shell/misc.h"
#include "web/SiteConfig.h"
#include "web/frmAbout.h"
#include "web/frmDonate.h"
#include "web/frmUpdate.h"

namespace {
// A window of the Help menu, opened modally over the main window.
template <class Window>
void ShowModalOver(frmOKU& w, std::string_view caption) {
  ui::RunHandler(w, ui::ShortForm(caption), [&] {
    Window window;
    window.ShowModal(w.hwnd());
  });
}
}  // namespace

void frmOKU::mnuQLlink_Click() {
  ui::RunHandler(*this, ui::ShortForm("Error in opening the web site"), [] { OpenWebPage(web::SiteUrl(), true); });
}

void frmOKU::UpMnu_Click() { ShowModalOver<frmUpdate>(*this, "Error in update"); }
void frmOKU::mnuDonate_Click() { ShowModalOver<frmDonate>(*this, "Error in update"); }
void frmOKU::AboutMnu_Click() { ShowModalOver<frmAbout>(*this, "Error in opening About"); }

void frmOKU::mnuAbout_Click() {
  // One modeless About at a time: shown again while it is open, made anew once it was closed
  // (so its labels start from their design colours).
  ui::RunHandler(*this, ui::ShortForm("Error in opening About"), [this] {
    if (!about_ || !about_->IsOpen()) {
      about_ = std::make_unique<frmAbout>();
      if (!about_->Create(hwnd())) return;
    }
    about_->Show();
  });
}
