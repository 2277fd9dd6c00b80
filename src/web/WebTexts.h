// The fixed and composed texts of the update, donation and About windows. Lines within one
// message are joined by CR LF, as message boxes and multi-line text boxes want them.
#pragma once

#include <string>
#include <string_view>

#include "web/RemoteText.h"

namespace web {

// About window.
std::string VersionLabelText(const ReleaseVersion& own);  // "Version: 1.3.9"
// Newest release first; one paragraph per release, paragraphs separated by an empty line.
const std::string& ReleaseHistoryText();

// Donation window: the explanation shown when it opens.
const std::string& DonationInvitationText();
// "Get Links" failed.
const std::string& DonationErrorMessage();

// Update window.
std::string UpdateAvailableCaption(const ReleaseVersion& own, const ReleaseVersion& web);
std::string LatestReleaseMessage(const ReleaseVersion& own, const ReleaseVersion& web);
inline constexpr std::string_view kNewsUnavailable = "Unable to get news for OKU.";
// The version file could not be fetched or carried the wrong marker.
std::string UpdateFetchFailedMessage(std::string_view siteUrl);
// The version file was fetched but its numbers did not read.
std::string UpdateErrorMessage(std::string_view siteUrl);
const std::string& DownloadInstructions();
std::string DownloadErrorMessage(std::string_view siteUrl);

}  // namespace web
