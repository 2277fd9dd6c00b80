// Message boxes owned by the active window of the user-interface thread.
#include "platform/MessageBox.h"

#include <windows.h>

namespace {
MessageBoxHook& Hook() {
  static MessageBoxHook hook;
  return hook;
}
}  // namespace

void SetMessageBoxHook(MessageBoxHook hook) { Hook() = std::move(hook); }

int ShowMessage(const std::string& text, const std::string& caption, unsigned style) {
  if (Hook()) return Hook()(text, caption, style);
  // Owned by our active window so the box stays above it; with none, task-modal so that no
  // window of the program takes input under it.
  HWND owner = GetActiveWindow();
  return MessageBoxA(owner, text.c_str(), caption.c_str(), style | (owner ? 0 : MB_TASKMODAL) | MB_SETFOREGROUND);
}
