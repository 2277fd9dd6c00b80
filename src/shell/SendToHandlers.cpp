// The Send To frame of the main window, bound to the Send To command.
#include "app/Globals.h"
#include "app/frmOKU.h"
#include "app/frmOKUIds.h"
#include "platform/Boundary.h"
#include "shell/Namefrm.h"
#include "shell/SendToLogic.h"
#include "shell/SendToSystem.h"
#include "shell/cShellLink.h"
#include "shell/mShellLink.h"
#include "shell/misc.h"

namespace {
constexpr const char* kAborted = "Aborted";
}  // namespace

void frmOKU::LoadSendToFolder() {
  SendToFolder = SendToFolderFromLookup(GetSendToPath());
  if (SendToFolder.empty()) return;  // no Send To menu: the frame stays disabled
  for (int id : {IDG_OKU_SENDTO, IDE_OKU_SENDTO_FOLDER, IDB_OKU_SENDTO_BROWSE, IDB_OKU_SENDTO_GO}) Enable(id, true);
}

void frmOKU::SendBrCmd_Click() {
  ui::RunHandler(*this, ui::ShortForm(kAborted), [this] {
    // Whatever the picker gives, a cancel included (which empties the box).
    SetText(IDE_OKU_SENDTO_FOLDER, BrowseForFolder(hwnd(), "What folder do you want in the SendTo Menu?"));
  });
}

void frmOKU::SendGoCmd_Click() {
  ui::RunHandler(*this, ui::ShortForm(kAborted), [this] {
    SendToWindow window;
    window.showMessage = ShowMessage;
    window.showNamePrompt = [this] {
      Namefrm prompt;
      prompt.ShowModal(hwnd());
    };
    window.focusFolderText = [this] {
      if (IsOpen()) Focus(IDE_OKU_SENDTO_FOLDER);
    };
    window.createShellLink = [](const std::string& shortcut, const std::string& target) {
      cShellLink link;
      return link.CreateShellLink(shortcut, target, "", "", "", 0, 1) != 0;
    };
    SendGoCmd_Run(Text(IDE_OKU_SENDTO_FOLDER), {SendToFolder, LinkName, NameAccepted}, RealSendToFileSystem(), window);
  });
}
