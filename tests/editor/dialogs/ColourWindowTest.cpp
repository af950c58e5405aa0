// The colour window on a started main window, driven through its widgets:
// swatches and the colour pick tool, the button grid, the bars, the
// dictionary, and how the main window and the canvas keys reach it.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "editor/core/CanvasFixture.h"
#include "editor/core/WAIT_WIN.h"
#include "editor/dialogs/COL_WIN.h"
#include "editor/palette/CMD_WIN.h"

namespace tupalo {
namespace {

const QColor kLightCyan(0, 255, 255), kLightRed(255, 0, 0);

class ColourWindowTest : public CanvasTest {
 protected:
  COL_WIN& cw() { return *colWin; }
  static void clickOn(QWidget* w) {
    const QPointF at(w->width() / 2, w->height() / 2);
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
  }
  void typeInCombo(int k, const QString& text = {}) {
    QKeyEvent ev(QEvent::KeyPress, k, Qt::NoModifier, text);
    QCoreApplication::sendEvent(cw().Combo1, &ev);  // the focus widget; it feeds its line edit
  }
  QColor face() { return cw().palette().color(QPalette::Button); }
  QColor letters(int j) { return cw().COLINDEX[j]->palette().color(QPalette::WindowText); }
};

TEST_F(ColourWindowTest, SwatchClicksSwitchTheEditedColourThenToggleTheColourPick) {
  ASSERT_TRUE(cw().isVisible());
  EXPECT_EQ(cw().TAR_COL->frameColour(), kLightCyan);
  EXPECT_EQ(cw().DES_COL->frameColour(), face());
  editor.ToolCode = 4;
  clickOn(cw().DES_COL);
  ASSERT_EQ(editor.UseSecondColor, 1);
  EXPECT_EQ(editor.CurColor, (Rgb{255, 255, 255}));

  clickOn(cw().TAR_COL);  // switches to Color1
  EXPECT_EQ(editor.UseSecondColor, 0);
  EXPECT_EQ(editor.ToolCode, 4);
  EXPECT_EQ(cw().TAR_COL->frameColour(), kLightCyan);
  EXPECT_EQ(cw().DES_COL->frameColour(), face());
  clickOn(cw().TAR_COL);  // colour pick on
  EXPECT_EQ(editor.ToolCode, 1000);
  EXPECT_EQ(win->INF_CMD->text(), QStringLiteral("Spoit"));
  EXPECT_EQ(cw().TAR_COL->frameColour(), kLightRed);
  clickOn(cw().TAR_COL);  // and off, back to the tool before
  EXPECT_EQ(editor.ToolCode, 4);
  EXPECT_EQ(win->INF_CMD->text(), QStringLiteral("Box"));
  EXPECT_EQ(cw().TAR_COL->frameColour(), kLightCyan);

  // Any colour change ends the colour pick too.
  clickOn(cw().TAR_COL);
  cw().C_BUT[3]->click();
  EXPECT_EQ(editor.ToolCode, 4);
  EXPECT_EQ(editor.Color1, (Rgb{0, 255, 0}));
}

TEST_F(ColourWindowTest, GridStepsClampAndChangeOnlyTheEditedColour) {
  cw().Command1->click();
  cw().C_BUT[1]->click();
  for (int i = 0; i < 5; ++i) cw().M_BUT[0]->click();  // red toward blue: takes from R and G
  EXPECT_EQ(editor.Color1, (Rgb{250, 0, 0}));
  cw().PP_BUT[1]->click();
  EXPECT_EQ(editor.Color1, (Rgb{255, 0, 0}));
  EXPECT_EQ(cw().TAR_COL->colour(), QColor(255, 0, 0));
  // COL_RGB: a full red row, empty green and blue rows.
  const QImage& bars = cw().COL_RGB->image();
  const int third = bars.height() / 3;
  EXPECT_EQ(bars.pixelColor(bars.width() - 1, third / 2), kLightRed);
  EXPECT_EQ(bars.pixelColor(0, third + third / 2), face());
  EXPECT_EQ(bars.pixelColor(0, 2 * third + third / 2), face());

  clickOn(cw().DES_COL);
  editor.Color2 = {10, 10, 10};
  cw().MM_BUT[6]->click();
  EXPECT_EQ(editor.Color2, (Rgb{0, 0, 0}));
  EXPECT_EQ(editor.Color1, (Rgb{255, 0, 0}));
  EXPECT_EQ(cw().DES_COL->colour(), QColor(0, 0, 0));
}

TEST_F(ColourWindowTest, BarsFollowEachOtherWithoutFeedingBack) {
  editor.Color1 = {128, 0, 0};
  cw().Command2->click();
  EXPECT_EQ(editor.settings.CSEL, 1);
  EXPECT_EQ(cw().R_BAR->value(), 128);
  EXPECT_EQ(cw().V_VAL->text(), QStringLiteral(" 128"));
  // Hue 22.5 shows as 22; converted back it would give G 47, not 48.
  cw().G_BAR->setValue(48);
  EXPECT_EQ(editor.Color1, (Rgb{128, 48, 0}));
  EXPECT_EQ(std::tuple(cw().H_BAR->value(), cw().S_BAR->value(), cw().V_BAR->value()),
            std::tuple(22, 255, 128));

  cw().H_BAR->setValue(120);
  EXPECT_EQ(editor.Color1, (Rgb{0, 128, 0}));
  EXPECT_EQ(std::tuple(cw().R_BAR->value(), cw().G_BAR->value(), cw().B_BAR->value()),
            std::tuple(0, 128, 0));
  EXPECT_EQ(cw().H_BAR->value(), 120);

  // Hue on a grey: the colour stays grey and the hue bar where it was put.
  cw().S_BAR->setValue(0);
  EXPECT_EQ(editor.Color1, (Rgb{128, 128, 128}));
  cw().H_BAR->setValue(250);
  EXPECT_EQ(editor.Color1, (Rgb{128, 128, 128}));
  EXPECT_EQ(cw().H_BAR->value(), 250);
  EXPECT_EQ(cw().H_VAL->text(), QStringLiteral(" 250"));
}

TEST_F(ColourWindowTest, ColourPickTakesTheCanvasColourWithoutTouchingThePicture) {
  raster::SetPixelV(editor.DRAW, 30, 40, raster::rgb(12, 200, 7));
  const raster::Surface before = editor.PIC;
  clickOn(cw().TAR_COL);  // Color1 is edited already: colour pick on
  ASSERT_EQ(editor.ToolCode, 1000);
  press(5, 5);
  move(30, 40);
  release(30, 40);
  EXPECT_EQ(editor.Color1, (Rgb{12, 200, 7}));
  EXPECT_EQ(cw().TAR_COL->colour(), QColor(12, 200, 7));
  EXPECT_EQ(editor.ToolCode, 1000);  // stays on until the swatch is clicked again
  EXPECT_EQ(editor.UndoAvailable, 0);
  EXPECT_EQ(editor.PIC, before);
}

TEST_F(ColourWindowTest, DictionaryShowsTakesAndStoresColours) {
  editor.colours = ColourDictionary{};  // default names, all colours 0
  auto& table = editor.colours.ColourTable;
  table[0][0][3] = 69;  // V 69: white letters
  table[0][1][2] = 70;  // V 70: black letters
  table[3][26][1] = 200;
  editor.colours.ColourPageNames[3] = QStringLiteral("肌色");
  editor.colours.ColourPageNames[5] = QStringLiteral("肌色");
  table[5][26][1] = 9;
  cw().FillFromDictionary();
  cw().Command3->click();
  EXPECT_EQ(cw().Combo1->count(), 10);
  EXPECT_EQ(cw().Combo1->currentText(), QStringLiteral(" 0."));
  EXPECT_EQ(letters(0), QColor(255, 255, 255));
  EXPECT_EQ(letters(1), QColor(0, 0, 0));
  EXPECT_EQ(cw().COLINDEX[26]->text(), QStringLiteral("["));

  // Two pages of the same name: the chosen entry decides the page.
  emit cw().Combo1->activated(5);
  EXPECT_EQ(editor.colours.CurrentColourPage, 5);
  EXPECT_EQ(cw().COLINDEX[26]->palette().color(QPalette::Window), QColor(9, 0, 0));
  emit cw().Combo1->activated(3);
  clickOn(cw().COLINDEX[26]);  // read mode takes the colour
  EXPECT_EQ(editor.Color1, (Rgb{200, 0, 0}));

  cw().Command4->click();
  EXPECT_EQ(cw().WriteMode, 1);
  EXPECT_TRUE(cw().Command4->isHidden());
  editor.Color1 = {1, 2, 3};
  clickOn(cw().COLINDEX[4]);  // write mode stores Color1
  EXPECT_EQ((Rgb{table[3][4][1], table[3][4][2], table[3][4][3]}), (Rgb{1, 2, 3}));
  EXPECT_EQ(letters(4), QColor(255, 255, 255));
  EXPECT_EQ(editor.Color1, (Rgb{1, 2, 3}));
  clickOn(cw().Label7);
  EXPECT_EQ(cw().WriteMode, 0);
  EXPECT_TRUE(cw().Command4->isVisible());
}

TEST_F(ColourWindowTest, RenamingRefusesANameInUse) {
  editor.colours = ColourDictionary{};
  cw().FillFromDictionary();
  cw().Command3->click();
  QLineEdit* edit = cw().Combo1->lineEdit();
  edit->setText(QStringLiteral("基本色"));
  typeInCombo(Qt::Key_Return);
  EXPECT_EQ(editor.colours.ColourPageNames[0], QStringLiteral("基本色"));
  EXPECT_EQ(cw().Combo1->itemText(0), QStringLiteral("基本色"));
  EXPECT_EQ(cw().Combo1->count(), 10);

  emit cw().Combo1->activated(2);
  edit->setText(QStringLiteral("基本色"));
  prompter.answer(Answer::Ok);
  typeInCombo(Qt::Key_Tab);
  EXPECT_EQ(prompter.lastMessage().text, QStringLiteral("既にその名前は使われています"));
  EXPECT_EQ(prompter.lastMessage().title, QStringLiteral("Tupa "));
  EXPECT_EQ(editor.colours.ColourPageNames[2], QStringLiteral(" 2."));
  EXPECT_EQ(cw().Combo1->itemText(2), QStringLiteral(" 2."));
  // The colour file would read an apostrophe as the start of a comment.
  edit->clear();
  typeInCombo(Qt::Key_Apostrophe, QStringLiteral("'"));
  EXPECT_EQ(edit->text(), QString());
}

// The combo box matches typed text against its entries when editing ends
// (Enter, or the focus leaving it, which the message box itself causes): a
// refused name must not switch to the page that has it.
TEST_F(ColourWindowTest, RefusedNameKeepsThePageWhicheverWayTheEditEnds) {
  editor.colours = ColourDictionary{};
  editor.colours.ColourPageNames[2] = QStringLiteral("空");
  editor.colours.ColourPageNames[5] = QStringLiteral("海");
  cw().FillFromDictionary();
  cw().Command3->click();
  QApplication::setActiveWindow(&cw());
  QLineEdit* edit = cw().Combo1->lineEdit();
  const auto typeIntoFocusedBox = [&](const QString& text) {
    cw().Combo1->setFocus(Qt::OtherFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), cw().Combo1);
    edit->setText(text);
  };
  // What the user sees while the message is up; a real one takes the focus.
  const auto whileShown = [&](const MessageRequest&) {
    EXPECT_EQ(edit->text(), QStringLiteral("空"));
    QFocusEvent ev(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(cw().Combo1, &ev);
  };
  const auto expectPage2 = [&](const char* how, const QString& name = QStringLiteral("空")) {
    EXPECT_EQ(editor.colours.CurrentColourPage, 2) << how;
    EXPECT_EQ(cw().Combo1->currentIndex(), 2) << how;
    EXPECT_EQ(cw().Combo1->currentText(), name) << how;
    EXPECT_EQ(editor.colours.ColourPageNames[2], name) << how;
    EXPECT_EQ(cw().Combo1->itemText(2), name) << how;
    EXPECT_EQ(editor.colours.ColourPageNames[5], QStringLiteral("海")) << how;
  };
  emit cw().Combo1->activated(2);
  for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Tab}) {
    typeIntoFocusedBox(QStringLiteral("海"));
    prompter.answer(Answer::Ok, whileShown);
    typeInCombo(key);
    expectPage2("key");
  }
  typeIntoFocusedBox(QStringLiteral("海"));
  prompter.answer(Answer::Ok, whileShown);
  cw().Command4->setFocus(Qt::MouseFocusReason);  // clicking elsewhere
  expectPage2("click elsewhere");
  EXPECT_EQ(prompter.messages().size(), 4u);
  // Opening the list is choosing a page, not a rename: the old name comes back
  // without a message over the list.
  typeIntoFocusedBox(QStringLiteral("海"));
  QFocusEvent toList(QEvent::FocusOut, Qt::PopupFocusReason);
  QCoreApplication::sendEvent(cw().Combo1, &toList);
  expectPage2("list opened");
  EXPECT_EQ(prompter.messages().size(), 4u);

  // The next rename renames the page shown; leaving the box commits it too.
  typeIntoFocusedBox(QStringLiteral("雲"));
  cw().Command4->setFocus(Qt::MouseFocusReason);
  expectPage2("renamed", QStringLiteral("雲"));
}

TEST_F(ColourWindowTest, CanvasPicksPalettesAndBusyWindowReachTheColourWindow) {
  editor.settings.CDSP = 1;
  raster::SetPixelV(editor.DRAW, 20, 20, raster::rgb(12, 34, 56));
  press(20, 20, Qt::RightButton);
  EXPECT_EQ(editor.Color1, (Rgb{12, 34, 56}));
  EXPECT_EQ(cw().TAR_COL->colour(), QColor(12, 34, 56));

  clickOn(cw().DES_COL);
  cw().Command2->click();
  raster::SetPixelV(editor.DRAW, 30, 20, raster::rgb(90, 80, 70));
  move(30, 20, Qt::NoButton);
  key(Qt::Key_1);
  EXPECT_EQ(cw().TAR_COL->colour(), QColor(90, 80, 70));
  EXPECT_EQ(cw().R_BAR->value(), 255) << "the bars still show Color2";
  key(Qt::Key_2);
  EXPECT_EQ(cw().DES_COL->colour(), QColor(90, 80, 70));
  EXPECT_EQ(cw().R_BAR->value(), 90);

  win->waitWin->Open(QStringLiteral("合成中"));
  EXPECT_FALSE(cw().isEnabled());
  win->waitWin->Close();
  EXPECT_TRUE(cw().isEnabled());

  editor.settings.CDSP = 0;
  press(20, 20, Qt::RightButton);
  EXPECT_FALSE(cw().isVisible());
  press(20, 20, Qt::RightButton);
  EXPECT_TRUE(cw().isVisible());
}

TEST_F(MainWindowTest, ColourWindowPlaceAndPanelComeFromAndGoBackToTheSettings) {
  writeConfig(QStringLiteral("FEMD , 1\nCOWL , 1500\nCOWT , 3000\nCSEL , 1"));
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  COL_WIN& cw = *colWin;
  const double tpp = win->twipsPerPixel();
  const QPoint place(std::lround(1500 / tpp), std::lround(3000 / tpp));
  EXPECT_EQ(cw.geometry().topLeft(), place);
  EXPECT_TRUE(cw.CSEL_BASE[1]->isVisible());
  EXPECT_FALSE(cw.CSEL_BASE[0]->isVisible());
  EXPECT_EQ(cw.B_VAL->text(), QStringLiteral(" 0"));

  cw.Command3->click();
  cw.setGeometry(QRect(place + QPoint(10, 20), cw.size()));
  prompter.answer(Answer::Yes);
  ASSERT_TRUE(win->QuitRoutine());
  const QString cnf = readConfig();
  for (const QString& line : {QStringLiteral("COWL ,  %1").arg(std::lround((place.x() + 10) * tpp)),
                              QStringLiteral("COWT ,  %1").arg(std::lround((place.y() + 20) * tpp)),
                              QStringLiteral("CSEL ,  2")})
    EXPECT_TRUE(cnf.contains(line)) << line.toStdString() << "\n" << cnf.toStdString();
}

// Once framed, the colour window keeps its title bar on the screen and the
// palette stands directly below its frame.
TEST_F(MainWindowTest, PaletteStandsBelowTheFramedColourWindow) {
  writeConfig(QStringLiteral("FEMD , 1\nCOWT , 0"));
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  const QWidget& colour = *colWin;
  const QWidget& palette = *cmdWin;
  const int screenTop = colour.screen()->availableGeometry().top();
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 300) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  if (colour.frameGeometry() == colour.geometry()) GTEST_SKIP() << "no window frames here";
  EXPECT_EQ(colour.frameGeometry().top(), screenTop);
  EXPECT_EQ(palette.frameGeometry().top(), colour.frameGeometry().bottom() + 1);
}

}  // namespace
}  // namespace tupalo
