// The HTTP client: one address fetched whole as text, synchronously, through WinINet.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace http {

struct FetchLimits {
  unsigned long timeoutMs = 15000;    // each of connect, send and receive
  unsigned long totalMs = 30000;      // the whole fetch, however slowly the server answers
  std::size_t maxBytes = 256 * 1024;  // a longer answer fails the fetch
};

// Fetches the http:// or https:// address whole and returns the body's bytes unchanged (the
// server's text in its own code page). Uses the system's proxy settings, never the cache (nothing
// read from or written to it), never shows any user interface, keeps certificate checks on.
//
// Throws Failure on every failure, with:
//   - the WinINet or Win32 error code and its text when the connection, the request or the read
//     fails (12029 for a server that is not listening, 12002 for a time-out, ...);
//   - ERROR_INTERNET_TIMEOUT (12002) when the whole fetch outlasts limits.totalMs;
//   - the HTTP status (404, 500, ...) and "HTTP status <n> from <url>" for any status outside 2xx;
//   - ERROR_FILE_TOO_LARGE (223) when the answer exceeds limits.maxBytes;
//   - ERROR_INTERNET_UNRECOGNIZED_SCHEME (12006) for an address that is not http:// or https://.
std::string FetchText(std::string_view url, const FetchLimits& limits = {});

}  // namespace http
