// tupaconv: the converter add-in. Converts between the editor's exchange
// bitmaps and the picture formats Qt's image plugins read and write.
//
//   tupaconv read PICTURE EXCHANGE.BMP
//   tupaconv write EXCHANGE.BMP PICTURE FORMAT
//
// Exit code 0 when the target was written, 1 when the source couldn't be
// read, 2 when the target couldn't be written, 3 for a wrong command line.
// The target is replaced atomically: a failed conversion leaves it as it was.
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <cstdio>

#include "addins/convert/ExchangeBitmap.h"
#include "addins/convert/GifWriter.h"

namespace {

int fail(int code, const QString& text) {
  std::fprintf(stderr, "tupaconv: %s\n", text.toLocal8Bit().constData());
  return code;
}

// Largest side the editor takes.
constexpr int kMaxSide = 32767;

int readPicture(const QString& source, const QString& exchange) {
  QImageReader reader(source);
  reader.setAutoTransform(true);
  const QSize size = reader.size();
  if (size.isValid() && (size.width() > kMaxSide || size.height() > kMaxSide))
    return fail(1,
                QStringLiteral("picture too large: %1 x %2").arg(size.width()).arg(size.height()));
  // Qt refuses pictures above 128 MB by default; the editor holds up to 1.5 GB.
  QImageReader::setAllocationLimit(2048);
  QImage image = reader.read();
  if (image.isNull()) return fail(1, source + QStringLiteral(": ") + reader.errorString());
  // Transparent parts end up over white, as the editor shows icons.
  QString why;
  if (!tupaconv::writeExchangeBitmap(exchange, image, &why))
    return fail(2, exchange + QStringLiteral(": ") + why);
  return 0;
}

int writePicture(const QString& exchange, const QString& target, const QByteArray& format) {
  QString why;
  QImage image = tupaconv::readExchangeBitmap(exchange, &why);
  if (image.isNull()) return fail(1, exchange + QStringLiteral(": ") + why);
  QSaveFile out(target);
  if (!out.open(QIODevice::WriteOnly))
    return fail(2, target + QStringLiteral(": ") + out.errorString());
  const QByteArray f = format.toLower();
  bool ok = false;
  if (f == "gif") {
    ok = tupaconv::writeGif(out, image, &why);
  } else {
    QImageWriter writer(&out, f);
    // Lossless where the format can be (WebP at 100 is lossless); JPEG at a
    // quality that keeps flat colours close.
    if (f == "webp") writer.setQuality(100);
    if (f == "jpeg" || f == "jpg") writer.setQuality(92);
    if (f == "tiff" || f == "tif") writer.setCompression(1);
    ok = writer.write(image);
    if (!ok) why = writer.errorString();
  }
  if (!ok || out.error() != QFileDevice::NoError) {
    out.cancelWriting();
    return fail(2, target + QStringLiteral(": ") + (why.isEmpty() ? out.errorString() : why));
  }
  if (!out.commit()) return fail(2, target + QStringLiteral(": ") + out.errorString());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() == 4 && args[1] == QLatin1String("read")) return readPicture(args[2], args[3]);
  if (args.size() == 5 && args[1] == QLatin1String("write"))
    return writePicture(args[2], args[3], args[4].toLatin1());
  return fail(3, QStringLiteral("usage: tupaconv read PICTURE EXCHANGE.BMP | "
                                "tupaconv write EXCHANGE.BMP PICTURE FORMAT"));
}
