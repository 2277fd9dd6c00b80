// Control and timer ids of the main window's "Auto Shut Down" frame.
// Within the main window's block 1000-1299.
#pragma once

#define IDT_OKU_SHUTDOWN_TYPE 1090  // Label15
#define IDO_OKU_EXIT_OPTION0 1091   // optExitOption(0) .. (4): ids 1091-1095
#define IDO_OKU_EXIT_OPTION4 1095
#define IDT_OKU_SHUTDOWN_TIME_CAPTION 1096  // Label16
#define IDE_OKU_SHUTDOWN_TIME 1097          // txtTime
#define IDB_OKU_ACTIVATE 1098               // cmdAct
#define IDB_OKU_DEACTIVATE 1099             // cmdDeAct
#define IDTIMER_OKU_SHUTDOWN 1              // Timer1
