#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>

#include "editor/addins/AddInRegistry.h"
#include "editor/core/Editor.h"
#include "support/ScriptedPrompter.h"

namespace tupalo {
namespace {

class AddInRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    e.AppPath = dir.path() + QStringLiteral("/prog");
    e.UserPath = dir.path() + QStringLiteral("/user");
    QDir().mkpath(e.AppPath);
    QDir().mkpath(e.UserPath);
    ASSERT_TRUE(QFile::copy(QStringLiteral(TUPALO_DATA_DIR "/DEFAULT.AIN"),
                            e.AppPath + QStringLiteral("/DEFAULT.AIN")));
    e.prompter = &prompter;
    setScannerProbe([] { return false; });
  }
  void TearDown() override { setScannerProbe({}); }

  static void write(const QString& path, const QString& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text.toUtf8());
  }
  static QString read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
  }
  QString registry() const { return read(addInRegistryPath(e.UserPath)); }

  // An AIP in its own folder; returns its path.
  QString package(const QString& name, const QString& body) {
    const QString folder = dir.path() + QStringLiteral("/pkg ") + name;
    QDir().mkpath(folder);
    const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".AIP");
    write(path, body + QStringLiteral("[EOF]\n"));
    return path;
  }
  AddInPackage load(const QString& path) {
    AddInPackage p;
    EXPECT_TRUE(readAddInPackage(path, p));
    return p;
  }

  QTemporaryDir dir;
  Editor e;
  ScriptedPrompter prompter;
};

TEST(AddInRecordTest, FieldsCommentsAndTheLastComma) {
  EXPECT_EQ(splitAddInRecord(u"  FFRD,A,x %FN,P|*.P|,.P  "),
            (QStringList{"FFRD", "A", "x %FN", "P|*.P|", ".P"}));
  EXPECT_EQ(splitAddInRecord(u"FFRD,A,x %FN,P|*.P|,.P,"),
            splitAddInRecord(u"FFRD,A,x %FN,P|*.P|,.P"));
  EXPECT_EQ(splitAddInRecord(u"SPOP,A,run ' the rest"), (QStringList{"SPOP", "A", "run"}));
  EXPECT_EQ(splitAddInRecord(u"ADIN,,b"), (QStringList{"ADIN", "", "b"}));
  EXPECT_TRUE(splitAddInRecord(u"' comment").isEmpty());
  EXPECT_EQ(splitAddInRecord(u"a,b,c,d,e,f,g,h,i,j,k,l,m").size(), addin::kMaxFields);
}

TEST_F(AddInRegistryTest, WrittenTwiceIsUnchangedAndHolesAreDropped) {
  AddInRegistry& r = e.addins;
  applyAddInRegistry({"ADIN,CONV,/opt/a b/conv,変換, 3", "ADIN,OLD,/x,古い,-2", "ADIN,SCAN,/s,S",
                      "TWSC,SCAN,scan %FN", "FFRD,CONV,read %ON %FN,PNG|*.PNG|,PNG",
                      "FFRD,,orphan,,X", "FFWT,CONV,write %FN %ON,PNG|*.PNG|,PNG",
                      "SPOP,OLD,go %FN", "BOGUS,1,2", "[EOF]", "ADIN,AFTER,/y,z"},
                     r);
  EXPECT_EQ(r.AddInCount, 3);
  EXPECT_EQ(r.AddIns[0].option, 3);
  EXPECT_EQ(r.AddIns[1].option, -2);
  EXPECT_EQ(r.HasTwainScan, 1);
  EXPECT_EQ(r.HasTwainSelect, 0);
  EXPECT_EQ(r.ReaderCount, 2);
  r.AddIns[1] = {};  // a hole, as a removal leaves it
  ASSERT_TRUE(SaveAddInRegistry(e));
  const QString first = registry();
  EXPECT_TRUE(first.contains("ADIN,CONV,/opt/a b/conv,変換, 3\nADIN,SCAN,/s,S, 0\n"));
  EXPECT_FALSE(first.contains("ADIN,OLD"));
  EXPECT_FALSE(first.contains("orphan"));
  EXPECT_FALSE(first.contains("NAME,"));  // the placeholders' own fields
  EXPECT_TRUE(first.contains("TWSC,SCAN,scan %FN\n"));
  EXPECT_FALSE(first.contains("TWSL,"));
  EXPECT_TRUE(first.endsWith("[EOF]\n"));
  ASSERT_TRUE(LoadAddInRegistry(e));
  EXPECT_EQ(e.addins.AddInCount, 2);
  ASSERT_TRUE(SaveAddInRegistry(e));
  EXPECT_EQ(registry(), first);
}

// Killed at any moment of a rewrite, the registry is still whole: never
// truncated, never half written.
TEST_F(AddInRegistryTest, AKillDuringTheRewriteLeavesAWholeRegistry) {
  applyAddInRegistry({"ADIN,CONV,/opt/conv,変換, 0", "FFRD,CONV,read %ON %FN,PNG|*.PNG|,PNG"},
                     e.addins);
  ASSERT_TRUE(SaveAddInRegistry(e));
  const QString whole = registry();
  ASSERT_TRUE(whole.endsWith("[EOF]\n"));
  for (int round = 0; round < 12; ++round) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
      for (;;) SaveAddInRegistry(e);  // rewrites until it is killed
    usleep(2000 + 700 * round);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_EQ(registry(), whole) << "killed after " << 2 + 0.7 * round << " ms";
  }
}

TEST_F(AddInRegistryTest, ATemplateWithoutAPlaceholderKeepsTheOldRegistry) {
  write(addInRegistryPath(e.UserPath), "ADIN,KEEP,/k,K, 0\n[EOF]\n");
  ASSERT_TRUE(LoadAddInRegistry(e));
  write(addInTemplatePath(e.AppPath), "ADIN,N,P,T, 0\nTWSL,N,A\nTWSC,N,A\nFFRD,N,A,F,E\n[EOF]\n");
  QString why;
  EXPECT_FALSE(SaveAddInRegistry(e, &why));
  EXPECT_TRUE(why.contains("FFWT SPOP")) << why.toStdString();
  QFile::remove(addInTemplatePath(e.AppPath));
  EXPECT_FALSE(SaveAddInRegistry(e));
  EXPECT_EQ(registry(), "ADIN,KEEP,/k,K, 0\n[EOF]\n");
}

TEST_F(AddInRegistryTest, ADoubledPlaceholderWritesItsRecordsOnce) {
  write(addInTemplatePath(e.AppPath),
        "ADIN,N\nTWSL,N\nTWSC,N\nFFRD,N\nFFWT,N\nSPOP,N\nADIN,N\n[EOF]\n");
  applyAddInRegistry({"ADIN,A,/a,A"}, e.addins);
  ASSERT_TRUE(SaveAddInRegistry(e));
  EXPECT_EQ(registry().count("ADIN,A"), 1);
}

TEST_F(AddInRegistryTest, LookupsByNameAndByExtension) {
  applyAddInRegistry({"ADIN,A,/a,Ta", "ADIN,B,/b,Tb", "FFRD,A,r,F|*.JPG|,.JPG", "FFRD,B,r,F|*.G|,G",
                      "FFRD,,r,,.BMP", "FFRD,A,r,,"},
                     e.addins);
  const FoundAddIn b = FindAddIn(e.addins, "B");
  EXPECT_EQ(b.index, 1);
  EXPECT_EQ(b.path, "/b");
  EXPECT_FALSE(b.missing);
  const FoundAddIn none = FindAddIn(e.addins, "b");
  EXPECT_TRUE(none.missing);
  EXPECT_EQ(none.index, -1);
  EXPECT_EQ(none.title, "不明なADD_INです。");
  EXPECT_TRUE(FindAddIn(e.addins, "").missing);
  EXPECT_EQ(findReader(e.addins, "/p/x.jpg"), 1);  // both end it: the later one
  EXPECT_EQ(findReader(e.addins, "/p/x.jpg.JPG "), 1);
  EXPECT_EQ(findReader(e.addins, "/p/x.tif"), -1);  // empty extensions match nothing
  EXPECT_EQ(findReader(e.addins, "/p/x.bmp"), -1);  // a hole matches nothing
  EXPECT_EQ(findWriter(e.addins, "/p/x.jpg"), -1);
}

TEST_F(AddInRegistryTest, APackageResolvesItsFolderAndListsWhatItOffers) {
  const QString aip = package("conv",
                              "ADIN,CONV,%%conv,変換, 1\nFFRD,read %ON %FN,P|*.PNG|,PNG\n"
                              "FFWT,write %FN %ON,P|*.PNG|,PNG\nSPOP,a\nSPOP,b %FN\n");
  const AddInPackage p = load(aip);
  EXPECT_EQ(p.addIn.path, dir.path() + "/pkg conv/conv");
  EXPECT_EQ(p.specialCommand, "b %FN");
  EXPECT_EQ(packageListLines(p, AddInListMode::Scanner),
            (QStringList{"SetUp: No TWAIN Select module", "Scan : No TWAIN Scan module"}));
  EXPECT_EQ(packageListLines(p, AddInListMode::Read), QStringList{"*.PNG:変換"});
  const AddInPackage slash = parseAddInPackage({"ADIN,X,%%/x,T"}, "/f");
  EXPECT_EQ(slash.addIn.path, "/f//x");
  EXPECT_EQ(parseAddInPackage({"ADIN,X,/abs/x,T"}, "/f").addIn.path, "/abs/x");
  EXPECT_TRUE(packageProblem(parseAddInPackage({"FFRD,r,F,X"}, "/f")).contains("ADIN"));
  // A folder the registry could not read back refuses the installation.
  const AddInPackage comma = parseAddInPackage({"ADIN,X,%%x,T"}, "/a,b");
  EXPECT_FALSE(packageProblem(comma).isEmpty());
  prompter.answer(Answer::Ok);
  EXPECT_FALSE(InstallAddIn(e, comma));
  EXPECT_TRUE(prompter.lastMessage().text.contains("/a,b/x"));
  EXPECT_EQ(e.addins.AddInCount, 0);
}

TEST_F(AddInRegistryTest, InstallAsksAboutTakenExtensionsAndRemovalTakesEverything) {
  ASSERT_TRUE(LoadAddInRegistry(e));
  ASSERT_TRUE(
      InstallAddIn(e, load(package("scan",
                                   "ADIN,SCAN,%%scan,Scanner, 0\nTWSL,select %FN\nTWSC,scan %FN\n"
                                   "FFRD,r %ON %FN,J|*.JPG|,JPG\nFFRD,r %ON %FN,T|*.TIF|,TIF\n"))));
  EXPECT_TRUE(prompter.messages().empty());
  // Answering No keeps the old reader and adds nothing for that extension.
  prompter.answer(Answer::No);
  ASSERT_TRUE(InstallAddIn(e, load(package("conv",
                                           "ADIN,CONV,%%conv,Conv, 0\n"
                                           "FFRD,read %ON %FN,J|*.JPG|,JPG\n"
                                           "FFRD,read %ON %FN,P|*.PNG|,PNG\n"))));
  EXPECT_EQ(prompter.lastMessage().text,
            "ファイル読み込みで拡張子JPGは\n既に指定されています置き換えますか?");
  EXPECT_EQ(prompter.lastMessage().defaultButton, 1);
  EXPECT_EQ(registryListLines(e.addins, AddInListMode::Read),
            (QStringList{"*.JPG:Scanner", "*.TIF:Scanner", "*.PNG:Conv"}));
  EXPECT_EQ(registryListLines(e.addins, AddInListMode::Scanner),
            (QStringList{"SetUp:Scanner", "Scan :Scanner"}));
  // The same name again, and a second scanner: refused with their messages.
  prompter.answer(Answer::Ok).answer(Answer::Ok);
  EXPECT_FALSE(InstallAddIn(e, load(package("conv2", "ADIN,CONV,/c,Other, 0\n"))));
  EXPECT_EQ(prompter.lastMessage().text, "同じ名前で既にConvが\nインストールされています。");
  EXPECT_FALSE(InstallAddIn(e, load(package("scan2", "ADIN,S2,/c,S2, 0\nTWSC,x\n"))));
  EXPECT_EQ(prompter.lastMessage().text, "既にSCANNERは指定されています。");

  prompter.answer(Answer::No).answer(Answer::Yes);
  EXPECT_FALSE(RemoveAddIn(e, 0));
  EXPECT_EQ(e.addins.AddInCount, 2);
  EXPECT_TRUE(RemoveAddIn(e, 0));
  EXPECT_EQ(prompter.lastMessage().text, "Scanner\nを削除いたします、本当によろしいですか?");
  EXPECT_EQ(e.addins.AddInCount, 1);
  EXPECT_EQ(e.addins.HasTwainScan, 0);
  EXPECT_EQ(e.addins.HasTwainSelect, 0);
  EXPECT_EQ(registryListLines(e.addins, AddInListMode::Read), QStringList{"*.PNG:Conv"});
  EXPECT_FALSE(registry().contains("SCAN"));
}

TEST_F(AddInRegistryTest, TheLimitsAreSaid) {
  for (int i = 0; i < addin::kMaxAddIns; ++i)
    e.addins.AddIns[i] = {QStringLiteral("A%1").arg(i), "/a", "t", 0};
  e.addins.AddInCount = addin::kMaxAddIns;
  prompter.answer(Answer::Ok);
  EXPECT_FALSE(InstallAddIn(e, parseAddInPackage({"ADIN,X,/x,T"}, "/f")));
  EXPECT_EQ(prompter.lastMessage().text, "Add_Inの最大数を超えました追加は出来ません。");

  AddInRegistry r;
  r.ReaderCount = addin::kMaxFormats;
  r.SpecialCount = addin::kMaxSpecials;
  for (auto& f : r.Readers) f = {"Y", "r", "F", "Y"};
  QStringList asked;
  ASSERT_TRUE(installIntoRegistry(
      r, parseAddInPackage({"ADIN,X,/x,T", "SPOP,s", "FFRD,r,F,A", "FFRD,r,F,B"}, "/f"),
      [&](const QString& text, Buttons, Icon, int) {
        asked << text;
        return Answer::Ok;
      }));
  EXPECT_EQ(asked, (QStringList{"Special Optionの最大数を超えました追加は出来ません。",
                                "読み込みの拡張子指定が最大数を超えました\n"
                                "一部追加されない読み込みファイル指定があります。"}));
}

TEST_F(AddInRegistryTest, AFirstRunInstallsTheShippedAddIns) {
  write(e.AppPath + "/CONVERT.AIP",
        "ADIN,CONV,%%conv,Conv, 0\nFFRD,read %ON %FN,P|*.PNG|,PNG\n[EOF]\n");
  write(e.AppPath + "/SCANNER.AIP", "ADIN,SCAN,%%scan,Scan, 0\nTWSC,scan %FN\n[EOF]\n");
  ASSERT_TRUE(LoadAddInRegistry(e));
  EXPECT_EQ(e.addins.AddInCount, 1);  // no scanner program here
  EXPECT_EQ(e.addins.AddIns[0].path, e.AppPath + "/conv");
  EXPECT_TRUE(registry().contains("FFRD,CONV,read %ON %FN,P|*.PNG|,PNG"));
  // Once the registry exists, what the user removed stays removed.
  prompter.answer(Answer::Yes);
  ASSERT_TRUE(RemoveAddIn(e, 0));
  ASSERT_TRUE(LoadAddInRegistry(e));
  EXPECT_EQ(e.addins.AddInCount, 0);

  QFile::remove(addInRegistryPath(e.UserPath));
  setScannerProbe([] { return true; });
  ASSERT_TRUE(LoadAddInRegistry(e));
  EXPECT_EQ(e.addins.AddInCount, 2);
  EXPECT_EQ(e.addins.HasTwainScan, 1);
}

TEST_F(AddInRegistryTest, CancelPutsTheBackupBack) {
  ASSERT_TRUE(LoadAddInRegistry(e));
  const QString before = registry();
  ASSERT_TRUE(BackupAddInRegistry(e));
  ASSERT_TRUE(InstallAddIn(e, parseAddInPackage({"ADIN,X,/x,T"}, "/f")));
  EXPECT_TRUE(registry().contains("ADIN,X"));
  ASSERT_TRUE(RestoreAddInRegistry(e));
  EXPECT_EQ(registry(), before);
  EXPECT_EQ(e.addins.AddInCount, 0);
  EXPECT_FALSE(QFile::exists(addInBackupPath(e.UserPath)));
}

}  // namespace
}  // namespace tupalo
