// The picture size window opened from the palette's size button: what it
// shows at every opening, the size boxes, the ratio coupling, and what OK,
// Cancel and the refusals do to the picture and the other windows.
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "editor/dialogs/SIZE_WIN.h"
#include "editor/palette/PaletteFixture.h"

namespace tupalo {
namespace {

class SizeWindowTest : public PaletteTest {
 protected:
  SIZE_WIN& open(int w = 640, int h = 480) {
    palette();
    editor.PIC = raster::Surface(w, h);
    editor.PIC.fillRect(1, 1, 1, 1, 0xFF102030u);
    win->ResetViewAfterLoad();
    palette().FILE_B_Click(4);
    return *windows->sizeWin;
  }
  bool mainWindowsEnabled() {
    return win->isEnabled() && palette().isEnabled() && colWin->isEnabled();
  }
  static void type(QLineEdit* box, const QString& text) {
    box->selectAll();
    for (QChar c : text) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
      QCoreApplication::sendEvent(box, &press);
    }
  }
};

TEST_F(SizeWindowTest, EveryOpeningStartsAfreshAndCancelChangesNothing) {
  SIZE_WIN& s = open();
  EXPECT_TRUE(s.isVisible());
  EXPECT_EQ(s.windowTitle(), QStringLiteral("Tupa "));
  EXPECT_EQ(s.X_SIZE->text(), QStringLiteral(" 640"));
  EXPECT_EQ(s.Y_SIZE->text(), QStringLiteral(" 480"));
  EXPECT_FALSE(mainWindowsEnabled());
  s.XY_MAG->setChecked(true);
  s.EXP_FLAG->click();
  EXPECT_TRUE(s.EXP_MODE[2]->isEnabled());
  s.EXP_MODE[2]->click();
  EXPECT_EQ(s.SelectedMode, 2);
  type(s.X_SIZE, QStringLiteral("10"));
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(&s, &esc);
  EXPECT_FALSE(s.isVisible());
  EXPECT_TRUE(mainWindowsEnabled());
  EXPECT_EQ(editor.PicSize, (Pair{640, 480}));

  palette().FILE_B_Click(4);
  EXPECT_FALSE(s.XY_MAG->isChecked());
  EXPECT_FALSE(s.EXP_FLAG->isChecked());
  EXPECT_TRUE(s.EXP_MODE[0]->isChecked());
  EXPECT_EQ(s.SelectedMode, 0);
  for (QRadioButton* b : s.EXP_MODE) EXPECT_FALSE(b->isEnabled());
  EXPECT_EQ(s.X_SIZE->text(), QStringLiteral(" 640"));
  s.close();  // the title bar's button
  EXPECT_FALSE(s.isVisible());
  EXPECT_TRUE(mainWindowsEnabled());
}

TEST_F(SizeWindowTest, BoxesTakeDigitsOnlyAndTheRatioTruncates) {
  SIZE_WIN& s = open();
  type(s.X_SIZE, QStringLiteral("3a2-0"));
  EXPECT_EQ(s.X_SIZE->text(), QStringLiteral("320"));
  EXPECT_EQ(s.Y_SIZE->text(), QStringLiteral(" 480"));  // no coupling while unticked
  s.X_SIZE->selectAll();
  s.X_SIZE->insert(QStringLiteral("1 2x3"));  // pasted
  EXPECT_EQ(s.X_SIZE->text(), QStringLiteral("123"));
  s.XY_MAG->setChecked(true);
  for (auto [typed, coupled] : {std::pair{"320", " 240"}, {"100", " 75"}, {"333", " 249"}}) {
    type(s.X_SIZE, QLatin1String(typed));
    EXPECT_EQ(s.Y_SIZE->text(), QLatin1String(coupled));
    EXPECT_EQ(s.X_SIZE->text(), QLatin1String(typed));  // not filled back from Y
  }
  type(s.Y_SIZE, QStringLiteral("5"));
  EXPECT_EQ(s.X_SIZE->text(), QStringLiteral(" 6"));
  type(s.X_SIZE, QStringLiteral("123456789012345678901234567890"));
  EXPECT_EQ(SizeBoxValue(s.X_SIZE->text()), kSizeValueCap);
  EXPECT_GT(SizeBoxValue(s.Y_SIZE->text()).value_or(0), 32767);
}

TEST_F(SizeWindowTest, EmptyZeroAndHugeSizesAreRefusedAndTheWindowStays) {
  SIZE_WIN& s = open();
  const raster::Surface before = editor.PIC;
  s.Y_SIZE->clear();
  prompter.answer(Answer::Ok);
  s.OK->click();
  EXPECT_EQ(prompter.lastMessage(),
            (MessageRequest{QStringLiteral("Tupalo"),
                            QStringLiteral("PictureSize の値が異常です\n再入力してください")}));
  for (const char* y : {"0", "32768", "99999999999999999999"}) {
    s.Y_SIZE->setText(QLatin1String(y));
    prompter.answer(Answer::Ok);
    s.OK->click();
    EXPECT_EQ(prompter.lastMessage().title, QStringLiteral("Tupa "));
    EXPECT_TRUE(prompter.lastMessage().text.startsWith(QStringLiteral("PictureSize の値が")));
  }
  EXPECT_TRUE(s.isVisible());
  EXPECT_FALSE(mainWindowsEnabled());
  EXPECT_EQ(editor.PIC, before);
  EXPECT_EQ(SizeRefusal(32767, 1), std::nullopt);
}

TEST_F(SizeWindowTest, OkCutsOrScalesAndClosesWithUndoOff) {
  SIZE_WIN& s = open(8, 6);
  editor.UndoAvailable = 1;
  s.X_SIZE->setText(QStringLiteral("12"));
  s.OK->click();
  EXPECT_FALSE(s.isVisible());
  EXPECT_TRUE(mainWindowsEnabled());
  EXPECT_EQ(editor.PicSize, (Pair{12, 6}));
  EXPECT_EQ(editor.UndoAvailable, 0);
  EXPECT_EQ(editor.PIC.pixel(1, 1), 0xFF102030u);
  EXPECT_EQ(editor.PIC.pixel(11, 5), 0xFFFFFFFFu);

  palette().FILE_B_Click(4);
  s.EXP_FLAG->click();
  s.EXP_MODE[1]->click();
  s.X_SIZE->setText(QStringLiteral("24"));
  s.Y_SIZE->setText(QStringLiteral("12"));
  s.OK->click();
  EXPECT_EQ(editor.PicSize, (Pair{24, 12}));
  EXPECT_EQ(editor.PIC.pixel(2, 3), 0xFF102030u);  // doubled: (1, 1) covers 2..3
  EXPECT_EQ(editor.PIC.pixel(4, 4), 0xFFFFFFFFu);
}

TEST_F(SizeWindowTest, WithoutTrustworthyStretchingOnlyCuttingIsOffered) {
  palette();
  editor.settings.SZWM = 0;
  SIZE_WIN& s = open();
  EXPECT_FALSE(s.XY_MAG->isVisible());
  EXPECT_FALSE(s.EXP_FLAG->isVisible());
  EXPECT_FALSE(s.EXP_MODE_FLM->isVisible());
  EXPECT_TRUE(s.PS_Flame->isVisible());
  s.CANCEL->click();
}

}  // namespace
}  // namespace tupalo
