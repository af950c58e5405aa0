#include "editor/pixel/PixelPens.h"

#include <cstdint>

#include "editor/core/P_WIN.h"

namespace tupalo::pixel {

void CommitWithoutUndo(ToolEngine& t) {
  Editor& e = t.ed();
  if (e.UndoAvailable == 1) return;
  t.win().CommitView();
  e.UndoAvailable = 1;
  t.win().EnableUndoButton(UndoButton::Enabled);
}

void PaintRings(ToolEngine& t, const std::vector<WeightRing>& rings, raster::Point corner,
                const std::function<Ink(float)>& inkFor) {
  for (const WeightRing& ring : rings) {
    raster::Region& cells = t.CellFigure();
    for (const raster::Span& s : ring.spans)
      cells.addSpan(std::int64_t{corner.y} + s.y, std::int64_t{corner.x} + s.x0,
                    std::int64_t{corner.x} + s.x1);
    t.PaintCells(cells, inkFor(ring.weight));
  }
}

}  // namespace tupalo::pixel
