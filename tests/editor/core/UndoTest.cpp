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

TEST(Undo, PendingGestureIsDroppedAndTheStoredStepKept) {
  Editor e = viewOf(2, {200, 150, 0, 0});
  commitStroke(e, 4, 4, 6, 6);
  const raster::Surface edited = e.PIC;
  // A drag in progress with the canvas's redraw switched off.
  e.GestureStage = 1;
  e.DragActive = 1;
  e.CanvasRedrawOff = true;
  e.DRAW.fillRect(20, 20, 8, 8, 0xFFFF0000u);

  EXPECT_TRUE(UndoStep(e));
  EXPECT_TRUE(e.PIC == edited);
  EXPECT_TRUE(canvasShowsPicture(e));
  EXPECT_EQ(e.DragActive, 0);
  EXPECT_FALSE(e.CanvasRedrawOff);
  EXPECT_EQ(e.UndoAvailable, 1);
}

TEST(Undo, MultiClickShapesGoBackToTheirFirstStep) {
  struct Case {
    int code, base;
    bool workShownAfter;
  };
  // A floating polygon-copy piece and the Line(Type2) preview go; the
  // polygon's work surface stays.
  for (const Case c : {Case{6028, 28, false}, Case{8028, 28, false}, Case{5029, 29, false},
                       Case{12029, 11029, false}, Case{6027, 27, true}}) {
    SCOPED_TRACE(c.code);
    Editor e = viewOf(1, {200, 150, 0, 0});
    commitStroke(e, 0, 0, 2, 2);
    e.GestureStage = 1;
    e.ToolCode = c.code;
    e.PointCount = 5;
    e.WorkShown = true;
    UndoStep(e);
    EXPECT_EQ(e.ToolCode, c.base);
    EXPECT_EQ(e.PointCount, 0);
    EXPECT_EQ(e.WorkShown, c.workShownAfter);
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
  editor.ToolCode = 6027;
  Undo(*win);  // nothing at all, not even the tool reset
  EXPECT_TRUE(editor.PIC == scrolled);
  EXPECT_EQ(editor.ToolCode, 6027);

  commitStroke(editor, 0, 0, 8, 8);
  win->ZoomTo(100, 100, 2);
  EXPECT_EQ(editor.UndoAvailable, 0);
  const raster::Surface zoomed = editor.PIC;
  Undo(*win);
  EXPECT_TRUE(editor.PIC == zoomed);
}

}  // namespace
}  // namespace tupalo
