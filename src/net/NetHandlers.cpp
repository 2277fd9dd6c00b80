// Host name, addresses and the network information button of the main window.
#include "app/frmOKU.h"

bool frmOKU::ShowHostAddresses() { return true; }
void frmOKU::cmdNetInfo_Click() {}
