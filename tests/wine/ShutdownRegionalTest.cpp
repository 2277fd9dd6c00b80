// The real regional settings under Wine, checked against Windows' own time and date formatting:
// the shutdown text matches GetTimeFormatA, and what Windows writes for each minute parses back.
// Besides the prefix's own settings, a few that users set (designators cleared, "." between hours
// and minutes, dates ending with their separator) are put in and then restored.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "shutdown/LocalTime.h"

namespace {

std::string WindowsTime(int hour, int minute, const char* picture) {
  SYSTEMTIME st{};
  st.wYear = 2024, st.wMonth = 12, st.wDay = 31;
  st.wHour = static_cast<WORD>(hour), st.wMinute = static_cast<WORD>(minute);
  char buffer[128];
  const int length = GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, picture, buffer, sizeof buffer);
  return length > 0 ? std::string(buffer, static_cast<std::size_t>(length - 1)) : "(GetTimeFormatA failed)";
}

std::string WindowsShortDate() {
  SYSTEMTIME st{};
  st.wYear = 2024, st.wMonth = 12, st.wDay = 31;
  char buffer[128];
  const int length = GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buffer, sizeof buffer);
  return length > 0 ? std::string(buffer, static_cast<std::size_t>(length - 1)) : "(GetDateFormatA failed)";
}

// Every minute of the day: our text equals Windows' for the same picture and parses back, and
// Windows' own time text, alone and after its short date, parses to the same minute.
void ExpectEveryMinuteAgrees(const RegionalSettings& settings) {
  const bool twelveHour = !settings.amDesignator.empty() || !settings.pmDesignator.empty();
  const std::string picture = (twelveHour ? "hh'" : "HH'") + settings.timeSeparator + (twelveHour ? "'mm tt" : "'mm");
  const std::string date = WindowsShortDate();
  ASSERT_EQ(ParseTimeText(date, settings), (ClockTime{0, 0})) << date;
  for (int hour = 0; hour < 24; ++hour) {
    for (int minute = 0; minute < 60; ++minute) {
      const ClockTime time{hour, minute};
      const std::string ours = FormatShutdownTime(time, settings);
      ASSERT_EQ(ours, WindowsTime(hour, minute, picture.c_str()));
      ASSERT_EQ(ParseTimeText(ours, settings), time) << ours;
      const std::string longTime = WindowsTime(hour, minute, nullptr);
      ASSERT_EQ(ParseTimeText(longTime, settings), time) << longTime;
      ASSERT_EQ(ParseTimeText(date + " " + longTime, settings), time) << date << " " << longTime;
    }
  }
}

// Puts the user's regional settings back: through SetLocaleInfoA, which also refreshes what this
// process has read, then value by value in the registry, since Windows derives some settings
// (the short time) from others as they are set.
class SavedRegionalSettings {
 public:
  SavedRegionalSettings() {
    for (LCTYPE type : kTypes) {
      char buffer[128] = "";
      GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
      settings_.emplace_back(type, buffer);
    }
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return;
    for (const char* name : kValues) {
      char buffer[128];
      DWORD size = sizeof buffer;
      DWORD type = 0;
      if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS &&
          type == REG_SZ) {
        values_.emplace_back(name, std::string(buffer, size ? size - 1 : 0));
      }
    }
    RegCloseKey(key);
  }
  ~SavedRegionalSettings() {
    for (const auto& [type, value] : settings_) SetLocaleInfoA(LOCALE_USER_DEFAULT, type, value.c_str());
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    for (const auto& [name, value] : values_) {
      RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1));
    }
    RegCloseKey(key);
  }

 private:
  // The time picture last: setting it sets the time separator too.
  static constexpr LCTYPE kTypes[] = {LOCALE_S1159, LOCALE_S2359,  LOCALE_SSHORTDATE,
                                      LOCALE_SDATE, LOCALE_STIME, LOCALE_STIMEFORMAT};
  static constexpr const char* kKey = "Control Panel\\International";
  static constexpr const char* kValues[] = {"s1159", "s2359", "sTime", "sTimeFormat", "sShortTime", "sShortDate", "sDate"};
  std::vector<std::pair<LCTYPE, std::string>> settings_;
  std::vector<std::pair<std::string, std::string>> values_;
};

}  // namespace

TEST(ShutdownRegional, PrefixSettingsAreTheOnesWindowsFormatsWith) {
  const RegionalSettings settings = ReadRegionalSettings();
  EXPECT_EQ(settings.amDesignator, WindowsTime(10, 0, "tt"));
  EXPECT_EQ(settings.pmDesignator, WindowsTime(22, 0, "tt"));
  EXPECT_NE(WindowsTime(22, 30, nullptr).find(settings.timeSeparator), std::string::npos);
  EXPECT_NE(WindowsShortDate().find(settings.dateSeparator), std::string::npos);
  ExpectEveryMinuteAgrees(settings);
}

TEST(ShutdownRegional, SettingsUsersChangeAreReadAndAgree) {
  struct Variant {
    RegionalSettings settings;
    const char* timeFormat;
  };
  const std::vector<Variant> variants = {
      {{"", "", ":", "dd.MM.yyyy", "."}, "HH:mm:ss"},  // designators cleared
      {{"ap.", "ip.", ".", "d.M.yyyy", "."}, "h.mm.ss tt"},
      {{"de.", "du.", ":", "yyyy. MM. dd.", ". "}, "tt h:mm:ss"},
  };
  const SavedRegionalSettings saved;
  for (const Variant& v : variants) {
    SCOPED_TRACE(v.timeFormat);
    const RegionalSettings& s = v.settings;
    ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, v.timeFormat));
    ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIME, s.timeSeparator.c_str()));
    ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_S1159, s.amDesignator.c_str()));
    ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_S2359, s.pmDesignator.c_str()));
    ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, s.shortDatePattern.c_str()));
    ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDATE, s.dateSeparator.c_str()));

    const RegionalSettings read = ReadRegionalSettings();
    EXPECT_EQ(read.amDesignator, s.amDesignator);
    EXPECT_EQ(read.pmDesignator, s.pmDesignator);
    EXPECT_EQ(read.timeSeparator, s.timeSeparator);
    EXPECT_EQ(read.shortDatePattern, s.shortDatePattern);
    EXPECT_EQ(read.dateSeparator, s.dateSeparator);
    ExpectEveryMinuteAgrees(read);
  }
}
