// The chroma-key merge: the per-pixel rule in each placement, and the window's
// flow from the palette's button to the saved picture.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>

#include "editor/core/MainWindowFixture.h"
#include "editor/dialogs/MERG_WIN.h"
#include "editor/dialogs/MergeMath.h"

namespace tupalo {
namespace {

constexpr raster::Pixel kRed = 0xFFFF0000u, kBlue = 0xFF0000FFu, kWhite = 0xFFFFFFFFu;
constexpr raster::Pixel kBlack = 0xFF000000u;
const raster::ColourRef kRedKey = raster::rgb(255, 0, 0);

// A second picture whose every pixel tells where it came from.
raster::Surface numbered(int w, int h) {
  raster::Surface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      s.setPixel(x, y, raster::kOpaque | (uint32_t(x) << 8) | uint32_t(y));
  return s;
}

TEST(MergeRule, EditedOnTopLetsTheSecondPictureThroughItsKeyPixelsOnly) {
  // Left half red, right half blue: blue must not pass for the red key.
  raster::Surface pic(20, 12, kRed);
  pic.fillRect(10, 0, 10, 12, kBlue);
  const raster::Surface second = numbered(15, 8);
  raster::Surface top = pic;
  MergeInto(top, second, MergeStep(MergePlacement::TopLeft, 20, 12, 15, 8), false, true, kRedKey);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x) {
      const raster::Pixel want = x < 10 && y < 8 ? second.pixel(x, y) : pic.pixel(x, y);
      ASSERT_EQ(top.pixel(x, y), want) << x << "," << y;
    }
  // Tiled: every red pixel, from (x mod 15, y mod 8); the top option is forced.
  raster::Surface tiled = pic;
  MergeInto(tiled, second, 1.0, true, false, kRedKey);
  EXPECT_EQ(tiled.pixel(9, 11), second.pixel(9, 3));
  EXPECT_EQ(tiled.pixel(12, 11), kBlue);
}

TEST(MergeRule, FittedPlacementsSampleHalfToEvenAndStayInside) {
  // 100 x 50 on 200 x 200 fitted to the height: k = 0.25.
  raster::Surface pic(200, 200, kWhite);
  const raster::Surface second = numbered(100, 50);
  const double k = MergeStep(MergePlacement::FitHeight, 200, 200, 100, 50);
  EXPECT_EQ(k, 0.25);
  MergeInto(pic, second, k, false, true, raster::rgb(255, 255, 255));
  EXPECT_EQ(pic.pixel(2, 6), second.pixel(0, 2));  // 0.5 -> 0, 1.5 -> 2
  // 49.75 rounds to 50: inside the width, kept on the last row of the height.
  EXPECT_EQ(pic.pixel(199, 199), second.pixel(50, 49));
  EXPECT_EQ(pic.pixel(198, 10), second.pixel(50, 2));  // 49.5 -> 50 (even), 2.5 -> 2

  // Fitted to the width, the edited picture below, black keyed out.
  raster::Surface below(6, 6, kRed);
  raster::Surface s2(3, 1, kBlue);
  s2.setPixel(1, 0, kBlack);
  MergeInto(below, s2, MergeStep(MergePlacement::FitWidth, 6, 6, 3, 1), false, false,
            raster::rgb(0, 0, 0));
  // k = 0.5: columns 0..5 sample 0, 0, 1, 2, 2, 2 (the last kept inside); only row 0 and 1 fall in.
  const raster::Pixel row0[] = {kBlue, kBlue, kRed, kBlue, kBlue, kBlue};
  for (int x = 0; x < 6; ++x) EXPECT_EQ(below.pixel(x, 0), row0[x]) << x;
  EXPECT_EQ(below.pixel(0, 2), kRed);
}

class MergeWindowTest : public MainWindowTest {
 protected:
  MERG_WIN& merge() { return *windows->mergWin; }
};

TEST_F(MergeWindowTest, MergeFromThePaletteToTheSavedPicture) {
  // A red frame around a blue inside; the key is picked from the thumbnail.
  raster::Surface pic(64, 48, kRed);
  pic.fillRect(8, 8, 48, 32, kBlue);
  QString error;
  const QString picPath = dir.path() + QStringLiteral("/pic.bmp");
  ASSERT_TRUE(writeBitmapFile(picPath, pic, &error));
  const raster::Surface second = numbered(16, 16);
  const QString secondPath = dir.path() + QStringLiteral("/second.BMP");
  ASSERT_TRUE(writeBitmapFile(secondPath, second, &error));
  ASSERT_EQ(start(picPath), P_WIN::StartResult::Running);
  editor.ViewOrigin = {4, 4};
  win->DoRelayout();

  cmdWin->EFCT_B_Click(4);
  ASSERT_TRUE(merge().isVisible());
  EXPECT_EQ(editor.ToolCode, tool::NoSelect);
  EXPECT_EQ(std::tuple(editor.WORK.width(), editor.WORK.height()), std::tuple(10, 10));
  EXPECT_FALSE(win->isEnabled() || cmdWin->isEnabled() || colWin->isEnabled());
  EXPECT_EQ(merge().Key, editor.Color2);
  EXPECT_TRUE(merge().Option1->isChecked() && merge().Option4->isChecked());

  // An unsupported file keeps the second picture; then the real one.
  prompter.choose(dir.path() + QStringLiteral("/x.ICO")).answer(Answer::Ok);
  merge().Command1_Click();
  EXPECT_EQ(prompter.lastMessage().text, QStringLiteral("サポート外のファイル形式です。"));
  prompter.answer(Answer::Ok);
  merge().LoadSecondPicture(dir.path() + QStringLiteral("/missing.bmp"));
  EXPECT_EQ(prompter.lastMessage().text,
            QStringLiteral("ファイルが存在しない又はメモリ不足です 読み込みを中止します\n") +
                dir.path() + QStringLiteral("/missing.bmp"));
  EXPECT_EQ(editor.WORK.width(), 10);
  prompter.choose(secondPath);
  merge().Command1_Click();
  EXPECT_EQ(editor.WORK, second);

  merge().BASE_IMG_MouseDown(1, 1);  // the red frame
  EXPECT_EQ(merge().Key, (Rgb{255, 0, 0}));
  merge().Option6->click();
  EXPECT_TRUE(merge().Option4->isChecked());
  EXPECT_FALSE(merge().Option4->isEnabled() || merge().Option5->isEnabled());
  merge().Command2->click();

  EXPECT_FALSE(merge().isVisible());
  EXPECT_TRUE(win->isEnabled() && cmdWin->isEnabled() && colWin->isEnabled());
  EXPECT_EQ(editor.ViewOrigin, (Pair{0, 0}));
  EXPECT_EQ(editor.UndoAvailable, 0);
  const QString out = dir.path() + QStringLiteral("/out.bmp");
  ASSERT_TRUE(win->SaveImage(out));
  raster::Surface saved;
  ASSERT_FALSE(readPictureFile(out, saved));
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) {
      const raster::Pixel want = pic.pixel(x, y) == kRed ? second.pixel(x % 16, y % 16) : kBlue;
      ASSERT_EQ(saved.pixel(x, y), want) << x << "," << y;
    }
}

TEST_F(MergeWindowTest, CancelAndTheTitleBarLeaveThePictureAndEnableTheWindows) {
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  const raster::Surface before = editor.PIC;
  cmdWin->EFCT_B_Click(4);
  merge().CANCEL->click();
  EXPECT_TRUE(win->isEnabled() && cmdWin->isEnabled() && colWin->isEnabled());
  cmdWin->EFCT_B_Click(4);
  ASSERT_FALSE(win->isEnabled());
  merge().close();
  EXPECT_TRUE(win->isEnabled() && cmdWin->isEnabled() && colWin->isEnabled());
  cmdWin->EFCT_B_Click(4);
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(&merge(), &escape);
  EXPECT_FALSE(merge().isVisible());
  EXPECT_TRUE(win->isEnabled() && cmdWin->isEnabled() && colWin->isEnabled());
  EXPECT_EQ(editor.PIC, before);
}

}  // namespace
}  // namespace tupalo
