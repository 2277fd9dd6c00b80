// The exit options and the frame's armed/disarmed model: the state table, the tray entry, and a
// matching tick that acts once.
#include <gtest/gtest.h>

#include "platform/Failure.h"
#include "shutdown/ShutdownOptions.h"

namespace {
const RegionalSettings kEnglish{};
const RegionalSettings kNoDesignators{"", "", ":", "d.M.yyyy", "."};
// Options, cmdAct, cmdDeAct, txtTime, mnuRem and mnuSep6, Timer1.
constexpr FrameControls kDisarmed{true, true, false, true, false, false};
constexpr FrameControls kArmed{false, false, true, false, true, true};
constexpr FrameControls kArmedAfterFiring{false, false, true, false, true, false};
}  // namespace

TEST(ShutdownOptions, OptionsCarryTheirFlagsAndTrayCaption) {
  const unsigned expectedFlags[] = {13, 1, 5, 7, 0};
  for (int i = 0; i < kExitOptionCount; ++i) EXPECT_EQ(ExitOptionAt(i).flags, expectedFlags[i]) << i;
  EXPECT_EQ(ReminderCaption(3, {22, 30}, kEnglish), "Re&boot at 10:30 PM");
  EXPECT_EQ(ReminderCaption(0, {0, 5}, kEnglish), "&Shutdown && Powerdown at 12:05 AM");
  EXPECT_EQ(ReminderCaption(4, {22, 30}, kNoDesignators), "&Log Off at 22:30");
  EXPECT_THROW(ExitOptionAt(5), Failure);
  EXPECT_THROW(ExitOptionAt(-1), Failure);
}

TEST(ShutdownOptions, ArmingLocksTheFrameAndDisarmingFreesIt) {
  ShutdownTimer timer;
  EXPECT_EQ(timer.Controls(), kDisarmed);
  ASSERT_TRUE(timer.SelectOption(3));
  for (const char* invalid : {"", "25:00", "soon"}) EXPECT_FALSE(timer.Arm(invalid, kEnglish)) << invalid;
  EXPECT_EQ(timer.Controls(), kDisarmed);

  ASSERT_TRUE(timer.Arm("22:30", kEnglish));
  EXPECT_EQ(timer.Controls(), kArmed);
  EXPECT_EQ(timer.Reminder(), "Re&boot at 10:30 PM");
  EXPECT_FALSE(timer.SelectOption(0));  // locked while armed
  EXPECT_EQ(timer.ExitFlags(), 7u);

  timer.Disarm();
  EXPECT_EQ(timer.Controls(), kDisarmed);
  EXPECT_EQ(timer.Reminder(), "");
  EXPECT_THROW(timer.SelectOption(7), Failure);
  EXPECT_TRUE(timer.SelectOption(1));
  EXPECT_EQ(timer.ExitOption(), 1);

  // The defaults of start-up and Refresh disarm, select option 0 and put an hour from now in the box.
  ASSERT_TRUE(timer.Arm("22:30", kEnglish));
  EXPECT_EQ(timer.ResetDefaults({23, 10}, kEnglish), "12:10 AM");
  EXPECT_EQ(timer.Controls(), kDisarmed);
  EXPECT_EQ(timer.ExitOption(), 0);
  EXPECT_EQ(timer.ResetDefaults({11, 0}, kNoDesignators), "12:00");
}

TEST(ShutdownOptions, MatchingMinuteFiresOnceUntilArmedAgain) {
  ShutdownTimer timer;
  EXPECT_FALSE(timer.Tick({22, 30}));  // disarmed: nothing
  ASSERT_TRUE(timer.Arm("10:30 PM", kEnglish));
  EXPECT_FALSE(timer.Tick({22, 29}));
  EXPECT_FALSE(timer.Tick({10, 30}));
  EXPECT_TRUE(timer.Tick({22, 30}));
  EXPECT_FALSE(timer.Tick({22, 30}));  // a second tick of the same minute does nothing
  EXPECT_EQ(timer.Controls(), kArmedAfterFiring);

  timer.Disarm();  // as after a refused request
  ASSERT_TRUE(timer.Arm("10:30 PM", kEnglish));
  EXPECT_TRUE(timer.Tick({22, 30}));
}
