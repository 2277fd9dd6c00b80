// The GUI test driver: starts a program under test, finds its windows, reads and drives their
// controls through window messages, answers message boxes and takes screenshots. Every wait
// has a time-out and every started program is ended by its process id.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace driver {

using Ms = std::chrono::milliseconds;
inline constexpr Ms kDefaultWait{20000};

// The folder of the running test program (OKU.exe and the test programs sit there).
std::string ExeDir();
// A folder of its own under the temporary folder, removed by the caller when done.
std::string MakeTempDir(const std::string& prefix);
void RemoveTree(const std::string& path);

// Polls `done` until it is true or the time is up.
bool WaitUntil(const std::function<bool()>& done, Ms timeout = kDefaultWait);

// A started program; ended by id on destruction if still running.
class Program {
 public:
  // Starts ExeDir()\exe with the arguments, and extra environment variables added to ours.
  static Program Start(const std::string& exe, const std::string& args = "",
                       const std::map<std::string, std::string>& env = {});
  Program() = default;
  Program(Program&& other) noexcept;
  Program& operator=(Program&& other) noexcept;
  ~Program();

  DWORD pid() const { return pid_; }
  bool Running() const;
  // Waits for the program to end; returns false on time-out.
  bool WaitExit(Ms timeout = kDefaultWait);
  DWORD ExitCode() const;
  void Kill();

 private:
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
};

// Starts OKU.exe (or the exe given) and waits for its main window "Okumatic"; null when none came.
HWND StartOku(Program& oku, const std::string& exe = "OKU.exe", const std::map<std::string, std::string>& env = {});

// A top-level window of the process whose caption is exactly `caption` (visible unless said).
HWND FindTopWindow(DWORD pid, const std::string& caption, bool mustBeVisible = true);
HWND WaitTopWindow(DWORD pid, const std::string& caption, Ms timeout = kDefaultWait);
int CountTopWindows(DWORD pid, const std::string& caption);  // visible ones
bool WaitWindowGone(HWND window, Ms timeout = kDefaultWait);

// Message boxes: top-level dialogs ("#32770") of the process.
struct MessageBoxInfo {
  HWND hwnd = nullptr;
  std::string caption;
  std::string text;
  std::vector<std::string> buttons;  // as shown, "&Yes", "OK", ...
};
HWND FindMessageBox(DWORD pid);
// Waits for a message box of the process and reads it; hwnd is null on time-out.
MessageBoxInfo WaitMessageBox(DWORD pid, Ms timeout = kDefaultWait);
// Presses the box's button whose text, without "&", equals `button` ("Yes", "No", "OK", "Cancel").
bool Answer(const MessageBoxInfo& box, const std::string& button);

// Controls.
HWND Control(HWND window, int id);
std::string GetText(HWND control);
void SetText(HWND control, const std::string& text);
bool IsEnabled(HWND control);
bool IsShown(HWND control);
bool IsChecked(HWND control);
// Posts a click, so that a handler opening a modal window does not block the driver.
void Click(HWND button);
std::vector<std::string> ComboItems(HWND combo);
int ComboIndex(HWND combo);
// Rows of a list view in report view, `columns` texts each, read through the target's memory.
std::vector<std::vector<std::string>> ListViewRows(HWND listView, int columns);
std::string ListViewColumnTitle(HWND listView, int column);
// The control that has the keyboard focus in the window's thread.
HWND FocusedControl(HWND window);
// Rectangle in screen pixels.
RECT WindowRect(HWND window);

// The test build (OKU_test.exe) writes its menus, as built, on request.
std::string DumpMenus(HWND mainWindow);

// Saves the whole virtual screen as a 24-bit BMP file.
bool Screenshot(const std::string& bmpPath);

// Registry values of the prefix (for settings the program reads).
bool SetRegistryString(HKEY root, const std::string& key, const std::string& name, const std::string& value);
bool DeleteRegistryTree(HKEY root, const std::string& key);
std::string ReadRegistryString(HKEY root, const std::string& key, const std::string& name, bool* found = nullptr);

// Forces the Windows version that a program sees (Wine's per-program setting), or clears it.
void SetWineVersionFor(const std::string& exe, const std::string& version);

}  // namespace driver
