// Directory search by attribute bits.
#include "shell/FolderSearch.h"

#include "platform/Failure.h"
#include "platform/Handles.h"

#include <utility>

namespace {

constexpr DWORD kSelectiveBits = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;

std::string WithoutTrailingBackslashes(std::string path) {
  while (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

// "Nothing (more) to find" is the normal end of a search, not a failure.
DWORD FailureOf(DWORD code) {
  return code == ERROR_NO_MORE_FILES || code == ERROR_FILE_NOT_FOUND ? 0 : code;
}

}  // namespace

bool AttributesMatch(DWORD entryAttributes, DWORD requested) {
  return (entryAttributes & kSelectiveBits & ~requested) == 0;
}

FolderSearch::FolderSearch(const std::string& pattern, DWORD requested) : requested_(requested) {
  const std::string searched = WithoutTrailingBackslashes(pattern);
  if (searched.empty()) return;
  handle_ = FindFirstFileA(searched.c_str(), &first_);
  if (handle_ == INVALID_HANDLE_VALUE) {
    error_ = FailureOf(GetLastError());
    return;
  }
  pending_ = true;
}

FolderSearch::~FolderSearch() {
  if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
}

bool FolderSearch::Next(WIN32_FIND_DATAA& entry) {
  if (handle_ == INVALID_HANDLE_VALUE) return false;
  for (;;) {
    if (pending_) {
      pending_ = false;
      entry = first_;
    } else if (!FindNextFileA(handle_, &entry)) {
      error_ = FailureOf(GetLastError());
      FindClose(std::exchange(handle_, INVALID_HANDLE_VALUE));
      return false;
    }
    if (AttributesMatch(entry.dwFileAttributes, requested_)) return true;
  }
}

bool SearchFinds(const std::string& path, DWORD requested) {
  if (path.empty()) return false;
  const std::string searched = WithoutTrailingBackslashes(path);
  if (searched.empty() || searched.back() == ':') {
    // A root has no entry in any directory: ask for its attributes instead.
    if (!(requested & FILE_ATTRIBUTE_DIRECTORY)) return false;
    const DWORD attributes = GetFileAttributesA((searched + "\\").c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  }
  FolderSearch search(searched, requested);
  WIN32_FIND_DATAA entry;
  return search.Next(entry);
}

DWORD ReadAttributes(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) throw win::Win32Failure(GetLastError());
  return attributes;
}
