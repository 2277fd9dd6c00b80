// Process-wide values that two windows share. One user-interface thread: no locking.
#pragma once

#include <string>
#include <vector>

// 1 when the running Windows is of the NT family, else 0 (read by the shutdown timer).
inline int NTFamily = 0;

// Send To: the user's Send To folder (ending in "\", or empty), the shortcut name and whether
// the name prompt accepted it.
inline std::string SendToFolder;
inline std::string LinkName;
inline bool NameAccepted = false;

// Startup items of the machine-wide Run key, for the startup items window (1-based in use:
// entry i of the window is element i-1 here).
inline int StartupCount = 0;
inline std::vector<std::string> StartupNames;
inline std::vector<std::string> StartupValues;

// The text the network information window shows.
inline std::string NetInfoText;

// Index (0-4) of the chosen shutdown option.
inline int ExitOption = 0;
