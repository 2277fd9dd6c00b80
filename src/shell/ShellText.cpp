// Texts of the shell routines.
#include "shell/ShellText.h"

const char* ShellVerb(std::string_view verb) {
  if (verb == "Open") return "Open";
  if (verb == "Explore") return "Explore";
  return nullptr;
}

std::string ShellExecuteErrorText(long code) {
  switch (code) {
    case 0:
      return "Error: Out of Memory/Resources. Couldn't Execute!";
    case 2:
      return "Error: File not found.  Couldn't Execute!";
    case 3:
      return "Error: Path not found. Couldn't Execute!";
    case 11:
      return "Error:  Bad File Format. Couldn't Execute!";
    default:
      return {};
  }
}

std::string ShellExecuteFailureMessage(std::string_view file, long code) {
  return std::string(file) + "\r\n" + ShellExecuteErrorText(code);
}

std::string OpenWithCommandLine(std::string_view file) {
  return "rundll32.exe shell32.dll,OpenAs_RunDLL " + std::string(file);
}

std::optional<std::string_view> TextBeforeNul(std::string_view buffer) {
  const size_t nul = buffer.find('\0');
  if (nul == std::string_view::npos) return std::nullopt;
  return buffer.substr(0, nul);
}

std::string SendToPathFromBuffer(bool callSucceeded, std::string_view buffer) {
  if (!callSucceeded) return {};
  const auto text = TextBeforeNul(buffer);
  if (!text) return {};
  std::string path = TrimBlanks(*text);
  if (path.empty()) return {};
  // A drive root already ends in "\"; a second one would make every joined path wrong.
  if (path.back() != '\\') path += '\\';
  return path;
}

std::optional<std::string> FolderPathFromBuffer(std::string_view buffer) {
  const auto text = TextBeforeNul(buffer);
  if (!text) return std::nullopt;
  std::string path = TrimBlanks(*text);
  if (path.empty()) return std::nullopt;
  return path;
}

std::string GetFileName(std::string_view path) {
  const size_t slash = path.rfind('\\');
  if (slash == std::string_view::npos) return {};
  return std::string(path.substr(slash + 1));
}
