// For the web tests: the loopback server that scripts/test starts over a folder (OKU_TEST_HTTP_PORT,
// OKU_TEST_HTTP_ROOT), and a bare listening socket for what a folder server cannot do.
#pragma once

#include <winsock2.h>
#include <windows.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace httptest {

inline std::string Env(const char* name) {
  char value[2048];
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

#define REQUIRE_TEST_HTTP_SERVER()                 \
  if (httptest::Env("OKU_TEST_HTTP_PORT").empty()) \
  GTEST_SKIP() << "OKU_TEST_HTTP_PORT is not set (scripts/test sets it)"

inline std::string ServerAddress() { return "127.0.0.1:" + Env("OKU_TEST_HTTP_PORT"); }
inline std::string ServedUrl(const std::string& relative) { return "http://" + ServerAddress() + "/" + relative; }

// Writes a file under the served folder (drive Z: is the Unix root under Wine), making its folders.
inline void WriteServedFile(const std::string& relative, const std::string& content) {
  std::string path = "Z:" + Env("OKU_TEST_HTTP_ROOT") + "/" + relative;
  for (char& c : path) c = c == '/' ? '\\' : c;
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

// A socket listening on a free loopback port. Nobody accepts: a client connects (the system
// completes the handshake) and then waits for an answer that never comes, unless AnswerOne is called.
class Listener {
 public:
  Listener() {
    WSADATA data;
    WSAStartup(MAKEWORD(1, 1), &data);
    socket_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    bind(socket_, reinterpret_cast<sockaddr*>(&address), length);
    listen(socket_, 4);
    getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
  }
  ~Listener() {
    closesocket(socket_);
    WSACleanup();
  }
  std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/files/OKU2.ver"; }

  // Accepts one connection within 10 s, reads its request head and sends the answer.
  void AnswerOne(const std::string& answer) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(socket_, &set);
    timeval wait{10, 0};
    if (select(0, &set, nullptr, nullptr, &wait) != 1) return;
    SOCKET client = accept(socket_, nullptr, nullptr);
    const int timeoutMs = 5000;  // neither a silent client nor one that stops reading holds us
    setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeoutMs), sizeof timeoutMs);
    setsockopt(client, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeoutMs), sizeof timeoutMs);
    std::string request(4096, '\0');
    for (size_t got = 0; request.find("\r\n\r\n") == std::string::npos;) {
      const int n = recv(client, request.data() + got, static_cast<int>(request.size() - got), 0);
      if (n <= 0 || (got += n) == request.size()) break;
    }
    send(client, answer.data(), static_cast<int>(answer.size()), 0);
    closesocket(client);
  }

 private:
  SOCKET socket_ = INVALID_SOCKET;
  int port_ = 0;
};

// The address of a loopback port with nothing listening on it.
inline std::string ClosedPortUrl() { return Listener().Url(); }

inline double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace httptest
