// The real WinINet client against loopback servers: bodies byte for byte, the size cap, statuses,
// a closed port, a silent server, a refused scheme and a file changed between two fetches.
#include "HttpTestSupport.h"

#include "platform/Failure.h"
#include "platform/Http.h"

namespace {

using httptest::CannedServer;
using httptest::SecondsSince;
using Clock = std::chrono::steady_clock;

constexpr size_t kCap = 256 * 1024;

long FailureNumber(const std::string& url, const http::FetchLimits& limits = {}) {
  try {
    http::FetchText(url, limits);
  } catch (const Failure& failure) {
    EXPECT_FALSE(failure.description.empty());
    return failure.number;
  }
  return 0;
}

TEST(HttpFetch, ServedFilesComeBackByteForByte) {
  REQUIRE_TEST_HTTP_SERVER();
  std::string binary = "QLN\0\r\n";
  for (int i = 0; i < 256; ++i) binary += static_cast<char>(i);
  const struct {
    const char* name;
    std::string content;
  } cases[] = {
      {"fetch/plain.txt", "QLN_VER 1.3.10"},
      {"fetch/lines.txt", "  QLN_NWZ line one\r\nline two\r\n  "},
      {"fetch/binary.bin", binary},
      {"fetch/empty.txt", ""},
      {"fetch/at-cap.txt", std::string(kCap, 'x')},
  };
  for (const auto& c : cases) httptest::WriteServedFile(c.name, c.content);
  for (const auto& c : cases) EXPECT_EQ(http::FetchText(httptest::ServedUrl(c.name)), c.content) << c.name;
}

TEST(HttpFetch, AnswersAboveTheCapFail) {
  REQUIRE_TEST_HTTP_SERVER();
  httptest::WriteServedFile("cap/over.txt", std::string(kCap + 1, 'x'));
  httptest::WriteServedFile("cap/hundred.txt", std::string(100, 'y'));
  EXPECT_EQ(FailureNumber(httptest::ServedUrl("cap/over.txt")), ERROR_FILE_TOO_LARGE);
  EXPECT_EQ(FailureNumber(httptest::ServedUrl("cap/hundred.txt"), {15000, 99}), ERROR_FILE_TOO_LARGE);
  EXPECT_EQ(http::FetchText(httptest::ServedUrl("cap/hundred.txt"), {15000, 100}).size(), 100u);

  // Without a length in the headers the read loop alone has to stop it.
  const std::string head = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\n\r\n";
  CannedServer streamedOver(head + std::string(kCap + 4096, 'z'));
  EXPECT_EQ(FailureNumber(streamedOver.Url()), ERROR_FILE_TOO_LARGE);
  CannedServer streamedUnder(head + "QLN_VER 1.3.9");
  EXPECT_EQ(http::FetchText(streamedUnder.Url()), "QLN_VER 1.3.9");
}

TEST(HttpFetch, StatusesOutsideTwoHundredsFail) {
  REQUIRE_TEST_HTTP_SERVER();
  EXPECT_EQ(FailureNumber(httptest::ServedUrl("status/missing.txt")), 404);
  CannedServer serverError("HTTP/1.0 500 Internal Server Error\r\nContent-Length: 13\r\n\r\nQLN_VER 9.9.9");
  EXPECT_EQ(FailureNumber(serverError.Url()), 500);
  CannedServer noContent("HTTP/1.0 204 No Content\r\n\r\n");
  EXPECT_EQ(http::FetchText(noContent.Url()), "");
}

TEST(HttpFetch, ClosedPortFailsQuickly) {
  const auto start = Clock::now();
  EXPECT_EQ(FailureNumber("http://127.0.0.1:" + std::to_string(httptest::ClosedPort()) + "/files/OKU2.ver"),
            ERROR_INTERNET_CANNOT_CONNECT);
  EXPECT_LT(SecondsSince(start), 5.0);
}

TEST(HttpFetch, SilentServerTimesOut) {
  CannedServer silent("");
  const auto start = Clock::now();
  // Windows reports the receive time-out as 12002; Wine as an aborted connection.
  const long number = FailureNumber(silent.Url(), {1500, kCap});
  EXPECT_TRUE(number == ERROR_INTERNET_TIMEOUT || number == ERROR_INTERNET_CONNECTION_ABORTED) << number;
  const double seconds = SecondsSince(start);
  EXPECT_GE(seconds, 1.0);
  EXPECT_LT(seconds, 10.0);
}

TEST(HttpFetch, OnlyHttpAddressesAreFetched) {
  for (const char* url : {"file:///C:/windows/win.ini", "ftp://127.0.0.1/x", "C:\\windows\\win.ini", ""}) {
    EXPECT_EQ(FailureNumber(url), ERROR_INTERNET_UNRECOGNIZED_SCHEME) << url;
  }
  EXPECT_NE(FailureNumber("http://"), 0) << "no host";
}

TEST(HttpFetch, EveryFetchReachesTheServerAndNothingIsCached) {
  REQUIRE_TEST_HTTP_SERVER();
  // Same length, same second: only a fetch that bypasses every cache sees the second text.
  const std::string url = httptest::ServedUrl("reload/OKU2.ver");
  httptest::WriteServedFile("reload/OKU2.ver", "QLN_VER 1.3.9");
  EXPECT_EQ(http::FetchText(url), "QLN_VER 1.3.9");
  httptest::WriteServedFile("reload/OKU2.ver", "QLN_VER 1.4.0");
  EXPECT_EQ(http::FetchText(url), "QLN_VER 1.4.0");
  DWORD size = 0;
  EXPECT_FALSE(GetUrlCacheEntryInfoA(url.c_str(), nullptr, &size));
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

}  // namespace
