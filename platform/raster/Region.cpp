#include "platform/raster/Region.h"

#include <algorithm>

namespace raster::detail {

void Region::addSpan(i64 y, i64 x0, i64 x1) {
  if (y < 0 || y >= height_) return;
  x0 = std::max<i64>(x0, 0);
  x1 = std::min<i64>(x1, width_);
  if (x0 >= x1) return;
  const Span s{static_cast<int>(y), static_cast<int>(x0), static_cast<int>(x1)};
  if (!spans_.empty()) {
    Span& last = spans_.back();
    if (last.y == s.y && s.x0 <= last.x1 && s.x1 >= last.x0) {
      // Lines add their pixels one by one: grow the previous span in place.
      last.x0 = std::min(last.x0, s.x0);
      last.x1 = std::max(last.x1, s.x1);
      // Grown to the left, it may now reach the span before it.
      if (spans_.size() > 1) {
        const Span& prev = spans_[spans_.size() - 2];
        if (prev.y == last.y && last.x0 <= prev.x1) ordered_ = false;
      }
      return;
    }
    if (s.y < last.y || (s.y == last.y && s.x0 < last.x1)) ordered_ = false;
  }
  spans_.push_back(s);
}

void Region::addPixel(i64 x, i64 y) { addSpan(y, x, x + 1); }

void Region::normalize() {
  if (ordered_) return;
  std::sort(spans_.begin(), spans_.end(), [](const Span& a, const Span& b) {
    return a.y != b.y ? a.y < b.y : a.x0 < b.x0;
  });
  std::size_t out = 0;
  for (std::size_t i = 1; i < spans_.size(); ++i) {
    Span& cur = spans_[out];
    const Span& s = spans_[i];
    if (s.y == cur.y && s.x0 <= cur.x1) {
      cur.x1 = std::max(cur.x1, s.x1);
    } else {
      spans_[++out] = s;
    }
  }
  if (!spans_.empty()) spans_.resize(out + 1);
  ordered_ = true;
}

Region Region::minus(const Region& other) const {
  Region out(width_, height_);
  const auto& b = other.spans_;
  std::size_t j = 0;
  for (const Span& s : spans_) {
    while (j < b.size() && (b[j].y < s.y || (b[j].y == s.y && b[j].x1 <= s.x0))) ++j;
    int x = s.x0;
    for (std::size_t k = j; k < b.size() && b[k].y == s.y && b[k].x0 < s.x1; ++k) {
      if (b[k].x0 > x) out.spans_.push_back({s.y, x, b[k].x0});
      x = std::max(x, b[k].x1);
    }
    if (x < s.x1) out.spans_.push_back({s.y, x, s.x1});
  }
  return out;
}

void paint(Surface& s, const Region& r, ColorRef color, DrawMode mode) {
  const Pixel p = toPixel(color);
  if (mode == DrawMode::XorPen) {
    const Pixel m = p & 0x00FFFFFFu;
    for (const Span& sp : r.spans()) {
      Pixel* row = s.row(sp.y);
      for (int x = sp.x0; x < sp.x1; ++x) row[x] ^= m;
    }
  } else {
    for (const Span& sp : r.spans()) std::fill(s.row(sp.y) + sp.x0, s.row(sp.y) + sp.x1, p);
  }
}

// ---- ellipse ------------------------------------------------------------------

std::vector<EllipseRow> ellipseRows(int W, int H) {
  // Incremental integer ellipse through the centres of the box's extreme
  // pixels (axes a = W-1, b = H-1), walking the lower-right quadrant from the
  // middle of the right side towards the bottom. A y step and an x step are
  // each decided on the error before the step, so a step can be diagonal; this
  // reproduces the reference stepping (7x5 gives "##+++##" next to the middle
  // row). All products stay in 64 bits for boxes up to a few 100000 pixels.
  const i64 a = W - 1, b = H - 1, b1 = b & 1;
  i64 dx = 4 * (1 - a) * b * b;
  i64 dy = 4 * (b1 + 1) * a * a;
  i64 err = dx + dy + b1 * a * a;
  const i64 a8 = 8 * a * a, b8 = 8 * b * b;

  std::vector<EllipseRow> rows(static_cast<std::size_t>(H), EllipseRow{-1, -1});
  i64 x = a, xl = 0;       // right and mirrored left column of the walk
  i64 y = (b + 1) / 2;     // lower row of the walk; the upper one is b - y
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

}  // namespace raster::detail
