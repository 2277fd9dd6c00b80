// The shutdown time under several regional settings: what the time box accepts, the "hh:mm AMPM"
// text at the day's edges (24-hour where the designators cannot tell the halves of the day), and
// an armed timer that acts once, at the first tick at or after the armed time's next occurrence.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "shutdown/ShutdownOptions.h"

namespace {

const RegionalSettings kEnglish{};  // AM/PM, ":", M/d/yyyy, "/"
const RegionalSettings kGerman{"", "", ":", "dd.MM.yyyy", "."};

// "h:mm" of an accepted time, "-" for a refused text.
std::string Show(const std::optional<ClockTime>& t) {
  return t ? std::to_string(t->hour) + (t->minute < 10 ? ":0" : ":") + std::to_string(t->minute) : "-";
}

LocalDateTime At(int year, int month, int day, int hour, int minute) { return {year, month, day, {hour, minute}}; }

TEST(ShutdownTime, ParsesWhatUsersTypeByTheirSettings) {
  // clang-format off
  const std::pair<const RegionalSettings*, std::vector<std::pair<std::string, std::string>>> table[] = {
      {&kEnglish,
       {{"10:30 PM", "22:30"}, {"22:30", "22:30"}, {"10:30pm", "22:30"}, {"12:00 AM", "0:00"}, {"12:00 PM", "12:00"},
        {"12/31/2024 10:30 PM", "22:30"}, {"12/31/2024", "0:00"}, {"", "-"}, {"24:00", "-"}, {"13:00 PM", "-"},
        {"10:30 PM junk", "-"}, {"10.30", "-"}, {"2/30/2024", "-"}}},
      {&kGerman, {{"22:30", "22:30"}, {"10:30", "10:30"}, {"10:30 PM", "22:30"}, {"31.12.2024", "0:00"}}},
  };
  // clang-format on
  for (const auto& [settings, cases] : table) {
    for (const auto& [text, expected] : cases) EXPECT_EQ(Show(ParseTimeText(text, *settings)), expected) << text;
  }
}

TEST(ShutdownTime, TwelveHourTextOnlyWhereTheDesignatorsTellTheHalvesApart) {
  auto with = [](const char* am, const char* pm) { return RegionalSettings{am, pm, ":", "M/d/yyyy", "/"}; };
  const std::vector<std::string> twentyFour = {"00:05", "09:05", "12:00", "22:30"};
  // clang-format off
  const std::pair<RegionalSettings, std::vector<std::string>> table[] = {
      {kEnglish, {"12:05 AM", "09:05 AM", "12:00 PM", "10:30 PM"}},
      {with("a.?m.", "p.?m."), {"12:05 a.?m.", "09:05 a.?m.", "12:00 p.?m.", "10:30 p.?m."}},  // a "?" inside is read past
      {kGerman, twentyFour},
      {with("AM", ""), twentyFour},       // "10:30" would read back as the morning
      {with("", "PM"), twentyFour},
      {with("a.m.", "AM"), twentyFour},   // the same once dots and case are dropped
      {with("??", "???"), twentyFour},    // designators the ANSI code page cannot show
      {with("1", "2"), twentyFour},       // digits would be read as part of the time
  };
  // clang-format on
  const ClockTime times[] = {{0, 5}, {9, 5}, {12, 0}, {22, 30}};
  for (const auto& [settings, expected] : table) {
    for (std::size_t i = 0; i < expected.size(); ++i) {
      const std::string text = FormatShutdownTime(times[i], settings);
      EXPECT_EQ(text, expected[i]);
      EXPECT_EQ(ParseTimeText(text, settings), times[i]) << text;
    }
  }
  EXPECT_EQ(ReminderCaption(3, {22, 30}, with("AM", "")), "Re&boot at 22:30");  // the tray entry follows
}

TEST(ShutdownOptions, ActsOnceAtTheFirstTickAtOrAfterTheNextOccurrenceOfTheArmedTime) {
  struct Tick {
    LocalDateTime now;
    bool acts;
  };
  // clang-format off
  const struct {
    LocalDateTime armedAt;
    const char* time;
    std::vector<Tick> ticks;
  } cases[] = {
      // The current minute is still to come; a tick held back (a busy handler, sleep) acts late.
      {At(2026, 5, 4, 10, 30), "10:30", {{At(2026, 5, 4, 10, 30), true}, {At(2026, 5, 4, 10, 30), false}}},
      {At(2026, 5, 4, 10, 0), "10:30", {{At(2026, 5, 4, 10, 29), false}, {At(2026, 5, 4, 13, 5), true}}},
      // A time already past today means tomorrow, never a day late; across year and leap-day ends.
      {At(2026, 5, 4, 10, 31), "10:30", {{At(2026, 5, 4, 23, 59), false}, {At(2026, 5, 5, 10, 29), false},
                                         {At(2026, 5, 5, 10, 30), true}}},
      {At(2026, 12, 31, 23, 50), "00:10", {{At(2026, 12, 31, 23, 59), false}, {At(2027, 1, 1, 0, 11), true}}},
      {At(2024, 2, 28, 23, 0), "22:00", {{At(2024, 2, 29, 21, 59), false}, {At(2024, 3, 1, 0, 0), true}}},
      // A clock set back before the moment of arming counts from the new clock.
      {At(2026, 5, 4, 10, 0), "10:30", {{At(2026, 5, 3, 9, 0), false}, {At(2026, 5, 3, 10, 30), true}}},
  };
  // clang-format on
  for (const auto& c : cases) {
    ShutdownTimer timer;
    ASSERT_TRUE(timer.Arm(c.time, kEnglish, c.armedAt));
    for (const Tick& tick : c.ticks) {
      EXPECT_EQ(timer.Tick(tick.now), tick.acts) << c.time << " at " << tick.now.day << " " << Show(tick.now.time);
    }
    EXPECT_FALSE(timer.Controls().timerRunning);
  }
}

}  // namespace
