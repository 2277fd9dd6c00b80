// Module SysTray: the main window's life in the taskbar's notification area.
//
// Two states: no icon, and icon present (the main window hidden, its messages passed through
// HandleMessage). The main window's own window procedure is never replaced: it hands every
// message to HandleMessage, which acts only while the icon exists.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>

#include "platform/Form.h"

// The icon's callback message, and the icon's id: a 32-bit value of our own, because the
// instance handle of a 64-bit program does not fit the record's 32-bit id.
inline constexpr UINT kTrayCallbackMessage = 0x40F;
inline constexpr UINT kTrayIconId = 1;

class TrayIcon {
 public:
  // `window` is the main window; `buildMenu` makes the icon's pop-up menu as it stands now (the
  // caller destroys it).
  TrayIcon(const ui::Form& window, std::function<HMENU()> buildMenu)
      : window_(window), buildMenu_(std::move(buildMenu)) {}
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // Sends the main window to the notification area (icon with the caption as tooltip), then hides
  // it. While the icon exists a further call does nothing. When the icon cannot be added the
  // window stays visible and nothing changes; the close request is still answered (true), so the
  // program goes on. False only when the main window does not exist.
  bool MinimizeToTray();
  // Deletes the icon and leaves the icon-present state; does nothing when there is no icon.
  void Remove();
  // Brings the window back from the notification area: shown, and in front unless minimised.
  void RestoreWindow();
  // The icon's double-click and "&Restore": the window comes back as a normal window, also when it
  // was sent to the notification area while minimised (closed from its taskbar button).
  void BringBack();
  // The icon's notifications and the shell's restart, seen by the main window. True when handled.
  bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool Present() const { return iconPresent_; }

 private:
  void FillIconData(HWND window);
  void ReAddIcon();
  void ShowMenu(HWND window);

  const ui::Form& window_;
  std::function<HMENU()> buildMenu_;
  bool iconPresent_ = false;
  bool menuOpen_ = false;    // the icon's menu is being tracked
  UINT taskbarCreated_ = 0;  // the shell's registered restart message, once known
  NOTIFYICONDATAA data_{};   // the icon record; data_.hWnd is the main window
};

// Direction 1 animates a caption from the window to the notification area, 0 back; any other
// direction, or no notification area on the taskbar, does nothing. True when it animated.
bool AnimateTray(int direction, HWND window);
// The taskbar's notification area: the child of `taskbar` whose class contains "TrayNotifyWnd".
HWND FindTrayNotifyArea(HWND taskbar);
