// The identity and window-title rows: reading them into the controls at load and on Refresh, the
// Outlook Express identity lists, and the four change buttons.
#include "registry/IdentityRows.h"

#include <utility>

#include "platform/Boundary.h"
#include "registry/IdentityRowsIds.h"
#include "registry/IdentitySettings.h"

// The four change buttons share one course: ask (No by default), write with the hourglass up,
// then tell the user what the registry answered. `write` returns the outcome of every write.
template <class Write>
void IdentityRows::RunChange(std::string_view prompt, Write write) {
  ui::RunHandler(view_.window, ui::ShortForm(kWriteErrorCaption), [&] {
    if (ShowMessage(std::string(prompt), std::string(kChangeCaption), kMbYesNoExclamationDefaultNo) != kAnswerYes)
      return;
    WriteReport report;
    {
      ui::Hourglass hourglass(view_.window);
      report = write();
    }
    // A refused write must not be reported as done; the writes that succeeded stay written.
    if (report.AllOk())
      ShowMessage(std::string(kChangeDone), std::string(kChangeCaption), kMbInformation);
    else
      ShowMessage(report.FailureText(), std::string(kWriteErrorCaption), kMbStop);
  });
}

// Fills the identity list and its two hidden companions, index-aligned, from one reading.
void IdentityRows::FillIdentityLists(OeIdentities oe) {
  ui::Form& w = view_.window;
  w.ComboClear(IDC_OKU_OE_IDENTITY);
  for (const std::string& name : oe.names) w.ComboAdd(IDC_OKU_OE_IDENTITY, name);
  cboOEWinT_ = std::move(oe.titles);
  cboRegOE_ = std::move(oe.paths);
  // The box, list and button are usable exactly when there is an identity to work on. Enabling
  // them again matters after a Refresh that finds identities where the last load found none.
  const bool any = !cboRegOE_.empty();
  for (int id : {IDE_OKU_OE_TITLE, IDC_OKU_OE_IDENTITY, IDB_OKU_OE_TITLE}) w.Enable(id, any);
  if (!any) {
    // No title of a vanished identity is left on show.
    w.SetText(IDE_OKU_OE_TITLE, "");
    w.SetTip(IDC_OKU_OE_IDENTITY, std::string(kOeIdentityTip));
  }
}

void IdentityRows::Read() {
  ui::Form& w = view_.window;
  IdentitySettings settings = ReadIdentitySettings(view_.machine.IsNT);
  w.SetText(IDE_OKU_OWNER, settings.owner);
  w.SetText(IDE_OKU_ORG, settings.organization);
  w.SetText(IDT_OKU_IE_CAPTION, settings.ieLabel);
  if (settings.ieEnabled) {
    w.SetText(IDE_OKU_IE_TITLE, settings.ieTitle.value_or(std::string()));
    for (int id : {IDT_OKU_IE_CAPTION, IDE_OKU_IE_TITLE, IDB_OKU_IE_TITLE}) w.Enable(id, true);
  }
  // getOE's reading, taken with the rest; selecting shows its title (not on an empty list).
  FillIdentityLists(std::move(settings.oe));
  w.ComboSelect(IDC_OKU_OE_IDENTITY, 0);
}

void IdentityRows::Clear() {
  ui::Form& w = view_.window;
  w.ComboClear(IDC_OKU_OE_IDENTITY);
  cboRegOE_.clear();
  cboOEWinT_.clear();
  for (int id : {IDE_OKU_OWNER, IDE_OKU_ORG, IDE_OKU_IE_TITLE}) w.SetText(id, "");
}

void IdentityRows::getOE() { FillIdentityLists(::getOE()); }

void IdentityRows::ShowIdentity() {
  ui::Form& w = view_.window;
  const int index = w.ComboIndex(IDC_OKU_OE_IDENTITY);
  if (index < 0 || static_cast<size_t>(index) >= cboOEWinT_.size()) return;
  w.SetText(IDE_OKU_OE_TITLE, cboOEWinT_[static_cast<size_t>(index)]);
  w.SetTip(IDC_OKU_OE_IDENTITY, OeIdentityTooltip(w.ComboItem(IDC_OKU_OE_IDENTITY, index)));
}

void IdentityRows::ChangeOwner() {
  RunChange(kOwnerPrompt, [this] { return WriteOwner(view_.machine.IsNT, view_.window.Text(IDE_OKU_OWNER)); });
}

void IdentityRows::ChangeOrganization() {
  RunChange(kOrganizationPrompt,
            [this] { return WriteOrganization(view_.machine.IsNT, view_.window.Text(IDE_OKU_ORG)); });
}

void IdentityRows::ChangeIeTitle() {
  RunChange(kIePrompt, [this] { return WriteIeTitle(view_.window.Text(IDE_OKU_IE_TITLE)); });
}

void IdentityRows::ChangeOeTitle() {
  ui::Form& w = view_.window;
  // Remembered before the question: the lists are rebuilt after the write.
  const int index = w.ComboIndex(IDC_OKU_OE_IDENTITY);
  if (index < 0 || static_cast<size_t>(index) >= cboRegOE_.size()) return;  // no identity chosen
  RunChange(kOePrompt, [this, &w, index] {
    const WriteReport report = WriteOeTitle(cboRegOE_[static_cast<size_t>(index)], w.Text(IDE_OKU_OE_TITLE));
    getOE();
    w.ComboSelect(IDC_OKU_OE_IDENTITY, index);  // shows the title as read back
    return report;
  });
}
