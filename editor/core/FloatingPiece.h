#pragma once
// The floating piece of the copy tools: part of the canvas, or the
// clipboard's picture, held in WORK and shown above the canvas, following the
// pointer until a press stamps it. Plain functions on the editor state; the
// canvas widget paints the piece where WorkPos says.

#include "editor/core/Editor.h"

namespace tupalo {

// The cells (picture pixels relative to the view) of the rectangle between
// two canvas points, corners in any order, clamped to the view on all four
// sides; empty when nothing of it lies on the view.
WindowRect CellsBetween(const Editor& e, raster::Point a, raster::Point b);

// WORK takes the cells (inside the view) of the canvas, each as the canvas
// pixel the commit takes for it: at zoom 1 the canvas rectangle as it is.
void LiftCells(Editor& e, const WindowRect& cells);

// WORK floats with its top-left at `topLeft` (window pixels) while the
// pointer is at `pointer`, each of its pixels a `scale` x `scale` block. A
// `mask` (of WORK's size, only with scale 1) makes it a shaped piece.
void FloatWork(Editor& e, int scale, raster::Point topLeft, raster::Point pointer,
               raster::Region* mask = nullptr);

// WORK takes `picture` and floats it from the canvas's top-left corner, its
// top-left at the pointer from then on.
void FloatPicture(Editor& e, raster::Surface&& picture);

// Where the piece stands on the canvas (window pixels, right and bottom
// included); it may reach beyond the canvas. Empty when WORK is empty.
WindowRect PieceRect(const Editor& e);

// The piece follows the pointer at (X, Y).
void FollowPointer(Editor& e, int X, int Y);

// Stamps the piece onto the canvas where it stands, a shaped piece only where
// its mask says, and hides it. What falls beyond the canvas is lost. Returns
// the part of the canvas stamped (empty when the piece lies off the canvas).
WindowRect StampPiece(Editor& e);

}  // namespace tupalo
