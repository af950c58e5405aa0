// tupascan: the scanner add-in, on top of SANE's scanimage.
//
//   tupascan select EXCHANGE.BMP   choose the scanner (remembered for scans)
//   tupascan scan EXCHANGE.BMP     scan a page into the exchange bitmap
//
// Exit code 0 when done; 1 when no scanner answered or the scan failed, said
// to the user in a message box; 3 for a wrong command line.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include "addins/convert/ExchangeBitmap.h"

namespace {

const QString kTitle = QStringLiteral("Tupa Scanner");

QString deviceFile() {
  return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
         QStringLiteral("/DEVICE");
}

int tell(const QString& text) {
  QMessageBox::warning(nullptr, kTitle, text);
  return 1;
}

// Runs scanimage with `args`; its output, or nullopt with *why set.
bool runScanimage(const QStringList& args, QByteArray& out, QString& why) {
  QProcess p;
  p.start(QStringLiteral("scanimage"), args);
  if (!p.waitForStarted()) {
    why = QStringLiteral("scanimage を起動できません (sane-utils が入っていません)");
    return false;
  }
  p.closeWriteChannel();
  p.waitForFinished(-1);
  out = p.readAllStandardOutput();
  if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
    why = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
    return false;
  }
  return true;
}

QStringList devices(QString& why) {
  QByteArray out;
  if (!runScanimage({QStringLiteral("-f"), QStringLiteral("%d%n")}, out, why)) return {};
  QStringList list;
  for (const QString& line : QString::fromLocal8Bit(out).split(u'\n', Qt::SkipEmptyParts))
    list << line.trimmed();
  return list;
}

int select() {
  QString why;
  const QStringList list = devices(why);
  if (list.isEmpty())
    return tell(QStringLiteral("スキャナーが見つかりません。\n接続と電源を確かめてください。") +
                (why.isEmpty() ? QString() : QStringLiteral("\n\n") + why));
  bool ok = false;
  const QString chosen = QInputDialog::getItem(
      nullptr, kTitle, QStringLiteral("使用するスキャナー:"), list, 0, false, &ok);
  if (!ok) return 0;
  QDir().mkpath(QFileInfo(deviceFile()).absolutePath());
  QFile f(deviceFile());
  if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(chosen.toUtf8());
  return 0;
}

int scan(const QString& exchange) {
  QStringList args = {QStringLiteral("--format=pnm"), QStringLiteral("--mode"),
                      QStringLiteral("Color"), QStringLiteral("--resolution"),
                      QStringLiteral("150")};
  QFile f(deviceFile());
  if (f.open(QIODevice::ReadOnly)) {
    const QString device = QString::fromUtf8(f.readAll()).trimmed();
    if (!device.isEmpty()) args = QStringList{QStringLiteral("-d"), device} + args;
  }
  QByteArray pnm;
  QString why;
  if (!runScanimage(args, pnm, why))
    return tell(QStringLiteral("スキャナーが見つからないか、読み取りに失敗しました。\n"
                               "接続と電源を確かめてください。") +
                (why.isEmpty() ? QString() : QStringLiteral("\n\n") + why));
  QImage image;
  if (!image.loadFromData(pnm))
    return tell(QStringLiteral("スキャナーから届いた画像を読めませんでした。"));
  if (!tupaconv::writeExchangeBitmap(exchange, image, &why))
    return tell(exchange + QStringLiteral("\n書き込めませんでした\n") + why);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setApplicationName(QStringLiteral("tupascan"));
  const QStringList args = app.arguments();
  if (args.size() == 3 && args[1] == QLatin1String("select")) return select();
  if (args.size() == 3 && args[1] == QLatin1String("scan")) return scan(args[2]);
  std::fprintf(stderr, "usage: tupascan select|scan EXCHANGE.BMP\n");
  return 3;
}
