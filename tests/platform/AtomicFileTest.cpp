#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>

#include "platform/AtomicFile.h"
#include "platform/FileErrors.h"

namespace tupalo {
namespace {

class AtomicFileTest : public ::testing::Test {
 protected:
  void TearDown() override {
    setWriteFaultInjector(nullptr);
    setFileFaultInjector(nullptr);
  }
  QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
  QByteArray read(const QString& file) const {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
  }
  QStringList entries() const {
    return QDir(dir.path())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);
  }
  static mode_t modeOf(const QString& file) {
    struct stat st {};
    EXPECT_EQ(::lstat(QFile::encodeName(file).constData(), &st), 0);
    return st.st_mode;
  }

  QTemporaryDir dir;
};

// Whichever call fails, with whichever errno: the old file is as it was, no
// temporary file is left, and the reason names that errno.
TEST_F(AtomicFileTest, FailureAtAnyStepKeepsTheOldFileAndSaysWhy) {
  const QString target = path("絵.bmp");
  ASSERT_TRUE(writeFileAtomically(target, "old contents"));
  const QStringList before = entries();
  const QByteArray large(300000, 'x');
  for (const FileCall step :
       {FileCall::CreateTemporary, FileCall::Write, FileCall::Sync, FileCall::Rename}) {
    for (const int errnum : {ENOSPC, EDQUOT, EACCES, EROFS, EIO, ENOTSUP}) {
      setFileFaultInjector([&](FileCall call, const QString& name) {
        return call == step && name == target ? errnum : 0;
      });
      QString error;
      EXPECT_FALSE(writeFileAtomically(target, large, &error)) << int(step) << " " << errnum;
      EXPECT_EQ(error, fileErrorReason(errnum, FileAccess::Write));
      EXPECT_EQ(read(target), "old contents");
      EXPECT_EQ(entries(), before);
    }
  }
  setFileFaultInjector(nullptr);
  // The byte-counting seam: a quota reached half way.
  setWriteFaultInjector([](qint64 written) { return written < 100; }, EDQUOT);
  QString error;
  EXPECT_FALSE(writeFileAtomically(
      target,
      [](const std::function<bool(const char*, qint64)>& sink) {
        return sink("0123456789", 10) && sink(QByteArray(200, 'y').constData(), 200) &&
               sink("z", 1);
      },
      &error));
  EXPECT_EQ(error, QString::fromUtf8("ディスクの使用量の上限を超えています"));
  EXPECT_EQ(read(target), "old contents");
  EXPECT_EQ(entries(), before);
  setWriteFaultInjector(nullptr);
  ASSERT_TRUE(writeFileAtomically(target, large));
  EXPECT_EQ(read(target), large);
  EXPECT_EQ(entries(), before);
}

// What the system itself refuses, by the errno it gives; a number without a
// sentence of its own gets the system's words, never an empty reason.
TEST_F(AtomicFileTest, ReasonsComeFromTheFailingCall) {
  EXPECT_EQ(fileErrorReason(ENOTSUP, FileAccess::Write),
            QString::fromLocal8Bit(std::strerror(ENOTSUP)));
  EXPECT_FALSE(fileErrorReason(12345, FileAccess::Write).isEmpty());
  QString error;
  EXPECT_FALSE(writeFileAtomically(path("no such folder/a.bmp"), "x", &error));
  EXPECT_EQ(error, QString::fromUtf8("保存先のフォルダがありません"));
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder.bmp"));
  EXPECT_FALSE(writeFileAtomically(path("folder.bmp"), "x", &error));
  EXPECT_EQ(error, QString::fromUtf8("同じ名前のフォルダがあります"));
  EXPECT_FALSE(writeFileAtomically(path("folder.bmp/") + QString(300, u'a'), "x", &error));
  EXPECT_EQ(error, QString::fromUtf8("パス又はファイル名が長すぎます"));
}

// The replacement is the same file to the user: its permission bits, and a
// symbolic link stays a link to the replaced file.
TEST_F(AtomicFileTest, ReplacementKeepsPermissionsAndLinks) {
  const QString target = path("TUPA.CNF");
  ASSERT_TRUE(writeFileAtomically(target, "one"));
  const mode_t mask = ::umask(022);
  ::umask(mask);
  EXPECT_EQ(modeOf(target) & 07777, 0666 & ~mask);
  ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
  ASSERT_TRUE(writeFileAtomically(target, "two"));
  EXPECT_EQ(modeOf(target) & 07777, 0640u);
  EXPECT_EQ(read(target), "two");

  ASSERT_TRUE(QDir(dir.path()).mkdir("real"));
  ASSERT_TRUE(
      QFile::link(QStringLiteral("real/TUPA.CDI"), path("TUPA.CDI")));  // relative, dangling
  ASSERT_TRUE(writeFileAtomically(path("TUPA.CDI"), "three"));
  EXPECT_TRUE(S_ISLNK(modeOf(path("TUPA.CDI"))));
  EXPECT_EQ(read(path("real/TUPA.CDI")), "three");
  ASSERT_TRUE(writeFileAtomically(path("TUPA.CDI"), "four"));
  EXPECT_EQ(read(path("real/TUPA.CDI")), "four");
  EXPECT_EQ(QDir(path("real")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{"TUPA.CDI"});

  // A file the user made read-only is left alone (root may write anything).
  ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0444), 0);
  if (::access(QFile::encodeName(target).constData(), W_OK) != 0) {
    QString error;
    EXPECT_FALSE(writeFileAtomically(target, "five", &error));
    EXPECT_EQ(error, QString::fromUtf8("書き込み権限がありません"));
    EXPECT_EQ(read(target), "two");
  }
}

}  // namespace
}  // namespace tupalo
