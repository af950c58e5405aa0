// The shape tools that take several clicks: Polygon (27), Polygon Copy (28),
// Line(Type2) (29) and Bezier Line (31). Their vertices live in the engine's
// point list; the states between clicks are coded in ToolCode (5027, 6027,
// 7027 and so on).

#include <algorithm>

#include "editor/core/FloatingPiece.h"
#include "editor/core/ShapeDrawing.h"
#include "editor/core/ToolEngine.h"
#include "editor/core/ToolFactories.h"
#include "editor/core/ToolTable.h"

namespace tupalo {

namespace {

using raster::Point;
using shapes::Band;
using shapes::BandPen;

// Polygon (27), Polygon Copy (28) and Line(Type2) (29) collect vertices the
// same way: the first click is vertex 0 (state 5xxx), every further click on
// a new position adds one (6xxx until the release), a click once 256 are
// stored abandons the shape (7xxx), and a double click on the last vertex
// finishes it. The band runs from the last vertex to the pointer.
//
// Polygon Copy's finished outline cuts a piece out of the canvas: the pixels
// the polygon would paint with a 1-pixel pen (outline and inside, by the
// winding rule) float in WORK (8028) until a press stamps them, the source
// left as it was. Pixels of the bounding box outside the outline are not
// part of the piece.
class VertexTool : public Tool {
 public:
  explicit VertexTool(int base) : base_(base) {}

  void Press(ToolEngine& t, int X, int Y) override {
    Editor& e = t.ed();
    int& n = e.PointCount;
    const Point p{X, Y};
    if (e.ToolCode == tool::FourthStep(base_)) {
      t.StampPieceAt(X, Y);
      e.ToolCode = base_;
      stamped_ = true;
      return;
    }
    if (e.ToolCode == base_ || n <= 0) {
      band_.Forget();
      t.point(0) = p;
      n = 1;
      t.point(1) = p;
      e.ToolCode = tool::NextVertex(base_);
      t.ShowPointsLeft();
      return;
    }
    if (e.ToolCode != tool::NextVertex(base_) || p == t.point(n - 1)) return;
    if (n >= ToolEngine::kMaxPoints) {
      // One vertex too many: the shape is dropped rather than overrun the list.
      n = 0;
      band_.Forget();
      t.RedrawCanvas();
      t.ShowSub(QStringLiteral(" "));
      e.ToolCode = tool::VerticesOverrun(base_);
      return;
    }
    const Point last = t.point(n - 1);
    band_.Hide(t);
    if (base_ != tool::LineType2) {
      // The fixed edge stays on the canvas in XOR until the polygon is
      // finished or dropped; both redraw the canvas first.
      band_.Show(t, Band::Shape::Segment, BandPen(e.PenSize), last, p);
      band_.Forget();
    } else {
      const raster::Pen pen = t.DrawPen();
      raster::Region& segment = t.Figure();
      raster::LineRegion(segment, pen, last, p);
      t.Paint(segment, pixel::CopyInk(pen.color));
    }
    t.point(n) = p;
    ++n;
    t.point(n) = p;
    t.ShowPointsLeft();
    e.ToolCode = tool::VertexAdded(base_);
  }

  void Drag(ToolEngine& t, int X, int Y) override { Hover(t, X, Y); }
  void Hover(ToolEngine& t, int X, int Y) override {
    const Editor& e = t.ed();
    if (e.ToolCode == tool::FourthStep(base_) && e.WorkShown) {
      t.MovePiece(X, Y);
      return;
    }
    if (e.ToolCode != tool::NextVertex(base_) && e.ToolCode != tool::VertexAdded(base_)) return;
    if (e.PointCount <= 0) return;
    band_.Show(t, Band::Shape::Segment, BandPen(e.PenSize), t.point(e.PointCount - 1), {X, Y});
  }

  bool Release(ToolEngine& t, int, int) override {
    Editor& e = t.ed();
    if (stamped_) {
      stamped_ = false;
      return true;
    }
    if (e.ToolCode == tool::VertexAdded(base_)) e.ToolCode = tool::NextVertex(base_);
    if (e.ToolCode == tool::VerticesOverrun(base_)) e.ToolCode = base_;
    return false;
  }

  std::optional<bool> DoubleClick(ToolEngine& t, int X, int Y) override {
    Editor& e = t.ed();
    int& n = e.PointCount;
    if (e.ToolCode != tool::NextVertex(base_) || n <= 0 || !(t.point(n - 1) == Point{X, Y}))
      return std::nullopt;
    band_.Hide(t);
    const raster::Pen pen = t.DrawPen();
    const std::span<const Point> vertices(t.points(), static_cast<std::size_t>(n));
    if (base_ == tool::PolygonCopy) {
      // The XOR outline goes before the piece is lifted.
      t.RedrawCanvas();
      Lift(t, vertices, {X, Y});
      n = 0;
      t.ShowSub(QStringLiteral(" "));
      return false;
    }
    raster::Region& shape = t.Figure();
    if (base_ == tool::Polygon) {
      // Clears the XOR edges, whatever pen they were drawn with.
      t.RedrawCanvas();
      raster::PolygonRegion(shape, pen, true, vertices, raster::WINDING);
    } else {
      raster::LineRegion(shape, pen, t.point(n - 1), {X, Y});
    }
    t.Paint(shape, pixel::CopyInk(pen.color));
    n = 0;
    e.ToolCode = base_;
    t.ShowSub(QStringLiteral(" "));
    return true;
  }

  void Reset() override {
    band_.Forget();
    stamped_ = false;
  }

 private:
  void Lift(ToolEngine& t, std::span<const Point> vertices, Point pointer) {
    Editor& e = t.ed();
    raster::Pen thin;
    thin.width = 1;
    raster::Region& shape = t.Figure();
    raster::PolygonRegion(shape, thin, true, vertices, raster::WINDING);
    const raster::Rect b = shape.bounds();
    if (b.empty()) {
      e.ToolCode = base_;
      return;
    }
    const int w = b.right - b.left, h = b.bottom - b.top;
    e.WORK.reshape(w, h);
    raster::BitBlt(e.WORK, 0, 0, w, h, e.DRAW, b.left, b.top);
    mask_.reset(w, h);
    for (const raster::Span& span : shape.spans())
      mask_.addSpan(span.y - b.top, span.x0 - b.left, span.x1 - b.left);
    FloatWork(e, 1, {b.left, b.top}, pointer, &mask_);
    e.ToolCode = tool::FourthStep(base_);
    t.RepaintOverlay(PieceRect(e));
  }

  int base_;
  Band band_;
  bool stamped_ = false;  // the press stamped the polygon piece: the release commits
  raster::Region mask_;   // the next piece's mask (swapped with the floating one's)
};

// Bezier Line (31): a first drag gives the end points (state 5031), a second
// drag moves control point 1 (1031), a third control point 2 (2031); its
// release draws the curve in PenColor.
class BezierTool : public Tool {
 public:
  void Press(ToolEngine& t, int X, int Y) override {
    Editor& e = t.ed();
    switch (e.ToolCode) {
      case tool::BezierLine:
        band_.Show(t, Band::Shape::Segment, BandPen(e.PenSize), {X, Y}, {X, Y});
        break;
      case tool::BezierEnds:
        e.ToolCode = tool::BezierControl1;
        break;
      case tool::BezierControl1:
        e.ToolCode = tool::BezierControl2;
        break;
      default:
        break;
    }
  }

  void Drag(ToolEngine& t, int X, int Y) override {
    switch (t.ed().ToolCode) {
      case tool::BezierLine:
        band_.Show(t, Band::Shape::Segment, BandPen(t.ed().PenSize), t.start(), {X, Y});
        break;
      case tool::BezierControl1:
      case tool::BezierControl2:
        pts_[t.ed().ToolCode == tool::BezierControl1 ? 1 : 2] = {X, Y};
        band_.ShowCurve(t, BandPen(t.ed().PenSize), pts_);
        break;
      default:
        break;
    }
  }

  bool Release(ToolEngine& t, int X, int Y) override {
    Editor& e = t.ed();
    switch (e.ToolCode) {
      case tool::BezierLine: {
        const Point a = t.start(), b{X, Y};
        pts_[0] = pts_[1] = a;
        pts_[2] = pts_[3] = b;
        band_.ShowCurve(t, BandPen(e.PenSize), pts_);
        e.ToolCode = tool::BezierEnds;
        return false;
      }
      case tool::BezierControl1:
        Drag(t, X, Y);
        return false;
      case tool::BezierControl2: {
        Drag(t, X, Y);
        band_.Hide(t);
        const raster::Pen pen = t.DrawPen();
        raster::Region& curve = t.Figure();
        raster::PolyBezierRegion(curve, pen, pts_);
        t.Paint(curve, pixel::CopyInk(pen.color));
        e.ToolCode = tool::BezierLine;
        return true;
      }
      default:
        return false;
    }
  }

  void Reset() override { band_.Forget(); }

 private:
  Band band_;
  Point pts_[4];
};

}  // namespace

std::unique_ptr<Tool> MakeMultiClickTool(int base) {
  switch (base) {
    case tool::Polygon:
    case tool::PolygonCopy:
    case tool::LineType2:
      return std::make_unique<VertexTool>(base);
    case tool::BezierLine:
      return std::make_unique<BezierTool>();
    default:
      return nullptr;
  }
}

}  // namespace tupalo
