// The real WinINet client against loopback servers: bodies byte for byte, the size cap, statuses,
// a closed port, a silent server, refused schemes and the cache kept out.
#include "HttpTestSupport.h"

#include <future>

#include "platform/Failure.h"
#include "platform/Http.h"

namespace {

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

// The body from a one-shot server that sends `answer` as it stands, or "failure <number>".
std::string Canned(const std::string& answer) {
  httptest::Listener listener;
  auto server = std::async(std::launch::async, [&] { listener.AnswerOne(answer); });
  try {
    return http::FetchText(listener.Url());
  } catch (const Failure& failure) {
    return "failure " + std::to_string(failure.number);
  }
}

TEST(HttpFetch, ServedFilesComeBackByteForByte) {
  REQUIRE_TEST_HTTP_SERVER();
  std::string binary("QLN\0\r\n", 6);
  for (int i = 0; i < 256; ++i) binary += static_cast<char>(i);
  const std::pair<std::string, std::string> files[] = {
      {"fetch/lines.txt", "  QLN_NWZ line one\r\nline two\r\n  "},
      {"fetch/binary.bin", binary},
      {"fetch/empty.txt", ""},
      {"fetch/at-cap.txt", std::string(kCap, 'x')},
  };
  for (const auto& [name, content] : files) httptest::WriteServedFile(name, content);
  for (const auto& [name, content] : files) EXPECT_EQ(http::FetchText(httptest::ServedUrl(name)), content) << name;
}

TEST(HttpFetch, SizeCapAndStatuses) {
  REQUIRE_TEST_HTTP_SERVER();
  httptest::WriteServedFile("cap/over.txt", std::string(kCap + 1, 'x'));
  EXPECT_EQ(FailureNumber(httptest::ServedUrl("cap/over.txt")), ERROR_FILE_TOO_LARGE);
  EXPECT_EQ(FailureNumber(httptest::ServedUrl("cap/missing.txt")), 404);
  // Without a length in the headers only the read loop can stop the body.
  EXPECT_EQ(Canned("HTTP/1.0 200 OK\r\n\r\n" + std::string(kCap + 4096, 'z')).substr(0, 20), "failure 223");
  EXPECT_EQ(Canned("HTTP/1.0 200 OK\r\n\r\nQLN_VER 1.3.9"), "QLN_VER 1.3.9");
  EXPECT_EQ(Canned("HTTP/1.0 500 Oops\r\nContent-Length: 13\r\n\r\nQLN_VER 9.9.9"), "failure 500");
  EXPECT_EQ(Canned("HTTP/1.0 204 No Content\r\n\r\n"), "");
}

TEST(HttpFetch, UnreachableServersFailInBoundedTime) {
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(FailureNumber(httptest::ClosedPortUrl()), ERROR_INTERNET_CANNOT_CONNECT);
  EXPECT_LT(httptest::SecondsSince(start), 5.0);

  httptest::Listener silent;
  start = std::chrono::steady_clock::now();
  const long number = FailureNumber(silent.Url(), {1500, kCap});
  // Windows reports the receive time-out as 12002; Wine as an aborted connection.
  EXPECT_TRUE(number == ERROR_INTERNET_TIMEOUT || number == ERROR_INTERNET_CONNECTION_ABORTED) << number;
  EXPECT_GE(httptest::SecondsSince(start), 1.0);
  EXPECT_LT(httptest::SecondsSince(start), 10.0);
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
