// The Help menu and the icon menu's About entry: the web site, update, donation and About windows.
#include "app/frmOKU.h"

void frmOKU::mnuQLlink_Click() {}
void frmOKU::UpMnu_Click() {}
void frmOKU::mnuDonate_Click() {}
void frmOKU::AboutMnu_Click() {}
void frmOKU::mnuAbout_Click() {}
