// What a frame of the main window may use of the window that holds it. Each frame's controller is
// built with this narrow view, so a frame depends on the toolkit, never on the main window's class.
#pragma once

#include <string>

#include "platform/Form.h"

// What the main window's load sequence found about the machine, read by every frame.
struct MachineFacts {
  bool IsNT = false;
  bool IsXP = false;
  bool IsMe = false;
  std::string SystemDir;    // always ends in "\" (or is empty when the lookup failed)
  std::string WindowsDir;   // likewise
  std::string VersionLine;  // the Windows name and version as the window shows it
};

namespace ui {

struct FrameView {
  Form& window;                 // the frame's controls by id, the mouse pointer, the owner of its boxes
  const MachineFacts& machine;  // as the last load sequence found it
  std::string& commandLine;     // the command line a launcher or the network button last tried
};

}  // namespace ui
