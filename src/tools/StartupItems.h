// The startup items window's content and layout: which Run values it lists, and where its list and
// button go when the window is sized. Portable.
#pragma once

#include "platform/Twips.h"

#include <optional>
#include <string>
#include <vector>

// One value of the Run key: its name and its data as text.
struct StartupEntry {
  std::string name;
  std::string data;
  bool operator==(const StartupEntry&) const = default;
};

// The entries in the order given, less those whose name and data are both blank (only spaces, or
// nothing) once trimmed. The kept entries keep their blanks.
std::vector<StartupEntry> ListedStartupEntries(const std::vector<StartupEntry>& values);

struct StartupLayout {
  TwipsRect list;
  TwipsRect button;
};

// For an inner area of width by height twips: the list keeps its left and top and ends 10 twips
// short of the right edge and 575 above the bottom; the button, its size kept, sits 10 twips from
// the right edge and 115 below the list. Nothing (leave both as they are) when the area is too small.
std::optional<StartupLayout> StartupItemsLayout(int width, int height, const TwipsRect& list, const TwipsRect& button);
