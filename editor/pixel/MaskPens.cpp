// The mask pens and the Thru Pen. Mask pen (10), Reverse mask pen (11) and
// Fuzzy Mask Pen (23) paint PenColor under the square pen, but only over the
// designated colour, only outside it, or only over colours within the fuzzy
// tolerances of it. The Thru Pen (36) mixes PenColor into the picture as the
// stroke found it, under a round pen, the THPD setting deciding how much of
// the picture stays. The press, every move and the release each apply the
// pen once at the pointer, with nothing drawn in between.

#include <algorithm>
#include <cstdint>
#include <memory>

#include "editor/core/ToolFactories.h"
#include "editor/core/ToolTable.h"
#include "editor/pixel/PixelPens.h"

namespace tupalo {

namespace {

class MaskPenTool : public Tool {
 public:
  explicit MaskPenTool(int code) : code_(code) {}

  void Press(ToolEngine& t, int X, int Y) override {
    pen_ = std::max(t.ed().PenSize, 1);
    Apply(t, X, Y);
  }
  void Drag(ToolEngine& t, int X, int Y) override { Apply(t, X, Y); }
  bool Release(ToolEngine& t, int X, int Y) override {
    Apply(t, X, Y);
    return !t.dirtyRect().empty();
  }

 private:
  void Apply(ToolEngine& t, int X, int Y) {
    const Editor& e = t.ed();
    const raster::Point c = pixel::PenCorner(e, X, Y, pen_);
    raster::Region& cells = t.CellFigure();
    cells.addRect(c.x, c.y, std::int64_t{c.x} + pen_, std::int64_t{c.y} + pen_);
    t.PaintCells(cells, Ink(e));
  }

  pixel::Ink Ink(const Editor& e) const {
    if (code_ == tool::MaskPen) return pixel::OverInk(e.PenColor, e.MaskColor);
    if (code_ == tool::ReverseMaskPen) return pixel::OutsideInk(e.PenColor, e.MaskColor);
    // The tolerances are read afresh at every application. Only the HSV
    // window decides, for the designated colour too: with no hue tolerance
    // nothing passes.
    const Settings& s = e.settings;
    const ToleranceWindow w =
        PrepareToleranceWindow(e.MaskColor, std::clamp<int>(s.FUZH, 0, 180),
                               std::clamp<int>(s.FUZS, 0, 255), std::clamp<int>(s.FUZV, 0, 255));
    return pixel::SimilarInk(e.PenColor, e.MaskColor, w);
  }

  int code_;
  int pen_ = 1;
};

// The pixels of the round pen take old x THPD% + PenColor x (100 - THPD)%,
// the old colour being the picture's as the stroke found it: going over a
// place again within a stroke mixes the same colour again, and a stroke that
// was undone has no say in the next one.
class ThruPenTool : public Tool {
 public:
  void Press(ToolEngine& t, int X, int Y) override {
    pixel::CommitWithoutUndo(t);
    const Editor& e = t.ed();
    table_ = pixel::BuildThruTable(e.PenSize, e.settings.THPD);
    rings_ = pixel::RingsOf(table_);
    ThruPen(t, X, Y);
  }
  void Drag(ToolEngine& t, int X, int Y) override { ThruPen(t, X, Y); }
  bool Release(ToolEngine& t, int X, int Y) override {
    ThruPen(t, X, Y);
    return !t.dirtyRect().empty();
  }

 private:
  void ThruPen(ToolEngine& t, int X, int Y) {
    const Editor& e = t.ed();
    const pixel::Backdrop picture = pixel::PictureUnderCanvas(e);
    pixel::PaintRings(t, rings_, pixel::PenCorner(e, X, Y, table_.pen), [&](float w) {
      return pixel::Ink(pixel::BlendInk(e.PenColor, w).From(picture));
    });
  }

  pixel::PenWeights table_;
  std::vector<pixel::WeightRing> rings_;
};

}  // namespace

std::unique_ptr<Tool> MakeMaskPenTool(int base) {
  switch (base) {
    case tool::MaskPen:
    case tool::ReverseMaskPen:
    case tool::FuzzyMaskPen:
      return std::make_unique<MaskPenTool>(base);
    case tool::ThruPen:
      return std::make_unique<ThruPenTool>();
    default:
      return nullptr;
  }
}

}  // namespace tupalo
