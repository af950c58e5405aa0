// The small geometric pixel tools: the four side changes (12 to 15), Reverse
// (16) and Glass Mirror (30). They work in whole picture pixels, painted on
// the canvas as Z x Z blocks, so that at any zoom the commit writes into the
// picture exactly what the canvas shows.

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "editor/core/ShapeDrawing.h"
#include "editor/core/ToolEngine.h"
#include "editor/core/ToolFactories.h"
#include "editor/core/ToolTable.h"

namespace tupalo {

namespace {

using pixel::CellShape;
using raster::Pixel;
using raster::Point;

bool SameColour(Pixel a, Pixel b) { return ((a ^ b) & 0x00FFFFFFu) == 0; }

// Left, Right, Up and Down side change: standing on a pixel of the designated
// colour, the first run of other pixels met on the tool's side within PenSize
// pixels takes PenColor. Dragging along an outline recolours the edge of a
// shape as seen from that side. The press, every move with the button held
// and the release each look once at the pointer's pixel; they read the
// picture, so what the drag has painted so far does not count.
class SideChangeTool : public Tool {
 public:
  explicit SideChangeTool(int base)
      : dx_(base == tool::LeftSideChange    ? -1
            : base == tool::RightSideChange ? 1
                                            : 0),
        dy_(base == tool::UpSideChange     ? -1
            : base == tool::DownSideChange ? 1
                                           : 0) {}

  void Press(ToolEngine& t, int X, int Y) override {
    painted_ = false;
    SideChange(t, X, Y);
  }
  void Drag(ToolEngine& t, int X, int Y) override { SideChange(t, X, Y); }
  bool Release(ToolEngine& t, int X, int Y) override {
    SideChange(t, X, Y);
    return painted_;
  }

 private:
  void SideChange(ToolEngine& t, int X, int Y) {
    const Editor& e = t.ed();
    const int z = std::max(e.ZoomFactor, 1);
    const Point p{e.ViewOrigin.x + X / z, e.ViewOrigin.y + Y / z};
    const Pixel mask = raster::toPixel(e.MaskColor);
    if (!e.PIC.contains(p.x, p.y) || !SameColour(e.PIC.pixel(p.x, p.y), mask)) return;
    // The strip runs away from the pointer and ends at the picture's edge.
    const int pen = std::max(e.PenSize, 1);
    auto onStrip = [&](int k) { return k <= pen && e.PIC.contains(p.x + k * dx_, p.y + k * dy_); };
    auto masked = [&](int k) {
      return SameColour(e.PIC.pixel(p.x + k * dx_, p.y + k * dy_), mask);
    };
    int k = 1;
    while (onStrip(k) && masked(k)) ++k;
    const int first = k;
    while (onStrip(k) && !masked(k)) ++k;
    if (k == first) return;
    const Point a{p.x + first * dx_, p.y + first * dy_};
    const Point b{p.x + (k - 1) * dx_, p.y + (k - 1) * dy_};
    raster::Region& cells = t.CellFigure();
    cells.addRect(std::min(a.x, b.x) - e.ViewOrigin.x, std::min(a.y, b.y) - e.ViewOrigin.y,
                  std::max(a.x, b.x) + 1 - e.ViewOrigin.x, std::max(a.y, b.y) + 1 - e.ViewOrigin.y);
    // A run beside the view is not in what the commit writes back.
    if (cells.empty()) return;
    t.PaintCells(cells, pixel::CopyInk(e.PenColor));
    painted_ = true;
  }

  int dx_, dy_;
  bool painted_ = false;
};

// Reverse and Glass Mirror: a filled XOR box of whole picture pixels follows
// the pointer from the press; the release erases it and works on the box.
// A pointer dragged off the canvas stands at its edge: the box holds only
// what the canvas shows.
class CellBoxTool : public Tool {
 public:
  void Press(ToolEngine& t, int X, int Y) override { Drag(t, X, Y); }
  void Drag(ToolEngine& t, int X, int Y) override {
    const Point p = OnCanvas(t, X, Y);
    band_.ShowCells(t, CellShape::BoxFill, 1, Cell(t, OnCanvas(t, t.start().x, t.start().y)),
                    Cell(t, p));
    t.ShowSize(p.x, p.y);
  }
  bool Release(ToolEngine& t, int X, int Y) override {
    band_.Hide(t);
    return Apply(t, Cell(t, OnCanvas(t, t.start().x, t.start().y)), Cell(t, OnCanvas(t, X, Y)));
  }
  void Reset() override { band_.Forget(); }

 protected:
  // Works on the cells of the box from corner a to corner b (both included,
  // within the view); true when the canvas changed.
  virtual bool Apply(ToolEngine& t, Point a, Point b) = 0;

 private:
  static Point OnCanvas(const ToolEngine& t, int X, int Y) {
    const Pair view = t.ed().ViewPixels;
    return {std::clamp(X, 0, std::max(view.x - 1, 0)), std::clamp(Y, 0, std::max(view.y - 1, 0))};
  }
  static Point Cell(const ToolEngine& t, Point p) {
    const int z = std::max(t.ed().ZoomFactor, 1);
    return {p.x / z, p.y / z};
  }

  shapes::Band band_;
};

// Reverse: the box drawn once more in white XOR; every component v of its
// pixels becomes 255 - v.
class ReverseTool : public CellBoxTool {
 protected:
  bool Apply(ToolEngine& t, Point a, Point b) override {
    t.PaintCells(CellShape::BoxFill, a, b, 1, pixel::XorInk(t.ed().XorColor));
    return true;
  }
};

// Glass Mirror: the box is cut into bands of PenSize picture pixels from its
// top-left corner, across and down, and each band is mirrored, which turns
// every PenSize x PenSize cell by 180 degrees, as seen through patterned
// glass. The bands at the right and bottom that are cut short are mirrored
// within their own width.
class GlassMirrorTool : public CellBoxTool {
 protected:
  bool Apply(ToolEngine& t, Point a, Point b) override {
    Editor& e = t.ed();
    const int z = std::max(e.ZoomFactor, 1);
    const int l = std::min(a.x, b.x), top = std::min(a.y, b.y);
    const int w = std::abs(a.x - b.x) + 1, h = std::abs(a.y - b.y) + 1;
    const int pen = std::max(e.PenSize, 1);
    // WORK2 takes the box as the canvas shows it, one pixel per block.
    e.WORK2.reshape(w, h);
    raster::StretchBlt(e.WORK2, 0, 0, w, h, e.DRAW, l * z, top * z, w * z, h * z,
                       raster::COLORONCOLOR);
    MirrorIndex(columns_, w, pen);
    MirrorIndex(rows_, h, pen);
    e.WORK.reshape(w, h);
    bool changed = false;
    for (int y = 0; y < h; ++y) {
      const Pixel* from = e.WORK2.row(rows_[static_cast<std::size_t>(y)]);
      Pixel* to = e.WORK.row(y);
      for (int x = 0; x < w; ++x) to[x] = from[columns_[static_cast<std::size_t>(x)]];
      changed = changed || std::memcmp(to, e.WORK2.row(y), e.WORK2.bytesPerLine()) != 0;
    }
    if (!changed) return false;
    raster::StretchBlt(e.DRAW, l * z, top * z, w * z, h * z, e.WORK, 0, 0, w, h,
                       raster::COLORONCOLOR);
    t.Touch(l * z, top * z, (l + w) * z - 1, (top + h) * z - 1);
    return true;
  }

 private:
  // index[i] = the position that position i of a run of n takes its pixel
  // from, with the run cut into bands of p, each reversed.
  static void MirrorIndex(std::vector<int>& index, int n, int p) {
    index.resize(static_cast<std::size_t>(n));
    for (int start = 0; start < n; start += p) {
      const int last = std::min(start + p, n) - 1;
      for (int i = start; i <= last; ++i) index[static_cast<std::size_t>(i)] = start + last - i;
    }
  }

  std::vector<int> columns_, rows_;  // kept, so that a drag allocates nothing
};

}  // namespace

std::unique_ptr<Tool> MakeSideChangeTool(int base) {
  return std::make_unique<SideChangeTool>(base);
}
std::unique_ptr<Tool> MakeReverseTool(int) { return std::make_unique<ReverseTool>(); }
std::unique_ptr<Tool> MakeGlassMirrorTool(int) { return std::make_unique<GlassMirrorTool>(); }

}  // namespace tupalo
