// Platform decisions without Windows: twips and pixels (the one conversion that the window toolkit
// and SetClientSize share), and what a 32-bit OKU does under WOW64, by the facts the Windows side gathers.
#include <gtest/gtest.h>

#include <tuple>

#include "platform/Twips.h"
#include "platform/Wow64Plan.h"

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

TEST(Wow64Plan, RegistryViewAndRedirectionSwitchByProcessSystemAndVersion) {
  constexpr uint32_t k64 = kRegistry64BitView;
  struct Case {
    const char* name;
    Wow64Facts facts;  // 32-bit, has IsWow64Process, its answer, version, has the redirection switch
    Wow64Plan plan;
  };
  const Case cases[] = {
      {"64-bit build", {false, true, true, 6, 1, true}, {0, false}},
      {"32-bit, no IsWow64Process (2000, XP SP1)", {true, false, true, 5, 1, true}, {0, false}},
      {"32-bit Windows 7", {true, true, false, 6, 1, true}, {0, false}},
      {"WOW64 reporting Windows 2000", {true, true, true, 5, 0, true}, {0, true}},
      {"WOW64 reporting XP", {true, true, true, 5, 1, true}, {k64, true}},
      {"XP x64 / 2003 x64", {true, true, true, 5, 2, true}, {k64, true}},
      {"2003 x64 without the switch", {true, true, true, 5, 2, false}, {k64, false}},
      {"Windows 10 x64", {true, true, true, 10, 0, true}, {k64, true}},
  };
  for (const Case& c : cases) {
    const Wow64Plan plan = PlanForWow64(c.facts);
    EXPECT_EQ(plan.registryView, c.plan.registryView) << c.name;
    EXPECT_EQ(plan.redirectionOff, c.plan.redirectionOff) << c.name;
  }
}
