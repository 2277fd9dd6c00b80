// Key paths, labels and report texts of the identity and window-title settings.
#include "registry/IdentityText.h"

#include <algorithm>

#include "platform/Text.h"

std::string_view OwnerKeyPath(bool isNT) { return isNT ? kOwnerKeyNT : kOwnerKey9x; }

bool IsIdentityKeyName(std::string_view keyName) { return !keyName.empty() && keyName.front() == '{'; }

std::string IdentityKeyPath(std::string_view keyName) { return std::string(kIdentitiesKey) + std::string(keyName); }

std::string OeTitleKeyPath(std::string_view keyName) {
  return IdentityKeyPath(keyName) + "\\Software\\Microsoft\\Outlook Express\\5.0\\";
}

std::string OeTitleShown(std::string title) {
  if (TrimBlanks(title).empty()) return std::string(kOeDefaultTitle);
  return title;
}

std::string OeIdentityTooltip(std::string_view identityName) {
  return std::string(identityName) + " - " + std::string(kOeIdentityTip);
}

std::string IeLabelText(const IeVersion& version) {
  if (version.major == 0 && version.minor == 0) return std::string(kIeNotInstalled);
  return "IE " + std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
         std::to_string(version.build) + " Window Title.........";
}

bool IeControlsEnabled(const IeVersion& version) { return version.major >= 5; }

bool WriteReport::AllOk() const {
  return std::all_of(writes.begin(), writes.end(), [](const WriteOutcome& w) { return w.ok; });
}

std::string WriteReport::FailureText() const {
  std::string text;
  for (const WriteOutcome& write : writes) {
    if (write.ok) continue;
    if (!text.empty()) text += "\r\n\r\n";
    text += write.keyPath + "\r\n" + write.description;
  }
  return text;
}
