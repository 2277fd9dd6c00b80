// Classification of the version record into OsKind, flags, name, numbers and service-pack texts.
#include "app/WindowsVersion.h"
#include "platform/Text.h"

namespace {

struct KindInfo {
  OsKind kind;
  const char* name;
};

// Tries the rules in table order; sets IsNT/IsXP/IsMe as the rules are passed, as the flags
// depend on the platform (and NT 5.1) alone, not on the final kind.
KindInfo Classify(const VersionRecord& r, WindowsVersion& v) {
  constexpr uint8_t kNtWorkstation = 1;      // VER_NT_WORKSTATION
  constexpr uint16_t kSuitePersonal = 0x0200;  // VER_SUITE_PERSONAL
  constexpr uint16_t kSuiteEnterprise = 0x0002;
  const uint32_t build = r.buildNumber & 0xFFFF;

  if (r.platformId == kPlatformWin9x && r.major == 4) {
    if (r.minor == 0) return {OsKind::Win95, "Windows 95"};
    if (r.minor == 10) return build < 2222 ? KindInfo{OsKind::Win98, "Windows 98"}
                                           : KindInfo{OsKind::Win98SE, "Windows 98 Second Edition"};
    if (r.minor == 90) {
      v.IsMe = true;
      return {OsKind::WinMe, "Windows Me"};
    }
  }
  if (r.platformId == kPlatformNT) {
    v.IsNT = true;
    if (r.major == 3 || r.major == 4) return {OsKind::WinNT, "Windows NT"};
    if (r.major == 5 && r.minor == 0) return {OsKind::Win2000, "Windows 2000"};
    if (r.major == 5 && r.minor == 1) {
      v.IsXP = true;
      if (r.productType == kNtWorkstation)
        return (r.suiteMask & kSuitePersonal) ? KindInfo{OsKind::WinXPHome, "Windows XP Home"}
                                              : KindInfo{OsKind::WinXPPro, "Windows XP Pro"};
      return (r.suiteMask & kSuiteEnterprise) ? KindInfo{OsKind::WinNetEnterpriseServer, "Windows .NET Enterprise Server"}
                                              : KindInfo{OsKind::WinNetServer, "Windows .NET Server"};
    }
  }
  return {OsKind::Unrecognised, "??"};
}

}  // namespace

std::string WindowsVersion::DisplayText() const {
  return name + " (" + major + "." + minor + "." + build + " " + servicePack + spVersion + ")";
}

bool GetServicePackText(std::string_view csdField, std::string& text) {
  const std::string field = TrimBlanks(csdField.substr(0, 128));
  if (!field.empty() && field.front() == '\0') {
    text = "No Service Pack Installed";
    return true;
  }
  const size_t nul = field.find('\0');
  if (nul == std::string_view::npos) return false;
  text = TrimBlanks(std::string_view(field).substr(0, nul));
  return true;
}

WindowsVersion ClassifyWindowsVersion(const VersionRecord& r) {
  WindowsVersion v;
  if (!r.queried) {
    v.kind = OsKind::Unknown;
    v.name = "Microsoft Windows (Unknown)";
    return v;
  }
  v.major = std::to_string(r.major);
  v.minor = std::to_string(r.minor);
  v.build = std::to_string(r.buildNumber & 0xFFFF);

  const KindInfo info = Classify(r, v);
  v.kind = info.kind;
  v.name = info.name;
  if (v.kind != OsKind::Unrecognised) {
    std::string servicePack;
    if (GetServicePackText(std::string_view(r.csd.data(), r.csd.size()), servicePack)) {
      v.servicePack = servicePack;
      const std::string numbers = std::to_string(r.servicePackMajor) + "." + std::to_string(r.servicePackMinor);
      v.spVersion = numbers == "0.0" ? "" : " v" + numbers;
      return v;
    }
    // A CSD field that cannot be delimited ends on the unrecognised branch; flags stay as set.
    v.kind = OsKind::Unrecognised;
    v.name = "??";
  }
  v.spVersion = "v";
  return v;
}
