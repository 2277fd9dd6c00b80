// Module misc.
#include "shell/misc.h"

#include <shlobj.h>

#include "platform/Failure.h"
#include "platform/Form.h"
#include "platform/Handles.h"
#include "platform/Locale.h"
#include "platform/MessageBox.h"
#include "platform/Pump.h"
#include "shell/FileInfoText.h"
#include "shell/ShellApi.h"
#include "shell/WindowGeometry.h"

namespace {

constexpr const char* kProbeName = "tempzink777.htm";
constexpr const char* kProbeContent = "<HTML> <\\HTML>\r\n";

using win::Win32Failure;

// The user's temporary folder (ending in "\"): writable for every user, unlike a drive root.
std::string TempFolder() {
  char folder[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathA(sizeof folder, folder);
  if (length == 0) throw Win32Failure(GetLastError());
  if (length >= sizeof folder) throw Win32Failure(ERROR_BUFFER_OVERFLOW);
  return std::string(folder, length);
}

// The browser probe: written on creation, deleted by Remove or, on a path out by exception,
// quietly by the destructor.
class ProbeFile {
 public:
  explicit ProbeFile(std::string path) : path_(std::move(path)) {
    win::UniqueHandle file = win::OwnFileHandle(
        CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw Win32Failure(GetLastError());
    const DWORD size = static_cast<DWORD>(std::char_traits<char>::length(kProbeContent));
    DWORD written = 0;
    if (!WriteFile(file.get(), kProbeContent, size, &written, nullptr) || written != size) {
      const DWORD code = GetLastError();
      file.reset();
      DeleteFileA(path_.c_str());
      throw Win32Failure(code ? code : ERROR_WRITE_FAULT);
    }
  }
  ProbeFile(const ProbeFile&) = delete;
  ProbeFile& operator=(const ProbeFile&) = delete;
  ~ProbeFile() {
    if (!removed_) DeleteFileA(path_.c_str());
  }

  const std::string& Path() const { return path_; }

  // Already gone (another copy of the program shares the name) counts as removed.
  void Remove() {
    removed_ = true;
    if (!DeleteFileA(path_.c_str())) {
      const DWORD code = GetLastError();
      if (code != ERROR_FILE_NOT_FOUND) throw Win32Failure(code);
    }
  }

 private:
  std::string path_;
  bool removed_ = false;
};

PixelRect ToPixelRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// The work area and whole rectangle of the monitor nearest to a rectangle.
bool MonitorAreas(const PixelRect& around, PixelRect& workArea, PixelRect& monitor) {
  const RECT r{around.left, around.top, around.right, around.bottom};
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info)) return false;
  workArea = ToPixelRect(info.rcWork);
  monitor = ToPixelRect(info.rcMonitor);
  return true;
}

// Where the owner stands when shown normally: its restored place while it is minimised, since a
// minimised window's rectangle lies far off the screen.
bool OwnerRect(HWND owner, PixelRect& rect) {
  RECT r{};
  if (!GetWindowRect(owner, &r)) return false;
  rect = ToPixelRect(r);
  if (!IsIconic(owner)) return true;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(owner, &placement)) return true;
  PixelRect workArea, monitor;
  const PixelRect restored = ToPixelRect(placement.rcNormalPosition);
  if (!MonitorAreas(restored, workArea, monitor)) return true;
  const bool toolWindow = (GetWindowLongPtrA(owner, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
  rect = RestoredRectOnScreen(restored, workArea, monitor, toolWindow);
  return true;
}

}  // namespace

void OpenWebPage(const std::string& url, bool useBrowser) {
  DoEvents();
  const ShellApi& shell = win::Calls<ShellApi>();
  ProbeFile probe(TempFolder() + kProbeName);

  std::string buffer(MAX_PATH, ' ');
  if (shell.findExecutable(probe.Path().c_str(), buffer.data()) <= 32) {
    ShowMessage("Could not open your browser!", "Browser Not Found...", kMbExclamation);
  } else {
    const std::string browser = TrimBlanks(TextBeforeNul(buffer).value_or(""));
    const intptr_t result = useBrowser ? shell.execute("Open", browser.c_str(), url.c_str(), SW_SHOWNORMAL)
                                       : shell.execute("Open", url.c_str(), nullptr, SW_SHOWNORMAL);
    if (result <= 32) ShowMessage("Web page failed to be opened.", "Website URL Failed...", kMbExclamation);
  }
  probe.Remove();
}

void OpenMailTo(const std::string& address) {
  const std::string target = "mailto:" + address;
  if (win::Calls<ShellApi>().execute("Open", target.c_str(), nullptr, SW_SHOWNORMAL) <= 32)
    ShowMessage("Could not open your mail program!", "Mail Program Not Found...", kMbExclamation);
}

std::string GetSendToPath() {
  std::string buffer(MAX_PATH, ' ');
  const BOOL ok = SHGetSpecialFolderPathA(nullptr, buffer.data(), CSIDL_SENDTO, FALSE);
  return SendToPathFromBuffer(ok != FALSE, buffer);
}

FileInfo GetFileInfo(const std::string& path) {
  DoEvents();
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) throw win::FileFailure(GetLastError());
  // The zone rules of the file's own date, so a summer date shows summer time all year.
  SYSTEMTIME utc{}, local{};
  if (!FileTimeToSystemTime(&data.ftLastWriteTime, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
    throw Win32Failure(GetLastError());
  const uint64_t size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  FileInfo info{FormatFileDate(local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute),
                FormatSizeText(size, UserThousandsSeparator())};
  DoEvents();
  return info;
}

void CenterForm(HWND owner, HWND window) {
  RECT windowRect{};
  if (!GetWindowRect(window, &windowRect)) return;
  const PixelRect placed = ToPixelRect(windowRect);
  PixelRect ownerRect = placed;
  if (owner && !OwnerRect(owner, ownerRect)) return;
  PixelRect workArea, monitor;
  if (!MonitorAreas(ownerRect, workArea, monitor)) return;
  if (!owner) ownerRect = workArea;
  const PixelPoint corner = CenterFormPosition(ownerRect, placed.Width(), placed.Height(), workArea);
  SetWindowPos(window, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetClientSize(HWND window, long width, long height) {
  RECT outer{}, inner{};
  if (!GetWindowRect(window, &outer) || !GetClientRect(window, &inner)) return;
  const int dpi = ui::ScreenDpi();  // the DPI the window's controls were laid out at
  const PixelRect o = ToPixelRect(outer), i = ToPixelRect(inner);
  const long outerWidth = OuterPixelsForInner(width, o.Width(), i.Width(), dpi);
  const long outerHeight = OuterPixelsForInner(height, o.Height(), i.Height(), dpi);
  SetWindowPos(window, nullptr, 0, 0, outerWidth, outerHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
