// The main window's canvas as a person uses it: resizing, scroll bars,
// zooming, dropping files and the right click beside the canvas.
#include <QCoreApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

#include "editor/core/MainWindowFixture.h"
#include "editor/dialogs/COL_WIN.h"
#include "editor/palette/CMD_WIN.h"

namespace tupalo {
namespace {

TEST_F(MainWindowTest, ResizingLaysTheCanvasOutAgain) {
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  win->resize(400, 300);
  const Pair small = editor.ViewSize;
  EXPECT_LT(small.x, 400);
  EXPECT_EQ(small.x % 2, 0);
  EXPECT_EQ(win->DRAW->size(), QSize(editor.ViewPixels.x, editor.ViewPixels.y));
  EXPECT_TRUE(win->X_SC->isEnabled());
  EXPECT_EQ(win->X_SC->maximum(), 640 - small.x);

  win->resize(900, 700);  // larger than the picture: no scrolling
  EXPECT_EQ(editor.ViewSize, (Pair{640, 480}));
  EXPECT_FALSE(win->X_SC->isEnabled());
  EXPECT_EQ(win->X_SC->maximum(), 0);
  EXPECT_EQ(win->Y_SC->maximum(), 0);

  // A client area of 30 pixels or less keeps the previous layout.
  win->resize(25, 200);
  EXPECT_EQ(editor.ViewSize, (Pair{640, 480}));
}

TEST_F(MainWindowTest, ScrollBarsMoveTheViewAndDropTheUndo) {
  const QString path = writePicture(QStringLiteral("wide.bmp"), 2000, 1500);
  ASSERT_EQ(start(path), P_WIN::StartResult::Running);
  win->resize(500, 400);
  raster::Surface& pic = editor.PIC;
  raster::SetPixelV(pic, 120, 75, raster::rgb(1, 2, 3));
  editor.UndoAvailable = 1;
  editor.ToolCode = 6027;
  win->X_SC->setValue(120);
  win->Y_SC->setValue(75);
  EXPECT_EQ(editor.ViewOrigin, (Pair{120, 75}));
  EXPECT_EQ(raster::GetPixel(editor.DRAW, 0, 0), raster::rgb(1, 2, 3));
  EXPECT_EQ(editor.UndoAvailable, 0);
  EXPECT_EQ(editor.ToolCode, 27);

  // Growing the window near the far edge pulls the view back inside.
  win->X_SC->setValue(win->X_SC->maximum());
  win->resize(900, 700);
  EXPECT_EQ(editor.ViewOrigin.x + editor.ViewSize.x, 2000);
  EXPECT_EQ(win->X_SC->value(), editor.ViewOrigin.x);
}

TEST_F(MainWindowTest, ZoomKeepsTheClickedPixelInView) {
  const QString path = writePicture(QStringLiteral("zoom.bmp"), 1000, 1000);
  ASSERT_EQ(start(path), P_WIN::StartResult::Running);
  win->resize(600, 500);
  win->ZoomTo(300, 200, 4);
  EXPECT_EQ(editor.ZoomFactor, 4);
  const Pair mid = PicturePointAt(editor, editor.ViewPixels.x / 2, editor.ViewPixels.y / 2);
  EXPECT_NEAR(mid.x, 300, 1);
  EXPECT_NEAR(mid.y, 200, 1);
  EXPECT_EQ(win->X_SC->value(), editor.ViewOrigin.x);
  EXPECT_EQ(win->X_SC->maximum(), 1000 - editor.ViewSize.x);
  // Zoomed pixels are hard-edged blocks.
  const raster::Pixel p = editor.DRAW.pixel(0, 0);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(editor.DRAW.pixel(x, y), p);
}

TEST_F(MainWindowTest, FileDroppedOnTheWindowIsOffered) {
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  const QString path = writePicture(QStringLiteral("drop me.bmp"), 8, 8);
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(path), QUrl::fromLocalFile(QStringLiteral("/tmp/second.bmp"))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(win, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  prompter.answer(Answer::Yes);
  QCoreApplication::sendEvent(win, &drop);
  QCoreApplication::processEvents();
  ASSERT_EQ(prompter.messages().size(), 1u);
  EXPECT_TRUE(
      prompter.lastMessage().text.startsWith(path + QStringLiteral("がドロップされました")));
  EXPECT_EQ(editor.PicSize, (Pair{8, 8}));
}

TEST_F(MainWindowTest, RightClickBesideTheCanvasTogglesTheFloatingWindows) {
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  win->resize(900, 700);  // room beside the 640 x 480 canvas
  const QPointF beside(800, 600);
  QMouseEvent press(QEvent::MouseButtonPress, beside, win->DMY->mapToGlobal(beside),
                    Qt::RightButton, Qt::RightButton, Qt::NoModifier);
  QCoreApplication::sendEvent(win->DMY, &press);
  EXPECT_EQ(editor.PalettesShown, 0);
  QCoreApplication::sendEvent(win->DMY, &press);
  EXPECT_EQ(editor.PalettesShown, 1);
}

// A window manager minimises the floating windows together with the main
// window; restoring the main window must bring them back as normal windows,
// or they come up minimised and take the main window down again.
TEST_F(MainWindowTest, MinimisedWindowGroupComesBackWhole) {
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  QWidget* floating[] = {colWin, cmdWin};
  for (int round = 0; round < 2; ++round) {
    for (QWidget* w : floating) w->setWindowState(Qt::WindowMinimized);
    win->setWindowState(Qt::WindowMinimized);
    for (QWidget* w : floating) EXPECT_FALSE(w->isVisible());
    win->setWindowState(Qt::WindowNoState);
    for (QWidget* w : floating) {
      EXPECT_TRUE(w->isVisible());
      EXPECT_FALSE(w->isMinimized());
    }
  }
  // A floating window minimised on its own takes the group with it.
  cmdWin->setWindowState(Qt::WindowMinimized);
  EXPECT_TRUE(win->isMinimized());
  win->setWindowState(Qt::WindowNoState);
  EXPECT_TRUE(cmdWin->isVisible() && !cmdWin->isMinimized());
  // Floating windows the user put away stay away.
  win->TogglePalettes();
  win->setWindowState(Qt::WindowMinimized);
  win->setWindowState(Qt::WindowNoState);
  EXPECT_FALSE(colWin->isVisible());
  EXPECT_FALSE(cmdWin->isVisible());
}

}  // namespace
}  // namespace tupalo
