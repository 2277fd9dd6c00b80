// The "Windows Utilities" and "Misc" buttons that start the Windows tools.
#include "app/frmOKU.h"

void frmOKU::ApplyUtilityAvailability() {}
void frmOKU::RegEdCmd_Click() {}
void frmOKU::RegCmd_Click() {}
void frmOKU::DefragCmd_Click() {}
void frmOKU::ScanCmd_Click() {}
void frmOKU::SysInfoCmd_Click() {}
void frmOKU::SfcCmd_Click() {}
void frmOKU::ConfigCmd_Click() {}
void frmOKU::cmdCtrlP_Click() {}
void frmOKU::cmdDM_Click() {}
void frmOKU::cmdCM_Click() {}
void frmOKU::StartCmd_Click() {}
