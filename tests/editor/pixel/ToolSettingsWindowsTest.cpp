// The tool settings windows, opened by right clicks on the palette's tool
// buttons, and what their bars and buttons do to the settings the tools read.
#include <QGroupBox>

#include "editor/palette/PaletteFixture.h"
#include "editor/pixel/ToolSettingsWindows.h"

namespace tupalo {
namespace {

class ToolSettingsWindowsTest : public PaletteTest {
 protected:
  // The palette's tool button `button` of group `group`, clicked with `b`.
  void pick(int group, int button, Qt::MouseButton b = Qt::LeftButton) {
    palette().ROOT_B_Click(group);
    clickWith(cmdWin->CMD_B[button], b);
  }
  template <class W>
  W& window(SettingsWindow kind) {
    return *static_cast<W*>(windows->settingsWindow(kind));
  }
};

TEST_F(ToolSettingsWindowsTest, RightClickOpensTheToolsOwnWindowAndAnotherToolClosesIt) {
  palette().setGeometry(QRect(QPoint(200, 120), cmdWin->size()));
  pick(4, 21, Qt::RightButton);
  auto& spray = window<SPRAY_WIN>(SettingsWindow::Spray);
  ASSERT_TRUE(spray.isVisible());
  EXPECT_EQ(editor.ToolCode, 21);
  EXPECT_EQ(spray.windowTitle(), QStringLiteral("Tupa  Spray設定"));
  EXPECT_EQ(spray.findChild<QGroupBox*>()->title(), QStringLiteral("強さ"));
  // 15 twips (a pixel here) up and left of the palette.
  ASSERT_EQ(win->twipsPerPixel(), 15.0);
  EXPECT_EQ(spray.geometry().topLeft(), QPoint(199, 119));
  // The right end sprays every millisecond, the left end every second.
  spray.I_BAR->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(editor.settings.SPRI, 1);
  spray.I_BAR->triggerAction(QAbstractSlider::SliderToMinimum);
  EXPECT_EQ(editor.settings.SPRI, 1000);
  clickWith(spray.Command3, Qt::LeftButton);
  EXPECT_EQ(editor.settings.SPRI, 3);

  pick(4, 23);  // another tool, chosen with the left button
  EXPECT_FALSE(spray.isVisible());
  EXPECT_FALSE(spray.loaded());
  pick(4, 23, Qt::RightButton);
  auto& fuzzy = window<FUZZY_WIN>(SettingsWindow::Fuzzy);
  ASSERT_TRUE(fuzzy.isVisible());
  fuzzy.S_BAR->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(editor.settings.FUZS, 26);
  EXPECT_EQ(fuzzy.S_VAL->text(), QStringLiteral(" 26"));
  editor.settings.FUZV = 40;
  clickWith(fuzzy.Command3, Qt::LeftButton);
  EXPECT_EQ((std::tuple(editor.settings.FUZH, editor.settings.FUZS, editor.settings.FUZV)),
            std::tuple(10, 10, 10));
  EXPECT_EQ(fuzzy.S_VAL->text(), QStringLiteral(" 10"));
  pick(6, 24);  // Fuzzy Change Color shares the window
  EXPECT_TRUE(fuzzy.isVisible());
  pick(0, 0);
  EXPECT_FALSE(fuzzy.isVisible());
}

TEST_F(ToolSettingsWindowsTest, QuitHidesTheOpenWindowCancelBringsItBackAndTheValuesAreSaved) {
  writeConfig(QStringLiteral("FUZH , 999\nSPRI , 0\nHSET , 500\nTHPD , -3"));
  palette();
  const Settings& s = editor.settings;
  EXPECT_EQ((std::tuple(s.FUZH, s.SPRI, s.HSET, s.THPD)), std::tuple(180, 1, 200, 0));

  pick(6, 31, Qt::RightButton);  // V Box
  auto& hset = window<HSET_WIN>(SettingsWindow::Hset);
  EXPECT_EQ(hset.H_VAL->text(), QStringLiteral(" 200"));
  clickWith(hset.Command3, Qt::LeftButton);
  EXPECT_EQ(s.HSET, 50);
  hset.H_BAR->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(hset.H_VAL->text(), QStringLiteral(" 60"));
  prompter.answer(Answer::Cancel, [&](const MessageRequest&) { EXPECT_FALSE(hset.isVisible()); });
  EXPECT_FALSE(win->QuitRoutine());
  EXPECT_TRUE(hset.isVisible());

  pick(6, 35, Qt::RightButton);  // Thru Pen
  EXPECT_FALSE(hset.isVisible());
  auto& deep = window<DEEP_WIN>(SettingsWindow::Deep);
  EXPECT_EQ(deep.windowTitle(), QStringLiteral("Tupa  Fuzzy設定"));
  deep.DEEP_BAR->triggerAction(QAbstractSlider::SliderToMaximum);
  prompter.answer(Answer::Yes);
  EXPECT_TRUE(win->QuitRoutine());
  EXPECT_FALSE(deep.loaded());
  const QString cnf = readConfig();
  for (const char* line : {"FUZH ,  180 ", "SPRI ,  1 ", "HSET ,  60 ", "THPD ,  100 "})
    EXPECT_TRUE(cnf.contains(QString::fromUtf8(line))) << line;
}

}  // namespace
}  // namespace tupalo
