// The one-step undo: a toggle over the visible region, pending gestures,
// multi-click shapes, and what makes the stored step unusable.
#include <gtest/gtest.h>

#include "editor/core/MainWindowFixture.h"
#include "editor/core/Undo.h"
#include "editor/core/View.h"
#include "platform/raster/Raster.h"

namespace tupalo {
namespace {

using raster::Pixel;

constexpr Pixel kGreen = 0xFF00FF00u;

raster::Surface numbered(int w, int h) {
  raster::Surface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.setPixel(x, y, raster::kOpaque | (y << 12) | x);
  return s;
}

Editor viewOf(int zoom, CanvasFrame frame, Pair origin = {10, 7}) {
  Editor e;
  e.PIC = numbered(300, 200);
  e.PicSize = {300, 200};
  e.ZoomFactor = zoom;
  e.ViewOrigin = origin;
  Relayout(e, frame);
  return e;
}

// What the tool engine does at the end of a gesture.
void commitStroke(Editor& e, int x, int y, int w, int h) {
  e.DRAW.fillRect(x, y, w, h, kGreen);
  CommitView(e);
  e.GestureStage = 2;
  e.UndoAvailable = 1;
}

bool canvasShowsPicture(const Editor& e) {
  for (int y = 0; y < e.ViewPixels.y; ++y)
    for (int x = 0; x < e.ViewPixels.x; ++x) {
      const Pair p = PicturePointAt(e, x, y);
      if (e.DRAW.pixel(x, y) != e.PIC.pixel(p.x, p.y)) return false;
    }
  return true;
}

TEST(Undo, TwiceRestoresTheChangeAtEveryZoom) {
  for (int zoom : {1, 4}) {
    SCOPED_TRACE(zoom);
    Editor e = viewOf(zoom, {200, 150, 0, 0});
    const raster::Surface original = e.PIC;
    commitStroke(e, 4, 4, 9, 6);
    const raster::Surface edited = e.PIC;
    ASSERT_FALSE(edited == original);

    EXPECT_TRUE(UndoStep(e));
    EXPECT_TRUE(e.PIC == original);
    EXPECT_TRUE(canvasShowsPicture(e));
    EXPECT_EQ(e.UndoAvailable, 1);

    EXPECT_TRUE(UndoStep(e));
    EXPECT_TRUE(e.PIC == edited);
    EXPECT_TRUE(canvasShowsPicture(e));
  }
}

TEST(Undo, FollowsAViewThatGrowsAndIsDroppedWhenItShrinks) {
  Editor e = viewOf(1, {100, 80, 0, 0});
  const raster::Surface original = e.PIC;
  commitStroke(e, 10, 10, 20, 20);
  // A larger window shows picture pixels the stored step never held.
  Relayout(e, {250, 180, 0, 0});
  ASSERT_EQ(e.UndoAvailable, 1);
  EXPECT_TRUE(UndoStep(e));
  EXPECT_TRUE(e.PIC == original);

  // A smaller one cuts part of the step away: no half-undone change.
  commitStroke(e, 100, 100, 40, 40);
  Relayout(e, {100, 80, 0, 0});
  EXPECT_EQ(e.UndoAvailable, 0);
}

TEST_F(MainWindowTest, UndoIsGoneAfterScrollingOrZooming) {
  ASSERT_EQ(start(writePicture(QStringLiteral("big.bmp"), 1200, 900)), P_WIN::StartResult::Running);
  win->resize(500, 400);
  commitStroke(editor, 0, 0, 8, 8);
  win->X_SC->setValue(40);
  const raster::Surface scrolled = editor.PIC;
  Undo(*win);  // nothing to undo
  EXPECT_TRUE(editor.PIC == scrolled);

  commitStroke(editor, 0, 0, 8, 8);
  win->ZoomTo(100, 100, 2);
  EXPECT_EQ(editor.UndoAvailable, 0);
  const raster::Surface zoomed = editor.PIC;
  Undo(*win);
  EXPECT_TRUE(editor.PIC == zoomed);
}

}  // namespace
}  // namespace tupalo
