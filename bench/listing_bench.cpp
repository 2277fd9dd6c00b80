// Times WriteDirListing on a folder of many files against the shell's "cmd /c dir /x /a-h-s > file"
// on the same folder, alternating which goes first, and prints the medians and their ratio. Then
// lists folders of two sizes in child processes and prints their peak working sets, to show that
// memory does not grow with the entry count.
// Usage: listing_bench [files] [runs]              (default 20000 files, 7 runs)
//        listing_bench --peak <folder> <output>    (child: list once, write its peak working set)
//        listing_bench --peak-search <folder> <output>   (child: the same for the bare search)
#include <windows.h>

#include "BenchClock.h"
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/Failure.h"
#include "platform/Pump.h"
#include "shell/DirListing.h"

namespace {

using bench::Median;
using bench::Now;

std::string TempPath() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string path = temp;
  if (path.back() != '\\') path += '\\';
  return path;
}

// A folder of `count` small files with long names (so that every entry has a generated short
// name), kept between runs of the benchmark. Ends in "\".
std::string FolderOf(int count) {
  const std::string folder = TempPath() + "oku_listing_bench_" + std::to_string(count) + "\\";
  const std::string done = TempPath() + "oku_listing_bench_" + std::to_string(count) + ".ready";
  if (GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES) return folder;
  CreateDirectoryA(folder.c_str(), nullptr);
  const double start = Now();
  for (int i = 0; i < count; ++i) {
    const std::string name = folder + "Benchmark entry number " + std::to_string(i) + ".data";
    HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) continue;
    DWORD written;
    WriteFile(file, name.data(), static_cast<DWORD>(i % 200), &written, nullptr);
    CloseHandle(file);
  }
  CloseHandle(CreateFileA(done.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  std::printf("created %d files in %.1f s\n", count, Now() - start);
  return folder;
}

// Seconds that a command line took through cmd; negative when it could not run or end in time.
double TimeCmd(const std::string& arguments) {
  std::string line = "cmd.exe /c " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  const double start = Now();
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                      &info)) {
    return -1;
  }
  const bool ended = WaitForSingleObject(info.hProcess, 120000) == WAIT_OBJECT_0;
  const double took = Now() - start;
  if (!ended) {
    TerminateProcess(info.hProcess, 1);
    WaitForSingleObject(info.hProcess, 5000);
  }
  CloseHandle(info.hProcess);
  CloseHandle(info.hThread);
  return ended ? took : -1;
}

double TimeListing(const std::string& folder) {
  DirListingOptions options;
  options.thousandsSeparator = UserThousandsSeparator();
  options.progress = DoEvents;
  const double start = Now();
  WriteDirListing(folder, options);
  return Now() - start;
}

// Enumerates the folder as the listing does, nothing else; with shortPaths, also calls
// GetShortPathNameA(folder + name) for every entry. Seconds taken.
double TimeSearch(const std::string& folder, bool shortPaths) {
  const double start = Now();
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return -1;
  do {
    if (shortPaths) {
      char shortPath[MAX_PATH];
      GetShortPathNameA((folder + found.cFileName).c_str(), shortPath, MAX_PATH);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return Now() - start;
}

// Child: lists the folder once (or only searches it) and writes its peak working set before and
// after to `output`.
int Peak(const std::string& mode, const std::string& folder, const std::string& output) {
  PROCESS_MEMORY_COUNTERS before{}, after{};
  GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before);
  if (mode == "--peak") {
    TimeListing(folder);
  } else {
    TimeSearch(folder, false);
  }
  GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after);
  FILE* out = std::fopen(output.c_str(), "w");
  if (!out) return 1;
  std::fprintf(out, "%zu %zu\n", before.PeakWorkingSetSize, after.PeakWorkingSetSize);
  std::fclose(out);
  return 0;
}

// Runs this program with --peak on a folder in a fresh process; its peaks before and after.
bool ChildPeak(const std::string& mode, const std::string& folder, size_t& before, size_t& after) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string output = TempPath() + "oku_listing_bench_peak.txt";
  DeleteFileA(output.c_str());
  // No backslash before a closing quote: it would escape the quote.
  const std::string unslashed = folder.substr(0, folder.size() - 1);
  std::string line = "\"" + std::string(self) + "\" " + mode + " \"" + unslashed + "\" \"" + output + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) return false;
  const bool ended = WaitForSingleObject(info.hProcess, 300000) == WAIT_OBJECT_0;
  if (!ended) {
    TerminateProcess(info.hProcess, 1);
    WaitForSingleObject(info.hProcess, 5000);
  }
  CloseHandle(info.hProcess);
  CloseHandle(info.hThread);
  if (!ended) return false;
  FILE* in = std::fopen(output.c_str(), "r");
  if (!in) return false;
  const bool read = std::fscanf(in, "%zu %zu", &before, &after) == 2;
  std::fclose(in);
  return read;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::string first = argc > 1 ? argv[1] : "";
    if (first == "--peak" || first == "--peak-search") {
      return argc == 4 ? Peak(first, std::string(argv[2]) + "\\", argv[3]) : 2;
    }
    if (argc > 1 && std::atoi(argv[1]) <= 0) {
      std::printf("usage: listing_bench [files] [runs]\n");
      return 2;  // never fall into the full benchmark from a mangled child command line
    }
    const int count = argc > 1 ? std::atoi(argv[1]) : 20000;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;

    const std::string folder = FolderOf(count);
    const std::string listed = folder.substr(0, folder.size() - 1);
    const std::string dirOut = TempPath() + "oku_listing_bench_dir.txt";
    const std::string shell = "dir /x /a-h-s \"" + listed + "\" > \"" + dirOut + "\"";

    // Warm the prefix and the folder's entries once for both.
    TimeListing(folder);
    TimeCmd(shell);
    std::vector<double> ours, theirs, cmdAlone;
    for (int i = 0; i < runs; ++i) {
      const bool oursFirst = i % 2 == 0;
      if (oursFirst) ours.push_back(TimeListing(folder));
      const double t = TimeCmd(shell);
      if (t < 0) {
        std::printf("dir did not end in time\n");
        return 1;
      }
      theirs.push_back(t);
      if (!oursFirst) ours.push_back(TimeListing(folder));
      cmdAlone.push_back(TimeCmd("exit"));
    }
    std::printf("%d files, %d runs\n", count, runs);
    std::printf("OKU listing     median %.3f s (min %.3f, max %.3f)\n", Median(ours),
                *std::min_element(ours.begin(), ours.end()), *std::max_element(ours.begin(), ours.end()));
    std::printf("cmd dir /x      median %.3f s (min %.3f, max %.3f)\n", Median(theirs),
                *std::min_element(theirs.begin(), theirs.end()), *std::max_element(theirs.begin(), theirs.end()));
    std::printf("cmd /c exit     median %.3f s (start-up of cmd alone)\n", Median(cmdAlone));
    std::printf("ratio OKU / dir %.2f\n", Median(ours) / Median(theirs));
    std::printf("the search alone, once: %.3f s; with GetShortPathNameA for every entry: %.3f s\n",
                TimeSearch(folder, false), TimeSearch(folder, true));

    const int small = std::max(1, count / 10);
    const std::string smallFolder = FolderOf(small);
    for (const auto& [n, path] : {std::pair{small, smallFolder}, std::pair{count, folder}}) {
      for (const char* mode : {"--peak-search", "--peak"}) {
        size_t before = 0, after = 0;
        if (!ChildPeak(mode, path, before, after)) {
          std::printf("peak working set for %d entries: child failed\n", n);
          continue;
        }
        std::printf("peak working set, %6d entries, %-9s %6zu KB before, %6zu KB after (+%zu KB)\n", n,
                    mode[6] ? "search:" : "listing:", before / 1024, after / 1024, (after - before) / 1024);
      }
    }
  } catch (const Failure& f) {
    std::printf("failure %ld: %s\n", f.number, f.description.c_str());
    return 1;
  }
  return 0;
}
