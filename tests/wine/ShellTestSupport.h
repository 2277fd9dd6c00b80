// Helpers of the tests under Wine: a message pump, scratch folders and registry keys, a message
// box recorder, the shell operations put back.
#pragma once

#include <windows.h>
#include <shlwapi.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/MessageBox.h"
#include "shell/ShellApi.h"

namespace shelltest {

// Handles the thread's messages as the main loop would, until `done` holds (true) or `ms` pass (false).
inline bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
  for (const DWORD start = GetTickCount(); !done(); MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT)) {
    if (GetTickCount() - start >= ms) return false;
    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) TranslateMessage(&msg), DispatchMessageA(&msg);
  }
  return true;
}

inline std::string ReadWholeFile(const std::string& path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

inline bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A fresh folder under the temporary folder, removed with its content at the end of the test.
class ScratchFolder {
 public:
  ScratchFolder() {
    static int counter = 0;  // Wine reuses process ids between test processes: the tick count too
    path_ = std::filesystem::temp_directory_path() / ("oku_shell_" + std::to_string(GetCurrentProcessId()) + "_" +
                                                      std::to_string(GetTickCount()) + "_" + std::to_string(++counter));
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  std::string Path() const { return path_.string() + "\\"; }
  std::string File(const std::string& name, const std::string& content = "") const {
    std::ofstream(Path() + name, std::ios::binary) << content;
    return Path() + name;
  }
  std::string Folder(const std::string& name) const {
    CreateDirectoryA((Path() + name).c_str(), nullptr);
    return Path() + name;
  }

 private:
  std::filesystem::path path_;
};

// A registry key made afresh for the test and removed with everything below it after it.
struct ScratchKey {
  ScratchKey(HKEY root, std::string path) : root(root), path(std::move(path)) {
    SHDeleteKeyA(root, this->path.c_str());
    RegCreateKeyExA(root, this->path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  }
  ~ScratchKey() { RegCloseKey(key), SHDeleteKeyA(root, path.c_str()); }
  // Writes a string value, or removes the value when there is none.
  LSTATUS Put(const std::string& name, const std::optional<std::string>& text) const {
    if (!text) return RegDeleteValueA(key, name.c_str());
    return RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text->c_str()),
                          static_cast<DWORD>(text->size() + 1));
  }
  HKEY root;
  std::string path;
  HKEY key = nullptr;
};

// Keeps every message box as "caption/style: text" and answers it with `answer`.
class MessageRecorder {
 public:
  MessageRecorder() {
    SetMessageBoxHook([this](const std::string& text, const std::string& caption, unsigned style) {
      shown.push_back(caption + "/" + std::to_string(style) + ": " + text);
      return answer;
    });
  }
  ~MessageRecorder() { SetMessageBoxHook(nullptr); }

  std::vector<std::string> shown;
  int answer = kAnswerOk;
};

}  // namespace shelltest
