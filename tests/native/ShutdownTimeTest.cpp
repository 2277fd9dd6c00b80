// The shutdown time under several regional settings: what the time box accepts, the "hh:mm AMPM"
// text at the day's edges, the default past midnight and the tick's numeric comparison.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "shutdown/ShutdownTime.h"

namespace {

const RegionalSettings kEnglish{};  // AM/PM, ":", M/d/yyyy, "/"
const RegionalSettings kGerman{"", "", ":", "dd.MM.yyyy", "."};
const RegionalSettings kFinnish{"ap.", "ip.", ".", "d.M.yyyy", "."};
const RegionalSettings kKorean{"\xEC\x98\xA4\xEC\xA0\x84", "\xEC\x98\xA4\xED\x9B\x84", ":", "yyyy-MM-dd", "-"};
const RegionalSettings kJapanese{"\xE5\x8D\x88\xE5\x89\x8D", "\xE5\x8D\x88\xE5\xBE\x8C", ":", "yyyy/MM/dd", "/"};
const RegionalSettings kSpanish{"a. m.", "p. m.", ":", "dd/MM/yyyy", "/"};
// As Wine gives them: Korean dates end with their separator; the Mexican designators hold a blank
// that the ANSI code page lacks, so it arrives as "?".
const RegionalSettings kKoreanWine{"AM", "PM", ":", "yyyy. M. d.", ". "};
const RegionalSettings kHungarian{"de.", "du.", ":", "yyyy. MM. dd.", ". "};
const RegionalSettings kMexicanWine{"a.?m.", "p.?m.", ":", "d/M/yyyy", "/"};
const RegionalSettings kQuotedPicture{"AM", "PM", ":", "'day' d/M/yy", "/"};  // quoted letters are no field
const std::string kKoreanPm = kKorean.pmDesignator;
const std::string kJapanesePm = kJapanese.pmDesignator;

// "h:mm" of an accepted time, "-" for a refused text.
std::string Show(const std::optional<ClockTime>& t) {
  if (!t) return "-";
  return std::to_string(t->hour) + ":" + (t->minute < 10 ? "0" : "") + std::to_string(t->minute);
}

}  // namespace

TEST(ShutdownTime, ParsesWhatUsersTypeByTheirSettings) {
  struct Rows {
    const RegionalSettings* settings;
    std::vector<std::pair<std::string, std::string>> cases;  // text, expected
  };
  // clang-format off
  const Rows table[] = {
      {&kEnglish,
       {{"10:30 PM", "22:30"}, {"22:30", "22:30"}, {"10:30pm", "22:30"}, {"10:30 p", "22:30"}, {"10:30 a.m.", "10:30"},
        {"7 pm", "19:00"}, {"  9:05  AM ", "9:05"}, {"12:00 AM", "0:00"}, {"12:00 PM", "12:00"}, {"12:30 am", "0:30"},
        {"00:15 AM", "0:15"}, {"0:00", "0:00"}, {"23:59:59", "23:59"}, {"10:30:15 PM", "22:30"},
        {"12/31/2024 10:30 PM", "22:30"}, {"12/31/2024, 22:30", "22:30"}, {"10:30 PM 12/31/2024", "22:30"},
        {"2024-12-31 06:45", "6:45"}, {"12/31/2024", "0:00"}, {"2/29/2024", "0:00"}, {"12/31", "0:00"},
        // Refused.
        {"", "-"}, {"   ", "-"}, {"soon", "-"}, {"25:00", "-"}, {"24:00", "-"}, {"10:61", "-"}, {"10:30:60", "-"},
        {"13:00 PM", "-"}, {"00:30 PM", "-"}, {"10:30 PM junk", "-"}, {"10:30x", "-"}, {"10:30:", "-"},
        {"-10:30", "-"}, {"10:30 PM PM", "-"}, {"7", "-"}, {"10 30", "-"}, {"1030", "-"}, {"99999999999:00", "-"},
        {"10.30", "-"}, {"10:30:15:20", "-"}, {"12/31/2024 PM", "-"}, {"31/12/2024", "-"}, {"2/30/2024", "-"},
        {"2/29/2023", "-"}, {"12/31/2024 10:30 PM 11:00", "-"}}},
      {&kGerman,
       {{"22:30", "22:30"}, {"10:30 PM", "22:30"}, {"31.12.2024 22:30", "22:30"}, {"31.12.2024", "0:00"},
        {"31.12.", "0:00"}, {"12.31.2024", "-"}, {"10.30", "-"}}},
      {&kFinnish,
       {{"10.30", "10:30"}, {"10.30 ip.", "22:30"}, {"10.30 i", "22:30"}, {"10:30 pm", "22:30"},
        {"1.2.2024 10.30", "10:30"}, {"1.2.24", "0:00"}, {"1.02.03", "1:02"}, {"1.2.", "0:00"}}},
      {&kKorean,
       {{kKoreanPm + " 10:30", "22:30"}, {"10:30 " + kKoreanPm, "22:30"}, {"2024-12-31 " + kKoreanPm + " 10:30", "22:30"},
        {kKoreanPm, "-"}}},
      {&kKoreanWine, {{"2024. 12. 31. PM 10:30:00", "22:30"}, {"2024.12.31", "0:00"}}},
      {&kHungarian, {{"9:05 du.", "21:05"}, {"2024. 12. 31. 0:05:00", "0:05"}}},
      {&kJapanese, {{kJapanesePm + "10:30", "22:30"}, {"\xE5\x8D\x88 10:30", "-"}}},  // 午: both designators' start
      {&kSpanish,
       {{"10:30 p. m.", "22:30"}, {"10:30 pm", "22:30"}, {"10:30\xA0p.\xA0m.", "22:30"},
        {"31/12/2024 10:30 a. m.", "10:30"}, {"12/31/2024", "-"}}},
      {&kMexicanWine, {{"10:30 p.m.", "22:30"}}},
      {&kQuotedPicture, {{"31/12/24 10:30", "10:30"}, {"12/31/24", "-"}}},
  };
  // clang-format on
  for (const Rows& rows : table) {
    for (const auto& [text, expected] : rows.cases) {
      EXPECT_EQ(Show(ParseTimeText(text, *rows.settings)), expected) << "\"" << text << "\"";
    }
  }
}

TEST(ShutdownTime, FormatsTwelveHourClockOrTwentyFourWithoutDesignators) {
  const RegionalSettings morningOnly{"AM", "", ":", "M/d/yyyy", "/"};
  const std::pair<const RegionalSettings*, std::vector<std::string>> table[] = {
      // 0:00, 0:05, 9:05, 11:59, 12:00, 13:00, 22:30, 23:59
      {&kEnglish, {"12:00 AM", "12:05 AM", "09:05 AM", "11:59 AM", "12:00 PM", "01:00 PM", "10:30 PM", "11:59 PM"}},
      {&kGerman, {"00:00", "00:05", "09:05", "11:59", "12:00", "13:00", "22:30", "23:59"}},
      {&kFinnish,
       {"12.00 ap.", "12.05 ap.", "09.05 ap.", "11.59 ap.", "12.00 ip.", "01.00 ip.", "10.30 ip.", "11.59 ip."}},
      {&morningOnly, {"12:00 AM", "12:05 AM", "09:05 AM", "11:59 AM", "12:00", "01:00", "10:30", "11:59"}},
  };
  const ClockTime times[] = {{0, 0}, {0, 5}, {9, 5}, {11, 59}, {12, 0}, {13, 0}, {22, 30}, {23, 59}};
  for (const auto& [settings, expected] : table) {
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(FormatShutdownTime(times[i], *settings), expected[i]);
  }
  EXPECT_EQ(FormatShutdownTime({12, 0}, kKorean), "12:00 " + kKoreanPm);
}

TEST(ShutdownTime, EveryMinuteSurvivesFormatAndParse) {
  for (const RegionalSettings* settings :
       {&kEnglish, &kGerman, &kFinnish, &kKorean, &kJapanese, &kSpanish, &kKoreanWine, &kHungarian, &kMexicanWine}) {
    for (int minuteOfDay = 0; minuteOfDay < 24 * 60; ++minuteOfDay) {
      const ClockTime time{minuteOfDay / 60, minuteOfDay % 60};
      const std::string text = FormatShutdownTime(time, *settings);
      ASSERT_EQ(Show(ParseTimeText(text, *settings)), Show(time)) << text;
    }
  }
}

TEST(ShutdownTime, DefaultIsAnHourAheadPastMidnight) {
  const std::pair<ClockTime, ClockTime> cases[] = {
      {{23, 15}, {0, 15}}, {{11, 30}, {12, 30}}, {{0, 0}, {1, 0}}, {{22, 59}, {23, 59}}};
  for (const auto& [now, expected] : cases) EXPECT_EQ(DefaultShutdownTime(now), expected);
}

TEST(ShutdownTime, TickComparesHourAndMinuteNotTexts) {
  // Without designators "10:30" is the morning; the evening's 22:30 must not match it.
  const ClockTime armed = *ParseTimeText("10:30", kGerman);
  EXPECT_FALSE(IsShutdownMinute({22, 30}, armed));
  EXPECT_TRUE(IsShutdownMinute({10, 30}, armed));
  EXPECT_FALSE(IsShutdownMinute({10, 31}, armed));
  EXPECT_FALSE(IsShutdownMinute({11, 30}, armed));
  EXPECT_FALSE(IsShutdownMinute({12, 0}, *ParseTimeText("12:00 AM", kEnglish)));
  EXPECT_TRUE(IsShutdownMinute({0, 0}, *ParseTimeText("12:00 AM", kEnglish)));
}
