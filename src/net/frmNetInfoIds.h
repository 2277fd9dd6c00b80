// Control ids of the window "Network Info" (block 1400-1419).
#pragma once

#define IDE_NETINFO_TEXT 1400  // txtInfo
#define IDB_NETINFO_OK 1401    // OKButton
