// Writes one shortcut with cShellLink, for checks by readers outside Wine:
//   ShortcutWriter <lnk file> <target> <show command> <working dir> <arguments> <icon file> <icon index>
// Exits with 0 when the shortcut was written, 1 when CreateShellLink gave false, 2 on bad usage.
#include <cstdlib>

#include "platform/ComPtr.h"
#include "shell/cShellLink.h"

int main(int argc, char** argv) {
  if (argc != 8) return 2;
  win::ComApartment com;
  const int32_t written =
      cShellLink().CreateShellLink(argv[1], argv[2], argv[4], argv[5], argv[6], std::atoi(argv[7]), std::atoi(argv[3]));
  return written == -1 ? 0 : 1;
}
