// Writing the directory listing file, and the listing command.
#include "shell/DirListing.h"

#include <algorithm>

#include "platform/Failure.h"
#include "platform/Handles.h"
#include "platform/MessageBox.h"
#include "platform/Text.h"
#include "shell/DirListingLayout.h"
#include "shell/FileInfoText.h"
#include "shell/FolderSearch.h"

namespace {

constexpr const char* kAborted = "Aborted";

[[noreturn]] void ThrowLastError() { throw win::Win32Failure(GetLastError()); }

// The listing file, written out in chunks from a buffer of bounded size.
class ListingFile {
 public:
  explicit ListingFile(const std::string& path) {
    file_ = win::OwnFileHandle(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_) ThrowLastError();
  }

  void Write(const std::string& text) {
    const char* data = text.data();
    size_t left = text.size();
    while (left > 0) {
      const DWORD chunk = static_cast<DWORD>(std::min<size_t>(left, 1u << 30));
      DWORD written = 0;
      if (!WriteFile(file_.get(), data, chunk, &written, nullptr)) ThrowLastError();
      if (written == 0) throw win::Win32Failure(ERROR_WRITE_FAULT);
      data += written;
      left -= written;
    }
  }

  void Close() {
    if (!CloseHandle(file_.release())) ThrowLastError();
  }

 private:
  win::UniqueHandle file_;
};

std::string UpperCased(const char* name) {
  std::string upper(name);
  if (!upper.empty()) CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
  return upper;
}

std::string ShortName(const WIN32_FIND_DATAA& found) {
  return found.cAlternateFileName[0] ? found.cAlternateFileName : found.cFileName;
}

std::string DateText(const FILETIME& written) {
  FILETIME local;
  SYSTEMTIME time{};
  if (!FileTimeToLocalFileTime(&written, &local) || !FileTimeToSystemTime(&local, &time)) time = SYSTEMTIME{};
  return FormatFileDate(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute);
}

}  // namespace

DirListingTotals WriteDirListing(const std::string& directory, const DirListingOptions& options) {
  ListingFile file(directory + kListingFileName);
  ListingText text(options.thousandsSeparator);
  std::string buffer;
  buffer.reserve(options.flushBytes + 1024);
  ListingText::AppendHeader(buffer, directory);
  file.Write(buffer);
  buffer.clear();

  FolderSearch search(directory + "*", FILE_ATTRIBUTE_DIRECTORY);
  WIN32_FIND_DATAA found;
  size_t sinceProgress = 0;
  while (search.Next(found)) {
    const std::string_view name(found.cFileName);
    if (name == "." || name == "..") continue;
    ListingEntry entry;
    entry.upperName = UpperCased(found.cFileName);
    entry.isDirectory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.size = entry.isDirectory ? 0 : (uint64_t{found.nFileSizeHigh} << 32) | found.nFileSizeLow;
    entry.dateText = DateText(found.ftLastWriteTime);
    entry.shortName = ShortName(found);
    text.AppendEntry(buffer, entry);
    if (buffer.size() >= options.flushBytes) {
      file.Write(buffer);
      buffer.clear();
    }
    if (++sinceProgress >= options.progressEvery) {
      sinceProgress = 0;
      if (options.progress) options.progress();
    }
  }
  if (search.Error() != 0) throw win::Win32Failure(search.Error());

  text.AppendTotals(buffer);
  file.Write(buffer);
  file.Close();
  return {text.FileCount(), text.DirCount(), text.ByteTotal()};
}

void cmdListGo_Run(const std::string& txtListText, const DirListingWindow& window) {
  // On every path, a failure included, the window is usable again and the folder box has the
  // focus before anything is reported.
  struct Finish {
    const DirListingWindow& window;
    ~Finish() {
      window.restore();
      window.focusListText();
    }
  } finish{window};
  std::string directory = TrimBlanks(txtListText);
  if (directory.empty()) {
    ShowMessage("Need a directory!", kAborted, kMbStop);
    return;
  }
  if (!SearchFinds(directory, FILE_ATTRIBUTE_DIRECTORY)) {
    ShowMessage("Invalid directory", kAborted, kMbStop);
    return;
  }
  if (directory.back() != '\\') directory += '\\';
  const std::string listing = directory + kListingFileName;
  if (SearchFinds(listing, 0) && ShowMessage(listing + " already exists.\r\nDo you wish to overwrite?", "File Exists",
                                             kMbYesNoExclamationDefaultNo) != kAnswerYes)
    return;
  DirListingOptions options;
  options.thousandsSeparator = UserThousandsSeparator();
  options.progress = window.doEvents;
  WriteDirListing(directory, options);
  window.restore();
  if (ShowMessage("The text file has been written to " + listing + "\r\nDo you wish to view it?", "Success",
                  kMbYesNoQuestion) == kAnswerYes)
    window.openFile(listing);
}
