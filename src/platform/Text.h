// Small text helpers shared by the portable code (no Windows types).
#pragma once

#include <string>
#include <string_view>

// The text without the blanks (the space character only) at either end.
inline std::string TrimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}
