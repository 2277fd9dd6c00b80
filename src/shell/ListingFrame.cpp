// The "Generate directory content:" frame of the main window, bound to the listing command.
#include "shell/ListingFrame.h"

#include <optional>

#include "platform/Boundary.h"
#include "platform/Pump.h"
#include "platform/Text.h"
#include "shell/DirListing.h"
#include "shell/ListingFrameIds.h"
#include "shell/mShellLink.h"

namespace {
constexpr const char* kAborted = "Aborted";
}  // namespace

void ListingFrame::Clear() { view_.window.SetText(IDE_OKU_LIST_FOLDER, ""); }

void ListingFrame::Browse() {
  ui::Form& w = view_.window;
  ui::RunHandler(w, ui::ShortForm(kAborted), [&] {
    const std::string folder = TrimBlanks(BrowseForFolder(w.hwnd(), "Select the folder."));
    if (!folder.empty()) w.SetText(IDE_OKU_LIST_FOLDER, folder);  // a cancelled picker changes nothing
  });
}

void ListingFrame::Write() {
  ui::Form& w = view_.window;
  // While the listing runs the window repaints, but no other command can start inside it.
  ui::Handling handling = ui::ShortForm(kAborted);
  handling.busyThroughout = true;
  ui::RunHandler(w, handling, [&] {
    DoEvents();
    std::optional<ui::Hourglass> hourglass(std::in_place, w);
    EnableWindow(w.hwnd(), FALSE);
    DoEvents();
    DirListingWindow window;
    window.doEvents = [] { DoEvents(); };
    window.restore = [&] {
      hourglass.reset();
      EnableWindow(w.hwnd(), TRUE);
    };
    window.focusListText = [&w] {
      if (w.IsOpen()) w.Focus(IDE_OKU_LIST_FOLDER);
    };
    window.openFile = [](const std::string& path) { ShellExecuteFile(path, 1, ""); };
    cmdListGo_Run(w.Text(IDE_OKU_LIST_FOLDER), window);
  });
}
