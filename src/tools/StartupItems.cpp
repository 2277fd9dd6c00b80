// Startup items: the rows listed and the window's resize rule.
#include "tools/StartupItems.h"

#include <algorithm>

namespace {
bool IsBlank(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}
}  // namespace

std::vector<StartupEntry> ListedStartupEntries(const std::vector<StartupEntry>& values) {
  std::vector<StartupEntry> listed;
  for (const StartupEntry& value : values)
    if (!IsBlank(value.name) || !IsBlank(value.data)) listed.push_back(value);
  return listed;
}

std::optional<StartupLayout> StartupItemsLayout(int width, int height, const TwipsRect& list, const TwipsRect& button) {
  const int listWidth = width - 10;
  const int listHeight = height - 575;
  if (listWidth < 0 || listHeight < 0) return std::nullopt;
  StartupLayout layout;
  layout.list = {list.left, list.top, listWidth, listHeight};
  layout.button = {width - button.width - 10, list.top + listHeight + 115, button.width, button.height};
  return layout;
}
