// Parsing of the remote text files. The input comes from the network: every index is checked.
#include "web/RemoteText.h"

#include "BuildConfig.h"

namespace web {
namespace {

constexpr size_t kMarkerLength = 7;
constexpr size_t kPayloadStart = 8;  // character 9, counted from 1
constexpr size_t kMaxDonationWords = 11;
constexpr size_t kButtons = 3;

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (UpperAscii(text[i]) != UpperAscii(prefix[i])) return false;
  }
  return true;
}

// One piece of a version number: optional blanks, an optional sign, decimal digits, optional blanks.
std::optional<int16_t> ParsePiece(std::string_view piece) {
  size_t begin = 0;
  size_t end = piece.size();
  while (begin < end && IsBlank(piece[begin])) ++begin;
  while (end > begin && IsBlank(piece[end - 1])) --end;
  bool negative = false;
  if (begin < end && (piece[begin] == '+' || piece[begin] == '-')) {
    negative = piece[begin] == '-';
    ++begin;
  }
  if (begin == end) return std::nullopt;
  long value = 0;
  for (size_t i = begin; i < end; ++i) {
    const char c = piece[i];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > 32768) return std::nullopt;  // already out of range; stops long digit runs early
  }
  if (negative) value = -value;
  if (value < INT16_MIN || value > INT16_MAX) return std::nullopt;
  return static_cast<int16_t>(value);
}

// Split at one separator into at most maxParts pieces; the last keeps the rest, separators included.
std::vector<std::string_view> Split(std::string_view text, char separator, size_t maxParts) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (parts.size() + 1 < maxParts) {
    const size_t at = text.find(separator, start);
    if (at == std::string_view::npos) break;
    parts.push_back(text.substr(start, at - start));
    start = at + 1;
  }
  parts.push_back(text.substr(start));
  return parts;
}

DonationButtons SiteButtons(std::string_view siteUrl, std::string_view siteHost) {
  DonationButtons buttons;
  buttons.captions.fill(std::string(siteHost));
  buttons.links.fill(std::string(siteUrl));
  return buttons;
}

}  // namespace

bool HasMarker(std::string_view text, std::string_view marker) {
  if (text.size() < kMarkerLength || marker.size() != kMarkerLength) return false;
  for (size_t i = 0; i < kMarkerLength; ++i) {
    if (UpperAscii(text[i]) != marker[i]) return false;
  }
  return true;
}

std::string Payload(std::string_view text) {
  return text.size() > kPayloadStart ? std::string(text.substr(kPayloadStart)) : std::string();
}

std::optional<std::string> MarkedPayload(std::string_view text, std::string_view marker) {
  if (!HasMarker(text, marker)) return std::nullopt;
  return Payload(text);
}

std::string ReleaseVersion::Text() const {
  return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(revision);
}

ReleaseVersion OwnRelease() {
  return {static_cast<int16_t>(build::kVersionMajor), static_cast<int16_t>(build::kVersionMinor),
          static_cast<int16_t>(build::kVersionRevision)};
}

std::optional<ReleaseVersion> ParseReleaseVersion(std::string_view payload) {
  // Four parts at most: the fourth, if any, holds everything after the third piece unread.
  const std::vector<std::string_view> pieces = Split(payload, '.', 4);
  if (pieces.size() < 3) return std::nullopt;
  const std::optional<int16_t> major = ParsePiece(pieces[0]);
  const std::optional<int16_t> minor = ParsePiece(pieces[1]);
  const std::optional<int16_t> revision = ParsePiece(pieces[2]);
  if (!major || !minor || !revision) return std::nullopt;
  return ReleaseVersion{*major, *minor, *revision};
}

bool IsNewerRelease(const ReleaseVersion& web, const ReleaseVersion& own) {
  if (web.major != own.major) return web.major > own.major;
  if (web.minor != own.minor) return web.minor > own.minor;
  return web.revision > own.revision;
}

std::optional<std::string> ShellWebAddress(std::string_view text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  const std::string_view address = text.substr(begin, end - begin);
  const size_t scheme = StartsWithNoCase(address, "http://") ? 7 : StartsWithNoCase(address, "https://") ? 8 : 0;
  if (scheme == 0 || address.size() == scheme ||
      std::string_view("/?#").find(address[scheme]) != std::string_view::npos)
    return std::nullopt;
  for (const char c : address) {
    const bool printable = c > ' ' && c < '\x7f';
    if (!printable || std::string_view("\"'<>\\^`{|}").find(c) != std::string_view::npos) return std::nullopt;
  }
  return std::string(address);
}

std::optional<std::string> DownloadAddress(std::string_view fileText) {
  const std::optional<std::string> payload = MarkedPayload(fileText, kDownloadMarker);
  return payload ? ShellWebAddress(*payload) : std::nullopt;
}

std::string HostOfUrl(std::string_view url) {
  const size_t scheme = url.find("://");
  if (scheme != std::string_view::npos) url.remove_prefix(scheme + 3);
  return std::string(url.substr(0, url.find_first_of("/?#")));
}

std::optional<DonationLinks> ParseDonationLinks(std::string_view text) {
  const std::vector<std::string_view> words = Split(text, ' ', kMaxDonationWords);
  std::string marker = TrimBlanks(words[0]);
  for (char& c : marker) c = UpperAscii(c);
  if (marker != kDonationMarker) return std::nullopt;

  DonationLinks links;
  for (size_t i = 1; i < words.size(); ++i) {
    std::vector<std::string>& list = i % 2 == 1 ? links.captions : links.addresses;
    if (list.size() < kButtons) list.emplace_back(words[i]);
  }
  if (links.captions.empty() || links.addresses.empty()) return std::nullopt;
  return links;
}

DonationButtons ResolveDonationButtons(std::optional<std::string_view> fileText, std::string_view siteUrl,
                                       std::string_view siteHost) {
  DonationButtons buttons = SiteButtons(siteUrl, siteHost);
  if (!fileText) return buttons;
  const std::optional<DonationLinks> links = ParseDonationLinks(*fileText);
  if (!links) return buttons;
  for (size_t i = 0; i < links->captions.size(); ++i) buttons.captions[i] = links->captions[i];
  for (size_t i = 0; i < links->addresses.size(); ++i) {
    if (std::optional<std::string> address = ShellWebAddress(links->addresses[i])) buttons.links[i] = *address;
  }
  buttons.fetched = true;
  return buttons;
}

}  // namespace web
