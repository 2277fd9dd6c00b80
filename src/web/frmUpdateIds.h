// Control ids of the window "Update" (block 1500-1519).
#pragma once

#define IDT_UPDATE_WELCOME 1500   // Label1
#define IDT_UPDATE_CONNECT 1501   // Label2
#define IDB_UPDATE_CHECK 1502     // cmdCheck
#define IDB_UPDATE_DOWNLOAD 1503  // cmdDown
#define IDB_UPDATE_CANCEL 1504    // cmdCancel
#define IDB_UPDATE_SITE 1505      // cmdLink
#define IDE_UPDATE_NEWS 1506      // txtInfo
#define IDG_UPDATE_FRAME 1507     // Shape1
#define IDT_UPDATE_LINE 1508      // Line1
