// Shrinking by whole factors in the three stretch modes against the group
// rule pixel by pixel: the halving has paths of its own, which must agree
// with the general one at every offset, clip and odd size.
#include <gtest/gtest.h>

#include <random>

#include "platform/raster/Raster.h"

namespace raster {
namespace {

// Source pixel j of an axis of S pixels shrunk onto D belongs to
// destination floor(((2j+1)D - 1) / 2S).
int groupOf(int j, int S, int D) { return static_cast<int>(((2LL * j + 1) * D - 1) / (2LL * S)); }

// Positive extents only: each destination pixel combines its group's source
// pixels that lie on the source surface.
Surface groupRef(Surface ref, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                 int sw, int sh, StretchMode mode) {
  for (int k = 0; k < h; ++k)
    for (int i = 0; i < w; ++i) {
      if (!ref.contains(x + i, y + k)) continue;
      bool any = false;
      Pixel v = 0;
      for (int b = 0; b < sh; ++b) {
        if (groupOf(b, sh, h) != k) continue;
        for (int a = 0; a < sw; ++a) {
          if (groupOf(a, sw, w) != i || !src.contains(sx + a, sy + b)) continue;
          const Pixel p = src.pixel(sx + a, sy + b);
          v = !any ? p : mode == BLACKONWHITE ? (v & p) : mode == WHITEONBLACK ? (v | p) : v;
          any = true;
        }
      }
      if (any) ref.setPixel(x + i, y + k, v);
    }
  return ref;
}

TEST(Shrink, WholeFactorsFollowTheGroupRuleInEveryMode) {
  std::mt19937 rng(5);
  Surface src(37, 29);
  for (int y = 0; y < src.height(); ++y)
    for (int x = 0; x < src.width(); ++x) src.setPixel(x, y, kOpaque | (rng() & 0xFFFFFF));
  struct Case {
    int x, y, w, h, sx, sy, sw, sh;
  };
  const Case cases[] = {
      {0, 0, 18, 14, 0, 0, 36, 28},   // halving
      {0, 0, 18, 29, 0, 0, 36, 29},   // halving the width only
      {0, 0, 37, 14, 0, 0, 37, 28},   // halving the height only
      {-3, 2, 18, 14, 1, 1, 36, 28},  // clipped, from an offset
      {0, 0, 20, 15, 0, 0, 40, 30},   // source partly off its surface
      {0, 0, 12, 9, 0, 0, 36, 27},    // thirds
      {0, 0, 18, 14, 0, 0, 37, 29},   // not a whole factor
      {0, 0, 1, 1, 0, 0, 2, 2},       // one pixel
  };
  for (StretchMode mode : {COLORONCOLOR, BLACKONWHITE, WHITEONBLACK})
    for (const Case& c : cases) {
      Surface dst(16, 13, 0xFF000000u);
      StretchBlt(dst, c.x, c.y, c.w, c.h, src, c.sx, c.sy, c.sw, c.sh, mode);
      // A destination extent of 1 takes one source pixel less.
      const int sw = c.w == 1 && c.sw > 1 ? c.sw - 1 : c.sw;
      const int sh = c.h == 1 && c.sh > 1 ? c.sh - 1 : c.sh;
      EXPECT_EQ(dst, groupRef(Surface(16, 13, 0xFF000000u), c.x, c.y, c.w, c.h, src, c.sx, c.sy, sw,
                              sh, mode))
          << "mode " << mode << ", " << c.w << " x " << c.h << " from " << c.sw << " x " << c.sh
          << " at " << c.x << "," << c.y;
    }
}

}  // namespace
}  // namespace raster
