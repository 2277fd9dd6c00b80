// The name prompt: proposes LinkName, and accepts a name that is not blank.
#include "shell/Namefrm.h"

#include "platform/App.h"
#include "shell/SendToFrame.h"
#include "platform/Boundary.h"
#include "shell/NamefrmIds.h"
#include "shell/SendToLogic.h"
#include "shell/misc.h"

namespace {
using C = ui::Control<Namefrm>;
constexpr C kControls[] = {
    C::Label(IDT_NAMEFRM_QUESTION, "What would you like to call the shortcut?", {120, 120, 2895, 255}),
    C::Text(IDE_NAMEFRM_NAME, {120, 360, 2775, 285}).EnterPresses(IDB_NAMEFRM_OK),
    C::Button(IDB_NAMEFRM_OK, "OK", {1320, 720, 735, 375}).With(ui::kDefault).OnClick(&Namefrm::Command1_Click),
    C::Button(IDB_NAMEFRM_CANCEL, "Cancel", {2160, 720, 735, 375}).OnClick(&Namefrm::Command2_Click),
};

SendToShared Shared() { return {SendToFolder, LinkName, NameAccepted}; }
}  // namespace

Namefrm::Namefrm() : FormT("Namefrm", "OKU", 3045, 1200) { SetControls(kControls); }

void Namefrm::Form_Load() {
  SetText(IDE_NAMEFRM_NAME, Namefrm_Open(Shared()));
  CenterForm(ui::MainFormHandle(), hwnd());
}

void Namefrm::Command1_Click() {
  ui::RunHandler(*this, ui::ShortForm("Aborted"), [this] {
    if (Namefrm_Ok(Text(IDE_NAMEFRM_NAME), Shared(), ShowMessage)) {
      Close();
    } else if (IsOpen()) {
      Focus(IDE_NAMEFRM_NAME);
    }
  });
}

// Cancel, Escape and the close box all leave NameAccepted false.
void Namefrm::Command2_Click() { Close(); }
