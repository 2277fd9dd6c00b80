// The remote files fetched for real: the site settings of the test build, the two Check4File
// flavours, and the version, news, download and donation files read from what the server sent.
#include "HttpTestSupport.h"

#include "BuildConfig.h"
#include "platform/Failure.h"
#include "web/RemoteText.h"
#include "web/SiteConfig.h"

namespace {

// Sets an environment variable (empty: removes it) and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name), old_(httptest::Env(name)) {
    SetEnvironmentVariableA(name, value.empty() ? nullptr : value.c_str());
  }
  ~ScopedEnv() { SetEnvironmentVariableA(name_, old_.empty() ? nullptr : old_.c_str()); }

 private:
  const char* name_;
  std::string old_;
};

TEST(WebSite, BuiltInSettingsAndTheirTestOverrides) {
  ScopedEnv noSite("OKU_TEST_SITE_URL", ""), noHost("OKU_TEST_UPDATE_HOST", "");
  EXPECT_EQ(web::SiteUrl(), build::kSiteUrl);
  EXPECT_EQ(web::RemoteFileUrl(web::kVersionFile), std::string("http://") + build::kUpdateHost + "/files/OKU2.ver");
  ScopedEnv site("OKU_TEST_SITE_URL", "http://127.0.0.1:8123/quillon/"), host("OKU_TEST_UPDATE_HOST", "127.0.0.1:8124");
  EXPECT_EQ(web::SiteUrl(), "http://127.0.0.1:8123/quillon/");
  EXPECT_EQ(web::SiteHost(), "127.0.0.1:8123");
  EXPECT_EQ(web::RemoteFileUrl(web::kDonationFile), "http://127.0.0.1:8124/files/OKU.don");
}

TEST(WebCheck4File, UpdateFlavourAbsorbsFailuresDonationFlavourRaisesThem) {
  REQUIRE_TEST_HTTP_SERVER();
  const struct {
    const char* name;
    const char* content;  // nullptr: no such file, 404
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
    SCOPED_TRACE(c.name);
    if (c.content) httptest::WriteServedFile(c.name, c.content);
    std::string resp = "left over";
    EXPECT_EQ(web::update::Check4File(httptest::ServedUrl(c.name), resp), c.ok);
    EXPECT_EQ(resp, c.resp);
    if (c.content) {
      EXPECT_EQ(web::donation::Check4File(httptest::ServedUrl(c.name), resp), c.ok);
      EXPECT_EQ(resp, c.resp);
    } else {
      EXPECT_THROW(web::donation::Check4File(httptest::ServedUrl(c.name), resp), Failure);
    }
  }
  std::string resp = "left over";
  const std::string closed = httptest::ClosedPortUrl();
  EXPECT_FALSE(web::update::Check4File(closed, resp));
  EXPECT_EQ(resp, "");
  EXPECT_THROW(web::donation::Check4File(closed, resp), Failure);
}

// The files under /files/ of an update host that is the test server plus a folder of this
// process's own, so that no two test processes read each other's files.
TEST(WebRemoteFiles, ParsedAsFetched) {
  REQUIRE_TEST_HTTP_SERVER();
  const std::string folder = "remote-" + std::to_string(GetCurrentProcessId());
  ScopedEnv host("OKU_TEST_UPDATE_HOST", httptest::ServerAddress() + "/" + folder);
  auto fetch = [&](std::string_view path, const char* content, std::string_view marker) -> std::optional<std::string> {
    if (content) httptest::WriteServedFile(folder + std::string(path), content);
    std::string resp;
    return web::update::Check4File(web::RemoteFileUrl(path), resp) ? web::MarkedPayload(resp, marker) : std::nullopt;
  };
  EXPECT_EQ(fetch(web::kVersionFile, nullptr, web::kVersionMarker), std::nullopt);  // nothing served yet
  const auto payload = fetch(web::kVersionFile, " qln_ver 01.3.10\r\n ", web::kVersionMarker);
  ASSERT_EQ(payload, "01.3.10\r\n");
  const auto version = web::ParseReleaseVersion(*payload);
  ASSERT_TRUE(version.has_value());
  EXPECT_TRUE(web::IsNewerRelease(*version, web::OwnRelease()));
  EXPECT_EQ(fetch(web::kVersionFile, "QLN_VER1.4.0", web::kVersionMarker), ".4.0");
  EXPECT_EQ(fetch(web::kNewsFile, "QLN_NWZ\nA new tool.\r\nFixes.", web::kNewsMarker), "A new tool.\r\nFixes.");
  EXPECT_EQ(fetch(web::kNewsFile, "QLN_DLF A new tool.", web::kNewsMarker), std::nullopt);
  EXPECT_EQ(fetch(web::kDownloadFile, "QLN_DLF https://h/OKU_setup.exe", web::kDownloadMarker),
            "https://h/OKU_setup.exe");

  const std::string site = "http://127.0.0.1:1/quillon", siteHost = "127.0.0.1:1";
  httptest::WriteServedFile(folder + std::string(web::kDonationFile), "QLN_DON Pay\r\nPal http://p Run C:\\x.exe");
  std::string resp;
  ASSERT_TRUE(web::donation::Check4File(web::RemoteFileUrl(web::kDonationFile), resp));
  const web::DonationButtons buttons = web::ResolveDonationButtons(std::string_view(resp), site, siteHost);
  EXPECT_EQ(buttons.captions, (std::array<std::string, 3>{"Pay\r\nPal", "Run", siteHost}));
  EXPECT_EQ(buttons.links, (std::array<std::string, 3>{"http://p", site, site}));
}

}  // namespace
