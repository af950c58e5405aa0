#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QRandomGenerator>

#include "platform/FileErrors.h"

namespace tupalo {

namespace {

struct WriteFault {
  std::function<bool(qint64)> injector;
  int errnum = ENOSPC;
};

WriteFault& writeFault() {
  static WriteFault fault;
  return fault;
}

// The file a write to `path` replaces: symbolic links are followed to their
// end, so a settings file linked from elsewhere stays linked. Empty with
// `errnum` set when the chain can't be followed.
QByteArray finalTarget(QByteArray path, int& errnum) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char buffer[PATH_MAX + 1];
    const ssize_t n = ::readlink(path.constData(), buffer, sizeof buffer);
    if (n < 0 || n >= static_cast<ssize_t>(sizeof buffer)) {
      errnum = n < 0 ? errno : ENAMETOOLONG;
      return {};
    }
    QByteArray link(buffer, n);
    if (!link.startsWith('/')) link.prepend(path.left(path.lastIndexOf('/') + 1));
    path = link;
  }
  errnum = ELOOP;
  return {};
}

// The temporary file beside the target; removed unless it was renamed over.
class TemporaryFile {
 public:
  TemporaryFile() = default;
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (fd >= 0) ::close(fd);
    if (!name.isEmpty()) ::unlink(name.constData());
  }

  int fd = -1;
  QByteArray name;  // empty once it has become the target
};

bool syncFile(int fd) {
  while (::fsync(fd) != 0)
    if (errno != EINTR) return false;
  return true;
}

}  // namespace

void setWriteFaultInjector(std::function<bool(qint64)> injector, int errnum) {
  writeFault() = {std::move(injector), errnum};
}

bool writeFileAtomically(
    const QString& path,
    const std::function<bool(const std::function<bool(const char*, qint64)>&)>& produce,
    QString* error) {
  const auto fail = [&](int errnum) {
    if (error) *error = fileErrorReason(errnum, FileAccess::Write);
    return false;
  };
  if (path.isEmpty() || path.contains(QChar(0))) return fail(ENOENT);
  int linkError = 0;
  const QByteArray target = finalTarget(QFile::encodeName(path), linkError);
  if (target.isEmpty()) return fail(linkError);

  struct stat old {};
  const bool replacing = ::stat(target.constData(), &old) == 0;
  if (!replacing && errno != ENOENT) return fail(errno);
  if (replacing) {
    if (S_ISDIR(old.st_mode)) return fail(EISDIR);
    // A file the user made read-only is not replaced behind their back.
    if (::access(target.constData(), W_OK) != 0) return fail(errno);
  }

  const qsizetype slash = target.lastIndexOf('/');
  const QByteArray folder = slash < 0 ? QByteArray() : target.left(slash + 1);
  // Hidden, and short enough for any file system whatever the target's length.
  const QByteArray base = (slash < 0 ? target : target.mid(slash + 1)).left(200);

  TemporaryFile temp;
  if (const int fault = injectedFileFault(FileCall::CreateTemporary, path)) return fail(fault);
  for (int attempt = 0;; ++attempt) {
    const QByteArray name = folder + '.' + base + '.' +
                            QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".tmp";
    // O_EXCL: never write into a file someone else placed there. Mode 0666
    // leaves a new file to the umask, as any other file the user creates.
    temp.fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (temp.fd >= 0) {
      temp.name = name;
      break;
    }
    if (errno != EEXIST || attempt == 99) return fail(errno);
  }
  if (replacing) {
    // Owner and group where we may give them (root saving a user's file),
    // then the old permission bits. Neither is worth failing the save over:
    // some file systems (FAT on a memory stick) hold no owners or bits at all.
    if (::fchown(temp.fd, old.st_uid, old.st_gid) != 0) {
    }
    if (::fchmod(temp.fd, old.st_mode & 07777) != 0) {
    }
  }

  qint64 written = 0;
  int writeError = 0;
  auto sink = [&](const char* data, qint64 size) -> bool {
    if (writeError) return false;
    const WriteFault& fault = writeFault();
    if (fault.injector && !fault.injector(written)) writeError = fault.errnum;
    if (!writeError) writeError = injectedFileFault(FileCall::Write, path);
    // Short writes happen (signals, pipes, some file systems): go on until
    // every byte is out or the system says why not.
    while (!writeError && size > 0) {
      const ssize_t n = ::write(temp.fd, data, static_cast<size_t>(size));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        writeError = n < 0 ? errno : ENOSPC;
        break;
      }
      data += n;
      size -= n;
      written += n;
    }
    return !writeError;
  };
  const bool produced = produce(sink);
  if (writeError) return fail(writeError);
  if (!produced) return fail(ECANCELED);

  // The data must be on the disk before the name points at it; a full disk
  // on a network file system may only show here or at close.
  if (const int fault = injectedFileFault(FileCall::Sync, path)) return fail(fault);
  if (!syncFile(temp.fd)) return fail(errno);
  const int closed = ::close(temp.fd);
  temp.fd = -1;
  if (closed != 0 && errno != EINTR) return fail(errno);

  if (const int fault = injectedFileFault(FileCall::Rename, path)) return fail(fault);
  if (::rename(temp.name.constData(), target.constData()) != 0) return fail(errno);
  temp.name.clear();

  // The rename itself lasts once the folder is synced; the file is already
  // complete under one name or the other, so a failure here changes nothing.
  const int dir =
      ::open(folder.isEmpty() ? "." : folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    syncFile(dir);
    ::close(dir);
  }
  return true;
}

bool writeFileAtomically(const QString& path, const QByteArray& data, QString* error) {
  return writeFileAtomically(
      path,
      [&](const std::function<bool(const char*, qint64)>& sink) {
        return sink(data.constData(), data.size());
      },
      error);
}

}  // namespace tupalo
