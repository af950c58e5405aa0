#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTemporaryDir>

#include "editor/files/ConfigText.h"
#include "editor/files/Configuration.h"
#include "platform/AtomicFile.h"
#include "platform/FileErrors.h"

namespace tupalo {
namespace {

// A main window that remembers what it was told. Minimised, it reports the
// parked geometry of a minimised window rather than its own.
struct FakeHost : ConfigHost {
  int32_t screenW = 19200, screenH = 14400, top = 600, left = 900, width = 9000, height = 7000;
  int16_t state = 0;
  std::vector<int16_t> autosaveReads;
  int32_t screenWidthTwips() const override { return screenW; }
  int32_t screenHeightTwips() const override { return screenH; }
  int32_t mainTop() const override { return state == 1 ? -48000 : top; }
  int32_t mainLeft() const override { return state == 1 ? -48000 : left; }
  int32_t mainWidth() const override { return state == 1 ? 2400 : width; }
  int32_t mainHeight() const override { return state == 1 ? 450 : height; }
  void setMainTop(int32_t v) override { top = v; }
  void setMainLeft(int32_t v) override { left = v; }
  void setMainWidth(int32_t v) override { width = v; }
  void setMainHeight(int32_t v) override { height = v; }
  int16_t mainState() const override { return state; }
  void setMainState(int16_t v) override { state = v; }
  void restoreMainIfMinimised() override { state = state == 1 ? 0 : state; }
  int32_t paletteTop() const override { return 3091; }
  int32_t paletteHeight() const override { return 4200; }
  int32_t paletteWidth() const override { return 1500; }
  int32_t colourWindowLeft() const override { return 7000; }
  void autosaveIntervalRead(int16_t asat) override { autosaveReads.push_back(asat); }
};

QByteArray readAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeAll(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size());
}

const QByteArray kFactory = readAll(QStringLiteral(TUPALO_DATA_DIR "/DEFAULT.CNF"));

// A program folder of its own per test, under a Japanese name, holding the
// shipped DEFAULT.CNF.
class Config : public ::testing::Test {
 protected:
  void SetUp() override {
    app = dir.filePath(QString::fromUtf8("ツール"));
    ASSERT_TRUE(QDir().mkpath(app));
    writeAll(configTemplatePath(app), kFactory);
  }
  void TearDown() override {
    setWriteFaultInjector(nullptr);
    setFileFaultInjector(nullptr);
  }
  QString cnf() const { return configFilePath(app); }

  Settings load(const QByteArray& text, bool fromCommandLine = false) {
    writeAll(cnf(), text);
    return loadFile(fromCommandLine);
  }
  Settings loadFile(bool fromCommandLine = false) {
    Settings s;
    s.FUZH = 77;  // must be reset
    LoadConfiguration(app, app, s, host, fromCommandLine, currentFile);
    return s;
  }
  QStringList save(const QByteArray& templ, const Settings& s) {
    writeAll(configTemplatePath(app), templ);
    EXPECT_TRUE(SaveConfiguration(app, app, s, host));
    return splitConfigText(readAll(cnf()));
  }

  QTemporaryDir dir;
  QString app, currentFile;
  FakeHost host;
};

TEST_F(Config, WithoutFemdWindowKeysKeepDefaultsButClampsRun) {
  host.screenW = 7000;
  host.screenH = 5000;
  host.top = -300;
  const Settings s = load(
      "FEMD , 0\nPIWT , 300\nPIWS , 2\nPIWL , 300\nPIWW , 3000\nPIWH , 2000\n"
      "COWL , 1\nCOWT , 1\nCMWL , 1\nCMWT , 1\nBEWT , 11\nBEWL , 12\nBEWW , 13\nBEWH , 14\n"
      "BEWD , 1\nMLLF , 21\nMLTP , 22\nMLDS , 1\n[EOF]\n");
  EXPECT_EQ(std::tuple(host.top, host.left, host.width, host.height, host.state),
            std::tuple(0, 900, 7000, 5000, 0));
  EXPECT_EQ(std::tuple(s.COWL, s.COWT, s.CMWL, s.CMWT), std::tuple(5320, 0, 5320, 3091));
  EXPECT_EQ(std::tuple(s.BEWT, s.BEWL, s.BEWW, s.BEWH, s.BEWD),
            std::tuple(7291, 7000, 1500, 780, 0));
  EXPECT_EQ(std::tuple(s.MLLF, s.MLTP, s.MLDS), std::tuple(0, 0, 0));
}

TEST_F(Config, WithFemdWindowKeysAreAppliedThenClamped) {
  const Settings s = load(
      "FEMD , 1\nPIWT , 15000\nPIWS , 2\nPIWL , 450\nPIWW , 19199\nPIWH , 6000\n"
      "COWL , -30\nCOWT , 14399\nCMWL , 19198\nBEWT , 11\nBEWL , 12\nBEWW , 0\nBEWH , -5\n"
      "BEWD , 1\nMLLF , -21\nMLDS , 1\n");
  EXPECT_EQ(std::tuple(host.top, host.left, host.width, host.height, host.state),
            std::tuple(0, 450, 19200, 6000, 2));
  EXPECT_EQ(std::tuple(s.PIWT, s.PIWL, s.PIWW, s.PIWH, s.PIWS), std::tuple(0, 450, 19200, 6000, 2));
  EXPECT_EQ(std::tuple(s.COWL, s.COWT, s.CMWL), std::tuple(0, 14400 - 3150, 19198));
  EXPECT_EQ(std::tuple(s.BEWT, s.BEWL, s.BEWW, s.BEWH, s.BEWD), std::tuple(11, 12, 1680, 780, 1));
  EXPECT_EQ(std::tuple(s.MLLF, s.MLDS), std::tuple(-21, 1));

  // Gated keys read before FEMD, or with FEMD other than 1, are not applied.
  host = FakeHost{};
  EXPECT_EQ(load("PIWT , 100\nFEMD , 1\nPIWL , 200\n").FEMD, 1);
  EXPECT_EQ(std::tuple(host.top, host.left), std::tuple(600, 200));
  EXPECT_EQ(load("FEMD , 2\nMLDS , 1\n").MLDS, 0);
  // Values a window can't take are not applied.
  load("FEMD , 1\nPIWS , 7\nPIWW , 0\nPIWH , -2400\nPIWT , 99999999999\n");
  EXPECT_EQ(std::tuple(host.top, host.width, host.height, host.state),
            std::tuple(600, 9000, 7000, 0));
}

TEST_F(Config, ValuesAreReadAsTheirKeySays) {
  auto idsp = [&](const QByteArray& line) { return load(line + "\n[EOF]\n").IDSP; };
  EXPECT_EQ(idsp("IDSP ,  1 'show the information line"), 1);
  EXPECT_EQ(idsp("IDSP"), 0);
  EXPECT_EQ(idsp("IDSP , 1,5"), 1);
  EXPECT_EQ(idsp("IDSP , 1.5"), 2);
  EXPECT_EQ(idsp("IDSP , 2.5"), 2);
  EXPECT_EQ(idsp("  IDSP,1  "), 1);
  EXPECT_EQ(idsp("idsp , 1"), 0);  // keys are case-sensitive
  EXPECT_EQ(idsp("IDSP , 'c 1"), 0);
  EXPECT_EQ(load("BEAU ,  0\n").BEAU, 1);

  // Out of the key's range: the default stays.
  Settings s = load(
      "FUZH , 40000\nCOWL , 3000000000\nLAN1 ,  /bin/x --a=1, b 'prog\nFUZS , abc\nASAT , 99999\n");
  EXPECT_EQ(std::tuple(s.FUZH, s.COWL, s.FUZS, s.ASAT), std::tuple(10, 7920, 0, 0));
  EXPECT_EQ(s.LAN1, "/bin/x --a=1, b");
  EXPECT_EQ(load("ASAT ,  15\n").ASAT, 15);
  EXPECT_EQ(host.autosaveReads, (std::vector<int16_t>{0, 15}));
}

TEST_F(Config, RememberedFileIsTakenOnlyWhenNothingElseNamesOne) {
  const QByteArray text = "RPNX , 1\nRPNM , /pics/last one.bmp 'file\n";
  load(text);
  EXPECT_EQ(currentFile, "/pics/last one.bmp");
  currentFile.clear();
  load(text, true);  // a file came on the command line (even if it failed to load)
  EXPECT_EQ(currentFile, "");
  currentFile = "/other.bmp";
  load(text);
  EXPECT_EQ(currentFile, "/other.bmp");
  currentFile.clear();
  load("RPNX , 0\nRPNM , /pics/a.bmp\n");
  load("RPNM , /pics/a.bmp\nRPNX , 2\n");  // RPNX read too late
  EXPECT_EQ(currentFile, "");
}

TEST_F(Config, EndLineMissingOrDamagedFilesStillRead) {
  Settings s = load("FUZH , 1\r\n[EOF]\r\nFUZS , 2\r\n");
  EXPECT_EQ(std::tuple(s.FUZH, s.FUZS), std::tuple(1, 10));
  s = load("FUZH , 1\n [EOF]\nFUZS , 2");  // padded is not the end; no end line at all
  EXPECT_EQ(std::tuple(s.FUZH, s.FUZS), std::tuple(1, 2));
  s = load("'" + QByteArray(300000, 'x') + "\nLAN1 , /" + QByteArray(100000, 'a') +
           "\nFUZH , 20\rFUZS , 30\nLAN2 , /caf\xE9\n" + QByteArray("\0\0", 2) + "\nFUZV , 40\n");
  EXPECT_EQ(s.LAN1.size(), 100001);
  EXPECT_EQ(std::tuple(s.FUZH, s.FUZS, s.FUZV), std::tuple(20, 30, 40));  // a lone CR ends a line
  EXPECT_EQ(s.LAN2, QString::fromUtf8("/café"));
}

TEST_F(Config, MissingFilesAndFoldersInTheWay) {
  Settings s = loadFile();
  EXPECT_EQ(readAll(cnf()), kFactory);  // seeded, by rename: nothing else left behind
  EXPECT_EQ(QDir(app).entryList(QDir::Files | QDir::Hidden).size(), 2);
  EXPECT_EQ(std::tuple(s.FUZH, s.CMWT, s.BEWH, s.PRAD), std::tuple(10, 3600, 780, 1));

  {  // a file that exists but isn't read (too large) is not replaced by the seed
    QFile big(cnf());
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(kMaxConfigFileBytes + 1));
  }
  EXPECT_EQ(loadFile().FUZH, 10);
  EXPECT_EQ(QFileInfo(cnf()).size(), kMaxConfigFileBytes + 1);

  ASSERT_TRUE(QFile::remove(cnf()) && QFile::remove(configTemplatePath(app)));
  currentFile = "keep";
  EXPECT_EQ(loadFile(), Settings{});
  EXPECT_EQ(currentFile, "keep");
  EXPECT_FALSE(QFile::exists(cnf()));

  ASSERT_TRUE(QDir(app).mkdir("TUPA.CNF"));
  writeAll(configTemplatePath(app), "FUZH , 33\n[EOF]\n");
  EXPECT_EQ(loadFile().FUZH, 33);  // factory settings, read directly
  EXPECT_FALSE(SaveConfiguration(app, app, s, host));
  EXPECT_TRUE(QFileInfo(cnf()).isDir());
}

TEST_F(Config, KeyLinesAreRewrittenFromTheTemplate) {
  Settings s;
  s.ASAT = 15;
  s.MLLF = -120;
  s.LAN1 = QString::fromUtf8("/opt/ペイント/run");
  s.RPNM = "/pics/o'brien.bmp";  // would read back as "/pics/o": written empty
  s.LAN2 = "/a\nFEMD , 1";       // would add a line: written empty
  host.state = 1;
  EXPECT_EQ(save("' header\n   \n  ' comment  \nASAT , 0\nMLLF,5 'left\nLAN1 , old 'prog\nRPNM , "
                 "x\nLAN2,\n"
                 "ZZZZ ,  own 'unknown\nfuzh , 3\nPIWT , 0\nPIWS , 1\n[EOF]\nFUZH , 1\n",
                 s),
            (QStringList{"' header", "", "' comment", "ASAT ,  15 ", "MLLF , -120 'left",
                         QString::fromUtf8("LAN1 , /opt/ペイント/run 'prog"), "RPNM ,  ",
                         "LAN2 ,  ", "ZZZZ , own 'unknown", "fuzh , 3 ", "PIWT ,  600 ",
                         "PIWS ,  0 ", "[EOF]", "FUZH , 1"}));
  EXPECT_EQ(host.state, 0);
  EXPECT_EQ(save("FUZH\r\nPIWS , 0", s), (QStringList{"FUZH ,  10 ", "PIWS ,  0 ", "[EOF]"}));
}

Settings busySettings() {
  Settings s;
  s.FEMD = s.BEWD = s.IDSP = s.VDMD = s.LAM1 = s.LAM2 = s.ASAM = s.MERM = s.CDSP = s.LMOD = s.ACHK =
      s.MLDS = 1;
  s.SZWM = s.PRAD = 0;
  s.COWL = 100, s.COWT = 200, s.CMWL = 300, s.CMWT = 400, s.BEWT = 500, s.BEWL = 600, s.BEWW = 2000;
  s.BEWH = 1000, s.BERM = 2, s.RPNX = 2, s.CSEL = 3, s.DROP = -1, s.ASAT = 30, s.FUZH = 359;
  s.FUZS = -32768, s.FUZV = 32767, s.SPRI = 7, s.HSET = 120, s.MLLF = -45, s.MLTP = 9000,
  s.THPD = 75;
  s.RPNM = QString::fromUtf8("/home/太郎/絵 1.bmp");
  s.LAN1 = "/usr/bin/viewer, with comma";
  return s;
}

TEST_F(Config, WhatIsSavedReadsBackTheSame) {
  host.state = 2;
  Settings expected = busySettings();
  ASSERT_TRUE(SaveConfiguration(app, app, expected, host));
  const QByteArray first = readAll(cnf());
  const Settings loaded = loadFile();
  expected.PIWT = host.top, expected.PIWL = host.left, expected.PIWW = host.width,
  expected.PIWH = host.height;
  expected.PIWS = 2;
  EXPECT_EQ(loaded, expected);
  ASSERT_TRUE(SaveConfiguration(app, app, loaded, host));
  EXPECT_EQ(readAll(cnf()), first);

  // Any text comes back unchanged, or empty when the file can't hold it.
  QRandomGenerator rng(4242);
  const QString alphabet = QString::fromUtf8("ab/ .,'-\t\r\n$太é0");
  for (int round = 0; round < 100; ++round) {
    Settings s = busySettings();
    for (int i = rng.bounded(10); i > 0; --i) s.LAN2 += alphabet[rng.bounded(alphabet.size())];
    ASSERT_TRUE(SaveConfiguration(app, app, s, host));
    const Settings back = loadFile();
    EXPECT_TRUE(back.LAN2 == s.LAN2 || back.LAN2.isEmpty()) << s.LAN2.toStdString();
    EXPECT_EQ(back.FEMD, 1);
  }
}

TEST_F(Config, FailedSaveLeavesTheOldFileByteForByte) {
  const QByteArray old = "FUZH , 1 'the user's own\n[EOF]\n";
  writeAll(cnf(), old);
  const QStringList before = QDir(app).entryList(QDir::AllEntries | QDir::Hidden);
  for (qint64 failAt : {0, 1, 200, 1500}) {
    setWriteFaultInjector([failAt](qint64 written) { return written < failAt; });
    QString error;
    EXPECT_FALSE(SaveConfiguration(app, app, busySettings(), host, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readAll(cnf()), old) << failAt;
    EXPECT_EQ(QDir(app).entryList(QDir::AllEntries | QDir::Hidden), before);
  }
  setWriteFaultInjector(nullptr);

  ASSERT_TRUE(QFile::remove(configTemplatePath(app)));
  host.state = 1;
  EXPECT_FALSE(SaveConfiguration(app, app, busySettings(), host));
  EXPECT_EQ(readAll(cnf()), old);
  EXPECT_EQ(host.state, 1);  // nothing touched without a template
  EXPECT_FALSE(SaveConfiguration(dir.filePath("gone"), dir.filePath("gone"), busySettings(), host));
}

// A folder the user may not write into: as it is (where permissions hold,
// so not for root) and as the file layer reports it to anyone.
TEST_F(Config, ReadOnlyProgramFolder) {
  const QByteArray old = "FUZH , 44\n[EOF]\n";
  writeAll(configTemplatePath(app), old);
  const auto check = [&](const char* how, const QString& reason) {
    EXPECT_EQ(loadFile().FUZH, 44) << how;  // the seed fails; the factory settings still apply
    QString error;
    EXPECT_FALSE(SaveConfiguration(app, app, busySettings(), host, &error)) << how;
    EXPECT_EQ(error, reason) << how;
    EXPECT_FALSE(QFile::exists(cnf())) << how;
    EXPECT_EQ(QDir(app).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"DEFAULT.CNF"})
        << how;
  };
  for (const int errnum : {EACCES, EROFS}) {
    setFileFaultInjector([&](FileCall call, const QString& path) {
      return call == FileCall::CreateTemporary && path.startsWith(app + u'/') ? errnum : 0;
    });
    check("injected", fileErrorReason(errnum, FileAccess::Write));
  }
  setFileFaultInjector(nullptr);

  ASSERT_TRUE(QFile::setPermissions(app, QFile::ReadOwner | QFile::ExeOwner));
  if (::access(QFile::encodeName(app).constData(), W_OK) != 0)
    check("chmod", QString::fromUtf8("書き込み権限がありません"));
  QFile::setPermissions(app, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Settings an older version stored: Shift-JIS with CR LF, a Japanese path to
// reopen and a Japanese launcher program.
TEST_F(Config, OldShiftJisSettingsKeepTheirPathsAndTheirBytes) {
  Settings s = busySettings();
  s.LAN2 = QString::fromUtf8("/opt/ペイント ①/run");
  ASSERT_TRUE(SaveConfiguration(app, app, s, host));
  QStringEncoder encoder("Shift_JIS");
  const QByteArray old =
      encoder.encode(QString::fromUtf8(readAll(cnf())).replace(u'\n', QStringLiteral("\r\n")));
  ASSERT_FALSE(encoder.hasError());
  writeAll(cnf(), old);

  currentFile.clear();
  const Settings loaded = loadFile();
  EXPECT_EQ(loaded.RPNM, QString::fromUtf8("/home/太郎/絵 1.bmp"));
  EXPECT_EQ(loaded.LAN2, s.LAN2);
  EXPECT_EQ(currentFile, loaded.RPNM);
  ASSERT_TRUE(SaveConfiguration(app, app, loaded, host));
  EXPECT_EQ(readAll(cnf()), old);  // the RPNM line among them
  EXPECT_TRUE(old.contains(
      QByteArray(encoder.encode(QString::fromUtf8("\r\nRPNM , /home/太郎/絵 1.bmp '")))));

  // The template is read as it is stored, the file is written as TUPA.CNF is.
  writeAll(configTemplatePath(app), encoder.encode(QString::fromUtf8(kFactory)));
  ASSERT_TRUE(SaveConfiguration(app, app, loaded, host));
  EXPECT_EQ(readAll(cnf()), old);
  // A path Shift-JIS can't hold: the whole file UTF-8, nothing lost.
  Settings emoji = loaded;
  emoji.RPNM = QString::fromUtf8("/home/太郎/😀.bmp");
  ASSERT_TRUE(SaveConfiguration(app, app, emoji, host));
  EXPECT_TRUE(readAll(cnf()).contains(QString::fromUtf8("\r\nRPNM , /home/太郎/😀.bmp '").toUtf8()));
  EXPECT_EQ(loadFile().RPNM, emoji.RPNM);
}

TEST_F(Config, FactoryFileHoldsEveryKeyOnceInAWorkingOrder) {
  QStringList keys;
  for (const QString& line : splitConfigText(kFactory))
    if (!line.isEmpty() && !line.startsWith(u'\'') && line != "[EOF]")
      keys << splitKeyLine(line).key;
  const QStringList all =
      QString(
          "FEMD PIWT PIWS PIWL PIWW PIWH COWL COWT CMWL CMWT BEWT BEWL BEWW BEWH BEWD IDSP "
          "BEAU BERM VDMD SZWM RPNX RPNM CSEL DROP LAN1 LAN2 LAM1 LAM2 ASAM ASAT MERM FUZH "
          "FUZS FUZV SPRI CDSP LMOD ACHK HSET MLLF MLTP MLDS THPD PRAD")
          .split(u' ');
  EXPECT_EQ(QStringList(keys).join(u' '), all.join(u' '));
  EXPECT_TRUE(kFactory.endsWith("[EOF]\n"));
}

}  // namespace
}  // namespace tupalo
