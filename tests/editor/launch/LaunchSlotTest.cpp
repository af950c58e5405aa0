// Handing the picture over to another program through tuparun. The tuparun
// here is a script in the test's program folder that records its arguments.
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

#include "editor/core/MainWindowFixture.h"
#include "editor/launch/LaunchSlot.h"

namespace tupalo {
namespace {

class LaunchSlotTest : public MainWindowTest {
 protected:
  void fakeTuparun() {
    QFile f(app + QStringLiteral("/tuparun"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(
        "#!/bin/sh\nout=\"$0.args\"\n"
        "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$out.tmp\"; done\n"
        "mv \"$out.tmp\" \"$out\"\n");
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  QStringList recordedArguments() {
    const QString path = app + QStringLiteral("/tuparun.args");
    QElapsedTimer t;
    t.start();
    while (!QFileInfo::exists(path) && t.elapsed() < 5000) QThread::msleep(20);
    QStringList lines = QString::fromUtf8(readFile(path)).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
  }
  const QString kQuestion = QStringLiteral(
      "をランチし自らは終了します\nデータを引き渡すためファイルを保存してください\n");
};

TEST(LauncherCommandTest, EachSwitchAndValueIsOneArgumentOfTheExactCommandLine) {
  Editor e;
  e.AppPath = QStringLiteral("/opt/tu pa");
  e.settings.LAN1 = QStringLiteral("/usr/bin/edit");
  e.settings.LAM1 = 1;
  e.settings.LAN2 = QStringLiteral("/usr/local/bin/view er");
  const LauncherCommand one = LauncherCommandFor(e, 0, QStringLiteral("/p/A.BMP"));
  EXPECT_EQ(one.text(), QStringLiteral("/opt/tu pa/tuparun /MD  1 /EN /p/A.BMP /RP /opt/tu "
                                       "pa/tupalo /SP /usr/bin/edit"));
  EXPECT_EQ(one.program, QStringLiteral("/opt/tu pa/tuparun"));
  const LauncherCommand two = LauncherCommandFor(e, 1, QStringLiteral("/p/my pic.BMP"));
  EXPECT_EQ(two.arguments,
            (QStringList{QStringLiteral("/MD"), QStringLiteral(" 0"), QStringLiteral("/EN"),
                         QStringLiteral("/p/my pic.BMP"), QStringLiteral("/RP"),
                         QStringLiteral("/opt/tu pa/tupalo"), QStringLiteral("/SP"),
                         QStringLiteral("/usr/local/bin/view er")}));
}

TEST_F(LaunchSlotTest, TheHandOverSavesWritesTheSettingsStartsTuparunAndCloses) {
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  fakeTuparun();
  editor.settings.LAN2 = QStringLiteral("/usr/bin/some editor");
  editor.settings.LAM2 = 1;
  raster::SetPixelV(editor.PIC, 3, 2, raster::rgb(1, 2, 3));
  const QString picture = dir.path() + QStringLiteral("/-my pic; $HOME \"q\".BMP");
  prompter.answer(Answer::Ok).choose(picture);
  cmdWin->SYS_B_Click(4);

  const MessageRequest& q = prompter.messages().at(0);
  EXPECT_EQ(q.title, QStringLiteral("Tupa ランチ終了"));
  EXPECT_EQ(q.text, QStringLiteral("TUPAは/usr/bin/some editor") + kQuestion);
  EXPECT_EQ(q.buttons, Buttons::OkCancel);
  // No save question: the quit ran as part of the hand-over.
  EXPECT_EQ(prompter.messages().size(), 1u);
  EXPECT_EQ(editor.QuitViaLauncher, 1);
  EXPECT_FALSE(win->isVisible());
  EXPECT_FALSE(win->Timer2.isActive());

  raster::Surface saved;
  ASSERT_FALSE(readPictureFile(picture, saved));
  EXPECT_EQ(raster::GetPixel(saved, 3, 2), raster::rgb(1, 2, 3));
  const QString cnf = readConfig();
  EXPECT_TRUE(cnf.contains(QStringLiteral("RPNM , ") + picture)) << cnf.toStdString();
  EXPECT_TRUE(cnf.contains(QStringLiteral("LAN2 , /usr/bin/some editor")));
  EXPECT_EQ(recordedArguments(),
            (QStringList{QStringLiteral("/MD"), QStringLiteral(" 1"), QStringLiteral("/EN"),
                         picture, QStringLiteral("/RP"), app + QStringLiteral("/tupalo"),
                         QStringLiteral("/SP"), QStringLiteral("/usr/bin/some editor")}));
}

TEST_F(LaunchSlotTest, EveryEarlyStopLeavesTheEditorAsItWas) {
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  // No program in the slot.
  prompter.answer(Answer::Ok);
  cmdWin->SYS_B_Click(3);
  EXPECT_EQ(
      prompter.lastMessage().text,
      QStringLiteral("ランチするプログラムが指定されていません\nSETUPにて設定してください。"));
  EXPECT_EQ(prompter.lastMessage().buttons, Buttons::Ok);
  EXPECT_TRUE(prompter.fileRequests().empty());

  // Declined, then no name chosen.
  editor.settings.LAN1 = QStringLiteral("/bin/true");
  prompter.answer(Answer::Cancel);
  cmdWin->SYS_B_Click(3);
  EXPECT_TRUE(prompter.fileRequests().empty());
  prompter.answer(Answer::Ok).cancelFile();
  cmdWin->SYS_B_Click(3);
  EXPECT_EQ(prompter.fileRequests().size(), 1u);

  // Saved, but tuparun is not in the program folder: the editor stays open.
  const QString picture = dir.path() + QStringLiteral("/kept.BMP");
  prompter.answer(Answer::Ok).choose(picture).answer(Answer::Ok);
  cmdWin->SYS_B_Click(3);
  EXPECT_EQ(prompter.lastMessage().text,
            app + QStringLiteral("/tuparun\nランチャーが見つかりません\n画像は") + picture +
                QStringLiteral("に保存されています"));
  EXPECT_TRUE(QFileInfo::exists(picture));
  EXPECT_EQ(editor.QuitViaLauncher, 0);
  EXPECT_EQ(editor.Running, 1);
  EXPECT_TRUE(win->isVisible());
  EXPECT_TRUE(win->DRAW->isEnabled());
}

}  // namespace
}  // namespace tupalo
