// Module misc: the web page and mail openers, the Send To lookup, file descriptions and small
// window chores that every window shares.
#pragma once

#include <windows.h>

#include <string>

#include "shell/ShellText.h"  // GetFileName

// Opens a web page: with useBrowser, starts the program registered for .htm files on the URL;
// otherwise hands the URL to the shell. A missing browser or a failed opening shows its own box.
// The probe file "tempzink777.htm" in the user's temporary folder is deleted on every path; a
// failure to write or delete it is thrown as Failure.
void OpenWebPage(const std::string& url, bool useBrowser);

// Opens the mail program on a new message to the address; a failure shows its own box.
void OpenMailTo(const std::string& address);

// The user's Send To folder ending in "\". Empty text (with no "\") when the shell gives no path:
// callers treat that as "no Send To folder".
std::string GetSendToPath();

struct FileInfo {
  std::string date;  // last written, local time, "mm-dd-yy hh:nna/p"
  std::string size;  // length with the user's thousands separator, right-aligned in 13 columns
};

// The description of one file. Throws Failure when the file cannot be read: 53 "File not found"
// for a missing file, otherwise the Windows error code and its text.
FileInfo GetFileInfo(const std::string& path);

// Centres the window on its owner (on the owner's restored place when it is minimised), kept
// inside the work area of the owner's monitor. A null owner centres on the window's own monitor.
void CenterForm(HWND owner, HWND window);

// Sizes the window so that its inner area is width by height twips, at the display's resolution.
void SetClientSize(HWND window, long width, long height);
