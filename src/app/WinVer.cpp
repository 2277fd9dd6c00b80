// The platform side of version detection: three GetVersionExA queries, as the classification needs.
#include "app/WinVer.h"

#include <windows.h>

#include <cstring>

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

WindowsVersion GetWindowsVersion() {
  OSVERSIONINFOEXA info{};
  DWORD size = sizeof(OSVERSIONINFOEXA);
  info.dwOSVersionInfoSize = size;
  if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) {
    size = sizeof(OSVERSIONINFOA);
    info.dwOSVersionInfoSize = size;
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) return ClassifyWindowsVersion(VersionRecord{});
  }
  // Blanks under the CSD text, so that the text's end is found by its NUL within the field.
  std::memset(info.szCSDVersion, ' ', sizeof(info.szCSDVersion));
  info.dwOSVersionInfoSize = size;
  GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info));

  VersionRecord record;
  record.queried = true;
  record.platformId = info.dwPlatformId;
  record.major = info.dwMajorVersion;
  record.minor = info.dwMinorVersion;
  record.buildNumber = info.dwBuildNumber;
  std::memcpy(record.csd.data(), info.szCSDVersion, record.csd.size());
  if (size == sizeof(OSVERSIONINFOEXA)) {
    record.servicePackMajor = info.wServicePackMajor;
    record.servicePackMinor = info.wServicePackMinor;
    record.suiteMask = info.wSuiteMask;
    record.productType = info.wProductType;
  }
  return ClassifyWindowsVersion(record);
}
