// Move-only owners for Windows handles. They store null, never INVALID_HANDLE_VALUE.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

#include "platform/Failure.h"

namespace win {

template <auto Fn>
struct CloseWith {
  template <class H>
  void operator()(H h) const noexcept {
    Fn(h);
  }
};

template <class H, auto Fn>
using Unique = std::unique_ptr<std::remove_pointer_t<H>, CloseWith<Fn>>;

using UniqueHandle = Unique<HANDLE, CloseHandle>;
using UniqueHmenu = Unique<HMENU, DestroyMenu>;
using UniqueHfont = Unique<HFONT, DeleteObject>;

// Turns INVALID_HANDLE_VALUE (the failure value of CreateFile and friends) into null.
inline UniqueHandle OwnFileHandle(HANDLE h) {
  return UniqueHandle(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

// The text Windows gives for an error code, without its trailing line break.
std::string ErrorDescription(DWORD code);

// The failure for a Win32 error code: the code and the system's text for it.
Failure Win32Failure(DWORD code);
// The same for a call on a file: a missing file or path is the classic 53 "File not found".
Failure FileFailure(DWORD code);

}  // namespace win
