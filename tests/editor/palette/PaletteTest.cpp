// The command palette on a started main window: highlights, groups, layouts,
// tool codes, zoom, window buttons, pen size and undo.
#include <QClipboard>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QRegularExpression>
#include <cmath>

#include "editor/core/View.h"
#include "editor/dialogs/COL_WIN.h"
#include "editor/palette/PaletteFixture.h"

namespace tupalo {
namespace {

bool shown(const QWidget* w) { return w->isVisibleTo(w->window()); }

TEST_F(PaletteTest, StartsInTheNormalLayoutWithPsetHighlightedBelowTheColourWindow) {
  writeConfig(QStringLiteral("FEMD , 1\nCOWT , 1500\nCMWL , 3000\nCMWT , 9000"));
  CMD_WIN& p = palette();
  ASSERT_TRUE(p.isVisible());
  EXPECT_EQ(p.windowTitle(), QStringLiteral("Tupa "));
  EXPECT_EQ(faces(p.CMD_B), highlightedOnly(p.CMD_B, 0));
  EXPECT_EQ(p.PEN_SZ->text(), QStringLiteral(" 1"));
  EXPECT_EQ(faces(p.ROOT_B), highlightedOnly(p.ROOT_B, 0));
  for (int g = 0; g < palette::kNormalGroups; ++g) EXPECT_EQ(shown(p.ROOT_M[g]), g == 0) << g;
  for (QWidget* g : p.EXP_M) EXPECT_FALSE(shown(g));
  EXPECT_FALSE(shown(p.EXP_B_BASE));
  EXPECT_FALSE(p.UNDO->isEnabled());
  // The scanner button waits for a scanner add-in.
  EXPECT_FALSE(shown(p.FILE_B[7]));
  // Left from CMWL; top from the colour window, not from CMWT.
  const double tpp = win->twipsPerPixel();
  const int32_t colourHeight = colWin->HeightTwips();
  EXPECT_GT(colourHeight, 1500);
  EXPECT_EQ(p.geometry().topLeft(),
            QPoint(std::lround(3000 / tpp), std::lround((1500 + colourHeight + 1) / tpp)));
  // Faces are cut from the strips in the program folder.
  const QImage strip(app + QStringLiteral("/CMD_B_IMG.bmp"));
  EXPECT_EQ(p.CMD_B[0]->face().toImage().convertToFormat(QImage::Format_RGB32),
            strip.copy(0, 24, 24, 24).convertToFormat(QImage::Format_RGB32));
}

TEST_F(PaletteTest, WindowButtonsStartSwitchedOnForWindowsThatAreUp) {
  writeConfig(QStringLiteral("FEMD , 1\nBEWD , 1\nMLDS , 1"));
  EXPECT_EQ(faces(palette().OPT_W_B), (std::vector<int>{1, 0, 1}));
}

TEST_F(PaletteTest, SelectorShowsOneGroupAtATime) {
  CMD_WIN& p = palette();
  clickWith(p.ROOT_B[4], Qt::LeftButton);
  EXPECT_EQ(editor.NormalGroup, 4);
  EXPECT_EQ(faces(p.ROOT_B), highlightedOnly(p.ROOT_B, 4));
  for (int g = 0; g < palette::kNormalGroups; ++g) EXPECT_EQ(shown(p.ROOT_M[g]), g == 4) << g;
}

TEST_F(PaletteTest, RightClickOnAToolAsksForItsSettingsWindow) {
  CMD_WIN& p = palette();
  p.ROOT_B_Click(4);
  clickWith(p.CMD_B[21], Qt::RightButton);
  EXPECT_EQ(p.RightClickPending, 1);
  EXPECT_EQ(editor.ToolCode, 21);
  EXPECT_EQ(p.RequestedSettingsWindow, SettingsWindow::Spray);
  EXPECT_EQ(win->INF_CMD->text(), QStringLiteral("Spray"));

  clickWith(p.CMD_B[21], Qt::LeftButton);
  EXPECT_EQ(p.RightClickPending, 0);
  EXPECT_EQ(editor.ToolCode, 21);
  EXPECT_EQ(p.RequestedSettingsWindow, SettingsWindow::None);

  p.ROOT_B_Click(0);
  clickWith(p.CMD_B[0], Qt::RightButton);
  EXPECT_EQ(editor.ToolCode, 1);
  EXPECT_EQ(p.RequestedSettingsWindow, SettingsWindow::None);
  EXPECT_EQ(faces(p.CMD_B), highlightedOnly(p.CMD_B, 0));
}

TEST_F(PaletteTest, LineButtonsFollowTheLineMode) {
  CMD_WIN& p = palette();
  editor.settings.LMOD = 1;
  p.CMD_B_Click(2);
  EXPECT_EQ(editor.ToolCode, 29);
  p.EXP_M1_Click(12);
  EXPECT_EQ(editor.ToolCode, 11029);
  EXPECT_EQ(editor.LastExpansionTool, 11029);
  editor.settings.LMOD = 0;
  p.CMD_B_Click(2);
  EXPECT_EQ(editor.ToolCode, 3);
  p.EXP_M1_Click(12);
  EXPECT_EQ(editor.ToolCode, 11010);
  EXPECT_EQ(editor.LastExpansionTool, 11010);
}

TEST_F(PaletteTest, MagnifierKeepsTheToolHighlightedUntilAToolIsChosen) {
  CMD_WIN& p = palette();
  p.CMD_B_Click(3);
  p.EDIT_B_Click(1);
  EXPECT_EQ(editor.ToolCode, 10004);
  EXPECT_EQ(editor.ZoomFactor, 1);
  EXPECT_EQ(win->INF_CMD->text(), QStringLiteral("Expand to x4"));
  EXPECT_EQ(faces(p.EDIT_B), highlightedOnly(p.EDIT_B, 1));
  EXPECT_EQ(faces(p.CMD_B), highlightedOnly(p.CMD_B, 3));
  EXPECT_EQ(p.EDIT_B[1]->faceCell(), 2);  // the x4 cell of the zoom strip

  p.CMD_B_Click(4);
  EXPECT_EQ(editor.ToolCode, 5);
  EXPECT_EQ(faces(p.EDIT_B), (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(faces(p.CMD_B), highlightedOnly(p.CMD_B, 4));
}

TEST_F(PaletteTest, ZoomingInOnlyArmsTheMagnifier) {
  CMD_WIN& p = palette();
  const Pair origin = editor.ViewOrigin;
  p.EXP_M2_Click(1);
  EXPECT_EQ(editor.ToolCode, 10002);
  EXPECT_EQ(editor.ZoomFactor, 1);
  EXPECT_EQ(editor.ViewOrigin, origin);
}

class ZoomedPaletteTest : public PaletteTest {
 protected:
  // A picture larger than the canvas, magnified about its middle.
  void zoomTo(int factor) {
    const QString path = writePicture(QStringLiteral("big.bmp"), 1500, 1200);
    start(path);
    win->ZoomTo(win->DRAW->width() / 2, win->DRAW->height() / 2, factor);
    cmdWin->EnterExpansionLayout();
  }
};

TEST_F(ZoomedPaletteTest, ZoomingOutHappensAtOnceAboutTheCanvasCentre) {
  zoomTo(8);
  CMD_WIN& p = palette();
  p.EXP_B_Click(2);
  editor.ToolCode = 11101;
  editor.WorkShown = true;
  const Pair expected =
      ZoomAt(editor, win->canvasFrame(), win->DRAW->width() / 2, win->DRAW->height() / 2, 2);
  ASSERT_NE(expected, editor.ViewOrigin);

  p.EXP_M2_Click(1);
  EXPECT_EQ(editor.ZoomFactor, 2);
  EXPECT_EQ(editor.ViewOrigin, expected);
  EXPECT_EQ(win->X_SC->value(), expected.x);
  EXPECT_EQ(win->Y_SC->value(), expected.y);
  EXPECT_TRUE(win->DRAW->isVisible());
  // A floating expanded-mode copy is dropped back to its first step.
  EXPECT_EQ(editor.ToolCode, 11100);
  EXPECT_FALSE(editor.WorkShown);
  // Back to the first expansion group.
  EXPECT_EQ(editor.ExpansionGroup, 0);
  EXPECT_TRUE(shown(p.EXP_M[0]));
  EXPECT_FALSE(shown(p.EXP_M[2]));
  EXPECT_TRUE(p.inExpansionLayout());
}

TEST_F(ZoomedPaletteTest, ChoosingTheCurrentFactorChangesNothing) {
  zoomTo(4);
  CMD_WIN& p = palette();
  p.EXP_B_Click(2);
  editor.ToolCode = 11003;
  const Pair origin = editor.ViewOrigin;
  p.EXP_M2_Click(2);
  EXPECT_EQ(editor.ZoomFactor, 4);
  EXPECT_EQ(editor.ViewOrigin, origin);
  EXPECT_EQ(editor.ToolCode, 11003);
  EXPECT_EQ(editor.ExpansionGroup, 2);
}

TEST_F(ZoomedPaletteTest, TimesOneReturnsToTheNormalLayoutWithNoTool) {
  start(writePicture(QStringLiteral("big.bmp"), 1500, 1200));
  CMD_WIN* p = cmdWin;
  p->ROOT_B_Click(1);
  p->EDIT_B_Click(1);
  win->ZoomTo(10, 10, 4);
  p->EnterExpansionLayout();

  p->EXP_B_Click(2);
  p->EXP_M2_Click(0);
  EXPECT_EQ(editor.ZoomFactor, 1);
  EXPECT_EQ(editor.ToolCode, 0);
  EXPECT_EQ(win->INF_CMD->text(), QStringLiteral("No select"));
  EXPECT_FALSE(p->inExpansionLayout());
  EXPECT_TRUE(shown(p->ROOT_B_BASE));
  EXPECT_FALSE(shown(p->EXP_B_BASE));
  for (int g = 0; g < palette::kNormalGroups; ++g) EXPECT_EQ(shown(p->ROOT_M[g]), g == 1) << g;
  for (QWidget* g : p->EXP_M) EXPECT_FALSE(shown(g));
  EXPECT_EQ(faces(p->EDIT_B), (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(faces(p->EXP_M2), (std::vector<int>{0, 0, 0, 0}));
}

TEST_F(PaletteTest, WindowButtonsToggleTheirWindows) {
  CMD_WIN& p = palette();
  p.OPT_W_B_Click(0);
  EXPECT_EQ(editor.settings.BEWD, 1);
  EXPECT_EQ(p.OPT_W_B[0]->faceRow(), 1);
  p.OPT_W_B_Click(0);
  EXPECT_EQ(editor.settings.BEWD, 0);
  EXPECT_EQ(p.OPT_W_B[0]->faceRow(), 0);

  p.OPT_W_B_Click(2);
  EXPECT_EQ(editor.settings.MLDS, 1);
  EXPECT_EQ(p.OPT_W_B[2]->faceRow(), 1);
  p.OPT_W_B_Click(2);
  EXPECT_EQ(editor.settings.MLDS, 0);
  EXPECT_EQ(p.OPT_W_B[2]->faceRow(), 0);

  p.OPT_W_B_Click(1);  // help: pressed only while it opens
  EXPECT_EQ(p.OPT_W_B[1]->faceRow(), 0);
}

TEST_F(PaletteTest, PenSizeStaysWithinOneToThirtyThree) {
  CMD_WIN& p = palette();
  p.StepPenSize(-1);
  EXPECT_EQ(editor.PenSize, 1);
  p.StepPenSize(+1);
  EXPECT_EQ(editor.PenSize, 2);
  EXPECT_EQ(p.PEN_SZ->text(), QStringLiteral(" 2"));
  p.PEN_SZ_SB->setValue(40);
  EXPECT_EQ(editor.PenSize, 33);
  p.StepPenSize(+1);
  EXPECT_EQ(editor.PenSize, 33);
  EXPECT_EQ(p.PEN_SZ->text(), QStringLiteral(" 33"));
}

TEST_F(PaletteTest, UndoButtonFirstDropsAnUnfinishedShape) {
  CMD_WIN& p = palette();
  p.EnableUndoButton(UndoButton::Enabled);
  EXPECT_TRUE(p.UNDO->isEnabled());
  p.EnableUndoButton(UndoButton::Disabled);
  EXPECT_FALSE(p.UNDO->isEnabled());

  editor.ToolCode = 28;
  editor.UndoAvailable = 0;
  const raster::Surface before = editor.PIC;
  p.UNDO_Click();  // nothing to undo, nothing pending: nothing happens
  EXPECT_EQ(editor.ToolCode, 28);
  EXPECT_TRUE(editor.PIC == before);

  editor.ToolCode = 6028;
  editor.WorkShown = true;
  editor.UndoAvailable = 1;
  p.UNDO_Click();
  EXPECT_EQ(editor.ToolCode, 28);
  EXPECT_FALSE(editor.WorkShown);

  editor.ToolCode = 7027;
  editor.WorkShown = true;
  p.UNDO_Click();
  EXPECT_EQ(editor.ToolCode, 27);
  EXPECT_TRUE(editor.WorkShown);

  editor.ToolCode = 11010;
  editor.WorkDrawWidth = 5;
  editor.WorkXorMode = true;
  p.UNDO_Click();
  EXPECT_EQ(editor.WorkDrawWidth, 1);
  EXPECT_FALSE(editor.WorkXorMode);
}

TEST_F(PaletteTest, CopyToClipboardNeedsTheNormalDrawingMode) {
  CMD_WIN& p = palette();
  editor.settings.SZWM = 0;
  prompter.answer(Answer::Ok);
  p.CMD_B_Click(18);
  EXPECT_EQ(editor.ToolCode, 0);
  EXPECT_EQ(prompter.lastMessage(),
            (MessageRequest{QStringLiteral("Tupalo"),
                            QStringLiteral("StretchBltとImageに問題のある機種では使えません"),
                            Buttons::Ok, Icon::None, -1}));
  editor.settings.SZWM = 1;
  p.CMD_B_Click(18);
  EXPECT_EQ(editor.ToolCode, 18);
}

TEST_F(PaletteTest, CopyFromClipboardFloatsTheClipboardPicture) {
  CMD_WIN& p = palette();
  QGuiApplication::clipboard()->clear();
  prompter.answer(Answer::Ok);
  p.CMD_B_Click(19);
  EXPECT_EQ(editor.ToolCode, 1);
  EXPECT_EQ(prompter.lastMessage().text, QStringLiteral("クリップボードには絵が入っていません。"));
  EXPECT_EQ(prompter.lastMessage().icon, Icon::Exclamation);

  QImage piece(7, 4, QImage::Format_RGB32);
  piece.fill(QColor(1, 2, 3));
  QGuiApplication::clipboard()->setImage(piece);
  p.CMD_B_Click(19);
  EXPECT_EQ(editor.ToolCode, 19);
  EXPECT_EQ(editor.WORK, raster::Surface(7, 4, raster::toPixel(raster::rgb(1, 2, 3))));
}

TEST_F(PaletteTest, QuitButtonRunsTheQuitQuestion) {
  CMD_WIN& p = palette();
  prompter.answer(Answer::Cancel);
  p.SYS_B_Click(0);
  EXPECT_EQ(prompter.lastMessage().title, QStringLiteral("Tupa 終了"));
  EXPECT_TRUE(win->isVisible());
  EXPECT_EQ(p.SYS_B[0]->faceRow(), 0);
}

TEST_F(PaletteTest, QuitWritesWhereThePaletteStands) {
  CMD_WIN& p = palette();
  p.setGeometry(QRect(QPoint(100, 150), p.size()));
  prompter.answer(Answer::Yes);
  ASSERT_TRUE(win->QuitRoutine());
  const double tpp = win->twipsPerPixel();
  EXPECT_EQ(editor.settings.CMWL, std::lround(100 * tpp));
  EXPECT_EQ(editor.settings.CMWT, std::lround(150 * tpp));
  const QRegularExpression stored(
      QStringLiteral("\\bCMWL\\s*,\\s*%1\\b").arg(std::lround(100 * tpp)));
  EXPECT_TRUE(readConfig().contains(stored)) << readConfig().toStdString();
}

}  // namespace
}  // namespace tupalo
