#include "editor/pixel/Figures.h"

#include <algorithm>
#include <cstdint>

namespace tupalo::pixel {

using i64 = std::int64_t;

EllipseBox EllipseAround(Point c, Point p) {
  const int dx = p.x - c.x, dy = p.y - c.y;
  return {c.x + dx + 1, c.y + dy + 1, c.x - dx, c.y - dy};
}

void AddCellShape(raster::Region& cells, raster::Region& path, CellShape shape, Point a, Point b,
                  int pen) {
  pen = std::max(pen, 1);
  const i64 h = pen / 2;  // the square pen reaches h cells left and up of its cell
  switch (shape) {
    case CellShape::Box:
    case CellShape::BoxFill: {
      const i64 l = std::min(a.x, b.x) - h, r = std::max(a.x, b.x) - h + pen;
      const i64 t = std::min(a.y, b.y) - h, btm = std::max(a.y, b.y) - h + pen;
      if (shape == CellShape::BoxFill || r - l <= 2 * pen || btm - t <= 2 * pen) {
        cells.addRect(l, t, r, btm);
      } else {  // four bands
        cells.addRect(l, t, r, t + pen);
        cells.addRect(l, btm - pen, r, btm);
        cells.addRect(l, t + pen, l + pen, btm - pen);
        cells.addRect(r - pen, t + pen, r, btm - pen);
      }
      break;
    }
    case CellShape::Segment: {
      // The 1-cell path from a to b, end included, then the square pen on
      // every cell of it. Path cells up to `pen` outside the view still reach
      // into it, so the path is taken over a margin that wide.
      path.reset(cells.width() + 2 * pen, cells.height() + 2 * pen);
      const Point a1{a.x + pen, a.y + pen}, b1{b.x + pen, b.y + pen};
      raster::LineRegion(path, raster::Pen{}, a1, b1);
      path.addPixel(b1.x, b1.y);
      // A run of path cells x0 .. x1-1 carries the pen over x0-h .. x1-1-h+pen-1
      // (in view cells, pen less than in the path's own).
      for (const raster::Span& s : path.spans()) {
        const i64 y = s.y - pen - h;
        cells.addRect(s.x0 - pen - h, y, s.x1 - h - 1, y + pen);
      }
      break;
    }
    case CellShape::Ellipse:
    case CellShape::EllipseFill: {
      const EllipseBox box = EllipseAround(a, b);
      raster::Pen p;
      p.width = pen;
      raster::EllipseRegion(cells, p, shape == CellShape::EllipseFill, box.l, box.t, box.r, box.b);
      break;
    }
  }
}

void AddCellBlocks(raster::Region& out, const raster::Region& cells, int z) {
  for (const raster::Span& s : cells.spans()) {
    const i64 y = i64{s.y} * z;
    out.addRect(i64{s.x0} * z, y, i64{s.x1} * z, y + z);
  }
}

}  // namespace tupalo::pixel
