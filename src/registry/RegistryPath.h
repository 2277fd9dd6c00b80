// The registry class's path syntax: "\ROOT\SUB\PATH", "..", ".", relative names. Portable, so the
// moves are worked out (and tested) apart from the calls that open keys.
#pragma once

#include <array>
#include <string>
#include <string_view>

// The six root names in the order a listing of the top level shows them.
inline constexpr std::array<std::string_view, 6> kRootNames = {"HKEY_CLASSES_ROOT",  "HKEY_CURRENT_USER",
                                                               "HKEY_LOCAL_MACHINE", "HKEY_USERS",
                                                               "HKEY_DYN_DATA",      "HKEY_CURRENT_CONFIG"};

// Upper-cases ASCII letters and strips leading and trailing blanks.
std::string NormalizePath(std::string_view path);

enum class PathKind {
  Top,       // "\": no current key
  Parent,    // "..": the key above the current one
  Self,      // "." (and the empty path): the current key again
  Absolute,  // "\ROOT[\SUB]", in the path field
  Relative,  // a name below the current key, in the path field
};

struct PathMove {
  PathKind kind;
  std::string path;  // Absolute and Relative only
};

// Classifies an already normalized path. One trailing "\" goes; a path without a leading "\"
// is relative only when there is a current key, else it is taken as absolute.
PathMove ClassifyPath(std::string_view normalized, std::string_view currentKey);

// The current key cut after its last "\" (the cut keeps that "\"): "\A\B" -> "\A\", "\A" -> "\".
std::string ParentCut(std::string_view currentKey);

// "\ROOT\SUB\PATH" -> root "ROOT", sub-path "SUB\PATH" (empty when there is none).
struct RootAndSubPath {
  std::string root;
  std::string subPath;
};
RootAndSubPath SplitAbsolutePath(std::string_view absolutePath);

// True for a name that stays below the current key: not empty, not absolute, and no part of it
// empty, "." or "..". Deleting a whole tree accepts only such names.
bool StaysBelowCurrentKey(std::string_view normalizedName);
