#include <gtest/gtest.h>

#include <algorithm>

#include "Grid.h"

namespace raster {
namespace {

using namespace grid;

TEST(FloodFill, FillsUpToTheBorderColourFourConnected) {
  Surface s = fromArt({".######.", ".#....#.", ".#.#o.#.", ".######."});
  FloodFill(s, 2, 1, kBlack, kRedBrush);  // other colours inside are filled too
  EXPECT_EQ(show(s), art({".######.", ".#++++#.", ".#+#++#.", ".######."}));
  Surface d = fromArt({"...#", "..#.", ".#..", "#..."});
  ExtFloodFill(d, 0, 0, kBlack, FLOODFILLBORDER, kRedBrush);  // no leak through the diagonal
  EXPECT_EQ(show(d), art({"+++#", "++#.", "+#..", "#..."}));
}

TEST(ExtFloodFill, SurfaceFillTakesExactlyTheColour) {
  Surface s = fromArt({"..o..", ".oo+o", "o.o..", "..o.."});
  ExtFloodFill(s, 2, 1, kBlue, FLOODFILLSURFACE, kRedBrush);
  EXPECT_EQ(show(s), art({"..+..", ".+++o", "o.+..", "..+.."}));
}

TEST(FloodFill, StartsThatDoNothing) {
  const Surface before = fromArt({".#.", "#.#", ".#."});
  Surface s = before;
  FloodFill(s, 1, 0, kBlack, kRedBrush);  // on the border colour
  FloodFill(s, -1, 1, kBlack, kRedBrush);
  FloodFill(s, 1, 3, kBlack, kRedBrush);
  FloodFill(s, 1, 1, kBlack, kHollow);
  ExtFloodFill(s, 0, 0, kBlue, FLOODFILLSURFACE, kRedBrush);  // not of colour c
  ExtFloodFill(s, 0, 0, CLR_INVALID, FLOODFILLSURFACE, kRedBrush);
  EXPECT_EQ(s, before);
}

TEST(FloodFill, EachFillStartsClean) {
  Surface big(50, 40);
  FloodFill(big, 3, 3, kBlack, kRedBrush);
  Surface s = fromArt({"....", ".##.", "...."});
  FloodFill(s, 0, 0, kBlack, kRedBrush);
  ExtFloodFill(s, 0, 0, kRed, FLOODFILLSURFACE, Brush{true, kBlue});
  EXPECT_EQ(show(s), art({"oooo", "o##o", "oooo"}));
}

TEST(FloodFill, LongWindingRegionNeedsNoRecursion) {
  // A serpentine corridor through 1001 x 1001: walls on odd rows, one gap at
  // alternating ends.
  const int n = 1001;
  Surface s(n, n);
  for (int y = 1; y < n; y += 2) {
    s.fillRect(0, y, n, 1, toPixel(kBlack));
    s.setPixel((y / 2) % 2 ? 0 : n - 1, y, toPixel(kWhite));
  }
  FloodFill(s, 0, 0, kBlack, kRedBrush);
  const auto red = std::count(s.bits(), s.bits() + n * n, toPixel(kRed));
  EXPECT_EQ(red, 501L * n + 500);
  EXPECT_EQ(std::count(s.bits(), s.bits() + n * n, toPixel(kWhite)), 0);
}

}  // namespace
}  // namespace raster
