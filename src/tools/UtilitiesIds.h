// Control ids of the main window's "Windows Utilities" and "Misc" frames.
// Within the main window's block 1000-1299.
#pragma once

#define IDT_OKU_STARTUP 1040       // Label4
#define IDB_OKU_STARTUP 1041       // StartCmd
#define IDT_OKU_SCANDISK 1042      // Label8
#define IDB_OKU_SCANDISK 1043      // ScanCmd
#define IDT_OKU_CONFIG 1044        // Label5
#define IDB_OKU_CONFIG 1045        // ConfigCmd
#define IDT_OKU_DEFRAG 1046        // Label9
#define IDB_OKU_DEFRAG 1047        // DefragCmd
#define IDT_OKU_SFC 1048           // Label6
#define IDB_OKU_SFC 1049           // SfcCmd
#define IDT_OKU_REGCHECK 1050      // Label10
#define IDB_OKU_REGCHECK 1051      // RegCmd
#define IDT_OKU_SYSINFO 1052       // Label7
#define IDB_OKU_SYSINFO 1053       // SysInfoCmd
#define IDT_OKU_REGEDIT 1054       // Label11
#define IDB_OKU_REGEDIT 1055       // RegEdCmd
#define IDB_OKU_DEVMGR 1070        // cmdDM
#define IDB_OKU_COMPMGMT 1071      // cmdCM
#define IDB_OKU_CONTROLPANEL 1072  // cmdCtrlP
