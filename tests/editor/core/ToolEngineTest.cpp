// The tool engine driven through the real canvas widget: gestures, the commit
// and undo arming, cancelling, the keyboard and the status line.
#include <QCursor>
#include <QFile>

#include "editor/core/CanvasFixture.h"
#include "editor/core/ToolEngine.h"
#include "editor/palette/CMD_WIN.h"

namespace tupalo {
namespace {

using raster::rgb;

bool onBoxOutline(QPoint p, int l, int t, int r, int b) {
  const bool inside = p.x() >= l && p.x() <= r && p.y() >= t && p.y() <= b;
  return inside && (p.x() == l || p.x() == r || p.y() == t || p.y() == b);
}

TEST_F(CanvasTest, BoxDragCommitsItsOutlineAndArmsTheUndo) {
  editor.ToolCode = 4;
  press(10, 10);
  move(30, 20);
  EXPECT_EQ(win->INF_SUB->text(), QStringLiteral("Size X= 21 Y= 11"));
  EXPECT_TRUE(inked(editor.PIC).empty()) << "nothing reaches the picture before the release";
  move(60, 40);
  move(50, 30);
  release(50, 30);

  const std::vector<QPoint> ink = inked(editor.PIC);
  EXPECT_EQ(ink.size(), 2u * 41 + 2u * 19);
  for (const QPoint& p : ink) EXPECT_TRUE(onBoxOutline(p, 10, 10, 50, 30)) << p.x() << "," << p.y();
  EXPECT_EQ(editor.DRAW, cleanCanvas());
  EXPECT_EQ(win->INF_SUB->text(), QStringLiteral("Size X= 41 Y= 21"));
  EXPECT_EQ(editor.UndoAvailable, 1);
  EXPECT_EQ(editor.GestureStage, 2);
  EXPECT_EQ(editor.DragActive, 0);
  EXPECT_TRUE(inked(editor.UNDO).empty()) << "UNDO holds the view as it was";
}

TEST_F(CanvasTest, RightPressCancelsTheDragAndTheReleaseDoesNothing) {
  editor.ToolCode = 4;
  press(10, 10);
  move(50, 30);
  press(50, 30, Qt::RightButton);
  EXPECT_EQ(editor.DragActive, 0);
  EXPECT_EQ(editor.DRAW, cleanCanvas()) << "the rubber band is gone";
  release(50, 30);
  EXPECT_TRUE(inked(editor.PIC).empty());
  EXPECT_EQ(editor.UndoAvailable, 0);

  // The canvas takes the next gesture.
  drag({5, 5}, {8, 8});
  EXPECT_EQ(inked(editor.PIC).size(), 12u);
}

TEST_F(CanvasTest, RightPressWithoutAGestureTogglesPalettesOrPicksTheColour) {
  editor.settings.CDSP = 0;
  press(20, 20, Qt::RightButton);
  EXPECT_EQ(editor.PalettesShown, 0);
  press(20, 20, Qt::RightButton);
  EXPECT_EQ(editor.PalettesShown, 1);

  editor.settings.CDSP = 1;
  raster::SetPixelV(editor.DRAW, 20, 20, rgb(12, 34, 56));
  press(20, 20, Qt::RightButton);
  EXPECT_EQ(editor.CurColor, (Rgb{12, 34, 56}));
  EXPECT_EQ(editor.PalettesShown, 1);
}

TEST_F(CanvasTest, SecondPressDuringADragIsIgnored) {
  editor.ToolCode = 4;
  press(10, 10);
  press(100, 100);
  release(12, 12);
  EXPECT_EQ(inked(editor.PIC).size(), 8u) << "a 3 x 3 box from the first press";
}

TEST_F(CanvasTest, AGestureThatDrawsNothingKeepsTheUndoStep) {
  editor.ToolCode = 4;
  drag({10, 10}, {20, 20});
  const raster::Surface undo = editor.UNDO;
  editor.ToolCode = tool::PaintA;  // on the box's edge, already the drawing colour
  click(10, 15);
  EXPECT_EQ(editor.UndoAvailable, 1);
  EXPECT_EQ(editor.GestureStage, 2);
  EXPECT_EQ(editor.UNDO, undo);

  // With no undo step, a gesture that drew nothing does not arm one.
  win->InvalidateUndo();
  click(10, 15);
  EXPECT_EQ(editor.UndoAvailable, 0);
}

TEST_F(CanvasTest, DotStrokeWritesBackOnlyItsRectangleOnceAnUndoExists) {
  editor.ToolCode = 1;
  click(5, 5);  // no undo yet: the whole view is committed
  EXPECT_EQ(editor.UndoAvailable, 1);
  // A canvas pixel far from the next stroke that the picture does not have.
  raster::SetPixelV(editor.DRAW, 300, 300, rgb(0, 0, 255));
  press(10, 10);
  move(14, 12);
  release(14, 12);
  EXPECT_EQ(raster::GetPixel(editor.PIC, 10, 10), rgb(0, 0, 0));
  EXPECT_EQ(raster::GetPixel(editor.PIC, 14, 12), rgb(0, 0, 0));
  EXPECT_EQ(raster::GetPixel(editor.PIC, 300, 300), rgb(255, 255, 255));
  // The undo step still covers the whole view.
  EXPECT_EQ(inked(editor.UNDO).size(), 1u);
}

// Everything a pen paints goes through the engine's Paint: the ink decides
// per pixel, and the whole figure counts as changed.
TEST_F(CanvasTest, PaintCompositesAFigureAndMarksItsBoundsDirty) {
  ToolEngine& t = *win->engine;
  raster::SetPixelV(editor.DRAW, 12, 7, rgb(1, 2, 3));
  raster::Region& figure = t.Figure();
  figure.addRect(10, 5, 14, 8);
  figure.addPixel(700, 5);  // off the canvas
  t.Paint(figure, pixel::OutsideInk(rgb(0, 0, 255), rgb(255, 255, 255)));
  EXPECT_EQ(inked(editor.DRAW), (std::vector<QPoint>{{12, 7}}));
  EXPECT_EQ(raster::GetPixel(editor.DRAW, 12, 7), rgb(0, 0, 255));
  EXPECT_EQ(t.dirtyRect(), (WindowRect{10, 5, 13, 7}));
}

TEST_F(CanvasTest, RepeatTimerRunsOnlyWhileASprayIsHeld) {
  editor.settings.SPRI = 40;
  editor.ToolCode = 21;
  press(50, 50);
  EXPECT_TRUE(win->Timer1.isActive());
  EXPECT_EQ(win->Timer1.interval(), 40);
  release(50, 50);
  EXPECT_FALSE(win->Timer1.isActive());
  editor.ToolCode = 4;
  press(50, 50);
  EXPECT_FALSE(win->Timer1.isActive());
  release(50, 50);
}

TEST_F(CanvasTest, MagnifierZoomsAtThePressAndReturnsToTheExpansionTool) {
  CMD_WIN& palette = *cmdWin;
  const int normalHeight = palette.height();
  editor.ToolCode = 10004;
  editor.LastExpansionTool = 11002;
  QCursor::setPos(win->DRAW->mapToGlobal(QPoint(100, 80)));
  press(100, 80);
  EXPECT_EQ(editor.ZoomFactor, 4);
  // The pointer stands over another picture pixel now.
  const Pair under = PicturePointAt(editor, 100, 80);
  EXPECT_EQ(win->INF_POSX->text(), QStringLiteral("X= %1").arg(under.x));
  EXPECT_EQ(win->INF_POSY->text(), QStringLiteral("Y= %1").arg(under.y));
  release(100, 80);
  EXPECT_EQ(editor.ToolCode, 11002);
  EXPECT_EQ(win->INF_CMD->text(), QStringLiteral("Boxfill"));
  EXPECT_EQ(editor.UndoAvailable, 0);
  EXPECT_EQ(editor.DragActive, 0);

  // The expansion layout shows that tool chosen, its groups directly below
  // the one-row selector and no empty band anywhere.
  ASSERT_TRUE(palette.inExpansionLayout());
  EXPECT_EQ(palette.SelectedExpansionToolButton, 5);
  EXPECT_EQ(palette.EXP_M[0]->y(), palette.EXP_B_BASE->height());
  EXPECT_EQ(normalHeight - palette.height(), palette::kButtonSize);
  EXPECT_EQ(palette.UNDO->geometry().bottom(), palette.height() - 1);
}

TEST_F(CanvasTest, StatusNameAndPointerFollowTheTool) {
  for (const char* name : {"LUPE_CUR.bmp", "PAINT_CUR.bmp"})
    ASSERT_TRUE(QFile::copy(QStringLiteral(TUPALO_DATA_DIR "/") + QLatin1String(name),
                            app + QLatin1Char('/') + QLatin1String(name)));
  editor.ToolCode = 10008;
  win->ShowToolName();
  EXPECT_EQ(win->INF_CMD->text(), QStringLiteral("Expand to x8"));
  EXPECT_EQ(win->DRAW->cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(win->DRAW->cursor().hotSpot(), QPoint(10, 10));
  editor.ToolCode = 8;
  win->ShowToolName();
  EXPECT_EQ(win->DRAW->cursor().shape(), Qt::BitmapCursor);
  editor.ToolCode = 6027;
  win->ShowToolName();
  EXPECT_EQ(win->INF_CMD->text(), QStringLiteral("- - - -"));
  EXPECT_EQ(win->DRAW->cursor().shape(), Qt::ArrowCursor);
  editor.ToolCode = 21;  // its picture is missing here: the arrow
  win->ShowToolName();
  EXPECT_EQ(win->DRAW->cursor().shape(), Qt::ArrowCursor);

  editor.ToolCode = 19;
  win->ShowToolName();
  EXPECT_TRUE(editor.WorkShown);
  editor.ToolCode = 4;
  win->ShowToolName();
  EXPECT_FALSE(editor.WorkShown);

  // With the status line hidden no label is written.
  editor.settings.IDSP = 0;
  for (QLabel* l : {win->INF_CMD, win->INF_POSX, win->INF_SUB}) l->setText(QStringLiteral("-"));
  editor.ToolCode = 5;
  win->ShowToolName();
  move(33, 44, Qt::NoButton);
  press(33, 44);
  move(40, 50);
  release(40, 50);
  for (QLabel* l : {win->INF_CMD, win->INF_POSX, win->INF_SUB})
    EXPECT_EQ(l->text(), QStringLiteral("-"));
}

class ScrollingCanvasTest : public CanvasTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ASSERT_EQ(start(writePicture(QStringLiteral("big.bmp"), 1500, 1200)),
              P_WIN::StartResult::Running);
    win->resize(600, 500);
  }
};

TEST_F(ScrollingCanvasTest, ArrowKeysScrollWithinTheRange) {
  key(Qt::Key_Right);
  EXPECT_EQ(editor.ViewOrigin, (Pair{1, 0}));
  key(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(editor.ViewOrigin, (Pair{1, 16}));
  key(Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(editor.ViewOrigin, (Pair{0, 16}));
  EXPECT_EQ(win->X_SC->value(), 0);

  // Not during a drag.
  editor.ToolCode = 4;
  press(10, 10);
  key(Qt::Key_Down);
  EXPECT_EQ(editor.ViewOrigin, (Pair{0, 16}));
  release(10, 10);
}

TEST_F(ScrollingCanvasTest, ScrollingDropsAPolygonWithoutATrace) {
  editor.ToolCode = 27;
  click(10, 10);
  move(80, 40, Qt::NoButton);  // rubber band on the canvas
  key(Qt::Key_Right);
  EXPECT_EQ(editor.ToolCode, 27);
  EXPECT_EQ(editor.PointCount, 0);
  move(90, 50, Qt::NoButton);
  EXPECT_EQ(editor.DRAW, cleanCanvas());

  // A relayout redraws the canvas from the picture: the shapes waiting for
  // their next click are dropped with the edges they had drawn, and a band
  // drawn before it is never "erased" onto the fresh pixels.
  for (const int tool : {27, 29, 31}) {
    SCOPED_TRACE(tool);
    editor.ToolCode = tool;
    click(10, 10);
    click(60, 10);
    move(80, 40, Qt::NoButton);
    ASSERT_NE(editor.ToolCode, tool);
    win->resize(700 + tool, 560);
    EXPECT_EQ(editor.ToolCode, tool);
    EXPECT_EQ(editor.GestureStage, 0);
    move(90, 50, Qt::NoButton);
    EXPECT_EQ(editor.DRAW, cleanCanvas());
  }
}

TEST_F(CanvasTest, SpaceDropsAPendingPolygon) {
  editor.ToolCode = 27;
  click(10, 10);
  click(50, 10);
  move(30, 40, Qt::NoButton);
  EXPECT_EQ(editor.ToolCode, 5027);
  key(Qt::Key_Space);
  EXPECT_EQ(editor.ToolCode, 27);
  EXPECT_EQ(editor.PointCount, 0);
  EXPECT_EQ(editor.DRAW, cleanCanvas());
  EXPECT_TRUE(inked(editor.PIC).empty());
}

TEST_F(CanvasTest, DigitKeysPickColoursUnderThePointer) {
  raster::SetPixelV(editor.DRAW, 7, 8, rgb(1, 2, 3));
  raster::SetPixelV(editor.DRAW, 9, 8, rgb(4, 5, 6));
  move(7, 8, Qt::NoButton);
  key(Qt::Key_1);
  EXPECT_EQ(editor.Color1, (Rgb{1, 2, 3}));
  EXPECT_EQ(editor.CurColor, (Rgb{1, 2, 3})) << "the colour window edits colour 1";
  move(9, 8, Qt::NoButton);
  key(Qt::Key_2);
  EXPECT_EQ(editor.Color2, (Rgb{4, 5, 6}));
  EXPECT_EQ(editor.CurColor, (Rgb{1, 2, 3}));
  // Off the canvas there is no colour to pick.
  move(-5, 8, Qt::NoButton);
  key(Qt::Key_1);
  EXPECT_EQ(editor.Color1, (Rgb{1, 2, 3}));
}

TEST_F(CanvasTest, ColoursAreTakenAtThePressNeverMidStroke) {
  editor.ToolCode = 2;
  editor.Color1 = {255, 0, 0};
  editor.Color2 = {0, 0, 255};
  press(10, 10);
  EXPECT_EQ(std::tuple(editor.PenColor, editor.MaskColor, editor.XorColor),
            std::tuple(rgb(255, 0, 0), rgb(0, 0, 255), rgb(255, 255, 255)));
  editor.Color1 = {0, 255, 0};  // the colour window changes it during the stroke
  move(20, 10);
  release(20, 10);
  EXPECT_EQ(raster::GetPixel(editor.PIC, 19, 10), rgb(255, 0, 0));
  editor.ToolCode = 7;  // the next press takes it, for the outline and the fill
  drag({100, 100}, {104, 103});
  EXPECT_EQ(raster::GetPixel(editor.PIC, 100, 100), rgb(0, 255, 0));
  EXPECT_EQ(raster::GetPixel(editor.PIC, 96, 100), rgb(0, 255, 0));
}

TEST_F(CanvasTest, KeypadMovesThePointerAndClicksWithZero) {
  editor.ToolCode = 4;
  QCursor::setPos(win->DRAW->mapToGlobal(QPoint(20, 20)));
  if (win->DRAW->mapFromGlobal(QCursor::pos()) != QPoint(20, 20)) GTEST_SKIP() << "no pointer here";
  key(Qt::Key_0, Qt::KeypadModifier);
  key(Qt::Key_0, Qt::KeypadModifier, true, true);  // auto-repeat: no second press
  for (int i = 0; i < 3; ++i) key(Qt::Key_3, Qt::KeypadModifier);
  key(Qt::Key_6, Qt::KeypadModifier);
  EXPECT_EQ(win->DRAW->mapFromGlobal(QCursor::pos()), QPoint(24, 23));
  key(Qt::Key_0, Qt::KeypadModifier, false);
  EXPECT_EQ(editor.DragActive, 0);
  const std::vector<QPoint> ink = inked(editor.PIC);
  EXPECT_EQ(ink.size(), 14u);
  for (const QPoint& p : ink) EXPECT_TRUE(onBoxOutline(p, 20, 20, 24, 23));
}

}  // namespace
}  // namespace tupalo
