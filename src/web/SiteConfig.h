// Where the maker's site and the update files are, and how the update and donation windows fetch
// a remote file (Check4File).
#pragma once

#include <string>
#include <string_view>

namespace web {

inline constexpr std::string_view kVersionFile = "/files/OKU2.ver";
inline constexpr std::string_view kNewsFile = "/files/OKU2.nwz";
inline constexpr std::string_view kDownloadFile = "/files/OKU2.dlf";
inline constexpr std::string_view kDonationFile = "/files/OKU.don";

// The maker's web-site address, built in; OKU_test.exe may be pointed elsewhere with
// OKU_TEST_SITE_URL.
std::string SiteUrl();
// The site's host name, as the donation buttons show it.
std::string SiteHost();
// The address that the file paths above are appended to (scheme, host and optional port, no final
// "/"): the built-in one is https; OKU_test.exe may be pointed elsewhere with OKU_TEST_UPDATE_URL
// (the tests' loopback server speaks plain http).
std::string UpdateUrl();
// UpdateUrl() + path, for one of the file paths above.
std::string RemoteFileUrl(std::string_view path);

// resp is emptied, then receives the fetched text without its surrounding spaces. True when that
// text is not empty. Every failure of the fetch is absorbed here (false, resp empty): it never
// raises and never shows a message, so a window's own failure path follows a false.
bool Check4File(const std::string& inFile, std::string& resp);

}  // namespace web
