// Start-up of the main window: splash, depth check, command line, settings
// and the reload of the last picture.
#include <QImage>

#include "editor/core/CommandLine.h"
#include "editor/core/MainWindowFixture.h"
#include "editor/core/Undo.h"
#include "platform/FileErrors.h"

namespace tupalo {
namespace {

TEST_F(MainWindowTest, EmptyCommandLineStartsANewWhitePicture) {
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  EXPECT_EQ(win->windowTitle(), QStringLiteral("Tupa :NEWFFILE"));
  EXPECT_EQ(editor.PicSize, (Pair{640, 480}));
  EXPECT_EQ(editor.PIC, raster::Surface(640, 480, 0xFFFFFFFFu));
  EXPECT_TRUE(editor.CurrentFileName.isEmpty());
  EXPECT_EQ(editor.AppPath, app);
  EXPECT_EQ(editor.StartingUp, 0);
  EXPECT_EQ(editor.ToolCode, 1);
  EXPECT_EQ(editor.ZoomFactor, 1);
  EXPECT_TRUE(win->isVisible());
  EXPECT_TRUE(win->acceptDrops());
  // The settings and colour files were seeded from the factory copies and read.
  EXPECT_TRUE(QFile::exists(app + QStringLiteral("/TUPA.CNF")));
  EXPECT_TRUE(QFile::exists(app + QStringLiteral("/TUPA.CDI")));
  EXPECT_EQ(editor.colours.ColourPageNames[9], QStringLiteral("くすみ色"));
  EXPECT_EQ(editor.colours.ColourTable[0][1][3], 255);
  EXPECT_EQ(editor.colours.CurrentColourPage, 0);
  EXPECT_EQ(
      win->splashLog(),
      (QStringList{QStringLiteral("Paint Tool TupaloW.2.58"), win->splashLog().at(1),
                   QStringLiteral("Starting..."), QStringLiteral("Checking commandline.."),
                   QStringLiteral("Initilizing from tupa.cnf..."), QStringLiteral("Complete...")}));
  EXPECT_TRUE(prompter.messages().empty());
}

// A colour file that is there but can't be read is said once at start-up;
// it is not seeded over, and the quit says again that it wasn't saved.
TEST_F(MainWindowTest, UnreadableColourFileIsReportedAtStartAndLeftAlone) {
  const QString cdi = app + QStringLiteral("/TUPA.CDI");
  const QByteArray mine = "CNAM , mine\n[EOF]\n";
  {
    QFile f(cdi);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(mine) == mine.size());
  }
  setFileFaultInjector([&](FileCall call, const QString& path) {
    return call == FileCall::OpenForReading && path == cdi ? EACCES : 0;
  });
  prompter.answer(Answer::Ok);
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  ASSERT_EQ(prompter.messages().size(), 1u);
  const MessageRequest& said = prompter.lastMessage();
  EXPECT_EQ(
      said.text,
      cdi + QStringLiteral("\n色定義ファイルを読み込めませんでした\n理由 : 読み取り権限がありません"
                           "\n標準の色定義で起動します（色辞書の変更は保存されません）"));
  EXPECT_EQ(said.title, QStringLiteral("Tupa "));
  EXPECT_EQ(said.icon, Icon::Exclamation);
  EXPECT_EQ(editor.colours.ColourPageNames[9], QStringLiteral("くすみ色"));  // the factory pages

  prompter.answer(Answer::Yes).answer(Answer::Ok);
  EXPECT_TRUE(win->QuitRoutine());
  setFileFaultInjector(nullptr);
  ASSERT_EQ(prompter.messages().size(), 3u);
  EXPECT_EQ(prompter.messages()[2].text,
            cdi + QStringLiteral(
                      "\n色定義ファイルを保存できませんでした\n理由 : 読み取り権限がありません"));
  EXPECT_EQ(readFile(cdi), mine);
}

TEST_F(MainWindowTest, ProgramFolderLosesItsTrailingSeparator) {
  ASSERT_EQ(window().StartUp(app + QStringLiteral("/"), {}), P_WIN::StartResult::Running);
  EXPECT_EQ(editor.AppPath, app);
  EXPECT_TRUE(QFile::exists(editor.AppPath + QStringLiteral("/TUPA.CNF")));
}

// An installed copy: the settings, the colour pages and the autosave live in
// the user's folder, the exchange files in a private temporary one that goes
// with the editor, and the program folder is not written to.
TEST_F(MainWindowTest, AnInstalledCopyKeepsTheUsersFilesInTheUsersFolder) {
  const QString installed = dir.path() + QStringLiteral("/usr/share/tupalo");
  QDir().mkpath(dir.path() + QStringLiteral("/usr/bin"));
  QDir().mkpath(installed);
  QDir().mkpath(dir.path() + QStringLiteral("/tmp"));
  for (const char* name : {"DEFAULT.CNF", "DEFAULT.CDI", "DEFAULT.AIN", "UNDO_B_IMG.bmp",
                           "TUPA_ICON_16.png", "TUPA_ICON_32.png"})
    ASSERT_TRUE(QFile::copy(QStringLiteral(TUPALO_DATA_DIR "/") + QLatin1String(name),
                            installed + QLatin1Char('/') + QLatin1String(name)));
  const QStringList shipped = QDir(installed).entryList(QDir::Files | QDir::Hidden);
  const QByteArray oldConfigHome = qgetenv("XDG_CONFIG_HOME");
  const QByteArray oldTmp = qgetenv("TMPDIR");
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path() + QStringLiteral("/cfg")));
  qputenv("TMPDIR", QFile::encodeName(dir.path() + QStringLiteral("/tmp")));

  ASSERT_EQ(window().StartUp(installed, {}), P_WIN::StartResult::Running);
  qputenv("XDG_CONFIG_HOME", oldConfigHome);
  qputenv("TMPDIR", oldTmp);
  const QString user = dir.path() + QStringLiteral("/cfg/tupalo");
  EXPECT_EQ(editor.AppPath, installed);
  EXPECT_EQ(editor.UserPath, user);
  const QString exchange = editor.ExchangePath;
  EXPECT_TRUE(exchange.startsWith(dir.path() + QStringLiteral("/tmp/tupalo-")));
  EXPECT_TRUE(QFileInfo(exchange).isDir());
  EXPECT_EQ(QDir(user).entryList(QDir::Files),
            (QStringList{QStringLiteral("TUPA.AIN"), QStringLiteral("TUPA.CDI"),
                         QStringLiteral("TUPA.CNF")}));
  EXPECT_EQ(editor.colours.ColourPageNames[9], QStringLiteral("くすみ色"));
  EXPECT_TRUE(prompter.messages().empty());
  // The program's icon on the main window and on the floating ones.
  for (QWidget* w :
       {static_cast<QWidget*>(win), static_cast<QWidget*>(cmdWin), static_cast<QWidget*>(colWin)})
    EXPECT_EQ(w->windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));

  editor.settings.ASAT = 1;
  editor.AutosaveCountdown = 1;
  raster::SetPixelV(editor.PIC, 3, 3, raster::rgb(200, 10, 10));
  Timer2_Timer(*win);
  raster::Surface saved;
  ASSERT_FALSE(readPictureFile(user + QStringLiteral("/AUTOSAVE.BMP"), saved).has_value());
  EXPECT_TRUE(saved == editor.PIC);

  prompter.answer(Answer::Yes);
  ASSERT_TRUE(win->QuitRoutine());
  EXPECT_EQ(prompter.messages().size(), 1u);  // the quit question alone
  EXPECT_TRUE(QString::fromUtf8(readFile(user + QStringLiteral("/TUPA.CNF")))
                  .contains(QStringLiteral("ASAT ,  1")));
  EXPECT_EQ(QDir(installed).entryList(QDir::Files | QDir::Hidden), shipped);
  closeWindows();
  EXPECT_FALSE(QFileInfo::exists(exchange));
}

TEST_F(MainWindowTest, CommandLineNameWithSpacesIsOnePicture) {
  const QString path = writePicture(QStringLiteral("my picture one.bmp"), 7, 4);
  ASSERT_EQ(start(path), P_WIN::StartResult::Running);
  EXPECT_EQ(win->windowTitle(), QStringLiteral("Tupa :") + path);
  EXPECT_EQ(editor.CurrentFileName, path);
  EXPECT_EQ(editor.PicSize, (Pair{7, 4}));
  EXPECT_EQ(raster::GetPixel(editor.PIC, 1, 1), raster::rgb(10, 20, 30));
  EXPECT_TRUE(win->splashLog().contains(QStringLiteral("Loading..\n") + path));
}

TEST_F(MainWindowTest, CommandLineIconIsOpened) {
  QImage icon(16, 16, QImage::Format_RGB32);
  icon.fill(QColor(0, 128, 255));
  const QString path = dir.path() + QStringLiteral("/small icon.ICO");
  ASSERT_TRUE(icon.save(path, "ICO"));
  ASSERT_EQ(start(path), P_WIN::StartResult::Running);
  EXPECT_EQ(editor.PicSize, (Pair{16, 16}));
  EXPECT_EQ(raster::GetPixel(editor.PIC, 8, 8), raster::rgb(0, 128, 255));
  EXPECT_EQ(win->windowTitle(), QStringLiteral("Tupa :") + path);
}

TEST_F(MainWindowTest, UnsupportedCommandLineFileEndsTheProgramAfterItsMessage) {
  prompter.answer(Answer::Ok);
  EXPECT_EQ(start(dir.path() + QStringLiteral("/photo.png")), P_WIN::StartResult::EndProgram);
  ASSERT_EQ(prompter.messages().size(), 1u);
  EXPECT_EQ(prompter.lastMessage().text, QStringLiteral("サポート外のファイル形式です。"));
  EXPECT_EQ(prompter.lastMessage().title, QStringLiteral("Tupa "));
  EXPECT_EQ(prompter.lastMessage().icon, Icon::Exclamation);
  EXPECT_FALSE(win->isVisible());
}

// Words the window toolkit would take for its own options are the picture's
// name like any other: "tupalo -reverse" is an unsupported file, not a new
// picture.
TEST_F(MainWindowTest, ToolkitOptionsOnTheCommandLineAreThePicturesName) {
  const char* const reverse[] = {"tupalo", "-reverse"};
  const char* const style[] = {"tupalo", "-style", "fusion", "my", "pic.bmp"};
  const char* const none[] = {"tupalo"};
  EXPECT_EQ(PictureNameFromArguments(2, reverse), QStringLiteral("-reverse"));
  EXPECT_EQ(PictureNameFromArguments(5, style), QStringLiteral("-style fusion my pic.bmp"));
  EXPECT_EQ(PictureNameFromArguments(1, none), QString());

  prompter.answer(Answer::Ok);
  EXPECT_EQ(start(PictureNameFromArguments(2, reverse)), P_WIN::StartResult::EndProgram);
  EXPECT_EQ(prompter.lastMessage().text, QStringLiteral("サポート外のファイル形式です。"));
}

TEST_F(MainWindowTest, MissingCommandLineFileIsReportedAndANewPictureStarts) {
  const QString path = dir.path() + QStringLiteral("/gone.bmp");
  prompter.answer(Answer::Ok);
  ASSERT_EQ(start(path), P_WIN::StartResult::Running);
  EXPECT_EQ(prompter.lastMessage().text,
            QStringLiteral(
                "ファイル読み込みエラー ( 53)\n理由 : ファイルが見つかりません。\nファイル名 : ") +
                path + QStringLiteral("\n読み込みを中止します"));
  EXPECT_EQ(editor.PicSize, (Pair{640, 480}));
  EXPECT_TRUE(editor.CurrentFileName.isEmpty());
  EXPECT_EQ(win->windowTitle(), QStringLiteral("Tupa :NEWFFILE"));
}

TEST_F(MainWindowTest, LowColourDepthAsksAndNoEndsTheProgram) {
  prompter.answer(Answer::No);
  EXPECT_EQ(start({}, 8), P_WIN::StartResult::EndProgram);
  const MessageRequest& q = prompter.lastMessage();
  EXPECT_EQ(q.text, QStringLiteral(
                        "Windowsの色数が足りません\n本Editorはカラーパレットには対応しませんので\n"
                        "16Bit/24Bit/ 32Bit Colorでご利用ください。\nTupaを起動させますか ?"));
  EXPECT_EQ(q.buttons, Buttons::YesNo);
  EXPECT_EQ(q.icon, Icon::Exclamation);
  EXPECT_FALSE(QFile::exists(app + QStringLiteral("/TUPA.CNF")));
}

TEST_F(MainWindowTest, LowColourDepthYesStartsAsUsual) {
  prompter.answer(Answer::Yes);
  EXPECT_EQ(start({}, 8), P_WIN::StartResult::Running);
  EXPECT_EQ(win->windowTitle(), QStringLiteral("Tupa :NEWFFILE"));
}

TEST_F(MainWindowTest, ReloadQuestionLoadsTheLastPictureOnYes) {
  const QString path = writePicture(QStringLiteral("last.bmp"), 9, 6);
  writeConfig(QStringLiteral("RPNX , 2\nRPNM , ") + path);
  prompter.answer(Answer::Yes);
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  const MessageRequest& q = prompter.lastMessage();
  EXPECT_EQ(q.text, QStringLiteral("前回編集していたファイルを読み込みますか?\nファイル名 :") +
                        path + QStringLiteral("\n"));
  EXPECT_EQ(q.buttons, Buttons::YesNo);
  EXPECT_EQ(q.icon, Icon::Question);
  EXPECT_EQ(editor.PicSize, (Pair{9, 6}));
  EXPECT_EQ(editor.CurrentFileName, path);
  EXPECT_EQ(win->windowTitle(), QStringLiteral("Tupa :") + path);
}

TEST_F(MainWindowTest, ReloadQuestionNoForgetsTheName) {
  const QString path = writePicture(QStringLiteral("last.bmp"), 9, 6);
  writeConfig(QStringLiteral("RPNX , 2\nRPNM , ") + path);
  prompter.answer(Answer::No);
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  EXPECT_TRUE(editor.CurrentFileName.isEmpty());
  EXPECT_EQ(editor.PicSize, (Pair{640, 480}));
  EXPECT_EQ(win->windowTitle(), QStringLiteral("Tupa :NEWFFILE"));
}

TEST_F(MainWindowTest, NoReloadQuestionWithACommandLineFileOrNoRememberedName) {
  const QString last = writePicture(QStringLiteral("last.bmp"), 9, 6);
  const QString given = writePicture(QStringLiteral("given.bmp"), 4, 4);
  writeConfig(QStringLiteral("RPNX , 2\nRPNM , ") + last);
  ASSERT_EQ(start(given), P_WIN::StartResult::Running);
  EXPECT_EQ(editor.CurrentFileName, given);
  EXPECT_EQ(editor.PicSize, (Pair{4, 4}));
  closeWindows();

  writeConfig(QStringLiteral("RPNX , 2\nRPNM , "));
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(MainWindowTest, AutomaticReloadAndAFailedOne) {
  const QString path = writePicture(QStringLiteral("auto.bmp"), 3, 8);
  writeConfig(QStringLiteral("RPNX , 1\nRPNM , ") + path);
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  EXPECT_TRUE(prompter.messages().empty());
  EXPECT_EQ(editor.PicSize, (Pair{3, 8}));
  closeWindows();

  // A remembered picture that has gone: the loader reports it and the editor
  // starts with a new picture whose caption does not name the lost file.
  QFile::remove(path);
  writeConfig(QStringLiteral("RPNX , 1\nRPNM , ") + path);
  prompter.answer(Answer::Ok);
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  EXPECT_EQ(editor.PicSize, (Pair{640, 480}));
  EXPECT_TRUE(editor.CurrentFileName.isEmpty());
  EXPECT_EQ(win->windowTitle(), QStringLiteral("Tupa :NEWFFILE"));
}

TEST_F(MainWindowTest, StatusLineFollowsIdspAndItsToggle) {
  writeConfig(QStringLiteral("IDSP , 1"));
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  EXPECT_TRUE(win->INF_CMD->isVisible());
  EXPECT_EQ(win->INF_CMD->text(), QStringLiteral("Pset"));
  const int withStatus = win->DMY->height();
  win->ShowPointerPosition(12, 7);
  EXPECT_EQ(win->INF_POSX->text(), QStringLiteral("X= 12"));
  EXPECT_EQ(win->INF_POSY->text(), QStringLiteral("Y= 7"));

  win->RB->click();
  EXPECT_EQ(editor.settings.IDSP, 0);
  EXPECT_FALSE(win->INF_CMD->isVisible());
  EXPECT_GT(win->DMY->height(), withStatus);
  // With the status line hidden nothing is written into it.
  win->ShowPointerPosition(30, 40);
  EXPECT_EQ(win->INF_POSX->text(), QStringLiteral("X= 12"));
}

}  // namespace
}  // namespace tupalo
