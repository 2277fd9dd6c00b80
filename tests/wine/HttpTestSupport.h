// For the web tests: the loopback server that scripts/test starts over a folder (its port and root
// come from OKU_TEST_HTTP_PORT and OKU_TEST_HTTP_ROOT), and a one-answer socket server in-process
// for what a folder server cannot do (a given status, a body without a length, silence).
#pragma once

#include <winsock2.h>
#include <windows.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace httptest {

inline std::string Env(const char* name) {
  char value[2048];
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

// Skips the calling test when no server was started for this run.
#define REQUIRE_TEST_HTTP_SERVER()                                                           \
  do {                                                                                       \
    if (httptest::Env("OKU_TEST_HTTP_PORT").empty())                                         \
      GTEST_SKIP() << "OKU_TEST_HTTP_PORT is not set: run under scripts/test, which starts " \
                      "tests/http/serve.py";                                                 \
  } while (0)

inline std::string ServerAddress() { return "127.0.0.1:" + Env("OKU_TEST_HTTP_PORT"); }

inline std::string ServedUrl(const std::string& relative) { return "http://" + ServerAddress() + "/" + relative; }

// Writes a file under the served folder (reached from Wine through drive Z:), making its folders.
inline void WriteServedFile(const std::string& relative, const std::string& content) {
  std::string path = "Z:" + Env("OKU_TEST_HTTP_ROOT") + "/" + relative;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1)) {
    CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
  }
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
  ASSERT_TRUE(ok && written == content.size()) << path;
}

// Listens on a free loopback port and answers each connection with `answer` (after reading the
// request head), or, with an empty answer, holds the connection silently. Ends its thread on
// destruction; every wait in it is bounded.
class CannedServer {
 public:
  explicit CannedServer(std::string answer) : answer_(std::move(answer)) {
    WSADATA data;
    WSAStartup(MAKEWORD(1, 1), &data);
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), length) == 0 && listen(listener_, 4) == 0 &&
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
      port_ = ntohs(address.sin_port);
    }
    thread_ = std::thread([this] { Serve(); });
  }
  ~CannedServer() {
    stop_ = true;
    thread_.join();
    closesocket(listener_);
    WSACleanup();
  }
  int Port() const { return port_; }
  std::string Url(const std::string& path = "/x") const { return "http://127.0.0.1:" + std::to_string(port_) + path; }

 private:
  static bool Readable(SOCKET s) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval wait{0, 100 * 1000};
    return select(0, &set, nullptr, nullptr, &wait) == 1;
  }
  void Serve() {
    while (!stop_) {
      if (!Readable(listener_)) continue;
      SOCKET client = accept(listener_, nullptr, nullptr);
      if (client == INVALID_SOCKET) continue;
      const int sendTimeoutMs = 5000;  // a client that stops reading cannot hold the thread
      setsockopt(client, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&sendTimeoutMs), sizeof sendTimeoutMs);
      std::string request;
      char buffer[4096];
      while (!stop_ && request.find("\r\n\r\n") == std::string::npos) {
        if (!Readable(client)) continue;
        const int got = recv(client, buffer, sizeof buffer, 0);
        if (got <= 0) break;
        request.append(buffer, got);
      }
      for (size_t sent = 0; !answer_.empty() && sent < answer_.size();) {
        const int n = send(client, answer_.data() + sent, static_cast<int>(answer_.size() - sent), 0);
        if (n <= 0) break;
        sent += n;
      }
      while (answer_.empty() && !stop_) Readable(client);  // silence until the test ends
      closesocket(client);
    }
  }

  std::string answer_;
  SOCKET listener_ = INVALID_SOCKET;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// A loopback port with nothing listening on it.
inline int ClosedPort() {
  CannedServer probe("unused");
  return probe.Port();  // closed again when probe goes
}

inline double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace httptest
