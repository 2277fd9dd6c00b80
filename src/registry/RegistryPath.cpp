// The registry class's path syntax.
#include "registry/RegistryPath.h"

#include "platform/Text.h"

std::string NormalizePath(std::string_view path) {
  std::string result = TrimBlanks(path);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return result;
}

PathMove ClassifyPath(std::string_view normalized, std::string_view currentKey) {
  if (normalized == "\\") return {PathKind::Top, {}};
  if (normalized == "..") return {PathKind::Parent, {}};
  // The empty path would otherwise leave a trailing "\" on the current key (or name a root "").
  if (normalized == "." || normalized.empty()) return {PathKind::Self, {}};
  std::string path(normalized);
  if (path.size() > 1 && path.back() == '\\') path.pop_back();
  if (path.front() != '\\' && currentKey.empty()) path.insert(0, 1, '\\');
  return {path.front() == '\\' ? PathKind::Absolute : PathKind::Relative, std::move(path)};
}

std::string ParentCut(std::string_view currentKey) {
  const size_t slash = currentKey.rfind('\\');
  if (slash == std::string_view::npos) return "\\";
  return std::string(currentKey.substr(0, slash + 1));
}

RootAndSubPath SplitAbsolutePath(std::string_view absolutePath) {
  std::string_view rest = absolutePath.substr(absolutePath.empty() || absolutePath.front() != '\\' ? 0 : 1);
  const size_t slash = rest.find('\\');
  if (slash == std::string_view::npos) return {std::string(rest), {}};
  return {std::string(rest.substr(0, slash)), std::string(rest.substr(slash + 1))};
}

bool StaysBelowCurrentKey(std::string_view normalizedName) {
  if (normalizedName.empty() || normalizedName.front() == '\\') return false;
  size_t start = 0;
  while (true) {
    const size_t slash = normalizedName.find('\\', start);
    const std::string_view part = normalizedName.substr(start, slash == std::string_view::npos ? slash : slash - start);
    if (part.empty() || part == "." || part == "..") return false;
    if (slash == std::string_view::npos) return true;
    start = slash + 1;
  }
}
