// The "Generate directory content:" frame of the main window.
#include "app/frmOKU.h"

void frmOKU::cmdListBr_Click() {}
void frmOKU::cmdListGo_Click() {}
