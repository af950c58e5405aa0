#pragma once
// Internal building blocks of the figures: the pen geometry shared by lines
// and closed shapes, the polygon fill and the ellipse outline. Not part of the
// public raster API; everything here adds pixels to a Region.

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
  int top = 0;             // offset of the first row
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

// Outline of the ellipse in a W x H box (both >= 3 and at most
// kMaxEllipseExtent), per box row: the right-hand outline run [inner, outer]
// in box columns; the left-hand run is its mirror W-1-outer .. W-1-inner.
struct EllipseRow {
  int inner, outer;
};
std::vector<EllipseRow> ellipseRows(int W, int H);

// The outline walk's terms grow as the cube of the box (up to about 8 a^2 b):
// at 2^19 they stay below 2^61, exact in 64 bits; they would overflow beyond
// about 920000. The editor's largest picture at the largest zoom, 32767 x 16
// pixels, fits.
inline constexpr int kMaxEllipseExtent = 1 << 19;

}  // namespace raster::detail
