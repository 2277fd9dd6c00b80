// The remote file layout: markers, payloads, release numbers, web addresses and the donation links
// file, including files as text editors and careless uploads leave them; and the About window's history.
#include <gtest/gtest.h>

#include <regex>

#include "BuildConfig.h"
#include "web/RemoteText.h"
#include "web/WebTexts.h"

namespace {

using web::ReleaseVersion;
using Opt = std::optional<std::string>;

TEST(RemoteText, TrimmedTextMarkerAndPayloadFromCharacterNine) {
  const struct {
    std::string_view raw, marker;
    Opt payload;
  } cases[] = {{"qln_ver\n1.3.9", "QLN_VER", "1.3.9"},
               {"QLN_VER1.4.0", "QLN_VER", ".4.0"},
               {"QLN_VER", "QLN_VER", ""},
               {" QLN_NWZ  news \r\n ", "QLN_NWZ", " news \r\n"},  // only spaces are trimmed
               {"\tQLN_VER 1.3.9", "QLN_VER", {}},
               {"QLN_VE", "QLN_VER", {}},
               {"QLN_NWZ 1.3.9", "QLN_VER", {}}};
  for (const auto& c : cases) EXPECT_EQ(web::MarkedPayload(TrimBlanks(c.raw), c.marker), c.payload) << c.raw;
}

TEST(RemoteText, VersionPayloadsAreThreeSigned16BitDecimals) {
  const std::pair<std::string_view, std::string_view> good[] = {{"010.0.0", "10.0.0"},
                                                                {"1.3.10\r\n", "1.3.10"},
                                                                {" 1 .\t3 . 10 \n", "1.3.10"},
                                                                {"1.3.10.beta.x", "1.3.10"},
                                                                {"32767.-32768.0", "32767.-32768.0"}};
  for (const auto& [payload, text] : good) {
    const std::optional<ReleaseVersion> v = web::ParseReleaseVersion(payload);
    EXPECT_EQ(v ? v->Text() : "(none)", text) << payload;
  }
  for (std::string_view bad : {"", "1.4", ".4.0", "1..3", "1.3.9a", "1.3.0x9", "1. 3 4.5", "32768.0.0", "0.-32769.0",
                               "0.0.65536", "99999999999999999999.0.0"}) {
    EXPECT_FALSE(web::ParseReleaseVersion(bad).has_value()) << '"' << bad << '"';
  }
}

TEST(RemoteText, NewerReleaseComparesSignedNumbersInOrder) {
  const ReleaseVersion own = web::OwnRelease();
  ASSERT_EQ(own, (ReleaseVersion{1, 3, 9}));
  const struct {
    ReleaseVersion web;
    bool newer;
  } cases[] = {{{1, 3, 10}, true},   {{1, 4, 0}, true},  {{2, 0, 0}, true},   {{32767, -32768, -32768}, true},
               {{1, 3, 9}, false},   {{0, 9, 9}, false}, {{1, 2, 99}, false}, {{-1, 99, 99}, false},
               {{1, -3, 99}, false}, {{1, 3, -9}, false}};
  for (const auto& c : cases) EXPECT_EQ(web::IsNewerRelease(c.web, own), c.newer) << c.web.Text();
}

// One clean web address or nothing; the built-in ones are https.
TEST(RemoteText, OnlyOneCleanWebAddressReachesTheShell) {
  EXPECT_EQ(web::ShellWebAddress("HTTPS://pay.example/x?a=1&b=%20#top"), Opt("HTTPS://pay.example/x?a=1&b=%20#top"));
  EXPECT_EQ(web::ShellWebAddress("http://www.quillon.example/OKU_setup.exe\r\n"),  // saved with CR LF
            Opt("http://www.quillon.example/OKU_setup.exe"));
  for (std::string_view refused :
       {"hTtP://", "http:///x", "https:/a", "file:///C:/Windows/notepad.exe", "C:\\Windows\\notepad.exe",
        "\\\\server\\share\\x.exe", "ftp://a", "", "http://a b", "http://a\r\nhttp://b", "http://a\x01",
        "http://a/\" --new-window file:///C:/", "http://a/'x'", "http://a/<x>", "http://a/\xe9"})
    EXPECT_EQ(web::ShellWebAddress(refused), Opt()) << refused;
  EXPECT_EQ(web::DownloadAddress("qln_dlf https://a/OKU.exe\r\n"), Opt("https://a/OKU.exe"));
  EXPECT_EQ(web::DownloadAddress("QLN_VER https://a/OKU.exe"), Opt());
  for (std::string_view builtIn : {build::kSiteUrl, build::kUpdateUrl}) {
    EXPECT_TRUE(builtIn.starts_with("https://") && web::ShellWebAddress(builtIn) == Opt(builtIn))
        << builtIn << " (an older CMake cache? cmake -U OKU_SITE_URL -U OKU_UPDATE_URL <build dir>)";
  }
}

TEST(RemoteText, DonationButtons) {
  constexpr std::string_view kSite = "http://www.quillon.example", kHost = "www.quillon.example";
  const std::string s(kSite), h(kHost);
  const struct {
    std::optional<std::string_view> file;
    bool fetched;
    std::array<std::string, 3> captions, links;
  } cases[] = {
      {"qln_don PayPal http://pay.example/q", true, {"PayPal", h, h}, {"http://pay.example/q", s, s}},
      {"QLN_DON A http://1 B http://2 C http://3 D http://4 E http://5 F http://6 G http://7",
       true,
       {"A", "B", "C"},
       {"http://1", "http://2", "http://3"}},
      // A line break is no separator; two separators make an empty word that counts in the order.
      {"QLN_DON Pay\r\nPal http://p", true, {"Pay\r\nPal", h, h}, {"http://p", s, s}},
      {"QLN_DON  A http://a", true, {"", "http://a", h}, {s, s, s}},
      {"QLN_DON A http://a B", true, {"A", "B", h}, {"http://a", s, s}},
      // A local program or a quoted extra is never opened: that button's link stays at the site.
      {"QLN_DON Run C:\\Windows\\notepad.exe Pay https://p", true, {"Run", "Pay", h}, {s, "https://p", s}},
      {"QLN_DON A http://a/\"x B https://b\r\n", true, {"A", "B", h}, {s, "https://b", s}},
      // Failures put every button back at the site.
      {"QLN_DON\r\nPayPal http://pay.example", false, {h, h, h}, {s, s, s}},
      {"QLN_DON", false, {h, h, h}, {s, s, s}},
      {"QLN_DON PayPal", false, {h, h, h}, {s, s, s}},
      {std::nullopt, false, {h, h, h}, {s, s, s}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file ? std::string(*c.file) : "(no file)");
    const web::DonationButtons b = web::ResolveDonationButtons(c.file, kSite, kHost);
    EXPECT_EQ(b.fetched, c.fetched);
    EXPECT_EQ(b.captions, c.captions);
    EXPECT_EQ(b.links, c.links);
  }
}

// Newest first, "v1.0M[.R] (mm/dd/yyyy) notes" each, one empty line between, down to v1.00.
TEST(WebTexts, ReleaseHistoryRunsNewestFirstFromV103_9ToV100) {
  const std::string& history = web::ReleaseHistoryText();
  EXPECT_EQ(history.rfind("v1.03.9 (10/17/2002) Added a link to the Control Panel. Minor tweaks.\r\n\r\n", 0), 0u);
  const std::regex paragraphs(
      R"((v1\.0\d(\.\d+)? \(\d\d/\d\d/\d{4}\) [^\r\n]+\r\n\r\n)+v1\.00 \(\d\d/\d\d/\d{4}\) [^\r\n]+)");
  EXPECT_TRUE(std::regex_match(history, paragraphs)) << history;
}

}  // namespace
