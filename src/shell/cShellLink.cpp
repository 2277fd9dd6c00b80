// Class cShellLink over IShellLinkA and IPersistFile.
#include "shell/cShellLink.h"

#include <shlobj.h>

#include <memory>
#include <string_view>

#include "platform/ComPtr.h"
#include "shell/ShellText.h"

namespace {

constexpr int32_t kTrue = -1;
constexpr int32_t kFalse = 0;
constexpr const char* kDescription = "ShellLink Sample";

struct FreeItemList {
  void operator()(ITEMIDLIST* list) const noexcept { win::com::TaskMemFree(list); }
};

// IPersistFile takes UTF-16 names; our texts are in the ANSI code page.
std::wstring Wide(const std::string& text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  if (length > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

// A fresh shell link object with both of its sides; false when either cannot be had.
bool CreateLinkObject(win::ComPtr<IShellLinkA>& link, win::ComPtr<IPersistFile>& file) {
  win::NeedComApartment();
  if (FAILED(win::com::CreateInstance(CLSID_ShellLink, IID_IShellLinkA, link.PutVoid()))) return false;
  return SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.PutVoid()));
}

// A MAX_PATH buffer of blanks for the shell to write into, and the text it left there.
std::string BlankBuffer() { return std::string(MAX_PATH, ' '); }
std::string BufferText(const std::string& buffer) { return std::string(TextBeforeNul(buffer).value_or(buffer)); }

}  // namespace

int32_t cShellLink::GetSystemFolderPath(HWND hwnd, uint16_t Id, std::string& sfPath) {
  win::NeedComApartment();
  ITEMIDLIST* raw = nullptr;
  if (SHGetSpecialFolderLocation(hwnd, Id, &raw) != S_OK) {
    win::com::TaskMemFree(raw);
    return kFalse;
  }
  const std::unique_ptr<ITEMIDLIST, FreeItemList> list(raw);
  std::string buffer = BlankBuffer();
  if (!SHGetPathFromIDListA(list.get(), buffer.data())) return kFalse;
  if (auto path = FolderPathFromBuffer(buffer)) sfPath = std::move(*path);
  return kTrue;
}

int32_t cShellLink::CreateShellLink(const std::string& LnkFile, const std::string& ExeFile, const std::string& WorkDir,
                                    const std::string& ExeArgs, const std::string& IconFile, int32_t IconIdx,
                                    int32_t ShowCmd) {
  if (LnkFile.empty() || ExeFile.empty()) return kFalse;
  win::ComPtr<IShellLinkA> link;
  win::ComPtr<IPersistFile> file;
  if (!CreateLinkObject(link, file)) return kFalse;

  if (FAILED(link->SetPath(ExeFile.c_str()))) return kFalse;
  if (!WorkDir.empty() && FAILED(link->SetWorkingDirectory(WorkDir.c_str()))) return kFalse;
  if (!ExeArgs.empty() && FAILED(link->SetArguments(ExeArgs.c_str()))) return kFalse;
  if (!IconFile.empty() && FAILED(link->SetIconLocation(IconFile.c_str(), IconIdx))) return kFalse;
  if (FAILED(link->SetDescription(kDescription))) return kFalse;
  if (FAILED(link->SetShowCmd(ShowCmd))) return kFalse;
  if (FAILED(link->Resolve(nullptr, SLR_UPDATE))) return kFalse;
  if (FAILED(file->Save(Wide(LnkFile).c_str(), FALSE))) return kFalse;
  return kTrue;
}

int32_t cShellLink::GetShellLinkInfo(const std::string& LnkFile, std::string& ExeFile, std::string& WorkDir,
                                     std::string& ExeArgs, std::string& IconFile, int32_t& IconIdx, int32_t& ShowCmd) {
  if (LnkFile.empty()) return kFalse;
  win::ComPtr<IShellLinkA> link;
  win::ComPtr<IPersistFile> file;
  if (!CreateLinkObject(link, file)) return kFalse;
  if (FAILED(file->Load(Wide(LnkFile).c_str(), STGM_READ))) return kFalse;

  std::string buffer = BlankBuffer();
  WIN32_FIND_DATAA findData{};
  if (FAILED(link->GetPath(buffer.data(), MAX_PATH, &findData, SLGP_UNCPRIORITY))) return kFalse;
  ExeFile = BufferText(buffer);

  buffer = BlankBuffer();
  if (FAILED(link->GetWorkingDirectory(buffer.data(), MAX_PATH))) return kFalse;
  WorkDir = BufferText(buffer);

  buffer = BlankBuffer();
  if (FAILED(link->GetArguments(buffer.data(), MAX_PATH))) return kFalse;
  ExeArgs = BufferText(buffer);

  buffer = BlankBuffer();
  int index = 0;
  if (FAILED(link->GetIconLocation(buffer.data(), MAX_PATH, &index))) return kFalse;
  IconFile = BufferText(buffer);
  IconIdx = index;

  int show = 0;
  if (FAILED(link->GetShowCmd(&show))) return kFalse;
  ShowCmd = show;
  return kTrue;
}
