// Reading and writing the identity and window-title settings through clsEasyRegistry.
#include "registry/IdentitySettings.h"

#include <windows.h>

#include <cstring>

#include "platform/TestHooks.h"
#include "platform/Failure.h"
#include "platform/SystemLibrary.h"
#include "registry/clsEasyRegistry.h"

namespace {

// Shlwapi's version record: size, major, minor, build, platform id.
struct DllVersionInfo {
  DWORD cbSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformID;
};
using DllGetVersionFn = HRESULT(CALLBACK*)(DllVersionInfo*);

std::string ReadText(clsEasyRegistry& reg, std::string_view valueName) {
  RegValueType type = RegValueType::STRING;
  return reg.ValueOf(valueName, type).text;
}

// One STRING write, its outcome read from the record before anything else can clear it.
WriteOutcome WriteText(clsEasyRegistry& reg, std::string_view keyPath, std::string_view valueName,
                       std::string_view text) {
  reg.Cd(keyPath);
  WriteOutcome outcome;
  outcome.keyPath = std::string(keyPath);
  outcome.ok = reg.ValueOf(valueName, RegValueType::STRING, std::string(text));
  if (!outcome.ok) outcome.description = Err().description;
  return outcome;
}

}  // namespace

IeVersion ReadIeVersion(const char* library) {
  // A bare name from the System folder only: a Shlwapi.dll beside OKU.exe must not be loaded in its
  // place. A full path comes only from the test build's stand-in library.
  const bool fullPath = std::strchr(library, '\\') != nullptr;
  const HMODULE module = fullPath ? LoadLibraryA(library) : win::LoadSystemLibrary(library);
  if (module == nullptr) return {};
  IeVersion version;
  const auto dllGetVersion = reinterpret_cast<DllGetVersionFn>(GetProcAddress(module, "DllGetVersion"));
  if (dllGetVersion != nullptr) {
    DllVersionInfo info{};
    info.cbSize = sizeof info;  // 20
    if (SUCCEEDED(dllGetVersion(&info))) {
      version = {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber};
    }
  }
  FreeLibrary(module);
  return version;
}

OeIdentities getOE() {
  OeIdentities oe;
  clsEasyRegistry reg;
  reg.Cd(kIdentitiesKey);
  const std::optional<std::vector<std::string>> keys = reg.DirKey();
  if (!keys) return oe;
  for (const std::string& key : *keys) {
    if (!IsIdentityKeyName(key)) continue;
    reg.Cd(IdentityKeyPath(key));
    oe.names.push_back(ReadText(reg, kUserNameValue));
    std::string path = OeTitleKeyPath(key);
    reg.Cd(path);
    oe.paths.push_back(std::move(path));
    oe.titles.push_back(OeTitleShown(ReadText(reg, kOeTitleValue)));
  }
  return oe;
}

IdentitySettings ReadIdentitySettings(bool isNT, const IeVersion& ie) {
  IdentitySettings settings;
  clsEasyRegistry reg;
  reg.Cd(OwnerKeyPath(isNT));
  settings.owner = ReadText(reg, kOwnerValue);
  reg.Cd(OwnerKeyPath(isNT));
  settings.organization = ReadText(reg, kOrganizationValue);

  settings.ieLabel = IeLabelText(ie);
  settings.ieEnabled = IeControlsEnabled(ie);
  if (settings.ieEnabled) {
    reg.Cd(kIeTitleKeyUser);
    settings.ieTitle = ReadText(reg, kIeTitleValue);
  }
  settings.oe = getOE();
  return settings;
}

IdentitySettings ReadIdentitySettings(bool isNT) {
  // OKU_test.exe may take the version from a library the test removes between two loads.
  const std::string library = hooks::Setting("OKU_TEST_IE_LIBRARY");
  return ReadIdentitySettings(isNT, ReadIeVersion(library.empty() ? "shlwapi.dll" : library.c_str()));
}

WriteReport WriteOwner(bool isNT, std::string_view owner) {
  clsEasyRegistry reg;
  return {{WriteText(reg, OwnerKeyPath(isNT), kOwnerValue, owner)}};
}

WriteReport WriteOrganization(bool isNT, std::string_view organization) {
  clsEasyRegistry reg;
  return {{WriteText(reg, OwnerKeyPath(isNT), kOrganizationValue, organization)}};
}

WriteReport WriteIeTitle(std::string_view title) {
  clsEasyRegistry reg;
  WriteReport report;
  report.writes.push_back(WriteText(reg, kIeTitleKeyMachine, kIeTitleValue, title));
  report.writes.push_back(WriteText(reg, kIeTitleKeyUser, kIeTitleValue, title));
  return report;
}

WriteReport WriteOeTitle(std::string_view oePath, std::string_view title) {
  if (oePath.empty()) return {};  // no identity chosen
  clsEasyRegistry reg;
  return {{WriteText(reg, oePath, kOeTitleValue, title)}};
}
