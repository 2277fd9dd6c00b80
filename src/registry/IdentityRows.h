// The identity and window-title rows of the main window's "Windows Information" frame: the
// registered owner and organisation, the Internet Explorer title and the Outlook Express identities
// with their titles, read into the rows and changed by the four buttons.
#pragma once

#include <string>
#include <vector>

#include "platform/FrameView.h"
#include "registry/IdentitySettings.h"

class IdentityRows {
 public:
  explicit IdentityRows(ui::FrameView view) : view_(view) {}

  void Read();                // the load sequence's step; selects the first identity
  void Clear();               // Refresh empties the rows before reading them again
  void getOE();               // the identity lists alone, read again
  void ShowIdentity();        // cboOEident_Click: the chosen identity's title
  void ChangeOwner();         // RegOwnCmd_Click
  void ChangeOrganization();  // RegOrgCmd_Click
  void ChangeIeTitle();       // cmdIEwint_Click
  void ChangeOeTitle();       // cmdOEwint_Click

 private:
  template <class Write>
  void RunChange(std::string_view prompt, Write write);
  void FillIdentityLists(OeIdentities oe);

  ui::FrameView view_;
  // The hidden lists of the titles and of the identities' keys, index-aligned with the identity list.
  std::vector<std::string> cboOEWinT_;
  std::vector<std::string> cboRegOE_;
};
