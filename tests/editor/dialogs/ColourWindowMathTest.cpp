// The colour window's arithmetic: grid steps, bar conversions, indicator
// lengths and the dictionary's letter colour.
#include <gtest/gtest.h>

#include "editor/dialogs/ColourWindowMath.h"

namespace tupalo::colwin {
namespace {

// "+" moves toward the column's colour by raising its own components, "−" by
// lowering the others (all three in the white column).
TEST(ColourWindowMath, GridStepsMoveTowardTheColumnColour) {
  const Rgb grey{100, 100, 100};
  for (int i = 0; i < kRainColumns; ++i) {
    const Rgb top = RainColour(i);
    const bool own[3] = {top.r == 255, top.g == 255, top.b == 255};
    const Rgb up = RainStep(grey, i, 16), down = RainStep(grey, i, -1);
    const int ups[3] = {up.r, up.g, up.b}, downs[3] = {down.r, down.g, down.b};
    for (int k = 0; k < 3; ++k) {
      EXPECT_EQ(ups[k], own[k] ? 116 : 100) << i << " component " << k;
      EXPECT_EQ(downs[k], own[k] && i != 6 ? 100 : 99) << i << " component " << k;
    }
  }
  EXPECT_EQ(Clamped(RainStep({250, 0, 0}, 1, 16)), (Rgb{255, 0, 0}));
  EXPECT_EQ(Clamped(RainStep({10, 10, 10}, 6, -16)), (Rgb{0, 0, 0}));
}

TEST(ColourWindowMath, BarsRoundHalfToEvenAndGreysKeepHueZero) {
  EXPECT_EQ(HsvBarsOf({255, 0, 0}), (HsvBars{0, 255, 255}));
  EXPECT_EQ(HsvBarsOf({0, 0, 255}), (HsvBars{240, 255, 255}));
  EXPECT_EQ(HsvBarsOf({128, 48, 0}), (HsvBars{22, 255, 128}));  // hue 22.5
  EXPECT_EQ(HsvBarsOf({77, 77, 77}), (HsvBars{0, 0, 77}));
  EXPECT_EQ(RgbOfHsvBars(120, 255, 255), (Rgb{0, 255, 0}));
  EXPECT_EQ(RgbOfHsvBars(300, 0, 77), (Rgb{77, 77, 77}));
  EXPECT_EQ(RgbOfHsvBars(360, 255, 255), (Rgb{255, 0, 0}));
}

TEST(ColourWindowMath, IndicatorLengthsAndLetterColour) {
  EXPECT_EQ(RgbBarLength(94, 0), 0);
  EXPECT_EQ(RgbBarLength(94, 255), 94);
  EXPECT_EQ(RgbBarLength(94, 128), 47);
  EXPECT_EQ(RgbBarLength(94, 400), 94);
  EXPECT_TRUE(WantsWhiteLetters({69, 0, 30}));
  EXPECT_FALSE(WantsWhiteLetters({0, 70, 0}));
  EXPECT_EQ(ValueText(0), QStringLiteral(" 0"));
  EXPECT_EQ(ValueText(-3), QStringLiteral("-3"));
}

}  // namespace
}  // namespace tupalo::colwin
