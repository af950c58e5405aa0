#pragma once
// The mapping between the picture and the canvas: layout, redraw, commit and
// zoom arithmetic. Plain functions on the editor state so they can be tested
// without windows; the main window applies their results to its controls.

#include "editor/core/Editor.h"

namespace tupalo {

// Where the canvas sits inside its container and how big the container is.
struct CanvasFrame {
  int innerWidth = 0;  // inner size of the container DMY
  int innerHeight = 0;
  int drawLeft = 0;  // position of DRAW inside DMY
  int drawTop = 0;
};

struct ScrollRanges {
  bool horizontalOn = true;
  bool verticalOn = true;
  int horizontalMax = 0;
  int verticalMax = 0;
};

// Number of picture pixels visible along one axis at zoom z: even, unless
// clamped to the picture. *scrollOn tells whether that axis needs scrolling.
int VisibleExtent(int inner, int drawOffset, int zoom, int picExtent, bool* scrollOn);

// Takes a multi-step tool that is between its steps back to its first step:
// its vertices are dropped, the piece it floated is hidden, nothing is
// committed, and no gesture is pending any more. Armed text is dropped
// unwritten (27002). In state 11010 the work
// surface gets its thin copy pen back. Scrolling, a relayout, the right
// button, the undo command and a change of tool all go through here.
void ReturnToFirstStep(Editor& e);

// Recomputes ViewSize and ViewPixels for the frame, resizes DRAW, M_REDRAW and
// UNDO, redraws the canvas from PIC, and returns the scroll bar ranges. An
// armed undo follows a view that grew and is dropped (UndoAvailable = 0) when
// the view shrank.
ScrollRanges Relayout(Editor& e, const CanvasFrame& frame);

// Redraws the whole canvas from PIC (throws away uncommitted drawing).
void RedrawView(Editor& e);

// Refreshes one rectangle of the canvas (picture pixels relative to the view)
// from WORK, widened by half a pen. Returns the window-pixel rectangle that
// changed (x, y, w, h) so the widget repaints only that.
struct PixelRect {
  int x = 0, y = 0, w = 0, h = 0;
  bool empty() const { return w <= 0 || h <= 0; }
};
PixelRect RefreshRect(Editor& e, int x1, int y1, int x2, int y2);

// Saves the visible region of PIC into UNDO, then writes the canvas back into
// PIC, each picture pixel taking the canvas pixel nearest its block's centre.
void CommitView(Editor& e);

// The window pixels covered by a square pen of `pen` picture pixels centred on
// the picture pixel under (X, Y): whole Z x Z blocks.
WindowRect CellRect(const Editor& e, int X, int Y, int pen);

// CommitView for part of the canvas: UNDO takes the whole visible region as
// it is (an undo step always covers the view), then only the picture pixels
// whose blocks meet the rectangle (window pixels, any corner order, clamped to
// the canvas) are written back, sampled as CommitView samples. While an undo
// step is offered UNDO differs from the picture only over UndoChanged, so
// only that part and the new one are copied. Returns the picture pixels
// written, relative to the view (empty when nothing was).
WindowRect CommitRect(Editor& e, int x1, int y1, int x2, int y2);

// The view origin that keeps the picture pixel under canvas point (X, Y) in
// the centre at zoom newZoom.
Pair ZoomAt(const Editor& e, const CanvasFrame& frame, int X, int Y, int newZoom);

// Picture pixel under a canvas point.
Pair PicturePointAt(const Editor& e, int X, int Y);

// Applies a new scroll value along one axis (the scroll bar's handler body
// after the undo is dropped): resets multi-step tools, sets the origin and
// redraws.
void ScrollTo(Editor& e, bool horizontal, int value);

}  // namespace tupalo
