// Inks on one-row grids: what every pixel becomes, spelled out.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "editor/pixel/Ink.h"

namespace tupalo::pixel {
namespace {

using raster::Region;
using raster::rgb;
using raster::Surface;
using Colours = std::vector<ColourRef>;

constexpr ColourRef kPen = rgb(200, 30, 60);
constexpr ColourRef kMask = rgb(255, 255, 255);
constexpr ColourRef kOther = rgb(10, 20, 30);

Surface row(std::initializer_list<ColourRef> colours) {
  Surface s(static_cast<int>(colours.size()), 1);
  int x = 0;
  for (ColourRef c : colours) s.setPixel(x++, 0, raster::toPixel(c));
  return s;
}

Colours colours(const Surface& s) {
  Colours out;
  for (int x = 0; x < s.width(); ++x) out.push_back(raster::toColourRef(s.pixel(x, 0)));
  return out;
}

Colours paint(std::initializer_list<ColourRef> before, const Ink& ink) {
  Surface s = row(before);
  Region all(s.width(), 1);
  all.addSpan(0, 0, s.width());
  Composite(s, all, ink);
  return colours(s);
}

TEST(Inks, CopyAndXorTouchEveryPixelOnce) {
  Surface s = row({kMask, kOther, kPen, kMask});
  Region r(6, 1);  // wider than the surface: cut off
  r.addSpan(0, 1, 6);
  r.addSpan(0, 0, 2);  // overlaps the first span
  const XorInk white(rgb(255, 255, 255));
  Composite(s, r, white);
  EXPECT_EQ(colours(s), (Colours{rgb(0, 0, 0), rgb(245, 235, 225), rgb(55, 225, 195), 0}));
  EXPECT_EQ(s.pixel(0, 0) >> 24, 0xFFu) << "pixels stay opaque";
  Composite(s, r, white);
  EXPECT_EQ(colours(s), (Colours{kMask, kOther, kPen, kMask}));
  EXPECT_EQ(paint({kMask, kOther}, CopyInk(kPen)), (Colours{kPen, kPen}));
}

TEST(Inks, OverAndOutsideTheDesignatedColour) {
  EXPECT_EQ(paint({kMask, kOther, kPen, kMask}, OverInk(kPen, kMask)),
            (Colours{kPen, kOther, kPen, kPen}));
  EXPECT_EQ(paint({kMask, kOther, kPen, kMask}, OutsideInk(kPen, kMask)),
            (Colours{kMask, kPen, kPen, kMask}));
  EXPECT_EQ(paint({kMask, kOther}, OverInk(kMask, kMask)), (Colours{kMask, kOther}))
      << "the drawing colour on itself changes nothing";
}

TEST(Inks, SimilarFollowsTheToleranceWindow) {
  // Designated hue 349.9 with a hue tolerance of 20 wraps round 360: hues 4.9
  // and 340 pass, 20 and 320 fail; saturation and value are left open.
  const ColourRef designated = rgb(255, 0, 43);
  const ColourRef h5 = rgb(255, 21, 0), h340 = rgb(255, 0, 85);
  const ColourRef h20 = rgb(255, 85, 0), h320 = rgb(255, 0, 170);
  const ToleranceWindow w = PrepareToleranceWindow(designated, 20, 255, 255);
  EXPECT_EQ(paint({h5, h340, h20, h320, designated}, SimilarInk(kPen, designated, w)),
            (Colours{kPen, kPen, h20, h320, kPen}));
  EXPECT_EQ(paint({h5, h340, h20, h320, kPen}, SimilarInk(kPen, designated, w, false, true)),
            (Colours{h5, h340, kPen, kPen, kPen}));

  // With no hue tolerance nothing is similar: only an exact match counts, and
  // only when it counts by itself.
  const ToleranceWindow none = PrepareToleranceWindow(designated, 0, 0, 0);
  EXPECT_EQ(paint({designated, h5}, SimilarInk(kPen, designated, none)), (Colours{designated, h5}));
  EXPECT_EQ(paint({designated, h5}, SimilarInk(kPen, designated, none, true)), (Colours{kPen, h5}));
  EXPECT_EQ(paint({designated, h5, kPen}, SimilarInk(kPen, designated, none, false, true)),
            (Colours{kPen, kPen, kPen}));
}

TEST(Inks, BlendMixesFromItsSourceRoundingHalfToEven) {
  // Half of white and black is 127.5: even 128; 0.5 gives 0 and 1.5 gives 2.
  EXPECT_EQ(paint({rgb(255, 1, 3)}, BlendInk(rgb(0, 0, 0), 0.5f)), (Colours{rgb(128, 0, 2)}));
  EXPECT_EQ(paint({kOther}, BlendInk(kPen, 1.0f)), (Colours{kOther})) << "all of the old colour";
  // The weight is single precision: 0.3f is a hair above 0.3, so 15 x 0.3f
  // is past the half.
  EXPECT_EQ(paint({rgb(15, 0, 0)}, BlendInk(rgb(0, 0, 0), 0.3f)), (Colours{rgb(5, 0, 0)}));

  // Old colours from another surface (the undo copy); pixels beyond it stay.
  const Surface before = row({rgb(100, 100, 100), rgb(0, 0, 0)});
  EXPECT_EQ(paint({kOther, kOther, kOther}, BlendInk(rgb(200, 0, 50), 0.5f, &before)),
            (Colours{rgb(150, 50, 75), rgb(100, 0, 25), kOther}));

  // Mixed only where the mask surface holds the designated colour; the old
  // colour is the pixel's own.
  const Surface mask = row({kMask, kOther, kMask});
  EXPECT_EQ(paint({rgb(100, 100, 100), kOther, kMask},
                  BlendInk(rgb(0, 0, 0), 0.5f).MaskedBy(mask, kMask)),
            (Colours{rgb(50, 50, 50), kOther, rgb(128, 128, 128)}));
}

TEST(Inks, BrightnessScalesTheValueAndTruncates) {
  EXPECT_EQ(paint({kMask, kMask}, BrightnessInk(50)),
            (Colours{rgb(127, 127, 127), rgb(127, 127, 127)}));
  // The hue goes through in whole degrees: 30.1 becomes 30.
  EXPECT_EQ(paint({rgb(255, 128, 0)}, BrightnessInk(100)), (Colours{rgb(255, 127, 0)}));
  EXPECT_EQ(paint({kPen, kOther}, BrightnessInk(0)), (Colours{0, 0}));
  EXPECT_EQ(paint({rgb(100, 50, 0)}, BrightnessInk(500)), (Colours{rgb(255, 127, 0)}))
      << "value stops at 1";
}

}  // namespace
}  // namespace tupalo::pixel
