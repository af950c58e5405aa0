// The single-drag shape tools: Pset (1), FreeLine (2), Line (3), Box (4),
// Boxfill (5), Circle (6) and Circlefill (7). They paint their figures in
// PenColor on the canvas in window pixels; the engine's commit samples the
// canvas back into the picture.

#include <algorithm>
#include <cmath>

#include "editor/core/ShapeDrawing.h"
#include "editor/core/ToolEngine.h"
#include "editor/core/ToolFactories.h"
#include "editor/core/ToolTable.h"

namespace tupalo {

namespace {

using raster::Point;
using shapes::Band;
using shapes::BandPen;

// Separate dots of the pen size.
class PsetTool : public Tool {
 public:
  void Press(ToolEngine& t, int X, int Y) override {
    pen_ = t.DrawPen();
    Dot(t, X, Y);
  }
  void Drag(ToolEngine& t, int X, int Y) override { Dot(t, X, Y); }
  bool Release(ToolEngine&, int, int) override { return true; }

 private:
  void Dot(ToolEngine& t, int X, int Y) {
    raster::Region& dot = t.Figure();
    raster::PSetRegion(dot, pen_.width, X, Y);
    t.Paint(dot, pixel::CopyInk(pen_.color));
  }

  raster::Pen pen_;
};

// A connected stroke: a dot at the press, then a segment to every new
// pointer position.
class FreeLineTool : public Tool {
 public:
  void Press(ToolEngine& t, int X, int Y) override {
    pen_ = t.DrawPen();
    prev_ = {X, Y};
    raster::Region& dot = t.Figure();
    raster::PSetRegion(dot, pen_.width, X, Y);
    t.Paint(dot, pixel::CopyInk(pen_.color));
  }
  void Drag(ToolEngine& t, int X, int Y) override {
    const Point p{X, Y};
    raster::Region& segment = t.Figure();
    raster::LineRegion(segment, pen_, prev_, p);
    t.Paint(segment, pixel::CopyInk(pen_.color));
    prev_ = p;
  }
  bool Release(ToolEngine&, int, int) override { return true; }

 private:
  raster::Pen pen_;
  Point prev_;
};

// Line (3), Box (4) and Boxfill (5): an XOR rubber band from the press point
// to the pointer, then the final shape in PenColor at the release point.
class DragShapeTool : public Tool {
 public:
  enum Kind { Line, Box, BoxFill };
  explicit DragShapeTool(Kind k) : kind_(k) {}

  void Press(ToolEngine& t, int X, int Y) override {
    pen_ = t.DrawPen();
    Show(t, X, Y);
  }
  void Drag(ToolEngine& t, int X, int Y) override { Show(t, X, Y); }
  bool Release(ToolEngine& t, int X, int Y) override {
    band_.Hide(t);
    const Point a = t.start(), b{X, Y};
    raster::Region& shape = t.Figure();
    if (kind_ == Line)
      raster::LineRegion(shape, pen_, a, b);
    else
      raster::BoxRegion(shape, pen_, a, b, kind_ == BoxFill);
    t.Paint(shape, pixel::CopyInk(pen_.color));
    return true;
  }
  void Reset() override { band_.Forget(); }

 private:
  void Show(ToolEngine& t, int X, int Y) {
    band_.Show(t, kind_ == Line ? Band::Shape::Segment : Band::Shape::Box, BandPen(pen_.width),
               t.start(), {X, Y});
    if (kind_ != Line) t.ShowSize(X, Y);
  }

  Kind kind_;
  raster::Pen pen_;
  Band band_;
};

// Circle (6) and Circlefill (7): the press point is the centre. Two dotted
// diagonals mark it while the button is held; the ellipse's half axes are the
// pointer's distance from the centre along each axis.
class CircleTool : public Tool {
 public:
  explicit CircleTool(bool filled) : filled_(filled) {}

  void Press(ToolEngine& t, int X, int Y) override {
    guides_.Show(t, Band::Shape::Guides, BandPen(1), {X, Y}, {X, Y});
  }
  void Drag(ToolEngine& t, int X, int Y) override {
    const pixel::EllipseBox r = pixel::EllipseAround(t.start(), {X, Y});
    ellipse_.Show(t, Band::Shape::Ellipse, BandPen(1), {r.l, r.t}, {r.r, r.b});
  }
  bool Release(ToolEngine& t, int X, int Y) override {
    ellipse_.Hide(t);
    guides_.Hide(t);
    // The release point gives the last rubber-band rectangle.
    const pixel::EllipseBox r = pixel::EllipseAround(t.start(), {X, Y});
    const raster::Pen pen = t.DrawPen();
    raster::Region& ellipse = t.Figure();
    raster::EllipseRegion(ellipse, pen, filled_, r.l, r.t, r.r, r.b);
    t.Paint(ellipse, pixel::CopyInk(pen.color));
    return true;
  }
  void Reset() override {
    guides_.Forget();
    ellipse_.Forget();
  }

 private:
  bool filled_;
  Band guides_, ellipse_;
};

}  // namespace

std::unique_ptr<Tool> MakeShapeTool(int base) {
  switch (base) {
    case tool::Pset:
      return std::make_unique<PsetTool>();
    case tool::FreeLine:
      return std::make_unique<FreeLineTool>();
    case tool::Line:
      return std::make_unique<DragShapeTool>(DragShapeTool::Line);
    case tool::Box:
      return std::make_unique<DragShapeTool>(DragShapeTool::Box);
    case tool::Boxfill:
      return std::make_unique<DragShapeTool>(DragShapeTool::BoxFill);
    case tool::Circle:
      return std::make_unique<CircleTool>(false);
    case tool::Circlefill:
      return std::make_unique<CircleTool>(true);
    default:
      return nullptr;
  }
}

}  // namespace tupalo
