// Quarter turns against a pixel-by-pixel reference, at every kind of size the
// strips and 4 x 4 blocks can meet: single pixels, single rows and columns,
// sizes off the block and strip multiples.
#include <gtest/gtest.h>

#include "platform/raster/Raster.h"

namespace raster {
namespace {

Surface distinct(int w, int h) {
  Surface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.setPixel(x, y, kOpaque | static_cast<Pixel>(y * 65536 + x));
  return s;
}

TEST(Rotate, QuarterTurnsMovePixelsAsTheReferenceDoes) {
  for (auto [w, h] : {std::pair{1, 1},
                      {1, 7},
                      {9, 1},
                      {3, 5},
                      {4, 4},
                      {16, 16},
                      {17, 33},
                      {64, 20},
                      {301, 173}}) {
    SCOPED_TRACE(testing::Message() << w << " x " << h);
    const Surface src = distinct(w, h);
    Surface right(h, w, 0), left(h, w, 0);
    RotateRight(right, src);
    RotateLeft(left, src);
    int wrong = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        wrong += right.pixel(h - 1 - y, x) != src.pixel(x, y);
        wrong += left.pixel(y, w - 1 - x) != src.pixel(x, y);
      }
    EXPECT_EQ(wrong, 0);
    Surface back(w, h, 0);
    RotateLeft(back, right);
    EXPECT_EQ(back, src);
  }
}

TEST(Rotate, WrongDestinationSizeOrSameSurfaceChangesNothing) {
  const Surface src = distinct(5, 3);
  Surface dst(5, 3, 0xFF000000u);
  const Surface before = dst;
  RotateRight(dst, src);
  EXPECT_EQ(dst, before);
  Surface self = distinct(4, 4);
  const Surface selfBefore = self;
  RotateLeft(self, self);
  EXPECT_EQ(self, selfBefore);
}

}  // namespace
}  // namespace raster
