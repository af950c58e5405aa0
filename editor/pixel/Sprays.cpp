// The sprays and airbrushes, repeated on Timer1 every SPRI ms while the
// button is held, so holding still keeps spraying. Spray (21) drops random
// dots of PenColor in the pen square at each tick, Mask Spray (22) only those
// that land on the designated colour; the press itself drops none. AirSpray
// (34) blends PenColor in through round rings, strongest in the middle, at
// every move and tick; MaskAirSpray (35) only where the picture as the stroke
// found it holds the designated colour.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <random>

#include "editor/core/ToolFactories.h"
#include "editor/core/ToolTable.h"
#include "editor/pixel/PixelPens.h"

namespace tupalo {

namespace {

class SprayTool : public Tool {
 public:
  explicit SprayTool(int code) : code_(code) {}

  void Press(ToolEngine& t, int, int) override { pen_ = std::max(t.ed().PenSize, 1); }
  void Tick(ToolEngine& t, int X, int Y) override { Spray(t, X, Y); }
  bool Release(ToolEngine& t, int, int) override { return !t.dirtyRect().empty(); }

 private:
  // One tick of Spray, or of MaskSpray.
  void Spray(ToolEngine& t, int X, int Y) {
    const Editor& e = t.ed();
    const raster::Point c = pixel::PenCorner(e, X, Y, pen_);
    raster::Region& cells = t.CellFigure();
    // One dot per 100 pixels of the pen, and one more. A dot lands anywhere
    // from the square's corner up to pen cells right and down of it.
    const int dots = static_cast<int>(std::nearbyint(pen_ * pen_ / 100.0)) + 1;
    for (int i = 0; i < dots; ++i) {
      const int x = static_cast<int>(std::nearbyint(Random() * pen_));
      const int y = static_cast<int>(std::nearbyint(Random() * pen_));
      cells.addPixel(std::int64_t{c.x} + x, std::int64_t{c.y} + y);
    }
    if (code_ == tool::MaskSpray)
      t.PaintCells(cells, pixel::OverInk(e.PenColor, e.MaskColor));
    else
      t.PaintCells(cells, pixel::CopyInk(e.PenColor));
  }

  // Uniform in [0, 1). The generator is never reseeded, so the same strokes
  // after a start give the same dots.
  double Random() { return static_cast<double>(random_() >> 8) * 0x1p-24; }

  int code_;
  int pen_ = 1;
  std::mt19937 random_;
};

class AirSprayTool : public Tool {
 public:
  explicit AirSprayTool(int code) : masked_(code == tool::MaskAirSpray) {}

  void Press(ToolEngine& t, int, int) override {
    if (masked_) pixel::CommitWithoutUndo(t);
    table_ = pixel::BuildAirTable(t.ed().PenSize);
    rings_ = pixel::RingsOf(table_);
  }
  void Drag(ToolEngine& t, int X, int Y) override { AirSpray(t, X, Y); }
  void Tick(ToolEngine& t, int X, int Y) override { AirSpray(t, X, Y); }
  bool Release(ToolEngine& t, int, int) override { return !t.dirtyRect().empty(); }

 private:
  // One application of AirSpray, or of MaskAirSpray.
  void AirSpray(ToolEngine& t, int X, int Y) {
    const Editor& e = t.ed();
    // The mask is judged on the picture, so pixels already sprayed in this
    // stroke stay maskable.
    const pixel::Backdrop picture = pixel::PictureUnderCanvas(e);
    pixel::PaintRings(t, rings_, pixel::PenCorner(e, X, Y, table_.pen), [&](float w) {
      pixel::BlendInk ink(e.PenColor, w);
      if (masked_) ink.MaskedBy(picture, e.MaskColor);
      return pixel::Ink(ink);
    });
  }

  bool masked_;
  pixel::PenWeights table_;
  std::vector<pixel::WeightRing> rings_;
};

}  // namespace

std::unique_ptr<Tool> MakeSprayTool(int base) {
  switch (base) {
    case tool::Spray:
    case tool::MaskSpray:
      return std::make_unique<SprayTool>(base);
    case tool::AirSpray:
    case tool::MaskAirSpray:
      return std::make_unique<AirSprayTool>(base);
    default:
      return nullptr;
  }
}

}  // namespace tupalo
