// Date and size texts: the 12-hour clock's edges and the 13-column size that never loses digits.
#include <gtest/gtest.h>

#include "shell/FileInfoText.h"

TEST(FileInfoText, DateUsesTwelveHourClockWithLowerCaseMarker) {
  EXPECT_EQ(FormatFileDate(2002, 3, 7, 0, 30), "03-07-02 12:30a");
  EXPECT_EQ(FormatFileDate(1999, 12, 31, 12, 0), "12-31-99 12:00p");
}

TEST(FileInfoText, SizeIsRightAlignedInThirteenColumnsAndKeepsEveryDigit) {
  EXPECT_EQ(FormatSizeText(1234567, ","), "    1,234,567");
  EXPECT_EQ(FormatSizeText(12345678901ULL, ","), "12,345,678,901");
}
