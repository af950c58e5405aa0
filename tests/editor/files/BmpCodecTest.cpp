// Bitmaps and icons made byte by byte, read through the editor's own codec.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QList>
#include <QTemporaryDir>
#include <QtEndian>
#include <vector>

#include "editor/files/PictureFile.h"

namespace tupalo {
namespace {

using raster::Pixel;
using raster::Surface;

template <typename T>
void put(QByteArray& b, int at, T value) {
  qToLittleEndian<T>(value, b.data() + at);
}

QByteArray le32(quint32 v) {
  QByteArray b(4, '\0');
  put<quint32>(b, 0, v);
  return b;
}

// A device-independent bitmap as stored: header, masks, colour table, rows.
struct Dib {
  qint32 width = 1;
  qint32 height = 1;
  quint16 bits = 24;
  quint32 compression = 0;
  quint32 infoSize = 40;
  quint32 coloursUsed = 0;
  QList<quint32> masks = {};  // inside the header from 52 bytes on, else after it
  QByteArray table = {};
  QByteArray pixels = {};

  QByteArray headers() const {
    QByteArray h(static_cast<int>(infoSize), '\0'), after;
    put<quint32>(h, 0, infoSize);
    if (infoSize == 12) {
      put<quint16>(h, 4, static_cast<quint16>(width));
      put<quint16>(h, 6, static_cast<quint16>(height));
      put<quint16>(h, 8, 1);
      put<quint16>(h, 10, bits);
    } else {
      put<qint32>(h, 4, width);
      put<qint32>(h, 8, height);
      put<quint16>(h, 12, 1);
      put<quint16>(h, 14, bits);
      if (infoSize >= 20) put<quint32>(h, 16, compression);
      if (infoSize >= 36) put<quint32>(h, 32, coloursUsed);
    }
    for (int i = 0; i < masks.size(); ++i) {
      if (infoSize >= 52 && 44 + 4 * i <= static_cast<int>(infoSize))
        put<quint32>(h, 40 + 4 * i, masks[i]);
      else
        after += le32(masks[i]);
    }
    return h + after + table;
  }

  QByteArray file() const {
    const QByteArray body = headers();
    QByteArray head(14, '\0');
    head[0] = 'B';
    head[1] = 'M';
    put<quint32>(head, 2, static_cast<quint32>(14 + body.size() + pixels.size()));
    put<quint32>(head, 10, static_cast<quint32>(14 + body.size()));
    return head + body + pixels;
  }
};

// Colour table entries, blue green red (and a zero byte unless `core`).
QByteArray colourTable(std::initializer_list<Pixel> colours, bool core = false) {
  QByteArray t;
  for (Pixel c : colours) {
    t += char(c & 0xFF);
    t += char(c >> 8 & 0xFF);
    t += char(c >> 16 & 0xFF);
    if (!core) t += '\0';
  }
  return t;
}

QByteArray bytes(std::initializer_list<int> values) {
  QByteArray b;
  for (int v : values) b += char(v);
  return b;
}

// An icon (type 1) or cursor (type 2) file of one image.
QByteArray iconFile(const QByteArray& image, int width, int height, int type = 1) {
  QByteArray head(6 + 16, '\0');
  put<quint16>(head, 2, static_cast<quint16>(type));
  put<quint16>(head, 4, 1);
  head[6] = char(width);
  head[7] = char(height);
  put<quint16>(head, 10, 4);
  put<quint32>(head, 14, static_cast<quint32>(image.size()));
  put<quint32>(head, 18, 22);
  return head + image;
}

std::vector<Pixel> pixels(const Surface& s) {
  std::vector<Pixel> all;
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) all.push_back(s.pixel(x, y));
  return all;
}

Surface decoded(const QByteArray& file, Pixel background = 0xFFFFFFFFu) {
  Surface s;
  const auto error = decodePicture(file, s, background);
  EXPECT_EQ(error, std::nullopt) << file.left(40).toHex().toStdString();
  return s;
}

int refusal(const QByteArray& file) {
  const Surface before(2, 1, 0xFF010203u);
  Surface s = before;
  const auto error = decodePicture(file, s);
  EXPECT_EQ(s, before);
  return error ? error->number : 0;
}

constexpr Pixel kWhite = 0xFFFFFFFFu, kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u, kBlue = 0xFF0000FFu,
                kGrey = 0xFF808080u;

TEST(BmpCodec, SixteenBitChannelsWidenByRepeatingTheirHighBits) {
  // 5-5-5 without masks: white, red at 16 of 31, blue at full.
  Dib rgb555{.width = 3, .bits = 16, .pixels = bytes({0xFF, 0x7F, 0x00, 0x40, 0x1F, 0, 0, 0})};
  EXPECT_EQ(pixels(decoded(rgb555.file())), (std::vector<Pixel>{kWhite, 0xFF840000u, 0xFF0000FFu}));

  // 5-6-5 masks after a 40-byte header and inside a V5 header: green at 32 of 63.
  Dib rgb565{.width = 2,
             .bits = 16,
             .compression = 3,
             .masks = {0xF800, 0x07E0, 0x001F},
             .pixels = bytes({0xFF, 0xFF, 0x00, 0x04})};
  EXPECT_EQ(pixels(decoded(rgb565.file())), (std::vector<Pixel>{kWhite, 0xFF008200u}));
  rgb565.infoSize = 124;
  EXPECT_EQ(pixels(decoded(rgb565.file())), (std::vector<Pixel>{kWhite, 0xFF008200u}));

  // 10 bits a channel keep their top 8; four masks with an alpha one.
  Dib deep{.bits = 32,
           .compression = 3,
           .masks = {0x3FF00000, 0x000FFC00, 0x000003FF},
           .pixels = le32(0x3FF00000 | 0x200 << 10 | 0x001)};
  EXPECT_EQ(pixels(decoded(deep.file())), (std::vector<Pixel>{0xFFFF8000u}));
  Dib argb4444{.bits = 16,
               .compression = 6,
               .masks = {0x0F00, 0x00F0, 0x000F, 0xF000},
               .pixels = bytes({0x84, 0x0F, 0, 0})};
  EXPECT_EQ(pixels(decoded(argb4444.file())), (std::vector<Pixel>{0xFFFF8844u}));
}

TEST(BmpCodec, EveryHeaderFromTheOs2CoreHeaderToV5) {
  // The core header: 16-bit sizes, three-byte colour entries, a full table.
  QByteArray table = colourTable({0xFF010203u, 0xFF040506u}, true);
  table.resize(256 * 3, '\0');
  Dib core{.width = 2, .bits = 8, .infoSize = 12, .table = table, .pixels = bytes({1, 0, 0, 0})};
  EXPECT_EQ(pixels(decoded(core.file())), (std::vector<Pixel>{0xFF040506u, 0xFF010203u}));
  Dib core24{.infoSize = 12, .pixels = bytes({0x10, 0x20, 0x30, 0})};
  EXPECT_EQ(pixels(decoded(core24.file())), (std::vector<Pixel>{0xFF302010u}));

  // OS/2 2.x, the full 64 bytes and a 16-byte prefix.
  Dib os2{.width = 3,
          .bits = 4,
          .infoSize = 64,
          .coloursUsed = 2,
          .table = colourTable({kRed, kBlue}),
          .pixels = bytes({0x10, 0x10, 0, 0})};
  EXPECT_EQ(pixels(decoded(os2.file())), (std::vector<Pixel>{kBlue, kRed, kBlue}));
  Dib os2short{.infoSize = 16, .pixels = bytes({0x10, 0x20, 0x30, 0})};
  EXPECT_EQ(pixels(decoded(os2short.file())), (std::vector<Pixel>{0xFF302010u}));

  // V4, rows top to bottom; V5 with 32-bit pixels; 52- and 56-byte headers
  // whose masks put red in the low byte.
  Dib v4{.height = -2, .infoSize = 108, .pixels = bytes({1, 2, 3, 0, 4, 5, 6, 0})};
  EXPECT_EQ(pixels(decoded(v4.file())), (std::vector<Pixel>{0xFF030201u, 0xFF060504u}));
  Dib v5{.bits = 32, .infoSize = 124, .pixels = bytes({1, 2, 3, 0})};
  EXPECT_EQ(pixels(decoded(v5.file())), (std::vector<Pixel>{0xFF030201u}));
  for (quint32 size : {52u, 56u}) {
    Dib swapped{.bits = 32,
                .compression = 3,
                .infoSize = size,
                .masks = {0x0000FF, 0x00FF00, 0xFF0000},
                .pixels = bytes({1, 2, 3, 0})};
    EXPECT_EQ(pixels(decoded(swapped.file())), (std::vector<Pixel>{0xFF010203u})) << size;
  }
}

TEST(BmpCodec, RunLengthDeltasEarlyEndsAndRunsPastTheRowEnd) {
  // Stored bottom row first. Row 0: a run of 7 red in a row of 5; row 1: one
  // green, then a move 2 right and 1 down; row 2 from x = 3: blue, red and one
  // more literal past the end; then the picture ends early. Skipped pixels
  // take colour 0, grey here.
  Dib rle8{.width = 5,
           .height = 4,
           .bits = 8,
           .compression = 1,
           .coloursUsed = 4,
           .table = colourTable({kGrey, kRed, kGreen, kBlue}),
           .pixels = bytes({7, 1, 0, 0, 1, 2, 0, 2, 2, 1, 0, 3, 3, 1, 2, 0, 0, 1})};
  const Pixel g = kGrey;
  EXPECT_EQ(pixels(decoded(rle8.file())), (std::vector<Pixel>{g,      g,    g,    g,     g,     //
                                                              g,      g,    g,    kBlue, kRed,  //
                                                              kGreen, g,    g,    g,     g,     //
                                                              kRed,   kRed, kRed, kRed,  kRed}));

  // 4 bits: a run alternates the two colours of its byte; an odd literal
  // leaves half its last byte unused. No end marker after the last row.
  Dib rle4{.width = 5,
           .height = 2,
           .bits = 4,
           .compression = 2,
           .coloursUsed = 3,
           .table = colourTable({kGrey, kRed, kGreen}),
           .pixels = bytes({5, 0x12, 0, 0, 0, 3, 0x21, 0x20, 2, 0x11})};
  EXPECT_EQ(pixels(decoded(rle4.file())), (std::vector<Pixel>{kGreen, kRed, kGreen, kRed, kRed,  //
                                                              kRed, kGreen, kRed, kGreen, kRed}));

  // Top-down rows and icons have no run-length form.
  rle8.height = -4;
  EXPECT_EQ(refusal(rle8.file()), kErrInvalidPicture);
}

TEST(BmpCodec, DamageOtherProgramsForgiveIsForgiven) {
  Surface pic(5, 3);
  for (int i = 0; i < 15; ++i) pic.bits()[i] = 0xFF000000u | (i * 0x0A0B0C);
  const QByteArray good = encodeBitmap(pic);
  auto patched = [&](int at, quint32 value) {
    QByteArray b = good;
    put<quint32>(b, at, value);
    return b;
  };
  const QByteArray cases[] = {
      patched(2, 0),
      patched(2, 0xFFFFFFFF) /* file size */,
      patched(38, 0xFFFFFFFF),
      patched(42, 0) /* densities */,
      patched(34, 1) /* image size */,
      patched(10, 0) /* pixel offset into the headers */,
      good.left(good.size() - 1) /* the last row without its padding */,
  };
  for (const QByteArray& file : cases)
    EXPECT_EQ(decoded(file), pic) << file.left(54).toHex().toStdString();

  // More colours than 8 bits can index: the table has 256.
  QByteArray table = colourTable({kRed, kGreen});
  table.resize(256 * 4, '\0');
  Dib many{.bits = 8, .coloursUsed = 1000, .table = table, .pixels = bytes({1, 0, 0, 0})};
  EXPECT_EQ(pixels(decoded(many.file())), (std::vector<Pixel>{kGreen}));

  // What has no sense to make of it.
  Dib two{.bits = 2, .pixels = bytes({0, 0, 0, 0})};
  Dib jpeg{.compression = 4, .pixels = bytes({0, 0, 0, 0})};
  Dib png{.compression = 5, .pixels = bytes({0, 0, 0, 0})};
  Dib huffman{.bits = 1, .compression = 3, .infoSize = 64, .pixels = bytes({0, 0, 0, 0})};
  for (const Dib& dib : {two, jpeg, png, huffman})
    EXPECT_EQ(refusal(dib.file()), kErrInvalidPicture) << dib.headers().toHex().toStdString();
}

TEST(BmpCodec, IconBitmapsTakeTheBackgroundWhereTheirMaskIsSet) {
  constexpr Pixel bg = 0xFF112233u;
  // 4 bits, 2 x 2: the mask's set bit makes the bottom right pixel transparent.
  QByteArray table = colourTable({0xFF000000u, 0xFF0A141Eu, 0xFF28323Cu});
  table.resize(16 * 4, '\0');
  Dib four{.width = 2,
           .height = 4,
           .bits = 4,
           .table = table,
           .pixels = bytes({0x12, 0, 0, 0, 0x21, 0, 0, 0, 0x40, 0, 0, 0, 0, 0, 0, 0})};
  const std::vector<Pixel> expected{0xFF28323Cu, 0xFF0A141Eu, 0xFF0A141Eu, bg};
  EXPECT_EQ(pixels(decoded(iconFile(four.headers() + four.pixels, 2, 2), bg)), expected);
  EXPECT_EQ(pixels(decoded(iconFile(four.headers() + four.pixels, 2, 2, 2), bg)), expected)
      << "a cursor";

  // 32 bits with no alpha at all: the mask decides, the rest is opaque.
  Dib flat{.width = 2,
           .height = 2,
           .bits = 32,
           .pixels = bytes({1, 2, 3, 0, 4, 5, 6, 0, 0x80, 0, 0, 0})};
  EXPECT_EQ(pixels(decoded(iconFile(flat.headers() + flat.pixels, 2, 1), bg)),
            (std::vector<Pixel>{bg, 0xFF060504u}));

  // A file that ends after the colour rows has no mask: all opaque.
  Dib bare{.height = 2, .pixels = bytes({7, 8, 9, 0})};
  EXPECT_EQ(pixels(decoded(iconFile(bare.headers() + bare.pixels, 1, 1), bg)),
            (std::vector<Pixel>{0xFF090807u}));

  Dib rle{.width = 2, .height = 2, .bits = 8, .compression = 1, .pixels = bytes({0, 1})};
  EXPECT_EQ(refusal(iconFile(rle.headers() + rle.pixels, 2, 1)), kErrInvalidPicture);
}

// Qt decodes a 16-bit PNG to 8 bytes a pixel; the budget for it must say so.
TEST(BmpCodec, SixteenBitPngIconsGetTheMemoryTheyNeed) {
  QImage image(1024, 1024, QImage::Format_RGBA64);
  image.fill(QColor(10, 20, 30));
  image.setPixelColor(1023, 1023, QColor(200, 0, 0, 128));
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(image.save(&buffer, "PNG"));
  ASSERT_EQ(png[24], 16) << "a PNG of 16-bit channels";
  const Surface s = decoded(iconFile(png, 0, 0));
  ASSERT_EQ(s.width(), 1024);
  ASSERT_EQ(s.height(), 1024);
  EXPECT_EQ(s.pixel(0, 0), 0xFF0A141Eu);
  EXPECT_EQ(s.pixel(1023, 1023), 0xFFE37F7Fu);
}

// Every cut and every damaged byte of small files of each kind: an answer,
// never a crash, and the picture untouched unless the answer is a picture.
TEST(BmpCodec, CutAndDamagedFilesNeverCrash) {
  Dib rle8{.width = 5,
           .height = 4,
           .bits = 8,
           .compression = 1,
           .coloursUsed = 4,
           .table = colourTable({kGrey, kRed, kGreen, kBlue}),
           .pixels = bytes({7, 1, 0, 0, 1, 2, 0, 2, 2, 1, 0, 3, 3, 1, 2, 0, 0, 1})};
  Dib fields{.width = 3,
             .height = 2,
             .bits = 16,
             .compression = 3,
             .masks = {0xF800, 0x07E0, 0x001F},
             .pixels = QByteArray(16, '\x5A')};
  Dib icon{.width = 2, .height = 4, .bits = 1, .table = colourTable({kRed, kBlue})};
  icon.pixels = QByteArray(16, '\x40');
  Surface pic(3, 2);
  const QList<QByteArray> files = {rle8.file(), fields.file(),
                                   iconFile(icon.headers() + icon.pixels, 2, 2), encodeBitmap(pic)};
  for (const QByteArray& file : files) {
    for (int cut = 0; cut < file.size(); ++cut) {
      Surface s = pic;
      if (decodePicture(file.left(cut), s)) {
        EXPECT_EQ(s, pic);
      }
    }
    for (int at = 0; at < file.size(); ++at)
      for (char value : {'\0', '\x01', '\x7F', '\xFF'}) {
        QByteArray damaged = file;
        damaged[at] = value;
        Surface s = pic;
        if (decodePicture(damaged, s)) {
          EXPECT_EQ(s, pic);
        }
      }
  }
}

}  // namespace
}  // namespace tupalo
