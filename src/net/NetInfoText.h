// The network information text: which command runs, the header put in front of its output, the
// error texts of the capture, and the cut of the captured bytes. Portable.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Bytes of a command's output that are kept; the rest is read and dropped.
inline constexpr size_t kCaptureLimit = 10240;

// The ipconfig command line: in the System directory on the NT family, in the Windows directory
// otherwise. Both directories end in "\".
std::string NetInfoCommandLine(bool isNT, std::string_view systemDir, std::string_view windowsDir);

// "Generated via OKU on " + date + CR LF + "Command " + command line + CR LF + body.
std::string ComposeNetInfoText(std::string_view shortDate, std::string_view commandLine, std::string_view body);

// "Error: " + call + " failed. " + the code in decimal, as in "Error: CreatePipe failed. 5".
std::string CaptureErrorText(std::string_view call, unsigned long code);

// The output of a command as it is read: the first `limit` bytes are kept, the rest only counted.
class CapturedOutput {
 public:
  explicit CapturedOutput(size_t limit = kCaptureLimit) : limit_(limit) {}

  void Append(std::string_view bytes);
  const std::string& Kept() const { return kept_; }

 private:
  size_t limit_;
  std::string kept_;
};
