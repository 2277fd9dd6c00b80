// Control ids of the window "Startup Items in Registry" (block 1600-1619).
#pragma once

#define IDL_STARTUP_ITEMS 1600  // lvwSUI
#define IDB_STARTUP_OK 1601     // OKButton
