// The user's regional settings that numbers are written with.
#pragma once

#include <windows.h>

#include <string>

// The user's thousands separator; "," when Windows cannot give it.
inline std::string UserThousandsSeparator() {
  char separator[8] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator) == 0) return ",";
  return separator;
}
