// Times RunCaptured on "ipconfig.exe /all" against the shell's own redirection
// ("cmd /c ipconfig /all > file") in the same prefix, alternating which goes first, and prints the
// medians and their ratio. Usage: netinfo_bench [runs]
#include <windows.h>

#include "BenchClock.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "net/NetInfoText.h"
#include "net/cmdpipe.h"

namespace {

using bench::Median;
using bench::Now;

// Seconds that the captured run took; the text goes to `text`.
double TimeCaptured(const std::string& commandLine, std::string& text) {
  const double start = Now();
  text = RunCaptured(commandLine);
  return Now() - start;
}

// Seconds that "cmd /c ipconfig /all > file" took; negative when it could not run or end.
double TimeShell(const std::string& file) {
  std::string line = "cmd.exe /c ipconfig /all > \"" + file + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  const double start = Now();
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup,
                      &info)) {
    return -1;
  }
  const bool ended = WaitForSingleObject(info.hProcess, 60000) == WAIT_OBJECT_0;
  const double took = Now() - start;
  if (!ended) TerminateProcess(info.hProcess, 1);
  CloseHandle(info.hProcess);
  CloseHandle(info.hThread);
  return ended ? took : -1;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
  char dir[MAX_PATH];
  std::string systemDir(dir, GetSystemDirectoryA(dir, MAX_PATH));
  if (systemDir.empty() || systemDir.back() != '\\') systemDir += '\\';
  const std::string commandLine = NetInfoCommandLine(true, systemDir, "");
  GetTempPathA(MAX_PATH, dir);
  const std::string file = std::string(dir) + "oku_netinfo_bench.txt";

  std::string text;
  TimeCaptured(commandLine, text);  // warm-up of both, not counted
  if (TimeShell(file) < 0 || text.rfind("Error:", 0) == 0) {
    std::fprintf(stderr, "cannot run ipconfig: %s\n", text.c_str());
    return 1;
  }
  std::vector<double> captured, shell;
  for (int i = 0; i < runs; ++i) {
    double c, s;
    if (i % 2 == 0) {
      c = TimeCaptured(commandLine, text);
      s = TimeShell(file);
    } else {
      s = TimeShell(file);
      c = TimeCaptured(commandLine, text);
    }
    if (s < 0) {
      std::fprintf(stderr, "the shell's run failed\n");
      return 1;
    }
    captured.push_back(c);
    shell.push_back(s);
    std::printf("run %2d: RunCaptured %7.1f ms (%zu bytes)   cmd /c ipconfig /all > file %7.1f ms\n", i + 1, c * 1e3,
                text.size(), s * 1e3);
  }
  DeleteFileA(file.c_str());
  const double mc = Median(captured), ms = Median(shell);
  std::printf("median RunCaptured %.1f ms, median shell redirection %.1f ms, ratio %.3f (below 1: faster)\n", mc * 1e3,
              ms * 1e3, mc / ms);
  return 0;
}
