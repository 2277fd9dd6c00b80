// The main window's frame "Generate directory content:": the folder box, its picker and "Go".
#pragma once

#include "platform/FrameView.h"

class ListingFrame {
 public:
  explicit ListingFrame(ui::FrameView view) : view_(view) {}

  void Clear();   // Refresh empties the folder box
  void Browse();  // cmdListBr_Click
  void Write();   // cmdListGo_Click

 private:
  ui::FrameView view_;
};
