// Message-box icons as painted on screen, and registry values put back after a test.
// (Icon handles cannot be compared across processes under Wine, so the pixels are.)
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "driver/Driver.h"

namespace driver {

// The system icon a message box shows (None: no system icon), told from the screen: Wine's icons cannot be read from
// another process, so the box's icon area is compared with the system icons drawn here.
enum class BoxIcon { None, Stop, Other };

// The icon's part of the box's style: 16 stop, 32 question, 48 exclamation, 64 information, 0 none.
inline unsigned IconFlag(HWND box);

inline BoxIcon IconOf(HWND box) {
  const unsigned flag = IconFlag(box);
  return flag == 0 ? BoxIcon::None : flag == MB_ICONSTOP ? BoxIcon::Stop : BoxIcon::Other;
}

inline unsigned IconFlag(HWND box) {
  HWND icon = nullptr;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) icon = child;
  if (!icon || !IsWindowVisible(icon)) return 0;
  const RECT rc = WindowRect(icon);
  const int w = rc.right - rc.left, h = rc.bottom - rc.top;
  if (w <= 0 || h <= 0) return 0;

  // Pixels of a w x h picture: the screen's, or an icon drawn on a plain background.
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  const auto grab = [&] {
    GdiFlush();
    const auto* p = static_cast<const DWORD*>(bits);
    return std::vector<DWORD>(p, p + static_cast<size_t>(w) * h);
  };
  const auto drawn = [&](HICON shape, COLORREF background) {
    RECT all{0, 0, w, h};
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    DrawIconEx(memory, 0, 0, shape, w, h, 0, nullptr, DI_NORMAL);
    return grab();
  };
  BitBlt(memory, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
  const std::vector<DWORD> shown = grab();
  // A system icon is shown when its opaque pixels (the same on black and on white) are all there.
  const std::pair<LPCSTR, unsigned> icons[] = {{IDI_HAND, MB_ICONSTOP},
                                               {IDI_QUESTION, MB_ICONQUESTION},
                                               {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
                                               {IDI_ASTERISK, MB_ICONINFORMATION}};
  unsigned found = 0;
  for (const auto& [name, flag] : icons) {
    const std::vector<DWORD> onBlack = drawn(LoadIconA(nullptr, name), RGB(0, 0, 0));
    const std::vector<DWORD> onWhite = drawn(LoadIconA(nullptr, name), RGB(255, 255, 255));
    size_t opaque = 0, same = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
      if (onBlack[i] != onWhite[i]) continue;
      ++opaque;
      if ((shown[i] & 0xFFFFFF) == (onBlack[i] & 0xFFFFFF)) ++same;
    }
    if (opaque > shown.size() / 4 && same * 100 >= opaque * 95) {
      found = flag;
      break;
    }
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return found;
}

// Waits (bounded) for the box to show the icon; the box may not be painted yet when it is found.
inline bool ShowsIcon(HWND box, BoxIcon expected) {
  return WaitUntil([&] { return IconOf(box) == expected; }, Ms(3000));
}

// The box's whole style as the flag sum the program passed, read from the screen: the buttons (0 OK,
// 1 OK/Cancel, 4 Yes/No; 15 for any other set), the icon, and 256 per place of the default button.
inline unsigned StyleOf(const MessageBoxInfo& box) {
  using B = std::vector<std::string>;
  unsigned style = box.buttons == B{"OK"}             ? MB_OK
                   : box.buttons == B{"OK", "Cancel"} ? MB_OKCANCEL
                   : box.buttons == B{"&Yes", "&No"}  ? MB_YESNO
                                                      : 15;
  unsigned place = 0;
  for (HWND child = GetWindow(box.hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[16] = {};
    if (!GetClassNameA(child, name, sizeof name) || lstrcmpiA(name, "Button") != 0) continue;
    if ((GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) style += place * MB_DEFBUTTON2;
    ++place;
  }
  return style + IconFlag(box.hwnd);
}

// Waits (bounded) for the box to be painted with the expected style; returns the style it shows then.
inline unsigned StyleShown(const MessageBoxInfo& box, unsigned expected) {
  unsigned shown = 0;
  WaitUntil([&] { return (shown = StyleOf(box)) == expected; }, Ms(3000));
  return shown;
}

// Waits for a message box of the process, reads it as "caption|text|style" (the style once the
// screen shows `style`, or what it shows after a bounded wait) and answers it with `answer`, or
// with its last button when none is given (Cancel where there is one). "" when no box came.
inline std::string TakeBox(DWORD pid, unsigned style, const std::string& answer = "", Ms timeout = kDefaultWait) {
  const MessageBoxInfo box = WaitMessageBox(pid, timeout);
  if (!box.hwnd) return "";
  const unsigned shown = StyleShown(box, style);
  std::string button = answer.empty() && !box.buttons.empty() ? box.buttons.back() : answer;
  std::erase(button, '&');
  const bool answered = Answer(box, button);
  return box.caption + "|" + box.text + "|" + std::to_string(shown) + (answered ? "" : " (not answered)");
}

// Every value of one key as it stood, put back when the test ends; meanwhile the test may empty
// the key and write values of its own.
class SavedKeyValues {
 public:
  struct Value {
    std::string name;
    DWORD type;
    std::vector<BYTE> data;
  };

  SavedKeyValues(HKEY root, std::string key) : root_(root), key_(std::move(key)) {
    HKEY handle = nullptr;
    existed_ = RegOpenKeyExA(root_, key_.c_str(), 0, KEY_QUERY_VALUE, &handle) == ERROR_SUCCESS;
    if (existed_) RegCloseKey(handle);
    saved_ = Read();
  }
  ~SavedKeyValues() {
    Clear();
    for (const Value& v : saved_) Write(v.name, v.type, v.data);
    if (!existed_) RegDeleteKeyA(root_, key_.c_str());
  }
  SavedKeyValues(const SavedKeyValues&) = delete;
  SavedKeyValues& operator=(const SavedKeyValues&) = delete;

  // The key's values in the order the registry enumerates them.
  std::vector<Value> Read() const {
    std::vector<Value> values;
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) return values;
    for (DWORD index = 0;; ++index) {
      char name[16384];
      DWORD nameLength = sizeof name;
      std::vector<BYTE> data(65536);
      DWORD dataLength = static_cast<DWORD>(data.size());
      DWORD type = REG_NONE;
      if (RegEnumValueA(handle, index, name, &nameLength, nullptr, &type, data.data(), &dataLength) != ERROR_SUCCESS)
        break;
      data.resize(dataLength);
      values.push_back({std::string(name, nameLength), type, data});
    }
    RegCloseKey(handle);
    return values;
  }
  void Clear() const {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_SET_VALUE, &handle) != ERROR_SUCCESS) return;
    for (const Value& v : Read()) RegDeleteValueA(handle, v.name.c_str());
    RegCloseKey(handle);
  }
  bool Write(const std::string& name, DWORD type, const std::vector<BYTE>& data) const {
    HKEY handle = nullptr;
    if (RegCreateKeyExA(root_, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) != ERROR_SUCCESS)
      return false;
    const LONG result = RegSetValueExA(handle, name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size()));
    RegCloseKey(handle);
    return result == ERROR_SUCCESS;
  }
  bool WriteText(const std::string& name, const std::string& text) const {
    return Write(name, REG_SZ, std::vector<BYTE>(text.c_str(), text.c_str() + text.size() + 1));
  }
  // Writes a string value, or removes the value when there is none.
  void Put(const std::string& name, const std::optional<std::string>& text) const {
    HKEY handle = nullptr;
    if (text) WriteText(name, *text);
    if (text || RegOpenKeyExA(root_, key_.c_str(), 0, KEY_SET_VALUE, &handle) != ERROR_SUCCESS) return;
    RegDeleteValueA(handle, name.c_str());
    RegCloseKey(handle);
  }

 private:
  HKEY root_;
  std::string key_;
  std::vector<Value> saved_;
  bool existed_ = false;
};

}  // namespace driver
