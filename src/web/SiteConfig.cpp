// The built-in site and update address, the test build's overrides, and Check4File.
#include "web/SiteConfig.h"

#include "BuildConfig.h"
#include "platform/TestHooks.h"
#include "platform/Http.h"
#include "web/RemoteText.h"

namespace web {
namespace {
std::string SettingOr(const char* name, const char* builtIn) {
  std::string value = hooks::Setting(name);
  return value.empty() ? std::string(builtIn) : value;
}
}  // namespace

std::string SiteUrl() { return SettingOr("OKU_TEST_SITE_URL", build::kSiteUrl); }

std::string SiteHost() { return HostOfUrl(SiteUrl()); }

std::string UpdateUrl() { return SettingOr("OKU_TEST_UPDATE_URL", build::kUpdateUrl); }

std::string RemoteFileUrl(std::string_view path) { return UpdateUrl() + std::string(path); }

bool Check4File(const std::string& inFile, std::string& resp) {
  resp.clear();
  try {
    resp = TrimBlanks(http::FetchText(inFile));
  } catch (...) {
    // A fetch that failed in any way is an empty file.
  }
  return !resp.empty();
}

}  // namespace web
