// The timed autosave: countdown, target file, and what a failed write leaves.
#include <QFile>
#include <QGroupBox>

#include "editor/core/MainWindowFixture.h"
#include "editor/core/Undo.h"
#include "editor/core/WAIT_WIN.h"
#include "editor/palette/CMD_WIN.h"
#include "platform/AtomicFile.h"

namespace tupalo {
namespace {

QByteArray fileBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class AutosaveTest : public MainWindowTest {
 protected:
  void TearDown() override { setWriteFaultInjector({}); }
  void tick(int times = 1) {
    for (int i = 0; i < times; ++i) Timer2_Timer(*win);
  }
  QString recoveryFile() const { return app + QStringLiteral("/AUTOSAVE.BMP"); }
  // The saved file holds the picture as it is in the editor.
  void expectSavedPicture(const QString& path) {
    raster::Surface saved;
    ASSERT_FALSE(readPictureFile(path, saved).has_value()) << path.toStdString();
    EXPECT_TRUE(saved == editor.PIC);
  }
};

TEST_F(AutosaveTest, FirstSaveComesOnTheIntervalsTickAndTheCountStartsAgain) {
  writeConfig(QStringLiteral("ASAT ,  3"));
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  EXPECT_TRUE(win->Timer2.isActive());
  EXPECT_EQ(win->Timer2.interval(), 60000);
  raster::SetPixelV(editor.PIC, 7, 7, raster::rgb(200, 0, 0));
  tick(2);
  EXPECT_FALSE(QFile::exists(recoveryFile()));
  bool looked = false;  // at the busy window while the file is written
  setWriteFaultInjector([&](qint64) {
    looked = true;
    EXPECT_TRUE(win->waitWin->isVisible());
    EXPECT_EQ(win->waitWin->windowTitle(), QStringLiteral("Tupa 実行中"));
    EXPECT_EQ(win->waitWin->FRAME->title(), QStringLiteral("タイマー保存中"));
    EXPECT_FALSE(win->isEnabled());
    return true;
  });
  tick();
  EXPECT_TRUE(looked);
  setWriteFaultInjector({});
  expectSavedPicture(recoveryFile());
  EXPECT_EQ(editor.AutosaveCountdown, 3);
  EXPECT_FALSE(win->waitWin->isVisible());
  EXPECT_TRUE(win->isEnabled());

  QFile::remove(recoveryFile());
  tick(2);
  EXPECT_FALSE(QFile::exists(recoveryFile()));
  tick();
  EXPECT_TRUE(QFile::exists(recoveryFile()));
}

TEST_F(AutosaveTest, OwnFileModeWithoutANameUsesTheRecoveryFile) {
  writeConfig(QStringLiteral("ASAM ,  1\nASAT ,  1"));
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  tick();
  expectSavedPicture(recoveryFile());
}

TEST_F(AutosaveTest, OwnFileModeWritesThePicturesFile) {
  writeConfig(QStringLiteral("ASAM ,  1\nASAT ,  1"));
  const QString path = writePicture(QStringLiteral("mine.bmp"), 9, 6);
  ASSERT_EQ(start(path), P_WIN::StartResult::Running);
  raster::SetPixelV(editor.PIC, 4, 2, raster::rgb(0, 90, 180));
  tick();
  expectSavedPicture(path);
  EXPECT_FALSE(QFile::exists(recoveryFile()));
}

TEST_F(AutosaveTest, AnIconIsNotOverwrittenWithABitmap) {
  writeConfig(QStringLiteral("ASAM ,  1\nASAT ,  1"));
  const QString path = writePicture(QStringLiteral("face.ico"), 9, 6);
  const QByteArray before = fileBytes(path);
  ASSERT_EQ(start(path), P_WIN::StartResult::Running);
  raster::SetPixelV(editor.PIC, 4, 2, raster::rgb(0, 90, 180));
  tick();
  EXPECT_EQ(fileBytes(path), before);
  expectSavedPicture(recoveryFile());
}

// The old file survives, and the user hears that the save did not happen:
// someone who trusts the autosave would otherwise lose work unawares.
TEST_F(AutosaveTest, FailedWriteKeepsTheFileAndSaysWhy) {
  writeConfig(QStringLiteral("ASAM ,  1\nASAT ,  2"));
  const QString path = writePicture(QStringLiteral("mine.bmp"), 40, 30);
  const QByteArray before = fileBytes(path);
  ASSERT_EQ(start(path), P_WIN::StartResult::Running);
  raster::SetPixelV(editor.PIC, 4, 2, raster::rgb(0, 90, 180));
  // The disk fills up after the header went out.
  setWriteFaultInjector([](qint64 written) { return written == 0; });
  // The message comes after the busy window has gone; the clock ticks on while
  // it waits, without a second save or a second message.
  prompter.answer(Answer::Ok, [&](const MessageRequest&) {
    EXPECT_FALSE(win->waitWin->isOpen());
    tick(3);
  });
  tick(2);
  EXPECT_EQ(fileBytes(path), before);
  ASSERT_EQ(prompter.messages().size(), 1u);
  EXPECT_EQ(prompter.lastMessage().text,
            path + QStringLiteral("\nタイマー保存できませんでした\n理由 : ディスクの容量不足です"));
  EXPECT_EQ(prompter.lastMessage().icon, Icon::Exclamation);
  EXPECT_EQ(prompter.lastMessage().title, QStringLiteral("Tupa "));
  EXPECT_EQ(editor.AutosaveCountdown, 2);
  EXPECT_FALSE(win->waitWin->isOpen());
  EXPECT_TRUE(win->isEnabled());
  EXPECT_TRUE(cmdWin->isEnabled());
}

TEST_F(AutosaveTest, TickDuringAnotherBusyOperationWaitsForTheNext) {
  writeConfig(QStringLiteral("ASAT ,  1"));
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  {
    BusyScope rotation(*win->waitWin, QStringLiteral("90°左回転処理中"));
    tick();
    EXPECT_FALSE(QFile::exists(recoveryFile()));
    EXPECT_EQ(win->waitWin->FRAME->title(), QStringLiteral("90°左回転処理中"));
  }
  tick();
  EXPECT_TRUE(QFile::exists(recoveryFile()));
}

}  // namespace
}  // namespace tupalo
