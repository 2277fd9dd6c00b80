// The "Windows Information" frame's identity and window-title settings: reading them into the
// controls at load and on Refresh, the Outlook Express identity lists, and the four change buttons.
#include <string>
#include <utility>

#include "app/frmOKU.h"
#include "app/frmOKUIds.h"
#include "platform/Boundary.h"
#include "registry/IdentitySettings.h"

namespace {

// The four change buttons share one course: ask (No by default), write with the hourglass up,
// then tell the user what the registry answered. `write` returns the outcome of every write.
template <class Write>
void RunChange(frmOKU& form, std::string_view prompt, Write write) {
  ui::RunHandler(form, ui::ShortForm(kWriteErrorCaption), [&] {
    if (ShowMessage(std::string(prompt), std::string(kChangeCaption), kMbYesNoExclamationDefaultNo) != kAnswerYes)
      return;
    form.SetMousePointer(ui::kPointerHourglass);
    const WriteReport report = write();
    form.SetMousePointer(ui::kPointerDefault);
    // A refused write must not be reported as done; the writes that succeeded stay written.
    if (report.AllOk())
      ShowMessage(std::string(kChangeDone), std::string(kChangeCaption), kMbInformation);
    else
      ShowMessage(report.FailureText(), std::string(kWriteErrorCaption), kMbStop);
  });
}

// Fills the identity list and its two hidden companions, index-aligned, from one reading.
void FillIdentityLists(frmOKU& w, OeIdentities oe) {
  w.ComboClear(IDC_OKU_OE_IDENTITY);
  for (const std::string& name : oe.names) w.ComboAdd(IDC_OKU_OE_IDENTITY, name);
  w.cboOEWinT = std::move(oe.titles);
  w.cboRegOE = std::move(oe.paths);
  // The box, list and button are usable exactly when there is an identity to work on. Enabling
  // them again matters after a Refresh that finds identities where the last load found none.
  const bool any = !w.cboRegOE.empty();
  for (int id : {IDE_OKU_OE_TITLE, IDC_OKU_OE_IDENTITY, IDB_OKU_OE_TITLE}) w.Enable(id, any);
  if (!any) {
    // No title of a vanished identity is left on show.
    w.SetText(IDE_OKU_OE_TITLE, "");
    w.SetTip(IDC_OKU_OE_IDENTITY, std::string(kOeIdentityTip));
  }
}

}  // namespace

void frmOKU::ReadIdentitySettings() {
  IdentitySettings settings = ::ReadIdentitySettings(IsNT);
  SetText(IDE_OKU_OWNER, settings.owner);
  SetText(IDE_OKU_ORG, settings.organization);
  SetText(IDT_OKU_IE_CAPTION, settings.ieLabel);
  if (settings.ieEnabled) {
    SetText(IDE_OKU_IE_TITLE, settings.ieTitle.value_or(std::string()));
    for (int id : {IDT_OKU_IE_CAPTION, IDE_OKU_IE_TITLE, IDB_OKU_IE_TITLE}) Enable(id, true);
  }
  // getOE's reading, taken with the rest; selecting runs cboOEident_Click (not on an empty list).
  FillIdentityLists(*this, std::move(settings.oe));
  ComboSelect(IDC_OKU_OE_IDENTITY, 0);
}

void frmOKU::getOE() { FillIdentityLists(*this, ::getOE()); }

void frmOKU::cboOEident_Click() {
  const int index = ComboIndex(IDC_OKU_OE_IDENTITY);
  if (index < 0 || static_cast<size_t>(index) >= cboOEWinT.size()) return;
  SetText(IDE_OKU_OE_TITLE, cboOEWinT[static_cast<size_t>(index)]);
  SetTip(IDC_OKU_OE_IDENTITY, OeIdentityTooltip(ComboItem(IDC_OKU_OE_IDENTITY, index)));
}

void frmOKU::RegOwnCmd_Click() {
  RunChange(*this, kOwnerPrompt, [this] { return WriteOwner(IsNT, Text(IDE_OKU_OWNER)); });
}

void frmOKU::RegOrgCmd_Click() {
  RunChange(*this, kOrganizationPrompt, [this] { return WriteOrganization(IsNT, Text(IDE_OKU_ORG)); });
}

void frmOKU::cmdIEwint_Click() {
  RunChange(*this, kIePrompt, [this] { return WriteIeTitle(Text(IDE_OKU_IE_TITLE)); });
}

void frmOKU::cmdOEwint_Click() {
  // Remembered before the question: the lists are rebuilt after the write.
  const int index = ComboIndex(IDC_OKU_OE_IDENTITY);
  if (index < 0 || static_cast<size_t>(index) >= cboRegOE.size()) return;  // no identity chosen
  RunChange(*this, kOePrompt, [this, index] {
    const WriteReport report = WriteOeTitle(cboRegOE[static_cast<size_t>(index)], Text(IDE_OKU_OE_TITLE));
    getOE();
    ComboSelect(IDC_OKU_OE_IDENTITY, index);  // shows the title as read back
    return report;
  });
}
