// The network information text and the capture's cut.
#include "net/NetInfoText.h"

#include <algorithm>

std::string NetInfoCommandLine(bool isNT, std::string_view systemDir, std::string_view windowsDir) {
  return std::string(isNT ? systemDir : windowsDir) + "ipconfig.exe /all";
}

std::string ComposeNetInfoText(std::string_view shortDate, std::string_view commandLine, std::string_view body) {
  std::string text = "Generated via OKU on ";
  text += shortDate;
  text += "\r\nCommand ";
  text += commandLine;
  text += "\r\n";
  text += body;
  return text;
}

std::string CaptureErrorText(std::string_view call, unsigned long code) {
  return "Error: " + std::string(call) + " failed. " + std::to_string(code);
}

void CapturedOutput::Append(std::string_view bytes) {
  const size_t room = limit_ - kept_.size();
  const size_t taken = std::min(room, bytes.size());
  kept_.append(bytes.substr(0, taken));
}
