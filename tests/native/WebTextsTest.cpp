// The About window's history and version label, and the texts that take the site's address.
#include <gtest/gtest.h>

#include <regex>

#include "web/WebTexts.h"

namespace {

// "v1.03.9" -> 1*10000 + 3*100 + 9, so that releases order by number.
int ReleaseOrder(const std::string& number) {
  std::smatch m;
  const std::regex form(R"(v(\d)\.(\d\d)(?:\.(\d+))?)");
  if (!std::regex_match(number, m, form)) return -1;
  return std::stoi(m[1]) * 10000 + std::stoi(m[2]) * 100 + (m[3].matched ? std::stoi(m[3]) : 0);
}

TEST(WebTexts, ReleaseHistoryRunsNewestFirstInTheGivenForm) {
  const std::string& history = web::ReleaseHistoryText();
  ASSERT_EQ(history.rfind("v1.03.9 (10/17/2002) Added a link to the Control Panel. Minor tweaks.\r\n\r\n", 0), 0u);
  EXPECT_EQ(history.find("\r\n\r\n\r\n"), std::string::npos);
  EXPECT_NE(history.back(), '\n');

  const std::regex paragraph(R"((v\d\.\d\d(?:\.\d+)?) \((\d\d)/(\d\d)/(\d{4})\) [^\r\n]+)");
  int previousOrder = 1 << 30;
  long previousDate = 1L << 30;
  std::string last;
  size_t count = 0;
  for (size_t start = 0; start <= history.size();) {
    size_t end = history.find("\r\n\r\n", start);
    if (end == std::string::npos) end = history.size();
    const std::string text = history.substr(start, end - start);
    std::smatch m;
    ASSERT_TRUE(std::regex_match(text, m, paragraph)) << text;
    const int order = ReleaseOrder(m[1]);
    const long date = std::stol(m[4]) * 10000 + std::stol(m[2]) * 100 + std::stol(m[3]);
    EXPECT_LT(order, previousOrder) << text;
    EXPECT_LE(date, previousDate) << text;
    EXPECT_TRUE(std::stoi(m[2]) >= 1 && std::stoi(m[2]) <= 12 && std::stoi(m[3]) >= 1 && std::stoi(m[3]) <= 31);
    previousOrder = order;
    previousDate = date;
    last = m[1];
    ++count;
    start = end + 4;
  }
  EXPECT_EQ(last, "v1.00");
  EXPECT_GE(count, 4u);
}

TEST(WebTexts, VersionLabelHasNoLeadingZeros) {
  EXPECT_EQ(web::VersionLabelText(web::OwnRelease()), "Version: 1.3.9");
  EXPECT_EQ(web::VersionLabelText({1, 3, 10}), "Version: 1.3.10");
}

TEST(WebTexts, InvitationAndMessagesKeepTheirLines) {
  const std::string& invitation = web::DonationInvitationText();
  EXPECT_NE(invitation.find("methods by which you may do so."), std::string::npos);
  EXPECT_NE(invitation.find("the software. Please click on \"Get Links\" to get the selections. Thank You.\r\n\r\n"
                            "(You will need to be connected to the internet to reach the websites)"),
            std::string::npos);
  EXPECT_EQ(invitation.back(), ')');

  const std::string site = "http://127.0.0.1:8080";
  EXPECT_EQ(web::UpdateErrorMessage(site),
            "An error has occured. Update check failed.\r\nYou must check for the new version of this application "
            "\r\nmanually at http://127.0.0.1:8080.");
  EXPECT_EQ(web::UpdateFetchFailedMessage(site).substr(web::UpdateFetchFailedMessage(site).rfind("\r\n") + 2),
            site + ".");
  EXPECT_EQ(web::DownloadErrorMessage(site),
            "An error has occured. You must manually download the new\r\nversion of OKU at http://127.0.0.1:8080.");
}

}  // namespace
