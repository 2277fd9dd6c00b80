// The registered owner and organisation, the IE window title and the Outlook Express identities
// with their window titles: read and written through clsEasyRegistry, with no window of its own,
// so that the main window only moves these values in and out of its controls.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "registry/IdentityText.h"

// Shlwapi's DllGetVersion, with the library loaded from the System folder only for the call. 0.0.0
// when the library, the function or the call fails. A full path in `library` comes only from the
// test build's stand-in.
IeVersion ReadIeVersion(const char* library = "shlwapi.dll");

// The three identity lists, index-aligned: entry i of each belongs to the same identity.
struct OeIdentities {
  std::vector<std::string> names;   // "Username" of each identity (cboOEident)
  std::vector<std::string> titles;  // its OE window title, "Outlook Express" when blank (cboOEWinT)
  std::vector<std::string> paths;   // its OE key path, where the title is written (cboRegOE)

  // False when no identity was added: the window then disables the OE box, list and button.
  bool Any() const { return !names.empty(); }
};

// Lists the identities under \HKEY_CURRENT_USER\Identities: subkeys whose names begin with "{".
// A value that cannot be read still adds its entry, so the lists stay aligned.
OeIdentities getOE();

// Everything the "Windows Information" frame shows of these settings.
struct IdentitySettings {
  std::string owner;
  std::string organization;
  std::string ieLabel;                 // the IE version caption, or "IE Not Installed"
  bool ieEnabled = false;              // IE 5 or later: the title box and its button are usable
  std::optional<std::string> ieTitle;  // read only when ieEnabled
  OeIdentities oe;
};

IdentitySettings ReadIdentitySettings(bool isNT, const IeVersion& ie);
IdentitySettings ReadIdentitySettings(bool isNT);  // with ReadIeVersion()

// The four changes. Each write's outcome is taken right after it; a failed write does not stop
// the next one (the IE title goes to HKEY_LOCAL_MACHINE, then to HKEY_CURRENT_USER), and nothing
// is rolled back. Writing an OE title to an empty path attempts nothing.
WriteReport WriteOwner(bool isNT, std::string_view owner);
WriteReport WriteOrganization(bool isNT, std::string_view organization);
WriteReport WriteIeTitle(std::string_view title);
WriteReport WriteOeTitle(std::string_view oePath, std::string_view title);
