// Twips and pixels, the one conversion that the window toolkit and SetClientSize share.
#include <gtest/gtest.h>

#include <tuple>

#include "platform/Twips.h"

// Halves go away from zero as MulDiv rounds them: a layout a pixel off at 144 DPI would show it.
TEST(Twips, RoundToTheNearestPixelAndTwipHalvesAwayFromZero) {
  const std::tuple<long, int, long> toPixels[] = {{1440, 96, 96}, {7, 96, 0},    {8, 96, 1},   {5, 144, 1},
                                                  {4, 144, 0},    {-5, 144, -1}, {1440, 0, 96}};
  for (const auto& [twips, dpi, pixels] : toPixels)
    EXPECT_EQ(TwipsToPixels(twips, dpi), pixels) << twips << " at " << dpi;
  const std::tuple<long, int, long> toTwips[] = {{1, 96, 15}, {1, 144, 10}, {1, 97, 15}, {-1, 97, -15}, {1, 0, 15}};
  for (const auto& [pixels, dpi, twips] : toTwips)
    EXPECT_EQ(PixelsToTwips(pixels, dpi), twips) << pixels << " at " << dpi;
}
