// The remote text files on the maker's server: a marker of seven characters, one separator character,
// then the payload. Everything here is plain text work (no windows.h): trimming what was fetched,
// the marker and payload, the release numbers and the donation links file.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Text.h"  // TrimBlanks: what Check4File keeps of a fetched text

namespace web {

inline constexpr std::string_view kVersionMarker = "QLN_VER";
inline constexpr std::string_view kNewsMarker = "QLN_NWZ";
inline constexpr std::string_view kDownloadMarker = "QLN_DLF";
inline constexpr std::string_view kDonationMarker = "QLN_DON";

// True when characters 1 to 7 of the text, upper-cased, are the marker. Shorter text never matches.
bool HasMarker(std::string_view text, std::string_view marker);

// Everything from character 9 on, unchanged (character 8 is the separator and never looked at);
// empty when the text is shorter.
std::string Payload(std::string_view text);

// The payload of a file carrying the given marker, or nothing when the marker does not match.
std::optional<std::string> MarkedPayload(std::string_view text, std::string_view marker);

// A release number: major, minor and revision as signed 16-bit numbers.
struct ReleaseVersion {
  int16_t major = 0;
  int16_t minor = 0;
  int16_t revision = 0;

  // The three numbers joined by "." without leading zeros ("1.3.10").
  std::string Text() const;

  friend bool operator==(const ReleaseVersion&, const ReleaseVersion&) = default;
};

// The running program's own release (1.3.9 for this one), from the build settings.
ReleaseVersion OwnRelease();

// The version file's payload split at "."; the first three pieces are decimal numbers ("010" is 10,
// an optional sign allowed) with white space around each ignored, so a file saved with a final line
// break still reads. Pieces after the third are not looked at. Nothing for fewer than three pieces,
// an empty piece, anything that is not a number, or a number outside -32768..32767.
std::optional<ReleaseVersion> ParseReleaseVersion(std::string_view payload);

// True when the web release is newer: a greater major number; or the same major and a greater
// minor; or the same major and minor and a greater revision. All comparisons are signed.
bool IsNewerRelease(const ReleaseVersion& web, const ReleaseVersion& own);

// What the shell may be handed of an address from the network: the text without its surrounding
// white space (a file saved with CR LF ends in a line break) when that is one web address and
// nothing else: "http://" or "https://" in any letter case, a host, and only the characters that
// addresses are written with (printable ASCII, without blanks, quotes and <>\^`{|}). Nothing
// otherwise: a local path, "file:" or a program name could make the shell run a local program, and
// a blank or a quote could hand the browser more than one argument.
std::optional<std::string> ShellWebAddress(std::string_view text);

// The download file's address as the update window hands it to the shell: the payload of a file
// carrying the download marker, when ShellWebAddress accepts it.
std::optional<std::string> DownloadAddress(std::string_view fileText);

// The host part of a web address: what lies between "://" and the next "/", "?" or "#"
// ("http://www.quillon.example/x" gives "www.quillon.example"). Without "://" the whole text up to
// those characters.
std::string HostOfUrl(std::string_view url);

// The donation links file after the marker test: the captions (odd words) and the addresses (even
// words after word 0), at most three of each, in file order.
struct DonationLinks {
  std::vector<std::string> captions;
  std::vector<std::string> addresses;
};

// Splits the text at " " into at most 11 words (the 11th keeps the rest of the text, spaces
// included); word 0, without its surrounding spaces and upper-cased, must be "QLN_DON". Nothing when
// the marker is wrong or when either list received no word at all.
std::optional<DonationLinks> ParseDonationLinks(std::string_view text);

// What the donation window's three link buttons show and open.
struct DonationButtons {
  bool fetched = false;  // false: the file was unusable and every button leads to the maker's site
  std::array<std::string, 3> captions;
  std::array<std::string, 3> links;
};

// The three buttons after a fetch of the donation file (its text already trimmed). Buttons the file
// does not supply keep the site's host name and address. An address that ShellWebAddress refuses
// leaves that button's link at the site. On any failure all three get back the site.
DonationButtons ResolveDonationButtons(std::optional<std::string_view> fileText, std::string_view siteUrl,
                                       std::string_view siteHost);

}  // namespace web
