#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

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
  FloodFill(s, 1, 0, kBlack, kRedBrush);                             // on the border colour
  for (auto [x, y] : {std::pair{-1, 1}, {3, 1}, {1, -1}, {1, 3}}) {  // off each side
    FloodFill(s, x, y, kBlack, kRedBrush);
    ExtFloodFill(s, x, y, kWhite, FLOODFILLSURFACE, kRedBrush);
  }
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

TEST(FloodFill, ThroughGapsNeverAcrossCorners) {
  // Through one-pixel gaps in a wall and in a floor of the border colour.
  Surface s = fromArt({"...#...", "...#...", "...#...", ".......", "####.##", "...#.#."});
  FloodFill(s, 0, 0, kBlack, kRedBrush);
  EXPECT_EQ(show(s), art({"+++#+++", "+++#+++", "+++#+++", "+++++++", "####+##", "...#+#."}));
  // Started in a corner pocket: the diagonal neighbours stay.
  Surface d = fromArt({".#..", "#.#.", ".#..", "...."});
  FloodFill(d, 1, 1, kBlack, kRedBrush);
  ExtFloodFill(d, 0, 0, kWhite, FLOODFILLSURFACE, Brush{true, kBlue});
  EXPECT_EQ(show(d), art({"o#..", "#+#.", ".#..", "...."}));
}

TEST(FloodFill, FillColourThatIsInsideTheRegion) {
  // Surface fill in its own colour: nothing changes, and the fill ends.
  Surface same = fromArt({"++.+", "+.++", "++++"});
  const Surface before = same;
  ExtFloodFill(same, 0, 0, kRed, FLOODFILLSURFACE, kRedBrush);
  EXPECT_EQ(same, before);
  // Border fill in a colour already inside, around islands and along rings:
  // every way back into the painted part must be seen as done, and the red
  // pixels on the way must not block the fill either.
  Surface ring = fromArt({".......#", ".###.+.#", ".#+#.#.#", ".###+#.#", "..+..#..", "######o."});
  FloodFill(ring, 6, 1, kBlack, kRedBrush);
  EXPECT_EQ(show(ring),
            art({"+++++++#", "+###+++#", "+#+#+#+#", "+###+#+#", "+++++#++", "######++"}));
  // In the border colour itself the region becomes border.
  Surface border = fromArt({"..#.", ".o#.", "###."});
  FloodFill(border, 0, 0, kBlack, Brush{true, kBlack});
  EXPECT_EQ(show(border), art({"###.", "###.", "###."}));
  // A border that is no colour: every pixel is inside.
  Surface all = fromArt({"#.", "o#"});
  FloodFill(all, 1, 1, CLR_INVALID, kRedBrush);
  EXPECT_EQ(show(all), art({"++", "++"}));
}

TEST(FloodFill, MarksOfOneFillDoNotReachTheNext) {
  // A border fill in a colour that is inside marks what it painted; a later
  // fill of a surface of the same size must not find those marks.
  Surface first(3, 1);
  FloodFill(first, 0, 0, kBlack, kRedBrush);
  Surface s = fromArt({".+."});
  FloodFill(s, 0, 0, kBlack, kRedBrush);
  EXPECT_EQ(show(s), art({"+++"}));
}

// Straight from the definition: the 4-connected component of the start among
// the pixels that are inside, painted once it is complete.
Surface fillRef(Surface s, int x, int y, ColourRef c, FloodFillType type, ColourRef fill) {
  auto inside = [&](int px, int py) {
    const ColourRef p = GetPixel(s, px, py);
    return p != CLR_INVALID && (type == FLOODFILLSURFACE ? p == c : p != c);
  };
  if (!inside(x, y)) return s;
  std::vector<char> seen(static_cast<std::size_t>(s.width() * s.height()), 0);
  std::vector<Point> todo{{x, y}}, region;
  seen[static_cast<std::size_t>(y * s.width() + x)] = 1;
  while (!todo.empty()) {
    const Point p = todo.back();
    todo.pop_back();
    region.push_back(p);
    for (Point q : {Point{p.x - 1, p.y}, {p.x + 1, p.y}, {p.x, p.y - 1}, {p.x, p.y + 1}}) {
      if (!inside(q.x, q.y) || seen[static_cast<std::size_t>(q.y * s.width() + q.x)]) continue;
      seen[static_cast<std::size_t>(q.y * s.width() + q.x)] = 1;
      todo.push_back(q);
    }
  }
  for (Point p : region) SetPixelV(s, p.x, p.y, fill);
  return s;
}

TEST(FloodFill, AnyPictureAsByTheDefinition) {
  // Three colours at random, so regions have holes, rings and many runs; the
  // fill colour is often inside the region.
  std::mt19937 rng(17);
  const ColourRef colours[3] = {kWhite, kBlack, kRed};
  for (int round = 0; round < 3000; ++round) {
    const int w = 1 + static_cast<int>(rng() % 12), h = 1 + static_cast<int>(rng() % 9);
    const unsigned mix = rng() % 4;  // how often the first colour is drawn
    Surface s(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        SetPixelV(s, x, y, colours[rng() % (3 + mix) < mix ? 0 : rng() % 3]);
    const int x = static_cast<int>(rng() % static_cast<unsigned>(w + 2)) - 1;
    const int y = static_cast<int>(rng() % static_cast<unsigned>(h + 2)) - 1;
    const ColourRef c = colours[rng() % 3], fill = colours[rng() % 3];
    const FloodFillType type = rng() % 2 ? FLOODFILLSURFACE : FLOODFILLBORDER;
    Surface got = s;
    ExtFloodFill(got, x, y, c, type, Brush{true, fill});
    ASSERT_EQ(show(got), show(fillRef(s, x, y, c, type, fill)))
        << "round " << round << " at " << x << "," << y << "\n"
        << show(s);
  }
  // Wide pictures with scattered dots: runs longer than a machine word, and
  // rings everywhere along which a fill could come back.
  for (int round = 0; round < 20; ++round) {
    Surface s(150 + round, 12);
    for (int y = 0; y < s.height(); ++y)
      for (int x = 0; x < s.width(); ++x)
        if (rng() % 10 == 0) SetPixelV(s, x, y, colours[1 + rng() % 2]);
    const ColourRef fill = colours[round % 3];
    for (FloodFillType type : {FLOODFILLSURFACE, FLOODFILLBORDER}) {
      Surface got = s;
      ExtFloodFill(got, 70, 6, type == FLOODFILLSURFACE ? kWhite : kBlack, type, Brush{true, fill});
      ASSERT_EQ(show(got),
                show(fillRef(s, 70, 6, type == FLOODFILLSURFACE ? kWhite : kBlack, type, fill)))
          << "wide round " << round;
    }
  }
}

}  // namespace
}  // namespace raster
