#pragma once
// Zero-copy views of a Surface as a QImage (Format_RGB32 has the same layout),
// and copies between the two.

#include <QImage>

#include "platform/raster/Surface.h"

namespace tupalo {

// A QImage sharing the surface's pixels. Valid while the surface is neither
// resized nor destroyed; draw on it with QPainter (text) or show it.
inline QImage asQImage(raster::Surface& s) {
  return QImage(reinterpret_cast<uchar*>(s.bits()), s.width(), s.height(),
                static_cast<qsizetype>(s.bytesPerLine()), QImage::Format_RGB32);
}
inline QImage asQImage(const raster::Surface& s) {
  return QImage(reinterpret_cast<const uchar*>(s.bits()), s.width(), s.height(),
                static_cast<qsizetype>(s.bytesPerLine()), QImage::Format_RGB32);
}

// Copies any QImage into `out` (resized to the image). Pixels that are
// transparent or partly so are laid over white, as on a blank page.
void copyFromQImage(const QImage& image, raster::Surface& out);

// A deep copy as a standalone QImage (Format_RGB32).
QImage toQImage(const raster::Surface& s);

}  // namespace tupalo
