#pragma once
// What the mask pens, the Thru Pen, the sprays and the airbrushes share. They
// work on the square of PenSize picture pixels centred on the pixel under the
// pointer, at every zoom: cells of the view, painted as Z x Z blocks.

#include <functional>
#include <vector>

#include "editor/core/Tool.h"
#include "editor/core/ToolEngine.h"
#include "editor/pixel/PenTables.h"

namespace tupalo::pixel {

// The top-left cell of the pen square about the cell under canvas point
// (X, Y): it reaches pen / 2 cells left of and above that cell.
inline raster::Point PenCorner(const Editor& e, int X, int Y, int pen) {
  return {X / e.ZoomFactor - pen / 2, Y / e.ZoomFactor - pen / 2};
}

// The picture under the canvas. A stroke is committed only when it ends, so
// during the stroke this is the picture as the stroke found it at its press.
inline Backdrop PictureUnderCanvas(const Editor& e) {
  return {&e.PIC, e.ViewOrigin.x, e.ViewOrigin.y, e.ZoomFactor};
}

// The tools that mix with the picture as it was commit the canvas at their
// press when no undo step exists yet, so that one does from then on.
void CommitWithoutUndo(ToolEngine& t);

// Paints each ring of a pen table placed with its top-left pixel on cell
// `corner`, with the ink `inkFor` gives for the ring's weight.
void PaintRings(ToolEngine& t, const std::vector<WeightRing>& rings, raster::Point corner,
                const std::function<Ink(float)>& inkFor);

}  // namespace tupalo::pixel
