// Text forms of registry value data and the error record's texts.
#include "registry/RegistryText.h"

#include <cmath>
#include <cstdio>

#include "platform/Text.h"

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void AppendHexByte(std::string& text, uint8_t byte, bool leadingZero) {
  if (leadingZero || byte >= 0x10) text += kHexDigits[byte >> 4];
  text += kHexDigits[byte & 0x0F];
}

// The integral digits of a finite, non-negative double ("%.0f" is exact for whole doubles).
std::string WholeDigits(double value) {
  char buffer[400];  // DBL_MAX has 309 digits
  std::snprintf(buffer, sizeof buffer, "%.0f", value);
  return buffer;
}

}  // namespace

std::string BinaryText(std::span<const uint8_t> data) {
  std::string text;
  text.reserve(data.size() * 3);
  for (size_t i = 0; i < data.size(); ++i) {
    if (i > 0) text += ' ';
    AppendHexByte(text, data[i], false);
  }
  return text;
}

std::string DwordText(std::span<const uint8_t> data) {
  std::string text;
  const size_t pairs = (data.size() + 1) / 2;
  text.reserve(pairs * 4);
  for (size_t pair = pairs; pair-- > 0;) {
    const size_t low = pair * 2;
    const uint8_t high = low + 1 < data.size() ? data[low + 1] : 0;
    AppendHexByte(text, high, true);
    AppendHexByte(text, data[low], true);
  }
  return text;
}

double DwordNumber(std::span<const uint8_t> data) {
  // Horner from the most significant byte: overflow runs to infinity, never to NaN.
  double value = 0;
  for (size_t i = data.size(); i-- > 0;) value = value * 256 + data[i];
  return value;
}

std::string DwordDecimalSuffix(double value, std::string_view thousandsSeparator) {
  if (!std::isfinite(value) || value < 0) return {};
  std::string digits = WholeDigits(std::floor(value));
  constexpr size_t kMinimumDigits = 10;  // the pattern "0,000,000,000"
  if (digits.size() < kMinimumDigits) digits.insert(0, kMinimumDigits - digits.size(), '0');
  return " (" + GroupDigits(digits, thousandsSeparator) + ")";
}

std::string DwordListingText(std::span<const uint8_t> data, std::string_view thousandsSeparator) {
  return DwordText(data) + DwordDecimalSuffix(DwordNumber(data), thousandsSeparator);
}

std::string StringText(std::span<const uint8_t> data) {
  size_t length = data.size();
  if (length > 0 && data[length - 1] == 0) --length;
  if (length == 0) return {};
  return std::string(reinterpret_cast<const char*>(data.data()), length);
}

std::string_view ApiErrorDescription(long code) {
  switch (code) {
    case 0:
      return {};
    case 2:
      return "Key/Value does not exist.";
    case 5:
      return "Access to Registry Denied.";
    case 14:
      return "Out of memory.";
    case 87:
      return "Invalid Parameter.";
    case 1009:
      return "Corrupt Registry Database!";
    case 1010:
      return "Key name is bad.";
    case 1011:
      return "Cannot Open Key.";
    case 1012:
      return "Cannot Read Key.";
    case 1013:
      return "Cannot Write Key.";
    default:
      return "Undefined key error code!";
  }
}

std::string_view ClassErrorDescription(int code) {
  switch (code) {
    case 1:
      return "No current Key.";
    case 2:
      return "Invalid Key root.";
    case 3:
      return "Type passed doesn't match Value passed.";
    case 4:
      return "Type passed doesn't exist. Use STRING, DWORD or BINARY.";
    default:
      return {};
  }
}
