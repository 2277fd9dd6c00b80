// The real WinINet client against the loopback server: a body byte for byte, the size cap, a status
// outside 2xx and a closed port.
#include "HttpTestSupport.h"

#include <wininet.h>

#include <chrono>

#include "platform/Failure.h"
#include "platform/Http.h"

namespace {

long FailureNumber(const std::string& url) {
  try {
    http::FetchText(url);
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

}  // namespace
