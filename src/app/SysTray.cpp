// The notification-area icon of the main window.
#include "app/SysTray.h"

#include "app/frmOKU.h"

bool MinimizeToTray() { return false; }
void RemoveTrayIcon() {}
void RestoreFromTray() {}
bool HandleTrayMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

void frmOKU::mnuRestore_Click() {
  RemoveTrayIcon();
  RestoreFromTray();
}

void frmOKU::mnuMin_Click() {
  ShowWindow(hwnd(), SW_MINIMIZE);
  RemoveTrayIcon();
  RestoreFromTray();
}
