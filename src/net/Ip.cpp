// Module Ip over Windows Sockets 1.1: start-up checks, the host lookup and clean-up.
#include "net/SocketsApi.h"

#include <windows.h>

#include "net/Ip.h"
#include "net/IpText.h"
#include "platform/MessageBox.h"

SocketsApi RealSocketsApi() { return {WSAStartup, WSACleanup, WSAGetLastError, gethostname, gethostbyname}; }

SocketsApi& Sockets() {
  static SocketsApi api = RealSocketsApi();
  return api;
}

namespace {

void Tell(const std::string& text) { ShowMessage(text, kAppTitle, kMbOk); }

}  // namespace

bool StartSockets() {
  WSADATA data{};
  SocketsStartup startup;
  startup.result = Sockets().startup(kSocketsVersion, &data);
  startup.version = data.wVersion;
  startup.maxSockets = static_cast<int16_t>(data.iMaxSockets);
  if (const auto problem = StartupProblem(startup)) {
    Tell(*problem);
    return false;
  }
  return true;
}

std::optional<std::vector<std::string>> GetHostAddresses() {
  char buffer[kHostNameBufferSize] = {};
  if (Sockets().getHostName(buffer, sizeof buffer) == SOCKET_ERROR) {
    Tell(SocketsErrorText(Sockets().lastError()));
    return std::nullopt;
  }
  const std::string name = HostNameFromBuffer(std::string_view(buffer, sizeof buffer));

  const hostent* entry = Sockets().getHostByName(name.c_str());
  if (!entry) {
    Tell(std::string(kNotRespondingText));
    return std::nullopt;
  }
  std::vector<std::string> list{name};
  // h_length is per entry (4 for IPv4); a negative length reads as no bytes.
  const size_t length = entry->h_length > 0 ? static_cast<size_t>(entry->h_length) : 0;
  for (char** address = entry->h_addr_list; address && *address; ++address) {
    list.push_back(AddressText(reinterpret_cast<const unsigned char*>(*address), length));
  }
  return list;
}

bool StopSockets() {
  const int result = Sockets().cleanup();
  if (result != 0) {
    Tell(CleanupErrorText(result));
    return false;
  }
  return true;
}

HostLookup LookUpHost() {
  HostLookup lookup;
  if (!StartSockets()) {
    lookup.endProgram = true;
    return lookup;
  }
  if (auto list = GetHostAddresses()) {
    std::string label = (*list)[0];
    if (!label.empty()) CharUpperBuffA(label.data(), static_cast<DWORD>(label.size()));
    lookup.found = true;
    lookup.hostLabel = std::move(label);
    lookup.addresses.assign(list->begin() + 1, list->end());
  }
  lookup.endProgram = !StopSockets();
  return lookup;
}
