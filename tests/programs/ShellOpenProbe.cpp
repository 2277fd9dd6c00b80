// A child for the process and shell tests: writes what it was started with into a report file
// (named by its first argument, or by OKU_SHELL_PROBE_OUT when it gets none), then ends; with
// "--stay" it waits (at most 60 s) until the test ends it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
  std::string out = argc > 1 ? argv[1] : "";
  if (out.empty() || out == "--stay") {
    const char* fromEnvironment = std::getenv("OKU_SHELL_PROBE_OUT");
    if (!fromEnvironment) return 2;
    out = fromEnvironment;
  }
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
  if (std::strcmp(argv[argc - 1], "--stay") == 0) Sleep(60000);
  return 0;
}
