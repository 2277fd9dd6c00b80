// Control ids of the host and address rows of the main window's "Windows Information" frame.
// Within the main window's block 1000-1299.
#pragma once

#define IDT_OKU_HOST_CAPTION 1012  // Label3
#define IDT_OKU_HOST 1013          // HostLbl
#define IDT_OKU_IP_CAPTION 1014    // Label1
#define IDC_OKU_IP 1015            // cboIP
#define IDB_OKU_NETINFO 1016       // cmdNetInfo
