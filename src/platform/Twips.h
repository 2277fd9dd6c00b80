// Twips (1/1440 inch), the unit of the program's layouts, and pixels at a display's DPI.
// Portable: no Windows types.
#pragma once

// A display that reports no resolution is taken as the classic 96 DPI.
constexpr int UsableDpi(int dpi) { return dpi > 0 ? dpi : 96; }

// value * multiplier / divisor rounded to the nearest integer, halves away from zero, as the
// system's MulDiv rounds; divisor > 0.
constexpr long ScaleRounded(long long value, long long multiplier, long long divisor) {
  const long long product = value * multiplier;
  return static_cast<long>(product >= 0 ? (product + divisor / 2) / divisor : (product - divisor / 2) / divisor);
}

// 15 twips are one pixel at 96 DPI.
constexpr long TwipsToPixels(long twips, int dpi) { return ScaleRounded(twips, UsableDpi(dpi), 1440); }
constexpr long PixelsToTwips(long pixels, int dpi) { return ScaleRounded(pixels, 1440, UsableDpi(dpi)); }

// A control's place in its window's client area, in twips.
struct TwipsRect {
  int left, top, width, height;
  bool operator==(const TwipsRect&) const = default;
};
