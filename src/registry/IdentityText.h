// The identity and window-title settings' key paths, labels and report texts. Portable: the
// window and the registry side share them, and they are tested natively.
#pragma once

#include <string>
#include <string_view>
#include <vector>

inline constexpr std::string_view kOwnerKeyNT = "\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
inline constexpr std::string_view kOwnerKey9x = "\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
inline constexpr std::string_view kIeTitleKeyUser = "\\HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr std::string_view kIeTitleKeyMachine =
    "\\HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr std::string_view kIdentitiesKey = "\\HKEY_CURRENT_USER\\Identities\\";

inline constexpr std::string_view kOwnerValue = "RegisteredOwner";
inline constexpr std::string_view kOrganizationValue = "RegisteredOrganization";
inline constexpr std::string_view kIeTitleValue = "Window Title";
inline constexpr std::string_view kOeTitleValue = "WindowTitle";
inline constexpr std::string_view kUserNameValue = "Username";

inline constexpr std::string_view kOeDefaultTitle = "Outlook Express";
inline constexpr std::string_view kOeIdentityTip = "The user's identity in Outlook Express";
inline constexpr std::string_view kIeNotInstalled = "IE Not Installed";

// Texts of the four change commands.
inline constexpr std::string_view kChangeCaption = "Changing Registry...";
inline constexpr std::string_view kChangeDone = "It has been done!";
inline constexpr std::string_view kWriteErrorCaption = "Error in writing to registry";
inline constexpr std::string_view kOwnerPrompt = "Change the Registered Owner in the registry?";
inline constexpr std::string_view kOrganizationPrompt = "Change the Registered Organization in the registry?";
inline constexpr std::string_view kIePrompt = "Change the IE Window Title in the registry?";
inline constexpr std::string_view kOePrompt = "Change the OE Window Title in the registry?";

// The owner and organisation live under "Windows NT" on the NT family, under "Windows" elsewhere.
std::string_view OwnerKeyPath(bool isNT);

// An identity is a subkey of the Identities key whose name begins with "{".
bool IsIdentityKeyName(std::string_view keyName);
std::string IdentityKeyPath(std::string_view keyName);
// "\HKEY_CURRENT_USER\Identities\<key>\Software\Microsoft\Outlook Express\5.0\" (the key name as given).
std::string OeTitleKeyPath(std::string_view keyName);

// The title as the identity list keeps it: "Outlook Express" when it is blank, else untouched.
std::string OeTitleShown(std::string title);

// "Work - The user's identity in Outlook Express".
std::string OeIdentityTooltip(std::string_view identityName);

// Internet Explorer's version as Shlwapi's DllGetVersion reports it (0.0.0 when it cannot).
struct IeVersion {
  unsigned long major = 0;
  unsigned long minor = 0;
  unsigned long build = 0;
};

// "IE 6.0.2800 Window Title........." or "IE Not Installed" when major and minor are both 0.
std::string IeLabelText(const IeVersion& version);

// The IE title box and its button are usable from IE 5 on.
bool IeControlsEnabled(const IeVersion& version);

// The outcome of one write, taken right after it, before any later call can clear the record.
struct WriteOutcome {
  bool ok = false;
  std::string keyPath;
  std::string description;
};

// All writes of one change command, in the order made. Empty when nothing was attempted.
struct WriteReport {
  std::vector<WriteOutcome> writes;

  bool AllOk() const;
  // One paragraph per failed write: the key path, CR LF, the recorded description.
  std::string FailureText() const;
};
