// Control ids of the identity and window-title rows of the main window's "Windows Information" frame.
// Within the main window's block 1000-1299.
#pragma once

#define IDT_OKU_OWNER_CAPTION 1017  // Label2
#define IDE_OKU_OWNER 1018          // RegOwnTxt
#define IDB_OKU_OWNER 1019          // RegOwnCmd
#define IDT_OKU_ORG_CAPTION 1020    // Label12
#define IDE_OKU_ORG 1021            // RegOrgTxt
#define IDB_OKU_ORG 1022            // RegOrgCmd
#define IDT_OKU_IE_CAPTION 1023     // Label14
#define IDE_OKU_IE_TITLE 1024       // txtIEwint
#define IDB_OKU_IE_TITLE 1025       // cmdIEwint
#define IDT_OKU_OE_CAPTION 1026     // Label17
#define IDC_OKU_OE_IDENTITY 1027    // cboOEident
#define IDE_OKU_OE_TITLE 1028       // txtOEwint
#define IDB_OKU_OE_TITLE 1029       // cmdOEwint
