// The remote file layout: trimming, markers, payloads, release numbers, web addresses and the
// donation links file, including files as text editors and careless uploads leave them.
#include <gtest/gtest.h>

#include "web/RemoteText.h"
#include "web/WebTexts.h"

namespace {

using web::ReleaseVersion;
using Opt = std::optional<std::string>;

TEST(RemoteText, TrimmedTextMarkerAndPayload) {
  const struct {
    std::string_view raw, marker;
    Opt payload;
  } cases[] = {
      {"  QLN_VER 1.3.9  ", "QLN_VER", "1.3.9"},
      {"qln_ver\n1.3.9", "QLN_VER", "1.3.9"},
      {"QLN_VER1.4.0", "QLN_VER", ".4.0"},
      {"QLN_VER", "QLN_VER", ""},
      {" QLN_NWZ  news \r\n ", "QLN_NWZ", " news \r\n"},  // only spaces are trimmed
      {"\tQLN_VER 1.3.9", "QLN_VER", {}},
      {"QLN_VE", "QLN_VER", {}},
      {"   ", "QLN_VER", {}},
      {"QLN_VEX 1.3.9", "QLN_VER", {}},
      {"QLN_NWZ 1.3.9", "QLN_VER", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(web::MarkedPayload(web::TrimSpaces(c.raw), c.marker), c.payload) << c.raw;
  EXPECT_EQ(web::TrimSpaces("    "), "");
}

TEST(RemoteText, VersionPayloads) {
  const struct {
    std::string_view payload;
    const char* text;  // nullptr: the payload does not read
  } cases[] = {
      {"1.3.9", "1.3.9"},
      {"01.3.10", "1.3.10"},
      {"010.0.0", "10.0.0"},
      {"1.3.10\r\n", "1.3.10"},
      {" 1 .\t3 . 10 \n", "1.3.10"},
      {"1.3.10.beta.x", "1.3.10"},
      {"-1.3.9", "-1.3.9"},
      {"+2.0.0", "2.0.0"},
      {"32767.-32768.0", "32767.-32768.0"},
      {"000000000000000000001.0.0", "1.0.0"},
      {"", nullptr},
      {"1.4", nullptr},
      {".4.0", nullptr},
      {"1..3", nullptr},
      {"1.3.", nullptr},
      {"1.3.x", nullptr},
      {"1.3.9a", nullptr},
      {"1.3.0x9", nullptr},
      {"1,3,9", nullptr},
      {"1. 3 4.5", nullptr},
      {"- 1.0.0", nullptr},
      {"+.0.0", nullptr},
      {"32768.0.0", nullptr},
      {"0.-32769.0", nullptr},
      {"0.0.65536", nullptr},
      {"1.3.1e1", nullptr},
      {"99999999999999999999.0.0", nullptr},
      {std::string_view("1.3.9\0", 6), nullptr},
  };
  for (const auto& c : cases) {
    const std::optional<ReleaseVersion> v = web::ParseReleaseVersion(c.payload);
    EXPECT_EQ(v ? Opt(v->Text()) : Opt(), c.text ? Opt(c.text) : Opt()) << '"' << c.payload << '"';
  }
}

TEST(RemoteText, NewerReleaseComparesSignedNumbersInOrder) {
  const ReleaseVersion own = web::OwnRelease();
  ASSERT_EQ(own, (ReleaseVersion{1, 3, 9}));
  const struct {
    ReleaseVersion web;
    bool newer;
  } cases[] = {
      {{1, 3, 10}, true},    {{1, 4, 0}, true},    {{2, 0, 0}, true},   {{32767, -32768, -32768}, true},
      {{1, 3, 9}, false},    {{1, 3, 8}, false},   {{0, 9, 9}, false},  {{1, 2, 99}, false},
      {{-1, 99, 99}, false}, {{1, -3, 99}, false}, {{1, 3, -9}, false},
  };
  for (const auto& c : cases) EXPECT_EQ(web::IsNewerRelease(c.web, own), c.newer) << c.web.Text();
  const auto web = web::ParseReleaseVersion(web::Payload(web::TrimSpaces("QLN_VER 01.3.10\r\n")));
  ASSERT_TRUE(web.has_value());
  EXPECT_EQ(web::UpdateAvailableCaption(own, *web), "Update available from v1.3.9 to v1.3.10");
}

TEST(RemoteText, OnlyWebAddressesReachTheShell) {
  for (std::string_view yes : {"http://www.quillon.example/OKU_setup.exe", "HTTPS://pay.example/x", "hTtP://"}) {
    EXPECT_TRUE(web::IsWebAddress(yes)) << yes;
  }
  for (std::string_view no : {"https:/a", "file:///C:/Windows/notepad.exe", "C:\\Windows\\notepad.exe", "notepad",
                              " http://a", "ftp://a", "", "httpx://a", "mailto:a@b", "\\\\server\\share\\x.exe"}) {
    EXPECT_FALSE(web::IsWebAddress(no)) << no;
  }
  EXPECT_EQ(web::HostOfUrl("http://www.quillon.example/files/x"), "www.quillon.example");
  EXPECT_EQ(web::HostOfUrl("https://127.0.0.1:8123?q"), "127.0.0.1:8123");
  EXPECT_EQ(web::HostOfUrl("www.quillon.example"), "www.quillon.example");
}

TEST(RemoteText, DonationButtons) {
  constexpr std::string_view kSite = "http://www.quillon.example", kHost = "www.quillon.example";
  const std::string s(kSite), h(kHost);
  const struct {
    std::optional<std::string_view> file;
    bool fetched;
    std::array<std::string, 3> captions, links;
  } cases[] = {
      // One pair relabels only the first button; the marker's case does not matter.
      {"qln_don PayPal http://pay.example/q", true, {"PayPal", h, h}, {"http://pay.example/q", s, s}},
      // Seven pairs: the first three of each kind.
      {"QLN_DON c1 http://a1 c2 http://a2 c3 http://a3 c4 http://a4 c5 http://a5 c6 http://a6 c7 http://a7",
       true,
       {"c1", "c2", "c3"},
       {"http://a1", "http://a2", "http://a3"}},
      // A line break is no separator; two separators make an empty word that counts in the order.
      {"QLN_DON Pay\r\nPal http://p", true, {"Pay\r\nPal", h, h}, {"http://p", s, s}},
      {"QLN_DON  A http://a", true, {"", "http://a", h}, {s, s, s}},
      // More captions than addresses: the extra button is relabelled but leads to the site.
      {"QLN_DON A http://a B", true, {"A", "B", h}, {"http://a", s, s}},
      // A local program is never opened: that button's link stays at the site.
      {"QLN_DON Run C:\\Windows\\notepad.exe Pay https://p", true, {"Run", "Pay", h}, {s, "https://p", s}},
      // Failures put every button back at the site.
      {"QLN_DON\r\nPayPal http://pay.example", false, {h, h, h}, {s, s, s}},
      {"QLN_DON", false, {h, h, h}, {s, s, s}},
      {"QLN_DON PayPal", false, {h, h, h}, {s, s, s}},
      {"QLN_DONX PayPal http://pay.example", false, {h, h, h}, {s, s, s}},
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

}  // namespace
