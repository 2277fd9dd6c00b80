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

// The digits grouped by three from the right, the separator between groups: "1234567" -> "1,234,567".
inline std::string GroupDigits(std::string_view digits, std::string_view separator) {
  std::string text;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += separator;
    text += digits[i];
  }
  return text;
}
