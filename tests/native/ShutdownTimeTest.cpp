// The shutdown time under several regional settings: what the time box accepts, the "hh:mm AMPM"
// text at the day's edges, and an armed timer that acts once, comparing hours and minutes as numbers.
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

TEST(ShutdownTime, FormatsTwelveHourClockOrTwentyFourWithoutDesignators) {
  const RegionalSettings morningOnly{"AM", "", ":", "M/d/yyyy", "/"};
  const std::pair<const RegionalSettings*, std::vector<std::string>> table[] = {
      // 0:05, 9:05, 12:00, 22:30
      {&kEnglish, {"12:05 AM", "09:05 AM", "12:00 PM", "10:30 PM"}},
      {&kGerman, {"00:05", "09:05", "12:00", "22:30"}},
      {&morningOnly, {"12:05 AM", "09:05 AM", "12:00", "10:30"}},
  };
  const ClockTime times[] = {{0, 5}, {9, 5}, {12, 0}, {22, 30}};
  for (const auto& [settings, expected] : table) {
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(FormatShutdownTime(times[i], *settings), expected[i]);
  }
}

TEST(ShutdownOptions, MatchingMinuteFiresOnceUntilArmedAgain) {
  ShutdownTimer timer;
  EXPECT_FALSE(timer.Tick({22, 30}));  // disarmed: nothing
  ASSERT_TRUE(timer.SelectOption(3));
  ASSERT_TRUE(timer.Arm("22:30", kEnglish));
  EXPECT_EQ(timer.Reminder(), "Re&boot at 10:30 PM");
  EXPECT_FALSE(timer.Tick({10, 30}));
  EXPECT_TRUE(timer.Tick({22, 30}));
  EXPECT_FALSE(timer.Tick({22, 30}));  // a second tick of the same minute does nothing
  EXPECT_FALSE(timer.Controls().timerRunning);

  timer.Disarm();                            // as after a refused request
  ASSERT_TRUE(timer.Arm("10:30", kGerman));  // no designators: the morning, never 22:30
  EXPECT_FALSE(timer.Tick({22, 30}));
  EXPECT_TRUE(timer.Tick({10, 30}));
}

}  // namespace
