// Scratch folders under %TEMP% for the listing, search and Send To tests, removed afterwards.
#pragma once

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

namespace testfiles {

inline void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      const std::string child = path + "\\" + name;
      SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        DeleteFileA(child.c_str());
      }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
  }
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryA(path.c_str());
}

// A fresh folder; Path() ends in "\".
class TempFolder {
 public:
  TempFolder() {
    static int counter = 0;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp);
    if (path_.back() != '\\') path_ += '\\';
    path_ += "oku_test_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter) + "\\";
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() { RemoveTree(path_.substr(0, path_.size() - 1)); }

  const std::string& Path() const { return path_; }

  std::string File(const std::string& name, const std::string& content = "", DWORD attributes = 0) const {
    const std::string path = path_ + name;
    std::ofstream(path, std::ios::binary) << content;
    if (attributes) SetFileAttributesA(path.c_str(), attributes);
    return path;
  }

  std::string Folder(const std::string& name, DWORD attributes = 0) const {
    const std::string path = path_ + name;
    CreateDirectoryA(path.c_str(), nullptr);
    if (attributes) SetFileAttributesA(path.c_str(), attributes);
    return path;
  }

 private:
  std::string path_;
};

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace testfiles
