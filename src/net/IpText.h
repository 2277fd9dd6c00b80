// The texts of host lookups: address texts and the messages of the Windows Sockets checks.
// Portable: the Windows side hands in the raw values it got from wsock32.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The Windows Sockets version asked for and the least one accepted: 1.1 (low byte major).
inline constexpr uint16_t kSocketsVersion = 0x0101;
// The least number of sockets the library must offer.
inline constexpr int kMinSockets = 1;
// Characters of the host-name buffer handed to gethostname.
inline constexpr int kHostNameBufferSize = 256;

inline constexpr std::string_view kNotRespondingText = "Winsock.dll is Not responding.";

// The bytes of an address in decimal, joined by ".", in memory order: {10,0,0,5} gives "10.0.0.5".
// Any length; no bytes give empty text.
std::string AddressText(const unsigned char* bytes, size_t length);

// "Windows Sockets Error " then the code with a sign position: a blank before a non-negative code
// (so 10093 reads "Windows Sockets Error  10093"), a minus sign before a negative one.
std::string SocketsErrorText(long code);

// "Windows Sockets version 1.0 is Not supported by winsock.dll " (trailing blank included).
std::string UnsupportedVersionText(int major, int minor);

// "This application requires a minimum of 1 supported sockets."
std::string TooFewSocketsText(int minimum);

// "Socket Error -1 occurred In Cleanup " (trailing blank included).
std::string CleanupErrorText(long value);

// What WSAStartup gave, as the checks read it: its result, the version granted (low byte major,
// high byte minor) and the socket count as a signed 16-bit number.
struct SocketsStartup {
  int result = 0;
  uint16_t version = 0;
  int16_t maxSockets = 0;
};

// The message of the first check that fails (start-up, version, sockets), or nothing when the
// library is fit for use.
std::optional<std::string> StartupProblem(const SocketsStartup& startup);

// The host name in a gethostname buffer: its text up to the first NUL (or the whole buffer when it
// holds none), without blanks at either end.
std::string HostNameFromBuffer(std::string_view buffer);
