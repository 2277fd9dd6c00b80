// The window "Network Info".
#include "net/frmNetInfo.h"

#include "platform/App.h"
#include "net/NetworkRow.h"
#include "net/frmNetInfoIds.h"
#include "shell/misc.h"

namespace {
using C = ui::Control<frmNetInfo>;
constexpr C kControls[] = {
    C::MultiText(IDE_NETINFO_TEXT, {0, 0, 8655, 5055}).With(ui::kFixedFont),
    C::Button(IDB_NETINFO_OK, "&OK", {7440, 5160, 1215, 375}).With(ui::kDefault).OnClick(&frmNetInfo::OKButton_Click),
};
}  // namespace

frmNetInfo::frmNetInfo() : FormT("frmNetInfo", "Network Info", 8670, 5625) { SetControls(kControls); }

void frmNetInfo::Form_Load() {
  CenterForm(ui::MainFormHandle(), hwnd());
  SetText(IDE_NETINFO_TEXT, NetInfoText);
}

void frmNetInfo::OKButton_Click() { Close(); }
