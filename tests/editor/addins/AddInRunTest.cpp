#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>

#include "editor/addins/AddInRun.h"
#include "editor/addins/SPOP_WIN.h"
#include "editor/core/MainWindowFixture.h"

namespace tupalo {
namespace {

TEST(CommandLineTest, WordsQuotesAndBackslashes) {
  EXPECT_EQ(splitCommandLine(QStringLiteral("  read  %ON\t%FN ")),
            (QStringList{"read", "%ON", "%FN"}));
  EXPECT_EQ(splitCommandLine(QStringLiteral("a \"b c\" d\"e f\"g")),
            (QStringList{"a", "b c", "de fg"}));
  // "" alone is an empty word; backslashes are ordinary characters.
  EXPECT_EQ(splitCommandLine(QStringLiteral("x \"\" C:\\A\\ \\\"q")),
            (QStringList{"x", "", "C:\\A\\", "\\q"}));
}

TEST(CommandLineTest, Placeholders) {
  Editor e;
  e.AppPath = "/opt/tupa";
  e.CurrentFileName = "/img/long folder/A.PNG";
  EXPECT_EQ(ExpandTemplate(e, "%GP/conv %FN %ON", "/x/GT120000.BMP"),
            "/opt/tupa/conv /x/GT120000.BMP /img/long folder/A.PNG");
  EXPECT_EQ(ExpandTemplate(e, "%OF|%SO|%fn|%%FN|%", "T"),
            "/img/long folder/A|/img/long folder/A.PNG|%fn|%T|%");
  e.CurrentFileName = "A.B";
  EXPECT_EQ(ExpandTemplate(e, "[%OF][%SO]", "T"), "[][]");
  // A name full of what a shell would act on stays one argument.
  e.CurrentFileName = "/p/-x \"q\" ;$(rm) `a`.png";
  EXPECT_EQ(ExpandArguments(e, "read %ON \"%FN\"", "/t/G T.BMP"),
            (QStringList{"read", e.CurrentFileName, "/t/G T.BMP"}));
}

TEST(ExchangeFileTest, TwoInOneSecondNeverShareAFile) {
  QTemporaryDir dir;
  const QTime t(9, 30, 15);
  const QString a = MakeExchangeFile(dir.path(), t);
  const QString b = MakeExchangeFile(dir.path(), t);
  EXPECT_EQ(a, dir.path() + "/GT093015.BMP");
  EXPECT_EQ(b, dir.path() + "/GT093016.BMP");
  EXPECT_EQ(MakeExchangeFile(dir.path(), QTime(23, 59, 59)), dir.path() + "/GT235959.BMP");
  EXPECT_EQ(MakeExchangeFile(dir.path(), QTime(23, 59, 59)), dir.path() + "/GT000000.BMP");
  QString why;
  EXPECT_TRUE(MakeExchangeFile(dir.path() + "/missing", t, &why).isEmpty());
  EXPECT_FALSE(why.isEmpty());
}

// The editor on a program folder with the shipped converter installed, and
// a recording add-in that writes its arguments beside itself.
class AddInFlowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    for (const char* name : {"tupaconv", "CONVERT.AIP"})
      ASSERT_TRUE(QFile::copy(QStringLiteral(TUPALO_PROGRAM_DIR "/") + QLatin1String(name),
                              app + QLatin1Char('/') + QLatin1String(name)));
    setScannerProbe([] { return false; });
    record = app + "/rec";
    QFile f(record);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    // Exits with the code in the file "code" beside it (0 when absent).
    f.write(
        "#!/bin/sh\nd=$(dirname \"$0\")\nprintf '%s\\0' \"$@\" > \"$d/argv\"\n"
        "[ -f \"$d/delay\" ] && sleep \"$(cat \"$d/delay\")\"\n"
        "[ -f \"$d/code\" ] && exit \"$(cat \"$d/code\")\"\nexit 0\n");
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
  }
  void TearDown() override { setScannerProbe({}); }

  QStringList recorded() {
    QStringList out = QString::fromUtf8(readFile(app + "/argv")).split(QChar(0));
    if (!out.isEmpty() && out.last().isEmpty()) out.removeLast();
    return out;
  }
  QImage picture() { return asImage(editor.PIC); }
  static QImage asImage(const raster::Surface& s) {
    QImage img(s.width(), s.height(), QImage::Format_RGB32);
    for (int y = 0; y < s.height(); ++y)
      for (int x = 0; x < s.width(); ++x) {
        const auto c = raster::GetPixel(s, x, y);
        img.setPixel(x, y, qRgb(c & 255, (c >> 8) & 255, (c >> 16) & 255));
      }
    return img;
  }
  static QImage pattern() {
    QImage img(7, 5, QImage::Format_RGB32);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x) img.setPixel(x, y, qRgb(x * 36, y * 60, (x * y * 13) & 255));
    return img;
  }
  QString record;
};

TEST_F(AddInFlowTest, AFreshProgramFolderOpensAndSavesOtherFormats) {
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  ASSERT_GE(findReader(editor.addins, "x.png"), 0);
  const QString png = dir.path() + "/in put.png";
  ASSERT_TRUE(pattern().save(png));
  int16_t result = 0;
  win->LoadImage(png, result);
  ASSERT_EQ(result, 0);
  EXPECT_EQ(picture(), pattern());
  EXPECT_TRUE(QDir(editor.ExchangePath).entryList({"GT*.BMP"}).isEmpty());

  for (const char* name : {"out.png", "out.webp", "out.tif", "out.gif"}) {
    const QString path = dir.path() + "/" + name;
    ASSERT_TRUE(win->SaveImage(path)) << name;
    EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), pattern()) << name;
  }
  ASSERT_TRUE(win->SaveImage(dir.path() + "/out.jpg"));
  EXPECT_EQ(QImage(dir.path() + "/out.jpg").size(), QSize(7, 5));
  EXPECT_TRUE(QDir(editor.ExchangePath).entryList({"GT*.BMP"}).isEmpty());
  EXPECT_TRUE(prompter.messages().empty());

  // The dialogs offer the readers after the built-in entries, and preselect
  // the reader of the current file.
  prompter.cancelFile();
  win->ChooseOpenFile();
  EXPECT_TRUE(prompter.lastFileRequest().filter.endsWith("TIFF Files(*.TIFF)|*.TIFF|"));
  EXPECT_EQ(prompter.lastFileRequest().filterIndex, 4);  // the PNG reader
}

TEST_F(AddInFlowTest, FailuresAreSaidAndLoseNothing) {
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  editor.PIC = raster::Surface(3, 2);
  raster::SetPixelV(editor.PIC, 1, 1, raster::rgb(1, 2, 3));
  const QImage before = picture();
  // A reader that fails: the four-line load error; the picture stays.
  prompter.answer(Answer::Ok);
  int16_t result = 0;
  win->LoadImage(dir.path() + "/none.png", result);
  EXPECT_EQ(result, -1);
  EXPECT_TRUE(prompter.lastMessage().text.startsWith("ファイル読み込みエラー"));
  EXPECT_EQ(picture(), before);
  // A writer that fails, or writes nothing, has not saved.
  editor.addins.Writers[0].command = "write %FN /nonexistent/dir/x.png png";
  prompter.answer(Answer::Ok);
  EXPECT_FALSE(win->SaveImage(dir.path() + "/x.png"));
  EXPECT_TRUE(prompter.lastMessage().text.contains("SAVEできません"));
  editor.addins.AddIns[0].path = record;
  prompter.answer(Answer::Ok);
  EXPECT_FALSE(win->SaveImage(dir.path() + "/y.png"));
  EXPECT_TRUE(prompter.lastMessage().text.contains("書き出しませんでした"));
  // A program that isn't there.
  editor.addins.AddIns[0].path = app + "/gone";
  prompter.answer(Answer::Ok);
  EXPECT_FALSE(win->SaveImage(dir.path() + "/z.png"));
  EXPECT_EQ(prompter.lastMessage().text, "Add_Inプログラムが見つかりません");
  prompter.answer(Answer::Ok);
  win->LoadImage(dir.path() + "/z.png", result);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(picture(), before);
  EXPECT_TRUE(QDir(editor.ExchangePath).entryList({"GT*.BMP"}).isEmpty());
}

TEST_F(AddInFlowTest, AWriterGetsTheNameAsOneArgument) {
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  editor.addins.AddIns[0].path = record;
  const QString odd = dir.path() + "/-a b \"c\" ;$HOME `x`.png";
  QFile(odd).open(QIODevice::WriteOnly);  // exists: the writer must replace it
  prompter.answer(Answer::Ok);
  win->SaveImage(odd);  // the recorder writes nothing: a failed save
  const QStringList argv = recorded();
  ASSERT_EQ(argv.size(), 4);
  EXPECT_EQ(argv[0], "write");
  EXPECT_TRUE(argv[1].startsWith(app + "/GT"));
  EXPECT_EQ(argv[2], odd);
  EXPECT_EQ(argv[3], "png");
}

TEST_F(AddInFlowTest, ASpecialOptionHandsThePictureOverAndTakesItBack) {
  // The option copies nothing back: the recorder leaves the exchange file
  // as the editor wrote it, so the picture comes back as it went.
  QFile f(app + "/TUPA.AIN");
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(("ADIN,REC," + record + ",Recorder, 0\nSPOP,REC,go %FN %ON\n[EOF]\n").toUtf8());
  f.close();
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  SPOP_WIN& s = *windows->spopWin;
  s.Open();
  ASSERT_EQ(s.SPOP_BUT.size(), 1u);
  editor.CurrentFileName = dir.path() + "/a b.bmp";
  raster::SetPixelV(editor.PIC, 2, 3, raster::rgb(9, 8, 7));
  const QImage before = picture();
  QTimer::singleShot(0, [&] {
    EXPECT_EQ(s.panels->currentWidget(), s.Picture2);
    EXPECT_FALSE(s.Command2->isEnabled());
    EXPECT_EQ(s.SPOP_NAME->text(), "Recorder");
  });
  s.SPOP_BUT_Click(0);
  EXPECT_EQ(s.panels->currentWidget(), s.Picture1);
  EXPECT_EQ(recorded().value(2), dir.path() + "/a b.bmp");
  EXPECT_EQ(picture(), before);
  EXPECT_EQ(editor.CurrentFileName, dir.path() + "/a b.bmp");
  EXPECT_TRUE(QDir(editor.ExchangePath).entryList({"GT*.BMP"}).isEmpty());

  // Stopping the wait returns to the buttons at once; the option's file stays.
  QFile d(app + "/delay");
  ASSERT_TRUE(d.open(QIODevice::WriteOnly));
  d.write("3");
  d.close();
  QTimer::singleShot(300, [&] { s.Command1_Click(); });
  QElapsedTimer clock;
  clock.start();
  s.SPOP_BUT_Click(0);
  EXPECT_LT(clock.elapsed(), 2500);
  EXPECT_EQ(s.panels->currentWidget(), s.Picture1);
  EXPECT_EQ(QDir(editor.ExchangePath).entryList({"GT*.BMP"}).size(), 1);
  // Closing while an option runs asks first.
  QTimer::singleShot(300, [&] { s.close(); });
  prompter.answer(Answer::No,
                  [&](const MessageRequest& m) { EXPECT_EQ(m.title, "Tupa  SpecialOption 終了"); });
  QTimer::singleShot(600, [&] { s.Command1_Click(); });
  s.SPOP_BUT_Click(0);
  EXPECT_EQ(s.LauncherWindowOpen, 1);
  s.close();
  EXPECT_EQ(s.LauncherWindowOpen, 0);
}

}  // namespace
}  // namespace tupalo
