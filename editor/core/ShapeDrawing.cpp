#include "editor/core/ShapeDrawing.h"

#include <algorithm>

#include "editor/core/ToolEngine.h"

namespace tupalo::shapes {

raster::Pen BandPen(int width) {
  raster::Pen pen;
  pen.color = raster::rgb(255, 255, 255);
  pen.width = std::max(width, 1);
  pen.mode = raster::DrawMode::XorPen;
  return pen;
}

void Band::Show(ToolEngine& t, Shape shape, const raster::Pen& pen, Point a, Point b) {
  Hide(t);
  shape_ = shape;
  pen_ = pen;
  p_[0] = a;
  p_[1] = b;
  Paint(t);
}

void Band::ShowCurve(ToolEngine& t, const raster::Pen& pen, const Point (&pts)[4]) {
  Hide(t);
  shape_ = Shape::Curve;
  pen_ = pen;
  std::copy(std::begin(pts), std::end(pts), p_);
  Paint(t);
}

void Band::ShowCells(ToolEngine& t, pixel::CellShape shape, int pen, Point a, Point b) {
  Hide(t);
  shape_ = Shape::Cells;
  cells_ = shape;
  cellPen_ = pen;
  p_[0] = a;
  p_[1] = b;
  Paint(t);
}

void Band::Hide(ToolEngine& t) {
  if (shown_ && generation_ == t.ed().CanvasGeneration) Paint(t);
  shown_ = false;
}

void Band::Paint(ToolEngine& t) {
  const pixel::XorInk ink(raster::rgb(255, 255, 255));
  const Point a = p_[0], b = p_[1];
  raster::Region& figure = t.Figure();
  switch (shape_) {
    case Shape::Segment:
      if (a == b && pen_.width <= 1)
        raster::PSetRegion(figure, pen_.width, a.x, a.y);
      else
        raster::LineRegion(figure, pen_, a, b);
      t.Paint(figure, ink);
      break;
    case Shape::Box: {
      raster::BoxRegion(figure, pen_, a, b, false);
      // Only the four edges change; a large box must not repaint its inside.
      const int m = pen_.width / 2 + 2;
      const int l = std::min(a.x, b.x) - m, r = std::max(a.x, b.x) + m;
      const int tp = std::min(a.y, b.y) - m, bt = std::max(a.y, b.y) + m;
      const WindowRect edges[4] = {{l, a.y - m, r, a.y + m},
                                   {l, b.y - m, r, b.y + m},
                                   {a.x - m, tp, a.x + m, bt},
                                   {b.x - m, tp, b.x + m, bt}};
      t.Paint(figure, ink, edges);
      break;
    }
    case Shape::Ellipse:
      raster::EllipseRegion(figure, pen_, false, a.x, a.y, b.x, b.y);
      t.Paint(figure, ink);
      break;
    case Shape::Curve:
      raster::PolyBezierRegion(figure, pen_, p_);
      t.Paint(figure, ink);
      break;
    case Shape::Guides: {
      raster::Pen dotted = pen_;
      dotted.width = 1;
      dotted.style = raster::PenStyle::Dot;
      // Two figures: where the diagonals cross, the second takes the first's
      // dot away again.
      raster::LineRegion(figure, dotted, {a.x - 2000, a.y - 2000}, {a.x + 2000, a.y + 2000});
      t.Paint(figure, ink);
      raster::Region& second = t.Figure();
      raster::LineRegion(second, dotted, {a.x - 2000, a.y + 2000}, {a.x + 2000, a.y - 2000});
      t.Paint(second, ink);
      break;
    }
    case Shape::Cells:
      t.PaintCells(cells_, a, b, cellPen_, ink);
      break;
  }
  shown_ = true;
  generation_ = t.ed().CanvasGeneration;
}

}  // namespace tupalo::shapes
