// The listing file's columns, wraps and totals against hand-laid-out text.
#include <gtest/gtest.h>

#include "shell/DirListingLayout.h"

namespace {

const std::string kDate = "03-07-02 02:05p";

ListingEntry File(std::string shortName, uint64_t size, std::string name) {
  return {std::move(name), std::move(shortName), false, size, kDate};
}

ListingEntry Dir(std::string shortName, std::string name) { return {std::move(name), std::move(shortName), true, 0, kDate}; }

std::string Lines(const ListingEntry& entry) {
  ListingText text(",");
  std::string out;
  text.AppendEntry(out, entry);
  return out;
}

}  // namespace

TEST(DirListingLayout, EntryLinesFollowTheColumnRules) {
  struct Case {
    const char* what;
    ListingEntry entry;
    std::string expected;
  };
  const Case cases[] = {
      {"file, short name padded to 13", File("README.TXT", 1234567, "README.TXT"),
       "README.TXT       1,234,567  03-07-02 02:05p README.TXT\r\n"},
      {"file, 13-character short name", File("ABCDEFGHI.TXT", 0, "ABCDEFGHI.TXT"),
       "ABCDEFGHI.TXT            0  03-07-02 02:05p ABCDEFGHI.TXT\r\n"},
      {"file, 14-character short name wraps its fields", File("ABCDEFGHIJ.TXT", 42, "A LONG NAME.TXT"),
       "ABCDEFGHIJ.TXT\r\n"
       "                        42  03-07-02 02:05p A LONG NAME.TXT\r\n"},
      {"file, no short name", File("", 7, "X.TXT"), "                         7  03-07-02 02:05p X.TXT\r\n"},
      {"file, 14-column size leaves one blank", File("TEN.DAT", 10000000000ULL, "TEN.DAT"),
       "TEN.DAT      10,000,000,000 03-07-02 02:05p TEN.DAT\r\n"},
      {"file, 15-column size ends right before the date", File("BIG.DAT", 100000000000ULL, "BIG.DAT"),
       "BIG.DAT      100,000,000,00003-07-02 02:05p BIG.DAT\r\n"},
      {"file, 17-column size pushes the date to a new line", File("HUGE.DAT", 1000000000000ULL, "HUGE.DAT"),
       "HUGE.DAT     1,000,000,000,000\r\n"
       "                            03-07-02 02:05p HUGE.DAT\r\n"},
      {"directory, short name padded to 15", Dir("PROGRA~1", "PROGRAM FILES"),
       "PROGRA~1       <DIR>        03-07-02 02:05p PROGRAM FILES\r\n"},
      {"directory, short name of exactly 15", Dir("ABCDEFGHIJKLMNO", "X"),
       "ABCDEFGHIJKLMNO<DIR>        03-07-02 02:05p X\r\n"},
      {"directory, long short name cut to 15", Dir("ABCDEFGHIJKLMNOPQRS", "Y"),
       "ABCDEFGHIJKLMNO<DIR>        03-07-02 02:05p Y\r\n"},
      {"directory, no short name", Dir("", "Z"), "               <DIR>        03-07-02 02:05p Z\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(Lines(c.entry), c.expected) << c.what;
}

TEST(DirListingLayout, WholeListingCountsAndSumsBeyondFourGigabytes) {
  ListingText text(",");
  std::string out;
  ListingText::AppendHeader(out, "C:\\DATA\\");
  text.AppendEntry(out, File("DIR_CO~1.TXT", 29, "DIR_CONTENTS.TXT"));
  text.AppendEntry(out, Dir("SUB", "SUB"));
  text.AppendEntry(out, File("A.BIN", 3000000000ULL, "A.BIN"));
  text.AppendEntry(out, File("B.BIN", 2000000000ULL, "B.BIN"));
  text.AppendTotals(out);
  EXPECT_EQ(out,
            "Directory of C:\\DATA\\\r\n"
            "\r\n"
            "DIR_CO~1.TXT            29  03-07-02 02:05p DIR_CONTENTS.TXT\r\n"
            "SUB            <DIR>        03-07-02 02:05p SUB\r\n"
            "A.BIN        3,000,000,000  03-07-02 02:05p A.BIN\r\n"
            "B.BIN        2,000,000,000  03-07-02 02:05p B.BIN\r\n"
            "\r\n"
            "3 file(s) 5,000,000,029 bytes\r\n"
            "1 dir(s) \r\n");
  EXPECT_EQ(text.FileCount(), 3u);
  EXPECT_EQ(text.DirCount(), 1u);
  EXPECT_EQ(text.ByteTotal(), 5000000029ULL);
}

TEST(DirListingLayout, TotalsUseTheGivenSeparator) {
  struct Case {
    std::string separator;
    std::string expected;
  };
  const Case cases[] = {
      {".", "\r\n1.001 file(s) 1.234.567.000 bytes\r\n1.000 dir(s) \r\n"},
      {"", "\r\n1001 file(s) 1234567000 bytes\r\n1000 dir(s) \r\n"},
      {"\xA0", "\r\n1\xA0" "001 file(s) 1\xA0" "234\xA0" "567\xA0" "000 bytes\r\n1\xA0" "000 dir(s) \r\n"},
  };
  for (const Case& c : cases) {
    ListingText text(c.separator);
    std::string scratch;
    for (int i = 0; i < 1000; ++i) text.AppendEntry(scratch, Dir("D", "D"));
    for (int i = 0; i < 1000; ++i) text.AppendEntry(scratch, File("F", 1234567, "F"));
    text.AppendEntry(scratch, File("F", 0, "F"));
    std::string out;
    text.AppendTotals(out);
    EXPECT_EQ(out, c.expected) << "separator '" << c.separator << "'";
  }
}
