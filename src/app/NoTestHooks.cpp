// The shipped program: no test seams.
#include "app/TestHooks.h"

namespace hooks {
bool IsTestBuild() { return false; }
std::string Setting(const char*) { return {}; }
void Install() {}
}  // namespace hooks
