#include "addins/convert/ExchangeBitmap.h"

#include <QFile>
#include <QSaveFile>
#include <cstdint>
#include <cstring>
#include <vector>

namespace tupaconv {

namespace {

void put16(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
}
void put32(uint8_t* p, uint32_t v) {
  put16(p, v & 0xFFFF);
  put16(p + 2, v >> 16);
}
uint32_t get16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t get32(const uint8_t* p) { return get16(p) | get16(p + 2) << 16; }

// c over white, by its alpha.
inline uint8_t overWhite(uint32_t c, uint32_t a) {
  return uint8_t((c * a + 255 * (255 - a)) / 255);
}

}  // namespace

bool writeExchangeBitmap(const QString& path, const QImage& source, QString* error) {
  QImage image = source;
  const bool alpha = image.hasAlphaChannel();
  if (alpha && image.format() != QImage::Format_ARGB32) image.convertTo(QImage::Format_ARGB32);
  if (!alpha && image.format() != QImage::Format_RGB32) image.convertTo(QImage::Format_RGB32);
  const int w = image.width(), h = image.height();
  const qint64 stride = (qint64(w) * 3 + 3) & ~qint64(3);
  uint8_t header[54] = {};
  header[0] = 'B';
  header[1] = 'M';
  put32(header + 2, uint32_t(54 + stride * h));
  put32(header + 10, 54);
  put32(header + 14, 40);
  put32(header + 18, uint32_t(w));
  put32(header + 22, uint32_t(h));
  put16(header + 26, 1);
  put16(header + 28, 24);
  put32(header + 34, uint32_t(stride * h));
  put32(header + 38, 3780);
  put32(header + 42, 3780);
  QSaveFile out(path);
  if (!out.open(QIODevice::WriteOnly)) {
    *error = out.errorString();
    return false;
  }
  bool ok = out.write(reinterpret_cast<const char*>(header), 54) == 54;
  std::vector<uint8_t> row(size_t(stride), 0);
  for (int y = h - 1; ok && y >= 0; --y) {
    const auto* px = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
    uint8_t* o = row.data();
    for (int x = 0; x < w; ++x, o += 3) {
      const uint32_t c = px[x];
      if (alpha) {
        const uint32_t a = c >> 24;
        o[0] = overWhite(c & 0xFF, a);
        o[1] = overWhite((c >> 8) & 0xFF, a);
        o[2] = overWhite((c >> 16) & 0xFF, a);
      } else {
        o[0] = uint8_t(c);
        o[1] = uint8_t(c >> 8);
        o[2] = uint8_t(c >> 16);
      }
    }
    ok = out.write(reinterpret_cast<const char*>(row.data()), stride) == stride;
  }
  if (!ok || out.error() != QFileDevice::NoError) {
    *error = out.errorString();
    out.cancelWriting();
    return false;
  }
  if (!out.commit()) {
    *error = out.errorString();
    return false;
  }
  return true;
}

QImage readExchangeBitmap(const QString& path, QString* error) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) {
    *error = f.errorString();
    return {};
  }
  uint8_t header[54];
  if (f.read(reinterpret_cast<char*>(header), 54) == 54 && header[0] == 'B' && header[1] == 'M' &&
      get32(header + 14) >= 40 && get16(header + 26) == 1 && get32(header + 30) == 0 &&
      (get16(header + 28) == 24 || get16(header + 28) == 32)) {
    const int bpp = int(get16(header + 28)) / 8;
    const int32_t w = int32_t(get32(header + 18));
    int32_t h = int32_t(get32(header + 22));
    const bool topDown = h < 0;
    if (topDown) h = -h;
    if (w > 0 && h > 0 && w <= 32767 && h <= 32767) {
      const qint64 stride = (qint64(w) * bpp + 3) & ~qint64(3);
      QImage image(w, h, QImage::Format_RGB32);
      std::vector<uint8_t> row(static_cast<size_t>(stride));
      bool ok = !image.isNull() && f.seek(get32(header + 10));
      for (int i = 0; ok && i < h; ++i) {
        ok = f.read(reinterpret_cast<char*>(row.data()), stride) == stride;
        auto* px = reinterpret_cast<uint32_t*>(image.scanLine(topDown ? i : h - 1 - i));
        const uint8_t* s = row.data();
        for (int x = 0; ok && x < w; ++x, s += bpp)
          px[x] = 0xFF000000u | uint32_t(s[2]) << 16 | uint32_t(s[1]) << 8 | s[0];
      }
      if (ok) return image;
      *error = QStringLiteral("truncated bitmap");
      return {};
    }
  }
  f.close();
  QImage image(path);
  if (image.isNull()) {
    *error = QStringLiteral("not a bitmap");
    return {};
  }
  return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace tupaconv
