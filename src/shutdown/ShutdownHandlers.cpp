// The "Auto Shut Down" frame of the main window.
#include "app/frmOKU.h"

void frmOKU::SetShutdownDefaults() {}
void frmOKU::cmdAct_Click() {}
void frmOKU::cmdDeAct_Click() {}
void frmOKU::optExitOption_Click(int) {}
void frmOKU::Timer1_Timer() {}
