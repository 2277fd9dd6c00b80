// Fixed-column layout of the directory listing file.
#include "shell/DirListingLayout.h"

#include "shell/FileInfoText.h"

namespace {

// Columns are counted from 1.
constexpr size_t kDirTagColumn = 16;
constexpr size_t kSizeColumn = 14;
constexpr size_t kDateColumn = 29;
constexpr size_t kNameColumn = 45;
constexpr size_t kDirShortNameWidth = 15;

// Appends fields to an entry by the placing rule: a field for column n goes after blanks up to
// column n-1; when the line already reaches column n, the line ends and the next one is indented.
class EntryLine {
 public:
  explicit EntryLine(std::string& out) : out_(out), lineStart_(out.size()) {}

  void Place(size_t column, std::string_view field) {
    const size_t length = out_.size() - lineStart_;
    if (length < column) {
      out_.append(column - 1 - length, ' ');
    } else {
      out_ += kListingLineEnd;
      lineStart_ = out_.size();
      out_.append(column - 1, ' ');
    }
    out_ += field;
  }

  void End() { out_ += kListingLineEnd; }

 private:
  std::string& out_;
  size_t lineStart_;
};

}  // namespace

void ListingText::AppendHeader(std::string& out, std::string_view directory) {
  out += "Directory of ";
  out += directory;
  out += kListingLineEnd;
  out += kListingLineEnd;
}

void ListingText::AppendEntry(std::string& out, const ListingEntry& entry) {
  EntryLine line(out);
  if (entry.isDirectory) {
    ++dirs_;
    std::string shortName = entry.shortName.substr(0, kDirShortNameWidth);
    shortName.resize(kDirShortNameWidth, ' ');
    line.Place(1, shortName);
    line.Place(kDirTagColumn, "<DIR>");
  } else {
    ++files_;
    bytes_ += entry.size;
    line.Place(1, entry.shortName);
    line.Place(kSizeColumn, FormatSizeText(entry.size, separator_));
  }
  line.Place(kDateColumn, entry.dateText);
  line.Place(kNameColumn, entry.upperName);
  line.End();
}

void ListingText::AppendTotals(std::string& out) const {
  out += kListingLineEnd;
  out += GroupThousands(files_, separator_) + " file(s) " + GroupThousands(bytes_, separator_) + " bytes";
  out += kListingLineEnd;
  out += GroupThousands(dirs_, separator_) + " dir(s) ";
  out += kListingLineEnd;
}
