// Module Ip: the failure paths through a fake wsock32 (exact boxes, and whether the program must end),
// the address list from a fake host entry, and the real lookup under Wine.
#include <gtest/gtest.h>

#include "net/SocketsApi.h"

#include <windows.h>

#include <cctype>
#include <string>
#include <vector>

#include "net/Ip.h"
#include "platform/MessageBox.h"

namespace {

struct Box {
  std::string text, caption;
  unsigned style;
  bool operator==(const Box&) const = default;
};

// What the fake wsock32 answers, and the calls it saw.
struct FakeSockets {
  int startupResult = 0;
  WORD version = 0x0101;
  unsigned short maxSockets = 32767;
  const char* hostName = "testhost";
  int hostNameResult = 0;
  int lastError = 0;
  hostent* entry = nullptr;
  int cleanupResult = 0;
  std::string calls;
} gFake;

int WSAAPI FakeStartup(WORD requested, WSADATA* data) {
  gFake.calls += "startup(" + std::to_string(requested) + ") ";
  *data = WSADATA{};
  data->wVersion = gFake.version;
  data->iMaxSockets = gFake.maxSockets;
  return gFake.startupResult;
}
int WSAAPI FakeCleanup() {
  gFake.calls += "cleanup ";
  return gFake.cleanupResult;
}
int WSAAPI FakeLastError() { return gFake.lastError; }
int WSAAPI FakeGetHostName(char* name, int length) {
  gFake.calls += "gethostname(" + std::to_string(length) + ") ";
  if (gFake.hostNameResult == 0) lstrcpynA(name, gFake.hostName, length);
  return gFake.hostNameResult;
}
hostent* WSAAPI FakeGetHostByName(const char* name) {
  gFake.calls += std::string("gethostbyname(") + name + ") ";
  return gFake.entry;
}

class NetIp : public testing::Test {
 protected:
  void SetUp() override {
    saved_ = Sockets();
    gFake = FakeSockets{};
    SetMessageBoxHook([this](const std::string& text, const std::string& caption, unsigned style) {
      boxes_.push_back({text, caption, style});
      return kAnswerOk;
    });
  }
  void TearDown() override {
    Sockets() = saved_;
    SetMessageBoxHook(nullptr);
  }
  void UseFake() { Sockets() = {FakeStartup, FakeCleanup, FakeLastError, FakeGetHostName, FakeGetHostByName}; }

  std::vector<Box> boxes_;
  SocketsApi saved_{};
};

// A host entry of three addresses with the SDK's layout; the third is 16 bytes long to show that
// h_length is honoured (the list then holds one length for all).
struct FakeEntry {
  char name[16] = "testhost";
  unsigned char a[16] = {10, 0, 0, 5};
  unsigned char b[16] = {192, 168, 0, 1};
  unsigned char c[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 255};
  char* list[4] = {reinterpret_cast<char*>(a), reinterpret_cast<char*>(b), reinterpret_cast<char*>(c), nullptr};
  char* none[1] = {nullptr};
  hostent entry{name, none, AF_INET, 4, list};
};

TEST_F(NetIp, FailuresShowTheirBoxAndSayWhetherTheProgramEnds) {
  FakeEntry host;
  struct Case {
    const char* what;
    void (*arrange)(FakeSockets&);
    const char* text;
    bool endProgram, found;
    const char* calls;
  };
  const Case cases[] = {
      {"start-up refused", [](FakeSockets& f) { f.startupResult = 10091; }, "Winsock.dll is Not responding.", true,
       false, "startup(257) "},
      {"version 1.0 granted", [](FakeSockets& f) { f.version = 0x0001; },
       "Windows Sockets version 1.0 is Not supported by winsock.dll ", true, false, "startup(257) "},
      {"no sockets", [](FakeSockets& f) { f.maxSockets = 0; },
       "This application requires a minimum of 1 supported sockets.", true, false, "startup(257) "},
      {"gethostname fails with 10093",
       [](FakeSockets& f) {
         f.hostNameResult = SOCKET_ERROR;
         f.lastError = 10093;
       },
       "Windows Sockets Error  10093", false, false, "startup(257) gethostname(256) cleanup "},
      {"gethostbyname fails", [](FakeSockets& f) { f.entry = nullptr; }, "Winsock.dll is Not responding.", false, false,
       "startup(257) gethostname(256) gethostbyname(testhost) cleanup "},
      {"cleanup fails", [](FakeSockets& f) { f.cleanupResult = -1; }, "Socket Error -1 occurred In Cleanup ", true,
       true, "startup(257) gethostname(256) gethostbyname(testhost) cleanup "},
  };
  UseFake();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    gFake = FakeSockets{};
    gFake.entry = &host.entry;
    c.arrange(gFake);
    boxes_.clear();
    const HostLookup lookup = LookUpHost();
    EXPECT_EQ(boxes_, (std::vector<Box>{{c.text, "OKU", 0}}));
    EXPECT_EQ(lookup.endProgram, c.endProgram);
    EXPECT_EQ(gFake.calls, c.calls);
    EXPECT_EQ(lookup.found, c.found);
  }
}

TEST_F(NetIp, ListHoldsTheNameThenEveryAddressOfTheEntry) {
  UseFake();
  FakeEntry host;
  gFake.entry = &host.entry;
  gFake.hostName = "  myHost-01 ";

  auto list = GetHostAddresses();
  ASSERT_TRUE(list);
  EXPECT_EQ(*list, (std::vector<std::string>{"myHost-01", "10.0.0.5", "192.168.0.1", "0.1.2.3"}));
  EXPECT_EQ(gFake.calls, "gethostname(256) gethostbyname(myHost-01) ");

  host.entry.h_length = 16;
  list = GetHostAddresses();
  ASSERT_TRUE(list);
  ASSERT_EQ(list->size(), 4u);
  EXPECT_EQ((*list)[3], "0.1.2.3.4.5.6.7.8.9.10.11.12.13.14.255");
  EXPECT_EQ((*list)[1], "10.0.0.5.0.0.0.0.0.0.0.0.0.0.0.0");

  const HostLookup lookup = LookUpHost();
  EXPECT_FALSE(lookup.endProgram);
  EXPECT_TRUE(lookup.found);
  EXPECT_EQ(lookup.hostLabel, "MYHOST-01");
  EXPECT_EQ(lookup.addresses.size(), 3u);

  host.list[0] = nullptr;  // no addresses at all
  const HostLookup bare = LookUpHost();
  EXPECT_TRUE(bare.found);
  EXPECT_EQ(bare.hostLabel, "MYHOST-01");
  EXPECT_TRUE(bare.addresses.empty());
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(NetIp, RealLookupMatchesWhatTheResolverGivesInThisProcess) {
  const HostLookup lookup = LookUpHost();
  EXPECT_TRUE(boxes_.empty()) << boxes_.front().text;
  ASSERT_FALSE(lookup.endProgram);
  ASSERT_TRUE(lookup.found);
  // Every start was matched by a clean-up: one more clean-up is refused.
  EXPECT_EQ(WSACleanup(), SOCKET_ERROR);
  EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);

  WSADATA data{};
  ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
  char name[256] = {};
  ASSERT_EQ(gethostname(name, sizeof name), 0);
  std::string upper(name);
  for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  std::vector<std::string> expected;
  if (const hostent* entry = gethostbyname(name)) {
    ASSERT_EQ(entry->h_length, 4);
    for (char** a = entry->h_addr_list; *a; ++a) expected.push_back(inet_ntoa(*reinterpret_cast<in_addr*>(*a)));
  }
  WSACleanup();

  EXPECT_EQ(lookup.hostLabel, upper);
  EXPECT_FALSE(expected.empty());
  EXPECT_EQ(lookup.addresses, expected);
}

}  // namespace
