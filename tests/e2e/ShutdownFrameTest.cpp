// The "Auto Shut Down" frame of the real program: defaults, arming, disarming, Refresh, bad times.
// No test here lets a minute match: a matching tick would end the prefix's session.
#include <gtest/gtest.h>

#include <cstdio>

#include "app/frmOKUIds.h"
#include "driver/BoxesAndKeys.h"
#include "driver/Driver.h"

using namespace driver;

namespace {

// "hh:mm AM" for a time, with the English designators this prefix uses.
std::string Twelve(int hour, int minute) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d %s", hour % 12 == 0 ? 12 : hour % 12, minute, hour < 12 ? "AM" : "PM");
  return text;
}

// The default a start or Refresh puts in txtTime: now plus one hour (either side of a minute turn).
bool IsDefaultTime(const std::string& text) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  const int minutes = (now.wHour + 1) % 24 * 60 + now.wMinute;
  for (int delta : {-1, 0, 1}) {
    const int m = (minutes + delta + 1440) % 1440;
    if (text == Twelve(m / 60, m % 60)) return true;
  }
  return false;
}

// A time of day safely away from now, so that arming never fires.
std::pair<std::string, std::string> FarTime() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now.wHour == 22 ? std::pair{std::string("04:15"), Twelve(4, 15)}
                         : std::pair{std::string("22:30"), Twelve(22, 30)};
}

class ShutdownFrame : public testing::Test {
 protected:
  void SetUp() override {
    window = StartOku(oku, "OKU_test.exe");
    ASSERT_NE(window, nullptr);
  }
  HWND Item(int id) const { return Control(window, id); }
  // Options 0-4, the time box, Activate and Deactivate, each "1" when enabled ("11111110": disarmed).
  std::string Enabled() const {
    std::string enabled;
    for (int id = IDO_OKU_EXIT_OPTION0; id <= IDO_OKU_EXIT_OPTION4; ++id) enabled += IsEnabled(Item(id)) ? "1" : "0";
    for (int id : {IDE_OKU_SHUTDOWN_TIME, IDB_OKU_ACTIVATE, IDB_OKU_DEACTIVATE})
      enabled += IsEnabled(Item(id)) ? "1" : "0";
    return enabled;
  }
  void ExpectDisarmedDefaults() {
    for (int i = 0; i < 5; ++i) EXPECT_EQ(IsChecked(Item(IDO_OKU_EXIT_OPTION0 + i)), i == 0) << "option " << i;
    EXPECT_TRUE(IsDefaultTime(GetText(Item(IDE_OKU_SHUTDOWN_TIME)))) << GetText(Item(IDE_OKU_SHUTDOWN_TIME));
    EXPECT_EQ(Enabled(), "11111110");
    EXPECT_EQ(DumpMenus(window).find(" at "), std::string::npos) << "no shutdown entry while disarmed";
  }
  void Arm(int option, const std::string& time) {
    Click(Item(IDO_OKU_EXIT_OPTION0 + option));
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(Item(IDO_OKU_EXIT_OPTION0 + option)); }));
    SetText(Item(IDE_OKU_SHUTDOWN_TIME), time);
    Click(Item(IDB_OKU_ACTIVATE));
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(Item(IDB_OKU_DEACTIVATE)); })) << "not armed";
  }
  Program oku;
  HWND window = nullptr;
};

}  // namespace

// A start's defaults (option 0, an hour from now); arming locks the frame and names the action in
// the icon menu; disarming keeps the option; Refresh while armed disarms and restores the defaults.
TEST_F(ShutdownFrame, ArmingLocksTheFrameRefreshRestoresTheDefaultsAndBadTimesAreRefused) {
  ExpectDisarmedDefaults();
  const auto [typed, shown] = FarTime();
  Arm(3, typed);
  EXPECT_EQ(Enabled(), "00000001");
  EXPECT_EQ(GetText(Item(IDE_OKU_SHUTDOWN_TIME)), typed) << "the box keeps the text as typed";
  const std::string menus = DumpMenus(window);
  EXPECT_NE(menus.find("[pop-up]\nRe&boot at " + shown + "\n-\n&Restore [default]\n"), std::string::npos) << menus;

  Click(Item(IDB_OKU_DEACTIVATE));
  ASSERT_TRUE(WaitUntil([&] { return IsEnabled(Item(IDB_OKU_ACTIVATE)); }));
  EXPECT_EQ(Enabled(), "11111110");
  EXPECT_TRUE(IsChecked(Item(IDO_OKU_EXIT_OPTION0 + 3))) << "disarming keeps the chosen option";
  EXPECT_EQ(DumpMenus(window).find(" at "), std::string::npos);

  Arm(4, typed);
  Click(Item(IDB_OKU_REFRESH));
  ASSERT_TRUE(WaitUntil([&] { return IsEnabled(Item(IDB_OKU_ACTIVATE)); }));
  ExpectDisarmedDefaults();

  // An invalid time is refused with the focus on it and the frame stays disarmed.
  for (const char* bad : {"", "half past ten", "25:00"}) {
    SCOPED_TRACE(bad);
    SetText(Item(IDE_OKU_SHUTDOWN_TIME), bad);
    Click(Item(IDB_OKU_ACTIVATE));
    ASSERT_EQ(TakeBox(oku.pid(), 16), "Error in Date/Time|Must enter a valid date/time.|16");
    EXPECT_TRUE(WaitUntil([&] { return FocusedControl(window) == Item(IDE_OKU_SHUTDOWN_TIME); }));
    EXPECT_EQ(Enabled(), "11111110");
    EXPECT_EQ(GetText(Item(IDE_OKU_SHUTDOWN_TIME)), bad);
  }
}
