#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "Grid.h"
#include "platform/raster/Geometry.h"

namespace raster {
namespace {

using namespace grid;

TEST(Rectangle, OutlineExcludesRightAndBottomBrushInside) {
  Surface s(7, 6), r(7, 6), h(7, 6), d(6, 3), w(9, 8);
  Rectangle(s, pen(), kRedBrush, 1, 1, 6, 5);
  Rectangle(r, pen(), kRedBrush, 6, 5, 1, 1);  // corners are sorted
  Rectangle(h, pen(), kHollow, 1, 1, 6, 5);
  Rectangle(d, pen(), kRedBrush, 2, 0, 2, 3);   // zero width: nothing
  Rectangle(d, pen(), kRedBrush, 0, 1, 6, 1);   // zero height: nothing
  Rectangle(d, pen(), kRedBrush, 1, 1, 5, 2);   // height 1: a line
  Rectangle(w, pen(3), kRedBrush, 1, 1, 8, 7);  // a wide pen centred on the outline
  EXPECT_EQ(show(s), art({".......", ".#####.", ".#+++#.", ".#+++#.", ".#####.", "......."}));
  EXPECT_EQ(show(r), show(s));
  EXPECT_EQ(show(h), art({".......", ".#####.", ".#...#.", ".#...#.", ".#####.", "......."}));
  EXPECT_EQ(show(d), art({"......", ".####.", "......"}));
  EXPECT_EQ(show(w), art({".#######.", "#########", "#########", "###+++###", "###+++###",
                          "#########", "#########", ".#######."}));
}

TEST(Ellipse, ReferenceExamplesAndSmallBoxes) {
  Surface a(5, 5), b(7, 5), c(4, 4), r(4, 4), flat(6, 2);
  Ellipse(a, pen(), kRedBrush, 0, 0, 5, 5);
  Ellipse(b, pen(), kRedBrush, 7, 5, 0, 0);
  Ellipse(c, pen(), kRedBrush, 0, 0, 4, 4);
  Ellipse(r, pen(), kRedBrush, 0, 0, 2, 4);     // width 2: a Rectangle
  Ellipse(flat, pen(), kRedBrush, 0, 0, 5, 1);  // height 1: a line
  Ellipse(flat, pen(), kRedBrush, 0, 1, 0, 2);  // zero width: nothing
  EXPECT_EQ(show(a), art({".###.", "#+++#", "#+++#", "#+++#", ".###."}));
  EXPECT_EQ(show(b), art({"..###..", "##+++##", "#+++++#", "##+++##", "..###.."}));
  EXPECT_EQ(show(c), art({".##.", "#++#", "#++#", ".##."}));
  EXPECT_EQ(show(r), art({"##..", "##..", "##..", "##.."}));
  EXPECT_EQ(show(flat), art({"#####.", "......"}));
}

TEST(Ellipse, ShapesAreSymmetricConvexAndTouchTheirBox) {
  for (int W = 3; W <= 24; ++W)
    for (int H = 3; H <= 24; ++H) {
      Surface s(W + 2, H + 2);
      Ellipse(s, pen(), kRedBrush, 1, 1, W + 1, H + 1);
      const std::string pic = show(s);
      auto at = [&](int x, int y) { return pic[static_cast<std::size_t>(y * (W + 3) + x)]; };
      for (int y = 0; y < H + 2; ++y) {
        int first = -1, last = -1;
        for (int x = 0; x < W + 2; ++x) {
          ASSERT_EQ(at(x, y), at(W + 1 - x, y)) << W << "x" << H;
          ASSERT_EQ(at(x, y), at(x, H + 1 - y)) << W << "x" << H;
          if (at(x, y) != '.') last = x, first = first < 0 ? x : first;
        }
        // One run per row (fill spans include the outline), outline at its ends.
        if (y == 0 || y == H + 1) {
          ASSERT_EQ(first, -1);
        } else {
          ASSERT_EQ(at(first, y), '#');
          for (int x = first; x <= last; ++x) ASSERT_NE(at(x, y), '.') << W << "x" << H;
        }
      }
      ASSERT_EQ(at(1, H / 2 + 1), '#') << W << "x" << H;
      ASSERT_NE(
          pic.substr(static_cast<std::size_t>(W + 3), static_cast<std::size_t>(W + 2)).find('#'),
          std::string::npos);
    }
}

TEST(Ellipse, WidePenIsABandCentredOnTheOutline) {
  // The 1-pixel outline of this box:
  //   ....#####....
  //   ...#.....#...
  //   ..#.......#..  (x3)
  //   ...#.....#...
  //   ....#####....
  Surface s(13, 11);
  Ellipse(s, pen(3), kRedBrush, 2, 2, 11, 9);
  EXPECT_EQ(show(s), art({".............", "....#####....", "...#######...", "..#########..",
                          ".###+++++###.", ".###+++++###.", ".###+++++###.", "..#########..",
                          "...#######...", "....#####....", "............."}));
  Surface w5(13, 11);
  Ellipse(w5, pen(5), kRedBrush, 2, 2, 11, 9);
  for (int y = 0; y < 11; ++y)
    for (int x = 0; x < 13; ++x) {
      EXPECT_EQ(w5.pixel(x, y), w5.pixel(12 - x, y));
      EXPECT_EQ(w5.pixel(x, y), w5.pixel(x, 10 - y));
      if (s.pixel(x, y) == toPixel(kBlack)) {
        EXPECT_EQ(w5.pixel(x, y), toPixel(kBlack));
      }
    }
  EXPECT_EQ(w5.pixel(6, 5), toPixel(kRed));
}

TEST(Ellipse, FarCoordinatesClip) {
  Surface s(8, 8);
  Ellipse(s, pen(), kRedBrush, -100000, -100000, 100008, 100008);
  EXPECT_EQ(s, Surface(8, 8, toPixel(kRed)));
  for (int w : {1, 3}) {
    Surface small(10, 8), big(40, 40);
    Ellipse(small, pen(w), kRedBrush, -9, -4, 7, 12);
    Ellipse(big, pen(w), kRedBrush, 6, 11, 22, 27);
    EXPECT_EQ(show(small), show(crop(big, 15, 15, 10, 8)));
  }
}

TEST(Ellipse, WidePenReachesInFromOutlineRowsOffTheSurface) {
  // The box's top and bottom rows lie up to a pen width above or below the
  // surface; the band around them still reaches in, exactly as on a larger
  // surface.
  for (int w = 2; w <= 6; ++w) {
    Surface whole(30, 24);
    Ellipse(whole, pen(w), kRedBrush, 5, 7, 25, 17);  // box rows 7 .. 16
    for (int off = 0; off <= w; ++off) {
      Surface top(30, 4), bottom(30, 4);
      Ellipse(top, pen(w), kRedBrush, 5, -off, 25, 10 - off);       // rows 7 + off .. 10 + off
      Ellipse(bottom, pen(w), kRedBrush, 5, off - 6, 25, off + 4);  // rows 13 - off .. 16 - off
      EXPECT_EQ(show(top), show(crop(whole, 0, 7 + off, 30, 4))) << "width " << w << " off " << off;
      EXPECT_EQ(show(bottom), show(crop(whole, 0, 13 - off, 30, 4)))
          << "width " << w << " off " << off;
    }
  }
}

TEST(Ellipse, BoxesUpTo2To19PixelsAreExactLargerDrawNothing) {
  // The tips of a circle 2^19 across: the left one at x = 0 over the middle
  // rows, the top one at y = 0 over the middle columns.
  constexpr int n = 1 << 19;
  Surface left(4, 4), topTip(4, 4);
  Ellipse(left, pen(), kRedBrush, 0, 2 - n / 2, n, 2 + n / 2);
  Ellipse(topTip, pen(), kRedBrush, 2 - n / 2, 0, 2 + n / 2, n);
  EXPECT_EQ(show(left), art({"#+++", "#+++", "#+++", "#+++"}));
  EXPECT_EQ(show(topTip), art({"####", "++++", "++++", "++++"}));
  // One pixel more, or the million-pixel boxes whose arithmetic would
  // overflow: nothing, however much of the box covers the surface.
  const Surface before(4, 4);
  Surface s(4, 4);
  Ellipse(s, pen(), kRedBrush, 0, 2 - n / 2, n + 1, 2 + n / 2);
  Ellipse(s, pen(3), kRedBrush, 2 - n / 2, 0, 2 + n / 2, n + 1);
  Ellipse(s, pen(), kRedBrush, -500000, -500000, 500000, 500000);
  Ellipse(s, pen(), kRedBrush, 0, 0, 1000000, 1000000);
  EXPECT_EQ(s, before);
}

// Straight from the fill rule: a downward edge counts +1 and an upward one -1
// when it covers row y and crosses it at or left of x.
Surface fillRef(int w, int h, const std::vector<Point>& pts, PolyFillMode mode) {
  Surface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int wind = 0;
      for (std::size_t i = 0; i < pts.size(); ++i) {
        Point p = pts[i], q = pts[(i + 1) % pts.size()];
        const int dir = p.y < q.y ? 1 : -1;
        if (p.y > q.y) std::swap(p, q);
        const long long dy = q.y - p.y;
        if (y >= p.y && y < q.y &&
            p.x * dy + static_cast<long long>(y - p.y) * (q.x - p.x) <= x * dy)
          wind += dir;
      }
      if (mode == WINDING ? wind != 0 : (wind & 1) != 0) s.setPixel(x, y, toPixel(kRed));
    }
  return s;
}

Surface fillOnly(int w, int h, const std::vector<Point>& pts, PolyFillMode mode) {
  Surface s(w, h);
  Region r(w, h);
  detail::addPolygonFill(r, pts, mode);
  PaintRegion(s, r, kRed, DrawMode::CopyPen);
  return s;
}

TEST(Polygon, TriangleFillThenPen) {
  const std::vector<Point> tri = {{0, 0}, {4, 0}, {0, 4}};
  EXPECT_EQ(show(fillOnly(6, 5, tri, WINDING)),
            art({"++++..", "+++...", "++....", "+.....", "......"}));
  Surface s(6, 5);
  Polygon(s, pen(), kRedBrush, tri);
  EXPECT_EQ(show(s), art({"#####.", "#++#..", "#+#...", "##....", "#....."}));
}

TEST(Polygon, WindingAndAlternate) {
  const std::vector<Point> twice = {{1, 1}, {5, 1}, {5, 4}, {1, 4}, {1, 1}, {5, 1}, {5, 4}, {1, 4}};
  EXPECT_EQ(show(fillOnly(6, 5, twice, WINDING)),
            art({"......", ".++++.", ".++++.", ".++++.", "......"}));
  EXPECT_EQ(fillOnly(6, 5, twice, ALTERNATE), Surface(6, 5));
  // A pentagram: its middle is inside only by winding.
  const std::vector<Point> star = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
  Surface w(21, 20), a(21, 20);
  Polygon(w, pen(), kRedBrush, star, WINDING);
  Polygon(a, pen(), kRedBrush, star, ALTERNATE);
  EXPECT_EQ(w.pixel(10, 10), toPixel(kRed));
  EXPECT_EQ(a.pixel(10, 10), toPixel(kWhite));
  EXPECT_EQ(a.pixel(10, 4), toPixel(kRed));
}

TEST(Polygon, FillFollowsTheRuleForAnyPolygon) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> coord(-6, 30), count(3, 12);
  for (int round = 0; round < 60; ++round) {  // random, self-intersecting
    std::vector<Point> pts(static_cast<std::size_t>(count(rng)));
    for (Point& p : pts) p = {coord(rng), coord(rng)};
    for (PolyFillMode mode : {WINDING, ALTERNATE})
      ASSERT_EQ(show(fillOnly(24, 24, pts, mode)), show(fillRef(24, 24, pts, mode)))
          << "round " << round;
  }
  std::vector<Point> star;  // 300 points, reaching far off the surface
  for (int i = 0; i < 300; ++i) {
    const double a = i * 2 * 3.14159265358979 / 300, r = (i % 2) ? 30 : 45;
    star.push_back({static_cast<int>(std::lround(32 + r * std::cos(a) * (i < 150 ? 1 : 1000))),
                    static_cast<int>(std::lround(32 + r * std::sin(a)))});
  }
  for (PolyFillMode mode : {WINDING, ALTERNATE})
    EXPECT_EQ(show(fillOnly(64, 64, star, mode)), show(fillRef(64, 64, star, mode)));
}

}  // namespace
}  // namespace raster
