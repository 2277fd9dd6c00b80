// Module Ip through a fake wsock32: the exact boxes, and whether the program must end.
#include <gtest/gtest.h>

#include "net/SocketsApi.h"

#include <windows.h>

#include <string>

#include "net/Ip.h"
#include "platform/MessageBox.h"

namespace {

char gName[] = "testhost", *gNone[] = {nullptr};
hostent gHost{gName, gNone, AF_INET, 4, gNone};  // no addresses

// What the fake wsock32 answers.
struct FakeSockets {
  int startupResult = 0;
  WORD version = 0x0101;
  unsigned short maxSockets = 32767;
  int hostNameResult = 0;
  hostent* entry = &gHost;
  int cleanupResult = 0;
} gFake;

TEST(NetIp, LookupShowsEachFailureBoxAndSaysWhetherTheProgramEnds) {
  const win::ScopedCalls<SocketsApi> fake({
      [](WORD, WSADATA* data) {
        return data->wVersion = gFake.version, data->iMaxSockets = gFake.maxSockets, gFake.startupResult;
      },
      [] { return gFake.cleanupResult; },
      [] { return 10093; },
      [](char* name, int length) { return lstrcpynA(name, "testhost", length), gFake.hostNameResult; },
      [](const char*) { return gFake.entry; },
  });
  std::string boxes;
  SetMessageBoxHook([&](const std::string& text, const std::string& caption, unsigned style) {
    return boxes += text + "|" + caption + "|" + std::to_string(style), kAnswerOk;
  });
  const struct {
    FakeSockets fake;
    const char* box;
    bool endProgram, found;
  } cases[] = {
      {{}, "", false, true},
      {{.startupResult = 10091}, "Winsock.dll is Not responding.|OKU|0", true, false},
      {{.version = 0x0001}, "Windows Sockets version 1.0 is Not supported by winsock.dll |OKU|0", true, false},
      {{.maxSockets = 0}, "This application requires a minimum of 1 supported sockets.|OKU|0", true, false},
      {{.hostNameResult = SOCKET_ERROR}, "Windows Sockets Error  10093|OKU|0", false, false},
      {{.entry = nullptr}, "Winsock.dll is Not responding.|OKU|0", false, false},
      {{.cleanupResult = -1}, "Socket Error -1 occurred In Cleanup |OKU|0", true, true},
  };
  for (const auto& c : cases) {
    gFake = c.fake;
    boxes.clear();
    const HostLookup lookup = LookUpHost();
    EXPECT_EQ(boxes, c.box);
    EXPECT_EQ(lookup.endProgram, c.endProgram) << c.box;
    EXPECT_EQ(lookup.found, c.found) << c.box;
    EXPECT_EQ(lookup.hostLabel, c.found ? "TESTHOST" : "") << c.box;
  }
  SetMessageBoxHook(nullptr);
}

}  // namespace
