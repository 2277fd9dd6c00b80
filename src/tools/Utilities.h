// The main window's "Windows Utilities" and "Misc" frames: the buttons that start the Windows
// tools for the running version, and the startup items.
#pragma once

#include <string>
#include <vector>

#include "platform/FrameView.h"
#include "tools/LauncherPlans.h"

// Process-wide: the startup items of the machine-wide Run key, for the startup items window
// (1-based in use: entry i of the window is element i-1 here).
inline int StartupCount = 0;
inline std::vector<std::string> StartupNames;
inline std::vector<std::string> StartupValues;

class Utilities {
 public:
  explicit Utilities(ui::FrameView view) : view_(view) {}

  void ApplyAvailability();  // the load sequence's step: which tools this version has
  // A launcher button: starts the tool, or reports why it did not start. The Registry Editor's
  // caution comes first.
  void Launch(Launcher launcher);
  void CheckRegistry();     // RegCmd_Click: with the Windows XP Home advice on a failure
  void ShowSystemInfo();    // SysInfoCmd_Click
  void ShowStartupItems();  // StartCmd_Click

 private:
  void Start(const LaunchPlan& plan);

  ui::FrameView view_;
};
