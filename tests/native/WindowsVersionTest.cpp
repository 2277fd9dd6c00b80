// Version classification: the table's boundaries, the flags and the display texts.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "app/WindowsVersion.h"

namespace {

VersionRecord Record(uint32_t platform, uint32_t major, uint32_t minor, uint32_t build, const char* csd = "",
                     uint8_t productType = 0, uint16_t suite = 0, uint16_t spMajor = 0, uint16_t spMinor = 0) {
  VersionRecord r{true, platform, major, minor, build, {}, spMajor, spMinor, suite, productType};  // field order
  r.csd.fill(' ');
  std::memcpy(r.csd.data(), csd, std::strlen(csd) + 1);  // text, NUL, then blanks
  return r;
}

// A record whose CSD field holds no NUL at all.
VersionRecord Undelimited(VersionRecord r) { return r.csd.fill('x'), r; }

TEST(WindowsVersion, ClassifiesEveryRowOfTheTable) {
  using enum OsKind;
  const struct {
    VersionRecord record;
    OsKind kind;
    bool nt, xp, me;
    const char* display;
  } cases[] = {
      {Record(1, 4, 0, 950), Win95, false, false, false, "Windows 95 (4.0.950 No Service Pack Installed)"},
      {Record(1, 4, 10, 2221), Win98, false, false, false, "Windows 98 (4.10.2221 No Service Pack Installed)"},
      {Record(1, 4, 10, 0x040A08AE, " A "), Win98SE, false, false, false, "Windows 98 Second Edition (4.10.2222 A)"},
      {Record(1, 4, 90, 3000, " "), WinMe, false, false, true, "Windows Me (4.90.3000 No Service Pack Installed)"},
      {Record(2, 3, 51, 1057), WinNT, true, false, false, "Windows NT (3.51.1057 No Service Pack Installed)"},
      {Record(2, 4, 0, 1381, "Service Pack 6a", 1, 0, 6, 0), WinNT, true, false, false,
       "Windows NT (4.0.1381 Service Pack 6a v6.0)"},
      {Record(2, 5, 0, 2195), Win2000, true, false, false, "Windows 2000 (5.0.2195 No Service Pack Installed)"},
      {Record(2, 5, 1, 2600, "Service Pack 1", 1, 0x0300, 1, 0), WinXPHome, true, true, false,
       "Windows XP Home (5.1.2600 Service Pack 1 v1.0)"},
      {Record(2, 5, 1, 2600, "Service Pack 1", 1, 0x0100, 1, 0), WinXPPro, true, true, false,
       "Windows XP Pro (5.1.2600 Service Pack 1 v1.0)"},
      {Record(2, 5, 1, 3000, "", 3, 0x0002), WinNetEnterpriseServer, true, true, false,
       "Windows .NET Enterprise Server (5.1.3000 No Service Pack Installed)"},
      {Record(2, 5, 1, 3000, "", 2, 0x0200), WinNetServer, true, true, false,
       "Windows .NET Server (5.1.3000 No Service Pack Installed)"},
      {Record(2, 5, 2, 3790, "Service Pack 2", 3, 0, 2, 0), Unrecognised, true, false, false, "?? (5.2.3790 v)"},
      {Record(2, 6, 0, 6000), Unrecognised, true, false, false, "?? (6.0.6000 v)"},
      {Record(1, 4, 3, 1), Unrecognised, false, false, false, "?? (4.3.1 v)"},
      {Record(1, 5, 0, 1), Unrecognised, false, false, false, "?? (5.0.1 v)"},
      {Record(0, 4, 0, 1), Unrecognised, false, false, false, "?? (4.0.1 v)"},
      {Record(3, 5, 1, 1), Unrecognised, false, false, false, "?? (5.1.1 v)"},
      // An undelimited CSD ends unrecognised but keeps the flags; a failed query is unknown.
      {Undelimited(Record(2, 5, 1, 2600, "", 1, 0x0200)), Unrecognised, true, true, false, "?? (5.1.2600 v)"},
      {VersionRecord{}, Unknown, false, false, false, "Microsoft Windows (Unknown) (0.0.0 )"},
  };
  for (const auto& c : cases) {
    const WindowsVersion v = ClassifyWindowsVersion(c.record);
    EXPECT_EQ(std::tuple(v.kind, v.IsNT, v.IsXP, v.IsMe, v.DisplayText()),
              std::tuple(c.kind, c.nt, c.xp, c.me, std::string(c.display)));
  }
}

TEST(WindowsVersion, ServicePackTextIsCleaned) {
  auto field = [](std::string s) { return s.resize(128, ' '), s; };
  for (const auto& [csd, expected] : {std::pair{std::string(1, '\0'), "No Service Pack Installed"},
                                      {std::string("  C\0", 4), "C"},
                                      {std::string(" A \0", 4), "A"}}) {
    std::string text;
    EXPECT_TRUE(GetServicePackText(field(csd), text) && text == expected) << text;
  }
  std::string text;
  EXPECT_FALSE(GetServicePackText(field(""), text)) << "128 blanks hold no NUL";
}

}  // namespace
