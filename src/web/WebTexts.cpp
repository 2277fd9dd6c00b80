// Texts of the update, donation and About windows. "occured" is spelled as the program always had it.
#include "web/WebTexts.h"

namespace web {
namespace {
constexpr const char* kCrLf = "\r\n";

std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) {
    if (!text.empty()) text += kCrLf;
    text += line;
  }
  return text;
}
}  // namespace

std::string VersionLabelText(const ReleaseVersion& own) { return "Version: " + own.Text(); }

const std::string& ReleaseHistoryText() {
  static const std::string text = [] {
    constexpr std::string_view kReleases[] = {
        "v1.03.9 (10/17/2002) Added a link to the Control Panel. Minor tweaks.",
        "v1.03.7 (09/21/2002) Added the donation window. The About window shows the release history.",
        "v1.03.5 (08/24/2002) Added the check for a newer release, with its news and download.",
        "v1.03.2 (07/27/2002) Added the network information window. Fixed the IP address list on "
        "machines with several network cards.",
        "v1.03 (06/29/2002) Added the automatic shutdown timer and the icon in the notification area.",
        "v1.02 (05/25/2002) Added the Internet Explorer and Outlook Express window titles and the "
        "list of startup items.",
        "v1.01 (04/27/2002) Added Send To shortcuts and the directory listing. Minor fixes.",
        "v1.00 (03/30/2002) First release.",
    };
    std::string history;
    for (std::string_view release : kReleases) {
      if (!history.empty()) history += std::string(kCrLf) + kCrLf;
      history += release;
    }
    return history;
  }();
  return text;
}

const std::string& DonationInvitationText() {
  static const std::string text =
      std::string("If you wish to make a donation, I have setup several different methods by ") +
      "which you may do so. This software is still freeware and I intend to update " +
      "it as needed. However, if you feel it is useful, then a donation would help me " +
      "offset some of the costs associated with developing the software. " +
      "Please click on \"Get Links\" to get the selections. Thank You." + kCrLf + kCrLf +
      "(You will need to be connected to the internet to reach the websites)";
  return text;
}

const std::string& DonationErrorMessage() {
  static const std::string text =
      Lines({"Could not get the update for the links. Click on one of the",
             "existing links to go to official Quillon site and", "use the donation links listed there."});
  return text;
}

std::string UpdateAvailableCaption(const ReleaseVersion& own, const ReleaseVersion& web) {
  return "Update available from v" + own.Text() + " to v" + web.Text();
}

std::string LatestReleaseMessage(const ReleaseVersion& own, const ReleaseVersion& web) {
  return Lines({"Web release = " + web.Text(), "Your release = " + own.Text(), "You have the latest release of OKU."});
}

std::string UpdateFetchFailedMessage(std::string_view siteUrl) {
  return Lines({"The update check failed. You must check for the", "new version of this application manually at",
                std::string(siteUrl) + "."});
}

std::string UpdateErrorMessage(std::string_view siteUrl) {
  return Lines({"An error has occured. Update check failed.", "You must check for the new version of this application ",
                "manually at " + std::string(siteUrl) + "."});
}

const std::string& DownloadInstructions() {
  static const std::string text =
      Lines({"This feature will download the installer package", "for the new version of OKU. After the download",
             "is complete, please exit the current running version", "of OKU before installing the new version."});
  return text;
}

std::string DownloadErrorMessage(std::string_view siteUrl) {
  return Lines(
      {"An error has occured. You must manually download the new", "version of OKU at " + std::string(siteUrl) + "."});
}

}  // namespace web
