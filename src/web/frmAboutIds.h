// Control ids of the window "About OKU - Okumatic" (block 1540-1569).
#pragma once

#define IDT_ABOUT_NAME 1540            // lblInfo: "OKU"
#define IDT_ABOUT_PURPOSE 1541         // lblInfo: the one-line description
#define IDT_ABOUT_DOTS 1542            // lblInfo: "......."
#define IDT_ABOUT_BY 1543              // lblInfo: "by"
#define IDT_ABOUT_PRODUCT 1544         // lblProduct
#define IDT_ABOUT_URL 1545             // lblURL
#define IDT_ABOUT_VERSION_UPDATE 1546  // lblVersionUpdate
#define IDT_ABOUT_COPYRIGHT 1547       // lblCopyright
#define IDT_ABOUT_VERSION 1548         // lblVersion
#define IDT_ABOUT_DESCRIPTION 1549     // lblDescription
#define IDE_ABOUT_HISTORY 1550         // txtProgInfo
#define IDB_ABOUT_OK 1551              // cmdOK
#define IDG_ABOUT_RECT0 1552           // shpRect(0)
#define IDG_ABOUT_RECT1 1553           // shpRect(1)
#define IDT_ABOUT_LINE 1554            // Line1
