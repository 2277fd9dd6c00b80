// A child for the launcher tests: writes its process id, window mode and command line into a
// report file (named by its first argument, or by OKU_SHELL_PROBE_OUT when it gets none), then ends.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  const char* fromEnvironment = std::getenv("OKU_SHELL_PROBE_OUT");
  const std::string out = argc > 1 && *argv[1] ? argv[1] : fromEnvironment ? fromEnvironment : "";
  if (out.empty()) return 2;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  const std::string report = std::to_string(GetCurrentProcessId()) + "\n" +
                             std::to_string((startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1) +
                             "\n" + GetCommandLineA() + "\n";
  // Written under another name and then renamed, so a reader never sees half a report.
  const std::string partial = out + ".part";
  if (FILE* f = std::fopen(partial.c_str(), "wb")) {
    std::fwrite(report.data(), 1, report.size(), f);
    std::fclose(f);
    MoveFileExA(partial.c_str(), out.c_str(), MOVEFILE_REPLACE_EXISTING);
  }
  return 0;
}
