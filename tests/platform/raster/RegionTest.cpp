#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "platform/raster/Region.h"

namespace raster {
namespace {

using detail::Region;
using Spans = std::vector<std::tuple<int, int, int>>;

Spans spans(const Region& r) {
  Spans out;
  for (const detail::Span& s : r.spans()) out.emplace_back(s.y, s.x0, s.x1);
  return out;
}

TEST(Region, NormalizeMergesOverlapsWhateverTheOrder) {
  Region r(10, 3);
  r.addSpan(1, 5, 7);
  r.addSpan(0, 8, 9);
  r.addSpan(0, 3, 4);
  r.addSpan(0, 4, 5);  // touching spans join
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
  for (auto [y, x0, x1] : Spans{{0, 1, 3}, {0, 5, 6}, {0, 9, 12}, {1, 0, 2}, {1, 5, 8}}) b.addSpan(y, x0, x1);
  EXPECT_EQ(spans(a.minus(b)), (Spans{{0, 0, 1}, {0, 3, 5}, {0, 6, 9}, {1, 2, 5}}));
}

}  // namespace
}  // namespace raster
