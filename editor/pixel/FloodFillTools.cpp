// The flood fills, both acting once at the press on the canvas as it shows
// (so only inside the view, and at zoom Z on the enlarged blocks, which the
// commit samples back one colour per picture pixel): Paint A (8) fills the
// 4-connected area of the clicked colour, Paint B (9) everything 4-connected
// to the clicked pixel up to the designated colour. Both paint PenColor.

#include "editor/core/Tool.h"
#include "editor/core/ToolEngine.h"
#include "editor/core/ToolFactories.h"
#include "editor/core/ToolTable.h"

namespace tupalo {

namespace {

class FloodFillTool : public Tool {
 public:
  explicit FloodFillTool(bool border) : border_(border) {}

  void Press(ToolEngine& t, int X, int Y) override {
    Editor& e = t.ed();
    filled_ = false;
    const raster::ColourRef c = raster::GetPixel(e.DRAW, X, Y);
    if (c == raster::CLR_INVALID) return;  // beside the canvas
    const raster::Brush brush{true, e.PenColor};
    if (border_) {
      // Clicked on the border colour: nothing to fill.
      if (c == e.MaskColor) return;
      raster::FloodFill(e.DRAW, X, Y, e.MaskColor, brush);
    } else {
      // An area of the drawing colour stays as it is.
      if (c == e.PenColor) return;
      raster::ExtFloodFill(e.DRAW, X, Y, c, raster::FLOODFILLSURFACE, brush);
    }
    t.Touch(0, 0, e.DRAW.width() - 1, e.DRAW.height() - 1);
    filled_ = true;
  }
  // Nothing filled, nothing to commit: the undo step stays.
  bool Release(ToolEngine&, int, int) override { return filled_; }

 private:
  bool border_;
  bool filled_ = false;
};

}  // namespace

std::unique_ptr<Tool> MakeFloodFillTool(int base) {
  return std::make_unique<FloodFillTool>(base == tool::PaintB);
}

}  // namespace tupalo
