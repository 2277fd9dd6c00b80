// The Send To frame of the main window.
#include "app/frmOKU.h"

void frmOKU::LoadSendToFolder() {}
void frmOKU::SendBrCmd_Click() {}
void frmOKU::SendGoCmd_Click() {}
