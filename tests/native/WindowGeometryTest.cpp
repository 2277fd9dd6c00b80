// Window placement arithmetic: centring, keeping windows in the work area, twips and frames.
#include <gtest/gtest.h>

#include <ostream>

#include "shell/WindowGeometry.h"

std::ostream& operator<<(std::ostream& out, const PixelPoint& p) { return out << '(' << p.x << ", " << p.y << ')'; }
std::ostream& operator<<(std::ostream& out, const PixelRect& r) {
  return out << '[' << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ']';
}

TEST(WindowGeometry, CentersOnTheOwnerThenKeepsInsideTheWorkArea) {
  const PixelRect work{0, 0, 1024, 738};
  struct Case {
    PixelRect owner;
    long width, height;
    PixelPoint centred, placed;
  };
  const Case cases[] = {
      {{100, 50, 500, 350}, 200, 100, {200, 150}, {200, 150}},
      {{300, 300, 500, 400}, 400, 300, {200, 200}, {200, 200}},                // larger: up and left of the owner
      {{0, 0, 100, 100}, 301, 201, {-101, -51}, {0, 0}},                       // halves round down, also below zero
      {{-800, 0, -400, 300}, 100, 100, {-650, 100}, {0, 100}},                 // owner on a monitor to the left
      {{900, 700, 1000, 760}, 200, 100, {850, 680}, {824, 638}},               // off the bottom-right
      {{-32000, -32000, -31840, -31970}, 300, 200, {-32070, -32085}, {0, 0}},  // a minimised owner
      {{10, 10, 110, 110}, 2000, 900, {-940, -390}, {0, 0}},                   // larger than the work area
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CenteredOn(c.owner, c.width, c.height), c.centred) << c.owner.left;
    EXPECT_EQ(CenterFormPosition(c.owner, c.width, c.height, work), c.placed) << c.owner.left;
  }
  // A work area that does not start at the screen's corner (taskbar at the top or left).
  EXPECT_EQ(KeptInside({0, 0}, 100, 100, {60, 30, 1024, 768}), (PixelPoint{60, 30}));
}

TEST(WindowGeometry, RestoredRectTakesTheWorkAreaOffset) {
  const PixelRect restored{10, 20, 310, 220}, monitor{0, 0, 1024, 768};
  EXPECT_EQ(RestoredRectOnScreen(restored, {0, 40, 1024, 768}, monitor, false), (PixelRect{10, 60, 310, 260}));
  EXPECT_EQ(RestoredRectOnScreen(restored, {80, 0, 1024, 768}, monitor, false), (PixelRect{90, 20, 390, 220}));
  EXPECT_EQ(RestoredRectOnScreen(restored, {0, 40, 1024, 768}, monitor, true), restored);
  EXPECT_EQ(RestoredRectOnScreen(restored, {1024, 0, 2048, 728}, {1024, 0, 2048, 768}, false), restored);
}

TEST(WindowGeometry, TwipsPixelsAndFrames) {
  const std::tuple<double, int, long> cases[] = {
      {15, 96, 1},    {1440, 96, 96},  {1440, 120, 120}, {7, 96, 0},    {7.5, 96, 1},
      {-7.5, 96, -1}, {4800, 96, 320}, {4800, 120, 400}, {1440, 0, 96},  // no resolution reported: 96
  };
  for (const auto& [twips, dpi, pixels] : cases) EXPECT_EQ(TwipsToPixels(twips, dpi), pixels) << twips << "@" << dpi;
  for (long px : {0L, 1L, 17L, 1919L})
    for (int dpi : {96, 120, 144}) EXPECT_EQ(TwipsToPixels(PixelsToTwips(px, dpi), dpi), px);
  // 4800 x 3600 twips inside at 96 DPI is 320 x 240 pixels, plus the frame the window has now.
  EXPECT_EQ(OuterPixelsForInner(4800, 500, 484, 96), 336);
  EXPECT_EQ(OuterPixelsForInner(3600, 400, 351, 96), 289);
  EXPECT_EQ(OuterPixelsForInner(4800, 500, 484, 120), 416);
}
