// Window placement arithmetic: centring, keeping windows in the work area, twips and frames.
#include <gtest/gtest.h>

#include <ostream>

#include "shell/WindowGeometry.h"

std::ostream& operator<<(std::ostream& out, const PixelPoint& p) { return out << '(' << p.x << ", " << p.y << ')'; }
std::ostream& operator<<(std::ostream& out, const PixelRect& r) {
  return out << '[' << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ']';
}

TEST(WindowGeometry, CentersOnTheOwnerEvenWhenLargerThanIt) {
  struct Case {
    PixelRect owner;
    long width, height;
    PixelPoint expected;
  };
  const Case cases[] = {
      {{100, 50, 500, 350}, 200, 100, {200, 150}},
      {{0, 0, 400, 300}, 400, 300, {0, 0}},
      {{100, 100, 300, 200}, 400, 300, {0, 0}},      // larger: up and to the left of the owner
      {{0, 0, 100, 100}, 301, 201, {-101, -51}},     // odd differences round down, also below zero
      {{10, 10, 111, 111}, 50, 50, {35, 35}},
      {{-800, 0, -400, 300}, 100, 100, {-650, 100}},  // an owner on a monitor left of the primary
  };
  for (const Case& c : cases) EXPECT_EQ(CenteredOn(c.owner, c.width, c.height), c.expected) << c.width;
}

TEST(WindowGeometry, KeepsTheWindowInsideTheWorkArea) {
  const PixelRect area{0, 0, 1024, 738};
  struct Case {
    PixelPoint corner;
    long width, height;
    PixelPoint expected;
  };
  const Case cases[] = {
      {{100, 100}, 200, 200, {100, 100}},      // already inside
      {{-50, -20}, 200, 200, {0, 0}},          // off the top-left
      {{900, 700}, 200, 100, {824, 638}},      // off the bottom-right
      {{900, 10}, 2000, 100, {0, 10}},         // wider than the area: left edges meet
      {{-5, 500}, 100, 900, {0, 0}},           // taller than the area: top edges meet
      {{824, 638}, 200, 100, {824, 638}},      // exactly at the far edges
  };
  for (const Case& c : cases) EXPECT_EQ(KeptInside(c.corner, c.width, c.height, area), c.expected) << c.corner.x;

  // A work area that does not start at the screen's corner (taskbar at the top or left).
  EXPECT_EQ(KeptInside({0, 0}, 100, 100, {60, 30, 1024, 768}), (PixelPoint{60, 30}));
}

TEST(WindowGeometry, CenterFormPlacementStaysOnTheOwnersMonitor) {
  const PixelRect work{0, 0, 1024, 738};
  // An owner far off the screen (a minimised window's rectangle) no longer hides the window.
  EXPECT_EQ(CenterFormPosition({-32000, -32000, -31840, -31970}, 300, 200, work), (PixelPoint{0, 0}));
  // Larger than the owner, still left of and above it, as long as it stays inside.
  EXPECT_EQ(CenterFormPosition({300, 300, 500, 400}, 400, 300, work), (PixelPoint{200, 200}));
  EXPECT_EQ(CenterFormPosition({0, 0, 200, 100}, 400, 300, work), (PixelPoint{0, 0}));
}

TEST(WindowGeometry, RestoredRectTakesTheWorkAreaOffset) {
  const PixelRect restored{10, 20, 310, 220};
  const PixelRect monitor{0, 0, 1024, 768};
  EXPECT_EQ(RestoredRectOnScreen(restored, {0, 40, 1024, 768}, monitor, false), (PixelRect{10, 60, 310, 260}));
  EXPECT_EQ(RestoredRectOnScreen(restored, {80, 0, 1024, 768}, monitor, false), (PixelRect{90, 20, 390, 220}));
  EXPECT_EQ(RestoredRectOnScreen(restored, {0, 40, 1024, 768}, monitor, true), restored);
  EXPECT_EQ(RestoredRectOnScreen(restored, {1024, 0, 2048, 728}, {1024, 0, 2048, 768}, false), restored);
}

TEST(WindowGeometry, TwipsAndPixels) {
  struct Case {
    double twips;
    int dpi;
    long pixels;
  };
  const Case cases[] = {
      {15, 96, 1},      {1440, 96, 96},  {1440, 120, 120}, {1440, 144, 144}, {7, 96, 0},
      {8, 96, 1},       {7.5, 96, 1},    {-15, 96, -1},    {-7.5, 96, -1},   {4800, 96, 320},
      {4800, 120, 400}, {0, 96, 0},      {1440, 0, 96},    // no resolution reported: 96
  };
  for (const Case& c : cases) EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
  EXPECT_DOUBLE_EQ(PixelsToTwips(1, 96), 15.0);
  EXPECT_DOUBLE_EQ(PixelsToTwips(120, 120), 1440.0);
  for (long px : {0L, 1L, 17L, 333L, 1919L})
    for (int dpi : {96, 120, 144, 192}) EXPECT_EQ(TwipsToPixels(PixelsToTwips(px, dpi), dpi), px);
}

TEST(WindowGeometry, OuterSizeKeepsTheCurrentFrame) {
  // 4800 x 3600 twips inside at 96 DPI is 320 x 240 pixels, plus the frame the window has now.
  EXPECT_EQ(OuterPixelsForInner(4800, 500, 484, 96), 336);  // 8-pixel borders
  EXPECT_EQ(OuterPixelsForInner(3600, 400, 351, 96), 289);  // caption, menu and borders
  EXPECT_EQ(OuterPixelsForInner(4800, 500, 484, 120), 416);
  EXPECT_EQ(OuterPixelsForInner(0, 30, 0, 96), 30);
}
