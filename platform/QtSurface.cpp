#include "platform/QtSurface.h"

#include <cstring>

namespace tupalo {

void copyFromQImage(const QImage& image, raster::Surface& out) {
  const QImage rgb =
      image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
  out.reshape(rgb.width(), rgb.height());
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* src = reinterpret_cast<const raster::Pixel*>(rgb.constScanLine(y));
    raster::Pixel* dst = out.row(y);
    for (int x = 0; x < rgb.width(); ++x) dst[x] = src[x] | raster::kOpaque;
  }
}

QImage toQImage(const raster::Surface& s) { return asQImage(s).copy(); }

}  // namespace tupalo
