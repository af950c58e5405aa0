// The overview and the magnifier: their pixels against a whole rescale and
// the canvas, and their flows with the main window and the palette.
#include <QCloseEvent>
#include <QCoreApplication>
#include <random>

#include "editor/core/MainWindowFixture.h"
#include "editor/core/ToolEngine.h"
#include "editor/dialogs/ViewWindows.h"
#include "editor/dialogs/ViewWindowsMath.h"
#include "editor/settings/SET_WIN.h"

namespace tupalo {
namespace {

raster::Surface noise(int w, int h, unsigned seed) {
  raster::Surface s(w, h);
  std::mt19937 rng(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.setPixel(x, y, raster::kOpaque | (rng() & 0xFFFFFF));
  return s;
}

TEST(OverviewScaling, PartialUpdatesGiveTheWholeRescalesPixels) {
  raster::Surface pic = noise(700, 300, 1);
  // Shrinking, enlarging, and the one-pixel extent the stretch treats apart.
  for (auto [vw, vh] : {std::pair{123, 57}, std::pair{1000, 411}, std::pair{1, 300}}) {
    OverviewScaler scaler;
    ASSERT_TRUE(scaler.Prepare(700, 300, vw, vh));
    raster::Surface view(vw, vh), whole(vw, vh);
    scaler.DrawAll(pic, view);
    raster::StretchBlt(whole, 0, 0, vw, vh, pic, 0, 0, 700, 300, raster::COLORONCOLOR);
    EXPECT_EQ(view, whole) << vw;
    // A 40 x 40 stroke, then only its rectangle redrawn.
    raster::Surface stroke = noise(40, 40, 2);
    raster::BitBlt(pic, 333, 101, 40, 40, stroke, 0, 0);
    scaler.DrawRect(pic, view, 333, 101, 372, 140);
    raster::StretchBlt(whole, 0, 0, vw, vh, pic, 0, 0, 700, 300, raster::COLORONCOLOR);
    EXPECT_EQ(view, whole) << vw;
  }
}

TEST(OverviewScaling, FitClickAndPlaceArithmetic) {
  const auto fit = FitOverview(800, 200, 200, 200);
  ASSERT_TRUE(fit);
  EXPECT_EQ(std::tuple(fit->scale, fit->width, fit->height), std::tuple(4.0, 200, 50));
  EXPECT_FALSE(FitOverview(800, 200, 0, 200));  // minimised: nothing, no division
  // Picture 4000 x 1000 seen 600 x 400 at a time, overview scale 4.
  const Pair pic{4000, 1000}, seen{600, 400};
  EXPECT_EQ(OverviewClickOrigin(4.0, 0, 0, seen, pic), (Pair{0, 0}));
  EXPECT_EQ(OverviewClickOrigin(4.0, 999, 249, seen, pic), (Pair{3400, 600}));
  EXPECT_EQ(OverviewClickOrigin(4.0, 500, 100, seen, pic), (Pair{1700, 200}));
  // A view showing the whole width keeps ox 0 wherever the click.
  EXPECT_EQ(OverviewClickOrigin(4.0, 999, 0, {4000, 400}, pic).x, 0);
  EXPECT_EQ(KeepPlaceOnScreen(18000, 3000, 19200), 16200);
  EXPECT_EQ(KeepPlaceOnScreen(-15, 3000, 19200), 0);
  EXPECT_EQ(KeepPlaceOnScreen(40000, 30000, 19200), 0);  // larger than the screen
}

TEST(Magnifier, BlocksOfTheCanvasOnTheGridGreyBeyondItAndTheCentreBoxed) {
  raster::Surface canvas(30, 20, 0xFF00FF00u);
  canvas.setPixel(0, 0, 0xFFFF0000u);  // pure red at the corner
  raster::Surface mask, tmp, out;
  BuildLupeMask(mask);
  RenderLupe(canvas, 0, 0, mask, tmp, out);
  ASSERT_EQ(std::tuple(out.width(), out.height()), std::tuple(kLupeSize, kLupeSize));
  // Cell (c, r) shows canvas pixel (c - 10, r - 10); its inside is 5c+1..5c+4.
  auto inside = [&](int c, int r) { return out.pixel(5 * c + 2, 5 * r + 2); };
  EXPECT_EQ(inside(10, 10), 0xFFFF0000u);  // red stays red
  EXPECT_EQ(inside(11, 10), 0xFF00FF00u);
  EXPECT_EQ(inside(9, 10), kLupeOutside);                     // left of the canvas
  EXPECT_EQ(inside(12, 9), kLupeOutside);                     // above it
  EXPECT_EQ(inside(23, 23), 0xFF00FF00u);                     // canvas pixel (13, 13)
  EXPECT_EQ(out.pixel(5 * 12, 5 * 12 + 2), raster::kOpaque);  // grid line
  for (int i = 50; i <= 55; ++i) {
    EXPECT_EQ(out.pixel(i, 50), kLupeBox);
    EXPECT_EQ(out.pixel(55, i), kLupeBox);
  }
  // Near the far corner nothing is read past the canvas.
  RenderLupe(canvas, 29, 19, mask, tmp, out);
  EXPECT_EQ(inside(10, 10), 0xFF00FF00u);
  EXPECT_EQ(inside(11, 10), kLupeOutside);
  EXPECT_EQ(inside(10, 11), kLupeOutside);
}

class ViewWindowsTest : public MainWindowTest {
 protected:
  BIRD_WIN& bird() { return *windows->birdWin; }
  LUPE_WIN& lupe() { return *windows->lupeWin; }
  // A box drawn on the canvas with the mouse, from (x1, y1) to (x2, y2).
  void drawBox(int x1, int y1, int x2, int y2) {
    win->SelectTool(tool::Boxfill);
    win->engine->MouseDown(Qt::LeftButton, Qt::NoModifier, x1, y1);
    win->engine->MouseMove(Qt::LeftButton, Qt::NoModifier, x2, y2);
    win->engine->MouseUp(Qt::LeftButton, Qt::NoModifier, x2, y2);
  }
  raster::Surface wholeRescale() {
    const raster::Surface& v = bird().VIEW->surface;
    raster::Surface whole(v.width(), v.height());
    raster::StretchBlt(whole, 0, 0, v.width(), v.height(), editor.PIC, 0, 0, editor.PIC.width(),
                       editor.PIC.height(), raster::COLORONCOLOR);
    return whole;
  }
};

TEST_F(ViewWindowsTest, OverviewReopensAtItsPlaceFollowsCommitsAndMovesTheView) {
  writeConfig(
      QStringLiteral("FEMD , 1\nBEWT , 3000\nBEWL , 4500\nBEWW , 3000\nBEWH , 1500\n"
                     "BEWD , 1"));
  ASSERT_EQ(start(writePicture(QStringLiteral("big.bmp"), 2000, 1000)),
            P_WIN::StartResult::Running);
  const double tpp = win->twipsPerPixel();
  ASSERT_TRUE(bird().isVisible());
  EXPECT_EQ(bird().windowTitle(), QStringLiteral("Tupa  View"));
  EXPECT_EQ(bird().geometry(), QRect(std::lround(4500 / tpp), std::lround(3000 / tpp),
                                     std::lround(3000 / tpp), std::lround(1500 / tpp)));
  EXPECT_EQ(bird().VIEW->surface, wholeRescale());

  drawBox(10, 10, 60, 40);
  EXPECT_EQ(editor.PIC.pixel(30, 30), raster::kOpaque);  // black, committed
  EXPECT_EQ(bird().VIEW->surface, wholeRescale());
  // Undo is a commit too.
  QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
  QCoreApplication::sendEvent(win, &space);
  EXPECT_EQ(editor.PIC.pixel(30, 30), 0xFFFFFFFFu);
  EXPECT_EQ(bird().VIEW->surface, wholeRescale());

  // A click moves the view there; the undo step of the old view is gone.
  drawBox(10, 10, 20, 20);
  ASSERT_EQ(editor.UndoAvailable, 1);
  bird().VIEW_MouseDown(bird().VIEW->width() - 1, bird().VIEW->height() - 1);
  EXPECT_EQ(editor.ViewOrigin, (Pair{2000 - editor.ViewSize.x, 1000 - editor.ViewSize.y}));
  EXPECT_EQ(editor.UndoAvailable, 0);
  EXPECT_EQ(win->X_SC->value(), editor.ViewOrigin.x);

  // A new picture rebuilds it at the new scale.
  int16_t result = 0;
  win->LoadImage(writePicture(QStringLiteral("small.bmp"), 50, 400), result);
  EXPECT_EQ(bird().VIEW->surface.height(), bird().height());
  EXPECT_EQ(bird().VIEW->surface, wholeRescale());
}

TEST_F(ViewWindowsTest, ClosingByTheUserSticksShuttingDownDoesNot) {
  writeConfig(QStringLiteral("FEMD , 1\nBEWD , 1\nMLDS , 1\nMLLF , 1500\nMLTP , 750"));
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  ASSERT_TRUE(lupe().isVisible());
  EXPECT_EQ(lupe().windowTitle(), QStringLiteral("Tupa  Mini Lupe"));
  bird().close();  // the title bar's close
  EXPECT_EQ(editor.settings.BEWD, 0);
  EXPECT_EQ(cmdWin->OPT_W_B[0]->faceRow(), 0);
  cmdWin->OPT_W_B_Click(0);  // the palette brings it back
  EXPECT_TRUE(bird().isVisible());
  EXPECT_EQ(cmdWin->OPT_W_B[0]->faceRow(), 1);

  // The palettes' right-click hiding takes the overview along unless VDMD;
  // a file dialog takes both.
  win->TogglePalettes();
  EXPECT_FALSE(bird().isVisible());
  EXPECT_TRUE(lupe().isVisible());
  win->TogglePalettes();
  EXPECT_TRUE(bird().isVisible());
  prompter.cancelFile([&](const FileRequest&) {
    EXPECT_FALSE(bird().isVisible());
    EXPECT_FALSE(lupe().isVisible());
  });
  win->ChooseOpenFile();
  EXPECT_TRUE(bird().isVisible() && lupe().isVisible());
  // The settings window takes the magnifier aside, and the overview only
  // when it is kept up beside hidden palettes (VDMD 1); CANCEL brings both.
  windows->setWin->Open();
  EXPECT_TRUE(bird().isVisible());
  EXPECT_FALSE(lupe().isVisible());
  windows->setWin->CANCEL_Click();
  EXPECT_TRUE(bird().isVisible() && lupe().isVisible());
  editor.settings.VDMD = 1;
  windows->setWin->Open();
  EXPECT_FALSE(bird().isVisible());
  windows->setWin->OK_Click();
  EXPECT_TRUE(bird().isVisible() && lupe().isVisible());

  lupe().move(300, 200);
  const int lupeLeft = lupe().geometry().left();
  prompter.answer(Answer::Yes, [&](const MessageRequest&) { EXPECT_FALSE(lupe().isVisible()); });
  ASSERT_TRUE(win->QuitRoutine());
  const QString cnf = readConfig();
  EXPECT_TRUE(cnf.contains(QStringLiteral("BEWD ,  1 ")));
  EXPECT_TRUE(cnf.contains(QStringLiteral("MLDS ,  1 ")));
  const double tpp = win->twipsPerPixel();
  EXPECT_TRUE(cnf.contains(QStringLiteral("MLLF ,  %1 ").arg(std::lround(lupeLeft * tpp))));
}

TEST_F(ViewWindowsTest, MagnifierFollowsThePointerAndTheSpray) {
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  cmdWin->OPT_W_B_Click(2);
  ASSERT_TRUE(lupe().isVisible());
  win->engine->MouseMove(Qt::NoButton, Qt::NoModifier, 40, 30);
  EXPECT_EQ(std::tuple(lupe().LastX, lupe().LastY), std::tuple(40, 30));
  raster::Surface expected, tmp;
  RenderLupe(editor.DRAW, 40, 30, lupe().LUPE_MASK, tmp, expected);
  EXPECT_EQ(lupe().LUPE_DSP->surface, expected);
  // Each spray tick shows what it sprayed.
  win->SelectTool(tool::Spray);
  win->engine->MouseDown(Qt::LeftButton, Qt::NoModifier, 100, 80);
  win->engine->Timer1Tick();
  RenderLupe(editor.DRAW, 100, 80, lupe().LUPE_MASK, tmp, expected);
  EXPECT_EQ(lupe().LUPE_DSP->surface, expected);
  win->engine->MouseUp(Qt::LeftButton, Qt::NoModifier, 100, 80);
  cmdWin->OPT_W_B_Click(2);
  EXPECT_FALSE(lupe().isVisible());
  EXPECT_EQ(editor.settings.MLDS, 0);
}

}  // namespace
}  // namespace tupalo
