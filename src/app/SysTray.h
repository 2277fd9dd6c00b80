// Module SysTray: the main window's life in the taskbar's notification area.
//
// Two states: no icon, and icon present (the main window hidden, its messages passed through
// HandleTrayMessage). The main window's own window procedure is never replaced: it hands every
// message to HandleTrayMessage, which acts only while the icon exists.
#pragma once

#include <windows.h>
#include <shellapi.h>

// The icon's callback message, and the icon's id: a 32-bit value of our own, because the
// instance handle of a 64-bit program does not fit the record's 32-bit id.
inline constexpr UINT kTrayCallbackMessage = 0x40F;
inline constexpr UINT kTrayIconId = 1;

// Sends the main window to the notification area (icon with the caption as tooltip), then hides
// it. While the icon exists a further call does nothing. When the icon cannot be added the window
// stays visible and nothing changes; the close request is still answered (true), so the program
// goes on. False only when there is no main window.
bool MinimizeToTray();
// Deletes the icon and leaves the icon-present state; does nothing when there is no icon.
void RemoveTrayIcon();
// Brings the window back from the notification area: shown, and in front unless minimised.
void RestoreFromTray();
// The icon's notifications and the shell's restart, seen by the main window. True when handled.
bool HandleTrayMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
// True while the icon exists.
bool TrayIconPresent();

// Direction 1 animates a caption from the window to the notification area, 0 back; any other
// direction, or no notification area on the taskbar, does nothing. True when it animated.
bool AnimateTray(int direction, HWND window);
// The taskbar's notification area: the child of `taskbar` whose class contains "TrayNotifyWnd".
HWND FindTrayNotifyArea(HWND taskbar);

// The Windows calls of this module; tests swap entries and put the defaults back.
struct TrayApi {
  BOOL(WINAPI* notifyIcon)(DWORD, PNOTIFYICONDATAA) = Shell_NotifyIconA;
  HWND(WINAPI* findWindow)(LPCSTR, LPCSTR) = FindWindowA;
  BOOL(WINAPI* drawAnimatedRects)(HWND, int, const RECT*, const RECT*) = DrawAnimatedRects;
};
TrayApi& TrayCalls();
