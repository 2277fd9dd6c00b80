// Control and menu ids of the main window "Okumatic" (block 1000-1299).
#pragma once

// Each frame's own controls are named in its subsystem.
#include "net/NetworkRowIds.h"
#include "registry/IdentityRowsIds.h"
#include "shell/ListingFrameIds.h"
#include "shell/SendToFrameIds.h"
#include "shutdown/ShutdownFrameIds.h"
#include "tools/UtilitiesIds.h"

// Frames
#define IDG_OKU_WININFO 1000    // Frame2
#define IDG_OKU_UTILITIES 1001  // Frame1
#define IDG_OKU_MISC 1003       // Frame6
#define IDG_OKU_LISTING 1004    // Frame4
#define IDG_OKU_SHUTDOWN 1005   // Frame5

// "Windows Information"
#define IDT_OKU_VERSION_CAPTION 1010  // Label13
#define IDT_OKU_VERSION 1011          // lblWV

// Bottom of the window
#define IDB_OKU_REFRESH 1100  // cmdRefresh
#define IDB_OKU_EXIT 1101     // cmdExit
#define IDT_OKU_LINE 1102     // Line1

// Menus
#define IDM_OKU_EXIT 1200           // ExitMnu
#define IDM_OKU_WEBSITE 1201        // mnuQLlink
#define IDM_OKU_UPDATE 1202         // UpMnu
#define IDM_OKU_DONATE 1203         // mnuDonate
#define IDM_OKU_ABOUT 1204          // AboutMnu
#define IDM_OKU_TRAY_REMINDER 1210  // mnuRem
#define IDM_OKU_TRAY_RESTORE 1211   // mnuRestore
#define IDM_OKU_TRAY_MINIMIZE 1212  // mnuMin
#define IDM_OKU_TRAY_ABOUT 1213     // mnuAbout
#define IDM_OKU_TRAY_EXIT 1214      // mnuExit
