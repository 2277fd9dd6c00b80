// Host name, addresses and the network information button of the main window.
#include "net/NetworkRow.h"

#include "net/Ip.h"
#include "net/NetInfoText.h"
#include "net/NetworkRowIds.h"
#include "net/cmdpipe.h"
#include "net/frmNetInfo.h"
#include "platform/Boundary.h"

bool NetworkRow::ShowHostAddresses() {
  ui::Form& w = view_.window;
  const HostLookup lookup = LookUpHost();
  if (lookup.endProgram) return false;
  if (lookup.found) {
    w.SetText(IDT_OKU_HOST, lookup.hostLabel);
    for (const std::string& address : lookup.addresses) w.ComboAdd(IDC_OKU_IP, address);
  }
  if (w.ComboCount(IDC_OKU_IP) > 0) w.ComboSelect(IDC_OKU_IP, 0);
  return true;
}

void NetworkRow::Clear() {
  view_.window.ComboClear(IDC_OKU_IP);
  view_.window.SetText(IDT_OKU_HOST, "");
}

void NetworkRow::ShowNetInfo() {
  ui::Form& w = view_.window;
  std::string& commandLine = view_.commandLine;
  ui::RunHandler(w, ui::LongForm("Error in generating IPConfig", commandLine), [&] {
    {
      ui::Hourglass hourglass(w);
      commandLine = NetInfoCommandLine(view_.machine.IsNT, view_.machine.SystemDir, view_.machine.WindowsDir);
      NetInfoText = BuildNetInfoText(commandLine, RunCaptured(commandLine));
    }
    frmNetInfo window;
    window.ShowModal(w.hwnd());
  });
}
