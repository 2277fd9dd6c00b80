// Address texts and Windows Sockets messages.
#include "net/IpText.h"

std::string AddressText(const unsigned char* bytes, size_t length) {
  std::string text;
  for (size_t i = 0; i < length; ++i) {
    if (i > 0) text += '.';
    text += std::to_string(bytes[i]);
  }
  return text;
}

std::string SocketsErrorText(long code) {
  // The sign position: a number printed on its own keeps a blank where a minus sign would go.
  return "Windows Sockets Error " + std::string(code < 0 ? "" : " ") + std::to_string(code);
}

std::string UnsupportedVersionText(int major, int minor) {
  return "Windows Sockets version " + std::to_string(major) + "." + std::to_string(minor) +
         " is Not supported by winsock.dll ";
}

std::string TooFewSocketsText(int minimum) {
  return "This application requires a minimum of " + std::to_string(minimum) + " supported sockets.";
}

std::string CleanupErrorText(long value) { return "Socket Error " + std::to_string(value) + " occurred In Cleanup "; }

std::optional<std::string> StartupProblem(const SocketsStartup& startup) {
  if (startup.result != 0) return std::string(kNotRespondingText);
  const int major = startup.version & 0xFF;
  const int minor = startup.version >> 8;
  const int wantedMajor = kSocketsVersion & 0xFF;
  const int wantedMinor = kSocketsVersion >> 8;
  if (major < wantedMajor || (major == wantedMajor && minor < wantedMinor)) return UnsupportedVersionText(major, minor);
  if (startup.maxSockets < kMinSockets) return TooFewSocketsText(kMinSockets);
  return std::nullopt;
}

std::string HostNameFromBuffer(std::string_view buffer) {
  std::string_view name = buffer.substr(0, buffer.find('\0'));
  while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  return std::string(name);
}
