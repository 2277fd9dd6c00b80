// Date and size texts: the 12-hour clock's edges and the 13-column size that never loses digits.
#include <gtest/gtest.h>

#include "shell/FileInfoText.h"

TEST(FileInfoText, DateUsesTwelveHourClockWithLowerCaseMarker) {
  EXPECT_EQ(FormatFileDate(2002, 3, 7, 14, 5), "03-07-02 02:05p");
  EXPECT_EQ(FormatFileDate(2002, 3, 7, 0, 30), "03-07-02 12:30a");
  EXPECT_EQ(FormatFileDate(2002, 3, 7, 12, 0), "03-07-02 12:00p");
  EXPECT_EQ(FormatFileDate(1999, 12, 31, 23, 59), "12-31-99 11:59p");
  EXPECT_EQ(FormatFileDate(2000, 1, 1, 11, 59), "01-01-00 11:59a");
}

TEST(FileInfoText, SizeIsRightAlignedInThirteenColumns) {
  EXPECT_EQ(FormatSizeText(0, ","), std::string(12, ' ') + "0");
  EXPECT_EQ(FormatSizeText(1234567, ","), "    1,234,567");
  EXPECT_EQ(FormatSizeText(2147483647, ","), "2,147,483,647");
  EXPECT_EQ(FormatSizeText(999, "."), "          999");
  EXPECT_EQ(FormatSizeText(1000, "."), "        1.000");
  EXPECT_EQ(FormatSizeText(1000, ""), "         1000");
}

TEST(FileInfoText, LargeSizesKeepEveryDigit) {
  EXPECT_EQ(FormatSizeText(12345678901ULL, ","), "12,345,678,901");
  EXPECT_EQ(GroupThousands(18446744073709551615ULL, ","), "18,446,744,073,709,551,615");
  EXPECT_EQ(GroupThousands(1234, "\xA0"), "1\xA0" "234");
}
