// Control and menu ids of the main window "Okumatic" (block 1000-1299).
#pragma once

// Frames
#define IDG_OKU_WININFO 1000  // Frame2
#define IDG_OKU_UTILITIES 1001  // Frame1
#define IDG_OKU_SENDTO 1002  // Frame3
#define IDG_OKU_MISC 1003  // Frame6
#define IDG_OKU_LISTING 1004  // Frame4
#define IDG_OKU_SHUTDOWN 1005  // Frame5

// "Windows Information"
#define IDT_OKU_VERSION_CAPTION 1010  // Label13
#define IDT_OKU_VERSION 1011  // lblWV
#define IDT_OKU_HOST_CAPTION 1012  // Label3
#define IDT_OKU_HOST 1013  // HostLbl
#define IDT_OKU_IP_CAPTION 1014  // Label1
#define IDC_OKU_IP 1015  // cboIP
#define IDB_OKU_NETINFO 1016  // cmdNetInfo
#define IDT_OKU_OWNER_CAPTION 1017  // Label2
#define IDE_OKU_OWNER 1018  // RegOwnTxt
#define IDB_OKU_OWNER 1019  // RegOwnCmd
#define IDT_OKU_ORG_CAPTION 1020  // Label12
#define IDE_OKU_ORG 1021  // RegOrgTxt
#define IDB_OKU_ORG 1022  // RegOrgCmd
#define IDT_OKU_IE_CAPTION 1023  // Label14
#define IDE_OKU_IE_TITLE 1024  // txtIEwint
#define IDB_OKU_IE_TITLE 1025  // cmdIEwint
#define IDT_OKU_OE_CAPTION 1026  // Label17
#define IDC_OKU_OE_IDENTITY 1027  // cboOEident
#define IDE_OKU_OE_TITLE 1028  // txtOEwint
#define IDB_OKU_OE_TITLE 1029  // cmdOEwint

// "Windows Utilities": labels and their small buttons
#define IDT_OKU_STARTUP 1040  // Label4
#define IDB_OKU_STARTUP 1041  // StartCmd
#define IDT_OKU_SCANDISK 1042  // Label8
#define IDB_OKU_SCANDISK 1043  // ScanCmd
#define IDT_OKU_CONFIG 1044  // Label5
#define IDB_OKU_CONFIG 1045  // ConfigCmd
#define IDT_OKU_DEFRAG 1046  // Label9
#define IDB_OKU_DEFRAG 1047  // DefragCmd
#define IDT_OKU_SFC 1048  // Label6
#define IDB_OKU_SFC 1049  // SfcCmd
#define IDT_OKU_REGCHECK 1050  // Label10
#define IDB_OKU_REGCHECK 1051  // RegCmd
#define IDT_OKU_SYSINFO 1052  // Label7
#define IDB_OKU_SYSINFO 1053  // SysInfoCmd
#define IDT_OKU_REGEDIT 1054  // Label11
#define IDB_OKU_REGEDIT 1055  // RegEdCmd

// "Add Folder Shortcut to the SendTo Menu:"
#define IDE_OKU_SENDTO_FOLDER 1060  // SendFolTxt
#define IDB_OKU_SENDTO_BROWSE 1061  // SendBrCmd
#define IDB_OKU_SENDTO_GO 1062  // SendGoCmd

// "Misc"
#define IDB_OKU_DEVMGR 1070  // cmdDM
#define IDB_OKU_COMPMGMT 1071  // cmdCM
#define IDB_OKU_CONTROLPANEL 1072  // cmdCtrlP

// "Generate directory content:"
#define IDE_OKU_LIST_FOLDER 1080  // txtList
#define IDB_OKU_LIST_BROWSE 1081  // cmdListBr
#define IDB_OKU_LIST_GO 1082  // cmdListGo

// "Auto Shut Down"
#define IDT_OKU_SHUTDOWN_TYPE 1090  // Label15
#define IDO_OKU_EXIT_OPTION0 1091  // optExitOption(0) .. (4): ids 1091-1095
#define IDO_OKU_EXIT_OPTION4 1095
#define IDT_OKU_SHUTDOWN_TIME_CAPTION 1096  // Label16
#define IDE_OKU_SHUTDOWN_TIME 1097  // txtTime
#define IDB_OKU_ACTIVATE 1098  // cmdAct
#define IDB_OKU_DEACTIVATE 1099  // cmdDeAct

// Bottom of the window
#define IDB_OKU_REFRESH 1100  // cmdRefresh
#define IDB_OKU_EXIT 1101  // cmdExit
#define IDT_OKU_LINE 1102  // Line1

// Menus
#define IDM_OKU_EXIT 1200  // ExitMnu
#define IDM_OKU_WEBSITE 1201  // mnuQLlink
#define IDM_OKU_UPDATE 1202  // UpMnu
#define IDM_OKU_DONATE 1203  // mnuDonate
#define IDM_OKU_ABOUT 1204  // AboutMnu
#define IDM_OKU_TRAY_REMINDER 1210  // mnuRem
#define IDM_OKU_TRAY_RESTORE 1211  // mnuRestore
#define IDM_OKU_TRAY_MINIMIZE 1212  // mnuMin
#define IDM_OKU_TRAY_ABOUT 1213  // mnuAbout
#define IDM_OKU_TRAY_EXIT 1214  // mnuExit

// Timers
#define IDTIMER_OKU_SHUTDOWN 1  // Timer1
