// The wsock32 functions that module Ip calls through win::Calls<SocketsApi>(), as a table that
// tests swap for fakes.
#pragma once

#include <winsock2.h>

#include "platform/Seam.h"

struct SocketsApi {
  int(WSAAPI* startup)(WORD version, WSADATA* data);
  int(WSAAPI* cleanup)();
  int(WSAAPI* lastError)();
  int(WSAAPI* getHostName)(char* name, int length);
  hostent*(WSAAPI* getHostByName)(const char* name);

  // The real functions, from the System folder's wsock32.dll (loaded on first call).
  static SocketsApi Real();
};
