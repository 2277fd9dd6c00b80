// The shutdown time under several regional settings: what the time box accepts, the "hh:mm AMPM"
// text at the day's edges, the default past midnight and the tick's numeric comparison.
#include <gtest/gtest.h>

#include <optional>
#include <string>
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
const std::string kKoreanPm = kKorean.pmDesignator;
const std::string kJapanesePm = kJapanese.pmDesignator;

struct ParseCase {
  const RegionalSettings* settings;
  std::string text;
  std::optional<ClockTime> expected;  // nullopt: refused
};

std::string Show(const std::optional<ClockTime>& t) {
  return t ? std::to_string(t->hour) + ":" + std::to_string(t->minute) : "refused";
}

}  // namespace

TEST(ShutdownTime, ParsesWhatUsersTypeByTheirSettings) {
  const ClockTime midnight{0, 0};
  const std::vector<ParseCase> cases = {
      {&kEnglish, "10:30 PM", ClockTime{22, 30}},
      {&kEnglish, "22:30", ClockTime{22, 30}},
      {&kEnglish, "10:30pm", ClockTime{22, 30}},
      {&kEnglish, "10:30 p", ClockTime{22, 30}},
      {&kEnglish, "10:30 a.m.", ClockTime{10, 30}},
      {&kEnglish, "7 pm", ClockTime{19, 0}},
      {&kEnglish, "  9:05  AM ", ClockTime{9, 5}},
      {&kEnglish, "12:00 AM", midnight},
      {&kEnglish, "12:00 PM", ClockTime{12, 0}},
      {&kEnglish, "12:30 am", ClockTime{0, 30}},
      {&kEnglish, "00:15 AM", ClockTime{0, 15}},
      {&kEnglish, "0:00", midnight},
      {&kEnglish, "23:59:59", ClockTime{23, 59}},
      {&kEnglish, "10:30:15 PM", ClockTime{22, 30}},
      {&kEnglish, "12/31/2024 10:30 PM", ClockTime{22, 30}},
      {&kEnglish, "12/31/2024, 22:30", ClockTime{22, 30}},
      {&kEnglish, "10:30 PM 12/31/2024", ClockTime{22, 30}},
      {&kEnglish, "2024-12-31 06:45", ClockTime{6, 45}},
      {&kEnglish, "12/31/2024", midnight},
      {&kEnglish, "2/29/2024", midnight},
      {&kEnglish, "12/31", midnight},
      {&kGerman, "22:30", ClockTime{22, 30}},
      {&kGerman, "10:30 PM", ClockTime{22, 30}},  // English designators still understood
      {&kGerman, "31.12.2024 22:30", ClockTime{22, 30}},
      {&kGerman, "31.12.2024", midnight},
      {&kFinnish, "10.30", ClockTime{10, 30}},
      {&kFinnish, "10.30 ip.", ClockTime{22, 30}},
      {&kFinnish, "10.30 i", ClockTime{22, 30}},
      {&kFinnish, "10:30 pm", ClockTime{22, 30}},
      {&kFinnish, "1.2.2024 10.30", ClockTime{10, 30}},
      {&kFinnish, "1.2.24", midnight},  // minutes and seconds would have two digits
      {&kFinnish, "1.02.03", ClockTime{1, 2}},
      {&kFinnish, "1.2.", midnight},
      {&kGerman, "31.12.", midnight},
      {&kKoreanWine, "2024. 12. 31. PM 10:30:00", ClockTime{22, 30}},
      {&kKoreanWine, "2024.12.31", midnight},
      {&kHungarian, "9:05 du.", ClockTime{21, 5}},
      {&kHungarian, "2024. 12. 31. 0:05:00", ClockTime{0, 5}},
      {&kMexicanWine, "10:30 p.m.", ClockTime{22, 30}},
      {&kSpanish, "10:30\xA0p.\xA0m.", ClockTime{22, 30}},
      {&kKorean, kKoreanPm + " 10:30", ClockTime{22, 30}},
      {&kKorean, "10:30 " + kKoreanPm, ClockTime{22, 30}},
      {&kKorean, "2024-12-31 " + kKoreanPm + " 10:30", ClockTime{22, 30}},
      {&kJapanese, kJapanesePm + "10:30", ClockTime{22, 30}},
      {&kSpanish, "10:30 p. m.", ClockTime{22, 30}},
      {&kSpanish, "10:30 pm", ClockTime{22, 30}},
      {&kSpanish, "31/12/2024 10:30 a. m.", ClockTime{10, 30}},
      // Refused.
      {&kEnglish, "", std::nullopt},
      {&kEnglish, "   ", std::nullopt},
      {&kEnglish, "soon", std::nullopt},
      {&kEnglish, "25:00", std::nullopt},
      {&kEnglish, "24:00", std::nullopt},
      {&kEnglish, "10:61", std::nullopt},
      {&kEnglish, "10:30:60", std::nullopt},
      {&kEnglish, "13:00 PM", std::nullopt},
      {&kEnglish, "00:30 PM", std::nullopt},
      {&kEnglish, "10:30 PM junk", std::nullopt},
      {&kEnglish, "10:30x", std::nullopt},
      {&kEnglish, "10:30:", std::nullopt},
      {&kEnglish, "-10:30", std::nullopt},
      {&kEnglish, "10:30 PM PM", std::nullopt},
      {&kEnglish, "7", std::nullopt},
      {&kEnglish, "10 30", std::nullopt},
      {&kEnglish, "1030", std::nullopt},
      {&kEnglish, "99999999999:00", std::nullopt},
      {&kEnglish, "10.30", std::nullopt},
      {&kEnglish, "10:30:15:20", std::nullopt},
      {&kEnglish, "12/31/2024 PM", std::nullopt},
      {&kEnglish, "31/12/2024", std::nullopt},
      {&kEnglish, "2/30/2024", std::nullopt},
      {&kEnglish, "2/29/2023", std::nullopt},
      {&kEnglish, "12/31/2024 10:30 PM 11:00", std::nullopt},
      {&kGerman, "12.31.2024", std::nullopt},
      {&kGerman, "10.30", std::nullopt},
      {&kKorean, kKoreanPm, std::nullopt},
      {&kJapanese, "\xE5\x8D\x88 10:30", std::nullopt},  // the first character of both designators
      {&kSpanish, "12/31/2024", std::nullopt},
  };
  for (const ParseCase& c : cases) {
    EXPECT_EQ(Show(ParseTimeText(c.text, *c.settings)), Show(c.expected)) << "\"" << c.text << "\"";
  }
}

TEST(ShutdownTime, FormatsTwelveHourClockOrTwentyFourWithoutDesignators) {
  struct Case {
    const RegionalSettings* settings;
    ClockTime time;
    std::string expected;
  };
  const RegionalSettings morningOnly{"AM", "", ":", "M/d/yyyy", "/"};
  const std::vector<Case> cases = {
      {&kEnglish, {0, 0}, "12:00 AM"},        {&kEnglish, {0, 5}, "12:05 AM"},
      {&kEnglish, {9, 5}, "09:05 AM"},        {&kEnglish, {11, 59}, "11:59 AM"},
      {&kEnglish, {12, 0}, "12:00 PM"},       {&kEnglish, {13, 0}, "01:00 PM"},
      {&kEnglish, {22, 30}, "10:30 PM"},      {&kEnglish, {23, 59}, "11:59 PM"},
      {&kGerman, {22, 30}, "22:30"},          {&kGerman, {0, 5}, "00:05"},
      {&kGerman, {9, 5}, "09:05"},            {&kFinnish, {22, 30}, "10.30 ip."},
      {&kSpanish, {0, 1}, "12:01 a. m."},     {&morningOnly, {10, 30}, "10:30 AM"},
      {&kKorean, {12, 0}, "12:00 " + kKoreanPm},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatShutdownTime(c.time, *c.settings), c.expected);
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
  EXPECT_EQ(DefaultShutdownTime({23, 15}), (ClockTime{0, 15}));
  EXPECT_EQ(DefaultShutdownTime({11, 30}), (ClockTime{12, 30}));
  EXPECT_EQ(DefaultShutdownTime({0, 0}), (ClockTime{1, 0}));
  EXPECT_EQ(DefaultShutdownTime({22, 59}), (ClockTime{23, 59}));
}

TEST(ShutdownTime, TickComparesHourAndMinuteNotTexts) {
  // Without designators "10:30" is the morning; the evening's 22:30 must not match it.
  const ClockTime armed = *ParseTimeText("10:30", kGerman);
  EXPECT_FALSE(IsShutdownMinute({22, 30}, armed));
  EXPECT_TRUE(IsShutdownMinute({10, 30}, armed));
  EXPECT_FALSE(IsShutdownMinute({10, 31}, armed));
  EXPECT_FALSE(IsShutdownMinute({11, 30}, armed));
  EXPECT_TRUE(IsShutdownMinute({0, 0}, *ParseTimeText("12:00 AM", kEnglish)));
  EXPECT_FALSE(IsShutdownMinute({12, 0}, *ParseTimeText("12:00 AM", kEnglish)));
}

TEST(ShutdownTime, DateOrderFollowsTheShortDatePicture) {
  EXPECT_EQ(DateOrderOf("M/d/yyyy"), DateOrder::MonthDayYear);
  EXPECT_EQ(DateOrderOf("dd.MM.yyyy"), DateOrder::DayMonthYear);
  EXPECT_EQ(DateOrderOf("yyyy-MM-dd"), DateOrder::YearMonthDay);
  EXPECT_EQ(DateOrderOf("'day' d/M/yy"), DateOrder::DayMonthYear);  // quoted letters are no field
  EXPECT_EQ(DateOrderOf(""), DateOrder::MonthDayYear);
}
