// The real WinINet client against the loopback server: a body byte for byte, the size cap, a status
// outside 2xx, a closed port and a server that trickles its answer.
#include "HttpTestSupport.h"

#include <wininet.h>

#include <chrono>

#include "platform/Failure.h"
#include "platform/Http.h"

namespace {

long FailureNumber(const std::string& url, const http::FetchLimits& limits = {}) {
  try {
    http::FetchText(url, limits);
  } catch (const Failure& failure) {
    EXPECT_FALSE(failure.description.empty());
    return failure.number;
  }
  return 0;
}

TEST(HttpFetch, BodiesUpToTheCapStatusesAndAClosedPort) {
  REQUIRE_TEST_HTTP_SERVER();
  const std::string body = std::string("QLN\0\r\n\xff", 7) + std::string(256 * 1024 - 7, 'x');  // just at the cap
  httptest::WriteServedFile("fetch/at-cap.txt", body);
  EXPECT_EQ(http::FetchText(httptest::ServedUrl("fetch/at-cap.txt")), body);
  httptest::WriteServedFile("fetch/over-cap.txt", body + "x");
  EXPECT_EQ(FailureNumber(httptest::ServedUrl("fetch/over-cap.txt")), ERROR_FILE_TOO_LARGE);
  EXPECT_EQ(FailureNumber(httptest::ServedUrl("fetch/missing.txt")), 404);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(FailureNumber(std::string("http://") + httptest::kClosedPortAddress + "/"), ERROR_INTERNET_CANNOT_CONNECT);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

// Each byte comes well within the receive time-out, so only the deadline of the whole fetch ends it
// (the server's answer would take 20 s); shortened here, it fails like a time-out, on time.
TEST(HttpFetch, ATricklingServerMeetsTheDeadlineOfTheWholeFetch) {
  REQUIRE_TEST_HTTP_SERVER();
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(FailureNumber(httptest::ServedUrl("trickle/"), {.totalMs = 2000}), ERROR_INTERNET_TIMEOUT);
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_GE(took, std::chrono::milliseconds(1900));
  EXPECT_LT(took, std::chrono::seconds(6));
}

}  // namespace
