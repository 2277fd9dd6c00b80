// Control ids of the main window's Send To frame "Add Folder Shortcut to the SendTo Menu:".
// Within the main window's block 1000-1299.
#pragma once

#define IDG_OKU_SENDTO 1002         // Frame3
#define IDE_OKU_SENDTO_FOLDER 1060  // SendFolTxt
#define IDB_OKU_SENDTO_BROWSE 1061  // SendBrCmd
#define IDB_OKU_SENDTO_GO 1062      // SendGoCmd
