#pragma once
// A set of pixels as spans: what every figure of the drawing layer is built
// as before it is painted, and what the editor's inks composite.

#include <cstdint>
#include <vector>

namespace raster {

// Pixels x0 <= x < x1 of row y.
struct Span {
  int y;
  int x0, x1;
};

// A rectangle, right and bottom excluded.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool empty() const { return right <= left || bottom <= top; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// Pixels of a width x height area (a surface). Spans are clipped to the area
// as they are added, so far-off coordinates cost nothing. They may overlap
// while a figure is built; reading them merges them first, so a region holds
// every pixel once, row by row from the top and left to right within a row —
// what keeps an XOR figure erasable. A region kept between figures keeps its
// memory: reset() it rather than making a new one.
class Region {
 public:
  Region() = default;
  Region(int width, int height) : width_(width), height_(height) {}

  // Empty, clipped to a new area; the memory stays.
  void reset(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }

  void addSpan(std::int64_t y, std::int64_t x0, std::int64_t x1);  // [x0, x1) on row y
  void addPixel(std::int64_t x, std::int64_t y);
  void addRect(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b);  // [l, r) x [t, b)

  bool empty() const { return spans_.empty(); }
  // Sorted by row, then by column; no two overlap or touch.
  const std::vector<Span>& spans() const {
    normalize();
    return spans_;
  }
  // The smallest rectangle holding every pixel; empty for an empty region.
  Rect bounds() const;
  // Merges the spans now (reading them does it anyway).
  void normalize() const;

  // This region without the pixels of `other`.
  Region minus(const Region& other) const;

 private:
  int width_ = 0, height_ = 0;
  // Merging changes how the set is stored, never which pixels it holds.
  mutable std::vector<Span> spans_;
  mutable bool ordered_ = true;  // sorted by (y, x0) without overlaps
};

}  // namespace raster
