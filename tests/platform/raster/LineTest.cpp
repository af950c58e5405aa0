#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "Grid.h"

namespace raster {
namespace {

using namespace grid;

TEST(Line, ThinExamplesAndTies) {
  Surface s(6, 3), h(7, 1), z(3, 1), f(3, 2), r(3, 2);
  Line(s, pen(), {0, 0}, {4, 2});
  Line(h, pen(), {5, 0}, {2, 0});  // start drawn, end not
  Line(z, pen(), {1, 0}, {1, 0});
  Line(f, pen(), {0, 0}, {2, 1});  // y = 0.5 at x = 1 goes to 0 both ways
  Line(r, pen(), {2, 1}, {0, 0});
  EXPECT_EQ(show(s), art({"##....", "..##..", "......"}));
  EXPECT_EQ(show(h), art({"...###."}));
  EXPECT_EQ(show(z), art({"..."}));
  EXPECT_EQ(show(f), art({"##.", "..."}));
  EXPECT_EQ(show(r), art({".#.", "..#"}));
}

TEST(Line, ThinLinesDoNotDependOnDirection) {
  // Every pair of points of a 7x7 grid: A->B plus B equals B->A plus A, with
  // one pixel per step of the major axis.
  auto inked = [](const Surface& s) {
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < s.height(); ++y)
      for (int x = 0; x < s.width(); ++x)
        if (s.pixel(x, y) == toPixel(kBlack)) out.insert({x, y});
    return out;
  };
  for (int i = 0; i < 7 * 7; ++i)
    for (int j = 0; j < 7 * 7; ++j) {
      const Point a{i % 7, i / 7}, b{j % 7, j / 7};
      if (i == j) continue;
      Surface f(7, 7), r(7, 7);
      Line(f, pen(), a, b);
      Line(r, pen(), b, a);
      auto pf = inked(f), pr = inked(r);
      ASSERT_EQ(pf.size(),
                static_cast<std::size_t>(std::max(std::abs(b.x - a.x), std::abs(b.y - a.y))));
      ASSERT_TRUE(pf.count({a.x, a.y}) && !pf.count({b.x, b.y}));
      pf.insert({b.x, b.y});
      pr.insert({a.x, a.y});
      ASSERT_EQ(pf, pr) << a.x << "," << a.y << " -> " << b.x << "," << b.y;
    }
}

TEST(Line, ClippingAndFarCoordinates) {
  // Clipped drawing on a small surface equals a crop of a larger one (which
  // clips the far ends elsewhere).
  const std::vector<std::pair<Point, Point>> lines = {
      {{-2000, 3}, {2000, 5}}, {{4, -2000}, {3, 2000}}, {{-7, -3}, {13, 11}},
      {{11, 2}, {-5, 6}},      {{3, 3}, {3, 3000}},     {{-100, 50}, {50, -100}}};
  for (int w : {1, 2, 3, 5})
    for (const auto& [a, b] : lines) {
      Surface small(10, 8), big(300, 300);
      Line(small, pen(w), a, b);
      Line(big, pen(w), {a.x + 145, a.y + 145}, {b.x + 145, b.y + 145});
      EXPECT_EQ(show(small), show(crop(big, 145, 145, 10, 8))) << "width " << w << " from " << a.x;
    }
  Surface s(5, 5), d(5, 5), t(5, 4);
  Line(s, pen(), {-100000, -100000}, {100000, 100000});
  Line(d, pen(), {-2000000000, -1999999999}, {2000000000, 2000000001});
  Line(t, pen(3), {100000, 2}, {-100000, 2});
  EXPECT_EQ(show(s), art({"#....", ".#...", "..#..", "...#.", "....#"}));
  EXPECT_EQ(show(d), art({".....", "#....", ".#...", "..#..", "...#."}));
  EXPECT_EQ(show(t), art({".....", "#####", "#####", "#####"}));
}

TEST(Line, WideLinesHaveRoundCapsAndCoverTheirEnd) {
  Surface h(8, 5), v(5, 8), e(8, 4), diag(8, 8);
  Line(h, pen(3), {2, 2}, {5, 2});
  Line(v, pen(3), {2, 5}, {2, 2});
  Line(e, pen(2), {2, 2}, {5, 2});  // even widths lean top-left: -w/2 .. w/2-1
  Line(diag, pen(3), {1, 1}, {6, 6});
  EXPECT_EQ(show(h), art({"........", "..####..", ".######.", "..####..", "........"}));
  EXPECT_EQ(show(v), art({".....", "..#..", ".###.", ".###.", ".###.", ".###.", "..#..", "....."}));
  EXPECT_EQ(show(e), art({"........", ".#####..", ".#####..", "........"}));
  EXPECT_EQ(show(diag), art({".#......", "####....", ".####...", ".#####..", "..#####.", "...####.",
                             "....####", "......#."}));
  // A zero-length wide line is the pen's round tip.
  Surface t3(5, 5), t4(6, 6), t5(7, 7);
  Line(t3, pen(3), {2, 2}, {2, 2});
  Line(t4, pen(4), {3, 3}, {3, 3});
  Line(t5, pen(5), {3, 3}, {3, 3});
  EXPECT_EQ(show(t3), art({".....", "..#..", ".###.", "..#..", "....."}));
  EXPECT_EQ(show(t4), art({"......", "..##..", ".####.", ".####.", "..##..", "......"}));
  EXPECT_EQ(show(t5),
            art({".......", "..###..", ".#####.", ".#####.", ".#####.", "..###..", "......."}));
}

TEST(Line, WideLinesAreSymmetric) {
  // Reversed, turned by 180 degrees or mirrored: the same pixels. Odd widths
  // centre on the pixel, even widths on its top-left corner, so the turned
  // points differ by one.
  std::mt19937 rng(3);
  std::uniform_int_distribution<int> c(0, 13);
  const int n = 14;
  for (int w = 2; w <= 7; ++w) {
    const int k = (w & 1) ? n - 1 : n;
    for (int round = 0; round < 200; ++round) {
      const Point a{c(rng), c(rng)}, b{c(rng), c(rng)};
      Surface f(n, n), r(n, n), t(n, n), m(n, n);
      Line(f, pen(w), a, b);
      Line(r, pen(w), b, a);
      Line(t, pen(w), {k - a.x, k - a.y}, {k - b.x, k - b.y});
      Line(m, pen(w), {k - a.x, a.y}, {k - b.x, b.y});
      ASSERT_EQ(f, r) << "width " << w;
      for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
          ASSERT_EQ(f.pixel(x, y), t.pixel(n - 1 - x, n - 1 - y)) << "width " << w << " turned";
          ASSERT_EQ(f.pixel(x, y), m.pixel(n - 1 - x, y)) << "width " << w << " mirrored";
        }
    }
  }
}

TEST(Line, DottedPenDrawsEveryOtherPixelFromTheStart) {
  Pen dot = pen();
  dot.style = PenStyle::Dot;
  Surface s(8, 2), p(5, 3), w(6, 3);
  Line(s, dot, {0, 0}, {7, 0});
  Line(s, dot, {7, 1}, {0, 1});
  const Point corner[] = {{0, 0}, {3, 0}, {3, 3}};
  Polyline(p, dot, corner);  // the pattern runs on round the corner
  const Point offSurface[] = {{-3, 2}, {0, 2}, {5, 2}};
  Polyline(p, dot, offSurface);  // and on from segments off the surface
  dot.width = 3;                 // wide pens have no style
  Line(w, dot, {1, 1}, {4, 1});
  EXPECT_EQ(show(s), art({"#.#.#.#.", ".#.#.#.#"}));
  EXPECT_EQ(show(p), art({"#.#..", "...#.", ".#.#."}));
  EXPECT_EQ(show(w), art({".####.", "######", ".####."}));
}

TEST(Polyline, ThinPathLeavesOutItsLastPixelWidePathHasRoundJoins) {
  Surface s(6, 4), w(8, 8);
  const Point thin[] = {{0, 0}, {4, 0}, {4, 3}, {1, 3}};
  const Point wide[] = {{1, 1}, {5, 1}, {5, 5}};
  Polyline(s, pen(), thin);
  Polyline(w, pen(3), wide);
  Polyline(w, pen(3), std::span<const Point>(wide, 1));  // one point: nothing
  EXPECT_EQ(show(s), art({"#####.", "....#.", "....#.", "..###."}));
  EXPECT_EQ(show(w), art({".#####..", "#######.", ".######.", "....###.", "....###.", "....###.",
                          ".....#..", "........"}));
}

TEST(PSet, SquareDotWithTopLeftAtHalfTheWidth) {
  Surface s(9, 5);
  PSet(s, pen(1), 0, 0);
  PSet(s, pen(2), 3, 1);     // x 2..3, y 0..1
  PSet(s, pen(3), 7, 2);     // x 6..8, y 1..3
  PSet(s, pen(5), -1, 100);  // off the surface
  EXPECT_EQ(show(s), art({"#.##.....", "..##..###", "......###", "......###", "........."}));
}

TEST(Box, BothCornersBelongToTheBox) {
  Surface s(7, 5), f(7, 5), one(3, 3);
  Box(s, pen(), {5, 3}, {1, 1}, false);
  Box(f, pen(), {1, 1}, {5, 3}, true);
  Box(one, pen(), {1, 1}, {1, 1}, false);
  EXPECT_EQ(show(s), art({".......", ".#####.", ".#...#.", ".#####.", "......."}));
  EXPECT_EQ(show(f), art({".......", ".#####.", ".#####.", ".#####.", "......."}));
  EXPECT_EQ(show(one), art({"...", ".#.", "..."}));
}

TEST(Box, WidePens) {
  // Filled: the w x w square pen swept over x 2..4, y 2..3.
  Surface f3(7, 6), f2(7, 6), o3(9, 8);
  Box(f3, pen(3), {2, 2}, {4, 3}, true);
  Box(f2, pen(2), {2, 2}, {4, 3}, true);
  Box(o3, pen(3), {1, 1}, {7, 6}, false);  // outline: the edges with round joins
  EXPECT_EQ(show(f3), art({".......", ".#####.", ".#####.", ".#####.", ".#####.", "......."}));
  EXPECT_EQ(show(f2), art({".......", ".####..", ".####..", ".####..", ".......", "......."}));
  EXPECT_EQ(show(o3), art({".#######.", "#########", "#########", "###...###", "###...###",
                           "#########", "#########", ".#######."}));
}

TEST(PolyBezier, StraightCurveIsTheStraightLine) {
  for (int w : {1, 3})
    for (const auto& [a, b] :
         std::vector<std::pair<Point, Point>>{{{1, 1}, {14, 6}}, {{13, 2}, {2, 9}}}) {
      Surface c(16, 10), l(16, 10);
      const Point pts[4] = {a, a, b, b};
      PolyBezier(c, pen(w), pts);
      Line(l, pen(w), a, b);
      EXPECT_EQ(show(c), show(l));
    }
}

TEST(PolyBezier, CurveFromStartToJustBeforeTheEnd) {
  Surface s(12, 12);
  const Point pts[4] = {{1, 10}, {1, 1}, {10, 1}, {10, 10}};
  PolyBezier(s, pen(), pts);
  const std::string pic = show(s);
  EXPECT_EQ(pic[10 * 13 + 1], '#');
  EXPECT_EQ(pic[10 * 13 + 10], '.');
  // The top of the curve is at (5.5, 3.25); nothing above it.
  EXPECT_EQ(pic.find('#') / 13, 3u);
  EXPECT_TRUE(pic[3 * 13 + 5] == '#' || pic[3 * 13 + 6] == '#');
  for (int y = 4; y <= 9; ++y) {  // connected down both sides
    EXPECT_NE(pic.substr(static_cast<std::size_t>(y * 13), 6).find('#'), std::string::npos) << y;
    EXPECT_NE(pic.substr(static_cast<std::size_t>(y * 13 + 6), 6).find('#'), std::string::npos)
        << y;
  }
}

TEST(PolyBezier, StaysWithinAboutAPixelOfTheCurve) {
  // Random curves inside the surface, loops and cusps included. Flattened
  // points lie within 3/4 pixel of the exact curve, rounding moves them by up
  // to 0.71 and a line's pixels lie within half a pixel of it: no drawn pixel
  // is 2 pixels off the curve, and the curve runs within 2 pixels of drawn
  // pixels all the way, short of the end pixel a 1-pixel pen leaves out. On
  // average a drawn pixel is about a quarter pixel off, as rounding alone
  // makes it; a systematic shift or a coarse flattening shows there.
  std::mt19937 rng(3);
  std::uniform_int_distribution<int> coord(2, 45);
  double sum = 0;
  int count = 0;
  for (int round = 0; round < 200; ++round) {
    const Point pts[4] = {{coord(rng), coord(rng)},
                          {coord(rng), coord(rng)},
                          {coord(rng), coord(rng)},
                          {coord(rng), coord(rng)}};
    Surface s(48, 48);
    PolyBezier(s, pen(), pts);
    using P = std::pair<double, double>;
    std::vector<P> curve, drawn;
    for (int i = 0; i <= 1000; ++i) {
      const double t = i / 1000.0, u = 1 - t;
      const double b[4] = {u * u * u, 3 * u * u * t, 3 * u * t * t, t * t * t};
      curve.emplace_back(b[0] * pts[0].x + b[1] * pts[1].x + b[2] * pts[2].x + b[3] * pts[3].x,
                         b[0] * pts[0].y + b[1] * pts[1].y + b[2] * pts[2].y + b[3] * pts[3].y);
    }
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 48; ++x)
        if (s.pixel(x, y) != toPixel(kWhite)) drawn.emplace_back(x, y);
    auto nearest = [](P p, const std::vector<P>& set) {
      double best = 1e9;
      for (P q : set) best = std::min(best, std::hypot(p.first - q.first, p.second - q.second));
      return best;
    };
    for (P p : drawn) {
      const double d = nearest(p, curve);
      ASSERT_LT(d, 2.0) << "round " << round << " pixel " << p.first << "," << p.second;
      sum += d;
      ++count;
    }
    for (P p : curve) {
      if (std::hypot(p.first - pts[3].x, p.second - pts[3].y) <= 1.5) continue;
      ASSERT_LT(nearest(p, drawn), 2.0)
          << "round " << round << " at " << p.first << "," << p.second;
    }
  }
  EXPECT_LT(sum / count, 0.375);
}

}  // namespace
}  // namespace raster
