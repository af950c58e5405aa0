#include "editor/palette/ClipboardPicture.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>

#include "editor/files/PictureFile.h"
#include "platform/QtSurface.h"

namespace tupalo {

namespace {

const QMimeData* clipboardData() {
  const QClipboard* cb = QGuiApplication::clipboard();
  return cb ? cb->mimeData() : nullptr;
}

bool acceptable(QSize size) {
  return size.isValid() && !checkPictureSize(size.width(), size.height());
}

// Encoded data from another program: its header gives the size before any
// pixel is decoded.
std::optional<ClipboardRead> readEncoded(const QMimeData& md, raster::Surface& out) {
  for (const QString& format : md.formats()) {
    if (!format.startsWith(QLatin1String("image/"))) continue;
    QByteArray data = md.data(format);
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format.mid(6).toLatin1());
    const QSize size = reader.size();
    if (!size.isValid()) continue;
    if (!acceptable(size)) return ClipboardRead::TooLarge;
    const int saved = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(int((qint64(size.width()) * size.height() * 4 >> 20) + 2));
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
  if (!acceptable(image.size())) return ClipboardRead::TooLarge;
  copyFromQImage(image, out);
  return ClipboardRead::Ok;
}

void PutPictureOnClipboard(const raster::Surface& pic) {
  auto* md = new QMimeData;
  md->setImageData(toQImage(pic));
  const QByteArray bmp = encodeBitmap(pic);
  if (!bmp.isEmpty()) md->setData(QStringLiteral("image/bmp"), bmp);
  QClipboard* cb = QGuiApplication::clipboard();
  cb->clear();
  cb->setMimeData(md);
}

}  // namespace tupalo
