// Writes one shortcut with cShellLink, for checks by readers outside Wine:
//   ShortcutWriter <lnk file> <target> <show command> [<working dir> <arguments> <icon file> <icon index>]
// Exits with 0 when the shortcut was written, 1 when CreateShellLink gave false, 2 on bad usage.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/ComPtr.h"
#include "shell/cShellLink.h"

int main(int argc, char** argv) {
  if (argc != 4 && argc != 8) {
    std::fprintf(stderr, "usage: ShortcutWriter lnk target show [workdir args icon index]\n");
    return 2;
  }
  win::ComApartment com;
  const std::string workDir = argc == 8 ? argv[4] : "";
  const std::string arguments = argc == 8 ? argv[5] : "";
  const std::string iconFile = argc == 8 ? argv[6] : "";
  const int32_t iconIndex = argc == 8 ? std::atoi(argv[7]) : 0;
  cShellLink link;
  const int32_t written =
      link.CreateShellLink(argv[1], argv[2], workDir, arguments, iconFile, iconIndex, std::atoi(argv[3]));
  std::printf("CreateShellLink gave %d\n", static_cast<int>(written));
  return written == -1 ? 0 : 1;
}
