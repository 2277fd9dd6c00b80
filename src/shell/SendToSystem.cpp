// Binds the Send To command to the real file system.
#include "shell/SendToSystem.h"

#include <windows.h>

#include "platform/Failure.h"
#include "platform/Handles.h"
#include "shell/FolderSearch.h"

SendToFileSystem RealSendToFileSystem() {
  return {[](const std::string& path) { return static_cast<uint32_t>(ReadAttributes(path)); },
          [](const std::string& path, uint32_t attributes) { return SearchFinds(path, attributes); },
          [](const std::string& path) {
            if (!CreateDirectoryA(path.c_str(), nullptr)) throw win::Win32Failure(GetLastError());
          }};
}
