// Control ids of the window "Donation" (block 1520-1539).
#pragma once

#define IDE_DONATE_TEXT 1520    // txtDon
#define IDB_DONATE_GET 1521     // cmdUp
#define IDB_DONATE_CANCEL 1522  // cmdOK
#define IDB_DONATE_LINK0 1523   // cmdLink(0) .. (2): ids 1523-1525
#define IDB_DONATE_LINK2 1525
#define IDT_DONATE_LINE 1526  // Line1
