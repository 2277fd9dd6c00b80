// Start-up of OKU.exe (window shown, load sequence done) and of its main window without the load
// sequence, against an empty window, alternating in one warm Wine prefix. Prints medians, their
// ratios and the peak working sets.
#include <windows.h>
#include <psapi.h>

#include "BenchClock.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Run {
  double ms = -1;
  SIZE_T peakWorkingSet = 0;
};

std::string ExeDir() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir = path;
  return dir.substr(0, dir.rfind('\\'));
}

struct Find {
  DWORD pid;
  const char* caption;
  bool found;
};

BOOL CALLBACK Match(HWND hwnd, LPARAM lParam) {
  auto* f = reinterpret_cast<Find*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  char text[64] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  if (pid == f->pid && IsWindowVisible(hwnd) && lstrcmpA(text, f->caption) == 0) f->found = true;
  return !f->found;
}

// Starts the program and measures until its window is visible (the main window is shown only
// after its load sequence), then ends it by id.
Run Measure(const std::string& exe, const char* caption) {
  Run run;
  std::string commandLine = "\"" + ExeDir() + "\\" + exe + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const auto start = std::chrono::steady_clock::now();
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return run;
  Find find{pi.dwProcessId, caption, false};
  for (int i = 0; i < 6000 && !find.found; ++i) {  // at most 30 s
    EnumWindows(Match, reinterpret_cast<LPARAM>(&find));
    if (!find.found) Sleep(5);
  }
  if (find.found) run.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  Sleep(300);  // let the window settle before reading its memory
  PROCESS_MEMORY_COUNTERS counters{};
  if (GetProcessMemoryInfo(pi.hProcess, &counters, sizeof counters)) run.peakWorkingSet = counters.PeakWorkingSetSize;
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return run;
}

using bench::Median;

}  // namespace

int main(int argc, char** argv) {
  // startup_bench [runs [exe caption ...]]: every program is compared with the last.
  const int runs = argc > 1 ? std::max(3, atoi(argv[1])) : 9;
  std::vector<std::pair<std::string, std::string>> programs;
  for (int i = 2; i + 1 < argc; i += 2) programs.emplace_back(argv[i], argv[i + 1]);
  if (programs.size() < 2)
    programs = {{"OKU.exe", "Okumatic"}, {"bare_main_window.exe", "Okumatic"}, {"empty_window.exe", "Empty"}};
  std::vector<std::vector<double>> times(programs.size());
  std::vector<std::vector<SIZE_T>> memory(programs.size());
  Measure(programs[0].first, programs[0].second.c_str());  // warm the prefix and the file cache
  for (int i = 0; i < runs; ++i) {
    for (size_t p = 0; p < programs.size(); ++p) {
      const Run r = Measure(programs[p].first, programs[p].second.c_str());
      if (r.ms < 0) {
        std::printf("the window of %s did not appear\n", programs[p].first.c_str());
        return 1;
      }
      times[p].push_back(r.ms);
      memory[p].push_back(r.peakWorkingSet);
    }
  }
  const double base = Median(times.back());
  const double baseMemory = static_cast<double>(Median(memory.back()));
  std::printf("start-up until the window shows, median of %d alternating runs:\n", runs);
  for (size_t p = 0; p < programs.size(); ++p)
    std::printf("  %-20s %8.1f ms  ratio %.2f   peak working set %6.1f MiB  ratio %.2f\n", programs[p].first.c_str(),
                Median(times[p]), Median(times[p]) / base, Median(memory[p]) / 1048576.0,
                static_cast<double>(Median(memory[p])) / baseMemory);
  return 0;
}
