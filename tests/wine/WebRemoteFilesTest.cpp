// The remote files fetched for real: the two Check4File flavours, the site settings of the test
// build, and the update, news, download and donation files read from what the server sent.
#include "HttpTestSupport.h"

#include "BuildConfig.h"
#include "platform/Failure.h"
#include "web/RemoteText.h"
#include "web/SiteConfig.h"

namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name), old_(httptest::Env(name)) {
    SetEnvironmentVariableA(name, value.c_str());
  }
  ~ScopedEnv() { SetEnvironmentVariableA(name_, old_.empty() ? nullptr : old_.c_str()); }

 private:
  const char* name_;
  std::string old_;
};

TEST(WebSite, BuiltInSettingsAndTheirTestOverrides) {
  ScopedEnv noSite("OKU_TEST_SITE_URL", "");
  ScopedEnv noHost("OKU_TEST_UPDATE_HOST", "");
  EXPECT_EQ(web::SiteUrl(), build::kSiteUrl);
  EXPECT_EQ(web::RemoteFileUrl(web::kVersionFile), std::string("http://") + build::kUpdateHost + "/files/OKU2.ver");
  {
    ScopedEnv site("OKU_TEST_SITE_URL", "http://127.0.0.1:8123/quillon/");
    ScopedEnv host("OKU_TEST_UPDATE_HOST", "127.0.0.1:8124");
    EXPECT_EQ(web::SiteUrl(), "http://127.0.0.1:8123/quillon/");
    EXPECT_EQ(web::SiteHost(), "127.0.0.1:8123");
    EXPECT_EQ(web::RemoteFileUrl(web::kDonationFile), "http://127.0.0.1:8124/files/OKU.don");
  }
  EXPECT_EQ(web::SiteUrl(), build::kSiteUrl);
}

TEST(WebCheck4File, FlavoursTrimAndReportFailuresTheirOwnWay) {
  REQUIRE_TEST_HTTP_SERVER();
  const struct {
    const char* name;
    const char* content;  // nullptr: no such file (404)
    bool ok;
    const char* resp;
  } cases[] = {
      {"check/padded.ver", "   QLN_VER 1.3.10  ", true, "QLN_VER 1.3.10"},
      {"check/crlf.ver", "QLN_VER 1.3.10\r\n", true, "QLN_VER 1.3.10\r\n"},
      {"check/empty.ver", "", false, ""},
      {"check/spaces.ver", "      ", false, ""},
      {"check/missing.ver", nullptr, false, ""},
  };
  for (const auto& c : cases) {
    if (c.content) httptest::WriteServedFile(c.name, c.content);
  }
  const std::string closedPort = "http://127.0.0.1:" + std::to_string(httptest::ClosedPort()) + "/files/OKU2.ver";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string resp = "left over";
    EXPECT_EQ(web::update::Check4File(httptest::ServedUrl(c.name), resp), c.ok);
    EXPECT_EQ(resp, c.resp);
    resp = "left over";
    if (c.content) {
      EXPECT_EQ(web::donation::Check4File(httptest::ServedUrl(c.name), resp), c.ok);
      EXPECT_EQ(resp, c.resp);
    } else {
      EXPECT_THROW(web::donation::Check4File(httptest::ServedUrl(c.name), resp), Failure);
    }
  }
  std::string resp = "left over";
  EXPECT_FALSE(web::update::Check4File(closedPort, resp));
  EXPECT_EQ(resp, "");
  try {
    web::donation::Check4File(closedPort, resp);
    ADD_FAILURE() << "a closed port must raise";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number, ERROR_INTERNET_CANNOT_CONNECT);
  }
}

// Each test serves its own copy of /files/ under a folder of its own, through an update host
// with that folder appended, so that tests never read each other's files.
class WebRemoteFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    if (httptest::Env("OKU_TEST_HTTP_PORT").empty()) GTEST_SKIP() << "OKU_TEST_HTTP_PORT is not set";
    folder_ = std::string("remote-") + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
              std::to_string(GetCurrentProcessId());
    host_ = std::make_unique<ScopedEnv>("OKU_TEST_UPDATE_HOST", httptest::ServerAddress() + "/" + folder_);
  }
  // Serves `content` at the remote path (or nothing, for nullptr) and fetches it as the update window does.
  std::optional<std::string> Fetch(std::string_view path, const char* content) {
    if (content) httptest::WriteServedFile(folder_ + std::string(path), content);
    std::string resp;
    if (!web::update::Check4File(web::RemoteFileUrl(path), resp)) return std::nullopt;
    return resp;
  }
  std::string folder_;
  std::unique_ptr<ScopedEnv> host_;
};

TEST_F(WebRemoteFiles, VersionFiles) {
  const struct {
    const char* content;
    bool fetched, marked, reads, newer;
  } cases[] = {
      {nullptr, false, false, false, false},  // first, while the folder is still empty: 404
      {"QLN_VER 1.3.10\r\n", true, true, true, true}, {"QLN_VER 1.3.9", true, true, true, false},
      {"qln_ver 1.4.0", true, true, true, true},      {"QLN_VER 0.9.9", true, true, true, false},
      {"QLN_VER1.4.0", true, true, false, false},     {"QLN_VER 1.4", true, true, false, false},
      {"QLN_NWZ 1.4.0", true, false, false, false},   {"   ", false, false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.content ? c.content : "(404)");
    const auto text = Fetch(web::kVersionFile, c.content);
    ASSERT_EQ(text.has_value(), c.fetched);
    if (!text) continue;
    const auto payload = web::MarkedPayload(*text, web::kVersionMarker);
    ASSERT_EQ(payload.has_value(), c.marked);
    if (!payload) continue;
    const auto version = web::ParseReleaseVersion(*payload);
    ASSERT_EQ(version.has_value(), c.reads);
    if (version) {
      EXPECT_EQ(web::IsNewerRelease(*version, web::OwnRelease()), c.newer);
    }
  }
}

TEST_F(WebRemoteFiles, NewsAndDownloadFiles) {
  auto payload = [&](std::string_view path, const char* content, std::string_view marker) {
    const auto text = Fetch(path, content);
    return text ? web::MarkedPayload(*text, marker) : std::nullopt;
  };
  EXPECT_EQ(payload(web::kNewsFile, "QLN_NWZ\nA new tool.\r\nFixes.\r\n", web::kNewsMarker),
            "A new tool.\r\nFixes.\r\n");
  EXPECT_EQ(payload(web::kNewsFile, "QLN_DLF A new tool.", web::kNewsMarker), std::nullopt);

  const auto web = payload(web::kDownloadFile, "QLN_DLF https://127.0.0.1/OKU_setup.exe", web::kDownloadMarker);
  ASSERT_TRUE(web.has_value());
  EXPECT_TRUE(web::IsWebAddress(*web));
  const auto local = payload(web::kDownloadFile, "QLN_DLF C:\\Windows\\notepad.exe", web::kDownloadMarker);
  ASSERT_TRUE(local.has_value());
  EXPECT_FALSE(web::IsWebAddress(*local));
}

TEST_F(WebRemoteFiles, DonationFiles) {
  const std::string site = "http://127.0.0.1:1/quillon", host = "127.0.0.1:1";
  const struct {
    const char* content;
    std::array<std::string, 3> captions, links;
  } cases[] = {
      {"QLN_DON PayPal http://pay.example/q", {"PayPal", host, host}, {"http://pay.example/q", site, site}},
      {"qln_don a http://1 b http://2 c http://3 d http://4 e http://5 f http://6 g http://7",
       {"a", "b", "c"},
       {"http://1", "http://2", "http://3"}},
      {"QLN_DON Pay\r\nPal http://p", {"Pay\r\nPal", host, host}, {"http://p", site, site}},
      {"QLN_DON\r\nPayPal http://p", {host, host, host}, {site, site, site}},
      {"QLN_DON", {host, host, host}, {site, site, site}},
      {"QLN_DON Run C:\\Windows\\notepad.exe", {"Run", host, host}, {site, site, site}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.content);
    httptest::WriteServedFile(folder_ + std::string(web::kDonationFile), c.content);
    std::string resp;
    ASSERT_TRUE(web::donation::Check4File(web::RemoteFileUrl(web::kDonationFile), resp));
    const web::DonationButtons buttons = web::ResolveDonationButtons(std::string_view(resp), site, host);
    EXPECT_EQ(buttons.captions, c.captions);
    EXPECT_EQ(buttons.links, c.links);
  }
}

}  // namespace
