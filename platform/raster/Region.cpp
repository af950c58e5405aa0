#include "platform/raster/Region.h"

#include <algorithm>

#include "platform/raster/Raster.h"

namespace raster {

using i64 = std::int64_t;

void Region::reset(int width, int height) {
  width_ = width;
  height_ = height;
  spans_.clear();
  ordered_ = true;
}

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

void Region::addRect(i64 l, i64 t, i64 r, i64 b) {
  for (i64 y = std::max<i64>(t, 0); y < std::min<i64>(b, height_); ++y) addSpan(y, l, r);
}

Rect Region::bounds() const {
  const std::vector<Span>& s = spans();
  if (s.empty()) return {};
  Rect r{s.front().x0, s.front().y, s.front().x1, s.back().y + 1};
  for (const Span& sp : s) {
    r.left = std::min(r.left, sp.x0);
    r.right = std::max(r.right, sp.x1);
  }
  return r;
}

void Region::normalize() const {
  if (ordered_) return;
  std::sort(spans_.begin(), spans_.end(),
            [](const Span& a, const Span& b) { return a.y != b.y ? a.y < b.y : a.x0 < b.x0; });
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
  const auto& b = other.spans();
  std::size_t j = 0;
  for (const Span& s : spans()) {
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

void PaintRegion(Surface& s, const Region& r, ColourRef color, DrawMode mode) {
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

}  // namespace raster
