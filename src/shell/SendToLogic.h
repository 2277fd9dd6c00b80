// The Send To command: adding a shortcut to a folder to the user's Send To menu. Portable: the
// file system and the window reach it through the small structs below (the real file system is in
// shell/SendToSystem.h), and the window binds it with a few lambdas.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The process-wide values that the command shares with the main window and the name prompt
// Namefrm; the window passes its SendToFolder, LinkName and NameAccepted.
struct SendToShared {
  const std::string& sendToFolder;  // ends in "\"; empty: no Send To folder known
  std::string& linkName;            // the proposed, then the accepted shortcut name
  bool& nameAccepted;               // set by Namefrm's OK
};

// Start-up: the trimmed lookup result with a "\" appended; empty when the lookup gave nothing
// (the frame then stays disabled).
std::string SendToFolderFromLookup(std::string_view lookup);

// Removes trailing "\" one at a time; a last ":" then gets one "\" back (C:\ stays C:\).
// Nothing left (the text was "\" or "\\\") gives no folder.
std::optional<std::string> NormaliseFolderText(std::string_view text);

// The shortcut name proposed for a normalised folder: the drive letter for a three-character
// text (a drive root), else the text after the last "\"; no "\" at all gives no name.
std::optional<std::string> ProposeLinkName(std::string_view normalised);

// True for the names of the devices that every folder holds (CON, NUL, AUX, PRN, COM1-COM9,
// LPT1-LPT9), in any case, with or without an extension, trailing blanks and dots ignored.
bool IsDeviceName(std::string_view name);

// False for names that a file name cannot hold: \ / : * ? " < > |, control characters, or a
// device name. Such a name would write outside the Send To folder, make an alternate stream or a
// wildcard search, or "find" and "write" a device instead of a shortcut.
bool IsUsableLinkName(std::string_view name);

// SendToFolder + name + ".lnk".
std::string ShortcutPath(std::string_view sendToFolder, std::string_view linkName);

// A message box as the command shows it.
struct SendToMessage {
  std::string text;
  std::string caption;
  unsigned style;

  bool operator==(const SendToMessage&) const = default;
};

namespace sendto_text {
SendToMessage NeedFolder();
SendToMessage InvalidFolder();
SendToMessage NotAdded();
SendToMessage LinkExists(std::string_view name);  // Yes/No, No by default
SendToMessage LinkError(std::string_view name);   // no closing quote after the name
SendToMessage Added(std::string_view name);
SendToMessage NeedName();
}  // namespace sendto_text

// The file-system operations of the command. The real ones are in shell/SendToSystem.h.
struct SendToFileSystem {
  // The attribute bits of a path; throws Failure when the path does not exist.
  std::function<uint32_t(const std::string& path)> readAttributes;
  // True when a search for the path with the given attribute bits finds an entry.
  std::function<bool(const std::string& path, uint32_t attributes)> searchFinds;
  // Creates one directory level; throws Failure.
  std::function<void(const std::string& path)> createFolder;
};

// What the command needs of the main window.
struct SendToWindow {
  std::function<int(const std::string& text, const std::string& caption, unsigned style)> showMessage;
  // Shows Namefrm modally; it reads linkName and sets nameAccepted (and linkName) through
  // Namefrm_Open and Namefrm_Ok.
  std::function<void()> showNamePrompt;
  std::function<void()> focusFolderText;  // focus to SendFolTxt
  // cShellLink::CreateShellLink(shortcut, target, "", "", "", 0, 1); true when the file was written.
  std::function<bool(const std::string& shortcut, const std::string& target)> createShellLink;
};

// SendGoCmd click: everything from the folder text as typed to the last message box.
void SendGoCmd_Run(const std::string& folderText, const SendToShared& shared, const SendToFileSystem& files,
                   const SendToWindow& window);

// Namefrm opening: clears nameAccepted; returns the text for Text1 (linkName).
std::string Namefrm_Open(const SendToShared& shared);

// Namefrm OK: a name that is blank when trimmed gets "Need a name." and false (the prompt stays
// open, focus back to Text1); otherwise the name is kept as typed in linkName, nameAccepted is
// set, and true closes the prompt.
bool Namefrm_Ok(const std::string& text, const SendToShared& shared,
                const std::function<int(const std::string&, const std::string&, unsigned)>& showMessage);
