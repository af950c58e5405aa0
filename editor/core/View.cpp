#include "editor/core/View.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "editor/core/ToolTable.h"
#include "platform/raster/Raster.h"

namespace tupalo {

using raster::Pixel;

int VisibleExtent(int inner, int drawOffset, int zoom, int picExtent, bool* scrollOn) {
  int w = (inner - drawOffset - 2) / zoom;  // Fix: truncation toward zero
  if (w % 2 != 0) w -= (w > 0) ? 1 : -1;
  bool on = true;
  if (w > picExtent) {
    w = picExtent;
    on = false;
  }
  if (w < 0) w = 0;
  if (scrollOn) *scrollOn = on;
  return w;
}

void ReturnToFirstStep(Editor& e) {
  if (e.ToolCode == tool::WriteWord) {
    // The armed text goes unwritten; the text window arms it again.
    e.ToolCode = tool::WriteWordPlaced;
    e.WordShown = false;
    e.GestureStage = e.UndoAvailable == 1 ? 2 : 0;
  }
  if (IsPendingMultiStep(e.ToolCode)) {
    e.ToolCode = BaseToolCode(e.ToolCode);
    e.PointCount = 0;
    // The piece an area copy, a polygon copy or a Line(Type2) floats goes
    // with it.
    if (e.ToolCode != tool::Polygon && e.ToolCode != tool::BezierLine) e.WorkShown = false;
    e.GestureStage = e.UndoAvailable == 1 ? 2 : 0;
  }
  if (e.ToolCode == tool::ExpLine) {
    e.WorkDrawWidth = 1;
    e.WorkXorMode = false;
  }
}

namespace {

// The view changed size with the undo armed. UNDO keeps its top-left part;
// picture pixels that have just come into view lay outside the last commit,
// so PIC still holds them as they were before it. A smaller view has cut part
// of the stored change away: undoing only the rest would leave a half-undone
// change behind once the view grows again, so the undo is dropped.
void FitUndoToView(Editor& e, Pair before) {
  const int w = e.ViewSize.x, h = e.ViewSize.y;
  if (w < before.x || h < before.y) {
    e.UndoAvailable = 0;
    return;
  }
  const int ox = e.ViewOrigin.x, oy = e.ViewOrigin.y;
  raster::BitBlt(e.UNDO, before.x, 0, w - before.x, before.y, e.PIC, ox + before.x, oy);
  raster::BitBlt(e.UNDO, 0, before.y, w, h - before.y, e.PIC, ox, oy + before.y);
}

}  // namespace

ScrollRanges Relayout(Editor& e, const CanvasFrame& frame) {
  if (e.CanvasRedrawOff) {
    e.CanvasRedrawOff = false;
    e.DragActive = 0;
  }
  // The canvas is drawn afresh from the picture below: a shape waiting for
  // its next click would go on from edges that are no longer there.
  if (IsPendingMultiStep(e.ToolCode)) {
    e.DragActive = 0;
    ReturnToFirstStep(e);
  }
  ScrollRanges r;
  const Pair before = e.ViewSize;
  const int w =
      VisibleExtent(frame.innerWidth, frame.drawLeft, e.ZoomFactor, e.PicSize.x, &r.horizontalOn);
  const int h =
      VisibleExtent(frame.innerHeight, frame.drawTop, e.ZoomFactor, e.PicSize.y, &r.verticalOn);
  e.ViewPixels = {w * e.ZoomFactor, h * e.ZoomFactor};
  e.ViewSize = {w, h};
  e.DRAW.resize(e.ViewPixels.x, e.ViewPixels.y);
  e.M_REDRAW.resize(e.ViewPixels.x, e.ViewPixels.y);
  e.UNDO.resize(e.ViewPixels.x, e.ViewPixels.y);
  if (e.UndoAvailable == 1 && !(e.ViewSize == before)) FitUndoToView(e, before);
  RedrawView(e);
  r.horizontalMax = std::max(0, e.PicSize.x - e.ViewSize.x);
  r.verticalMax = std::max(0, e.PicSize.y - e.ViewSize.y);
  return r;
}

void RedrawView(Editor& e) {
  ++e.CanvasGeneration;
  if (e.ZoomFactor == 1) {
    raster::BitBlt(e.DRAW, 0, 0, e.ViewSize.x, e.ViewSize.y, e.PIC, e.ViewOrigin.x, e.ViewOrigin.y);
  } else {
    raster::StretchBlt(e.DRAW, 0, 0, e.ViewPixels.x, e.ViewPixels.y, e.PIC, e.ViewOrigin.x,
                       e.ViewOrigin.y, e.ViewSize.x, e.ViewSize.y, raster::COLORONCOLOR);
  }
}

PixelRect RefreshRect(Editor& e, int x1, int y1, int x2, int y2) {
  // Margin of half a pen plus one, rounded half to even like every computed
  // coordinate of the editor.
  const int m = static_cast<int>(std::nearbyint(e.PenSize / 2.0 + 1.0));
  x1 -= m;
  y1 -= m;
  x2 += m;
  y2 += m;
  x2 = std::min(x2, e.WORK.width());
  y2 = std::min(y2, e.WORK.height());
  const int z = e.ZoomFactor;
  const int w = x2 - x1, h = y2 - y1;
  if (w <= 0 || h <= 0) return {};
  raster::StretchBlt(e.M_REDRAW, x1 * z, y1 * z, w * z, h * z, e.WORK, x1, y1, w, h,
                     raster::COLORONCOLOR);
  raster::BitBlt(e.DRAW, x1 * z, y1 * z, w * z, h * z, e.M_REDRAW, x1 * z, y1 * z);
  // What actually changed on the canvas.
  const int cx0 = std::max(0, x1 * z), cy0 = std::max(0, y1 * z);
  const int cx1 = std::min(e.DRAW.width(), x2 * z), cy1 = std::min(e.DRAW.height(), y2 * z);
  return {cx0, cy0, cx1 - cx0, cy1 - cy0};
}

void CommitView(Editor& e) {
  // Visible region of PIC, clipped to PIC and the canvas surfaces.
  const int ox = e.ViewOrigin.x, oy = e.ViewOrigin.y;
  const int z = e.ZoomFactor;
  const int cols = std::min({e.ViewSize.x, e.PIC.width() - ox, e.UNDO.width()});
  const int rows = std::min({e.ViewSize.y, e.PIC.height() - oy, e.UNDO.height()});
  if (ox < 0 || oy < 0 || cols <= 0 || rows <= 0) return;
  // Each picture pixel takes the canvas pixel at offset round(Z/2) of its block
  // along both axes: the one nearest the block's centre.
  const int off = z == 1 ? 0 : static_cast<int>(std::nearbyint(z / 2.0));
  const int drawCols = std::min(cols, (e.DRAW.width() - off + z - 1) / z);
  e.UndoChanged = {0, 0, cols - 1, rows - 1};
  // One pass per row: the picture row is saved into UNDO and overwritten while
  // it is still in the cache.
  for (int r = 0; r < rows; ++r) {
    Pixel* pic = e.PIC.row(oy + r) + ox;
    std::memcpy(e.UNDO.row(r), pic, static_cast<std::size_t>(cols) * sizeof(Pixel));
    const int sy = r * z + off;
    if (sy >= e.DRAW.height()) continue;
    const Pixel* src = e.DRAW.row(sy) + off;
    if (z == 1) {
      std::memcpy(pic, src, static_cast<std::size_t>(drawCols) * sizeof(Pixel));
    } else {
      for (int c = 0; c < drawCols; ++c) pic[c] = src[static_cast<std::ptrdiff_t>(c) * z];
    }
  }
}

WindowRect CellRect(const Editor& e, int X, int Y, int pen) {
  const int z = e.ZoomFactor;
  WindowRect r;
  r.left = (X / z - pen / 2) * z;
  r.top = (Y / z - pen / 2) * z;
  r.right = r.left + pen * z - 1;
  r.bottom = r.top + pen * z - 1;
  return r;
}

WindowRect CommitRect(Editor& e, int x1, int y1, int x2, int y2) {
  const int ox = e.ViewOrigin.x, oy = e.ViewOrigin.y;
  const int z = e.ZoomFactor;
  const int cols = std::min({e.ViewSize.x, e.PIC.width() - ox, e.UNDO.width()});
  const int rows = std::min({e.ViewSize.y, e.PIC.height() - oy, e.UNDO.height()});
  if (ox < 0 || oy < 0 || cols <= 0 || rows <= 0) return {};
  // UNDO takes the picture as it is now. While an undo step is offered it
  // already holds it everywhere but where the last commit wrote; otherwise it
  // holds nothing of use.
  auto save = [&](WindowRect r) {
    r = {std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, cols - 1),
         std::min(r.bottom, rows - 1)};
    for (int y = r.top; y <= r.bottom && !r.empty(); ++y)
      std::memcpy(e.UNDO.row(y) + r.left, e.PIC.row(oy + y) + ox + r.left,
                  static_cast<std::size_t>(r.right - r.left + 1) * sizeof(Pixel));
  };
  save(e.UndoAvailable == 1 ? e.UndoChanged : WindowRect{0, 0, cols - 1, rows - 1});
  e.UndoChanged = {};

  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  x1 = std::clamp(x1, 0, e.ViewPixels.x - 1);
  x2 = std::clamp(x2, 0, e.ViewPixels.x - 1);
  y1 = std::clamp(y1, 0, e.ViewPixels.y - 1);
  y2 = std::clamp(y2, 0, e.ViewPixels.y - 1);
  // The same sample as CommitView: offset round(Z/2) inside each block.
  const int off = z == 1 ? 0 : static_cast<int>(std::nearbyint(z / 2.0));
  const int drawCols = std::min(cols, (e.DRAW.width() - off + z - 1) / z);
  const int drawRows = std::min(rows, (e.DRAW.height() - off + z - 1) / z);
  WindowRect done{x1 / z, y1 / z, std::min(x2 / z, drawCols - 1), std::min(y2 / z, drawRows - 1)};
  if (done.empty()) return {};
  e.UndoChanged = done;
  for (int r = done.top; r <= done.bottom; ++r) {
    Pixel* pic = e.PIC.row(oy + r) + ox;
    const Pixel* src = e.DRAW.row(r * z + off) + off;
    if (z == 1) {
      std::memcpy(pic + done.left, src + done.left,
                  static_cast<std::size_t>(done.right - done.left + 1) * sizeof(Pixel));
    } else {
      for (int c = done.left; c <= done.right; ++c)
        pic[c] = src[static_cast<std::ptrdiff_t>(c) * z];
    }
  }
  return done;
}

Pair ZoomAt(const Editor& e, const CanvasFrame& frame, int X, int Y, int newZoom) {
  const int w = VisibleExtent(frame.innerWidth, frame.drawLeft, newZoom, e.PicSize.x, nullptr);
  const int h = VisibleExtent(frame.innerHeight, frame.drawTop, newZoom, e.PicSize.y, nullptr);
  auto axis = [](int origin, int pos, int zoom, int extent, int pic) {
    int o = origin + pos / zoom - extent / 2;
    if (o < 0) o = 0;
    if (o + extent > pic) {
      o = pic - extent;
      if (o < 0) o = 0;
    }
    return o;
  };
  return {axis(e.ViewOrigin.x, X, e.ZoomFactor, w, e.PicSize.x),
          axis(e.ViewOrigin.y, Y, e.ZoomFactor, h, e.PicSize.y)};
}

Pair PicturePointAt(const Editor& e, int X, int Y) {
  return {e.ViewOrigin.x + X / e.ZoomFactor, e.ViewOrigin.y + Y / e.ZoomFactor};
}

void ScrollTo(Editor& e, bool horizontal, int value) {
  if (IsPendingMultiStep(e.ToolCode)) e.DragActive = 0;
  ReturnToFirstStep(e);
  if (e.CanvasRedrawOff) {
    e.CanvasRedrawOff = false;
    e.DragActive = 0;
  }
  (horizontal ? e.ViewOrigin.x : e.ViewOrigin.y) = value;
  RedrawView(e);
}

}  // namespace tupalo
