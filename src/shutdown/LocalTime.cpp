// Regional settings through GetLocaleInfoA, the clock through GetLocalTime.
#include "shutdown/LocalTime.h"

#include <windows.h>

#include <string>

namespace {

// The setting's text, or the default when Windows cannot give it. A setting the user cleared
// comes back as its terminating NUL alone (length 1) and is kept empty.
void ReadSetting(LCTYPE type, std::string& value) {
  char buffer[128];
  const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
  if (length > 0) value.assign(buffer, static_cast<std::size_t>(length - 1));
}

}  // namespace

RegionalSettings ReadRegionalSettings() {
  RegionalSettings settings;
  ReadSetting(LOCALE_S1159, settings.amDesignator);
  ReadSetting(LOCALE_S2359, settings.pmDesignator);
  ReadSetting(LOCALE_STIME, settings.timeSeparator);
  ReadSetting(LOCALE_SSHORTDATE, settings.shortDatePattern);
  ReadSetting(LOCALE_SDATE, settings.dateSeparator);
  return settings;
}

namespace {

LocalDateTime SystemClock() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return LocalDateTime{now.wYear, now.wMonth, now.wDay, ClockTime{now.wHour, now.wMinute}};
}

ClockSource& Clock() {
  static ClockSource clock = SystemClock;
  return clock;
}

}  // namespace

LocalDateTime ClockNow() { return Clock()(); }

ClockSource SetClockSource(ClockSource clock) {
  const ClockSource previous = Clock();
  Clock() = clock ? clock : SystemClock;
  return previous;
}
