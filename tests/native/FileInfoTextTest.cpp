// The listing's date text at the 12-hour clock's edges (the size column is checked in DirListingLayoutTest).
#include <gtest/gtest.h>

#include "shell/FileInfoText.h"

TEST(FileInfoText, DateUsesTwelveHourClockWithLowerCaseMarker) {
  EXPECT_EQ(FormatFileDate(2002, 3, 7, 0, 30), "03-07-02 12:30a");
  EXPECT_EQ(FormatFileDate(1999, 12, 31, 12, 0), "12-31-99 12:00p");
}
