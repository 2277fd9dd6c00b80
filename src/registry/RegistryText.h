// Text forms of registry value data and the texts of the registry class's error record.
// Portable: raw bytes in, ANSI text out, so it builds and is tested natively too.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Each byte in upper-case hex without a leading zero, separated by single blanks: 01 0A FF -> "1 A FF".
std::string BinaryText(std::span<const uint8_t> data);

// The data read two bytes at a time from its end, each pair (higher-addressed byte * 256 + the lower)
// as four hex digits. Pairs start at even offsets, so an odd length counts the missing byte just past
// the data as 0 (and never reads it): 1A 00 00 00 -> "0000001A", 01 02 03 -> "00030201".
std::string DwordText(std::span<const uint8_t> data);

// Sum of byte j * 256^j over all bytes: the unsigned value, as a double (infinite for absurdly long data).
double DwordNumber(std::span<const uint8_t> data);

// " (0,000,000,026)": the value with at least ten digits, grouped by three with the given thousands
// separator. Empty when the value is not finite, so a listing never shows a nonsense number.
std::string DwordDecimalSuffix(double value, std::string_view thousandsSeparator);

// The listing's DWORD column: the hex text followed by the decimal suffix.
std::string DwordListingText(std::span<const uint8_t> data, std::string_view thousandsSeparator);

// String data as text: the bytes as they are, less one final NUL when there is one. Data written
// without its terminating NUL keeps its last character; inner NULs (REG_MULTI_SZ) stay.
std::string StringText(std::span<const uint8_t> data);

// What the error record's description says after a registry call answered this Win32 code
// (the empty text for 0, which clears the record).
std::string_view ApiErrorDescription(long code);

// The class's own refusals: 1 no current key, 2 unknown root, 3 value/type mismatch, 4 unknown type.
std::string_view ClassErrorDescription(int code);

inline constexpr std::string_view kApiErrorSource = "EasyRegistry[API Call]";
inline constexpr std::string_view kClassErrorSource = "EasyRegistry";
inline constexpr std::string_view kLetValueOfSource = "EasyRegistry [Let ValueOf]";
