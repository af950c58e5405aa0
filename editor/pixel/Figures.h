#pragma once
// Figures of whole picture pixels. A cell is a picture pixel relative to the
// view (cell (0, 0) is the canvas's top-left block); on the canvas each cell is
// a Z x Z block. The expanded-mode tools draw these, and so do the pens that
// work at picture scale.

#include "platform/raster/Raster.h"

namespace tupalo::pixel {

using raster::Point;

enum class CellShape {
  Segment,  // a..b, both cells included, a square pen of `pen` cells on each
  Box,      // outline from corner a to corner b, `pen` cells thick
  BoxFill,  // the whole box; a box from a cell to itself is the pen square
  Ellipse,  // centre a, pointer b, the Circle tool's arithmetic, `pen` wide
  EllipseFill,
};

// Adds the cells of a shape to `cells`, whose area is the view's cells. The
// square pen of `pen` cells on cell c reaches pen/2 cells left of and above c.
// `path` is scratch for a segment's path (kept by the caller, so that a drag
// allocates nothing).
void AddCellShape(raster::Region& cells, raster::Region& path, CellShape shape, Point a, Point b,
                  int pen);

// Each cell of `cells` as its z x z block of window pixels, added to `out`.
void AddCellBlocks(raster::Region& out, const raster::Region& cells, int z);

// The ellipse box of the Circle tools: centre c, pointer p; the half axes are
// |dx| and |dy| (left and top lie one past the pointer, right and bottom are
// excluded).
struct EllipseBox {
  int l, t, r, b;
};
EllipseBox EllipseAround(Point c, Point p);

}  // namespace tupalo::pixel
