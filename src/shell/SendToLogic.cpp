// The Send To command's rules, texts and order of steps.
#include "shell/SendToLogic.h"

#include <cctype>
#include <exception>

#include "platform/MessageBox.h"
#include "platform/Text.h"

namespace {

constexpr uint32_t kAttributeDirectory = 16;
// A folder with any of the selective bits: Windows XP makes the Send To folder hidden and system.
constexpr uint32_t kAttributesAnyFolder = kAttributeDirectory | 2 /* hidden */ | 4 /* system */;
constexpr uint32_t kAttributesNormalFiles = 0;
constexpr const char* kAborted = "Aborted";

int Show(const SendToWindow& window, const SendToMessage& message) {
  return window.showMessage(message.text, message.caption, message.style);
}

}  // namespace

std::string SendToFolderFromLookup(std::string_view lookup) {
  std::string folder(TrimBlanks(lookup));
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return folder;
}

std::optional<std::string> NormaliseFolderText(std::string_view text) {
  while (!text.empty() && text.back() == '\\') text.remove_suffix(1);
  if (text.empty()) return std::nullopt;
  std::string folder(text);
  if (folder.back() == ':') folder += '\\';
  return folder;
}

std::optional<std::string> ProposeLinkName(std::string_view normalised) {
  if (normalised.size() == 3) return std::string(1, normalised.front());
  const size_t slash = normalised.rfind('\\');
  if (slash == std::string_view::npos) return std::nullopt;
  return std::string(normalised.substr(slash + 1));
}

bool IsDeviceName(std::string_view name) {
  // Windows takes the part before the first "." with its trailing blanks and dots dropped, so
  // "con", "Nul.txt" and "PRN . " all name the device, and so does the shortcut "CON.lnk".
  std::string_view base = name.substr(0, name.find('.'));
  while (!base.empty() && (base.back() == ' ' || base.back() == '.')) base.remove_suffix(1);
  std::string upper(base);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (upper == "CON" || upper == "NUL" || upper == "AUX" || upper == "PRN") return true;
  return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '1' &&
         upper[3] <= '9';
}

bool IsUsableLinkName(std::string_view name) {
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 32 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) {
      return false;
    }
  }
  return !IsDeviceName(name);
}

std::string ShortcutPath(std::string_view sendToFolder, std::string_view linkName) {
  return std::string(sendToFolder) + std::string(linkName) + ".lnk";
}

namespace sendto_text {

SendToMessage NeedFolder() { return {"Need a folder", kAborted, kMbStop}; }
SendToMessage InvalidFolder() { return {"Invalid folder", kAborted, kMbStop}; }
SendToMessage NotAdded() { return {"Folder not added.", kAborted, kMbInformation}; }
SendToMessage LinkExists(std::string_view name) {
  return {"Folder '" + std::string(name) + "' already exists in Send To menu.\r\nOverwrite It?", "Link Exists...",
          kMbYesNoExclamationDefaultNo};
}
SendToMessage LinkError(std::string_view name) {
  return {"Error with folder '" + std::string(name) + ".", kAborted, kMbStop};
}
SendToMessage Added(std::string_view name) {
  return {"Folder '" + std::string(name) + "' added to Send To menu.", "Success", kMbInformation};
}
SendToMessage NeedName() { return {"Need a name.", kAppTitle, kMbOk}; }

}  // namespace sendto_text

void SendGoCmd_Run(const std::string& folderText, const SendToShared& shared, const SendToFileSystem& files,
                   const SendToWindow& window) {
  using namespace sendto_text;
  if (TrimBlanks(folderText).empty()) {
    Show(window, NeedFolder());
    window.focusFolderText();
    return;
  }

  // Checking the folder and proposing a name: every failure reads "Invalid folder".
  std::string target;
  try {
    const uint32_t attributes = files.readAttributes(folderText);
    if (!files.searchFinds(folderText, attributes)) {
      Show(window, InvalidFolder());
      window.focusFolderText();
      return;
    }
    std::optional<std::string> normalised = NormaliseFolderText(folderText);
    std::optional<std::string> proposal = normalised ? ProposeLinkName(*normalised) : std::nullopt;
    if (!proposal) {
      Show(window, InvalidFolder());
      return;
    }
    target = *normalised;
    shared.linkName = *proposal;
  } catch (const std::exception&) {
    Show(window, InvalidFolder());
    return;
  }

  window.showNamePrompt();
  if (!shared.nameAccepted) {
    Show(window, NotAdded());
    return;
  }

  // Writing the shortcut: every failure reads "Error with folder '<name>.".
  const std::string name = shared.linkName;
  try {
    // No Send To folder or an unusable name: refuse before anything is created.
    if (shared.sendToFolder.empty() || !IsUsableLinkName(name)) {
      Show(window, LinkError(name));
      return;
    }
    if (!files.searchFinds(shared.sendToFolder, kAttributesAnyFolder)) files.createFolder(shared.sendToFolder);
    const std::string shortcut = ShortcutPath(shared.sendToFolder, name);
    if (files.searchFinds(shortcut, kAttributesNormalFiles) && Show(window, LinkExists(name)) != kAnswerYes) return;
    if (!window.createShellLink(shortcut, target)) {
      Show(window, LinkError(name));
      return;
    }
  } catch (const std::exception&) {
    Show(window, LinkError(name));
    return;
  }
  Show(window, Added(name));
}

std::string Namefrm_Open(const SendToShared& shared) {
  shared.nameAccepted = false;
  return shared.linkName;
}

bool Namefrm_Ok(const std::string& text, const SendToShared& shared,
                const std::function<int(const std::string&, const std::string&, unsigned)>& showMessage) {
  if (TrimBlanks(text).empty()) {
    const SendToMessage message = sendto_text::NeedName();
    showMessage(message.text, message.caption, message.style);
    return false;
  }
  shared.nameAccepted = true;
  shared.linkName = text;
  return true;
}
