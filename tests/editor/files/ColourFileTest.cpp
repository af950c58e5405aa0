#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSet>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <cstring>

#include "editor/files/ColourFile.h"
#include "editor/files/ConfigText.h"
#include "platform/AtomicFile.h"

namespace tupalo {

bool operator==(const ColourDictionary& a, const ColourDictionary& b) {
  return a.ColourPageNames == b.ColourPageNames && a.CurrentColourPage == b.CurrentColourPage &&
         std::memcmp(a.ColourTable, b.ColourTable, sizeof a.ColourTable) == 0;
}

namespace {

QByteArray readAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeAll(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size());
}

const QByteArray kFactory = readAll(QStringLiteral(TUPALO_DATA_DIR "/DEFAULT.CDI"));

using Colour = std::array<int16_t, 3>;
Colour colourOf(const ColourDictionary& d, int page, int colour) {
  const auto& c = d.ColourTable[page][colour];
  return {c[1], c[2], c[3]};
}

// A program folder of its own per test, holding the shipped DEFAULT.CDI.
class ColourFile : public ::testing::Test {
 protected:
  void SetUp() override { writeAll(colourTemplatePath(app), kFactory); }
  void TearDown() override { setWriteFaultInjector(nullptr); }
  QString cdi() const { return colourFilePath(app); }

  ColourDictionary load(const QByteArray& text) {
    writeAll(cdi(), text);
    return loadFile();
  }
  ColourDictionary loadFile() {
    ColourDictionary d;
    d.ColourPageNames[4] = "stale";  // all of it must be reset
    d.ColourTable[5][0][1] = 99;
    d.CurrentColourPage = 7;
    LoadColourFile(app, app, d);
    return d;
  }
  QStringList rewrite(const QByteArray& file, const ColourDictionary& d) {
    writeAll(cdi(), file);
    EXPECT_TRUE(SaveColourFile(app, app, d));
    return splitConfigText(readAll(cdi()));
  }

  QTemporaryDir dir;
  QString app = dir.path();
};

TEST_F(ColourFile, PagesColoursAndLinesThatHaveNowhereToGo) {
  const ColourDictionary d = load(
      "' header\nCA_R , 200\n"  // before the first page
      "CNAM , 基本 'first page\nCA_R , 1\nCA_G,2\n  CA_B ,  3 'blue\nC[_G , 7\n"
      "C\\_R , 9\nC@_R , 9\nCA_X , 9\nCA_ , 9\n"  // colour 27, colour -1, no component, short key
      "CB_R , 300\nCB_G , -4\nCB_B , 99999\n'CC_R , 5\n"
      "CNAM ,\nCA_R , 1.5\nCNAM , 三\nCZ_B , 255\n");  // three pages, no [EOF]: read to the end
  EXPECT_EQ(d.ColourPageNames[0], QString::fromUtf8("基本"));
  EXPECT_EQ(d.ColourPageNames[1], "");
  EXPECT_EQ(d.ColourPageNames[2], QString::fromUtf8("三"));
  for (int page = 3; page < 10; ++page)
    EXPECT_EQ(d.ColourPageNames[page], " " + QString::number(page) + ".");
  EXPECT_EQ(colourOf(d, 0, 0), (Colour{1, 2, 3}));
  EXPECT_EQ(colourOf(d, 0, 26), (Colour{0, 7, 0}));
  EXPECT_EQ(colourOf(d, 0, 1), (Colour{255, 0, 0})) << "0..255; beyond 16 bits not read";
  EXPECT_EQ(colourOf(d, 0, 2), (Colour{0, 0, 0}));
  EXPECT_EQ(colourOf(d, 1, 0), (Colour{2, 0, 0}));  // 1.5 rounds to the even 2
  EXPECT_EQ(colourOf(d, 2, 25), (Colour{0, 0, 255}));
  EXPECT_EQ(d.CurrentColourPage, 0);
  for (int page = 3; page < ColourDictionary::kPages; ++page)
    for (int c = 0; c < 27; ++c) EXPECT_EQ(colourOf(d, page, c), (Colour{0, 0, 0})) << page;

  // An eleventh page is not read; "[EOF]" ends the data only as it stands.
  QByteArray eleven;
  for (int i = 1; i <= 11; ++i)
    eleven += "CNAM , p" + QByteArray::number(i) + "\nCA_R , " + QByteArray::number(i) + "\n";
  const ColourDictionary e = load(eleven + " [EOF]\nCNAM , late\n[EOF]\nCNAM , after\n");
  EXPECT_EQ(std::tuple(e.ColourPageNames[9], e.ColourPageNames[10]), std::tuple("p10", " 10."));
  EXPECT_EQ(std::tuple(e.ColourTable[9][0][1], e.ColourTable[10][0][1]), std::tuple(10, 0));
}

TEST_F(ColourFile, LinesAreRewrittenInPlace) {
  ColourDictionary d;
  d.ColourPageNames[0] = QString::fromUtf8("肌");
  d.ColourPageNames[1] = "Tom's\nnew";  // would cut the name and leave a stray comment
  d.ColourTable[0][0][2] = 128;
  d.ColourTable[0][26][3] = 5;
  d.ColourTable[1][1][1] = 77;
  QByteArray pages2to10 = "CNAM , x\n";
  for (int i = 0; i < 8; ++i) pages2to10 += "CNAM , y\n";
  EXPECT_EQ(rewrite("  ' comment  \n\nCA_G , 9 'orphan\nCNAM , old 'skin\nCA_G,1\nC[_B , 1 "
                    "'last\nCA_Q , 4 'odd\n"
                    "ZZZZ , own\nCNAM , b\nCB_R , 0\n" +
                        pages2to10 + "CA_R , 6\n[EOF]\nCA_R , 1\n",
                    d),
            (QStringList{"' comment",
                         "",
                         "CA_G , 9 'orphan",
                         QString::fromUtf8("CNAM , 肌 'skin"),
                         "CA_G , 128 ",
                         "C[_B , 5 'last",
                         "CA_Q , 4 'odd",
                         "ZZZZ , own ",
                         QString::fromUtf8("CNAM , Tom’s new "),
                         "CB_R , 77 ",
                         "CNAM ,  2. ",
                         "CNAM ,  3. ",
                         "CNAM ,  4. ",
                         "CNAM ,  5. ",
                         "CNAM ,  6. ",
                         "CNAM ,  7. ",
                         "CNAM ,  8. ",
                         "CNAM ,  9. ",
                         "CNAM , y ",
                         "CA_R , 6 ",
                         "[EOF]",
                         "CA_R , 1"}));
  EXPECT_EQ(rewrite("CNAM , a\nCA_R , 1", d),
            (QStringList{QString::fromUtf8("CNAM , 肌 "), "CA_R , 0 ", "[EOF]"}));
}

TEST_F(ColourFile, FactoryFileIsSeededAndWhatIsSavedReadsBackTheSame) {
  ColourDictionary d = loadFile();
  EXPECT_EQ(readAll(cdi()), kFactory);
  EXPECT_EQ(QDir(app).entryList(QDir::Files | QDir::Hidden).size(), 2);
  ASSERT_TRUE(SaveColourFile(app, app, d));
  EXPECT_EQ(readAll(cdi()), kFactory) << "the factory lines are in the form the editor writes";

  for (int page = 0; page < 10; ++page) {
    d.ColourPageNames[page] = QString::fromUtf8("頁 %1 , x").arg(page);
    for (int c = 0; c < 27; ++c)
      for (int k = 1; k <= 3; ++k)
        d.ColourTable[page][c][k] = static_cast<int16_t>((page * 31 + c * 7 + k * 101) % 256);
  }
  ASSERT_TRUE(SaveColourFile(app, app, d));
  const QByteArray first = readAll(cdi());
  const ColourDictionary back = loadFile();
  EXPECT_EQ(back, d);
  ASSERT_TRUE(SaveColourFile(app, app, back));
  EXPECT_EQ(readAll(cdi()), first);
}

TEST_F(ColourFile, MissingFilesAndFoldersInTheWay) {
  ASSERT_TRUE(QFile::remove(colourTemplatePath(app)));
  ColourDictionary d = loadFile();
  EXPECT_EQ(d, ColourDictionary{});
  EXPECT_FALSE(QFile::exists(cdi()));
  // With no file to take the lines from, every page and colour is written.
  d.ColourTable[9][26][3] = 200;
  ASSERT_TRUE(SaveColourFile(app, app, d));
  EXPECT_EQ(splitConfigText(readAll(cdi())).size(), 10 * (1 + 27 * 3) + 1);
  EXPECT_EQ(loadFile().ColourTable[9][26][3], 200);

  // Removed while the editor ran: the factory file's lines are taken.
  writeAll(colourTemplatePath(app), "CNAM , f\nCA_R , 0\n[EOF]\n");
  ASSERT_TRUE(QFile::remove(cdi()));
  d.ColourTable[0][0][1] = 12;
  ASSERT_TRUE(SaveColourFile(app, app, d));
  EXPECT_EQ(readAll(cdi()), "CNAM ,  0. \nCA_R , 12 \n[EOF]\n");

  // A TUPA.CDI that can't be read is neither seeded over nor replaced.
  ASSERT_TRUE(QFile::remove(cdi()) && QDir(app).mkdir("TUPA.CDI"));
  QString error;
  EXPECT_FALSE(LoadColourFile(app, app, d, &error));
  EXPECT_EQ(error, QString::fromUtf8("ファイルではなくフォルダです"));
  EXPECT_EQ(d.ColourPageNames[0], "f");
  EXPECT_FALSE(SaveColourFile(app, app, d, &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_TRUE(QFileInfo(cdi()).isDir());
}

TEST_F(ColourFile, FailedSaveLeavesTheOldFileByteForByte) {
  writeAll(cdi(), kFactory);
  ColourDictionary d = loadFile();
  d.ColourTable[9][26][1] = 1;
  const QStringList before = QDir(app).entryList(QDir::AllEntries | QDir::Hidden);
  for (qint64 failAt :
       {qint64(0), qint64(1), qint64(4096), kFactory.size() - 10}) {  // down to the last line
    setWriteFaultInjector([failAt](qint64 written) { return written < failAt; });
    QString error;
    EXPECT_FALSE(SaveColourFile(app, app, d, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readAll(cdi()), kFactory) << failAt;
    EXPECT_EQ(QDir(app).entryList(QDir::AllEntries | QDir::Hidden), before);
  }
}

// The factory file as an older version stored it: Shift-JIS, CR LF.
QByteArray oldStyle(const QByteArray& utf8) {
  QStringEncoder encoder("Shift_JIS");
  const QByteArray bytes =
      encoder.encode(QString::fromUtf8(utf8).replace(u'\n', QStringLiteral("\r\n")));
  EXPECT_FALSE(encoder.hasError());
  return bytes;
}

TEST_F(ColourFile, OldShiftJisFileShowsItsNamesAndComesBackByteForByte) {
  const QByteArray old = oldStyle(kFactory);
  ASSERT_NE(old, kFactory);
  ColourDictionary d = load(old);
  EXPECT_EQ(d.ColourPageNames[0], QString::fromUtf8("基本色"));
  EXPECT_EQ(d.ColourPageNames[1], QString::fromUtf8("グレー"));
  ColourDictionary factory;
  applyColourFile(splitConfigText(kFactory), factory);
  EXPECT_EQ(d, factory);
  ASSERT_TRUE(SaveColourFile(app, app, d));
  EXPECT_EQ(readAll(cdi()), old);

  // Changes stay in the file's own encoding...
  d.ColourPageNames[1] = QString::fromUtf8("灰色");
  d.ColourTable[1][0][1] = 7;
  ASSERT_TRUE(SaveColourFile(app, app, d));
  const QByteArray renamed = readAll(cdi());
  EXPECT_TRUE(renamed.contains(oldStyle("\nCNAM , 灰色 \nCA_R , 7 \n")));
  EXPECT_EQ(loadFile(), d);
  // ...until a name needs more than it has: then all of it is UTF-8, CR LF kept.
  d.ColourPageNames[2] = QString::fromUtf8("空😀");
  ASSERT_TRUE(SaveColourFile(app, app, d));
  const QByteArray utf8 = readAll(cdi());
  EXPECT_TRUE(utf8.startsWith(QString::fromUtf8("' Tupa 色定義ファイル").toUtf8()));
  EXPECT_TRUE(utf8.contains(QString::fromUtf8("\r\nCNAM , 空😀 \r\n").toUtf8()));
  EXPECT_EQ(loadFile(), d);
}

// An indented end line is no end, to the reader nor to the writer; what
// follows the real end survives every save.
TEST_F(ColourFile, PagesPastALookalikeEndLineAndTheTailAfterTheEndAreKept) {
  const QByteArray file =
      "CNAM , a\nCA_R , 1\n  [EOF]\nCNAM , b\nCA_R , 2\n[EOF]\n  ' mine , kept\nCNAM , c\n";
  ColourDictionary d = load(file);
  EXPECT_EQ(std::tuple(d.ColourPageNames[1], d.ColourTable[1][0][1]), std::tuple("b", 2));
  EXPECT_EQ(d.ColourPageNames[2], " 2.");
  d.ColourPageNames[1] = "B";
  d.ColourTable[1][0][1] = 20;
  ASSERT_TRUE(SaveColourFile(app, app, d));
  EXPECT_EQ(
      readAll(cdi()),
      "CNAM , a \nCA_R , 1 \n  [EOF]\nCNAM , B \nCA_R , 20 \n[EOF]\n  ' mine , kept\nCNAM , c\n");
  EXPECT_EQ(loadFile(), d);
}

TEST_F(ColourFile, FileWithoutPagesIsSeededLikeAMissingOne) {
  for (const QByteArray& pageless :
       {QByteArray(), QByteArray("' only a comment\r\n\r\n[EOF]\r\nCNAM , after\r\n"),
        QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\xFF\xFE", 18)}) {
    ColourDictionary d = load(pageless);
    EXPECT_EQ(d.ColourPageNames[0], QString::fromUtf8("基本色"));
    EXPECT_EQ(readAll(cdi()), kFactory);
    // What the user stores in write mode reaches the file at quit.
    d.ColourTable[9][26][3] = 201;
    ASSERT_TRUE(SaveColourFile(app, app, d));
    EXPECT_EQ(loadFile().ColourTable[9][26][3], 201);
  }
  // Emptied while the editor ran: the factory lines are the template.
  ColourDictionary d = loadFile();
  d.ColourPageNames[3] = QStringLiteral("kept");
  writeAll(cdi(), "' nothing\n");
  ASSERT_TRUE(SaveColourFile(app, app, d));
  EXPECT_EQ(loadFile(), d);
}

TEST(FactoryColourFile, HoldsEveryLineOfTenNamedPagesOfDistinctColours) {
  const QStringList lines = splitConfigText(kFactory);
  ASSERT_FALSE(lines.isEmpty());
  EXPECT_EQ(lines.last(), "[EOF]");
  QStringList expectedKeys, keys;
  for (int page = 0; page < 10; ++page) {
    expectedKeys << "CNAM";
    for (int c = 0; c < 27; ++c)
      for (const char* k : {"R", "G", "B"})
        expectedKeys << QStringLiteral("C%1_%2").arg(QChar(65 + c)).arg(k);
  }
  for (const QString& line : lines.first(lines.size() - 1))
    if (!line.isEmpty() && !line.startsWith(u'\'')) keys << splitKeyLine(line).key;
  EXPECT_EQ(keys, expectedKeys);

  ColourDictionary d;
  applyColourFile(lines, d);
  QSet<QString> names;
  for (int page = 0; page < 10; ++page) {
    EXPECT_FALSE(d.ColourPageNames[page].startsWith(u' ')) << page;  // named, not the default
    names.insert(d.ColourPageNames[page]);
    QSet<int> colours;
    for (const auto& c : d.ColourTable[page]) colours.insert(c[1] | c[2] << 8 | c[3] << 16);
    EXPECT_EQ(colours.size(), 27) << page;  // no colour twice on a page
  }
  EXPECT_EQ(names.size(), 10);
}

}  // namespace
}  // namespace tupalo
