// The colour change tools: Change color (17), Fuzzy Change Color (24),
// Reverse ChangeCol. (25), Fuz.Rev.Change Col. (26) and V Box (32) recolour
// a dragged rectangle; V Pen (33, and 11006 in the expanded layout) changes
// the brightness under a square pen. They all work on whole picture pixels:
// at zoom Z a rectangle from the press to the release covers the cells under
// both points and every cell between, which is what the rubber band shows.

#include <QString>
#include <algorithm>

#include "editor/core/P_WIN.h"
#include "editor/core/ShapeDrawing.h"
#include "editor/core/ToolEngine.h"
#include "editor/core/ToolFactories.h"
#include "editor/core/ToolTable.h"
#include "editor/core/WAIT_WIN.h"

namespace tupalo {

namespace {

using pixel::CellShape;
using raster::Point;

Point CellAt(const Editor& e, int X, int Y) { return {X / e.ZoomFactor, Y / e.ZoomFactor}; }

// The brightness factor, within the HSET bar's range.
pixel::BrightnessInk Brightness(const Editor& e) {
  return pixel::BrightnessInk(std::clamp<int>(e.settings.HSET, 0, 200));
}

// What a rectangle tool does to the pixels it covers, and what the busy
// window says meanwhile.
struct Change {
  pixel::Ink ink;
  QString caption;
};

Change ChangeFor(int code, const Editor& e) {
  const raster::ColourRef pen = e.PenColor, mask = e.MaskColor;
  auto window = [&] {
    // Within the ranges of the fuzzy window's bars.
    return PrepareToleranceWindow(mask, std::clamp<int>(e.settings.FUZH, 0, 180),
                                  std::clamp<int>(e.settings.FUZS, 0, 255),
                                  std::clamp<int>(e.settings.FUZV, 0, 255));
  };
  switch (code) {
    case tool::ReverseChangeColor:
      return {pixel::OutsideInk(pen, mask), QStringLiteral("Rev.Change Color処理中")};
    case tool::FuzzyChangeColor:
      // The designated colour itself counts, whatever the window says.
      return {pixel::SimilarInk(pen, mask, window(), true),
              QStringLiteral("Fuzzy Change Color処理中")};
    case tool::ReverseFuzzyChangeColor:
      return {pixel::SimilarInk(pen, mask, window(), false, true),
              QStringLiteral("Reverse Fuzzy Change Color処理中")};
    case tool::VBox:
      return {Brightness(e), QStringLiteral("V_BOX Change Color処理中")};
    default:
      return {pixel::OverInk(pen, mask), QStringLiteral("Change Color処理中")};
  }
}

// Press, drag a rubber band, release: the rectangle of cells from the press
// to the release is changed then, under the busy window. The replace tools
// show the rectangle inverted, V Box its outline.
class RectangleChangeTool : public Tool {
 public:
  explicit RectangleChangeTool(int code) : code_(code) {}

  // Nothing shows until the pointer moves; a click changes one cell.
  void Press(ToolEngine&, int, int) override {}
  void Drag(ToolEngine& t, int X, int Y) override {
    const Editor& e = t.ed();
    band_.ShowCells(t, code_ == tool::VBox ? CellShape::Box : CellShape::BoxFill, 1,
                    CellAt(e, t.start().x, t.start().y), CellAt(e, X, Y));
    t.ShowSize(X, Y);
  }
  bool Release(ToolEngine& t, int X, int Y) override {
    band_.Hide(t);
    const Editor& e = t.ed();
    Run(t, CellAt(e, t.start().x, t.start().y), CellAt(e, X, Y));
    return true;
  }
  void Reset() override { band_.Forget(); }

 private:
  void Run(ToolEngine& t, Point a, Point b) {
    P_WIN& w = t.win();
    const Editor& e = t.ed();
    const Change change = ChangeFor(code_, e);
    // Only the cells that exist: the view's.
    const int z = std::max(e.ZoomFactor, 1);
    const int left = std::max(std::min(a.x, b.x), 0);
    const int right = std::min(std::max(a.x, b.x), (e.DRAW.width() + z - 1) / z - 1);
    const int top = std::max(std::min(a.y, b.y), 0);
    const int bottom = std::min(std::max(a.y, b.y), (e.DRAW.height() + z - 1) / z - 1);
    w.SetPointer(QStringLiteral("WAIT"));
    {
      BusyScope busy(*w.waitWin, change.caption);
      busy.progress(0, 0);
      // A band of rows at a time, the bar growing after each; some 64
      // steps for a large rectangle.
      const int rows = bottom - top + 1;
      const int step = std::max(1, (rows + 63) / 64);
      for (int y = top; y <= bottom; y += step) {
        const int end = std::min(y + step, bottom + 1);
        raster::Region& cells = t.CellFigure();
        cells.addRect(left, y, right + 1, end);
        t.PaintCells(cells, change.ink);
        busy.progress(rows, end - top);
      }
    }
    w.SetPointer(QStringLiteral("NORMAL"));
  }

  int code_;
  shapes::Band band_;
};

// The brightness step on the pen square of cells at the pointer: at the
// press, at every move and again at the release. Each time it works on what
// the canvas shows, so going over a place again changes it again.
class VPenTool : public Tool {
 public:
  void Press(ToolEngine& t, int X, int Y) override {
    pen_ = t.ed().PenSize;
    Apply(t, X, Y);
  }
  void Drag(ToolEngine& t, int X, int Y) override { Apply(t, X, Y); }
  bool Release(ToolEngine& t, int X, int Y) override {
    Apply(t, X, Y);
    return true;
  }

 private:
  void Apply(ToolEngine& t, int X, int Y) {
    const Point c = CellAt(t.ed(), X, Y);
    t.PaintCells(CellShape::BoxFill, c, c, pen_, Brightness(t.ed()));
  }

  int pen_ = 1;
};

}  // namespace

std::unique_ptr<Tool> MakeColourChangeTool(int base) {
  switch (base) {
    case tool::ChangeColor:
    case tool::FuzzyChangeColor:
    case tool::ReverseChangeColor:
    case tool::ReverseFuzzyChangeColor:
    case tool::VBox:
      return std::make_unique<RectangleChangeTool>(base);
    case tool::VPen:
    case tool::ExpVPen:
      return std::make_unique<VPenTool>();
    default:
      return nullptr;
  }
}

}  // namespace tupalo
