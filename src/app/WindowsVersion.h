// Which Windows this is: a pure classification of the platform's version record.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

enum class OsKind {
  Unknown,
  Win95,
  Win98,
  Win98SE,
  WinMe,
  WinNT,
  Win2000,
  WinXPHome,
  WinXPPro,
  WinNetEnterpriseServer,
  WinNetServer,
  Unrecognised,
};

// The fields of OSVERSIONINFOEXA that the classification reads. Product type and suite mask
// stay 0 when only the basic record could be filled.
struct VersionRecord {
  bool queried = false;  // false: both version queries failed
  uint32_t platformId = 0;
  uint32_t major = 0;
  uint32_t minor = 0;
  uint32_t buildNumber = 0;
  std::array<char, 128> csd{};  // szCSDVersion exactly as the query left it
  uint16_t servicePackMajor = 0;
  uint16_t servicePackMinor = 0;
  uint16_t suiteMask = 0;
  uint8_t productType = 0;
};

struct WindowsVersion {
  OsKind kind = OsKind::Unknown;
  bool IsNT = false;
  bool IsXP = false;
  bool IsMe = false;
  std::string name;
  std::string major = "0";
  std::string minor = "0";
  std::string build = "0";
  std::string servicePack;
  std::string spVersion;

  // What the main window shows in its version line.
  std::string DisplayText() const;
};

inline constexpr uint32_t kPlatformWin9x = 1;  // VER_PLATFORM_WIN32_WINDOWS
inline constexpr uint32_t kPlatformNT = 2;     // VER_PLATFORM_WIN32_NT

WindowsVersion ClassifyWindowsVersion(const VersionRecord& record);

// The cleaned service-pack text of a 128-character CSD field. Returns false when the field holds
// no NUL within its 128 characters (the text then cannot be delimited).
bool GetServicePackText(std::string_view csdField, std::string& text);
