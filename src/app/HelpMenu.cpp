// The Help menu and the icon menu's About entry: the web site, update, donation and About windows.
#include <memory>

#include "app/frmOKU.h"
#include "shell/misc.h"
#include "platform/Failure.h"
#include "platform/MessageBox.h"
#include "web/SiteConfig.h"
#include "web/frmAbout.h"
#include "web/frmDonate.h"
#include "web/frmUpdate.h"

void frmOKU::mnuQLlink_Click() {
  try {
    OpenWebPage(web::SiteUrl(), true);
  } catch (const Failure& failure) {
    if (failure.number > 0) ShowMessage(ShortReport(failure), "Error in opening the web site", kMbStop);
  }
}

void frmOKU::UpMnu_Click() {
  frmUpdate window;
  window.ShowModal(hwnd());
}

void frmOKU::mnuDonate_Click() {
  frmDonate window;
  window.ShowModal(hwnd());
}

void frmOKU::AboutMnu_Click() {
  frmAbout window;
  window.ShowModal(hwnd());
}

void frmOKU::mnuAbout_Click() {
  // One modeless About at a time: shown again while it is open, made anew once it was closed
  // (so its labels start from their design colours).
  static std::unique_ptr<frmAbout> about;
  if (!about || !about->IsOpen()) {
    about = std::make_unique<frmAbout>();
    if (!about->Create(hwnd())) return;
  }
  about->Show();
}
