// The busy window: its progress bar pixels, its caption and place, and the
// windows it keeps disabled.
#include <QGroupBox>
#include <QScreen>
#include <stdexcept>

#include "editor/core/MainWindowFixture.h"
#include "editor/core/WAIT_WIN.h"
#include "editor/palette/CMD_WIN.h"

namespace tupalo {
namespace {

const QColor kCyan(0, 255, 255);

// Share of the bar's inner width, from the left, that is light cyan; -1 when
// the rest is not all button face.
double cyanShare(const ProgressSurface& bar) {
  const QImage& img = bar.image();
  const QRgb face = bar.palette().color(QPalette::Button).rgb();
  int cyan = 0;
  while (cyan < img.width() && img.pixel(cyan, 0) == kCyan.rgb()) ++cyan;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.pixel(x, y) != (x < cyan ? kCyan.rgb() : face)) return -1;
  return double(cyan) / img.width();
}

TEST_F(MainWindowTest, ProgressBarFillsKeepsLongerBarsAndEmpties) {
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  WAIT_WIN& w = *win->waitWin;
  w.Open(QStringLiteral("合成中"));
  const ProgressSurface& bar = *w.BAR;
  ASSERT_FALSE(bar.image().isNull());
  EXPECT_EQ(bar.image().size(), bar.contentsRect().size());
  EXPECT_EQ(cyanShare(bar), 0.0);
  w.ShowProgress(4, 1);
  EXPECT_EQ(cyanShare(bar), 0.25);
  w.ShowProgress(4, 3);
  w.ShowProgress(4, 2);  // shorter: the longer bar stays
  EXPECT_EQ(cyanShare(bar), 0.75);
  w.ShowProgress(10, 10);
  EXPECT_EQ(cyanShare(bar), 1.0);
  // What is on screen is what the bar holds.
  const QImage shown = w.BAR->grab().toImage();
  const QPoint inside = bar.contentsRect().center();
  EXPECT_EQ(shown.pixelColor(inside), kCyan);
  w.ShowProgress(0, 0);
  EXPECT_EQ(cyanShare(bar), 0.0);
  w.Close();
}

TEST_F(MainWindowTest, BusyWindowCaptionPlaceAndDisabledWindows) {
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  WAIT_WIN& w = *win->waitWin;
  w.Open(QStringLiteral("印刷データ出力中"));
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Tupa 実行中"));
  EXPECT_EQ(w.FRAME->title(), QStringLiteral("印刷データ出力中"));
  const QRect screen = win->screen()->geometry();
  const QRect outer = w.frameGeometry();
  EXPECT_EQ(outer.x(), screen.x() + (screen.width() - outer.width()) / 2);
  EXPECT_EQ(outer.y(), screen.y() + (screen.height() - outer.height()) / 2);
  EXPECT_FALSE(win->isEnabled());
  EXPECT_FALSE(cmdWin->isEnabled());
  EXPECT_TRUE(w.isEnabled());
  w.close();  // the window manager's close does not end the wait
  EXPECT_TRUE(w.isVisible());
  w.Close();
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(win->isEnabled());
  EXPECT_TRUE(cmdWin->isEnabled());
}

TEST_F(MainWindowTest, BusyScopeReenablesOnEveryWayOut) {
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  WAIT_WIN& w = *win->waitWin;
  try {
    BusyScope busy(w, QStringLiteral("Change Color処理中"));
    throw std::runtime_error("ended early");
  } catch (const std::runtime_error&) {
  }
  EXPECT_FALSE(w.isOpen());
  EXPECT_TRUE(win->isEnabled());
  EXPECT_TRUE(cmdWin->isEnabled());

  // A nested use keeps the windows disabled until the outer one ends.
  {
    BusyScope outer(w, QStringLiteral("合成中"));
    { BusyScope inner(w, QStringLiteral("タイマー保存中")); }
    EXPECT_FALSE(win->isEnabled());
    EXPECT_EQ(w.FRAME->title(), QStringLiteral("合成中"));
  }
  EXPECT_TRUE(win->isEnabled());

  // A palette another window had disabled stays disabled.
  cmdWin->setEnabled(false);
  { BusyScope busy(w, QStringLiteral("合成中")); }
  EXPECT_TRUE(win->isEnabled());
  EXPECT_FALSE(cmdWin->isEnabled());
}

}  // namespace
}  // namespace tupalo
