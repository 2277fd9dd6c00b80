// Helpers of the shell and process tests under Wine: scratch folders, child programs next to the
// test exe, bounded waits, and recorders for message boxes and shell calls.
#pragma once

#include <windows.h>

#include <chrono>
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
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path, length);
  return folder.substr(0, folder.rfind('\\') + 1);
}

inline std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

inline void WriteWholeFile(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

// Waits at most the time-out for a file to appear; its content, or none.
inline std::optional<std::string> WaitForFile(const std::string& path, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < end) {
    if (Exists(path)) return ReadWholeFile(path);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return std::nullopt;
}

// Ends a process the test started, by id, and waits (bounded) for it to be gone. False when the
// process was no longer there.
inline bool EndProcessById(DWORD pid) {
  HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
  if (!process) return false;
  TerminateProcess(process, 1);
  WaitForSingleObject(process, 10000);
  CloseHandle(process);
  return true;
}

inline bool IsRunning(DWORD pid) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
  if (!process) return false;
  const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  CloseHandle(process);
  return running;
}

// A fresh folder under the temporary folder, removed with its files at the end of the test.
class ScratchFolder {
 public:
  ScratchFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    static int counter = 0;
    path_ = std::string(temp) + "oku_shell_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(++counter) + "\\";
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() { RemoveTree(path_); }

  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  static void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          RemoveTree(folder + name + "\\");
        else
          DeleteFileA((folder + name).c_str());
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
  }

  std::string path_;
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
