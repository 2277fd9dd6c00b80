// The main window's Send To frame "Add Folder Shortcut to the SendTo Menu:": the folder box, its
// picker and "Go", which adds a shortcut to the folder to the user's Send To menu.
#pragma once

#include <string>

#include "platform/FrameView.h"

// Process-wide, shared with the name prompt: the user's Send To folder (ending in "\", or empty),
// the shortcut name and whether the prompt accepted it.
inline std::string SendToFolder;
inline std::string LinkName;
inline bool NameAccepted = false;

class SendToFrame {
 public:
  explicit SendToFrame(ui::FrameView view) : view_(view) {}

  void Load();    // the load sequence's step: the frame is usable once the Send To folder is known
  void Clear();   // Refresh empties the folder box
  void Browse();  // SendBrCmd_Click
  void Add();     // SendGoCmd_Click

 private:
  ui::FrameView view_;
};
