// The directory listing file "dir_contents.txt": the engine that writes it, and the cmdListGo
// click of the "Generate directory content:" frame below the window.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/Locale.h"  // UserThousandsSeparator, for the options

inline constexpr const char* kListingFileName = "dir_contents.txt";

struct DirListingOptions {
  std::string thousandsSeparator;  // the user's, from UserThousandsSeparator()
  std::function<void()> progress;  // the window's DoEvents; may be empty
  size_t progressEvery = 64;       // entries between two progress calls
  size_t flushBytes = 64 * 1024;   // the buffer is written out when it reaches this size
};

struct DirListingTotals {
  uint64_t files = 0;
  uint64_t dirs = 0;
  uint64_t bytes = 0;
};

// Writes directory + "dir_contents.txt" (directory ends in "\"), replacing any file of that name:
// every entry of the directory in the file system's order, hidden and system entries, "." and
// ".." left out. Names are upper-cased by the ANSI code page's rules. Sizes are 64-bit.
//
// The short name comes from the search data: its alternate (8.3) name, or the name itself when the
// file system gives none (a name that is already 8.3, or a volume without short names). That is
// the last component GetShortPathNameA(directory + name) gives, without its extra look-ups of
// every path component per entry, which under Wine took about 3 ms an entry and dominated the run.
//
// The listing file is itself an entry of the directory. Its line shows the size the search reports
// while it is being written: the bytes written out so far, at least the header, which is written
// out before the search starts. (A file system that updates directory entries lazily may report
// less.) The totals add that same size.
//
// Memory stays bounded whatever the entry count: the text is written out in chunks of about
// options.flushBytes. A failure to create or write the file throws Failure (Win32 code and the
// system's text); what was already written stays on disk.
DirListingTotals WriteDirListing(const std::string& directory, const DirListingOptions& options);

// What the listing command needs of the main window.
struct DirListingWindow {
  std::function<void()> doEvents;                         // DoEvents
  std::function<void()> restore;                          // default pointer, main window enabled
  std::function<void()> focusListText;                    // focus to txtList (its text is selected)
  std::function<void(const std::string& path)> openFile;  // ShellExecuteFile(path, 1, "")
};

// The cmdListGo click after the window has shown the hourglass and disabled itself: checks the
// directory, asks before overwriting, writes the listing, offers to open it, and on every path
// ends with restore and focusListText. A failure is thrown on after them, for the handler's
// "Aborted" report. Message boxes go through ShowMessage.
void cmdListGo_Run(const std::string& txtListText, const DirListingWindow& window);
