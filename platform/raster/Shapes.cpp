// Closed shapes: a brush fill inside, the pen on the edge. The brush paints
// only what the pen does not, so under XOR every pixel is touched once. Like
// the GDI mix mode, the pen's draw mode applies to the brush as well.

#include <algorithm>

#include "platform/raster/Raster.h"
#include "platform/raster/Region.h"

namespace raster {

using namespace detail;

namespace {

void fillAndFrame(Surface& s, const Pen& pen, const Brush& brush, Region& fill, Region& frame) {
  frame.normalize();
  if (brush.solid) {
    fill.normalize();
    paint(s, fill.minus(frame), brush.color, pen.mode);
  }
  paint(s, frame, pen.color, pen.mode);
}

}  // namespace

void detail::addPolygonFill(Region& r, std::span<const Point> pts, PolyFillMode mode) {
  struct Edge {
    i64 x0, y0, x1, y1;  // y0 < y1
    int dir;             // +1 downwards, -1 upwards
  };
  std::vector<Edge> edges;
  edges.reserve(pts.size());
  i64 ymin = 0, ymax = 0;
  for (std::size_t i = 0; i < pts.size(); ++i) {
    const Point p = pts[i], q = pts[(i + 1) % pts.size()];
    if (p.y == q.y) continue;  // horizontal edges cross no scanline
    if (p.y < q.y) {
      edges.push_back({p.x, p.y, q.x, q.y, 1});
    } else {
      edges.push_back({q.x, q.y, p.x, p.y, -1});
    }
    ymin = edges.size() == 1 ? edges.back().y0 : std::min(ymin, edges.back().y0);
    ymax = edges.size() == 1 ? edges.back().y1 : std::max(ymax, edges.back().y1);
  }
  if (edges.empty()) return;
  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.y0 < b.y0; });

  std::vector<const Edge*> active;
  std::vector<std::pair<i64, int>> cross;
  std::size_t next = 0;
  const i64 yEnd = std::min<i64>(ymax, r.height());
  for (i64 y = std::max<i64>(ymin, 0); y < yEnd; ++y) {
    // An edge covers the scanlines y0 <= y < y1.
    for (; next < edges.size() && edges[next].y0 <= y; ++next)
      if (edges[next].y1 > y) active.push_back(&edges[next]);
    std::erase_if(active, [y](const Edge* e) { return e->y1 <= y; });

    // Pixel x is inside when the integer point (x, y) is: a crossing at x_c
    // counts for every pixel x >= x_c, i.e. from ceil(x_c) on.
    cross.clear();
    for (const Edge* e : active) {
      const i64 dy = e->y1 - e->y0;
      cross.emplace_back(ceilDiv(e->x0 * dy + (y - e->y0) * (e->x1 - e->x0), dy), e->dir);
    }
    std::sort(cross.begin(), cross.end());
    int wind = 0;
    i64 start = 0;
    for (const auto& [x, dir] : cross) {
      const bool was = mode == WINDING ? wind != 0 : (wind & 1) != 0;
      wind += dir;
      const bool is = mode == WINDING ? wind != 0 : (wind & 1) != 0;
      if (!was && is) start = x;
      if (was && !is) r.addSpan(y, start, x);
    }
  }
}

void Rectangle(Surface& s, const Pen& pen, const Brush& brush, int l, int t, int r, int b) {
  const i64 L = std::min(l, r), R = std::max(l, r), T = std::min(t, b), B = std::max(t, b);
  if (L == R || T == B) return;
  Region frame(s.width(), s.height()), fill(s.width(), s.height());
  if (pen.width <= 1 && pen.style == PenStyle::Solid) {
    frame.addSpan(T, L, R);
    for (i64 y = std::max<i64>(T + 1, 0); y < std::min<i64>(B - 1, s.height()); ++y) {
      frame.addPixel(L, y);
      frame.addPixel(R - 1, y);
    }
    frame.addSpan(B - 1, L, R);
  } else {
    // The closed path round (l, t) .. (r-1, b-1); a wide pen is centred on it.
    const int x0 = static_cast<int>(L), x1 = static_cast<int>(R - 1);
    const int y0 = static_cast<int>(T), y1 = static_cast<int>(B - 1);
    const Point corners[4] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    addPenPath(frame, pen, corners, true);
    if (x0 == x1 && y0 == y1) frame.addPixel(x0, y0);  // 1x1: the path has no length
  }
  if (brush.solid)
    for (i64 y = std::max<i64>(T + 1, 0); y < std::min<i64>(B - 1, s.height()); ++y)
      fill.addSpan(y, L + 1, R - 1);
  fillAndFrame(s, pen, brush, fill, frame);
}

void Ellipse(Surface& s, const Pen& pen, const Brush& brush, int l, int t, int r, int b) {
  const i64 L = std::min(l, r), R = std::max(l, r), T = std::min(t, b), B = std::max(t, b);
  const i64 W = R - L, H = B - T;
  // Boxes of millions of pixels are far beyond any picture; they are not
  // walked (the outline walk is linear in the box size).
  constexpr i64 kMaxExtent = i64{1} << 22;
  if (W == 0 || H == 0 || W > kMaxExtent || H > kMaxExtent) return;
  if (W <= 2 || H <= 2) {
    Rectangle(s, pen, brush, l, t, r, b);
    return;
  }
  const std::vector<EllipseRow> rows = ellipseRows(static_cast<int>(W), static_cast<int>(H));
  Region frame(s.width(), s.height()), fill(s.width(), s.height());
  // A wide pen sweeps its round tip along the 1-pixel outline, giving a band
  // of the pen width centred on it. Pen styles are not applied to ellipses.
  const bool wide = pen.width > 1;
  const int w = std::min(pen.width, kMaxPenWidth);
  const Disc disc = wide ? makeDisc(w) : Disc{};
  const i64 margin = wide ? w : 0;
  for (i64 i = 0; i < H; ++i) {
    const i64 y = T + i;
    if (y < -margin || y >= s.height() + margin) continue;
    const EllipseRow& e = rows[static_cast<std::size_t>(i)];
    const i64 ll = L + W - 1 - e.outer, lr = L + W - 1 - e.inner;  // left run
    const i64 rl = L + e.inner, rr = L + e.outer;                  // right run
    if (wide) {
      addDiscRun(frame, disc, ll, lr, y);
      addDiscRun(frame, disc, rl, rr, y);
    } else {
      frame.addSpan(y, ll, lr + 1);
      frame.addSpan(y, rl, rr + 1);
    }
    if (brush.solid) fill.addSpan(y, ll, rr + 1);
  }
  fillAndFrame(s, pen, brush, fill, frame);
}

void Polygon(Surface& s, const Pen& pen, const Brush& brush, std::span<const Point> pts,
             PolyFillMode mode) {
  if (pts.size() < 2) return;
  Region frame(s.width(), s.height()), fill(s.width(), s.height());
  if (brush.solid) addPolygonFill(fill, pts, mode);
  addPenPath(frame, pen, pts, true);
  fillAndFrame(s, pen, brush, fill, frame);
}

}  // namespace raster
