#include "editor/core/FloatingPiece.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/raster/Raster.h"

namespace tupalo {

namespace {

// Division rounding toward minus infinity: the block a point left of or above
// the canvas lies in.
int floorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// The canvas pixel the commit takes for each cell: the one nearest the centre
// of its Z x Z block.
int sampleOffset(int z) { return z == 1 ? 0 : static_cast<int>(std::nearbyint(z / 2.0)); }

}  // namespace

WindowRect CellsBetween(const Editor& e, raster::Point a, raster::Point b) {
  const int z = std::max(e.ZoomFactor, 1);
  const int cols = std::min(e.ViewSize.x, e.DRAW.width() / z);
  const int rows = std::min(e.ViewSize.y, e.DRAW.height() / z);
  WindowRect r{floorDiv(std::min(a.x, b.x), z), floorDiv(std::min(a.y, b.y), z),
               floorDiv(std::max(a.x, b.x), z), floorDiv(std::max(a.y, b.y), z)};
  // Every side: past the right or bottom edge lies no canvas to lift, only the
  // work surface's stale pixels.
  r = {std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, cols - 1),
       std::min(r.bottom, rows - 1)};
  return r.empty() ? WindowRect{} : r;
}

void LiftCells(Editor& e, const WindowRect& cells) {
  const int z = std::max(e.ZoomFactor, 1);
  const int off = sampleOffset(z);
  const int w = cells.right - cells.left + 1, h = cells.bottom - cells.top + 1;
  e.WORK.reshape(w, h);
  for (int y = 0; y < h; ++y) {
    const raster::Pixel* src = e.DRAW.row((cells.top + y) * z + off) + cells.left * z + off;
    raster::Pixel* dst = e.WORK.row(y);
    if (z == 1) {
      std::memcpy(dst, src, static_cast<std::size_t>(w) * sizeof(raster::Pixel));
    } else {
      for (int x = 0; x < w; ++x) dst[x] = src[static_cast<std::ptrdiff_t>(x) * z];
    }
  }
}

void FloatWork(Editor& e, int scale, raster::Point topLeft, raster::Point pointer,
               raster::Region* mask) {
  const int s = std::max(scale, 1);
  e.PieceScale = s;
  e.WorkPos = {topLeft.x, topLeft.y};
  e.PieceOffset = {floorDiv(topLeft.x, s) - floorDiv(pointer.x, s),
                   floorDiv(topLeft.y, s) - floorDiv(pointer.y, s)};
  if (mask)
    std::swap(e.PieceMask, *mask);
  else
    e.PieceMask.reset(0, 0);
  e.WorkShown = true;
  ++e.PieceGeneration;
}

void FloatPicture(Editor& e, raster::Surface&& picture) {
  e.WORK = std::move(picture);
  FloatWork(e, e.ZoomFactor, {0, 0}, {0, 0});
}

WindowRect PieceRect(const Editor& e) {
  if (e.WORK.empty()) return {};
  const int s = e.PieceScale;
  return {e.WorkPos.x, e.WorkPos.y, e.WorkPos.x + e.WORK.width() * s - 1,
          e.WorkPos.y + e.WORK.height() * s - 1};
}

void FollowPointer(Editor& e, int X, int Y) {
  const int s = e.PieceScale;
  e.WorkPos = {(floorDiv(X, s) + e.PieceOffset.x) * s, (floorDiv(Y, s) + e.PieceOffset.y) * s};
}

WindowRect StampPiece(Editor& e) {
  e.WorkShown = false;
  const WindowRect piece = PieceRect(e);
  const WindowRect on{std::max(piece.left, 0), std::max(piece.top, 0),
                      std::min(piece.right, e.DRAW.width() - 1),
                      std::min(piece.bottom, e.DRAW.height() - 1)};
  if (piece.empty() || on.empty()) return {};
  const int x = e.WorkPos.x, y = e.WorkPos.y, s = e.PieceScale;
  const int w = e.WORK.width(), h = e.WORK.height();
  if (e.PieceMask.width() > 0) {
    // A shaped piece is 1:1: its mask's spans, row by row, clipped to the canvas.
    for (const raster::Span& span : e.PieceMask.spans()) {
      const int dy = y + span.y;
      if (dy < on.top || dy > on.bottom) continue;
      const int x0 = std::max(span.x0, on.left - x), x1 = std::min(span.x1, on.right + 1 - x);
      if (x0 < x1)
        std::memcpy(e.DRAW.row(dy) + x + x0, e.WORK.row(span.y) + x0,
                    static_cast<std::size_t>(x1 - x0) * sizeof(raster::Pixel));
    }
  } else if (s == 1) {
    raster::BitBlt(e.DRAW, x, y, w, h, e.WORK, 0, 0);
  } else {
    raster::StretchBlt(e.DRAW, x, y, w * s, h * s, e.WORK, 0, 0, w, h, raster::COLORONCOLOR);
  }
  return on;
}

}  // namespace tupalo
