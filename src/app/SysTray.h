// Module SysTray: the main window's life in the taskbar's notification area.
#pragma once

#include <windows.h>

// Sends the main window to the notification area (icon with the caption as tooltip). Returns
// false when the icon could not be added: the window then stays as it was.
bool MinimizeToTray();
// Deletes the icon and puts the window's own handling back; safe when there is no icon.
void RemoveTrayIcon();
// Brings the window back from the notification area.
void RestoreFromTray();
// The icon's notifications and the shell's restart, seen by the main window. True when handled.
bool HandleTrayMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
