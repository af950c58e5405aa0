#include "editor/palette/ClipboardPicture.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>
#include <algorithm>
#include <cstring>

#include "editor/files/PictureFile.h"
#include "platform/QtSurface.h"

namespace tupalo {

namespace {

const QMimeData* clipboardData() {
  const QClipboard* cb = QGuiApplication::clipboard();
  return cb ? cb->mimeData() : nullptr;
}

bool isBitmapFormat(const QString& mime) {
  return mime.compare(QLatin1String("image/bmp"), Qt::CaseInsensitive) == 0 ||
         mime.compare(QLatin1String("image/x-bmp"), Qt::CaseInsensitive) == 0 ||
         mime.compare(QLatin1String("image/x-ms-bmp"), Qt::CaseInsensitive) == 0;
}

// Encoded data from another program: its header gives the size before any
// pixel is decoded. Bitmaps go through our own reader, which takes every size
// the editor can hold.
std::optional<ClipboardRead> readEncoded(const QMimeData& md, raster::Surface& out) {
  for (const QString& format : md.formats()) {
    if (!format.startsWith(QLatin1String("image/"))) continue;
    QByteArray data = md.data(format);
    if (isBitmapFormat(format)) {
      const auto error = decodePicture(data, out);
      if (!error) return ClipboardRead::Ok;
      if (error->number == kErrOutOfMemory) return ClipboardRead::TooLarge;
      continue;
    }
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format.mid(6).toLatin1());
    const QSize size = reader.size();
    if (!size.isValid()) continue;
    // Qt's decoded image lies beside ours: 8 bytes a pixel for 16-bit channels.
    const int perPixel =
        std::max(QImage::toPixelFormat(reader.imageFormat()).bitsPerPixel() / 8, 4);
    if (checkPictureSize(size.width(), size.height(), perPixel)) return ClipboardRead::TooLarge;
    const int saved = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(
        int((qint64(size.width()) * size.height() * perPixel >> 20) + 2));
    const QImage image = reader.read();
    QImageReader::setAllocationLimit(saved);
    if (image.isNull()) continue;
    copyFromQImage(image, out);
    return ClipboardRead::Ok;
  }
  return std::nullopt;
}

}  // namespace

bool ClipboardOffersPicture() {
  const QMimeData* md = clipboardData();
  return md && md->hasImage();
}

ClipboardRead ReadClipboardPicture(raster::Surface& out) {
  const QMimeData* md = clipboardData();
  if (!md) return ClipboardRead::NoPicture;
  if (const auto result = readEncoded(*md, out)) return *result;
  if (!md->hasImage()) return ClipboardRead::NoPicture;
  // An image this process put there is already decoded.
  const QImage image = qvariant_cast<QImage>(md->imageData());
  if (image.isNull()) return ClipboardRead::NoPicture;
  if (!image.size().isValid() || checkPictureSize(image.width(), image.height()))
    return ClipboardRead::TooLarge;
  copyFromQImage(image, out);
  return ClipboardRead::Ok;
}

void PutPictureOnClipboard(const raster::Surface& pic) {
  // A picture-sized image and bitmap are made for every copy; their memory is
  // kept from one copy to the next. Clearing the clipboard first drops its
  // references to them, so they are ours alone again and are rewritten in
  // place rather than copied.
  static QImage image;
  static QByteArray bmp;
  QClipboard* cb = QGuiApplication::clipboard();
  cb->clear();
  if (image.size() != QSize(pic.width(), pic.height()) || image.format() != QImage::Format_RGB32)
    image = QImage(pic.width(), pic.height(), QImage::Format_RGB32);
  for (int y = 0; y < pic.height() && !image.isNull(); ++y)
    std::memcpy(image.scanLine(y), pic.row(y), pic.bytesPerLine());
  auto* md = new QMimeData;
  md->setImageData(image);
  if (encodeBitmap(pic, bmp)) md->setData(QStringLiteral("image/bmp"), bmp);
  cb->setMimeData(md);
}

}  // namespace tupalo
