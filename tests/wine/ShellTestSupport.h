// Helpers of the shell and process tests under Wine: scratch folders, child programs next to the
// test exe, bounded waits, and a recorder for message boxes.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/MessageBox.h"
#include "shell/ShellApi.h"

namespace shelltest {

// The folder of the running test exe, ending in "\"; the child programs are built there.
inline std::string ExeFolder() {
  char path[MAX_PATH] = {};
  const std::string exe(path, GetModuleFileNameA(nullptr, path, sizeof path));
  return exe.substr(0, exe.rfind('\\') + 1);
}

inline std::string ReadWholeFile(const std::string& path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

inline void WriteWholeFile(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

inline bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Waits at most the time-out for a file to appear with some content (a reader can lose the race
// with the writer and find it locked); its content, or none.
inline std::optional<std::string> WaitForFile(const std::string& path, std::chrono::seconds timeout) {
  for (const auto end = std::chrono::steady_clock::now() + timeout; std::chrono::steady_clock::now() < end;) {
    if (std::string content = ReadWholeFile(path); !content.empty()) return content;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return std::nullopt;
}

// Ends a process that a test started, by id; true when it was still running.
inline bool EndRunningProcess(DWORD pid) {
  HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
  if (!process) return false;
  const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  TerminateProcess(process, 1);
  WaitForSingleObject(process, 10000);
  CloseHandle(process);
  return running;
}

// A fresh folder under the temporary folder, removed with its content at the end of the test.
class ScratchFolder {
 public:
  ScratchFolder() {
    static int counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("oku_shell_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(GetTickCount64()) + "_" +
             std::to_string(++counter));  // Wine reuses process ids between test processes
    std::filesystem::create_directories(path_);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  std::string Path() const { return path_.string(); }  // without a trailing "\"
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

struct ShownMessage {
  std::string text;
  std::string caption;
  unsigned style;
};

// Answers every message box with OK and keeps what it showed.
class MessageRecorder {
 public:
  MessageRecorder() {
    SetMessageBoxHook([this](const std::string& text, const std::string& caption, unsigned style) {
      shown.push_back({text, caption, style});
      return kAnswerOk;
    });
  }
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;
  ~MessageRecorder() { SetMessageBoxHook(nullptr); }

  std::vector<ShownMessage> shown;
};

// Puts the shell operations back as they were when the test ends.
class ShellApiRestorer {
 public:
  ShellApiRestorer() : saved_(CurrentShellApi()) {}
  ShellApiRestorer(const ShellApiRestorer&) = delete;
  ShellApiRestorer& operator=(const ShellApiRestorer&) = delete;
  ~ShellApiRestorer() { CurrentShellApi() = saved_; }

 private:
  ShellApi saved_;
};

}  // namespace shelltest
