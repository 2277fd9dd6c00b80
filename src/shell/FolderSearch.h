// The directory search by attribute bits, and the attribute read, over FindFirstFileA.
#pragma once

#include <windows.h>

#include <string>

// An entry with the hidden, system or directory bit matches only a search that requests that
// bit; every other entry matches, whatever its read-only, archive or other bits.
bool AttributesMatch(DWORD entryAttributes, DWORD requested);

// The entries matching a pattern (its last component may hold * and ?) and the requested bits,
// in the file system's order. Trailing "\" are removed from the pattern first, because
// FindFirstFileA fails on them; a drive root has no entry of its own (see SearchFinds).
class FolderSearch {
 public:
  FolderSearch(const std::string& pattern, DWORD requested);
  FolderSearch(const FolderSearch&) = delete;
  FolderSearch& operator=(const FolderSearch&) = delete;
  ~FolderSearch();

  // The next matching entry; false when there are no more.
  bool Next(WIN32_FIND_DATAA& entry);

  // Why the search ended: 0 when it simply ran out of entries (or found none), otherwise the
  // Win32 code of the failure (a missing folder, a denied read, a device error).
  DWORD Error() const { return error_; }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;  // FindClose, not CloseHandle, ends it
  DWORD requested_;
  DWORD error_ = 0;
  bool pending_ = false;  // the first entry, read by the constructor, is not yet handed out
  WIN32_FIND_DATAA first_{};
};

// True when a search for the path with the requested bits finds an entry. A drive root ("C:\",
// "C:", or "\" for the current drive) is found when it exists and directories are requested.
bool SearchFinds(const std::string& path, DWORD requested);

// The attribute bits of a path; throws Failure (Win32 code and text) when it cannot be read.
DWORD ReadAttributes(const std::string& path);
