#include "editor/core/Undo.h"

#include "editor/core/P_WIN.h"
#include "editor/core/View.h"
#include "platform/raster/Raster.h"

namespace tupalo {

bool UndoStep(Editor& e) {
  if (e.UndoAvailable != 1) return false;

  // An unfinished multi-click shape is abandoned; a floating polygon-copy
  // piece or Line(Type2) preview goes with it, a polygon's WORK stays.
  ResetMultiStepTool(e);
  if (e.ToolCode == 28 || e.ToolCode == 29 || e.ToolCode == 11029) e.WorkShown = false;

  if (e.GestureStage == 1) {
    // Nothing committed yet: the canvas simply shows the picture again.
    e.DragActive = 0;
    e.CanvasRedrawOff = false;
    RedrawView(e);
    return true;
  }

  // UNDO holds ViewSize picture pixels at (0, 0); CommitView then saves the
  // region it replaces, so the next Undo swaps back.
  if (e.ZoomFactor == 1) {
    raster::BitBlt(e.DRAW, 0, 0, e.ViewPixels.x, e.ViewPixels.y, e.UNDO, 0, 0);
  } else {
    raster::StretchBlt(e.DRAW, 0, 0, e.ViewPixels.x, e.ViewPixels.y, e.UNDO, 0, 0, e.ViewSize.x,
                       e.ViewSize.y, raster::COLORONCOLOR);
  }
  CommitView(e);
  return true;
}

void Undo(P_WIN& w) {
  if (!UndoStep(w.editor())) return;
  w.RB->update();
  w.DRAW->refreshAll();
}

void Timer2_Timer(P_WIN&) {}

}  // namespace tupalo
