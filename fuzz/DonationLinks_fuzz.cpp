// Any fetched text as a donation links file: at most three captions and addresses, every button
// filled, and no button ever pointing at anything but the site or one clean web address from the file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzChecks.h"
#include "web/RemoteText.h"

namespace {
constexpr std::string_view kSite = "https://www.quillon.example";
constexpr std::string_view kHost = "www.quillon.example";
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view raw(reinterpret_cast<const char*>(data), size);
  const std::string text = TrimBlanks(raw);

  const auto links = web::ParseDonationLinks(text);
  if (links) {
    Require(!links->captions.empty() && links->captions.size() <= 3);
    Require(!links->addresses.empty() && links->addresses.size() <= 3);
    for (const std::string& caption : links->captions) Require(text.find(caption) != std::string::npos);
  }

  const web::DonationButtons buttons = web::ResolveDonationButtons(std::string_view(text), kSite, kHost);
  Require(buttons.fetched == links.has_value());
  for (size_t i = 0; i < 3; ++i) {
    if (!buttons.fetched) Require(buttons.captions[i] == kHost && buttons.links[i] == kSite);
    if (buttons.links[i] == kSite) continue;
    RequireShellWebAddress(buttons.links[i]);
    Require(i < links->addresses.size() && links->addresses[i].find(buttons.links[i]) != std::string::npos);
  }
  return 0;
}
