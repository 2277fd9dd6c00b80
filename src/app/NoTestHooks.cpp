// The shipped program: no test seams.
#include "platform/TestHooks.h"

namespace hooks {
bool IsTestBuild() { return false; }
std::string Setting(const char*) { return {}; }
void Install() {}
}  // namespace hooks
