// Where the editor writes: the program folder when it may, else the user's
// own folders.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/FileErrors.h"
#include "platform/UserFolders.h"

namespace tupalo {
namespace {

mode_t modeOf(const QString& path) {
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0) return 0;
  return st.st_mode & 07777;
}

QStringList entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

class UserFoldersTest : public ::testing::Test {
 protected:
  void TearDown() override { setFileFaultInjector(nullptr); }
  QString path(const QString& rel) const { return root.path() + QLatin1Char('/') + rel; }
  // A program folder with its factory settings file.
  QString programFolder(const QString& rel) {
    QDir().mkpath(path(rel));
    QFile f(path(rel) + QStringLiteral("/DEFAULT.CNF"));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    return path(rel);
  }
  FolderEnvironment env() const {
    return {path(QStringLiteral("home/u/cfg")), path(QStringLiteral("home/u")),
            path(QStringLiteral("tmp"))};
  }
  QTemporaryDir root;
};

TEST_F(UserFoldersTest, AWritableProgramFolderKeepsEverythingAndIsLeftClean) {
  const QString app = programFolder(QStringLiteral("build/bin"));
  const WritableFolders f = ChooseWritableFolders(app, env());
  EXPECT_FALSE(f.separate);
  EXPECT_EQ(f.user, app);
  EXPECT_EQ(f.exchange, app);
  EXPECT_EQ(f.exchangeFolder, nullptr);
  EXPECT_EQ(entries(app), QStringList{QStringLiteral("DEFAULT.CNF")});  // the probe is gone
  EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("home"))));
}

// An installed copy is never written to, even when it could be (root): the
// user folder and every missing folder above it are made private, and the
// exchange files get a private folder of their own that goes with the editor.
TEST_F(UserFoldersTest, AnInstalledCopyWritesToPrivateFoldersOfTheUser) {
  QDir().mkpath(path(QStringLiteral("usr/bin")));
  QDir().mkpath(path(QStringLiteral("tmp")));
  const QString app = programFolder(QStringLiteral("usr/share/tupalo"));
  EXPECT_EQ(FindProgramFolder(path(QStringLiteral("usr/bin"))), app);
  ASSERT_TRUE(IsInstalledProgramFolder(app));

  WritableFolders f = ChooseWritableFolders(app, env());
  EXPECT_TRUE(f.separate);
  EXPECT_EQ(f.user, path(QStringLiteral("home/u/cfg/tupalo")));
  EXPECT_TRUE(QFileInfo(f.user).isDir());
  for (const char* made : {"home", "home/u", "home/u/cfg", "home/u/cfg/tupalo"})
    EXPECT_EQ(modeOf(path(QString::fromLatin1(made))), 0700u) << made;
  EXPECT_TRUE(f.exchange.startsWith(path(QStringLiteral("tmp/tupalo-"))));
  EXPECT_EQ(modeOf(f.exchange), 0700u);
  EXPECT_EQ(entries(app), QStringList{QStringLiteral("DEFAULT.CNF")});

  const QString exchange = f.exchange;
  f = {};
  EXPECT_FALSE(QFileInfo::exists(exchange));
  EXPECT_TRUE(entries(path(QStringLiteral("tmp"))).isEmpty());
}

TEST_F(UserFoldersTest, ARelativeConfigHomeIsPassedOverAndAnExistingFolderKeepsItsMode) {
  QDir().mkpath(path(QStringLiteral("home/u/.config/tupalo")));
  ::chmod(QFile::encodeName(path(QStringLiteral("home/u/.config/tupalo"))).constData(), 0750);
  const QString app = programFolder(QStringLiteral("opt/tupalo"));
  setFileFaultInjector([&](FileCall call, const QString& where) {
    return call == FileCall::CreateTemporary && where == app ? EROFS : 0;
  });
  FolderEnvironment e = env();
  e.xdgConfigHome = QStringLiteral("relative/cfg");
  const WritableFolders f = ChooseWritableFolders(app, e);
  EXPECT_TRUE(f.separate);
  EXPECT_EQ(f.user, path(QStringLiteral("home/u/.config/tupalo")));
  EXPECT_EQ(modeOf(f.user), 0750u);
  EXPECT_FALSE(QFileInfo::exists(QStringLiteral("relative")));
}

// Without a temporary folder the exchange files stay private in the user's.
TEST_F(UserFoldersTest, NoTemporaryFolderMeansTheUserFolderForExchanges) {
  QDir().mkpath(path(QStringLiteral("usr/bin")));
  const QString app = programFolder(QStringLiteral("usr/lib/tupalo"));
  FolderEnvironment e = env();
  e.tempRoot = path(QStringLiteral("no/such/tmp"));
  const WritableFolders f = ChooseWritableFolders(app, e);
  EXPECT_EQ(f.exchange, f.user);
  EXPECT_EQ(f.exchangeFolder, nullptr);
}

TEST_F(UserFoldersTest, DataBesideTheExecutableWinsOverAnInstalledCopy) {
  const QString bin = programFolder(QStringLiteral("usr/bin"));
  programFolder(QStringLiteral("usr/share/tupalo"));
  EXPECT_EQ(FindProgramFolder(bin + QLatin1Char('/')), bin);
  EXPECT_FALSE(IsInstalledProgramFolder(bin));
  // A folder merely named tupalo is no installed copy.
  EXPECT_FALSE(IsInstalledProgramFolder(programFolder(QStringLiteral("src/tupalo"))));
  EXPECT_EQ(FindProgramFolder(path(QStringLiteral("nothing/bin"))),
            path(QStringLiteral("nothing/bin")));
}

}  // namespace
}  // namespace tupalo
