#include "editor/addins/AddInRun.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QEventLoop>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <memory>

#include "editor/core/Editor.h"
#include "platform/FileErrors.h"
#include "platform/Process.h"
#include "platform/Prompt.h"

namespace tupalo {

QStringList splitCommandLine(const QString& text) {
  QStringList words;
  QString word;
  bool inWord = false;
  bool quoted = false;
  for (const QChar c : text) {
    if (c == u'"') {
      quoted = !quoted;
      inWord = true;  // "" alone is an empty word
    } else if (!quoted && (c == u' ' || c == u'\t')) {
      if (inWord) words << word;
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words << word;
  return words;
}

QString ShortFolder(const QString& longPath) {
  QString out = longPath.trimmed();
  if (const qsizetype nul = out.indexOf(QChar(0)); nul >= 0) out.truncate(nul);
  return out;
}

QString ExpandTemplate(const Editor& e, const QString& text, const QString& exchangeFile) {
  const QString& current = e.CurrentFileName;
  QString out;
  for (qsizetype i = 0; i < text.size();) {
    const QStringView three = QStringView(text).mid(i, 3);
    if (three == u"%GP") {
      out += e.AppPath;
    } else if (three == u"%FN") {
      out += exchangeFile;
    } else if (three == u"%ON") {
      out += current;
    } else if (three == u"%SO") {
      const qsizetype slash = current.lastIndexOf(u'/');
      if (slash >= 0) out += ShortFolder(current.left(slash + 1)) + current.mid(slash + 1);
    } else if (three == u"%OF") {
      if (current.size() > 4) out += current.left(current.size() - 4);
    } else {
      out += text[i];
      ++i;
      continue;
    }
    i += 3;
  }
  return out;
}

QStringList ExpandArguments(const Editor& e, const QString& text, const QString& exchangeFile) {
  QStringList args = splitCommandLine(text);
  for (QString& a : args) a = ExpandTemplate(e, a, exchangeFile);
  return args;
}

QString MakeExchangeFile(const QString& folder, QTime now, QString* error) {
  if (!now.isValid()) now = QTime(0, 0);
  for (int step = 0; step < 24 * 60 * 60; ++step) {
    const QTime t = now.addSecs(step);
    const QString path = folder + QStringLiteral("/GT") + t.toString(QStringLiteral("hhmmss")) +
                         QStringLiteral(".BMP");
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
    if (fd >= 0) {
      ::close(fd);
      return path;
    }
    if (errno != EEXIST) {
      if (error) *error = fileErrorReason(errno, FileAccess::Write);
      return {};
    }
  }
  if (error) *error = fileErrorReason(EEXIST, FileAccess::Write);
  return {};
}

RunOutcome RunAndWait(Editor& e, const QString& program, const QStringList& args,
                      const std::function<bool()>& keepWaiting) {
  RunOutcome outcome;
  pid_t pid = 0;
  if (startProgram(program, args, &pid) != 0) {
    MessageRequest req;
    req.title = e.TitlePrefix;
    req.text = QStringLiteral("Add_Inプログラムが見つかりません");
    if (e.prompter) e.prompter->message(req);
    return outcome;
  }
  ++e.AddInWaiting;
  // The loop wakes every 200 ms, and at once when the program ends where the
  // system tells us so.
  const int endFd = programEndDescriptor(pid);
  QEventLoop loop;
  QTimer tick;
  tick.setInterval(200);
  QObject::connect(&tick, &QTimer::timeout, &loop, &QEventLoop::quit);
  std::unique_ptr<QSocketNotifier> ended;
  if (endFd >= 0) {
    ended = std::make_unique<QSocketNotifier>(endFd, QSocketNotifier::Read);
    QObject::connect(ended.get(), &QSocketNotifier::activated, &loop, &QEventLoop::quit);
  }
  tick.start();
  for (;;) {
    if (const auto code = pollProgram(pid)) {
      outcome.kind = RunOutcome::Ended;
      outcome.exitCode = *code;
      break;
    }
    if (keepWaiting && !keepWaiting()) {
      abandonProgram(pid);
      outcome.kind = RunOutcome::StoppedWaiting;
      break;
    }
    loop.exec();
  }
  ended.reset();
  if (endFd >= 0) ::close(endFd);
  --e.AddInWaiting;
  return outcome;
}

FileStamp stampOf(const QString& path) {
  FileStamp s;
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0) return s;
  s.exists = true;
  s.inode = qint64(st.st_ino);
  s.size = qint64(st.st_size);
  s.mtimeNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  return s;
}

}  // namespace tupalo
