#include "platform/UserFolders.h"

#include <sys/stat.h>

#include <QDir>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include "platform/FileErrors.h"

namespace tupalo {

namespace {

const QString kFolderName = QStringLiteral("tupalo");

QString withoutTrailingSlash(QString path) {
  while (path.size() > 1 && path.endsWith(QLatin1Char('/'))) path.chop(1);
  return path;
}

// Creates `path` and every missing folder above it with mode 0700, as the
// user's configuration folders are meant to be made. Existing folders keep
// the mode they have.
bool makePrivateFolders(const QString& path) {
  const QFileInfo info(path);
  if (info.isDir()) return true;
  if (info.exists() || info.isSymLink()) return false;
  const QString parent = info.absolutePath();
  if (parent != info.absoluteFilePath() && !makePrivateFolders(parent)) return false;
  return ::mkdir(QFile::encodeName(path).constData(), 0700) == 0 || QFileInfo(path).isDir();
}

}  // namespace

QString FindProgramFolder(const QString& executableDir) {
  const QString dir = withoutTrailingSlash(executableDir);
  const auto holdsData = [](const QString& folder) {
    return QFileInfo::exists(folder + QStringLiteral("/DEFAULT.CNF"));
  };
  if (holdsData(dir)) return dir;
  for (const char* place : {"/../share/tupalo", "/../lib/tupalo"}) {
    const QString folder = QDir::cleanPath(dir + QLatin1String(place));
    if (holdsData(folder)) return folder;
  }
  return dir;
}

bool IsInstalledProgramFolder(const QString& appPath) {
  const QDir dir(QDir::cleanPath(QFileInfo(appPath).absoluteFilePath()));
  if (dir.dirName() != kFolderName) return false;
  QDir up = dir;
  if (!up.cdUp() ||
      (up.dirName() != QLatin1String("share") && up.dirName() != QLatin1String("lib")))
    return false;
  return up.cdUp() && QFileInfo(up.filePath(QStringLiteral("bin"))).isDir();
}

bool CanWriteFolder(const QString& folder) {
  if (injectedFileFault(FileCall::CreateTemporary, folder) != 0) return false;
  QTemporaryFile probe(folder + QStringLiteral("/.tupalo-probe-XXXXXX"));
  return probe.open();
}

FolderEnvironment FolderEnvironment::fromSystem() {
  const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  return {env.value(QStringLiteral("XDG_CONFIG_HOME")), QDir::homePath(), QDir::tempPath()};
}

WritableFolders ChooseWritableFolders(const QString& appPath, const FolderEnvironment& env) {
  WritableFolders out;
  if (!IsInstalledProgramFolder(appPath) && CanWriteFolder(appPath)) {
    out.user = appPath;
    out.exchange = appPath;
    return out;
  }
  out.separate = true;
  // A relative XDG_CONFIG_HOME is not a valid setting and is passed over.
  const QString configHome = QDir::isAbsolutePath(env.xdgConfigHome)
                                 ? env.xdgConfigHome
                                 : env.home + QStringLiteral("/.config");
  out.user = QDir::cleanPath(configHome + QLatin1Char('/') + kFolderName);
  makePrivateFolders(out.user);

  // mkdtemp: a folder of mode 0700 with a name no one can foresee.
  auto exchange = std::make_shared<QTemporaryDir>(env.tempRoot + QStringLiteral("/tupalo-XXXXXX"));
  if (exchange->isValid()) {
    out.exchange = exchange->path();
    out.exchangeFolder = std::move(exchange);
  } else {
    out.exchange = out.user;
  }
  return out;
}

}  // namespace tupalo
