// For the web tests: the loopback server that scripts/test starts over a folder (OKU_TEST_HTTP_PORT,
// OKU_TEST_HTTP_ROOT), and a loopback port that nothing listens on.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace httptest {

inline std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

#define REQUIRE_TEST_HTTP_SERVER()                 \
  if (httptest::Env("OKU_TEST_HTTP_PORT").empty()) \
  GTEST_SKIP() << "OKU_TEST_HTTP_PORT is not set (scripts/test sets it)"

inline std::string ServerAddress() { return "127.0.0.1:" + Env("OKU_TEST_HTTP_PORT"); }
inline std::string ServedUrl(const std::string& relative) { return "http://" + ServerAddress() + "/" + relative; }

// Writes a file under the served folder (drive Z: is the Unix root under Wine), making its folders.
inline void WriteServedFile(const std::string& relative, const std::string& content) {
  const std::filesystem::path path = "Z:" + Env("OKU_TEST_HTTP_ROOT") + "/" + relative;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
  ASSERT_EQ(std::filesystem::file_size(path), content.size()) << path;
}

// A loopback address where nothing listens: port 1 (tcpmux) has no server on these machines.
inline constexpr const char* kClosedPortAddress = "127.0.0.1:1";

}  // namespace httptest
