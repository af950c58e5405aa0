// Border and surface flood fills: 4-connected, scanline with a span stack.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/raster/Geometry.h"
#include "platform/raster/Raster.h"

namespace raster {

using namespace detail;

namespace {

// Marks of the pixels already taken, kept between calls so that a fill does
// not fault in a fresh picture-sized buffer each time. Every fill clears the
// marks it set, so the buffer is all zero between calls.
std::vector<std::uint8_t>& marks(std::size_t size) {
  thread_local std::vector<std::uint8_t> m;
  if (m.size() < size) m.resize(size, 0);
  return m;
}

template <class Inside>
void fillRegion(Surface& s, int x, int y, const Brush& brush, Inside inside) {
  if (!s.contains(x, y) || !inside(s.pixel(x, y))) return;
  const int W = s.width(), H = s.height();
  std::vector<std::uint8_t>& seen = marks(static_cast<std::size_t>(W) * H);
  auto seenRow = [&](int yy) { return seen.data() + static_cast<std::size_t>(yy) * W; };

  Region region(W, H);
  struct Seed {
    int x, y;
  };
  std::vector<Seed> stack{{x, y}};
  while (!stack.empty()) {
    const Seed sd = stack.back();
    stack.pop_back();
    const Pixel* row = s.row(sd.y);
    std::uint8_t* mark = seenRow(sd.y);
    if (mark[sd.x]) continue;
    int x0 = sd.x, x1 = sd.x;
    while (x0 > 0 && !mark[x0 - 1] && inside(row[x0 - 1])) --x0;
    while (x1 + 1 < W && !mark[x1 + 1] && inside(row[x1 + 1])) ++x1;
    std::fill(mark + x0, mark + x1 + 1, std::uint8_t{1});
    region.addSpan(sd.y, x0, x1 + 1);
    // One seed per run of fillable pixels directly above and below the span;
    // not beyond its ends, which keeps the fill 4-connected.
    for (int ny : {sd.y - 1, sd.y + 1}) {
      if (ny < 0 || ny >= H) continue;
      const Pixel* nrow = s.row(ny);
      const std::uint8_t* nmark = seenRow(ny);
      for (int xx = x0; xx <= x1; ++xx) {
        if (nmark[xx] || !inside(nrow[xx])) continue;
        stack.push_back({xx, ny});
        while (xx + 1 <= x1 && !nmark[xx + 1] && inside(nrow[xx + 1])) ++xx;
      }
    }
  }

  region.normalize();
  for (const Span& sp : region.spans()) std::fill(seenRow(sp.y) + sp.x0, seenRow(sp.y) + sp.x1, 0);
  if (brush.solid) PaintRegion(s, region, brush.color, DrawMode::CopyPen);
}

}  // namespace

void FloodFill(Surface& s, int x, int y, ColourRef border, const Brush& brush) {
  ExtFloodFill(s, x, y, border, FLOODFILLBORDER, brush);
}

void ExtFloodFill(Surface& s, int x, int y, ColourRef c, FloodFillType type, const Brush& brush) {
  // Compare colour bits only; a value that is no colour (CLR_INVALID) matches
  // no pixel.
  const bool valid = (c & 0xFF000000u) == 0;
  const Pixel target = toPixel(c) & 0x00FFFFFFu;
  if (type == FLOODFILLBORDER) {
    fillRegion(s, x, y, brush, [=](Pixel p) { return !valid || (p & 0x00FFFFFFu) != target; });
  } else {
    if (!valid) return;
    fillRegion(s, x, y, brush, [=](Pixel p) { return (p & 0x00FFFFFFu) == target; });
  }
}

}  // namespace raster
