#pragma once
// Internal building blocks of the drawing operations: a pixel region built
// from spans and painted once, and the pen geometry shared by lines and
// closed shapes. Not part of the public raster API.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/raster/Raster.h"

namespace raster::detail {

using i64 = std::int64_t;

constexpr i64 floorDiv(i64 a, i64 b) {  // b > 0
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}
constexpr i64 ceilDiv(i64 a, i64 b) {  // b > 0
  return a >= 0 ? (a + b - 1) / b : -((-a) / b);
}

struct Span {
  int y;
  int x0, x1;  // [x0, x1)
};

// A set of pixels of one surface. Spans are clipped to the surface as they are
// added (so far-off coordinates cost nothing), may overlap while the figure is
// built, and are merged by normalize() so that painting touches every pixel
// exactly once — what keeps an XOR figure erasable.
class Region {
 public:
  Region(int width, int height) : width_(width), height_(height) {}

  int width() const { return width_; }
  int height() const { return height_; }

  void addSpan(i64 y, i64 x0, i64 x1);  // [x0, x1) on row y
  void addPixel(i64 x, i64 y);
  void normalize();

  bool empty() const { return spans_.empty(); }
  const std::vector<Span>& spans() const { return spans_; }

  // This region without the pixels of `other`; both must be normalised.
  Region minus(const Region& other) const;

 private:
  int width_, height_;
  std::vector<Span> spans_;
  bool ordered_ = true;  // spans sorted by (y, x0) without overlaps
};

// Paints a normalised region: D = P for the copy pen, D = D xor P for XOR
// (colour bits only, so the 0xFF top byte survives).
void paint(Surface& s, const Region& r, ColorRef color, DrawMode mode);

// ---- pens ---------------------------------------------------------------------

// Running position in the dot pattern of a cosmetic dotted pen: along a path,
// every other pixel of the major axis is drawn, starting with the first pixel
// of the path; the pattern carries on across joins.
struct Dash {
  bool dotted = false;
  i64 phase = 0;
};

// GDI LineTo pixels from a to b: start drawn, end not, minor coordinate rounded
// to nearest with exact halves going to the smaller coordinate.
void addThinLine(Region& r, Point a, Point b, Dash& dash);

// The round pen tip of width w as rows of [x0, x1) offsets from the pen point:
// the filled ellipse of the w x w box at -floor(w/2) (a plus for w = 3, a 5x5
// square without corners for w = 5).
struct Disc {
  int top = 0;  // offset of the first row
  std::vector<Span> rows;  // y unused
};
Disc makeDisc(int w);
void addDisc(Region& r, const Disc& d, i64 x, i64 y);
// The disc swept along the pixels x0..x1 of row y (a run of outline pixels).
void addDiscRun(Region& r, const Disc& d, i64 x0, i64 x1, i64 y);

// Widths beyond this are clamped: the tip is built row by row.
inline constexpr int kMaxPenWidth = 1 << 14;

// Pixels of a pen path: width 1 (or less) as LineTo segments, wider as round
// caps and joins plus the half-width quadrilateral of every segment.
void addPenPath(Region& r, const Pen& pen, std::span<const Point> pts, bool closed);

// Polygon fill: integer point (x, y) inside by the fill mode, edges covering
// the scanlines y_top <= y < y_bottom, left and top boundaries inside.
void addPolygonFill(Region& r, std::span<const Point> pts, PolyFillMode mode);

// ---- ellipse ------------------------------------------------------------------

// Outline of the ellipse in a W x H box (both >= 3), per box row: the
// right-hand outline run [inner, outer] in box columns; the left-hand run is
// its mirror W-1-outer .. W-1-inner.
struct EllipseRow {
  int inner, outer;
};
std::vector<EllipseRow> ellipseRows(int W, int H);

}  // namespace raster::detail
