// Module Ip over Windows Sockets 1.1: start-up checks, the host lookup and clean-up.
#include "net/SocketsApi.h"

#include <windows.h>

#include "net/Ip.h"
#include "net/IpText.h"
#include "platform/MessageBox.h"
#include "platform/SystemLibrary.h"

namespace {

// Stand-ins where wsock32 or one of its functions is missing: start-up fails as a Windows Sockets
// that is not ready does, so the load sequence shows its box and ends the program.
int WSAAPI NoStartup(WORD, WSADATA*) { return WSASYSNOTREADY; }
int WSAAPI NoCleanup() { return WSANOTINITIALISED; }
int WSAAPI NoLastError() { return WSANOTINITIALISED; }
int WSAAPI NoHostName(char*, int) { return SOCKET_ERROR; }
hostent* WSAAPI NoHostByName(const char*) { return nullptr; }

template <class Function>
Function Entry(HMODULE module, const char* name, Function missing) {
  const FARPROC found = module ? GetProcAddress(module, name) : nullptr;
  return found ? reinterpret_cast<Function>(found) : missing;
}

}  // namespace

// wsock32 is no KnownDLL: loaded by name, a wsock32.dll beside OKU.exe would be taken instead of the
// system's. So it is loaded at run time from the System folder, and stays loaded for the run.
SocketsApi SocketsApi::Real() {
  const HMODULE wsock32 = win::LoadSystemLibrary("wsock32.dll");
  return {Entry(wsock32, "WSAStartup", NoStartup), Entry(wsock32, "WSACleanup", NoCleanup),
          Entry(wsock32, "WSAGetLastError", NoLastError), Entry(wsock32, "gethostname", NoHostName),
          Entry(wsock32, "gethostbyname", NoHostByName)};
}

namespace {

void Tell(const std::string& text) { ShowMessage(text, kAppTitle, kMbOk); }

}  // namespace

bool StartSockets() {
  WSADATA data{};
  SocketsStartup startup;
  startup.result = win::Calls<SocketsApi>().startup(kSocketsVersion, &data);
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
  if (win::Calls<SocketsApi>().getHostName(buffer, sizeof buffer) == SOCKET_ERROR) {
    Tell(SocketsErrorText(win::Calls<SocketsApi>().lastError()));
    return std::nullopt;
  }
  const std::string name = HostNameFromBuffer(std::string_view(buffer, sizeof buffer));

  const hostent* entry = win::Calls<SocketsApi>().getHostByName(name.c_str());
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
  const int result = win::Calls<SocketsApi>().cleanup();
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
