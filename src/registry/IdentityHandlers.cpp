// The "Windows Information" frame's identity and window-title settings.
#include "app/frmOKU.h"

void frmOKU::ReadIdentitySettings() {}
void frmOKU::getOE() {}
void frmOKU::cboOEident_Click() {}
void frmOKU::RegOwnCmd_Click() {}
void frmOKU::RegOrgCmd_Click() {}
void frmOKU::cmdIEwint_Click() {}
void frmOKU::cmdOEwint_Click() {}
