// The Send To frame of the main window, bound to the Send To command.
#include "shell/SendToFrame.h"

#include "platform/Boundary.h"
#include "shell/Namefrm.h"
#include "shell/SendToFrameIds.h"
#include "shell/SendToLogic.h"
#include "shell/SendToSystem.h"
#include "shell/cShellLink.h"
#include "shell/mShellLink.h"
#include "shell/misc.h"

namespace {
constexpr const char* kAborted = "Aborted";
}  // namespace

void SendToFrame::Load() {
  SendToFolder = SendToFolderFromLookup(GetSendToPath());
  if (SendToFolder.empty()) return;  // no Send To menu: the frame stays disabled
  for (int id : {IDG_OKU_SENDTO, IDE_OKU_SENDTO_FOLDER, IDB_OKU_SENDTO_BROWSE, IDB_OKU_SENDTO_GO})
    view_.window.Enable(id, true);
}

void SendToFrame::Clear() { view_.window.SetText(IDE_OKU_SENDTO_FOLDER, ""); }

void SendToFrame::Browse() {
  ui::Form& w = view_.window;
  ui::RunHandler(w, ui::ShortForm(kAborted), [&] {
    // Whatever the picker gives, a cancel included (which empties the box).
    w.SetText(IDE_OKU_SENDTO_FOLDER, BrowseForFolder(w.hwnd(), "What folder do you want in the SendTo Menu?"));
  });
}

void SendToFrame::Add() {
  ui::Form& w = view_.window;
  ui::RunHandler(w, ui::ShortForm(kAborted), [&] {
    SendToWindow window;
    window.showMessage = ShowMessage;
    window.showNamePrompt = [&w] {
      Namefrm prompt;
      prompt.ShowModal(w.hwnd());
    };
    window.focusFolderText = [&w] {
      if (w.IsOpen()) w.Focus(IDE_OKU_SENDTO_FOLDER);
    };
    window.createShellLink = [](const std::string& shortcut, const std::string& target) {
      cShellLink link;
      return link.CreateShellLink(shortcut, target, "", "", "", 0, 1) != 0;
    };
    SendGoCmd_Run(w.Text(IDE_OKU_SENDTO_FOLDER), {SendToFolder, LinkName, NameAccepted}, RealSendToFileSystem(),
                  window);
  });
}
