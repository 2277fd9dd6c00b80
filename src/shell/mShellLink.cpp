// Module mShellLink, and the real shell operations the shell routines call.
#include "shell/mShellLink.h"

#include <shellapi.h>
#include <shlobj.h>

#include <memory>

#include "platform/ComPtr.h"
#include "platform/Failure.h"
#include "platform/Handles.h"
#include "platform/MessageBox.h"
#include "platform/Process.h"
#include "shell/ShellApi.h"
#include "shell/ShellText.h"

ShellApi ShellApi::Real() {
  ShellApi api;
  // The shell may hand an execute to an extension that needs COM.
  api.execute = [](const char* verb, const char* file, const char* parameters, int showMode) {
    win::NeedComApartment();
    return reinterpret_cast<intptr_t>(ShellExecuteA(nullptr, verb, file, parameters, nullptr, showMode));
  };
  api.findExecutable = [](const char* file, char* result) {
    win::NeedComApartment();
    return reinterpret_cast<intptr_t>(FindExecutableA(file, nullptr, result));
  };
  api.startProcess = StartProcess;
  return api;
}

namespace {
// The System directory's rundll32.exe, named explicitly so that a copy planted in the current or
// program directory is never the one started.
std::string SystemRundll32() {
  char directory[MAX_PATH + 1] = {};
  const UINT length = GetSystemDirectoryA(directory, sizeof directory);
  if (length == 0 || length >= sizeof directory) throw win::Win32Failure(GetLastError());
  return std::string(directory, length) + "\\rundll32.exe";
}

struct FreeItemList {
  void operator()(ITEMIDLIST* list) const noexcept { win::com::TaskMemFree(list); }
};
}  // namespace

long ShellExecuteFile(const std::string& file, long showMode, const std::string& verb) {
  const ShellApi& shell = win::Calls<ShellApi>();
  const intptr_t result = shell.execute(ShellVerb(verb), file.c_str(), nullptr, static_cast<int>(showMode));
  if (result > 32) return -1;

  long code = static_cast<long>(result);
  if (code == kShellNoAssociation) {
    // No program for this type: let the user pick one, silently.
    if (shell.startProcess(OpenWithCommandLine(file), SW_SHOWNORMAL, SystemRundll32()) != 0) return -1;
    code = 0;
  }
  // The text follows the shell's own code, even when the fallback changed the result.
  ShowMessage(ShellExecuteFailureMessage(file, static_cast<long>(result)), "Shell execute failed...", kMbStop);
  return code;
}

std::string BrowseForFolder(HWND owner, const std::string& prompt) {
  char displayName[MAX_PATH] = {};
  BROWSEINFOA info{};
  info.hwndOwner = owner;
  info.pidlRoot = nullptr;
  info.pszDisplayName = displayName;
  info.lpszTitle = prompt.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  win::NeedComApartment();
  const std::unique_ptr<ITEMIDLIST, FreeItemList> list(SHBrowseForFolderA(&info));
  if (!list) return {};  // cancelled

  char path[MAX_PATH] = {};
  if (!SHGetPathFromIDListA(list.get(), path)) return {};
  return std::string(TextBeforeNul(std::string_view(path, sizeof path)).value_or(""));
}
