#include "platform/AtomicFile.h"

#include <QSaveFile>

namespace tupalo {

namespace {
std::function<bool(qint64)>& faultInjector() {
  static std::function<bool(qint64)> injector;
  return injector;
}
}  // namespace

void setWriteFaultInjector(std::function<bool(qint64)> injector) {
  faultInjector() = std::move(injector);
}

bool writeFileAtomically(const QString& path,
                         const std::function<bool(const std::function<bool(const char*, qint64)>&)>& produce,
                         QString* error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    if (error) *error = file.errorString();
    return false;
  }
  qint64 written = 0;
  QString failure;
  auto sink = [&](const char* data, qint64 size) -> bool {
    if (!failure.isEmpty()) return false;
    if (faultInjector() && !faultInjector()(written)) {
      failure = QStringLiteral("No space left on device");
      return false;
    }
    // QSaveFile may report success for a short write on a full disk: check
    // that every byte went out.
    qint64 done = 0;
    while (done < size) {
      const qint64 n = file.write(data + done, size - done);
      if (n <= 0) {
        failure = file.errorString();
        if (failure.isEmpty()) failure = QStringLiteral("Write failed");
        return false;
      }
      done += n;
    }
    written += size;
    return true;
  };
  const bool produced = produce(sink);
  if (produced && failure.isEmpty() && !file.flush()) failure = file.errorString();
  if (produced && failure.isEmpty() && file.error() != QFileDevice::NoError)
    failure = file.errorString();
  if (!produced && failure.isEmpty()) failure = QStringLiteral("Write failed");
  if (!failure.isEmpty()) {
    file.cancelWriting();
    file.commit();  // discards the temporary file
    if (error) *error = failure;
    return false;
  }
  if (!file.commit()) {
    if (error) *error = file.errorString();
    return false;
  }
  return true;
}

bool writeFileAtomically(const QString& path, const QByteArray& data, QString* error) {
  return writeFileAtomically(
      path, [&](const std::function<bool(const char*, qint64)>& sink) {
        return sink(data.constData(), data.size());
      },
      error);
}

}  // namespace tupalo
