// The expanded-mode shape tools: Pset (11001), Boxfill (11002), Box (11003),
// Circle (11004), filled circle (11005) and Line(Type2) (11010 single line,
// 11029 connected line with the states 12029 and 13029). They draw whole
// picture pixels: every point is the cell under the pointer, pens are squares
// of PenSize cells, and the canvas gets Z x Z blocks.

#include <algorithm>

#include "editor/core/ShapeDrawing.h"
#include "editor/core/ToolEngine.h"
#include "editor/core/ToolFactories.h"
#include "editor/core/ToolTable.h"

namespace tupalo {

namespace {

using pixel::CellShape;
using raster::Point;
using shapes::Band;

Point CellAt(const Editor& e, int X, int Y) { return {X / e.ZoomFactor, Y / e.ZoomFactor}; }

// Final cells take PenColor.
pixel::CopyInk Ink(const ToolEngine& t) { return pixel::CopyInk(t.ed().PenColor); }

// 11001: cell rectangles of the pen at every pointer position.
class CellPsetTool : public Tool {
 public:
  void Press(ToolEngine& t, int X, int Y) override {
    pen_ = t.ed().PenSize;
    Drag(t, X, Y);
  }
  void Drag(ToolEngine& t, int X, int Y) override {
    const Point c = CellAt(t.ed(), X, Y);
    t.PaintCells(CellShape::BoxFill, c, c, pen_, Ink(t));
  }
  bool Release(ToolEngine&, int, int) override { return true; }

 private:
  int pen_ = 1;
};

// 11002 and 11003: a box of cells from the press cell to the pointer cell,
// the outline PenSize cells thick; the band is that outline in XOR.
class CellBoxTool : public Tool {
 public:
  explicit CellBoxTool(bool filled) : filled_(filled) {}

  void Press(ToolEngine& t, int X, int Y) override {
    pen_ = t.ed().PenSize;
    Drag(t, X, Y);
  }
  void Drag(ToolEngine& t, int X, int Y) override {
    const Editor& e = t.ed();
    band_.ShowCells(t, CellShape::Box, pen_, CellAt(e, t.start().x, t.start().y), CellAt(e, X, Y));
    t.ShowSize(X, Y);
  }
  bool Release(ToolEngine& t, int X, int Y) override {
    band_.Hide(t);
    const Editor& e = t.ed();
    t.PaintCells(filled_ ? CellShape::BoxFill : CellShape::Box, CellAt(e, t.start().x, t.start().y),
                 CellAt(e, X, Y), pen_, Ink(t));
    return true;
  }
  void Reset() override { band_.Forget(); }

 private:
  bool filled_;
  int pen_ = 1;
  Band band_;
};

// 11004 and 11005: the Circle tool's ellipse in cells, centred on the press
// cell; the band is a one-cell outline.
class CellCircleTool : public Tool {
 public:
  explicit CellCircleTool(bool filled) : filled_(filled) {}

  void Press(ToolEngine& t, int X, int Y) override { Drag(t, X, Y); }
  void Drag(ToolEngine& t, int X, int Y) override {
    const Editor& e = t.ed();
    band_.ShowCells(t, CellShape::Ellipse, 1, CellAt(e, t.start().x, t.start().y), CellAt(e, X, Y));
  }
  bool Release(ToolEngine& t, int X, int Y) override {
    band_.Hide(t);
    const Editor& e = t.ed();
    t.PaintCells(filled_ ? CellShape::EllipseFill : CellShape::Ellipse,
                 CellAt(e, t.start().x, t.start().y), CellAt(e, X, Y), e.PenSize, Ink(t));
    return true;
  }
  void Reset() override { band_.Forget(); }

 private:
  bool filled_;
  Band band_;
};

// Line(Type2) in expanded mode. 11010 (single line): press and drag a band,
// the release draws the line of cells, both end cells included. 11029
// (connected line): every click fixes a segment from the last vertex
// (state 12029, the drag flag stays set between clicks); a click on the last
// vertex's cell, or a double click there, ends the line (13029), which is
// then committed and the tool is back at 11029.
class CellLineTool : public Tool {
 public:
  void Press(ToolEngine& t, int X, int Y) override {
    Editor& e = t.ed();
    int& n = e.PointCount;
    const Point c = CellAt(e, X, Y);
    if (e.ToolCode == tool::ExpLine) {
      pen_ = e.PenSize;
      band_.ShowCells(t, CellShape::Segment, pen_, c, c);
      return;
    }
    if (e.ToolCode == tool::ExpLineType2 || n <= 0) {
      band_.Forget();
      drawn_ = false;
      t.point(0) = {X, Y};
      n = 1;
      t.point(1) = {X, Y};
      e.ToolCode = tool::ExpLineNextVertex;
      // Lets a relayout drop the line and the drag flag with it.
      e.CanvasRedrawOff = true;
      t.ShowPointsLeft();
      return;
    }
    if (e.ToolCode != tool::ExpLineNextVertex) return;
    const Point last = CellAt(e, t.point(n - 1).x, t.point(n - 1).y);
    if (c == last) {
      Finish(t);
      return;
    }
    if (n >= ToolEngine::kMaxPoints) {
      n = 0;
      band_.Forget();
      t.RedrawCanvas();
      t.ShowSub(QStringLiteral(" "));
      e.CanvasRedrawOff = false;
      e.ToolCode = tool::ExpLineType2;
      return;
    }
    band_.Hide(t);
    t.PaintCells(CellShape::Segment, last, c, e.PenSize, Ink(t));
    drawn_ = true;
    t.point(n) = {X, Y};
    ++n;
    t.point(n) = {X, Y};
    t.ShowPointsLeft();
  }

  void Drag(ToolEngine& t, int X, int Y) override {
    if (t.ed().ToolCode == tool::ExpLine)
      band_.ShowCells(t, CellShape::Segment, pen_, CellAt(t.ed(), t.start().x, t.start().y),
                      CellAt(t.ed(), X, Y));
    else
      Hover(t, X, Y);
  }

  void Hover(ToolEngine& t, int X, int Y) override {
    const Editor& e = t.ed();
    if (e.ToolCode != tool::ExpLineNextVertex || e.PointCount <= 0) return;
    const Point last = t.point(e.PointCount - 1);
    band_.ShowCells(t, CellShape::Segment, e.PenSize, CellAt(e, last.x, last.y), CellAt(e, X, Y));
  }

  bool Release(ToolEngine& t, int X, int Y) override {
    Editor& e = t.ed();
    if (e.ToolCode == tool::ExpLine) {
      band_.Hide(t);
      t.PaintCells(CellShape::Segment, CellAt(e, t.start().x, t.start().y), CellAt(e, X, Y),
                   e.PenSize, Ink(t));
      return true;
    }
    // 13029 commits only when a segment was drawn.
    return e.ToolCode == tool::ExpLineEnded;
  }

  std::optional<bool> DoubleClick(ToolEngine& t, int X, int Y) override {
    Editor& e = t.ed();
    if (e.ToolCode != tool::ExpLineNextVertex || e.PointCount <= 0) return std::nullopt;
    const Point last = t.point(e.PointCount - 1);
    if (!(CellAt(e, last.x, last.y) == CellAt(e, X, Y))) return std::nullopt;
    Finish(t);
    return e.ToolCode == tool::ExpLineEnded;
  }

  void Reset() override { band_.Forget(); }

 private:
  void Finish(ToolEngine& t) {
    Editor& e = t.ed();
    band_.Hide(t);
    e.PointCount = 0;
    e.CanvasRedrawOff = false;
    t.ShowSub(QStringLiteral(" "));
    // A line of one vertex drew nothing: nothing to commit.
    e.ToolCode = drawn_ ? tool::ExpLineEnded : tool::ExpLineType2;
  }

  int pen_ = 1;
  bool drawn_ = false;
  Band band_;
};

}  // namespace

std::unique_ptr<Tool> MakeCellTool(int base) {
  switch (base) {
    case tool::ExpPset:
      return std::make_unique<CellPsetTool>();
    case tool::ExpBoxfill:
      return std::make_unique<CellBoxTool>(true);
    case tool::ExpBox:
      return std::make_unique<CellBoxTool>(false);
    case tool::ExpCircle:
      return std::make_unique<CellCircleTool>(false);
    case tool::ExpCirclefill:
      return std::make_unique<CellCircleTool>(true);
    case tool::ExpLine:
    case tool::ExpLineType2:
      return std::make_unique<CellLineTool>();
    default:
      return nullptr;
  }
}

}  // namespace tupalo
