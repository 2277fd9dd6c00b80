// The checks the fuzz targets share: abort (so libFuzzer keeps the input) when a promise is broken.
#pragma once

#include <cstdlib>
#include <string_view>

inline void Require(bool condition) {
  if (!condition) std::abort();
}

// An address that may reach the shell: "http://" or "https://" in any letter case, then at least
// one character, and nothing but printable ASCII without blanks, quotes or <>\^`{|} (no control
// character, no second argument for the browser).
inline void RequireShellWebAddress(std::string_view address) {
  auto startsNoCase = [&](std::string_view scheme) {
    if (address.size() <= scheme.size()) return false;
    for (size_t i = 0; i < scheme.size(); ++i) {
      const char c = address[i];
      if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != scheme[i]) return false;
    }
    return true;
  };
  Require(startsNoCase("http://") || startsNoCase("https://"));
  for (const unsigned char c : address) {
    Require(c >= 0x21 && c <= 0x7e &&
            std::string_view("\"'<>\\^`{|}").find(static_cast<char>(c)) == std::string_view::npos);
  }
}
