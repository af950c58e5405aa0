// Writing back part of the canvas: clamping, sampling and the undo copy.
#include <gtest/gtest.h>

#include "editor/core/Undo.h"
#include "editor/core/View.h"
#include "platform/raster/Raster.h"

namespace tupalo {
namespace {

TEST(CommitRect, ClampsToTheCanvasAndSamplesLikeTheWholeCommit) {
  Editor e;
  e.PIC = raster::Surface(40, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) e.PIC.setPixel(x, y, raster::kOpaque | (y << 12) | x);
  e.PicSize = {40, 30};
  e.ZoomFactor = 2;
  e.ViewOrigin = {3, 4};
  Relayout(e, {44, 34, 0, 0});  // 20 x 16 picture pixels on a 40 x 32 canvas
  ASSERT_EQ(e.ViewSize, (Pair{20, 16}));
  const raster::Surface before = e.PIC;
  // Every canvas pixel gets its own value; the sample of a block is at (1, 1).
  for (int y = 0; y < e.DRAW.height(); ++y)
    for (int x = 0; x < e.DRAW.width(); ++x) e.DRAW.setPixel(x, y, 0xFF800000u | (y << 8) | x);

  // Corners in any order, partly left of and above the canvas.
  const WindowRect done = CommitRect(e, 9, -7, -50, 5);
  EXPECT_EQ(done, (WindowRect{0, 0, 4, 2}));
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const int c = x - 3, r = y - 4;
      const bool written = c >= 0 && c <= 4 && r >= 0 && r <= 2;
      const raster::Pixel want =
          written ? 0xFF800000u | ((2 * r + 1) << 8) | (2 * c + 1) : before.pixel(x, y);
      ASSERT_EQ(e.PIC.pixel(x, y), want) << x << "," << y;
    }
  // The undo copy holds the whole visible region as it was.
  for (int r = 0; r < 16; ++r)
    for (int c = 0; c < 20; ++c) ASSERT_EQ(e.UNDO.pixel(c, r), before.pixel(c + 3, r + 4));

  // Wholly off the canvas: clamped onto its edge, never outside it.
  EXPECT_EQ(CommitRect(e, 100, 100, 200, 200), (WindowRect{19, 15, 19, 15}));
}

// At zoom 1 the canvas's last column and row are picture pixels like any
// other: a rectangle past the far edges writes them back.
TEST(CommitRect, ReachesTheFarEdgesAtZoomOne) {
  Editor e;
  e.PIC = raster::Surface(50, 40);
  e.PicSize = {50, 40};
  e.ViewOrigin = {5, 6};
  Relayout(e, {32, 26, 0, 0});  // 30 x 24 picture pixels
  ASSERT_EQ(e.ViewPixels, (Pair{30, 24}));
  e.DRAW.fill(0xFF0000FFu);
  const WindowRect done = CommitRect(e, 20, 15, 300, 200);
  EXPECT_EQ(done, (WindowRect{20, 15, 29, 23}));
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 50; ++x) {
      const bool written = x >= 25 && x <= 34 && y >= 21 && y <= 29;
      ASSERT_EQ(e.PIC.pixel(x, y), written ? 0xFF0000FFu : 0xFFFFFFFFu) << x << "," << y;
    }
}

// A run of dot strokes: each one saves into UNDO only what the last commit
// changed and its own rectangle, yet the undo still covers the whole view.
TEST(CommitRect, ARunOfStrokesKeepsTheWholeViewUndoable) {
  for (const int zoom : {1, 2}) {
    SCOPED_TRACE(zoom);
    Editor e;
    e.PIC = raster::Surface(60, 40);
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 60; ++x) e.PIC.setPixel(x, y, raster::kOpaque | (y << 12) | x);
    e.PicSize = {60, 40};
    e.ZoomFactor = zoom;
    e.ViewOrigin = {2, 1};
    Relayout(e, {52 * zoom, 32 * zoom, 0, 0});  // 50 x 30 picture pixels
    auto stroke = [&](int x, int y, raster::Pixel colour) {
      e.DRAW.fillRect(x * zoom, y * zoom, 4 * zoom, 3 * zoom, colour);
      const raster::Surface before = e.PIC;
      if (e.UndoAvailable == 1)
        CommitRect(e, x * zoom, y * zoom, (x + 4) * zoom - 1, (y + 3) * zoom - 1);
      else
        CommitView(e);
      e.UndoAvailable = 1;
      return before;
    };
    stroke(1, 1, 0xFF0000FFu);
    stroke(20, 5, 0xFF00FF00u);
    const raster::Surface beforeLast = stroke(8, 20, 0xFFFF0000u);
    const raster::Surface afterLast = e.PIC;
    for (int r = 0; r < e.ViewSize.y; ++r)
      for (int c = 0; c < e.ViewSize.x; ++c)
        ASSERT_EQ(e.UNDO.pixel(c, r), beforeLast.pixel(c + 2, r + 1)) << c << "," << r;
    EXPECT_TRUE(UndoStep(e));
    EXPECT_TRUE(e.PIC == beforeLast);
    EXPECT_TRUE(UndoStep(e));
    EXPECT_TRUE(e.PIC == afterLast);
  }
}

}  // namespace
}  // namespace tupalo
