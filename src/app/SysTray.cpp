// The notification-area icon of the main window: adding and removing it, the animation towards
// the taskbar, the icon's mouse notifications and its pop-up menu.
#include "app/SysTray.h"

#include <cstring>

#include "platform/App.h"
#include "platform/Handles.h"

namespace {

constexpr int kTipLength = 64;  // the basic record's tip, NUL included (the header's field is longer)

// The window's own icon, small first (the notification area shows small icons); the system's
// application icon when the window has none, so the icon is never an empty, unclickable spot.
HICON WindowIcon(HWND window) {
  for (WPARAM kind : {ICON_SMALL, ICON_BIG})
    if (auto icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, kind, 0))) return icon;
  for (int index : {GCLP_HICONSM, GCLP_HICON})
    if (auto icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, index))) return icon;
  return LoadIconA(nullptr, IDI_APPLICATION);
}

}  // namespace

void TrayIcon::FillIconData(HWND window) {
  NOTIFYICONDATAA& d = data_;
  d = NOTIFYICONDATAA{};
  d.cbSize = NOTIFYICONDATAA_V1_SIZE;  // the basic record with the 64-character tip
  d.hWnd = window;
  d.uID = kTrayIconId;
  d.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  d.uCallbackMessage = kTrayCallbackMessage;
  d.hIcon = WindowIcon(window);
  GetWindowTextA(window, d.szTip, kTipLength);  // the caption, cut to fit with its NUL
}

// The shell restarted and lost every icon: ours comes back while the window is hidden there.
// Windows also sends the message when nothing was lost, so an icon that still exists is updated.
// When neither works the window must not stay hidden with no way back.
void TrayIcon::ReAddIcon() {
  if (Shell_NotifyIconA(NIM_ADD, &data_) || Shell_NotifyIconA(NIM_MODIFY, &data_)) return;
  iconPresent_ = false;
  RestoreWindow();
}

// Right button on the icon: the icon's menu at the mouse. The chosen entry is posted to the main
// window as a menu command, so it runs like any other command once the menu is gone.
void TrayIcon::ShowMenu(HWND window) {
  POINT at{};
  GetCursorPos(&at);
  win::UniqueHmenu menu(buildMenu_());
  // The window must be in the foreground, or the menu stays open when the user clicks elsewhere.
  SetForegroundWindow(window);
  menuOpen_ = true;
  const UINT command =
      TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr);
  menuOpen_ = false;
  if (!IsWindow(window)) return;  // the exit path closed the window meanwhile
  // A task switch right after the menu lets it show properly the next time.
  PostMessageA(window, WM_NULL, 0, 0);
  if (command != 0 && !ui::IsExiting()) PostMessageA(window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void TrayIcon::BringBack() {
  Remove();
  RestoreWindow();
  HWND window = window_.hwnd();
  if (window && IsIconic(window)) ShowWindow(window, SW_RESTORE);
}

HWND FindTrayNotifyArea(HWND taskbar) {
  if (!taskbar) return nullptr;
  for (HWND child = GetWindow(taskbar, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char className[256] = {};
    GetClassNameA(child, className, 255);
    if (std::strstr(className, "TrayNotifyWnd")) return child;
  }
  return nullptr;  // the siblings are exhausted: this taskbar has no notification area
}

bool AnimateTray(int direction, HWND window) {
  if (direction != 0 && direction != 1) return false;
  HWND notifyArea = FindTrayNotifyArea(FindWindowA("Shell_TrayWnd", nullptr));
  RECT windowRect{}, areaRect{};
  if (!notifyArea || !GetWindowRect(window, &windowRect) || !GetWindowRect(notifyArea, &areaRect)) return false;
  const RECT& from = direction == 1 ? windowRect : areaRect;
  const RECT& to = direction == 1 ? areaRect : windowRect;
  return DrawAnimatedRects(window, IDANI_CAPTION, &from, &to) != FALSE;
}

bool TrayIcon::MinimizeToTray() {
  if (iconPresent_) return true;  // already there: a further close request changes nothing
  HWND window = window_.hwnd();
  if (!window) return false;
  FillIconData(window);
  // The icon first: without it there would be no way back, so the window stays where it is.
  if (!Shell_NotifyIconA(NIM_ADD, &data_)) return true;
  iconPresent_ = true;
  if (!IsIconic(window)) AnimateTray(1, window);  // a minimised window has no place to start from
  ShowWindow(window, SW_HIDE);
  return true;
}

void TrayIcon::Remove() {
  if (!iconPresent_) return;
  iconPresent_ = false;
  Shell_NotifyIconA(NIM_DELETE, &data_);
}

void TrayIcon::RestoreWindow() {
  HWND window = window_.hwnd();
  if (!window) return;
  // A minimised window has no place on the screen to animate to, and stays minimised.
  const bool minimised = IsIconic(window);
  if (!minimised) AnimateTray(0, window);
  ShowWindow(window, SW_SHOW);
  if (!minimised) SetForegroundWindow(window);
}

bool TrayIcon::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (!taskbarCreated_) taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
  if (!iconPresent_) return false;
  if (msg == taskbarCreated_ && msg != 0) {
    ReAddIcon();
    result = 0;
    return true;
  }
  // Only our icon's own notifications: the callback message with our id.
  if (msg != kTrayCallbackMessage || wParam != kTrayIconId) return false;
  result = 0;
  // While a handler works, or the menu is already open, the icon takes no input.
  if (ui::IsBusy() || menuOpen_) return true;
  ui::HandlerScope scope;  // an exit requested meanwhile waits until this returns
  switch (LOWORD(lParam)) {
    case WM_LBUTTONDBLCLK:
      BringBack();
      break;
    case WM_RBUTTONUP:
      ShowMenu(data_.hWnd);
      break;
    default:
      break;
  }
  return true;
}
