// System DLLs loaded at run time from the System folder and from nowhere else.
#pragma once

#include <windows.h>

namespace win {

// Loads the named system DLL ("wininet.dll") by its full path in the System folder; the DLLs it
// imports are looked for there first as well. Windows searches the program's own folder first for
// every DLL that is not a KnownDLL, so loading by name alone would take a file of that name lying
// beside OKU.exe (a download folder, a USB stick). Null, with the last error set, on failure; the
// module stays loaded for the caller to keep.
HMODULE LoadSystemLibrary(const char* name);

}  // namespace win
