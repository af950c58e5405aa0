// The settings window in the editor: what OK and CANCEL leave in the settings,
// in TUPA.CNF at quit, and in the autosave clock.
#include <QApplication>
#include <QTimer>

#include "editor/addins/ADD_WIN.h"
#include "editor/core/MainWindowFixture.h"
#include "editor/settings/SET_WIN.h"

namespace tupalo {
namespace {

class SettingsWindowTest : public MainWindowTest {
 protected:
  SET_WIN& openSettings() {
    EXPECT_EQ(start(), P_WIN::StartResult::Running);
    cmdWin->SYS_B_Click(2);
    SET_WIN& s = *windows->setWin;
    EXPECT_TRUE(s.isVisible());
    EXPECT_TRUE(s.isModal());
    return s;
  }
  // The quit with its Yes, then TUPA.CNF.
  QString quitAndReadConfig() {
    prompter.answer(Answer::Yes);
    EXPECT_TRUE(win->QuitRoutine());
    return readConfig();
  }
};

TEST_F(SettingsWindowTest, OkTakesEveryPageIntoTheSettingsWrittenAtQuit) {
  writeConfig(QStringLiteral("ASAT , 10\nLAN2 , /usr/bin/old one"));
  SET_WIN& s = openSettings();
  EXPECT_FALSE(win->Timer2.isActive());  // resting while the window is open
  EXPECT_EQ(s.PageArea->currentWidget(), s.Picture1[0]);
  EXPECT_TRUE(s.Interval[2]->isChecked());
  EXPECT_EQ(s.LAN_NAME[1]->text(), QStringLiteral("/usr/bin/old one"));

  s.PageButton_Click(4);
  EXPECT_EQ(s.PageArea->currentWidget(), s.Picture1[4]);
  s.Option2->click();
  s.Option4->click();
  s.Option5[2]->click();
  s.Check1->click();
  s.Option7->click();
  s.Interval[6]->click();
  s.Option16->click();
  s.Check3->click();
  // Ticking Check2 greys Check3, whose value still counts.
  s.Check2->click();
  EXPECT_FALSE(s.Check3->isEnabled());
  s.Check5[0]->click();

  const QString program = dir.path() + QStringLiteral("/my tools/edit $x");
  prompter.choose(program);
  s.LAN_SET[0]->click();
  const FileRequest& asked = prompter.lastFileRequest();
  EXPECT_FALSE(asked.save);
  EXPECT_TRUE(asked.executables);
  EXPECT_EQ(asked.initialName, QString());
  EXPECT_EQ(s.LAN_NAME[0]->text(), program);
  // A cancelled dialog keeps the slot's program.
  prompter.cancelFile();
  s.LAN_SET[1]->click();
  EXPECT_EQ(prompter.lastFileRequest().initialName, QStringLiteral("/usr/bin/old one"));
  EXPECT_EQ(s.LAN_NAME[1]->text(), QStringLiteral("/usr/bin/old one"));

  s.OK->click();
  EXPECT_FALSE(s.isVisible());
  const Settings& v = editor.settings;
  EXPECT_EQ(v.BERM, 1);
  EXPECT_EQ(v.SZWM, 0);
  EXPECT_EQ(v.RPNX, 2);
  EXPECT_EQ(v.FEMD, 1);
  EXPECT_EQ(v.ASAM, 1);
  EXPECT_EQ(v.ASAT, 30);
  EXPECT_EQ(editor.AutosaveCountdown, 30);
  EXPECT_TRUE(win->Timer2.isActive());
  EXPECT_EQ(v.LMOD, 1);
  EXPECT_EQ(v.CDSP, 1);
  EXPECT_EQ(v.VDMD, 1);
  EXPECT_EQ(v.LAM1, 1);
  EXPECT_EQ(v.LAM2, 0);
  EXPECT_EQ(v.LAN1, program);

  const QString cnf = quitAndReadConfig();
  for (const QString& line :
       {QStringLiteral("BERM ,  1 "), QStringLiteral("SZWM ,  0 "), QStringLiteral("RPNX ,  2 "),
        QStringLiteral("ASAT ,  30 "), QStringLiteral("LMOD ,  1 "), QStringLiteral("LAM1 ,  1 "),
        QStringLiteral("VDMD ,  1 "), QStringLiteral("LAN1 , ") + program})
    EXPECT_TRUE(cnf.contains(line)) << line.toStdString() << "\n" << cnf.toStdString();
}

TEST_F(SettingsWindowTest, CancelAndTheCloseBoxKeepTheSettingsAndRestartTheClock) {
  writeConfig(QStringLiteral("ASAT , 5\nBERM , 2\nLMOD , 0"));
  for (int way = 0; way < 2; ++way) {
    SET_WIN& s = way == 0 ? openSettings() : (cmdWin->SYS_B_Click(2), *windows->setWin);
    ASSERT_TRUE(s.isVisible());
    s.Interval[0]->click();
    s.Option2->click();
    s.Option16->click();
    prompter.choose(QStringLiteral("/bin/true"));
    s.LAN_SET[0]->click();
    if (way == 0)
      s.CANCEL->click();
    else
      s.close();
    EXPECT_FALSE(s.isVisible());
    EXPECT_EQ(editor.settings.ASAT, 5);
    EXPECT_EQ(editor.settings.BERM, 2);
    EXPECT_EQ(editor.settings.LMOD, 0);
    EXPECT_EQ(editor.settings.LAN1, QString());
    EXPECT_TRUE(win->Timer2.isActive()) << way;
  }
  // OK with "保存しない" stops the clock.
  SET_WIN& s = *windows->setWin;
  cmdWin->SYS_B_Click(2);
  EXPECT_TRUE(s.Interval[1]->isChecked());
  s.Interval[0]->click();
  s.OK->click();
  EXPECT_FALSE(win->Timer2.isActive());
  EXPECT_TRUE(quitAndReadConfig().contains(QStringLiteral("ASAT ,  0 ")));
}

// Installs the add-in of the parameter file `aip` through the settings
// window's add button and the registration window's install button.
void installThroughWindow(SET_WIN& s, ScriptedPrompter& prompter, const QString& aip) {
  prompter.choose(aip);
  QTimer::singleShot(0, [] {
    auto* add = qobject_cast<ADD_WIN*>(QApplication::activeModalWidget());
    ASSERT_TRUE(add);
    add->Command1_Click();
    add->close();
  });
  s.Command5->click();
}

TEST_F(SettingsWindowTest, CancelPutsTheRegistryBackAfterInstallsAndRemovals) {
  const QString aip = dir.path() + QStringLiteral("/conv.AIP");
  {
    QFile f(aip);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("ADIN,CONV,%%conv,Converter, 0\nFFRD,%FN,PNG|*.PNG|,PNG\nTWSC,%FN\n[EOF]\n");
  }
  SET_WIN& s = openSettings();
  const QString registry = app + QStringLiteral("/TUPA.AIN");
  const QString backup = app + QStringLiteral("/TUPAAIN.TMP");
  const QByteArray before = readFile(registry);
  ASSERT_FALSE(before.isEmpty());
  EXPECT_EQ(readFile(backup), before);

  installThroughWindow(s, prompter, aip);
  EXPECT_EQ(s.List2->count(), 1);
  EXPECT_EQ(s.List2->item(0)->text(), QStringLiteral("Converter"));
  EXPECT_TRUE(s.DISP_MODE[1]->isChecked());
  EXPECT_EQ(s.List1->count(), 1);  // the scanner line
  s.DISP_MODE[2]->click();
  ASSERT_EQ(s.List1->count(), 1);
  EXPECT_TRUE(s.List1->item(0)->text().endsWith(QStringLiteral(":Converter")));
  EXPECT_TRUE(readFile(registry).contains("ADIN,CONV,"));

  s.CANCEL->click();
  EXPECT_EQ(readFile(registry), before);
  EXPECT_FALSE(QFileInfo::exists(backup));
  EXPECT_EQ(editor.addins.AddInCount, 0);
  EXPECT_EQ(editor.addins.HasTwainScan, 0);

  // Installed and kept with OK; the scanner button follows.
  cmdWin->SYS_B_Click(2);
  installThroughWindow(s, prompter, aip);
  s.OK->click();
  EXPECT_FALSE(QFileInfo::exists(backup));
  EXPECT_EQ(editor.addins.AddInCount, 1);
  EXPECT_FALSE(cmdWin->FILE_B[7]->isHidden());
  const QByteArray withConverter = readFile(registry);

  // Removed, then CANCEL: it is back.
  cmdWin->SYS_B_Click(2);
  s.List2->setCurrentRow(0);
  prompter.answer(Answer::Yes);
  s.Command7->click();
  EXPECT_EQ(prompter.lastMessage().text,
            QStringLiteral("Converter\nを削除いたします、本当によろしいですか?"));
  EXPECT_EQ(s.List2->count(), 0);
  EXPECT_EQ(editor.addins.AddInCount, 0);
  s.close();
  EXPECT_EQ(readFile(registry), withConverter);
  EXPECT_EQ(editor.addins.AddInCount, 1);
}

}  // namespace
}  // namespace tupalo
