// Module WinVer: queries the running Windows' version record and classifies it.
#pragma once

#include "app/WindowsVersion.h"

// Never fails towards the caller: both queries failing gives OsKind::Unknown.
WindowsVersion GetWindowsVersion();
