// The text of the directory listing file "dir_contents.txt": header, fixed-column entry lines,
// totals. Portable: the engine that searches the directory lives in shell/DirListing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Every line of the listing ends in CR LF.
inline constexpr std::string_view kListingLineEnd = "\r\n";

// One listed entry, as the engine found it.
struct ListingEntry {
  std::string upperName;  // the long name, already upper-cased (the code page's rules are the engine's)
  std::string shortName;  // last component of the short path; empty when the system gave none
  bool isDirectory = false;
  uint64_t size = 0;      // files only
  std::string dateText;   // "mm-dd-yy hh:nna/p", see FormatFileDate
};

// Builds the listing text piece by piece into a caller's buffer and keeps the counts and the
// byte total as numbers (never read back from text), so the caller can flush the buffer at will.
class ListingText {
 public:
  explicit ListingText(std::string thousandsSeparator) : separator_(std::move(thousandsSeparator)) {}

  // "Directory of " + directory, then an empty line. The directory ends in "\".
  static void AppendHeader(std::string& out, std::string_view directory);

  // One entry line (two when a file's short name reaches the size column), and counts it.
  void AppendEntry(std::string& out, const ListingEntry& entry);

  // The empty line, "N file(s) B bytes" and "N dir(s) " (trailing blank kept).
  void AppendTotals(std::string& out) const;

  uint64_t FileCount() const { return files_; }
  uint64_t DirCount() const { return dirs_; }
  uint64_t ByteTotal() const { return bytes_; }

 private:
  std::string separator_;
  uint64_t files_ = 0;
  uint64_t dirs_ = 0;
  uint64_t bytes_ = 0;  // wraps only past 16 EB
};
