// Host name, addresses and the network information button of the main window.
#include "app/Globals.h"
#include "app/frmOKU.h"
#include "app/frmOKUIds.h"
#include "net/Ip.h"
#include "net/NetInfoText.h"
#include "net/cmdpipe.h"
#include "net/frmNetInfo.h"
#include "platform/Boundary.h"

bool frmOKU::ShowHostAddresses() {
  const HostLookup lookup = LookUpHost();
  if (lookup.endProgram) return false;
  if (lookup.found) {
    SetText(IDT_OKU_HOST, lookup.hostLabel);
    for (const std::string& address : lookup.addresses) ComboAdd(IDC_OKU_IP, address);
  }
  if (ComboCount(IDC_OKU_IP) > 0) ComboSelect(IDC_OKU_IP, 0);
  return true;
}

void frmOKU::cmdNetInfo_Click() {
  ui::RunHandler(*this, ui::LongForm("Error in generating IPConfig", CommandLine), [this] {
        SetMousePointer(ui::kPointerHourglass);
        CommandLine = NetInfoCommandLine(IsNT, SystemDir, WindowsDir);
        NetInfoText = BuildNetInfoText(CommandLine, RunCaptured(CommandLine));
        SetMousePointer(ui::kPointerDefault);
        frmNetInfo window;
        window.ShowModal(hwnd());
      });
}
