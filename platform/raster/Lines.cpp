// Lines, paths, dots, boxes and curves.

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/raster/Geometry.h"
#include "platform/raster/Raster.h"

namespace raster {
namespace detail {

void addThinLine(Region& r, Point a, Point b, Dash& dash) {
  const i64 dx = i64{b.x} - a.x, dy = i64{b.y} - a.y;
  if (dx == 0 && dy == 0) return;
  const bool xMajor = std::llabs(dx) > std::llabs(dy);
  const i64 major0 = xMajor ? a.x : a.y, minor0 = xMajor ? a.y : a.x;
  i64 dMajor = xMajor ? dx : dy, dMinor = xMajor ? dy : dx;
  const i64 n = std::llabs(dMajor);  // pixels k = 0 .. n-1; the end is left out
  const i64 step = dMajor > 0 ? 1 : -1;
  // Keep the divisor positive so that rounding does not depend on the direction.
  dMajor *= step;
  dMinor *= step;

  // Only the steps whose major coordinate lies on the surface.
  const i64 limit = xMajor ? r.width() : r.height();
  i64 k0, k1;
  if (step > 0) {
    k0 = std::max<i64>(0, -major0);
    k1 = std::min<i64>(n - 1, limit - 1 - major0);
  } else {
    k0 = std::max<i64>(0, major0 - (limit - 1));
    k1 = std::min<i64>(n - 1, major0);
  }
  if (k0 > k1) {
    dash.phase += n;
    return;
  }
  // Minor offset at step k: the nearest integer to dMinor*t/dMajor with exact
  // halves down, i.e. ceil((inc*k - dMajor) / den). Found once with 128-bit
  // products (any int coordinates), then stepped without division.
  const i64 den = 2 * dMajor;
  const i64 inc = 2 * dMinor * step;  // |inc| <= den
  const __int128 num0 = static_cast<__int128>(inc) * k0 - dMajor;
  __int128 q = num0 / den;
  if (q * den < num0) ++q;  // ceil
  i64 v = static_cast<i64>(q);
  i64 rem = static_cast<i64>(q * den - num0);  // 0 <= rem < den
  for (i64 k = k0; k <= k1; ++k) {
    if (!dash.dotted || !((dash.phase + k) & 1)) {
      const i64 major = major0 + k * step, minor = minor0 + v;
      if (xMajor) {
        r.addPixel(major, minor);
      } else {
        r.addPixel(minor, major);
      }
    }
    rem -= inc;
    if (rem < 0) {
      rem += den;
      ++v;
    } else if (rem >= den) {
      rem -= den;
      --v;
    }
  }
  dash.phase += n;
}

Disc makeDisc(int w) {
  Disc d;
  d.top = -(w / 2);
  if (w <= 2) {
    for (int i = 0; i < w; ++i) d.rows.push_back({0, -(w / 2), w - w / 2});
    return d;
  }
  const std::vector<EllipseRow> rows = ellipseRows(w, w);
  for (const EllipseRow& e : rows)
    d.rows.push_back({0, w - 1 - e.outer - w / 2, e.outer + 1 - w / 2});
  return d;
}

void addDisc(Region& r, const Disc& d, i64 x, i64 y) { addDiscRun(r, d, x, x, y); }

void addDiscRun(Region& r, const Disc& d, i64 x0, i64 x1, i64 y) {
  const i64 top = y + d.top;
  const i64 n = static_cast<i64>(d.rows.size());
  if (top >= r.height() || top + n <= 0) return;
  for (i64 i = 0; i < n; ++i) {
    const Span& s = d.rows[static_cast<std::size_t>(i)];
    r.addSpan(top + i, x0 + s.x0, x1 + s.x1);
  }
}

namespace {

// The body of a wide segment: the quadrilateral offset by half the width on
// both sides of the line through the pen points, taking the pixels whose
// centres lie strictly inside. The line runs through pixel centres for an odd
// width and along pixel corners for an even one, matching the tip's
// -floor(w/2) .. ceil(w/2)-1 cover: a horizontal segment gets exactly w rows.
// Excluding the whole boundary (rather than a half-open rule) keeps the body
// the same in both directions and symmetric about the segment's middle; the
// round tips cover the ends.
void addWideQuad(Region& r, Point a, Point b, int w) {
  // Pixel centres are sampled as integer points, so shift the geometry by half
  // a pixel: the line through integer points for odd widths.
  const double o = (w & 1) ? 0.0 : -0.5;
  const double half = w / 2.0;
  const double ax = a.x + o, ay = a.y + o, bx = b.x + o, by = b.y + o;
  const double len = std::hypot(bx - ax, by - ay);
  if (len == 0) return;
  const double nx = -(by - ay) / len * half, ny = (bx - ax) / len * half;
  const double px[4] = {ax + nx, bx + nx, bx - nx, ax - nx};
  const double py[4] = {ay + ny, by + ny, by - ny, ay - ny};
  const double ymin = std::min({py[0], py[1], py[2], py[3]});
  const double ymax = std::max({py[0], py[1], py[2], py[3]});
  // Points within kTie of the boundary count as on it: exact ties (a 45-degree
  // end edge through pixel centres) must not depend on rounding.
  constexpr double kTie = 1e-7;
  const i64 y0 = std::max<i64>(static_cast<i64>(std::floor(ymin + kTie)) + 1, 0);
  const i64 y1 = std::min<i64>(static_cast<i64>(std::ceil(ymax - kTie)), r.height());  // exclusive
  for (i64 y = y0; y < y1; ++y) {
    const double fy = static_cast<double>(y);
    double lo = 0, hi = 0;
    bool found = false;
    for (int e = 0; e < 4; ++e) {
      const int f = (e + 1) & 3;
      double ex0 = px[e], ey0 = py[e], ex1 = px[f], ey1 = py[f];
      if (ey0 > ey1) {
        std::swap(ex0, ex1);
        std::swap(ey0, ey1);
      }
      if (fy < ey0 || fy > ey1 || ey0 == ey1) continue;
      const double x = ex0 + (fy - ey0) * (ex1 - ex0) / (ey1 - ey0);
      lo = found ? std::min(lo, x) : x;
      hi = found ? std::max(hi, x) : x;
      found = true;
    }
    if (!found) continue;
    lo = std::clamp(lo, -1e12, 1e12) + kTie;
    hi = std::clamp(hi, -1e12, 1e12) - kTie;
    r.addSpan(y, static_cast<i64>(std::floor(lo)) + 1, static_cast<i64>(std::ceil(hi)));
  }
}

}  // namespace

void addPenPath(Region& r, const Pen& pen, std::span<const Point> pts, bool closed) {
  if (pts.empty()) return;
  const std::size_t n = pts.size();
  const std::size_t segments = closed ? n : n - 1;
  if (pen.width <= 1) {
    Dash dash{pen.style == PenStyle::Dot, 0};
    for (std::size_t i = 0; i < segments; ++i) addThinLine(r, pts[i], pts[(i + 1) % n], dash);
    return;
  }
  // Styles apply to cosmetic pens only; a wide pen is always solid.
  const int w = std::min(pen.width, kMaxPenWidth);
  const Disc disc = makeDisc(w);
  for (const Point& p : pts) addDisc(r, disc, p.x, p.y);
  for (std::size_t i = 0; i < segments; ++i) addWideQuad(r, pts[i], pts[(i + 1) % n], w);
}

}  // namespace detail

using namespace detail;

void LineRegion(Region& r, const Pen& pen, Point a, Point b) {
  const Point pts[2] = {a, b};
  addPenPath(r, pen, pts, false);
}

void PolylineRegion(Region& r, const Pen& pen, std::span<const Point> pts) {
  if (pts.size() < 2) return;
  addPenPath(r, pen, pts, false);
}

void PSetRegion(Region& r, int width, int x, int y) {
  const i64 w = std::max(width, 1);
  const i64 x0 = x - w / 2, y0 = y - w / 2;
  r.addRect(x0, y0, x0 + w, y0 + w);
}

void BoxRegion(Region& reg, const Pen& pen, Point a, Point b, bool filled) {
  const i64 l = std::min(a.x, b.x), r = std::max(a.x, b.x);
  const i64 t = std::min(a.y, b.y), btm = std::max(a.y, b.y);
  const i64 w = std::max(pen.width, 1);
  if (filled) {
    // The box swept by the w x w square pen of PSet: it grows by floor(w/2)
    // to the left and top and by ceil(w/2)-1 to the right and bottom.
    reg.addRect(l - w / 2, t - w / 2, r - w / 2 + w, btm - w / 2 + w);
  } else if (w == 1 && pen.style == PenStyle::Solid) {
    reg.addSpan(t, l, r + 1);
    reg.addSpan(btm, l, r + 1);
    for (i64 y = std::max<i64>(t + 1, 0); y < std::min<i64>(btm, reg.height()); ++y) {
      reg.addPixel(l, y);
      reg.addPixel(r, y);
    }
  } else {
    const Point corners[4] = {{static_cast<int>(l), static_cast<int>(t)},
                              {static_cast<int>(r), static_cast<int>(t)},
                              {static_cast<int>(r), static_cast<int>(btm)},
                              {static_cast<int>(l), static_cast<int>(btm)}};
    addPenPath(reg, pen, corners, true);
    if (w == 1 && l == r && t == btm) reg.addPixel(l, t);  // a one-pixel box
  }
}

namespace {

template <class Build>
void paintFigure(Surface& s, const Pen& pen, Build build) {
  Region r(s.width(), s.height());
  build(r);
  PaintRegion(s, r, pen.color, pen.mode);
}

}  // namespace

void Line(Surface& s, const Pen& pen, Point a, Point b) {
  paintFigure(s, pen, [&](Region& r) { LineRegion(r, pen, a, b); });
}

void Polyline(Surface& s, const Pen& pen, std::span<const Point> pts) {
  paintFigure(s, pen, [&](Region& r) { PolylineRegion(r, pen, pts); });
}

void PSet(Surface& s, const Pen& pen, int x, int y) {
  paintFigure(s, pen, [&](Region& r) { PSetRegion(r, pen.width, x, y); });
}

void Box(Surface& s, const Pen& pen, Point a, Point b, bool filled) {
  paintFigure(s, pen, [&](Region& r) { BoxRegion(r, pen, a, b, filled); });
}

void PolyBezier(Surface& s, const Pen& pen, const Point (&pts)[4]) {
  paintFigure(s, pen, [&](Region& r) { PolyBezierRegion(r, pen, pts); });
}

namespace {

struct FixPt {
  i64 x, y;  // 1/16 pixel
};

// Distance of p from the segment a-b, compared with one pixel.
bool nearChord(FixPt p, FixPt a, FixPt b) {
  const double vx = static_cast<double>(b.x - a.x), vy = static_cast<double>(b.y - a.y);
  const double wx = static_cast<double>(p.x - a.x), wy = static_cast<double>(p.y - a.y);
  const double len2 = vx * vx + vy * vy;
  double d2;
  if (len2 == 0) {
    d2 = wx * wx + wy * wy;
  } else {
    const double t = std::clamp((wx * vx + wy * vy) / len2, 0.0, 1.0);
    const double ex = wx - t * vx, ey = wy - t * vy;
    d2 = ex * ex + ey * ey;
  }
  return d2 <= 16.0 * 16.0;
}

FixPt mid(FixPt a, FixPt b) { return {(a.x + b.x) >> 1, (a.y + b.y) >> 1}; }

void flatten(FixPt p0, FixPt p1, FixPt p2, FixPt p3, int depth, std::vector<FixPt>& out) {
  if (depth >= 8 || (nearChord(p1, p0, p3) && nearChord(p2, p0, p3))) {
    out.push_back(p3);
    return;
  }
  const FixPt p01 = mid(p0, p1), p12 = mid(p1, p2), p23 = mid(p2, p3);
  const FixPt p012 = mid(p01, p12), p123 = mid(p12, p23);
  const FixPt m = mid(p012, p123);
  flatten(p0, p01, p012, m, depth + 1, out);
  flatten(m, p123, p23, p3, depth + 1, out);
}

}  // namespace

void PolyBezierRegion(Region& r, const Pen& pen, const Point (&pts)[4]) {
  FixPt f[4];
  for (int i = 0; i < 4; ++i) f[i] = {i64{pts[i].x} * 16, i64{pts[i].y} * 16};
  std::vector<FixPt> flat{f[0]};
  flatten(f[0], f[1], f[2], f[3], 0, flat);

  std::vector<Point> path;
  path.reserve(flat.size());
  for (const FixPt& p : flat) {
    const Point q{static_cast<int>((p.x + 8) >> 4), static_cast<int>((p.y + 8) >> 4)};
    if (path.empty() || !(path.back() == q)) path.push_back(q);
  }
  if (path.size() == 1) path.push_back(path.front());
  addPenPath(r, pen, path, false);
}

}  // namespace raster
