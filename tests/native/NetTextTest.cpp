// Host-lookup and network-information texts: address bytes, the sockets checks and their exact
// messages, the ipconfig command line, the header, and the cut of captured output.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/IpText.h"
#include "net/NetInfoText.h"

namespace {

TEST(IpText, AddressTextIsEveryByteInMemoryOrder) {
  struct Case {
    std::vector<unsigned char> bytes;
    const char* text;
  };
  const Case cases[] = {
      {{10, 0, 0, 5}, "10.0.0.5"},
      {{192, 168, 0, 1}, "192.168.0.1"},
      {{255, 255, 255, 255}, "255.255.255.255"},
      {{0, 0, 0, 0}, "0.0.0.0"},
      {{7}, "7"},
      {{}, ""},
      {{0xFE, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, "254.128.0.0.0.0.0.0.0.0.0.0.0.0.0.1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(AddressText(c.bytes.data(), c.bytes.size()), c.text);
  }
}

TEST(IpText, MessagesKeepTheirBlanks) {
  EXPECT_EQ(SocketsErrorText(10093), "Windows Sockets Error  10093");
  EXPECT_EQ(SocketsErrorText(0), "Windows Sockets Error  0");
  EXPECT_EQ(SocketsErrorText(-2), "Windows Sockets Error -2");
  EXPECT_EQ(UnsupportedVersionText(1, 0), "Windows Sockets version 1.0 is Not supported by winsock.dll ");
  EXPECT_EQ(TooFewSocketsText(1), "This application requires a minimum of 1 supported sockets.");
  EXPECT_EQ(CleanupErrorText(-1), "Socket Error -1 occurred In Cleanup ");
}

TEST(IpText, StartupChecksRunInOrderOnTheRightBytes) {
  const std::string notResponding(kNotRespondingText);
  const std::string tooFew = TooFewSocketsText(1);
  struct Case {
    SocketsStartup startup;
    std::optional<std::string> problem;
  };
  const Case cases[] = {
      {{0, 0x0101, 32767}, std::nullopt},
      {{0, 0x0002, 1}, std::nullopt},  // 2.0: a newer major version is fine
      {{0, 0x0201, 1}, std::nullopt},  // 1.2
      {{10092, 0x0101, 32767}, notResponding},
      {{10092, 0x0001, 0}, notResponding},  // the start-up result is checked first
      {{0, 0x0001, 32767}, UnsupportedVersionText(1, 0)},
      {{0, 0x0100, 32767}, UnsupportedVersionText(0, 1)},  // minor is the high byte
      {{0, 0x0001, 0}, UnsupportedVersionText(1, 0)},      // version before sockets
      {{0, 0x0101, 0}, tooFew},
      {{0, 0x0101, -1}, tooFew},  // 65535 sockets read as a signed 16-bit number
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.startup.result << " " << std::hex << c.startup.version << " " << std::dec
                                    << c.startup.maxSockets);
    EXPECT_EQ(StartupProblem(c.startup), c.problem);
  }
}

TEST(IpText, HostNameIsTheTrimmedTextBeforeTheNul) {
  using namespace std::string_literals;
  EXPECT_EQ(HostNameFromBuffer("myhost\0junk after"s), "myhost");
  EXPECT_EQ(HostNameFromBuffer("  Mixed-Case \0   "s), "Mixed-Case");
  EXPECT_EQ(HostNameFromBuffer("no-terminator   "s), "no-terminator");
  EXPECT_EQ(HostNameFromBuffer(std::string(256, ' ')), "");
}

TEST(NetInfoText, CommandLineFollowsTheWindowsFamily) {
  EXPECT_EQ(NetInfoCommandLine(true, "C:\\WINNT\\system32\\", "C:\\WINNT\\"), "C:\\WINNT\\system32\\ipconfig.exe /all");
  EXPECT_EQ(NetInfoCommandLine(false, "C:\\WINDOWS\\SYSTEM\\", "C:\\WINDOWS\\"), "C:\\WINDOWS\\ipconfig.exe /all");
}

TEST(NetInfoText, HeaderPrecedesTheBodyLineByLine) {
  EXPECT_EQ(ComposeNetInfoText("3/7/2002", "C:\\WINDOWS\\ipconfig.exe /all", "line 1\r\nline 2\r\n"),
            "Generated via OKU on 3/7/2002\r\nCommand C:\\WINDOWS\\ipconfig.exe /all\r\nline 1\r\nline 2\r\n");
  EXPECT_EQ(ComposeNetInfoText("d", "c", "Error: CreateProcess failed. 2"),
            "Generated via OKU on d\r\nCommand c\r\nError: CreateProcess failed. 2");
}

TEST(NetInfoText, ErrorTextsNameTheCallAndCode) {
  EXPECT_EQ(CaptureErrorText("CreatePipe", 8), "Error: CreatePipe failed. 8");
  EXPECT_EQ(CaptureErrorText("CreateProcess", 2), "Error: CreateProcess failed. 2");
  EXPECT_EQ(CaptureErrorText("ReadFile", 4294967295UL), "Error: ReadFile failed. 4294967295");
}

TEST(NetInfoText, CaptureKeepsExactlyTheLimitAcrossChunkBoundaries) {
  struct Case {
    std::vector<size_t> chunks;
    size_t kept;
    uint64_t dropped;
  };
  const Case cases[] = {
      {{}, 0, 0},
      {{10240}, 10240, 0},
      {{10239, 1}, 10240, 0},
      {{10239, 2}, 10240, 1},
      {{4096, 4096, 4096, 4096}, 10240, 6144},
      {{1 << 20}, 10240, (1 << 20) - 10240},
  };
  for (const Case& c : cases) {
    CapturedOutput out;
    std::string all;
    for (size_t n : c.chunks) {
      std::string chunk;
      for (size_t i = 0; i < n; ++i) chunk += static_cast<char>('a' + (all.size() + i) % 26);
      all += chunk;
      out.Append(chunk);
    }
    SCOPED_TRACE(all.size());
    EXPECT_EQ(out.Kept(), all.substr(0, c.kept));
    EXPECT_EQ(out.Dropped(), c.dropped);
  }
}

}  // namespace
