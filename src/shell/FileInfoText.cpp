// Date and size texts of file descriptions.
#include "shell/FileInfoText.h"

#include <cstdio>

#include "platform/Text.h"

std::string FormatFileDate(int year, int month, int day, int hour, int minute) {
  const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
  char text[32];
  std::snprintf(text, sizeof text, "%02d-%02d-%02d %02d:%02d%c", month % 100, day % 100, ((year % 100) + 100) % 100,
                hour12 % 100, minute % 100, hour < 12 ? 'a' : 'p');
  return text;
}

std::string GroupThousands(uint64_t value, std::string_view separator) {
  return GroupDigits(std::to_string(value), separator);
}

std::string FormatSizeText(uint64_t bytes, std::string_view separator) {
  constexpr size_t kColumns = 13;
  const std::string number = GroupThousands(bytes, separator);
  return number.size() >= kColumns ? number : std::string(kColumns - number.size(), ' ') + number;
}
