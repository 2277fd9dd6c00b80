// The real regional settings under Wine, checked against Windows' own formatting: our time text
// equals GetTimeFormatA's and Windows' texts for every minute parse back. Besides the prefix's
// settings, some that users set (designators cleared, "." in times, dates ending with their
// separator) are put in through SetLocaleInfoA and put back afterwards.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "shutdown/LocalTime.h"

namespace {

std::string Text(char* buffer, int length) { return length > 0 ? std::string(buffer, length - 1) : "(failed)"; }

// On 31 December 2024; picture nullptr: the user's own time format.
std::string WindowsTime(int hour, int minute, const char* picture) {
  const SYSTEMTIME st{2024, 12, 2, 31, static_cast<WORD>(hour), static_cast<WORD>(minute), 0, 0};
  char buffer[128];
  return Text(buffer, GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, picture, buffer, sizeof buffer));
}

std::string WindowsShortDate() {
  const SYSTEMTIME st{2024, 12, 2, 31, 0, 0, 0, 0};
  char buffer[128];
  return Text(buffer, GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buffer, sizeof buffer));
}

void ExpectEveryMinuteAgrees(const RegionalSettings& s) {
  const bool twelveHour = !s.amDesignator.empty() || !s.pmDesignator.empty();
  const std::string picture = (twelveHour ? "hh'" : "HH'") + s.timeSeparator + (twelveHour ? "'mm tt" : "'mm");
  const std::string date = WindowsShortDate();
  ASSERT_EQ(ParseTimeText(date, s), (ClockTime{0, 0})) << date;
  for (int minuteOfDay = 0; minuteOfDay < 24 * 60; ++minuteOfDay) {
    const ClockTime time{minuteOfDay / 60, minuteOfDay % 60};
    const std::string ours = FormatShutdownTime(time, s);
    ASSERT_EQ(ours, WindowsTime(time.hour, time.minute, picture.c_str()));
    ASSERT_EQ(ParseTimeText(ours, s), time) << ours;
    const std::string full = date + " " + WindowsTime(time.hour, time.minute, nullptr);  // the user's own time format
    ASSERT_EQ(ParseTimeText(full, s), time) << full;
  }
}

}  // namespace

TEST(ShutdownRegional, PrefixSettingsAreTheOnesWindowsFormatsWith) {
  const RegionalSettings s = ReadRegionalSettings();
  EXPECT_EQ(s.amDesignator, WindowsTime(10, 0, "tt"));
  EXPECT_EQ(s.pmDesignator, WindowsTime(22, 0, "tt"));
  EXPECT_NE(WindowsTime(22, 30, nullptr).find(s.timeSeparator), std::string::npos);
  EXPECT_NE(WindowsShortDate().find(s.dateSeparator), std::string::npos);
  ExpectEveryMinuteAgrees(s);
}

TEST(ShutdownRegional, SettingsUsersChangeAreReadAndAgree) {
  // The time picture goes first and comes back last: setting it sets the time separator too.
  const LCTYPE types[] = {LOCALE_STIMEFORMAT, LOCALE_STIME,      LOCALE_S1159,
                          LOCALE_S2359,       LOCALE_SSHORTDATE, LOCALE_SDATE};
  struct PutBack {
    std::vector<std::pair<LCTYPE, std::string>> saved;
    ~PutBack() {
      for (const auto& [type, value] : saved) SetLocaleInfoA(LOCALE_USER_DEFAULT, type, value.c_str());
    }
  } putBack;
  for (LCTYPE type : types) {
    char buffer[128] = "";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
    putBack.saved.emplace(putBack.saved.begin(), type, buffer);
  }
  const std::vector<std::vector<std::string>> variants = {
      {"HH:mm:ss", ":", "", "", "dd.MM.yyyy", "."},  // designators cleared
      {"h.mm.ss tt", ".", "ap.", "ip.", "d.M.yyyy", "."},
      {"tt h:mm:ss", ":", "de.", "du.", "yyyy. MM. dd.", ". "},
  };
  for (const auto& v : variants) {
    for (std::size_t i = 0; i < v.size(); ++i) ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, types[i], v[i].c_str()));
    const RegionalSettings read = ReadRegionalSettings();
    EXPECT_EQ((std::vector<std::string>{v[0], read.timeSeparator, read.amDesignator, read.pmDesignator,
                                        read.shortDatePattern, read.dateSeparator}),
              v);
    ExpectEveryMinuteAgrees(read);
  }
}
