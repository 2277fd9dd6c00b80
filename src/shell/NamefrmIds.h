// Control ids of the name prompt Namefrm (block 1500-1519).
#pragma once

#define IDT_NAMEFRM_QUESTION 1500  // Label1
#define IDE_NAMEFRM_NAME 1501      // Text1
#define IDB_NAMEFRM_OK 1502        // Command1
#define IDB_NAMEFRM_CANCEL 1503    // Command2
