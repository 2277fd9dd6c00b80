// The remote file layout: trimming, markers, payloads, release numbers, web addresses and the
// donation links file, including the files that text editors and careless uploads produce.
#include <gtest/gtest.h>

#include "web/RemoteText.h"
#include "web/WebTexts.h"

namespace {

using web::ReleaseVersion;

TEST(RemoteText, TrimRemovesOnlySpaceCharacters) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"  QLN_VER 1.3.9  ", "QLN_VER 1.3.9"}, {"   ", ""},        {"", ""}, {"x", "x"}, {"\t a \t", "\t a \t"},
      {" \r\nx\r\n ", "\r\nx\r\n"},           {" a  b ", "a  b"},
  };
  for (const auto& c : cases) EXPECT_EQ(web::TrimSpaces(c.in), c.out) << '"' << c.in << '"';
}

TEST(RemoteText, MarkerIsTheFirstSevenCharactersInAnyCase) {
  const struct {
    std::string_view text, marker;
    bool matches;
  } cases[] = {
      {"QLN_VER 1.3.9", "QLN_VER", true},     {"qln_ver 1.3.9", "QLN_VER", true}, {"Qln_Nwz", "QLN_NWZ", true},
      {"QLN_DLF\nhttp://x", "QLN_DLF", true}, {"QLN_VE", "QLN_VER", false},       {"", "QLN_VER", false},
      {"QLN_VEX 1.3.9", "QLN_VER", false},    {" QLN_VER", "QLN_VER", false},     {"QLN_NWZ x", "QLN_VER", false},
      {"QLN_VER", "QLN_VE", false},
  };
  for (const auto& c : cases) EXPECT_EQ(web::HasMarker(c.text, c.marker), c.matches) << c.text << " / " << c.marker;
}

TEST(RemoteText, PayloadStartsAtCharacterNineUnchanged) {
  const struct {
    std::string_view text, payload;
  } cases[] = {
      {"QLN_VER 1.3.9", "1.3.9"},
      {"QLN_VER\n1.3.9", "1.3.9"},
      {"QLN_VER1.4.0", ".4.0"},
      {"QLN_NWZ  news \r\n", " news \r\n"},
      {"QLN_VER ", ""},
      {"QLN_VER", ""},
      {"abc", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(web::Payload(c.text), c.payload) << c.text;
  EXPECT_EQ(web::MarkedPayload("qln_dlf http://h/setup.exe", web::kDownloadMarker), "http://h/setup.exe");
  EXPECT_EQ(web::MarkedPayload("QLN_NWZ http://h/setup.exe", web::kDownloadMarker), std::nullopt);
}

TEST(RemoteText, VersionPayloadsThatRead) {
  const struct {
    std::string_view payload;
    ReleaseVersion version;
    const char* text;
  } cases[] = {
      {"1.3.9", {1, 3, 9}, "1.3.9"},
      {"01.3.10", {1, 3, 10}, "1.3.10"},
      {"010.0.0", {10, 0, 0}, "10.0.0"},
      {"1.3.10\r\n", {1, 3, 10}, "1.3.10"},
      {" 1 .\t3 . 10 \n", {1, 3, 10}, "1.3.10"},
      {"1.3.10.7", {1, 3, 10}, "1.3.10"},
      {"1.3.10.beta.x", {1, 3, 10}, "1.3.10"},
      {"-1.3.9", {-1, 3, 9}, "-1.3.9"},
      {"+2.0.0", {2, 0, 0}, "2.0.0"},
      {"32767.-32768.0", {32767, -32768, 0}, "32767.-32768.0"},
      {"000000000000000000000001.0.0", {1, 0, 0}, "1.0.0"},
  };
  for (const auto& c : cases) {
    const std::optional<ReleaseVersion> v = web::ParseReleaseVersion(c.payload);
    ASSERT_TRUE(v.has_value()) << c.payload;
    EXPECT_EQ(*v, c.version) << c.payload;
    EXPECT_EQ(v->Text(), c.text);
  }
}

TEST(RemoteText, VersionPayloadsThatFail) {
  const std::string_view cases[] = {"",
                                    "1.4",
                                    ".4.0",
                                    "1..3",
                                    "1.3.",
                                    "1.3.x",
                                    "1.3.9a",
                                    "1.3.0x9",
                                    "1,3,9",
                                    "1. 3 4.5",
                                    "- 1.0.0",
                                    "+.0.0",
                                    "32768.0.0",
                                    "0.-32769.0",
                                    "0.0.65536",
                                    "1.3.1e1",
                                    "99999999999999999999.0.0",
                                    std::string_view("1.3.9\0", 6),
                                    "1.3.\xA0"
                                    "9",
                                    "..."};
  for (std::string_view payload : cases) {
    EXPECT_EQ(web::ParseReleaseVersion(payload), std::nullopt) << '"' << payload << '"';
  }
}

TEST(RemoteText, NewerReleaseComparesSignedNumbersInOrder) {
  const ReleaseVersion own = web::OwnRelease();
  ASSERT_EQ(own, (ReleaseVersion{1, 3, 9}));
  const struct {
    ReleaseVersion web;
    bool newer;
  } cases[] = {
      {{1, 3, 10}, true},
      {{1, 4, 0}, true},
      {{2, 0, 0}, true},
      {{1, 3, 9}, false},
      {{1, 3, 8}, false},
      {{0, 9, 9}, false},
      {{1, 2, 99}, false},
      {{-1, 99, 99}, false},
      {{1, -3, 99}, false},
      {{1, 3, -9}, false},
      {{32767, -32768, -32768}, true},
  };
  for (const auto& c : cases) EXPECT_EQ(web::IsNewerRelease(c.web, own), c.newer) << c.web.Text();
}

TEST(RemoteText, OnlyWebAddressesReachTheShell) {
  const struct {
    std::string_view address;
    bool web;
  } cases[] = {
      {"http://www.quillon.example/OKU_setup.exe", true},
      {"HTTPS://pay.example/x", true},
      {"Http://", true},
      {"hTtPs://a", true},
      {"https:/a", false},
      {"file:///C:/Windows/notepad.exe", false},
      {"C:\\Windows\\notepad.exe", false},
      {"notepad", false},
      {" http://a", false},
      {"ftp://a", false},
      {"", false},
      {"httpx://a", false},
      {"mailto:a@b", false},
      {"\\\\server\\share\\setup.exe", false},
      {"http:", false},
  };
  for (const auto& c : cases) EXPECT_EQ(web::IsWebAddress(c.address), c.web) << c.address;
}

TEST(RemoteText, HostOfUrl) {
  const struct {
    std::string_view url, host;
  } cases[] = {
      {"http://www.quillon.example", "www.quillon.example"},
      {"http://www.quillon.example/files/x", "www.quillon.example"},
      {"https://127.0.0.1:8123/", "127.0.0.1:8123"},
      {"www.quillon.example/y", "www.quillon.example"},
      {"http://h?q=1", "h"},
      {"http://h#top", "h"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(web::HostOfUrl(c.url), c.host) << c.url;
}

TEST(RemoteText, DonationButtons) {
  constexpr std::string_view kSite = "http://www.quillon.example";
  constexpr std::string_view kHost = "www.quillon.example";
  const std::string s(kSite), h(kHost);
  const struct {
    std::optional<std::string_view> file;
    bool fetched;
    std::array<std::string, 3> captions, links;
  } cases[] = {
      // One pair relabels only the first button.
      {"QLN_DON PayPal http://pay.example/q", true, {"PayPal", h, h}, {"http://pay.example/q", s, s}},
      {"qln_don PayPal http://pay.example/q", true, {"PayPal", h, h}, {"http://pay.example/q", s, s}},
      // Seven pairs: the first three of each kind.
      {"QLN_DON c1 http://a1 c2 http://a2 c3 http://a3 c4 http://a4 c5 http://a5 c6 http://a6 c7 http://a7",
       true,
       {"c1", "c2", "c3"},
       {"http://a1", "http://a2", "http://a3"}},
      // A line break is no separator: it stays inside the caption.
      {"QLN_DON Pay\r\nPal http://p", true, {"Pay\r\nPal", h, h}, {"http://p", s, s}},
      // More captions than addresses: the extra button is relabelled but still leads to the site.
      {"QLN_DON A http://a B", true, {"A", "B", h}, {"http://a", s, s}},
      // Two separators in a row make an empty word, which counts in the order.
      {"QLN_DON  A http://a", true, {"", "http://a", h}, {s, s, s}},
      // A local program is never opened: that button's link stays at the site.
      {"QLN_DON Run C:\\Windows\\notepad.exe Pay https://pay.example",
       true,
       {"Run", "Pay", h},
       {s, "https://pay.example", s}},
      {"QLN_DON Run file:///C:/Windows/notepad.exe", true, {"Run", h, h}, {s, s, s}},
      // Failures: every button back at the site.
      {"QLN_DON\r\nPayPal http://pay.example", false, {h, h, h}, {s, s, s}},
      {"QLN_DON", false, {h, h, h}, {s, s, s}},
      {"QLN_DON PayPal", false, {h, h, h}, {s, s, s}},
      {"QLN_DONX PayPal http://pay.example", false, {h, h, h}, {s, s, s}},
      {"QLN_VER 1.3.9", false, {h, h, h}, {s, s, s}},
      {"", false, {h, h, h}, {s, s, s}},
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

TEST(RemoteText, UpdateCaptionFromAParsedFile) {
  // The whole path of a fetched version file: trim, marker, payload, numbers, caption.
  const std::string text = web::TrimSpaces("  QLN_VER 01.3.10\r\n");
  const auto payload = web::MarkedPayload(text, web::kVersionMarker);
  ASSERT_TRUE(payload.has_value());
  const auto version = web::ParseReleaseVersion(*payload);
  ASSERT_TRUE(version.has_value());
  ASSERT_TRUE(web::IsNewerRelease(*version, web::OwnRelease()));
  EXPECT_EQ(web::UpdateAvailableCaption(web::OwnRelease(), *version), "Update available from v1.3.9 to v1.3.10");
  EXPECT_EQ(web::LatestReleaseMessage(web::OwnRelease(), web::OwnRelease()),
            "Web release = 1.3.9\r\nYour release = 1.3.9\r\nYou have the latest release of OKU.");
}

}  // namespace
