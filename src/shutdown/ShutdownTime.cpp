// Reading and writing the shutdown time by the user's regional settings.
#include "shutdown/ShutdownTime.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace {

constexpr std::size_t kMaxDigits = 4;  // a year; longer runs are never part of a date or time

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
// Blanks and commas part a date from its time ("12/31/2024, 10:30") and a time from its designator.
// 0xA0 is the no-break blank of the Western code pages; a designator that holds the same byte as
// part of a double-byte character loses it on both sides of the comparison alike.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == ',' || c == '\xA0'; }

// A separator with a digit in it would be read as part of the numbers it stands between.
bool IsUsableSeparator(std::string_view sep) { return !sep.empty() && std::none_of(sep.begin(), sep.end(), IsDigit); }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Numbers joined by separators with nothing in between, such as "12/31/2024" or "10:30:15".
struct Group {
  std::vector<int> numbers;
  std::vector<std::size_t> digits;     // digit count of each number
  std::vector<std::string_view> seps;  // the separator before numbers[1], numbers[2], ...
  bool closed = false;                 // ends with its separator once more, as "31.12." does
};

// The text as groups and the words around them (designators); blanks between them dropped.
struct Item {
  bool isGroup = false;
  Group group;
  std::string_view word;
};

class Scanner {
 public:
  Scanner(std::string_view text, const RegionalSettings& settings) : text_(text) {
    for (std::string_view sep :
         {std::string_view(settings.timeSeparator), std::string_view(settings.dateSeparator),
          Trim(settings.dateSeparator), std::string_view(":"), std::string_view("/"), std::string_view("-")}) {
      if (!IsUsableSeparator(sep)) continue;
      if (std::find(separators_.begin(), separators_.end(), sep) == separators_.end()) separators_.push_back(sep);
    }
    // Longer separators first, so that a two-character separator is not taken for its first half.
    std::stable_sort(separators_.begin(), separators_.end(),
                     [](std::string_view a, std::string_view b) { return a.size() > b.size(); });
  }

  // False when a number is too long to be part of a date or time.
  bool Scan(std::vector<Item>& items) {
    while (pos_ < text_.size()) {
      const std::size_t start = pos_;
      while (pos_ < text_.size() && !IsDigit(text_[pos_])) ++pos_;
      const std::string_view word = Trim(text_.substr(start, pos_ - start));
      if (!word.empty()) items.push_back(Item{false, {}, word});
      if (pos_ == text_.size()) break;
      Item item;
      item.isGroup = true;
      if (!ReadNumber(item.group)) return false;
      // Three numbers at most: a date, and then "2024. 12. 31. 0:00" starts its time.
      while (item.group.numbers.size() < 3) {
        const std::size_t length = SeparatorBeforeDigit();
        if (length == 0) break;
        item.group.seps.push_back(text_.substr(pos_, length));
        pos_ += length;
        if (!ReadNumber(item.group)) return false;
      }
      // Dates such as "2024. 12. 31." (Korean, Hungarian) and "31.12." end with their separator.
      if (!item.group.seps.empty()) {
        const std::string_view closing = Trim(item.group.seps.back());
        if (!closing.empty() && text_.substr(pos_).starts_with(closing)) {
          pos_ += closing.size();
          item.group.closed = true;
        }
      }
      items.push_back(std::move(item));
    }
    return true;
  }

 private:
  bool ReadNumber(Group& group) {
    int value = 0;
    std::size_t count = 0;
    while (pos_ < text_.size() && IsDigit(text_[pos_])) {
      if (++count > kMaxDigits) return false;
      value = value * 10 + (text_[pos_++] - '0');
    }
    group.numbers.push_back(value);
    group.digits.push_back(count);
    return true;
  }

  // The length of a known separator at the current place with a digit right after it, else 0.
  std::size_t SeparatorBeforeDigit() const {
    const std::string_view rest = text_.substr(pos_);
    for (std::string_view sep : separators_) {
      if (rest.size() > sep.size() && rest.starts_with(sep) && IsDigit(rest[sep.size()])) return sep.size();
    }
    return 0;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::vector<std::string_view> separators_;
};

// Designators compare without case (ASCII letters only: the rest of an ANSI text is left as it
// is), blanks or dots, so "p.m.", "P M" and "pm" are one. "?" goes too: it stands for a character
// the ANSI code page lacks, such as the narrow no-break blank inside "p. m.".
std::string Normalise(std::string_view s) {
  std::string out;
  for (char c : s) {
    if (IsBlank(c) || c == '.' || c == '?') continue;
    out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return out;
}

enum class Half { Morning, Afternoon };

// The typed word names the morning or the afternoon designator: in full, or by a beginning that
// only one of the two has.
std::optional<Half> MatchPair(const std::string& typed, std::string_view am, std::string_view pm) {
  const std::string a = Normalise(am);
  const std::string p = Normalise(pm);
  const bool isA = !a.empty() && typed == a;
  const bool isP = !p.empty() && typed == p;
  if (isA != isP) return isA ? Half::Morning : Half::Afternoon;
  if (isA) return std::nullopt;  // both designators are the same text
  const bool startsA = !a.empty() && a.starts_with(typed);
  const bool startsP = !p.empty() && p.starts_with(typed);
  if (startsA != startsP) return startsA ? Half::Morning : Half::Afternoon;
  return std::nullopt;
}

std::optional<Half> MatchDesignator(std::string_view word, const RegionalSettings& settings) {
  const std::string typed = Normalise(word);
  if (typed.empty()) return std::nullopt;
  if (auto half = MatchPair(typed, settings.amDesignator, settings.pmDesignator)) return half;
  return MatchPair(typed, "AM", "PM");
}

bool IsTimeSeparator(std::string_view sep, const RegionalSettings& settings) {
  return sep == ":" || sep == settings.timeSeparator;
}

// A separator with a blank (Korean ". ") may be typed without it.
bool IsDateSeparator(std::string_view sep, const RegionalSettings& settings) {
  return sep == "/" || sep == "-" || sep == settings.dateSeparator ||
         (!sep.empty() && sep == Trim(settings.dateSeparator));
}

std::optional<ClockTime> ReadTime(const Group& g, std::optional<Half> half, const RegionalSettings& settings) {
  const std::size_t count = g.numbers.size();
  if (g.closed || count > 3 || (count == 1 && !half)) return std::nullopt;
  for (std::string_view sep : g.seps) {
    if (!IsTimeSeparator(sep, settings)) return std::nullopt;
  }
  for (std::size_t digits : g.digits) {
    if (digits > 2) return std::nullopt;
  }
  int hour = g.numbers[0];
  const int minute = count > 1 ? g.numbers[1] : 0;
  const int second = count > 2 ? g.numbers[2] : 0;
  if (minute > 59 || second > 59) return std::nullopt;
  if (!half) {
    if (hour > 23) return std::nullopt;
  } else if (hour == 0) {
    if (*half == Half::Afternoon) return std::nullopt;  // "00:30 PM" is no time
  } else {
    if (hour > 12) return std::nullopt;
    hour %= 12;
    if (*half == Half::Afternoon) hour += 12;
  }
  return ClockTime{hour, minute};
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Only whether the date exists matters: the time of a date alone is midnight.
bool IsDate(const Group& g, const RegionalSettings& settings) {
  const std::size_t count = g.numbers.size();
  if (count < 2 || count > 3) return false;
  for (std::string_view sep : g.seps) {
    if (sep != g.seps.front() || !IsDateSeparator(sep, settings)) return false;
  }
  DateOrder order = DateOrderOf(settings.shortDatePattern);
  if (g.digits[0] == 4) order = DateOrder::YearMonthDay;  // "2024-12-31" reads the same everywhere
  // A date without its year is read as in a leap year, so that 29 February is never refused.
  int year = 2000;
  std::size_t yearDigits = 4;
  int month = 0;
  int day = 0;
  if (count == 2) {
    if (order == DateOrder::DayMonthYear) {
      day = g.numbers[0], month = g.numbers[1];
    } else {
      month = g.numbers[0], day = g.numbers[1];
    }
    if (g.digits[0] > 2 || g.digits[1] > 2) return false;
  } else {
    std::size_t yearAt = 2, monthAt = 0, dayAt = 1;
    if (order == DateOrder::DayMonthYear) dayAt = 0, monthAt = 1;
    if (order == DateOrder::YearMonthDay) yearAt = 0, monthAt = 1, dayAt = 2;
    if (g.digits[monthAt] > 2 || g.digits[dayAt] > 2) return false;
    year = g.numbers[yearAt];
    yearDigits = g.digits[yearAt];
    month = g.numbers[monthAt];
    day = g.numbers[dayAt];
  }
  if (yearDigits <= 2) year += year < 30 ? 2000 : 1900;  // two-digit years: 1930-2029
  return month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

}  // namespace

DateOrder DateOrderOf(std::string_view pattern) {
  bool quoted = false;
  for (char c : pattern) {
    if (c == '\'') quoted = !quoted;
    if (quoted) continue;
    if (c == 'd') return DateOrder::DayMonthYear;
    if (c == 'M') return DateOrder::MonthDayYear;
    if (c == 'y') return DateOrder::YearMonthDay;
  }
  return DateOrder::MonthDayYear;
}

std::optional<ClockTime> ParseTimeText(std::string_view text, const RegionalSettings& settings) {
  std::vector<Item> items;
  if (!Scanner(text, settings).Scan(items)) return std::nullopt;

  std::vector<std::size_t> groups;
  std::vector<std::size_t> words;
  for (std::size_t i = 0; i < items.size(); ++i) (items[i].isGroup ? groups : words).push_back(i);
  if (groups.empty() || groups.size() > 2 || words.size() > 1) return std::nullopt;

  std::optional<Half> half;
  if (!words.empty()) {
    half = MatchDesignator(items[words[0]].word, settings);
    if (!half) return std::nullopt;
  }
  if (groups.size() == 1 && !half) {
    // Where the time and date separators are the same (Finnish "."), times write minutes and
    // seconds in two digits: "1.02.03" is a time, "1.2.24" and "1.2.2024" are dates.
    const Group& g = items[groups[0]].group;
    const bool timeFirst = g.numbers.size() < 3 || (g.digits[1] == 2 && g.digits[2] == 2);
    if (timeFirst) {
      if (auto time = ReadTime(g, std::nullopt, settings)) return time;
    }
    if (IsDate(g, settings)) return ClockTime{0, 0};
    return timeFirst ? std::nullopt : ReadTime(g, std::nullopt, settings);
  }
  // With two groups one is the date, either one; a designator stands next to its time.
  for (std::size_t timeAt : groups) {
    if (half && timeAt + 1 != words[0] && words[0] + 1 != timeAt) continue;
    const auto time = ReadTime(items[timeAt].group, half, settings);
    if (!time) continue;
    if (groups.size() == 1) return time;
    const std::size_t dateAt = timeAt == groups[0] ? groups[1] : groups[0];
    if (IsDate(items[dateAt].group, settings)) return time;
  }
  return std::nullopt;
}

bool DesignatorsTellHalves(const RegionalSettings& settings) {
  for (const std::string* designator : {&settings.amDesignator, &settings.pmDesignator}) {
    if (std::any_of(designator->begin(), designator->end(), IsDigit)) return false;
  }
  return MatchDesignator(settings.amDesignator, settings) == Half::Morning &&
         MatchDesignator(settings.pmDesignator, settings) == Half::Afternoon;
}

std::string FormatShutdownTime(ClockTime time, const RegionalSettings& settings) {
  const std::string sep = IsUsableSeparator(settings.timeSeparator) ? settings.timeSeparator : ":";
  auto twoDigits = [](int n) { return std::string{static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)}; };
  if (!DesignatorsTellHalves(settings)) return twoDigits(time.hour) + sep + twoDigits(time.minute);
  const int hour12 = time.hour % 12 == 0 ? 12 : time.hour % 12;
  const std::string& designator = time.hour < 12 ? settings.amDesignator : settings.pmDesignator;
  return twoDigits(hour12) + sep + twoDigits(time.minute) + " " + designator;
}

ClockTime DefaultShutdownTime(ClockTime now) { return ClockTime{(now.hour + 1) % 24, now.minute}; }

long long MinuteNumber(const LocalDateTime& moment) {
  // Days from the civil date (proleptic Gregorian), counted in 400-year eras of 146097 days.
  const long long year = moment.year - (moment.month <= 2 ? 1 : 0);
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const long long yearOfEra = year - era * 400;
  const long long dayOfYear = (153 * (moment.month + (moment.month > 2 ? -3 : 9)) + 2) / 5 + moment.day - 1;
  const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  const long long days = era * 146097 + dayOfEra - 719468;
  return days * 1440 + moment.time.hour * 60 + moment.time.minute;
}

long long NextOccurrence(long long from, ClockTime time) {
  const long long dayStart = from - ((from % 1440) + 1440) % 1440;
  const long long sameDay = dayStart + time.hour * 60 + time.minute;
  return sameDay >= from ? sameDay : sameDay + 1440;
}
