#include "platform/QtSurface.h"

#include <cstring>

namespace tupalo {

void copyFromQImage(const QImage& image, raster::Surface& out) {
  if (!image.hasAlphaChannel()) {
    const QImage rgb = image.format() == QImage::Format_RGB32
                           ? image
                           : image.convertToFormat(QImage::Format_RGB32);
    out.reshape(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
      const auto* src = reinterpret_cast<const raster::Pixel*>(rgb.constScanLine(y));
      raster::Pixel* dst = out.row(y);
      for (int x = 0; x < rgb.width(); ++x) dst[x] = src[x] | raster::kOpaque;
    }
    return;
  }
  // Dropping the alpha of premultiplied pixels would turn transparent ones
  // black. Over white, each premultiplied channel c of alpha a becomes
  // c + (255 - a), exactly.
  const QImage pm = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  out.reshape(pm.width(), pm.height());
  for (int y = 0; y < pm.height(); ++y) {
    const auto* src = reinterpret_cast<const QRgb*>(pm.constScanLine(y));
    raster::Pixel* dst = out.row(y);
    for (int x = 0; x < pm.width(); ++x) {
      const QRgb c = src[x];
      const unsigned white = 255u - static_cast<unsigned>(qAlpha(c));
      dst[x] =
          raster::kOpaque | (qRed(c) + white) << 16 | (qGreen(c) + white) << 8 | (qBlue(c) + white);
    }
  }
}

QImage toQImage(const raster::Surface& s) { return asQImage(s).copy(); }

}  // namespace tupalo
