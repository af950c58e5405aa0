#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>
#include <future>

#include "editor/files/PictureFile.h"
#include "platform/AtomicFile.h"
#include "platform/FileErrors.h"

namespace tupalo {
namespace {

using raster::Surface;

// Every pixel different, and different in each channel.
Surface distinctPicture(int w, int h) {
  Surface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      s.setPixel(x, y,
                 0xFF000000u | ((x * 53 + y * 7 + 1) & 0xFF) << 16 |
                     ((x * 11 + y * 97) & 0xFF) << 8 | ((x * 3 + y * 29 + 200) & 0xFF));
  return s;
}

QByteArray qtEncoded(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(image.save(&buffer, format));
  return bytes;
}

template <typename T>
void put(QByteArray& b, int at, T value) {
  qToLittleEndian<T>(value, b.data() + at);
}

// Headers of a hand-made bitmap; colour table and pixels are appended.
QByteArray bitmapHeaders(qint32 w, qint32 h, quint16 bits, quint32 compression, int paletteBytes,
                         qint64 pixelBytes, quint32 infoSize = 40) {
  QByteArray b(14 + std::max<quint32>(infoSize, 40), '\0');
  b[0] = 'B';
  b[1] = 'M';
  put<quint32>(b, 2, static_cast<quint32>(14 + infoSize + paletteBytes + pixelBytes));
  put<quint32>(b, 10, 14 + infoSize + paletteBytes);
  put<quint32>(b, 14, infoSize);
  put<qint32>(b, 18, w);
  put<qint32>(b, 22, h);
  put<quint16>(b, 26, 1);
  put<quint16>(b, 28, bits);
  put<quint32>(b, 30, compression);
  if (infoSize == 12) {  // the old header: 16-bit sizes, no compression field
    put<quint16>(b, 18, static_cast<quint16>(w));
    put<quint16>(b, 20, static_cast<quint16>(h));
    put<quint16>(b, 22, 1);
    put<quint16>(b, 24, bits);
  }
  b.resize(14 + infoSize);
  return b;
}

// An icon file holding the images of one-image icon files (as Qt writes them)
// or PNG files.
QByteArray iconFile(const QList<QByteArray>& images) {
  const int count = static_cast<int>(images.size());
  QByteArray head(6 + 16 * count, '\0'), data;
  put<quint16>(head, 2, 1);
  put<quint16>(head, 4, static_cast<quint16>(count));
  for (int i = 0; i < count; ++i) {
    const bool png = images[i].startsWith("\x89PNG");
    QByteArray entry = png ? QByteArray(16, '\0') : images[i].mid(6, 16);
    const QByteArray image =
        png ? images[i] : images[i].mid(qFromLittleEndian<quint32>(images[i].constData() + 18));
    put<quint32>(entry, 8, static_cast<quint32>(image.size()));
    put<quint32>(entry, 12, static_cast<quint32>(head.size() + data.size()));
    head.replace(6 + 16 * i, 16, entry);
    data += image;
  }
  return head + data;
}

class PictureFileTest : public ::testing::Test {
 protected:
  QString path(const QString& name) const { return dir_.filePath(name); }
  void write(const QString& name, const QByteArray& bytes) {
    QFile f(path(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
  }
  QByteArray contents(const QString& name) {
    QFile f(path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  // Reads a file that must load.
  Surface load(const QString& name, raster::Pixel background = 0xFFFFFFFFu) {
    Surface pic;
    const auto error = readPictureFile(path(name), pic, background);
    EXPECT_EQ(error, std::nullopt) << name.toStdString() << ": " << (error ? error->number : 0);
    return pic;
  }
  // Reads a file that must fail, leaving the picture as it was.
  int failure(const QString& name) {
    Surface pic = sentinel_;
    const auto error =
        readPictureFile(name.startsWith('/') || name.isEmpty() ? name : path(name), pic);
    EXPECT_EQ(pic, sentinel_) << name.toStdString();
    if (!error) return 0;
    EXPECT_EQ(error->description, pictureError(error->number).description);
    EXPECT_FALSE(error->description.isEmpty());
    return error->number;
  }

  Surface sentinel_ = distinctPicture(3, 2);
  QTemporaryDir dir_;
};

// --- writing and reading back ----------------------------------------------------

TEST_F(PictureFileTest, RoundTripIsExactForEveryRowPadding) {
  for (int w : {1, 2, 3, 4, 5, 7}) {
    const Surface pic = distinctPicture(w, 3);
    ASSERT_TRUE(writeBitmapFile(path("pic.bmp"), pic));
    const QByteArray bytes = contents("pic.bmp");
    const int stride = (w * 3 + 3) / 4 * 4;
    ASSERT_EQ(bytes.size(), 54 + stride * 3) << w;
    EXPECT_EQ(bytes, encodeBitmap(pic));
    EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 2),
              static_cast<quint32>(bytes.size()));
    EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 28), 24);
    for (int y = 0; y < 3; ++y)  // padding is zero
      for (int i = w * 3; i < stride; ++i) EXPECT_EQ(bytes[54 + y * stride + i], '\0');
    EXPECT_EQ(load("pic.bmp"), pic) << w;

    // An independent decoder agrees, orientation and channel order included.
    const QImage qt = QImage::fromData(bytes, "BMP");
    ASSERT_EQ(qt.size(), QSize(w, 3));
    for (int x = 0; x < w; ++x) EXPECT_EQ(qt.pixel(x, 0), pic.pixel(x, 0));
  }
  // Several write chunks, and a name with spaces and Japanese.
  const Surface big = distinctPicture(701, 403);
  ASSERT_TRUE(writeBitmapFile(path(QStringLiteral("新しい 絵 (1).bmp")), big));
  EXPECT_EQ(load(QStringLiteral("新しい 絵 (1).bmp")), big);

  // Every side the editor can hold, beyond what Qt's reader takes.
  for (const auto& [w, h] : {std::pair{16385, 1}, {1, 16385}, {32767, 2}, {3, 32767}}) {
    const Surface pic = distinctPicture(w, h);
    ASSERT_TRUE(writeBitmapFile(path("wide.bmp"), pic));
    EXPECT_EQ(load("wide.bmp"), pic) << w << " x " << h;
  }
}

TEST_F(PictureFileTest, EncodingReusesTheCallersBuffer) {
  QByteArray bytes;
  ASSERT_TRUE(encodeBitmap(distinctPicture(64, 48), bytes));
  const char* first = bytes.constData();
  const Surface next = distinctPicture(48, 64);  // the same file size
  ASSERT_TRUE(encodeBitmap(next, bytes));
  EXPECT_EQ(bytes.constData(), first);
  EXPECT_EQ(bytes, encodeBitmap(next));
  EXPECT_FALSE(encodeBitmap(Surface(), bytes));
  EXPECT_TRUE(bytes.isEmpty());
}

// --- reading what others wrote -------------------------------------------------

TEST_F(PictureFileTest, ReadsBitmapsOfEveryDepthQtWrites) {
  QImage rgb(6, 5, QImage::Format_RGB32);
  QImage indexed8(7, 3, QImage::Format_Indexed8);  // more than 16 colours: written 8-bit
  indexed8.setColorCount(40);
  for (int i = 0; i < 40; ++i) indexed8.setColor(i, qRgb(i * 6, 255 - i * 5, i * 3));
  QImage indexed4 = indexed8.copy(0, 0, 7, 3);  // 5 colours: written 4-bit
  indexed4.setColorCount(5);
  QImage mono(11, 4, QImage::Format_Mono);
  mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 11; ++x) {
      if (x < 6) rgb.setPixel(x, y, qRgb(x * 40, y * 50, 255 - x * y));
      if (x < 7 && y < 3) indexed8.setPixel(x, y, (x * 3 + y * 11) % 40);
      if (x < 7 && y < 3) indexed4.setPixel(x, y, (x + y) % 5);
      if (y < 4) mono.setPixel(x, y, (x ^ y) & 1);
    }
  for (const QImage& image : {rgb, indexed8, indexed4, mono}) {
    write("qt.bmp", qtEncoded(image, "BMP"));
    const Surface back = load("qt.bmp");
    ASSERT_EQ(QSize(back.width(), back.height()), image.size());
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        EXPECT_EQ(back.pixel(x, y), image.pixel(x, y) | 0xFF000000u)
            << image.format() << " " << x << "," << y;
  }
}

TEST_F(PictureFileTest, ThirtyTwoBitBitmapsKeepTheirColoursWhateverTheAlphaByte) {
  // Plain 32-bit rows with a zero fourth byte, as most writers leave it, and
  // a V5 header whose masks declare an alpha channel.
  QByteArray plain =
      bitmapHeaders(2, 1, 32, 0, 0, 8) + QByteArray("\x10\x20\x30\x00\x40\x50\x60\x00", 8);
  QByteArray v5 =
      bitmapHeaders(2, 1, 32, 3, 0, 8, 124) + QByteArray("\x10\x20\x30\x00\x40\x50\x60\x80", 8);
  const quint32 masks[] = {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u};
  for (int i = 0; i < 4; ++i) put<quint32>(v5, 54 + 4 * i, masks[i]);
  for (const QByteArray& bytes : {plain, v5}) {
    write("32.bmp", bytes);
    const Surface back = load("32.bmp");
    ASSERT_EQ(back.width(), 2);
    EXPECT_EQ(back.pixel(0, 0), 0xFF302010u);
    EXPECT_EQ(back.pixel(1, 0), 0xFF605040u);
  }
}

TEST_F(PictureFileTest, TopDownAndRunLengthBitmaps) {
  write("td.bmp",
        bitmapHeaders(1, -2, 24, 0, 0, 8) + QByteArray("\x01\x02\x03\x00\x04\x05\x06\x00", 8));
  Surface back = load("td.bmp");
  EXPECT_EQ(back.pixel(0, 0), 0xFF030201u);
  EXPECT_EQ(back.pixel(0, 1), 0xFF060504u);

  // 8-bit RLE, 4 x 2, colours red and blue: bottom row a run of blue, top row
  // the literal red blue blue red, then the end marker.
  const QByteArray stream("\x04\x01\x00\x00\x00\x04\x00\x01\x01\x00\x00\x01", 12);
  QByteArray rle = bitmapHeaders(4, 2, 8, 1, 8, stream.size());
  put<quint32>(rle, 46, 2);
  rle += QByteArray("\x00\x00\xFF\x00\xFF\x00\x00\x00", 8) + stream;
  const auto red = 0xFFFF0000u, blue = 0xFF0000FFu;
  write("rle.bmp", rle);
  back = load("rle.bmp");
  ASSERT_EQ(back.width(), 4);
  EXPECT_EQ((std::vector{back.pixel(0, 0), back.pixel(1, 0), back.pixel(3, 0), back.pixel(0, 1),
                         back.pixel(3, 1)}),
            (std::vector{red, blue, red, blue, blue}));
  write("rle-open.bmp", rle.left(rle.size() - 2));  // no end marker, but every row there
  EXPECT_EQ(load("rle-open.bmp"), back);

  // Cut between two commands (Qt alone returns the top row undefined), and
  // inside the literal run.
  write("rle-cut1.bmp", rle.left(rle.size() - 8));
  write("rle-cut2.bmp", rle.left(rle.size() - 5));
  EXPECT_EQ(failure("rle-cut1.bmp"), kErrInvalidPicture);
  EXPECT_EQ(failure("rle-cut2.bmp"), kErrInvalidPicture);
}

TEST_F(PictureFileTest, IconsAreLaidOverTheBackground) {
  QImage icon(16, 16, QImage::Format_ARGB32);
  icon.fill(qRgba(200, 100, 50, 255));
  icon.setPixel(0, 0, qRgba(0, 0, 0, 0));
  icon.setPixel(1, 0, qRgba(0, 0, 0, 128));
  write("really-an-icon.BMP", qtEncoded(icon, "ICO"));  // the content decides, not the name
  Surface back = load("really-an-icon.BMP", 0xFF1122FFu);
  ASSERT_EQ(QSize(back.width(), back.height()), QSize(16, 16));
  EXPECT_EQ(back.pixel(0, 0), 0xFF1122FFu);
  EXPECT_EQ(back.pixel(1, 0), 0xFF08117Fu);
  EXPECT_EQ(back.pixel(15, 15), 0xFFC86432u);

  // A PNG icon wider than the directory can say, half-transparent at one end.
  QImage wide(300, 20, QImage::Format_ARGB32);
  wide.fill(qRgba(10, 20, 30, 255));
  wide.setPixel(299, 19, qRgba(200, 0, 0, 128));
  write("wide.ico", iconFile({qtEncoded(wide, "PNG")}));
  back = load("wide.ico");
  ASSERT_EQ(QSize(back.width(), back.height()), QSize(300, 20));
  EXPECT_EQ(back.pixel(0, 0), 0xFF0A141Eu);
  EXPECT_EQ(back.pixel(299, 19), 0xFFE37F7Fu);
}

TEST_F(PictureFileTest, OfSeveralIconImagesTheLargestIsTaken) {
  QImage small(16, 16, QImage::Format_ARGB32), large(32, 24, QImage::Format_ARGB32);
  small.fill(qRgb(1, 2, 3));
  large.fill(qRgb(4, 5, 6));
  const QByteArray file =
      iconFile({qtEncoded(small, "ICO"), qtEncoded(large, "ICO"), qtEncoded(small, "ICO")});
  write("multi.ico", file);
  const Surface back = load("multi.ico");
  EXPECT_EQ(QSize(back.width(), back.height()), QSize(32, 24));
  EXPECT_EQ(back.pixel(5, 5), 0xFF040506u);
  write("multi-cut.ico", file.left(file.size() - 10));
  EXPECT_EQ(failure("multi-cut.ico"), kErrInvalidPicture);
}

// --- what cannot be read ------------------------------------------------------

TEST_F(PictureFileTest, PathProblemsGetTheirOwnErrors) {
  ASSERT_TRUE(QDir(dir_.path()).mkdir("folder.bmp"));
  write("plain", "x");
  EXPECT_EQ(failure("missing.bmp"), kErrFileNotFound);
  EXPECT_EQ(pictureError(kErrFileNotFound).description,
            QStringLiteral("ファイルが見つかりません。"));
  EXPECT_EQ(failure(QString()), kErrFileNotFound);
  EXPECT_EQ(failure("no-such-folder/a.bmp"), kErrPathNotFound);
  EXPECT_EQ(pictureError(kErrPathNotFound).description, QStringLiteral("パスが見つかりません。"));
  EXPECT_EQ(failure("plain/a.bmp"), kErrPathNotFound);
  EXPECT_EQ(failure("folder.bmp"), kErrPathFileAccess);
  EXPECT_EQ(pictureError(kErrPathFileAccess).description,
            QStringLiteral("パス/ファイル アクセス エラーです。"));
  EXPECT_EQ(failure("/dev/null"), kErrPathFileAccess);

  // Should the read open the FIFO and wait for a writer, one comes after a
  // while so the suite fails instead of hanging.
  const QByteArray fifo = QFile::encodeName(path("fifo.bmp"));
  ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
  auto read = std::async(std::launch::async, [&] { return failure("fifo.bmp"); });
  if (read.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
    ADD_FAILURE() << "reading a FIFO blocked";
    const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) ::close(fd);
  }
  EXPECT_EQ(read.get(), kErrPathFileAccess);
}

// As the file layer reports it to anyone, root included, and as it is where
// permissions hold.
TEST_F(PictureFileTest, UnreadableFileIsAnAccessError) {
  write("locked.bmp", encodeBitmap(distinctPicture(2, 2)));
  for (const int errnum : {EACCES, EPERM, EIO, ENOENT}) {
    setFileFaultInjector([&](FileCall call, const QString& name) {
      return call == FileCall::OpenForReading && name == path("locked.bmp") ? errnum : 0;
    });
    EXPECT_EQ(failure("locked.bmp"), errnum == ENOENT ? kErrFileNotFound : kErrPathFileAccess)
        << errnum;
  }
  // A disk that fails while the pixels are read: no damaged picture.
  setFileFaultInjector(
      [&](FileCall call, const QString&) { return call == FileCall::Read ? EIO : 0; });
  EXPECT_EQ(failure("locked.bmp"), kErrPathFileAccess);
  setFileFaultInjector(nullptr);
  EXPECT_EQ(load("locked.bmp"), distinctPicture(2, 2));

  ASSERT_TRUE(QFile::setPermissions(path("locked.bmp"), QFileDevice::Permissions()));
  if (::access(QFile::encodeName(path("locked.bmp")).constData(), R_OK) != 0) {
    EXPECT_EQ(failure("locked.bmp"), kErrPathFileAccess);
  }
}

TEST_F(PictureFileTest, DamagedContentIsAnInvalidPicture) {
  const QByteArray good = encodeBitmap(distinctPicture(5, 4));
  auto patched = [&](int at, qint32 value) {
    QByteArray b = good;
    put<qint32>(b, at, value);
    return b;
  };
  QImage png(2, 2, QImage::Format_RGB32);
  const QByteArray cases[] = {
      QByteArray(),
      "BM",
      "this is no picture at all",
      QByteArray("\0\0\1\0\0\0", 6) /* icon without images */,
      good.left(good.size() - 7) /* cut in the pixels */,
      good.left(40) /* cut in the header */,
      patched(28, 7) /* 7 bits per pixel */,
      patched(18, 0) /* no width */,
      patched(18, -5),
      patched(10, 1000) /* pixels past the end */,
      patched(30, 4) /* JPEG inside */,
      qtEncoded(png, "PNG") /* a picture, but not ours to read */,
  };
  for (const QByteArray& bytes : cases) {
    write("bad.bmp", bytes);
    EXPECT_EQ(failure("bad.bmp"), kErrInvalidPicture) << bytes.left(32).toHex().toStdString();
  }
  EXPECT_EQ(pictureError(kErrInvalidPicture).description, QStringLiteral("ピクチャが不正です。"));
}

TEST_F(PictureFileTest, GiantSizesAreRefusedBeforeAnythingElse) {
  // Headers only: checking the length of the pixel data first would answer
  // "invalid"; allocating first would be too late.
  QByteArray giantIcon = iconFile({qtEncoded(QImage(1, 1, QImage::Format_RGB32), "PNG")});
  put<quint32>(giantIcon, 22 + 16, qToBigEndian<quint32>(40000));  // the PNG's width
  const QByteArray cases[] = {
      bitmapHeaders(40000, 10, 24, 0, 0, 0),     bitmapHeaders(10, 40000, 24, 0, 0, 0),
      bitmapHeaders(10, -40000, 24, 0, 0, 0),    bitmapHeaders(30000, 30000, 24, 0, 0, 0),
      bitmapHeaders(40000, 10, 24, 0, 0, 0, 12), giantIcon,
  };
  for (const QByteArray& bytes : cases) {
    write("giant.bmp", bytes + QByteArray(64, '\x7F'));
    EXPECT_EQ(failure("giant.bmp"), kErrOutOfMemory) << bytes.left(32).toHex().toStdString();
  }
  EXPECT_EQ(pictureError(kErrOutOfMemory).description, QStringLiteral("メモリが不足しています。"));
}

// Qt's process-wide decode limit (128 MB unless set) has no say over our own
// reader, and is left as it was.
TEST_F(PictureFileTest, QtsDecodeLimitHasNoSayOverBitmaps) {
  QImage indexed(2000, 1000, QImage::Format_Indexed8);
  indexed.setColorCount(256);
  for (int i = 0; i < 256; ++i) indexed.setColor(i, qRgb(i, 255 - i, i / 2));
  indexed.fill(77);
  write("8bit.bmp", qtEncoded(indexed, "BMP"));
  const int before = QImageReader::allocationLimit();
  QImageReader::setAllocationLimit(1);
  const Surface back = load("8bit.bmp");
  EXPECT_EQ(QImageReader::allocationLimit(), 1);
  QImageReader::setAllocationLimit(before);
  ASSERT_EQ(back.width(), 2000);
  EXPECT_EQ(back.pixel(1999, 999), 0xFF000000u | indexed.pixel(1999, 999));

  // 4096 x 8192, 128 MiB at 32 bits: more than Qt decodes unasked.
  Surface tall(4096, 8192, 0xFF123456u);
  tall.setPixel(4095, 8191, 0xFF654321u);
  write("tall.bmp", encodeBitmap(tall));
  EXPECT_EQ(load("tall.bmp"), tall);
}

// --- writing safely ------------------------------------------------------------

TEST_F(PictureFileTest, FailedWritesKeepTheOldFile) {
  const QByteArray old = encodeBitmap(distinctPicture(3, 3));
  // Fail on the header, on the first chunk of rows, on a later one.
  for (qint64 failFrom : {0, 1, 100000}) {
    write("keep.bmp", old);
    setWriteFaultInjector([failFrom](qint64 written) { return written < failFrom; });
    QString error;
    EXPECT_FALSE(writeBitmapFile(path("keep.bmp"), distinctPicture(300, 500), &error)) << failFrom;
    setWriteFaultInjector(nullptr);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(contents("keep.bmp"), old) << failFrom;
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"keep.bmp"})
        << "temporary file left";
  }
}

TEST_F(PictureFileTest, WritesThatCannotHappenReportFailure) {
  const Surface pic = distinctPicture(4, 4);
  QString error;
  EXPECT_FALSE(writeBitmapFile(path("no-such-folder/x.bmp"), pic, &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(
      writeBitmapFile(QStringLiteral("/proc/tupalo-test.bmp"), pic));  // read-only even to root
  ASSERT_TRUE(QDir(dir_.path()).mkdir("folder.bmp"));
  EXPECT_FALSE(writeBitmapFile(path("folder.bmp"), pic));
  if (::geteuid() != 0) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir("locked"));
    ASSERT_TRUE(
        QFile::setPermissions(path("locked"), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    EXPECT_FALSE(writeBitmapFile(path("locked/x.bmp"), pic));
    QFile::setPermissions(path("locked"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  }
  // No picture, no file: a 0 x 0 bitmap is one most readers refuse.
  EXPECT_FALSE(writeBitmapFile(path("empty.bmp"), Surface(), &error));
  EXPECT_FALSE(QFile::exists(path("empty.bmp")));
  EXPECT_TRUE(encodeBitmap(Surface()).isEmpty());
}

}  // namespace
}  // namespace tupalo
