// Module msinfo: finding and starting the System Information tool through the registry.
#pragma once

#include <windows.h>

#include <string>

// Where the tool's location is recorded (under HKEY_LOCAL_MACHINE).
inline constexpr const char* kMsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* kMsinfoValue = "PATH";
inline constexpr const char* kSharedToolsKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char* kSharedToolsValue = "MSINFO";

// Starts the tool named by the MSINFO PATH value, or else MSINFO32.EXE in the Shared Tools
// Location folder; when neither starts, tells the user so. Never throws.
void LaunchSysInfo();

// Reads one value as text (opened for reading only). False, with an empty text, when the key or
// value is missing or the value is empty or of a type other than string, expandable string (its
// variables expanded) or DWORD.
bool QueryKeyValue(HKEY hive, const std::string& keyPath, const std::string& valueName, std::string& text);

// True when a file (not a folder) exists at exactly this path.
bool FileExists(const std::string& path);
