// The About window's history and version label, and the texts that take the site's address.
#include <gtest/gtest.h>

#include <regex>

#include "web/WebTexts.h"

namespace {

TEST(WebTexts, ReleaseHistoryRunsNewestFirstFromV103_9ToV100) {
  const std::string& history = web::ReleaseHistoryText();
  EXPECT_EQ(history.rfind("v1.03.9 (10/17/2002) Added a link to the Control Panel. Minor tweaks.\r\n\r\n", 0), 0u);
  // Each paragraph "v1.0M[.R] (mm/dd/yyyy) notes", separated by exactly one empty line.
  const std::regex paragraph(R"(v1\.0(\d)(?:\.(\d+))? \((\d\d)/(\d\d)/(\d{4})\) [^\r\n]+(\r\n\r\n|$))");
  long previousRelease = 1L << 30, previousDate = 1L << 30;
  std::string last;
  auto it = std::sregex_iterator(history.begin(), history.end(), paragraph);
  size_t covered = 0;
  for (; it != std::sregex_iterator(); ++it) {
    const std::smatch& m = *it;
    EXPECT_EQ(m.position(0), static_cast<long>(covered)) << "text between paragraphs";
    covered = m.position(0) + m.length(0);
    const long release = std::stol(m[1]) * 100 + (m[2].matched ? std::stol(m[2]) : 0);
    const long date = std::stol(m[5]) * 10000 + std::stol(m[3]) * 100 + std::stol(m[4]);
    EXPECT_LT(release, previousRelease) << m.str(0);
    EXPECT_LE(date, previousDate) << m.str(0);
    previousRelease = release;
    previousDate = date;
    last = m.str(0);
  }
  EXPECT_EQ(covered, history.size());
  EXPECT_EQ(last.rfind("v1.00 (", 0), 0u) << last;
}

TEST(WebTexts, VersionLabelAndComposedMessages) {
  EXPECT_EQ(web::VersionLabelText(web::OwnRelease()), "Version: 1.3.9");
  EXPECT_EQ(web::VersionLabelText({1, 3, 10}), "Version: 1.3.10");
  EXPECT_NE(web::DonationInvitationText().find(
                "the software. Please click on \"Get Links\" to get the selections. Thank You.\r\n\r\n"
                "(You will need to be connected to the internet to reach the websites)"),
            std::string::npos);
  EXPECT_EQ(web::UpdateErrorMessage("http://h"),
            "An error has occured. Update check failed.\r\nYou must check for the new version of this application "
            "\r\nmanually at http://h.");
  EXPECT_EQ(web::LatestReleaseMessage({1, 3, 9}, {1, 3, 8}),
            "Web release = 1.3.8\r\nYour release = 1.3.9\r\nYou have the latest release of OKU.");
}

}  // namespace
