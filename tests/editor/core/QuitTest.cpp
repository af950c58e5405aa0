// The quit routine and the picture file flows of the main window.
#include <QCloseEvent>
#include <QFileInfo>

#include "editor/core/MainWindowFixture.h"
#include "editor/files/PictureFile.h"
#include "platform/AtomicFile.h"

namespace tupalo {
namespace {

const QString kQuitText = QStringLiteral("TUPAを終了します\nファイルを保存せずに終了しますか ?\n");

TEST_F(MainWindowTest, QuitQuestionAndYesRewritesTheSettingsFromTheTemplate) {
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  editor.settings.FUZH = 33;
  editor.colours.ColourPageNames[0] = QStringLiteral("renamed");
  editor.colours.ColourTable[0][0][1] = 17;
  prompter.answer(Answer::Yes);
  EXPECT_TRUE(win->QuitRoutine());
  const MessageRequest& q = prompter.lastMessage();
  EXPECT_EQ(q.title, QStringLiteral("Tupa 終了"));
  EXPECT_EQ(q.text, kQuitText);
  EXPECT_EQ(q.buttons, Buttons::YesNoCancel);
  EXPECT_EQ(q.icon, Icon::Question);
  EXPECT_EQ(q.defaultButton, 2);  // Cancel
  const QString cnf = readConfig();
  EXPECT_TRUE(cnf.contains(QStringLiteral("FUZH ,  33 ")));
  EXPECT_TRUE(
      readFile(app + QStringLiteral("/TUPA.CDI")).contains("\nCNAM , renamed \nCA_R , 17 \n"));
  // The template's comment lines survive the rewrite.
  EXPECT_TRUE(cnf.startsWith(QStringLiteral("'")));
  EXPECT_TRUE(cnf.trimmed().endsWith(QStringLiteral("[EOF]")));
  EXPECT_FALSE(win->Timer2.isActive());
  EXPECT_EQ(editor.Running, 0);
}

TEST_F(MainWindowTest, QuitReportsSettingsThatCouldNotBeWrittenAndKeepsTheOldFile) {
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  const QString before = readConfig();
  const QByteArray coloursBefore = readFile(app + QStringLiteral("/TUPA.CDI"));
  editor.settings.FUZH = 33;
  editor.colours.ColourTable[0][0][1] = 17;
  setWriteFaultInjector([](qint64) { return false; });
  prompter.answer(Answer::Yes).answer(Answer::Ok).answer(Answer::Ok);
  EXPECT_TRUE(win->QuitRoutine());
  setWriteFaultInjector({});
  ASSERT_EQ(prompter.messages().size(), 3u);
  EXPECT_EQ(
      prompter.messages()[1].text,
      app + QStringLiteral(
                "/TUPA.CNF\n設定ファイルを保存できませんでした\n理由 : ディスクの容量不足です"));
  EXPECT_EQ(
      prompter.messages()[2].text,
      app + QStringLiteral(
                "/TUPA.CDI\n色定義ファイルを保存できませんでした\n理由 : ディスクの容量不足です"));
  EXPECT_EQ(prompter.messages()[2].icon, Icon::Exclamation);
  EXPECT_EQ(readConfig(), before);
  EXPECT_EQ(readFile(app + QStringLiteral("/TUPA.CDI")), coloursBefore);
}

TEST_F(MainWindowTest, QuitCancelKeepsEditingAndWritesNothing) {
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  const QString before = readConfig();
  editor.settings.FUZH = 33;
  prompter.answer(Answer::Cancel);
  win->close();
  EXPECT_TRUE(win->isVisible());
  EXPECT_EQ(editor.ClosingRequested, 0);
  EXPECT_EQ(readConfig(), before);
}

TEST_F(MainWindowTest, QuitNoThenCancelledSaveDialogAsksAgain) {
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  prompter.answer(Answer::No).cancelFile().answer(Answer::Cancel);
  EXPECT_FALSE(win->QuitRoutine());
  ASSERT_EQ(prompter.messages().size(), 2u);
  EXPECT_EQ(prompter.messages()[1].text, kQuitText);
  const FileRequest& f = prompter.lastFileRequest();
  EXPECT_TRUE(f.save);
  EXPECT_EQ(f.filter, QStringLiteral("BMP Files(*.BMP)|*.BMP|ICON Files(*.ICO)|*.ICO|"));
  EXPECT_EQ(f.filterIndex, 1);
}

TEST_F(MainWindowTest, QuitNoSavesThePictureThenEnds) {
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  raster::SetPixelV(editor.PIC, 2, 3, raster::rgb(200, 100, 50));
  const QString target = dir.path() + QStringLiteral("/saved at quit.bmp");
  prompter.answer(Answer::No).choose(target);
  EXPECT_TRUE(win->QuitRoutine());
  raster::Surface back;
  ASSERT_FALSE(readPictureFile(target, back).has_value());
  EXPECT_EQ(back, editor.PIC);
  EXPECT_EQ(editor.CurrentFileName, target);
  // The settings remember the saved picture.
  EXPECT_TRUE(readConfig().contains(QStringLiteral("RPNM , ") + target));
}

TEST_F(MainWindowTest, QuitOverwriteQuestionCancelGoesBackToTheQuestion) {
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  const QString target = writePicture(QStringLiteral("exists.bmp"));
  const QByteArray before = [&] {
    QFile f(target);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  }();
  prompter.answer(Answer::No).choose(target).answer(Answer::Cancel).answer(Answer::Cancel);
  EXPECT_FALSE(win->QuitRoutine());
  ASSERT_EQ(prompter.messages().size(), 3u);
  const MessageRequest& over = prompter.messages()[1];
  EXPECT_EQ(over.text, target + QStringLiteral("\nファイルが既に存在しています上書きしますか?"));
  EXPECT_EQ(over.buttons, Buttons::OkCancel);
  EXPECT_EQ(over.defaultButton, 1);
  QFile f(target);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), before);
}

TEST_F(MainWindowTest, QuitWithAFailedSaveReportsAndAsksAgain) {
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  const QString bad = dir.path() + QStringLiteral("/no such folder/x.bmp");
  prompter.answer(Answer::No).choose(bad).answer(Answer::Ok).answer(Answer::Cancel);
  EXPECT_FALSE(win->QuitRoutine());
  ASSERT_EQ(prompter.messages().size(), 3u);
  EXPECT_EQ(prompter.messages()[1].text,
            bad + QStringLiteral(
                      "\nパス又はファイル名が不正です　SAVEできません\n正しく入力し直してください。"
                      "\n理由 : 保存先のフォルダがありません"));
  EXPECT_EQ(prompter.messages()[1].icon, Icon::Exclamation);
  EXPECT_EQ(prompter.messages()[2].text, kQuitText);
  // A name that was never written is not the picture's, nor remembered for
  // the next start.
  EXPECT_TRUE(editor.CurrentFileName.isEmpty());

  // A full disk says so; the file that was there is left as it was.
  const QString full = writePicture(QStringLiteral("full.bmp"));
  const QByteArray before = readFile(full);
  prompter.clearRecord();
  prompter.answer(Answer::No)
      .choose(full)
      .answer(Answer::Ok)
      .answer(Answer::Ok)
      .answer(Answer::Cancel);
  setWriteFaultInjector([](qint64 written) { return written < 54; });
  EXPECT_FALSE(win->QuitRoutine());
  setWriteFaultInjector({});
  ASSERT_EQ(prompter.messages().size(), 4u);
  EXPECT_TRUE(
      prompter.messages()[2].text.endsWith(QStringLiteral("\n理由 : ディスクの容量不足です")));
  EXPECT_EQ(readFile(full), before);
}

TEST_F(MainWindowTest, QuitSavingUnderAnUnsupportedNameDoesNotLoseThePicture) {
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  prompter.answer(Answer::No)
      .choose(dir.path() + QStringLiteral("/x.png"))
      .answer(Answer::Ok)
      .answer(Answer::Cancel);
  EXPECT_FALSE(win->QuitRoutine());
  EXPECT_EQ(prompter.messages()[1].text, QStringLiteral("サポート外のファイル形式です。"));
  EXPECT_EQ(prompter.messages()[2].text, kQuitText);
}

TEST_F(MainWindowTest, SavingAsIcoWritesABitmapFile) {
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  const QString target = dir.path() + QStringLiteral("/photo.ico");
  ASSERT_TRUE(win->SaveImage(target));
  QFile f(target);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.read(2), QByteArray("BM"));
}

TEST_F(MainWindowTest, LoaderResultsForGoodBadMissingAndUnsupportedFiles) {
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  int16_t result = 99;

  const QString good = writePicture(QStringLiteral("Good.Bmp"), 11, 12);
  win->LoadImage(good, result);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(editor.PicSize, (Pair{11, 12}));
  EXPECT_EQ(editor.ViewSize, (Pair{11, 12}));
  EXPECT_EQ(editor.CurrentFileName, good);

  const QString bad = dir.path() + QStringLiteral("/bad.bmp");
  QFile f(bad);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("BM this is not a picture");
  f.close();
  prompter.answer(Answer::Ok);
  win->LoadImage(bad, result);
  EXPECT_EQ(result, -1);
  EXPECT_TRUE(
      prompter.lastMessage().text.startsWith(QStringLiteral("ファイル読み込みエラー ( 481)\n")));
  EXPECT_EQ(editor.PicSize, (Pair{640, 480}));
  EXPECT_EQ(editor.ViewSize.x, std::min(640, editor.ViewSize.x));
  EXPECT_TRUE(editor.CurrentFileName.isEmpty());

  prompter.answer(Answer::Ok);
  win->LoadImage(dir.path() + QStringLiteral("/missing.ICO"), result);
  EXPECT_EQ(result, -5);

  prompter.answer(Answer::Ok);
  win->LoadImage(dir.path(), result);  // a folder
  EXPECT_EQ(result, -2);               // no picture extension
  prompter.answer(Answer::Ok);
  QDir().mkpath(dir.path() + QStringLiteral("/folder.bmp"));
  win->LoadImage(dir.path() + QStringLiteral("/folder.bmp"), result);
  EXPECT_EQ(result, -1);
  EXPECT_EQ(editor.UndoAvailable, 0);
}

TEST_F(MainWindowTest, DroppedFileAsksThenLoads) {
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  const QString path = writePicture(QStringLiteral("dropped.bmp"), 6, 2);
  prompter.answer(Answer::No);
  win->HandleDroppedFile(path);
  EXPECT_EQ(
      prompter.lastMessage().text,
      path + QStringLiteral(
                 "がドロップされました\n現在の画像は保存されませんがそれでもよろしいですか?"));
  EXPECT_EQ(editor.PicSize, (Pair{640, 480}));

  prompter.answer(Answer::Yes);
  win->HandleDroppedFile(path);
  EXPECT_EQ(editor.PicSize, (Pair{6, 2}));
  EXPECT_EQ(editor.CurrentFileName, path);
  EXPECT_EQ(win->windowTitle(), QStringLiteral("Tupa :") + path);
}

TEST_F(MainWindowTest, ReplaceQuestionAndDialogFilters) {
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  prompter.answer(Answer::No).answer(Answer::Yes);
  EXPECT_TRUE(win->ConfirmReplacePicture());
  EXPECT_EQ(prompter.lastMessage().text,
            QStringLiteral("現在表示している画像に上書きされます\nよろしいですか?"));
  EXPECT_EQ(prompter.lastMessage().defaultButton, 1);
  EXPECT_FALSE(win->ConfirmReplacePicture());

  editor.CurrentFileName = QStringLiteral("/x/a.ico");
  prompter.cancelFile().cancelFile();
  EXPECT_TRUE(win->ChooseOpenFile().path.isEmpty());
  EXPECT_EQ(prompter.lastFileRequest().filter,
            QStringLiteral("All Files(*.*)|*.*|BMP Files(*.BMP)|*.BMP|ICON Files(*.ICO)|*.ICO|"));
  EXPECT_EQ(prompter.lastFileRequest().filterIndex, 3);
  EXPECT_EQ(prompter.lastFileRequest().initialName, QStringLiteral("/x/a.ico"));
  win->ChooseSaveFile();
  EXPECT_EQ(prompter.lastFileRequest().filterIndex, 2);
}

}  // namespace
}  // namespace tupalo
