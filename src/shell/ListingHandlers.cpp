// The "Generate directory content:" frame of the main window, bound to the listing command.
#include "app/frmOKU.h"
#include "app/frmOKUIds.h"
#include "platform/App.h"
#include "platform/Boundary.h"
#include "platform/Pump.h"
#include "platform/Text.h"
#include "shell/DirListing.h"
#include "shell/mShellLink.h"

namespace {
constexpr const char* kAborted = "Aborted";
}  // namespace

void frmOKU::cmdListBr_Click() {
  ui::RunHandler(*this, ui::ShortForm(kAborted), [this] {
    const std::string folder = TrimBlanks(BrowseForFolder(hwnd(), "Select the folder."));
    if (!folder.empty()) SetText(IDE_OKU_LIST_FOLDER, folder);  // a cancelled picker changes nothing
  });
}

void frmOKU::cmdListGo_Click() {
  // While the listing runs the window repaints, but no other command can start inside it.
  ui::BusyScope busy;
  ui::RunHandler(*this, false, [this] {
        DoEvents();
        SetMousePointer(ui::kPointerHourglass);
        EnableWindow(hwnd(), FALSE);
        DoEvents();
        DirListingWindow window;
        window.doEvents = [] { DoEvents(); };
        window.restore = [this] {
          SetMousePointer(ui::kPointerDefault);
          EnableWindow(hwnd(), TRUE);
        };
        window.focusListText = [this] {
          if (IsOpen()) Focus(IDE_OKU_LIST_FOLDER);
        };
        window.openFile = [](const std::string& path) { ShellExecuteFile(path, 1, ""); };
        cmdListGo_Run(Text(IDE_OKU_LIST_FOLDER), window);
      },
      [this](const Failure& failure) {
        EnableWindow(hwnd(), TRUE);
        if (failure.number > 0) ShowMessage(ShortReport(failure), kAborted, kMbStop);
      });
}
