// Closed shapes: a brush fill inside, the pen on the edge. The brush paints
// only what the pen does not, so under XOR every pixel is touched once. Like
// the GDI mix mode, the pen's draw mode applies to the brush as well.

#include <algorithm>

#include "platform/raster/Geometry.h"
#include "platform/raster/Raster.h"

namespace raster {

using namespace detail;

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

namespace {

// Each shape adds its outline to `frame` and, when `fill` is given, its inside
// to `fill`, which may be `frame` itself (one region for one colour).
void rectangleParts(Region& frame, Region* fill, const Pen& pen, int l, int t, int r, int b) {
  const i64 L = std::min(l, r), R = std::max(l, r), T = std::min(t, b), B = std::max(t, b);
  if (L == R || T == B) return;
  if (pen.width <= 1 && pen.style == PenStyle::Solid) {
    frame.addSpan(T, L, R);
    for (i64 y = std::max<i64>(T + 1, 0); y < std::min<i64>(B - 1, frame.height()); ++y) {
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
  if (fill) fill->addRect(L + 1, T + 1, R - 1, B - 1);
}

void ellipseParts(Region& frame, Region* fill, const Pen& pen, int l, int t, int r, int b) {
  const i64 L = std::min(l, r), R = std::max(l, r), T = std::min(t, b), B = std::max(t, b);
  const i64 W = R - L, H = B - T;
  // Boxes beyond kMaxEllipseExtent draw nothing: the outline's arithmetic is
  // exact only up to there, and a box cut down to size would be another
  // ellipse.
  if (W == 0 || H == 0 || W > kMaxEllipseExtent || H > kMaxEllipseExtent) return;
  if (W <= 2 || H <= 2) {
    rectangleParts(frame, fill, pen, l, t, r, b);
    return;
  }
  const std::vector<EllipseRow> rows = ellipseRows(static_cast<int>(W), static_cast<int>(H));
  // A wide pen sweeps its round tip along the 1-pixel outline, giving a band
  // of the pen width centred on it. Pen styles are not applied to ellipses.
  const bool wide = pen.width > 1;
  const int w = std::min(pen.width, kMaxPenWidth);
  const Disc disc = wide ? makeDisc(w) : Disc{};
  const i64 margin = wide ? w : 0;
  for (i64 i = 0; i < H; ++i) {
    const i64 y = T + i;
    if (y < -margin || y >= frame.height() + margin) continue;
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
    if (fill) fill->addSpan(y, ll, rr + 1);
  }
}

void polygonParts(Region& frame, Region* fill, const Pen& pen, std::span<const Point> pts,
                  PolyFillMode mode) {
  if (pts.size() < 2) return;
  if (fill) addPolygonFill(*fill, pts, mode);
  addPenPath(frame, pen, pts, true);
}

// Paints the inside without the outline in the brush colour, then the outline
// in the pen colour.
template <class Parts>
void paintShape(Surface& s, const Pen& pen, const Brush& brush, Parts parts) {
  Region frame(s.width(), s.height()), fill(s.width(), s.height());
  parts(frame, brush.solid ? &fill : nullptr);
  if (brush.solid) PaintRegion(s, fill.minus(frame), brush.color, pen.mode);
  PaintRegion(s, frame, pen.color, pen.mode);
}

}  // namespace

void RectangleRegion(Region& r, const Pen& pen, bool filled, int l, int t, int rr, int b) {
  rectangleParts(r, filled ? &r : nullptr, pen, l, t, rr, b);
}

void EllipseRegion(Region& r, const Pen& pen, bool filled, int l, int t, int rr, int b) {
  ellipseParts(r, filled ? &r : nullptr, pen, l, t, rr, b);
}

void PolygonRegion(Region& r, const Pen& pen, bool filled, std::span<const Point> pts,
                   PolyFillMode mode) {
  polygonParts(r, filled ? &r : nullptr, pen, pts, mode);
}

void Rectangle(Surface& s, const Pen& pen, const Brush& brush, int l, int t, int r, int b) {
  paintShape(s, pen, brush,
             [&](Region& frame, Region* fill) { rectangleParts(frame, fill, pen, l, t, r, b); });
}

void Ellipse(Surface& s, const Pen& pen, const Brush& brush, int l, int t, int r, int b) {
  paintShape(s, pen, brush,
             [&](Region& frame, Region* fill) { ellipseParts(frame, fill, pen, l, t, r, b); });
}

void Polygon(Surface& s, const Pen& pen, const Brush& brush, std::span<const Point> pts,
             PolyFillMode mode) {
  paintShape(s, pen, brush,
             [&](Region& frame, Region* fill) { polygonParts(frame, fill, pen, pts, mode); });
}

// ---- ellipse ------------------------------------------------------------------

std::vector<EllipseRow> detail::ellipseRows(int W, int H) {
  // Incremental integer ellipse through the centres of the box's extreme
  // pixels (axes a = W-1, b = H-1), walking the lower-right quadrant from the
  // middle of the right side towards the bottom. A y step and an x step are
  // each decided on the error before the step, so a step can be diagonal; this
  // reproduces the reference stepping (7x5 gives "##+++##" next to the middle
  // row). All terms stay exact in 64 bits up to kMaxEllipseExtent.
  const i64 a = W - 1, b = H - 1, b1 = b & 1;
  i64 dx = 4 * (1 - a) * b * b;
  i64 dy = 4 * (b1 + 1) * a * a;
  i64 err = dx + dy + b1 * a * a;
  const i64 a8 = 8 * a * a, b8 = 8 * b * b;

  std::vector<EllipseRow> rows(static_cast<std::size_t>(H), EllipseRow{-1, -1});
  i64 x = a, xl = 0;    // right and mirrored left column of the walk
  i64 y = (b + 1) / 2;  // lower row of the walk; the upper one is b - y
  auto plot = [&](i64 px, i64 py) {
    EllipseRow& r = rows[static_cast<std::size_t>(py)];
    if (r.outer < 0) r.outer = static_cast<int>(px);
    r.inner = static_cast<int>(px);  // x only decreases along the walk
  };
  while (xl <= x && y <= b) {
    plot(x, y);
    const i64 e2 = 2 * err;
    bool stepped = false;
    if (e2 <= dy) {
      ++y;
      dy += a8;
      err += dy;
      stepped = true;
    }
    if (e2 >= dx || !stepped) {
      ++xl;
      --x;
      dx += b8;
      err += dx;
    }
  }
  // Flat ellipses run out of columns before reaching the top and bottom rows:
  // finish the tips with the middle column(s).
  for (; y <= b; ++y) plot(x + 1, y);
  // Mirror the lower half onto the upper one.
  for (i64 r = (b + 1) / 2; r <= b; ++r) rows[static_cast<std::size_t>(b - r)] = rows[r];
  return rows;
}

}  // namespace raster
