// Module WinShut: the shutdown privilege and the request to Windows to log off, shut down, power
// off or restart. Every token call and ExitWindowsEx go through win::Calls<ShutdownApi>(), a table
// that tests replace, since a real request ends the session (under Wine: every process of the prefix).
#pragma once

#include <windows.h>

#include <string>

#include "platform/Seam.h"

struct ShutdownApi {
  decltype(&::GetCurrentProcess) getCurrentProcess;
  decltype(&::OpenProcessToken) openProcessToken;
  decltype(&::LookupPrivilegeValueA) lookupPrivilegeValue;
  decltype(&::AdjustTokenPrivileges) adjustTokenPrivileges;
  decltype(&::CloseHandle) closeHandle;
  decltype(&::ExitWindowsEx) exitWindowsEx;
  decltype(&::SetLastError) setLastError;
  decltype(&::GetLastError) getLastError;

  static ShutdownApi Real();
};

// Enables SeShutdownPrivilege in the process token. Each step starts with the last-error code at
// 0 and reads it after its call (AdjustTokenPrivileges succeeds with 1300 when the privilege is
// not held); a nonzero code shows "<Step> error==<code>" (caption "OKU", OK only), and the next
// step runs regardless. No result: the request to Windows is made all the same.
void EnableShutdownPrivilege();

struct ExitRequestOutcome {
  bool accepted;  // ExitWindowsEx returned nonzero
  DWORD error;    // the last-error code when it returned 0
};

// Runs the privilege routine on the NT family (for every option, log off included), then asks
// Windows to act with the option's flags. Throws Failure for an option outside 0-4, before any
// step. On acceptance the caller closes the program; on refusal it calls ReportRefusal and stays.
ExitRequestOutcome RequestExitWindows(int option, bool ntFamily);

// The refusal's text: the error code in decimal, CR LF, the system's description of it.
std::string RefusalText(DWORD error);
// Shows RefusalText in a stop-icon box (style 16) captioned "OKU".
void ReportRefusal(DWORD error);
