// The time box's parser on arbitrary text, under fixed regional settings and under settings taken
// from the input: it never reads out of bounds and every accepted time is in range. And the round
// trip that the time box lives on: whatever the settings, the text that the formatter writes for
// a time parses back to that time (the default in txtTime must be accepted as it stands).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzChecks.h"
#include "shutdown/ShutdownTime.h"

namespace {
const std::vector<RegionalSettings> kFixed = {
    RegionalSettings{},
    {"", "", ":", "dd.MM.yyyy", "."},
    {"ap.", "ip.", ".", "d.M.yyyy", "."},
    {"de.", "du.", ":", "yyyy. MM. dd.", ". "},
    {"a.?m.", "p.?m.", ":", "d/M/yyyy", "/"},
};

void CheckRange(const std::optional<ClockTime>& t) {
  Require(!t || (t->hour >= 0 && t->hour <= 23 && t->minute >= 0 && t->minute <= 59));
}
void CheckRoundTrip(ClockTime time, const RegionalSettings& settings) {
  Require(ParseTimeText(FormatShutdownTime(time, settings), settings) == time);
}
}  // namespace

// Input: the text to parse; after a NUL, two bytes for a time (hour, minute, each taken modulo its
// range) and five settings fields separated by '\n': the morning and afternoon designators, the
// time separator, the short-date picture and the date separator.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string_view text = input.substr(0, input.find('\0'));
  for (const RegionalSettings& settings : kFixed) {
    const auto time = ParseTimeText(text, settings);
    CheckRange(time);
    if (time) CheckRoundTrip(*time, settings);
  }
  if (input.size() < text.size() + 3) return 0;
  const ClockTime time{static_cast<uint8_t>(input[text.size() + 1]) % 24,
                       static_cast<uint8_t>(input[text.size() + 2]) % 60};
  std::string_view rest = input.substr(text.size() + 3);
  std::string fields[5];
  for (std::string& field : fields) {
    const std::size_t end = rest.find('\n');
    field = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
  const RegionalSettings settings{fields[0], fields[1], fields[2], fields[3], fields[4]};
  CheckRange(ParseTimeText(text, settings));
  CheckRoundTrip(time, settings);
  return 0;
}
