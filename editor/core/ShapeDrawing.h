#pragma once
// Rubber bands of the shape tools: XOR figures that erase themselves exactly.

#include <cstdint>

#include "editor/core/Tool.h"
#include "editor/pixel/Figures.h"
#include "platform/raster/Raster.h"

namespace tupalo {

class ToolEngine;

namespace shapes {

using raster::Point;

// Rubber bands are white XOR: drawing one twice leaves no trace.
raster::Pen BandPen(int width);

// One rubber band on the canvas. Show draws it (XOR) and remembers it; Hide
// draws it again to erase it. A band drawn before the canvas was last redrawn
// from the picture is already gone and is only forgotten, so the erase never
// marks fresh pixels.
class Band {
 public:
  enum class Shape {
    Segment,  // line a..b; with a 1-pixel pen a zero-length band marks a
    Box,      // outline, a and b opposite corners
    Ellipse,  // GDI ellipse in the box a..b (right/bottom excluded), hollow
    Curve,    // Bezier a, c1, c2, b
    Guides,   // the two dotted diagonals through a, 2000 pixels each way
    Cells,    // a cell shape (see pixel::CellShape)
  };

  void Show(ToolEngine& t, Shape shape, const raster::Pen& pen, Point a, Point b);
  void ShowCurve(ToolEngine& t, const raster::Pen& pen, const Point (&pts)[4]);
  void ShowCells(ToolEngine& t, pixel::CellShape shape, int pen, Point a, Point b);
  void Hide(ToolEngine& t);
  void Forget() { shown_ = false; }
  bool shown() const { return shown_; }

 private:
  void Paint(ToolEngine& t);

  Shape shape_ = Shape::Segment;
  pixel::CellShape cells_ = pixel::CellShape::Segment;
  raster::Pen pen_;
  int cellPen_ = 1;
  Point p_[4];
  bool shown_ = false;
  uint32_t generation_ = 0;
};

}  // namespace shapes

}  // namespace tupalo
