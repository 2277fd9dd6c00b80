// Class cShellLink: writes and reads shortcut (.lnk) files through the shell's link object, and
// finds the shell's special folders. Keeps no state; never shows a message. COM single-threaded:
// the run's win::ComApartmentOnDemand is asked for it at first use; on a thread without one, the
// caller initialises it (win::ComApartment).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

class cShellLink {
 public:
  // -1 with the folder's path (no trailing "\") in sfPath; 0 when the shell knows no folder for
  // the number or it has no file-system path, sfPath then unchanged. sfPath is also unchanged
  // when the path is empty.
  int32_t GetSystemFolderPath(HWND hwnd, uint16_t Id, std::string& sfPath);

  // Writes the shortcut LnkFile (replacing an existing one) to ExeFile with the description
  // "ShellLink Sample". Empty WorkDir, ExeArgs or IconFile are not set. -1 when written, 0 for an
  // empty LnkFile or ExeFile and for any failing shell call.
  int32_t CreateShellLink(const std::string& LnkFile, const std::string& ExeFile, const std::string& WorkDir,
                          const std::string& ExeArgs, const std::string& IconFile, int32_t IconIdx, int32_t ShowCmd);

  // Reads a shortcut back: -1 when read, 0 for an empty LnkFile or any failing shell call. The
  // out-texts are the shell's texts (cut at their NUL).
  int32_t GetShellLinkInfo(const std::string& LnkFile, std::string& ExeFile, std::string& WorkDir, std::string& ExeArgs,
                           std::string& IconFile, int32_t& IconIdx, int32_t& ShowCmd);
};
