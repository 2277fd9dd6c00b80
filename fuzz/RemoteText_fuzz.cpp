// Any fetched text through the version, news and download path: trimming, marker, payload,
// release numbers, and the download address that would reach the shell.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "FuzzChecks.h"
#include "web/RemoteText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view raw(reinterpret_cast<const char*>(data), size);

  const std::string text = TrimBlanks(raw);
  Require(text.empty() || (text.front() != ' ' && text.back() != ' '));
  Require(text.size() <= raw.size() && raw.find(text) != std::string_view::npos);

  for (std::string_view marker : {web::kVersionMarker, web::kNewsMarker, web::kDownloadMarker}) {
    const auto payload = web::MarkedPayload(text, marker);
    Require(payload.has_value() == web::HasMarker(text, marker));
    if (payload) Require(text.size() < 8 ? payload->empty() : *payload == text.substr(8));
  }

  // The raw bytes as a version payload: whatever reads must print and read back to the same numbers.
  const std::string filePayload = web::Payload(text);
  for (std::string_view payload : {raw, std::string_view(filePayload)}) {
    if (const auto version = web::ParseReleaseVersion(payload)) {
      const auto again = web::ParseReleaseVersion(version->Text());
      Require(again.has_value() && *again == *version);
      const bool newer = web::IsNewerRelease(*version, web::OwnRelease());
      Require(!(newer && web::IsNewerRelease(web::OwnRelease(), *version)));
      Require(!web::IsNewerRelease(*version, *version));
    }
  }

  // What the update window would hand to the shell: one clean web address, taken from the payload.
  if (const auto address = web::DownloadAddress(text)) {
    RequireShellWebAddress(*address);
    Require(web::HasMarker(text, web::kDownloadMarker) && filePayload.find(*address) != std::string::npos);
  }
  return 0;
}
