// The shutdown privilege and ExitWindowsEx, through the replaceable table of the Windows calls.
#include "shutdown/WinShut.h"

#include "platform/Handles.h"
#include "platform/MessageBox.h"
#include "shutdown/ShutdownOptions.h"

namespace {

constexpr DWORD kTokenAccess = TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY;  // 40
constexpr DWORD kExitReason = 0xFFFFFFFF;
static_assert(sizeof(TOKEN_PRIVILEGES) == 16, "one privilege entry: the length AdjustTokenPrivileges is given");

// Closes the token through the table, so that a fake token is never handed to the real CloseHandle.
class OwnedToken {
 public:
  explicit OwnedToken(const ShutdownApi& api) : api_(api) {}
  OwnedToken(const OwnedToken&) = delete;
  OwnedToken& operator=(const OwnedToken&) = delete;
  ~OwnedToken() {
    if (token_) api_.closeHandle(token_);
  }
  HANDLE* Put() { return &token_; }
  HANDLE Get() const { return token_; }

 private:
  const ShutdownApi& api_;
  HANDLE token_ = nullptr;
};

// Shows the step's message when the call left a nonzero last-error code.
void ReportStep(const ShutdownApi& api, const char* step) {
  const DWORD code = api.getLastError();
  if (code != 0) ShowMessage(std::string(step) + " error==" + std::to_string(code), kAppTitle, kMbOk);
}

}  // namespace

ShutdownApi ShutdownApi::Real() {
  return ShutdownApi{GetCurrentProcess, OpenProcessToken, LookupPrivilegeValueA, AdjustTokenPrivileges,
                     CloseHandle,       ExitWindowsEx,    SetLastError,          GetLastError};
}

void EnableShutdownPrivilege() {
  const ShutdownApi api = win::Calls<ShutdownApi>();  // a copy: a message box cannot swap the table under us

  api.setLastError(0);
  const HANDLE process = api.getCurrentProcess();
  ReportStep(api, "GetCurrentProcess");

  OwnedToken token(api);
  api.setLastError(0);
  api.openProcessToken(process, kTokenAccess, token.Put());
  ReportStep(api, "OpenProcessToken");

  LUID shutdownId{};
  api.setLastError(0);
  api.lookupPrivilegeValue(nullptr, SE_SHUTDOWN_NAME, &shutdownId);  // no system name: this computer
  ReportStep(api, "LookupPrivilegeValue");

  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Luid = shutdownId;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  TOKEN_PRIVILEGES previous{};
  DWORD returnedLength = 0;
  api.setLastError(0);
  api.adjustTokenPrivileges(token.Get(), FALSE, &privileges, sizeof previous, &previous, &returnedLength);
  ReportStep(api, "AdjustTokenPrivileges");
}

ExitRequestOutcome RequestExitWindows(int option, bool ntFamily) {
  const unsigned flags = ExitOptionAt(option).flags;
  if (ntFamily) EnableShutdownPrivilege();
  const ShutdownApi api = win::Calls<ShutdownApi>();
  api.setLastError(0);
  if (api.exitWindowsEx(flags, kExitReason)) return ExitRequestOutcome{true, 0};
  return ExitRequestOutcome{false, api.getLastError()};
}

std::string RefusalText(DWORD error) { return ShortReport(win::Win32Failure(error)); }

void ReportRefusal(DWORD error) { ShowMessage(RefusalText(error), kAppTitle, kMbStop); }
