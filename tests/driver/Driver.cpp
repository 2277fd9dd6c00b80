// The GUI test driver over window messages (see Driver.h).
#include "driver/Driver.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <thread>
#include <utility>

namespace driver {
namespace {

constexpr UINT kSendTimeoutMs = 5000;

std::string ClassName(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

std::string StripAmpersands(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

struct TopSearch {
  DWORD pid;
  std::string caption;
  bool visible;
  bool messageBoxOnly;
  HWND found;
  int count = 0;
  bool all = false;  // counts every match instead of stopping at the first
};

BOOL CALLBACK FindTop(HWND hwnd, LPARAM lParam) {
  auto* s = reinterpret_cast<TopSearch*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != s->pid) return TRUE;
  if (s->visible && !IsWindowVisible(hwnd)) return TRUE;
  if (s->messageBoxOnly) {
    if (ClassName(hwnd) != "#32770") return TRUE;
  } else if (GetText(hwnd) != s->caption) {
    return TRUE;
  }
  s->found = hwnd;
  ++s->count;
  return s->all;
}

std::string WideToAnsi(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int length =
      WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), out.data(), length, nullptr, nullptr);
  return out;
}

// Memory in another process, freed with it.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND window, size_t size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  bool ok() const { return address_ != nullptr; }
  char* at(size_t offset) const { return static_cast<char*>(address_) + offset; }
  bool Write(size_t offset, const void* data, size_t size) const {
    return WriteProcessMemory(process_, at(offset), data, size, nullptr);
  }
  bool Read(size_t offset, void* data, size_t size) const {
    return ReadProcessMemory(process_, at(offset), data, size, nullptr);
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
};

}  // namespace

std::string ExeDir() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  PathRemoveFileSpecA(path);
  return path;
}

std::string MakeTempDir(const std::string& prefix) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  std::string dir =
      std::string(temp) + prefix + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      const std::string full = path + "\\" + name;
      SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(full);
      else
        DeleteFileA(full.c_str());
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  RemoveDirectoryA(path.c_str());
}

bool WaitUntil(const std::function<bool()>& done, Ms timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (true) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(Ms(50));
  }
}

// --- Program -------------------------------------------------------------------------------

Program Program::Start(const std::string& exe, const std::string& args, const std::map<std::string, std::string>& env) {
  Program program;
  // Our environment with the extra variables, as an ANSI environment block.
  std::map<std::string, std::string> vars;
  if (char* block = GetEnvironmentStringsA()) {
    for (const char* p = block; *p; p += strlen(p) + 1) {
      const std::string entry = p;
      const size_t eq = entry.find('=', 1);
      if (eq != std::string::npos) vars[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    FreeEnvironmentStringsA(block);
  }
  for (const auto& [k, v] : env) vars[k] = v;
  std::string block;
  for (const auto& [k, v] : vars) block += k + "=" + v + '\0';
  block += '\0';

  const std::string path = ExeDir() + "\\" + exe;
  std::string commandLine = "\"" + path + "\"" + (args.empty() ? "" : " " + args);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, block.data(), ExeDir().c_str(), &si,
                     &pi)) {
    CloseHandle(pi.hThread);
    program.process_ = pi.hProcess;
    program.pid_ = pi.dwProcessId;
  }
  return program;
}

Program::Program(Program&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)), pid_(std::exchange(other.pid_, 0)) {}

Program& Program::operator=(Program&& other) noexcept {
  if (this != &other) {
    Kill();
    process_ = std::exchange(other.process_, nullptr);
    pid_ = std::exchange(other.pid_, 0);
  }
  return *this;
}

Program::~Program() { Kill(); }

bool Program::Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool Program::WaitExit(Ms timeout) {
  return process_ && WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

DWORD Program::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_) GetExitCodeProcess(process_, &code);
  return code;
}

void Program::Kill() {
  if (!process_) return;
  if (Running()) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
  process_ = nullptr;
}

// --- Windows -------------------------------------------------------------------------------

HWND FindTopWindow(DWORD pid, const std::string& caption, bool mustBeVisible) {
  TopSearch search{pid, caption, mustBeVisible, false, nullptr, 0, false};
  EnumWindows(FindTop, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND StartOku(Program& oku, const std::string& exe, const std::map<std::string, std::string>& env) {
  oku = Program::Start(exe, "", env);
  return WaitTopWindow(oku.pid(), "Okumatic");
}

int CountTopWindows(DWORD pid, const std::string& caption) {
  TopSearch search{pid, caption, true, false, nullptr, 0, true};
  EnumWindows(FindTop, reinterpret_cast<LPARAM>(&search));
  return search.count;
}

HWND WaitTopWindow(DWORD pid, const std::string& caption, Ms timeout) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindTopWindow(pid, caption)) != nullptr; }, timeout);
  return found;
}

bool WaitWindowGone(HWND window, Ms timeout) {
  return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeout);
}

HWND FindMessageBox(DWORD pid) {
  TopSearch search{pid, "", true, true, nullptr, 0, false};
  EnumWindows(FindTop, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

MessageBoxInfo WaitMessageBox(DWORD pid, Ms timeout) {
  MessageBoxInfo info;
  if (!WaitUntil([&] { return (info.hwnd = FindMessageBox(pid)) != nullptr; }, timeout)) return info;
  // Give the box a moment to create its children.
  WaitUntil([&] { return GetWindow(info.hwnd, GW_CHILD) != nullptr; }, Ms(2000));
  info.caption = GetText(info.hwnd);
  for (HWND child = GetWindow(info.hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const std::string cls = ClassName(child);
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if (cls == "Button") {
      info.buttons.push_back(GetText(child));
    } else if (cls == "Static" && (style & SS_TYPEMASK) != SS_ICON && !GetText(child).empty()) {
      info.text = GetText(child);
    }
  }
  return info;
}

bool Answer(const MessageBoxInfo& box, const std::string& button) {
  for (HWND child = GetWindow(box.hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassName(child) == "Button" && StripAmpersands(GetText(child)) == button) {
      PostMessageA(child, BM_CLICK, 0, 0);
      return WaitWindowGone(box.hwnd, Ms(10000));
    }
  }
  return false;
}

HWND Control(HWND window, int id) { return GetDlgItem(window, id); }

std::string GetText(HWND control) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length)) return {};
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                      kSendTimeoutMs, &copied);
  text.resize(std::min<size_t>(copied, length));
  return text;
}

void SetText(HWND control, const std::string& text) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, kSendTimeoutMs,
                      &result);
}

bool IsEnabled(HWND control) { return IsWindowEnabled(control); }
bool IsShown(HWND control) { return (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0; }

bool IsChecked(HWND control) {
  DWORD_PTR state = 0;
  SendMessageTimeoutA(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &state);
  return state == BST_CHECKED;
}

void Click(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

std::vector<std::string> ComboItems(HWND combo) {
  std::vector<std::string> items;
  DWORD_PTR count = 0;
  SendMessageTimeoutA(combo, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &count);
  for (int i = 0; i < static_cast<int>(count); ++i) {
    // Sent as the wide message: the ANSI one comes back cut across processes under Wine.
    DWORD_PTR length = 0;
    SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, i, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length);
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, kSendTimeoutMs,
                        &copied);
    text.resize(copied == static_cast<DWORD_PTR>(CB_ERR) ? 0 : copied);
    items.push_back(WideToAnsi(text));
  }
  return items;
}

int ComboIndex(HWND combo) {
  DWORD_PTR index = 0;
  SendMessageTimeoutA(combo, CB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &index);
  return static_cast<int>(static_cast<LRESULT>(index));
}

std::vector<std::vector<std::string>> ListViewRows(HWND listView, int columns) {
  std::vector<std::vector<std::string>> rows;
  constexpr size_t kTextSize = 4096;
  RemoteBuffer remote(listView, sizeof(LVITEMA) + kTextSize);
  if (!remote.ok()) return rows;
  DWORD_PTR count = 0;
  SendMessageTimeoutA(listView, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &count);
  for (int row = 0; row < static_cast<int>(count); ++row) {
    std::vector<std::string> cells;
    for (int column = 0; column < columns; ++column) {
      LVITEMA item{};
      item.mask = LVIF_TEXT;
      item.iItem = row;
      item.iSubItem = column;
      item.pszText = remote.at(sizeof(LVITEMA));
      item.cchTextMax = kTextSize;
      remote.Write(0, &item, sizeof item);
      DWORD_PTR length = 0;
      SendMessageTimeoutA(listView, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote.at(0)), SMTO_ABORTIFHUNG,
                          kSendTimeoutMs, &length);
      std::string text(length, '\0');
      if (length) remote.Read(sizeof(LVITEMA), text.data(), length);
      cells.push_back(text);
    }
    rows.push_back(cells);
  }
  return rows;
}

std::string ListViewColumnTitle(HWND listView, int column) {
  constexpr size_t kTextSize = 256;
  RemoteBuffer remote(listView, sizeof(LVCOLUMNA) + kTextSize);
  if (!remote.ok()) return {};
  LVCOLUMNA info{};
  info.mask = LVCF_TEXT;
  info.pszText = remote.at(sizeof(LVCOLUMNA));
  info.cchTextMax = kTextSize;
  remote.Write(0, &info, sizeof info);
  DWORD_PTR ok = 0;
  SendMessageTimeoutA(listView, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(remote.at(0)), SMTO_ABORTIFHUNG,
                      kSendTimeoutMs, &ok);
  if (!ok) return {};
  char text[kTextSize] = {};
  remote.Read(sizeof(LVCOLUMNA), text, kTextSize - 1);
  return text;
}

HWND FocusedControl(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

RECT WindowRect(HWND window) {
  RECT rc{};
  GetWindowRect(window, &rc);
  return rc;
}

std::string DumpMenus(HWND mainWindow) {
  const std::string path = MakeTempDir("oku-menus") + "\\menus.txt";
  COPYDATASTRUCT data{0x4F4B5501, static_cast<DWORD>(path.size() + 1), const_cast<char*>(path.c_str())};
  DWORD_PTR result = 0;
  SendMessageTimeoutA(mainWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kSendTimeoutMs,
                      &result);
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  in.close();
  RemoveTree(path.substr(0, path.rfind('\\')));
  return text.str();
}

bool Screenshot(const std::string& bmpPath) {
  const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN), height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  const bool copied = BitBlt(memory, 0, 0, width, height, screen, x, y, SRCCOPY);
  const DWORD stride = ((width * 3 + 3) & ~3u);
  const DWORD imageSize = stride * height;
  BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + imageSize), 0,
                        0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  info.bmiHeader.biSizeImage = imageSize;
  std::ofstream out(bmpPath, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  out.write(static_cast<const char*>(bits), imageSize);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return copied && out.good();
}

// --- Registry ------------------------------------------------------------------------------

bool SetRegistryString(HKEY root, const std::string& key, const std::string& name, const std::string& value) {
  HKEY handle = nullptr;
  if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) != ERROR_SUCCESS)
    return false;
  const LONG result = RegSetValueExA(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                     static_cast<DWORD>(value.size() + 1));
  RegCloseKey(handle);
  return result == ERROR_SUCCESS;
}

bool DeleteRegistryTree(HKEY root, const std::string& key) {
  const LSTATUS status = SHDeleteKeyA(root, key.c_str());
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

std::string ReadRegistryString(HKEY root, const std::string& key, const std::string& name, bool* found) {
  char value[4096] = {};
  DWORD size = sizeof value - 1;
  DWORD type = 0;
  const bool read =
      SHGetValueA(root, key.c_str(), name.c_str(), &type, value, &size) == ERROR_SUCCESS && type == REG_SZ;
  if (found) *found = read;
  return read ? std::string(value) : std::string();
}

void SetWineVersionFor(const std::string& exe, const std::string& version) {
  const std::string key = "Software\\Wine\\AppDefaults\\" + exe;
  if (version.empty())
    DeleteRegistryTree(HKEY_CURRENT_USER, key);
  else
    SetRegistryString(HKEY_CURRENT_USER, key, "Version", version);
}

}  // namespace driver
