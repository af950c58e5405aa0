// tuparun as the editor starts it: the program it hands the picture to and
// the editor it starts again are small scripts that record their arguments.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

namespace {

class TuparunProcessTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

  // An executable script at `name` that writes each argument on a line of
  // name + ".args" once `delaySeconds` have passed, and, first, whether
  // `watch` + ".args" existed when it started.
  QString Recorder(const QString& name, const QString& delaySeconds = QStringLiteral("0"),
                   const QString& watch = {}) {
    const QString path = dir_.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    QByteArray script = "#!/bin/sh\nout=\"$0.args\"\n";
    if (!watch.isEmpty())
      script += "if [ -e '" + dir_.filePath(watch).toUtf8() +
                ".args' ]; then seen=after; else seen=before; fi\n";
    script += "sleep " + delaySeconds.toUtf8() + "\n";
    if (!watch.isEmpty()) script += "printf '%s\\n' \"$seen\" > \"$out.tmp\"\n";
    script += "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$out.tmp\"; done\n";
    script += "touch \"$out.tmp\"; mv \"$out.tmp\" \"$out\"\n";
    f.write(script);
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
  }

  // The lines `name` recorded, waiting up to a few seconds for them; empty
  // when it never ran.
  QStringList Recorded(const QString& name, int waitMs = 5000) {
    const QString path = dir_.filePath(name) + QStringLiteral(".args");
    QElapsedTimer t;
    t.start();
    while (!QFileInfo::exists(path) && t.elapsed() < waitMs) QThread::msleep(20);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
  }

  // Runs tuparun to its end.
  void Run(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(TUPARUN_PATH), args);
    ASSERT_TRUE(p.waitForStarted());
    ASSERT_TRUE(p.waitForFinished(15000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
  }

  QTemporaryDir dir_;
};

TEST_F(TuparunProcessTest, FlagOneWaitsForTheProgramThenRestartsTheEditorOnThePicture) {
  const QString picture = dir_.filePath(QStringLiteral("my pic; $HOME 'x\".BMP"));
  const QString program = Recorder(QStringLiteral("an editor of pictures"), QStringLiteral("0.5"));
  const QString editor = Recorder(QStringLiteral("tu palo"), QStringLiteral("0"),
                                  QStringLiteral("an editor of pictures"));
  Run({QStringLiteral("/MD"), QStringLiteral(" 1"), QStringLiteral("/EN"), picture,
       QStringLiteral("/RP"), editor, QStringLiteral("/SP"), program});
  EXPECT_EQ(Recorded(QStringLiteral("an editor of pictures")), QStringList{picture});
  // The editor came only after the program had ended.
  EXPECT_EQ(Recorded(QStringLiteral("tu palo")), (QStringList{QStringLiteral("after"), picture}));
}

TEST_F(TuparunProcessTest, FlagZeroStartsTheProgramAloneAndEndsAtOnce) {
  const QString picture = dir_.filePath(QStringLiteral("-a b.BMP"));
  const QString program = Recorder(QStringLiteral("prog"), QStringLiteral("2"));
  const QString editor = Recorder(QStringLiteral("tupalo"));
  Run({QStringLiteral("/MD"), QStringLiteral("  0"), QStringLiteral("/EN"), picture,
       QStringLiteral("/RP"), editor, QStringLiteral("/SP"), program});
  // tuparun has ended while the program still runs.
  EXPECT_FALSE(QFileInfo::exists(program + QStringLiteral(".args")));
  EXPECT_EQ(Recorded(QStringLiteral("prog")), QStringList{picture});
  EXPECT_TRUE(Recorded(QStringLiteral("tupalo"), 300).isEmpty());
}

TEST_F(TuparunProcessTest, AProgramThatCannotStartBringsTheEditorBack) {
  const QString picture = dir_.filePath(QStringLiteral("a b.BMP"));
  const QString editor = Recorder(QStringLiteral("tupalo"));
  for (const QString& flag : {QStringLiteral(" 0"), QStringLiteral(" 1")}) {
    QFile::remove(editor + QStringLiteral(".args"));
    Run({QStringLiteral("/MD"), flag, QStringLiteral("/EN"), picture, QStringLiteral("/RP"), editor,
         QStringLiteral("/SP"), dir_.filePath(QStringLiteral("no such program"))});
    EXPECT_EQ(Recorded(QStringLiteral("tupalo")), QStringList{picture}) << flag.toStdString();
  }
}

}  // namespace
