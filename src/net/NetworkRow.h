// The host name, the address list and "More Network Info..." of the main window.
#pragma once

#include <string>

#include "platform/FrameView.h"

// Process-wide: the text the network information window shows.
inline std::string NetInfoText;

class NetworkRow {
 public:
  explicit NetworkRow(ui::FrameView view) : view_(view) {}

  // The load sequence's step: false when Windows Sockets is unusable and the program must end.
  bool ShowHostAddresses();
  // Refresh empties the row before the load sequence fills it again.
  void Clear();
  void ShowNetInfo();  // cmdNetInfo_Click

 private:
  ui::FrameView view_;
};
