// The effect buttons in the real windows: the turned picture, the busy
// window's captions, no tool and no undo afterwards, and a turn that cannot
// have its memory.
#include <QGroupBox>
#include <QTimer>

#include "editor/core/ToolEngine.h"
#include "editor/core/WAIT_WIN.h"
#include "editor/palette/PaletteFixture.h"
#include "support/AddressSpaceCap.h"

namespace tupalo {
namespace {

using raster::Pixel;
using raster::Surface;

Surface distinct(int w, int h) {
  Surface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.setPixel(x, y, raster::kOpaque | Pixel(y * 1024 + x));
  return s;
}

class EffectsTest : public PaletteTest {
 protected:
  // A picture with a name, a tool chosen and an undo step offered.
  void prepare(const Surface& pic) {
    palette();
    editor.PIC = pic;
    win->ResetViewAfterLoad();
    win->SetCaption(QStringLiteral("/pictures/a.bmp"));
    palette().CMD_B_Click(4);
    editor.UndoAvailable = 1;
    win->EnableUndoButton(UndoButton::Enabled);
  }

  // Clicks an effect button, noting the busy window's captions and the
  // button's face whenever the editor lets events through meanwhile.
  void click(int i) {
    captions.clear();
    pressedFaceSeen = false;
    QTimer spy;
    spy.setInterval(0);
    QObject::connect(&spy, &QTimer::timeout, [&] {
      pressedFaceSeen = pressedFaceSeen || palette().EFCT_B[i]->faceRow() == 1;
      if (!win->waitWin->isOpen()) return;
      const QString t = win->waitWin->FRAME->title();
      if (captions.isEmpty() || captions.last() != t) captions << t;
      EXPECT_FALSE(win->isEnabled());
      EXPECT_FALSE(palette().isEnabled());
    });
    spy.start();
    palette().EFCT_B_Click(i);
  }

  void expectCommonEnd() {
    EXPECT_EQ(editor.ToolCode, tool::NoSelect);
    EXPECT_EQ(editor.UndoAvailable, 0);
    EXPECT_FALSE(palette().UNDO->isEnabled());
    EXPECT_EQ(faces(palette().CMD_B), highlightedOnly(palette().CMD_B, -1));
    EXPECT_EQ(palette().EFCT_B[0]->faceRow(), 0);
    EXPECT_FALSE(win->waitWin->isOpen());
    EXPECT_TRUE(win->isEnabled());
    EXPECT_TRUE(palette().isEnabled());
    EXPECT_TRUE(colWin->isEnabled());
    EXPECT_EQ(win->windowTitle(), QStringLiteral("Tupa :/pictures/a.bmp"));
  }

  QStringList captions;
  bool pressedFaceSeen = false;
};

TEST_F(EffectsTest, RotateRightShowsItsStepsAndFourTurnsGiveThePictureBack) {
  const Surface pic = distinct(301, 173);
  prepare(pic);
  click(0);
  EXPECT_EQ(captions, (QStringList{QStringLiteral("90°右回転処理バッファの確保中"),
                                   QStringLiteral("90°右回転処理中"),
                                   QStringLiteral("90°右回転　表示準備中")}));
  EXPECT_TRUE(pressedFaceSeen);
  expectCommonEnd();
  EXPECT_EQ(editor.PicSize, (Pair{173, 301}));
  EXPECT_EQ(editor.PIC.pixel(172, 0), pic.pixel(0, 0));
  EXPECT_EQ(editor.PIC.pixel(0, 300), pic.pixel(300, 172));
  // The view and its scroll bars fit the new size.
  EXPECT_EQ(win->Y_SC->maximum(), std::max(0, 301 - editor.ViewSize.y));
  EXPECT_EQ(editor.DRAW.pixel(0, 0), editor.PIC.pixel(0, 0));
  for (int k = 0; k < 3; ++k) palette().EFCT_B_Click(0);
  EXPECT_EQ(editor.PIC, pic);
}

TEST_F(EffectsTest, LeftTurnHalfTurnAndMirrorFromThePalette) {
  const Surface pic = distinct(301, 173);
  prepare(pic);
  click(1);
  EXPECT_EQ(captions.value(0), QStringLiteral("90°左回転処理バッファの確保中"));
  EXPECT_EQ(captions.value(2), QStringLiteral("90°左回転　表示準備中"));
  EXPECT_EQ(editor.PIC.pixel(0, 300), pic.pixel(0, 0));
  expectCommonEnd();

  prepare(pic);
  click(2);
  EXPECT_TRUE(captions.isEmpty());  // no busy window for these
  EXPECT_EQ(editor.PIC.pixel(300, 172), pic.pixel(0, 0));
  expectCommonEnd();
  click(2);
  EXPECT_EQ(editor.PIC, pic);

  prepare(pic);
  click(3);
  EXPECT_EQ(editor.PIC.pixel(300, 5), pic.pixel(0, 5));
  expectCommonEnd();
}

// A floating piece or an armed text ends with the click: nothing is stamped
// or written on the turned picture, and neither shows over it.
TEST_F(EffectsTest, EffectsEndAFloatingPieceAndAnArmedText) {
  const Surface pic = distinct(301, 173);
  prepare(pic);
  win->SelectTool(tool::AreaCopy);
  win->engine->MouseDown(Qt::LeftButton, Qt::NoModifier, 10, 10);
  win->engine->MouseMove(Qt::LeftButton, Qt::NoModifier, 49, 39);
  win->engine->MouseUp(Qt::LeftButton, Qt::NoModifier, 49, 39);
  win->engine->MouseMove(Qt::NoButton, Qt::NoModifier, 120, 90);
  ASSERT_EQ(editor.ToolCode, tool::AreaCopyFloating);
  ASSERT_TRUE(editor.WorkShown);
  click(3);
  EXPECT_FALSE(editor.WorkShown);
  EXPECT_EQ(editor.PIC.pixel(300, 5), pic.pixel(0, 5));
  EXPECT_EQ(editor.PIC.pixel(300 - 120, 90), pic.pixel(120, 90));  // no stamp
  expectCommonEnd();

  prepare(editor.PIC);
  ASSERT_TRUE(win->ArmWord(QStringLiteral(" Tupa "), editor.WORD.font, raster::rgb(0, 0, 0)));
  ASSERT_TRUE(editor.WordShown);
  click(2);
  EXPECT_FALSE(editor.WordShown);
  expectCommonEnd();
  win->engine->MouseDown(Qt::LeftButton, Qt::NoModifier, 100, 80);
  win->engine->MouseUp(Qt::LeftButton, Qt::NoModifier, 100, 80);
  click(2);
  click(3);
  EXPECT_EQ(editor.PIC, pic) << "the text was never written";
}

TEST_F(EffectsTest, TurnWithoutMemoryTellsTheUserAndKeepsThePicture) {
  if (!AddressSpaceCap::available()) GTEST_SKIP() << "no address space cap under the sanitizer";
  const Surface pic = distinct(4096, 4096);  // 64 MB
  prepare(pic);
  // Painting may hand work to Qt's own threads; they are started here, as
  // threads that cannot be started under the cap would hang the painting.
  palette().EFCT_B_Click(0);
  palette().EFCT_B_Click(1);
  ASSERT_EQ(editor.PIC, pic);
  editor.WORK = Surface();  // the kept work surface would serve the turn
  prompter.answer(Answer::Ok);
  {
    // Room for a thread's stack or two, not for a work surface.
    const AddressSpaceCap cap(32 << 20);
    ASSERT_TRUE(cap.active());
    click(0);
  }
  EXPECT_EQ(prompter.lastMessage().text,
            QStringLiteral("メモリが不足しているため90°右回転できません。\n画像は元のままです。"));
  EXPECT_EQ(editor.PIC, pic);
  EXPECT_EQ(editor.PicSize, (Pair{4096, 4096}));
  EXPECT_FALSE(win->waitWin->isOpen());
  EXPECT_TRUE(win->isEnabled());
  EXPECT_TRUE(palette().isEnabled());
  EXPECT_TRUE(colWin->isEnabled());
}

}  // namespace
}  // namespace tupalo
