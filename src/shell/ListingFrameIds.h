// Control ids of the main window's frame "Generate directory content:".
// Within the main window's block 1000-1299.
#pragma once

#define IDE_OKU_LIST_FOLDER 1080  // txtList
#define IDB_OKU_LIST_BROWSE 1081  // cmdListBr
#define IDB_OKU_LIST_GO 1082      // cmdListGo
