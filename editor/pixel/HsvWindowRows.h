#pragma once
// The HSV window test over runs of pixels, answering exactly as
// PassesHsvWindow does, at a fraction of its cost on pictures of many
// colours: whole numbers and vectors instead of a floating-point HSV form
// per pixel.
//
// With M the largest component of a pixel and m the smallest, V is M / 255,
// 255 x S is 255 (M - m) / M and the hue a fraction X / (M - m) of sixty
// degrees. A window prepared from a colour has bounds that are fractions of
// the same kind, so each test compares two products of whole numbers. Only
// where a pixel's saturation or hue equals a bound exactly does the rounding
// of the floating-point test decide; those few pixels take that test itself.

#include <cstdint>

#include "editor/pixel/ColourModel.h"

namespace tupalo::pixel {

class HsvWindowRows {
 public:
  explicit HsvWindowRows(const ToleranceWindow& w);

  // pass[i] = 1 when px[i] (0xFFRRGGBB) passes the window, else 0.
  void Test(const raster::Pixel* px, int n, std::uint32_t* pass) const;

  // A saturation bound a / (b / 255): 255 x S = 255 D / M (D = M - m) is
  // above it as b D - a M is above 0. A hue bound in sixty degrees as
  // sector + rest / den.
  struct SatBound {
    float a = 0, b = 0;
  };
  struct HueBound {
    float sector = 0, den = 1, rest = 0;
  };
  // The window as the pixel loop uses it.
  struct Kernel {
    std::int32_t vLo = 1, vHi = 0;  // the passing M, the largest component
    SatBound sMin, sMax;
    HueBound hMin, hMax;
    std::int32_t wrapped = 0, greyPasses = 0;
    std::int32_t slowAll = 0;  // some bound is no such fraction
  };

 private:
  ToleranceWindow w_;
  Kernel k_;
};

}  // namespace tupalo::pixel
