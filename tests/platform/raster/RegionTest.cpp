#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "Grid.h"
#include "platform/raster/Region.h"

namespace raster {
namespace {

using Spans = std::vector<std::tuple<int, int, int>>;

Spans spans(const Region& r) {
  Spans out;
  for (const Span& s : r.spans()) out.emplace_back(s.y, s.x0, s.x1);
  return out;
}

TEST(Region, NormalizeMergesOverlapsWhateverTheOrder) {
  Region r(10, 3);
  r.addSpan(1, 5, 7);
  r.addSpan(0, 8, 9);
  r.addSpan(0, 3, 4);
  r.addSpan(0, 4, 5);   // touching spans join
  r.addSpan(-1, 0, 4);  // off the surface
  r.addSpan(2, -100000000000LL, 100000000000LL);
  r.normalize();
  EXPECT_EQ(spans(r), (Spans{{0, 3, 5}, {0, 8, 9}, {1, 5, 7}, {2, 0, 10}}));

  // Added in order until a span grows back over the one before it.
  Region q(10, 1);
  q.addSpan(0, 0, 2);
  q.addSpan(0, 5, 7);
  q.addSpan(0, 1, 6);
  q.normalize();
  EXPECT_EQ(spans(q), (Spans{{0, 0, 7}}));
}

TEST(Region, Minus) {
  Region a(10, 2), b(10, 2);
  a.addSpan(0, 0, 10);
  a.addSpan(1, 2, 5);
  for (auto [y, x0, x1] : Spans{{0, 1, 3}, {0, 5, 6}, {0, 9, 12}, {1, 0, 2}, {1, 5, 8}})
    b.addSpan(y, x0, x1);
  EXPECT_EQ(spans(a.minus(b)), (Spans{{0, 0, 1}, {0, 3, 5}, {0, 6, 9}, {1, 2, 5}}));
}

TEST(Region, BoundsRectsAndReuse) {
  Region r(10, 6);
  EXPECT_TRUE(r.bounds().empty());
  r.addRect(-3, 4, 2, 9);  // clipped to the area
  r.addPixel(7, 1);
  EXPECT_EQ(spans(r), (Spans{{1, 7, 8}, {4, 0, 2}, {5, 0, 2}}));
  EXPECT_EQ(r.bounds(), (Rect{0, 1, 8, 6}));
  r.reset(3, 3);
  EXPECT_TRUE(r.empty());
  r.addSpan(2, 1, 9);
  EXPECT_EQ(spans(r), (Spans{{2, 1, 3}}));
}

// A closed shape's region holds its outline and, filled, its inside once:
// XOR paints it in one pass and a second pass takes it away again.
TEST(Region, FilledShapesAreOneSetOfPixels) {
  using namespace grid;
  Region e(7, 5), p(6, 5);
  EllipseRegion(e, Pen{}, true, 0, 0, 7, 5);
  const Point tri[] = {{0, 0}, {4, 0}, {0, 4}};
  PolygonRegion(p, Pen{}, true, tri);
  Surface s(7, 5), t(6, 5);
  PaintRegion(s, e, kWhite, DrawMode::XorPen);
  PaintRegion(t, p, kWhite, DrawMode::XorPen);
  EXPECT_EQ(show(s), art({"..###..", "#######", "#######", "#######", "..###.."}));
  EXPECT_EQ(show(t), art({"#####.", "####..", "###...", "##....", "#....."}));
  PaintRegion(s, e, kWhite, DrawMode::XorPen);
  EXPECT_EQ(show(s), show(Surface(7, 5)));
}

}  // namespace
}  // namespace raster
