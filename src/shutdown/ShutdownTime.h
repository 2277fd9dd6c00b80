// The shutdown time: reading what the user types into the time box, the "hh:mm AMPM" text, the
// default of now plus one hour, and the local calendar's minutes that the tick counts with. The
// texts follow the user's regional settings, which the Windows side reads into RegionalSettings.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The parts of the user's regional settings that times and dates are read and written with.
struct RegionalSettings {
  std::string amDesignator = "AM";  // morning designator; may be empty
  std::string pmDesignator = "PM";  // afternoon designator; may be empty
  std::string timeSeparator = ":";
  std::string shortDatePattern = "M/d/yyyy";  // picture such as "dd.MM.yyyy"; gives the date order
  std::string dateSeparator = "/";
};

// The order of day, month and year in a short date.
enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

// Taken from the first of d, M and y in the picture (quoted literals skipped); month-day-year
// when the picture names neither.
DateOrder DateOrderOf(std::string_view shortDatePattern);

// A time of day to the minute.
struct ClockTime {
  int hour = 0;    // 0-23
  int minute = 0;  // 0-59

  friend bool operator==(const ClockTime&, const ClockTime&) = default;
};

// A moment of the local clock to the minute: the calendar date and the time of day.
struct LocalDateTime {
  int year = 2000;
  int month = 1;  // 1-12
  int day = 1;    // 1-31
  ClockTime time;
};

// Reads the time box. Accepted, with the settings' separators and designators:
// - a time: "22:30", "10:30 PM", "10:30pm", "10:30 p" (a designator may be shortened to any
//   beginning that only one of the two shares), "10:30:15 PM" (seconds are checked, then dropped),
//   "7 pm" (an hour alone only with a designator). Locales that write the designator first
//   ("AM 10:30") are read as well. Designators compare without regard to case, blanks or dots,
//   and English AM/PM are understood when the user's own designators do not match (a user who
//   cleared them can still type "10:30 PM").
// - a date and a time ("12/31/2024 10:30 PM"): the date in the settings' day/month/year order,
//   or year first when it has four digits ("2024-12-31"); only the time counts.
// - a date alone ("12/31/2024", "12/31", "31.12." in German): midnight.
// Hours run 0-23 without a designator and 1-12 with one (00 with the morning designator is
// midnight too). Where the time and date separators are the same (Finnish "."), two numbers are
// a time, and three a time only when the last two have two digits each ("1.02.03", but "1.2.24"
// is a date). Empty text, texts with anything left over, and times or dates out of range
// are refused. "." is a separator only when the settings use it, so "10.30" is refused on an
// English system rather than read as 30 October.
std::optional<ClockTime> ParseTimeText(std::string_view text, const RegionalSettings& settings);

// True when the designators tell the morning from the afternoon as ParseTimeText reads them:
// neither empty once blanks, dots and "?" (a character the ANSI code page lacks) are dropped,
// not the same, without digits, and each read back as its own half.
bool DesignatorsTellHalves(const RegionalSettings& settings);

// "hh:mm AMPM": the 12-hour clock in two digits, the settings' time separator, two-digit
// minutes, a blank and the morning or afternoon designator ("10:30 PM", "12:05 AM" after
// midnight). Where the designators cannot tell the halves of the day (DesignatorsTellHalves),
// the 24-hour "HH:mm" ("22:30"): a 12-hour text would read back as another time or not at all.
// A time separator that the parser cannot read (empty, or with a digit in it) is written ":".
std::string FormatShutdownTime(ClockTime time, const RegionalSettings& settings);

// The default of the time box: an hour after now, past midnight into the next day's hours.
ClockTime DefaultShutdownTime(ClockTime now);

// The local clock's minutes since 1 January 1970, so that moments compare and count across
// midnight and the ends of months and years.
long long MinuteNumber(const LocalDateTime& moment);

// The first minute at or after `from` (a MinuteNumber) whose time of day is `time`: the same day
// while that time is still to come or is now, else the next day.
long long NextOccurrence(long long from, ClockTime time);
