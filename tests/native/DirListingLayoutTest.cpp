// The listing file's columns, wraps and totals against hand-laid-out text, and its date text at the
// 12-hour clock's edges.
#include <gtest/gtest.h>

#include "shell/DirListingLayout.h"
#include "shell/FileInfoText.h"

namespace {
const std::string kDate = "03-07-02 02:05p";
ListingEntry File(std::string shortName, uint64_t size, std::string n) { return {n, shortName, false, size, kDate}; }
ListingEntry Dir(std::string shortName, std::string n) { return {n, shortName, true, 0, kDate}; }
}  // namespace

TEST(DirListingLayout, EntryLinesFollowTheColumnRules) {
  const std::pair<ListingEntry, std::string> cases[] = {
      {File("ABCDEFGHI.TXT", 0, "ABCDEFGHI.TXT"), "ABCDEFGHI.TXT            0  03-07-02 02:05p ABCDEFGHI.TXT\r\n"},
      // A short name of 14 or more characters puts the other fields on a second line.
      {File("ABCDEFGHIJ.TXT", 42, "A LONG NAME.TXT"),
       "ABCDEFGHIJ.TXT\r\n                        42  03-07-02 02:05p A LONG NAME.TXT\r\n"},
      {File("TEN.DAT", 10000000000ULL, "TEN.DAT"), "TEN.DAT      10,000,000,000 03-07-02 02:05p TEN.DAT\r\n"},
      {Dir("ABCDEFGHIJKLMNOPQRS", "Y"), "ABCDEFGHIJKLMNO<DIR>        03-07-02 02:05p Y\r\n"},  // cut to 15
  };
  for (const auto& [entry, expected] : cases) {
    std::string out;
    ListingText(",").AppendEntry(out, entry);
    EXPECT_EQ(out, expected);
  }
}

TEST(DirListingLayout, WholeListingCountsAndSumsBeyondFourGigabytes) {
  ListingText text(".");
  std::string out;
  ListingText::AppendHeader(out, "C:\\DATA\\");
  text.AppendEntry(out, Dir("SUB", "SUB"));
  text.AppendEntry(out, File("A.BIN", 3000000000ULL, "A.BIN"));
  text.AppendEntry(out, File("B.BIN", 2000000000ULL, "B.BIN"));
  text.AppendTotals(out);
  EXPECT_EQ(out,
            "Directory of C:\\DATA\\\r\n\r\n"
            "SUB            <DIR>        03-07-02 02:05p SUB\r\n"
            "A.BIN        3.000.000.000  03-07-02 02:05p A.BIN\r\n"
            "B.BIN        2.000.000.000  03-07-02 02:05p B.BIN\r\n"
            "\r\n2 file(s) 5.000.000.000 bytes\r\n1 dir(s) \r\n");
}

TEST(DirListingLayout, DateUsesTwelveHourClockWithLowerCaseMarker) {
  EXPECT_EQ(FormatFileDate(2002, 3, 7, 0, 30), "03-07-02 12:30a");
  EXPECT_EQ(FormatFileDate(1999, 12, 31, 12, 0), "12-31-99 12:00p");
}
