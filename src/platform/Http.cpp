// WinINet behind FetchText: crack the address, connect, one GET, check the status, read to the end
// under the size cap, all within the deadline of the whole fetch. Every handle is owned; every
// failure becomes a Failure with its code.
#include "platform/Http.h"

#include <windows.h>
#include <wininet.h>

#include <process.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BuildConfig.h"
#include "platform/Failure.h"
#include "platform/Handles.h"
#include "platform/SystemLibrary.h"

namespace http {
namespace {

// The text for a WinINet code comes from wininet.dll's own message table, not the system's.
std::string InternetErrorText(DWORD code) {
  if (code == ERROR_INTERNET_EXTENDED_ERROR) {
    DWORD detail = 0;
    char text[512] = {};
    DWORD length = sizeof text;
    if (InternetGetLastResponseInfoA(&detail, text, &length) && length > 0) {
      return std::string(text, length < sizeof text ? length : sizeof text - 1);
    }
  }
  if (HMODULE wininet = GetModuleHandleA("wininet.dll")) {
    char* text = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS,
                       wininet, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = length && text ? std::string(text, length) : std::string();
    if (text) LocalFree(text);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' ')) {
      result.pop_back();
    }
    if (!result.empty()) return result;
  }
  return win::ErrorDescription(code);
}

[[noreturn]] void ThrowLastError(const char* call, std::string_view url) {
  const DWORD code = GetLastError();
  throw Failure(static_cast<long>(code), InternetErrorText(code) + " (" + call + ", " + std::string(url) + ")");
}

// Schemes are ASCII: a plain ASCII comparison, whatever the code page.
bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (lower(text[i]) != lower(prefix[i])) return false;
  }
  return true;
}

// Each limit on the handle given; child handles inherit them from the session.
void SetTimeouts(HINTERNET handle, DWORD ms) {
  for (DWORD option :
       {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT}) {
    InternetSetOptionA(handle, option, &ms, sizeof ms);
  }
}

struct UrlParts {
  std::string host;
  INTERNET_PORT port = 0;
  bool secure = false;
  std::string object;  // path and query, as sent in the request line
};

UrlParts CrackUrl(std::string_view url) {
  const bool secure = StartsWithNoCase(url, "https://");
  if (!secure && !StartsWithNoCase(url, "http://")) {
    throw Failure(ERROR_INTERNET_UNRECOGNIZED_SCHEME,
                  InternetErrorText(ERROR_INTERNET_UNRECOGNIZED_SCHEME) + " (" + std::string(url) + ")");
  }
  std::vector<char> host(INTERNET_MAX_HOST_NAME_LENGTH + 1);
  std::vector<char> path(url.size() + 2);
  std::vector<char> extra(url.size() + 2);
  URL_COMPONENTSA parts{};
  parts.dwStructSize = sizeof parts;
  parts.lpszHostName = host.data();
  parts.dwHostNameLength = static_cast<DWORD>(host.size());
  parts.lpszUrlPath = path.data();
  parts.dwUrlPathLength = static_cast<DWORD>(path.size());
  parts.lpszExtraInfo = extra.data();
  parts.dwExtraInfoLength = static_cast<DWORD>(extra.size());
  const std::string text(url);
  if (!InternetCrackUrlA(text.c_str(), static_cast<DWORD>(text.size()), 0, &parts) || host[0] == '\0') {
    const DWORD code = GetLastError() ? GetLastError() : ERROR_INTERNET_INVALID_URL;
    throw Failure(static_cast<long>(code), InternetErrorText(code) + " (" + text + ")");
  }
  UrlParts result;
  result.host = host.data();
  result.port = parts.nPort;
  result.secure = secure;
  result.object = std::string(path.data()) + extra.data();
  if (result.object.empty()) result.object.push_back('/');
  return result;
}

DWORD QueryStatus(HINTERNET request, std::string_view url) {
  DWORD status = 0;
  DWORD length = sizeof status;
  if (!HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &length, nullptr)) {
    ThrowLastError("HttpQueryInfoA", url);
  }
  return status;
}

// The announced length when the server sent one, read as text so that any size fits.
bool AnnouncedLengthExceeds(HINTERNET request, std::size_t maxBytes) {
  char text[32] = {};
  DWORD length = sizeof text - 1;
  if (!HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH, text, &length, nullptr)) return false;
  unsigned long long value = 0;
  for (DWORD i = 0; i < length && text[i]; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;  // unreadable: the read loop still caps the body
    value = value * 10 + static_cast<unsigned>(text[i] - '0');
    if (value > maxBytes) return true;
  }
  return false;
}

[[noreturn]] void ThrowTooLarge(std::string_view url, std::size_t maxBytes) {
  throw Failure(ERROR_FILE_TOO_LARGE,
                "The answer from " + std::string(url) + " is larger than " + std::to_string(maxBytes) + " bytes");
}

// One fetch, run on a worker thread so that the caller can keep its deadline: WinINet's own limits
// are per receive, and a server that trickles a byte now and then never meets them. At the deadline
// the caller closes the open handles (WinINet's way of cancelling a blocking call on another thread;
// Wine's may still finish the call it is in) and reports the time-out whether or not the worker has
// ended. Shared by the caller and the worker; the last one to let go frees it.
class FetchJob {
 public:
  FetchJob(std::string_view url, const FetchLimits& limits, UrlParts parts)
      : url(url), limits(limits), parts(std::move(parts)) {
    InitializeCriticalSection(&lock_);
  }
  ~FetchJob() {
    CloseAll();
    DeleteCriticalSection(&lock_);
  }
  FetchJob(const FetchJob&) = delete;
  FetchJob& operator=(const FetchJob&) = delete;

  // The worker keeps each handle it opens here; once the caller has given up it closes it at once.
  HINTERNET Keep(HINTERNET handle, const char* call) {
    if (!handle) ThrowLastError(call, url);
    EnterCriticalSection(&lock_);
    const bool cancelled = cancelled_;
    if (!cancelled) handles_.push_back(handle);
    LeaveCriticalSection(&lock_);
    if (cancelled) {
      InternetCloseHandle(handle);
      throw Failure(ERROR_INTERNET_OPERATION_CANCELLED, "cancelled");
    }
    return handle;
  }
  // Called by the worker before each call on a handle it kept: once the caller has given up, those
  // handles are closed and their values may already belong to the next fetch.
  void ThrowIfCancelled() {
    EnterCriticalSection(&lock_);
    const bool cancelled = cancelled_;
    LeaveCriticalSection(&lock_);
    if (cancelled) throw Failure(ERROR_INTERNET_OPERATION_CANCELLED, "cancelled");
  }
  // The caller at the deadline: closes what is open, newest first, and turns away what comes later.
  void Cancel() {
    EnterCriticalSection(&lock_);
    cancelled_ = true;
    CloseHandlesLocked();
    LeaveCriticalSection(&lock_);
  }
  void CloseAll() {
    EnterCriticalSection(&lock_);
    CloseHandlesLocked();
    LeaveCriticalSection(&lock_);
  }

  const std::string url;
  const FetchLimits limits;
  const UrlParts parts;
  // Written by the worker before it ends; read by the caller only after that.
  std::string body;
  std::optional<Failure> failure;

 private:
  void CloseHandlesLocked() {
    while (!handles_.empty()) {
      InternetCloseHandle(handles_.back());
      handles_.pop_back();
    }
  }

  CRITICAL_SECTION lock_;
  std::vector<HINTERNET> handles_;
  bool cancelled_ = false;
};

std::string Fetch(FetchJob& job) {
  const std::string& url = job.url;
  const std::string agent = "OKU/" + std::to_string(build::kVersionMajor) + "." + std::to_string(build::kVersionMinor) +
                            "." + std::to_string(build::kVersionRevision);
  const HINTERNET session =
      job.Keep(InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0), "InternetOpenA");
  SetTimeouts(session, job.limits.timeoutMs);

  const HINTERNET connection = job.Keep(
      InternetConnectA(session, job.parts.host.c_str(), job.parts.port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0),
      "InternetConnectA");
  SetTimeouts(connection, job.limits.timeoutMs);

  // Always from the server: a stale cached version file would hide a new release.
  DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES;
  if (job.parts.secure) flags |= INTERNET_FLAG_SECURE;  // certificate checks stay on: no IGNORE_CERT flags
  const HINTERNET request =
      job.Keep(HttpOpenRequestA(connection, "GET", job.parts.object.c_str(), nullptr, nullptr, nullptr, flags, 0),
               "HttpOpenRequestA");
  SetTimeouts(request, job.limits.timeoutMs);

  if (!HttpSendRequestA(request, nullptr, 0, nullptr, 0)) ThrowLastError("HttpSendRequestA", url);

  job.ThrowIfCancelled();
  const DWORD status = QueryStatus(request, url);
  if (status < 200 || status > 299) {
    throw Failure(static_cast<long>(status), "HTTP status " + std::to_string(status) + " from " + url);
  }
  if (AnnouncedLengthExceeds(request, job.limits.maxBytes)) ThrowTooLarge(url, job.limits.maxBytes);

  std::string body;
  char buffer[16 * 1024];
  for (;;) {
    DWORD read = 0;
    job.ThrowIfCancelled();
    if (!InternetReadFile(request, buffer, sizeof buffer, &read)) ThrowLastError("InternetReadFile", url);
    if (read == 0) break;
    body.append(buffer, read);
    if (body.size() > job.limits.maxBytes) ThrowTooLarge(url, job.limits.maxBytes);
  }
  return body;
}

unsigned __stdcall RunFetch(void* parameter) {
  // The thread's own share of the job, handed over by the caller.
  const std::unique_ptr<std::shared_ptr<FetchJob>> share(static_cast<std::shared_ptr<FetchJob>*>(parameter));
  FetchJob& job = **share;
  try {
    job.body = Fetch(job);
  } catch (const Failure& failure) {
    job.failure = failure;
  } catch (const std::exception& error) {
    job.failure = Failure(ERROR_INTERNET_INTERNAL_ERROR, error.what());
  }
  job.CloseAll();
  return 0;
}

// After the deadline, how long the caller still gives the cancelled worker to end; a worker still in
// a call after that finds itself cancelled when the call returns and makes no further one.
constexpr DWORD kCancelGraceMs = 1000;

}  // namespace

std::string FetchText(std::string_view url, const FetchLimits& limits) {
  // WinINet is delay-loaded, and it is no KnownDLL: loading it here first, from the System folder,
  // makes the delay-load helper find this module instead of searching the program's folder, and
  // makes a system without it a reported failure instead of an exception in that helper.
  static HMODULE wininet = nullptr;
  if (!wininet) wininet = win::LoadSystemLibrary("wininet.dll");
  if (!wininet) ThrowLastError("LoadLibraryExA", url);

  auto job = std::make_shared<FetchJob>(url, limits, CrackUrl(url));
  auto* share = new std::shared_ptr<FetchJob>(job);
  const win::UniqueHandle worker(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, RunFetch, share, 0, nullptr)));
  if (!worker) {
    delete share;
    throw Failure(ERROR_NOT_ENOUGH_MEMORY, "The fetch of " + std::string(url) + " could not start a thread");
  }
  if (WaitForSingleObject(worker.get(), limits.totalMs) != WAIT_OBJECT_0) {
    job->Cancel();
    WaitForSingleObject(worker.get(), kCancelGraceMs);
    throw Failure(ERROR_INTERNET_TIMEOUT, InternetErrorText(ERROR_INTERNET_TIMEOUT) + " (the whole fetch took over " +
                                              std::to_string(limits.totalMs) + " ms, " + std::string(url) + ")");
  }
  if (job->failure) throw *job->failure;
  return std::move(job->body);
}

}  // namespace http
