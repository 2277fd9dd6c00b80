// The GUI driver itself, proved on a throw-away window before it tests OKU.
#include <gtest/gtest.h>

#include "driver/Driver.h"

using namespace driver;

TEST(Driver, ReadsAndDrivesEveryKindOfControl) {
  Program target = Program::Start("driver_target.exe");
  ASSERT_NE(target.pid(), 0u);
  HWND window = WaitTopWindow(target.pid(), "Driver Target");
  ASSERT_NE(window, nullptr) << "the target window did not appear";

  EXPECT_EQ(GetText(Control(window, 101)), "initial");
  SetText(Control(window, 101), "typed by the driver");
  EXPECT_EQ(GetText(Control(window, 101)), "typed by the driver");

  EXPECT_EQ(ComboItems(Control(window, 103)), (std::vector<std::string>{"alpha", "beta & gamma"}));
  EXPECT_EQ(ComboIndex(Control(window, 103)), 1);

  const auto rows = ListViewRows(Control(window, 104), 2);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"first", "1"}));
  EXPECT_EQ(rows[1], (std::vector<std::string>{"  second  ", ""}));
  EXPECT_EQ(ListViewColumnTitle(Control(window, 104), 1), "Value");

  EXPECT_FALSE(IsChecked(Control(window, 105)));
  EXPECT_TRUE(IsChecked(Control(window, 106)));
  EXPECT_FALSE(IsEnabled(Control(window, 107)));
  EXPECT_TRUE(IsEnabled(Control(window, 102)));

  Click(Control(window, 102));
  MessageBoxInfo box = WaitMessageBox(target.pid());
  ASSERT_NE(box.hwnd, nullptr) << "no message box";
  EXPECT_EQ(box.caption, "Target says");
  EXPECT_EQ(box.text, "You typed: typed by the driver");
  EXPECT_EQ(box.buttons, (std::vector<std::string>{"&Yes", "&No"}));
  EXPECT_TRUE(Answer(box, "No"));
  EXPECT_EQ(FindMessageBox(target.pid()), nullptr);

  const std::string shot = MakeTempDir("oku-shot") + "\\screen.bmp";
  EXPECT_TRUE(Screenshot(shot));
  WIN32_FILE_ATTRIBUTE_DATA attributes{};
  ASSERT_TRUE(GetFileAttributesExA(shot.c_str(), GetFileExInfoStandard, &attributes));
  EXPECT_GT(attributes.nFileSizeLow, 100000u);
  RemoveTree(shot.substr(0, shot.rfind('\\')));

  target.Kill();
  EXPECT_FALSE(target.Running());
}
