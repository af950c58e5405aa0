#include "editor/files/PictureFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <limits>
#include <new>
#include <string>
#include <vector>

#include "platform/AtomicFile.h"
#include "platform/FileErrors.h"
#include "platform/QtSurface.h"

namespace tupalo {

namespace {

struct ErrorText {
  int number;
  const char* description;
};

constexpr ErrorText kErrorTexts[] = {
    {kErrOutOfMemory, "メモリが不足しています。"},
    {kErrFileNotFound, "ファイルが見つかりません。"},
    {kErrPathFileAccess, "パス/ファイル アクセス エラーです。"},
    {kErrPathNotFound, "パスが見つかりません。"},
    {kErrInvalidPicture, "ピクチャが不正です。"},
};

std::optional<PictureError> fail(int number) { return pictureError(number); }

// --- little helpers over raw header bytes -------------------------------------

quint16 le16(const char* p) { return qFromLittleEndian<quint16>(p); }
quint32 le32(const char* p) { return qFromLittleEndian<quint32>(p); }
qint32 sle32(const char* p) { return qFromLittleEndian<qint32>(p); }
quint32 be32(const char* p) { return qFromBigEndian<quint32>(p); }

// Exactly `size` bytes from `pos`, or an empty array when the file is shorter.
QByteArray readAt(QFile& file, qint64 pos, qint64 size) {
  if (!file.seek(pos)) return {};
  QByteArray bytes = file.read(size);
  return bytes.size() == size ? bytes : QByteArray();
}

// Reads a file byte by byte through a reused buffer.
class ByteStream {
 public:
  ByteStream(QFile& file, qint64 pos) : file_(file) { ok_ = file_.seek(pos); }

  bool get(int& value) {
    if (at_ == buffer_.size() && !refill()) return false;
    value = static_cast<uchar>(buffer_[at_++]);
    return true;
  }
  bool skip(qint64 count) {
    while (count > 0) {
      if (at_ == buffer_.size() && !refill()) return false;
      const qint64 step = std::min<qint64>(count, buffer_.size() - at_);
      at_ += step;
      count -= step;
    }
    return true;
  }

 private:
  bool refill() {
    if (!ok_) return false;
    buffer_ = file_.read(64 * 1024);
    at_ = 0;
    return !buffer_.isEmpty();
  }

  QFile& file_;
  QByteArray buffer_;
  qint64 at_ = 0;
  bool ok_ = false;
};

// --- how much we may allocate ----------------------------------------------------

// Bytes the process can still use: the smaller of the system's available
// memory and what a container's memory limit leaves; -1 when neither is known.
// On Linux a too-large allocation does not fail, the process is killed later
// while filling it, so the check has to come first.
qint64 availableMemory() {
  qint64 best = -1;
  auto consider = [&](qint64 bytes) {
    if (bytes >= 0 && (best < 0 || bytes < best)) best = bytes;
  };
  {
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    long long kib = 0;
    while (meminfo >> key >> kib) {
      if (key == "MemAvailable:") {
        consider(static_cast<qint64>(kib) * 1024);
        break;
      }
      meminfo.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    }
  }
  auto readNumber = [](const char* file, qint64& value) {
    std::ifstream in(file);
    long long v = 0;
    if (!(in >> v)) return false;  // also "max": no limit
    value = v;
    return true;
  };
  const char* const limits[][2] = {
      {"/sys/fs/cgroup/memory.max", "/sys/fs/cgroup/memory.current"},
      {"/sys/fs/cgroup/memory/memory.limit_in_bytes",
       "/sys/fs/cgroup/memory/memory.usage_in_bytes"},
  };
  for (const auto& files : limits) {
    qint64 limit = 0, used = 0;
    // cgroup v1 reports "no limit" as a number near 2^63.
    if (readNumber(files[0], limit) && limit < (qint64{1} << 60) && readNumber(files[1], used))
      consider(std::max<qint64>(limit - used, 0));
  }
  return best;
}

}  // namespace

std::optional<PictureError> checkPictureSize(qint64 width, qint64 height) {
  if (width > kMaxPictureSide || height > kMaxPictureSide) return fail(kErrOutOfMemory);
  const qint64 bytes = width * height * 4;
  if (bytes > kMaxPictureBytes) return fail(kErrOutOfMemory);
  // Decoding may hold the file's own pixel format beside our copy.
  const qint64 available = availableMemory();
  if (available >= 0 && bytes * 2 > available) return fail(kErrOutOfMemory);
  return std::nullopt;
}

namespace {

// Qt's limit is process-wide and 128 MB by default; lift it to what we already
// allowed for this one read only.
class AllocationLimitScope {
 public:
  explicit AllocationLimitScope(qint64 bytes) : saved_(QImageReader::allocationLimit()) {
    QImageReader::setAllocationLimit(static_cast<int>((bytes >> 20) + 2));
  }
  ~AllocationLimitScope() { QImageReader::setAllocationLimit(saved_); }
  AllocationLimitScope(const AllocationLimitScope&) = delete;
  AllocationLimitScope& operator=(const AllocationLimitScope&) = delete;

 private:
  int saved_;
};

// --- opening -------------------------------------------------------------------

std::optional<PictureError> openRegularFile(const QString& path, QFile& file) {
  if (path.isEmpty() || path.contains(QChar(0))) return fail(kErrFileNotFound);
  const QByteArray native = QFile::encodeName(path);
  struct stat st {};
  if (::stat(native.constData(), &st) != 0) {
    switch (errno) {
      case ENOENT: {
        struct stat parent {};
        const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
        const bool folderThere =
            ::stat(folder.constData(), &parent) == 0 && S_ISDIR(parent.st_mode);
        return fail(folderThere ? kErrFileNotFound : kErrPathNotFound);
      }
      case ENOTDIR:
      case ENAMETOOLONG:
      case ELOOP:
        return fail(kErrPathNotFound);
      default:
        return fail(kErrPathFileAccess);
    }
  }
  // A folder, FIFO or device is no picture; opening a FIFO would even block.
  if (!S_ISREG(st.st_mode)) return fail(kErrPathFileAccess);
  // O_NONBLOCK: should the name have become a FIFO since, open must not hang.
  int openError = injectedFileFault(FileCall::OpenForReading, path);
  const int fd = openError ? -1 : ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0 && !openError) openError = errno;
  if (openError) return fail(openError == ENOENT ? kErrFileNotFound : kErrPathFileAccess);
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
      !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return fail(kErrPathFileAccess);
  }
  return std::nullopt;
}

// --- checking a bitmap before Qt decodes it --------------------------------------

// Follows an RLE stream far enough to know it is complete. Qt stops quietly at
// the end of the file and leaves the rest of the picture undefined.
bool rleStreamComplete(QFile& file, qint64 start, qint64 rows, bool fourBit) {
  ByteStream in(file, start);
  qint64 row = 0;
  bool rowStarted = false;
  for (;;) {
    int count = 0, code = 0;
    // Without an end marker the stream must at least have reached the last row.
    if (!in.get(count)) return row >= rows || (row == rows - 1 && rowStarted);
    if (!in.get(code)) return false;
    if (count > 0) {  // a run of one colour
      rowStarted = true;
      continue;
    }
    switch (code) {
      case 0:  // end of line
        ++row;
        rowStarted = false;
        break;
      case 1:  // end of picture
        return true;
      case 2: {  // move right and down
        int dx = 0, dy = 0;
        if (!in.get(dx) || !in.get(dy)) return false;
        row += dy;
        rowStarted = true;
        break;
      }
      default: {  // `code` literal pixels, padded to a 16-bit boundary
        qint64 bytes = fourBit ? (code + 1) / 2 : code;
        bytes += bytes & 1;
        if (!in.skip(bytes)) return false;
        rowStarted = true;
      }
    }
  }
}

struct PictureSize {
  qint64 width = 0;
  qint64 height = 0;
};

// Reads the bitmap's headers: refuses a picture too large for us (before any
// other complaint), then checks that all the pixel data the headers promise is
// in the file.
std::optional<PictureError> checkBitmap(QFile& file, qint64 fileSize, PictureSize& size) {
  const QByteArray fileHeader = readAt(file, 0, 18);
  if (fileHeader.isEmpty()) return fail(kErrInvalidPicture);
  const quint32 offBits = le32(fileHeader.constData() + 10);
  const quint32 infoSize = le32(fileHeader.constData() + 14);
  if (infoSize < 12 || infoSize > 1024) return fail(kErrInvalidPicture);
  const QByteArray info = readAt(file, 14, std::min<quint32>(infoSize, 124));
  if (info.isEmpty()) return fail(kErrInvalidPicture);
  const char* h = info.constData();

  const bool core = infoSize == 12;  // the old header with 16-bit sizes
  qint64 width = 0, height = 0;
  int bitCount = 0;
  quint32 compression = 0, coloursUsed = 0;
  if (core) {
    width = le16(h + 4);
    height = le16(h + 6);
    bitCount = le16(h + 10);
  } else {
    if (infoSize < 16) return fail(kErrInvalidPicture);
    width = sle32(h + 4);
    height = sle32(h + 8);
    bitCount = le16(h + 14);
    if (infoSize >= 20) compression = le32(h + 16);
    if (infoSize >= 36) coloursUsed = le32(h + 32);
  }
  const qint64 rows = height < 0 ? -height : height;  // negative: rows top to bottom
  if (width <= 0 || rows == 0) return fail(kErrInvalidPicture);
  if (auto error = checkPictureSize(width, rows)) return error;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
      bitCount != 32)
    return fail(kErrInvalidPicture);

  // Where the pixels start as the decoder sees it: after the header, the
  // colour masks and the colour table, or further on at bfOffBits.
  qint64 headerEnd = 14 + qint64{infoSize};
  if (infoSize == 40 && compression == 3) headerEnd += 12;
  if (infoSize == 40 && compression == 6) headerEnd += 16;
  if (bitCount <= 8) {
    const qint64 colours = coloursUsed ? coloursUsed : (qint64{1} << bitCount);
    if (colours > 256) return fail(kErrInvalidPicture);
    headerEnd += colours * (core ? 3 : 4);
  }
  const qint64 dataStart = std::max<qint64>(offBits, headerEnd);
  if (dataStart >= fileSize) return fail(kErrInvalidPicture);

  switch (compression) {
    case 3:  // BI_BITFIELDS
    case 6:  // BI_ALPHABITFIELDS
      if (bitCount != 16 && bitCount != 32) return fail(kErrInvalidPicture);
      [[fallthrough]];
    case 0: {  // BI_RGB
      const qint64 stride = (width * bitCount + 31) / 32 * 4;
      if (dataStart + stride * rows > fileSize) return fail(kErrInvalidPicture);
      break;
    }
    case 1:  // BI_RLE8
    case 2:  // BI_RLE4
      if (bitCount != (compression == 1 ? 8 : 4) || height < 0) return fail(kErrInvalidPicture);
      if (!rleStreamComplete(file, dataStart, rows, compression == 2))
        return fail(kErrInvalidPicture);
      break;
    default:  // JPEG or PNG inside a bitmap, and whatever else: not ours to read
      return fail(kErrInvalidPicture);
  }
  size = {width, rows};
  return std::nullopt;
}

// --- choosing and checking an icon image ---------------------------------------

// Picks the image to load, the largest (ties go to the deeper colour, then to
// the first), and checks that the file holds all of it.
std::optional<PictureError> checkIcon(QFile& file, qint64 fileSize, int& chosen,
                                      PictureSize& size) {
  const QByteArray head = readAt(file, 0, 6);
  if (head.isEmpty()) return fail(kErrInvalidPicture);
  const int count = le16(head.constData() + 4);
  if (count == 0) return fail(kErrInvalidPicture);
  const qint64 directoryEnd = 6 + 16 * qint64{count};
  const QByteArray directory = readAt(file, 6, 16 * qint64{count});
  if (directory.isEmpty()) return fail(kErrInvalidPicture);

  chosen = -1;
  qint64 bestArea = -1;
  int bestBits = -1;
  quint32 offset = 0;
  for (int i = 0; i < count; ++i) {
    const char* e = directory.constData() + 16 * i;
    const int w = static_cast<uchar>(e[0]) ? static_cast<uchar>(e[0]) : 256;
    const int h = static_cast<uchar>(e[1]) ? static_cast<uchar>(e[1]) : 256;
    const int bits = le16(e + 6);
    const quint32 bytes = le32(e + 8);
    const quint32 at = le32(e + 12);
    // Any image running past the end means the file was cut short.
    if (bytes == 0 || at < directoryEnd || qint64{at} + bytes > fileSize)
      return fail(kErrInvalidPicture);
    if (qint64{w} * h > bestArea || (qint64{w} * h == bestArea && bits > bestBits)) {
      chosen = i;
      bestArea = qint64{w} * h;
      bestBits = bits;
      offset = at;
    }
  }

  // The image's own header has the real size: the directory holds one byte
  // per side, and a PNG image may be any size.
  const QByteArray image = readAt(file, offset, 40);
  if (image.isEmpty()) return fail(kErrInvalidPicture);
  const char* p = image.constData();
  static const char kPngSignature[] = "\x89PNG\r\n\x1a\n";
  if (std::memcmp(p, kPngSignature, 8) == 0) {
    const qint64 width = be32(p + 16), height = be32(p + 20);
    if (width == 0 || height == 0) return fail(kErrInvalidPicture);
    if (auto error = checkPictureSize(width, height)) return error;
    size = {width, height};
    return std::nullopt;
  }
  const quint32 infoSize = le32(p);
  const qint64 width = sle32(p + 4);
  const qint64 height = sle32(p + 8) / 2;  // colour rows, then the mask's
  const int bitCount = le16(p + 14);
  const quint32 coloursUsed = le32(p + 32);
  if (infoSize < 40 || width <= 0 || height <= 0) return fail(kErrInvalidPicture);
  if (auto error = checkPictureSize(width, height)) return error;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
      bitCount != 32)
    return fail(kErrInvalidPicture);
  qint64 need = infoSize;
  if (bitCount <= 8)
    need += 4 * (coloursUsed ? std::min<qint64>(coloursUsed, 256) : qint64{1} << bitCount);
  need += (width * bitCount + 31) / 32 * 4 * height;  // colours
  need += (width + 31) / 32 * 4 * height;             // transparency mask
  if (offset + need > fileSize) return fail(kErrInvalidPicture);
  size = {width, height};
  return std::nullopt;
}

// --- storing decoded pixels ----------------------------------------------------

void forceOpaque(raster::Surface& s) {
  raster::Pixel* p = s.bits();
  const std::size_t n = static_cast<std::size_t>(s.width()) * s.height();
  for (std::size_t i = 0; i < n; ++i) p[i] |= raster::kOpaque;
}

// A bitmap's pixels keep their colours whatever the alpha byte says: in a
// 32-bit bitmap it is mostly padding, often zero.
void storeBitmapPixels(const QImage& image, raster::Surface& dst) {
  const int w = image.width();
  switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
      for (int y = 0; y < image.height(); ++y) {
        const auto* src = reinterpret_cast<const raster::Pixel*>(image.constScanLine(y));
        raster::Pixel* out = dst.row(y);
        for (int x = 0; x < w; ++x) out[x] = src[x] | raster::kOpaque;
      }
      return;
    case QImage::Format_Indexed8:
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB: {
      // Indices beyond the colour table show black rather than read past it.
      raster::Pixel table[256];
      std::fill(std::begin(table), std::end(table), raster::kOpaque);
      const QList<QRgb> colours = image.colorTable();
      for (int i = 0; i < std::min<int>(colours.size(), 256); ++i)
        table[i] = colours[i] | raster::kOpaque;
      const QImage::Format format = image.format();
      for (int y = 0; y < image.height(); ++y) {
        const uchar* src = image.constScanLine(y);
        raster::Pixel* out = dst.row(y);
        if (format == QImage::Format_Indexed8) {
          for (int x = 0; x < w; ++x) out[x] = table[src[x]];
        } else if (format == QImage::Format_Mono) {
          for (int x = 0; x < w; ++x) out[x] = table[(src[x >> 3] >> (7 - (x & 7))) & 1];
        } else {
          for (int x = 0; x < w; ++x) out[x] = table[(src[x >> 3] >> (x & 7)) & 1];
        }
      }
      return;
    }
    default:
      storeBitmapPixels(image.convertToFormat(QImage::Format_ARGB32), dst);
  }
}

// Icons are drawn over the background, their edges blended by alpha. The
// formats Qt decodes icons to are handled directly: a PNG icon can be as large
// as any picture, and a converted copy would double the memory.
void storeIconPixels(const QImage& image, raster::Surface& dst, raster::Pixel background) {
  const QImage::Format format = image.format();
  if (format != QImage::Format_ARGB32 && format != QImage::Format_ARGB32_Premultiplied &&
      format != QImage::Format_RGB32) {
    storeIconPixels(image.convertToFormat(QImage::Format_ARGB32_Premultiplied), dst, background);
    return;
  }
  const bool premultiplied = format == QImage::Format_ARGB32_Premultiplied;
  const int bg[3] = {qRed(background), qGreen(background), qBlue(background)};
  for (int y = 0; y < image.height(); ++y) {
    const auto* src = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    raster::Pixel* out = dst.row(y);
    if (format == QImage::Format_RGB32) {
      for (int x = 0; x < image.width(); ++x) out[x] = src[x] | raster::kOpaque;
      continue;
    }
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = src[x];
      const int a = qAlpha(p), rest = 255 - a;
      const int c[3] = {qRed(p), qGreen(p), qBlue(p)};
      int mixed[3];
      for (int i = 0; i < 3; ++i)
        mixed[i] = std::min(255, premultiplied ? c[i] + (bg[i] * rest + 127) / 255
                                               : (c[i] * a + bg[i] * rest + 127) / 255);
      out[x] =
          raster::kOpaque | static_cast<raster::Pixel>(mixed[0] << 16 | mixed[1] << 8 | mixed[2]);
    }
  }
}

std::optional<PictureError> decodeBitmap(QFile& file, const PictureSize& size,
                                         raster::Surface& staging) {
  staging.reshape(static_cast<int>(size.width), static_cast<int>(size.height));
  // Handing Qt an image of the right size and format over our buffer lets it
  // decode 24- and 32-bit bitmaps in place, without a second full-size copy.
  QImage image = asQImage(staging);
  const uchar* ours = image.constBits();
  file.seek(0);
  QImageReader reader(&file, "bmp");
  reader.setAutoTransform(false);
  {
    const AllocationLimitScope limit(size.width * size.height * 4);
    if (!reader.read(&image)) return fail(kErrInvalidPicture);
  }
  if (image.width() != size.width || image.height() != size.height) return fail(kErrInvalidPicture);
  if (image.constBits() == ours)
    forceOpaque(staging);
  else
    storeBitmapPixels(image, staging);
  return std::nullopt;
}

std::optional<PictureError> decodeIcon(QFile& file, int index, const PictureSize& size,
                                       raster::Pixel background, raster::Surface& staging) {
  file.seek(0);
  QImageReader reader(&file, "ico");
  QImage image;
  {
    const AllocationLimitScope limit(size.width * size.height * 4);
    if (!reader.jumpToImage(index) || !reader.read(&image)) return fail(kErrInvalidPicture);
  }
  if (image.width() > kMaxPictureSide || image.height() > kMaxPictureSide)
    return fail(kErrOutOfMemory);
  if (image.isNull()) return fail(kErrInvalidPicture);
  staging.reshape(image.width(), image.height());
  storeIconPixels(image, staging, background);
  return std::nullopt;
}

// --- writing ---------------------------------------------------------------------

constexpr qint64 kBitmapHeaderSize = 14 + 40;
constexpr quint32 kPelsPerMeter = 3780;  // 96 dpi, the screen resolution pictures are drawn at

struct BitmapGeometry {
  qint64 stride = 0;
  qint64 fileSize = 0;
};

// The sizes of the 24-bit file, or nothing when its 32-bit header fields
// could not hold them (or there is no picture at all).
std::optional<BitmapGeometry> bitmapGeometry(const raster::Surface& pic) {
  if (pic.empty()) return std::nullopt;
  const qint64 stride = (qint64{pic.width()} * 3 + 3) & ~qint64{3};
  const qint64 fileSize = kBitmapHeaderSize + stride * pic.height();
  if (fileSize > qint64{0xFFFFFFFF}) return std::nullopt;
  return BitmapGeometry{stride, fileSize};
}

void putHeader(uchar* p, const raster::Surface& pic, const BitmapGeometry& g) {
  std::memset(p, 0, kBitmapHeaderSize);
  p[0] = 'B';
  p[1] = 'M';
  qToLittleEndian<quint32>(static_cast<quint32>(g.fileSize), p + 2);
  qToLittleEndian<quint32>(kBitmapHeaderSize, p + 10);
  qToLittleEndian<quint32>(40, p + 14);
  qToLittleEndian<qint32>(pic.width(), p + 18);
  qToLittleEndian<qint32>(pic.height(), p + 22);  // positive: rows bottom to top
  qToLittleEndian<quint16>(1, p + 26);
  qToLittleEndian<quint16>(24, p + 28);
  qToLittleEndian<quint32>(static_cast<quint32>(g.stride * pic.height()), p + 34);
  qToLittleEndian<quint32>(kPelsPerMeter, p + 38);
  qToLittleEndian<quint32>(kPelsPerMeter, p + 42);
}

// One row in file order (blue, green, red per pixel) with zero padding up to
// `stride`. Plain byte stores vectorise once the compiler knows the buffers
// do not overlap; packing pixels into words by hand measured slower.
void encodeRow(const raster::Pixel* __restrict src, int width, uchar* __restrict dst,
               qint64 stride) {
  uchar* out = dst;
  for (int x = 0; x < width; ++x, out += 3) {
    const raster::Pixel p = src[x];
    out[0] = static_cast<uchar>(p);
    out[1] = static_cast<uchar>(p >> 8);
    out[2] = static_cast<uchar>(p >> 16);
  }
  std::memset(out, 0, static_cast<std::size_t>(dst + stride - out));
}

}  // namespace

PictureError pictureError(int number) {
  for (const ErrorText& e : kErrorTexts)
    if (e.number == number) return {number, QString::fromUtf8(e.description)};
  return {number, QString()};
}

std::optional<PictureError> readPictureFile(const QString& path, raster::Surface& out,
                                            raster::Pixel background) {
  QFile file;
  if (auto error = openRegularFile(path, file)) return error;
  const qint64 fileSize = file.size();
  const QByteArray magic = readAt(file, 0, 4);
  if (magic.isEmpty()) return fail(kErrInvalidPicture);

  try {
    // Decoded aside and swapped in, so a failure leaves `out` as it was.
    raster::Surface staging;
    PictureSize size;
    if (magic.startsWith("BM")) {
      if (auto error = checkBitmap(file, fileSize, size)) return error;
      if (auto error = decodeBitmap(file, size, staging)) return error;
    } else if (magic == QByteArray("\0\0\1\0", 4) || magic == QByteArray("\0\0\2\0", 4)) {
      // Icons, and cursors, which share the layout.
      int index = 0;
      if (auto error = checkIcon(file, fileSize, index, size)) return error;
      if (auto error = decodeIcon(file, index, size, background, staging)) return error;
    } else {
      return fail(kErrInvalidPicture);
    }
    std::swap(out, staging);
  } catch (const std::bad_alloc&) {
    return fail(kErrOutOfMemory);
  }
  return std::nullopt;
}

QByteArray encodeBitmap(const raster::Surface& pic) {
  const auto g = bitmapGeometry(pic);
  if (!g) return {};
  try {
    QByteArray bytes(g->fileSize, Qt::Uninitialized);
    auto* p = reinterpret_cast<uchar*>(bytes.data());
    putHeader(p, pic, *g);
    p += kBitmapHeaderSize;
    for (int y = pic.height() - 1; y >= 0; --y, p += g->stride)
      encodeRow(pic.row(y), pic.width(), p, g->stride);
    return bytes;
  } catch (const std::bad_alloc&) {
    return {};
  }
}

bool writeBitmapFile(const QString& path, const raster::Surface& pic, QString* error) {
  const auto g = bitmapGeometry(pic);
  if (!g) {
    if (error)
      *error = pic.empty() ? QStringLiteral("画像の幅か高さが 0 です")
                           : QStringLiteral("画像が大きすぎてビットマップファイルにできません");
    return false;
  }
  try {
    // Rows go out in chunks of about 256 KiB through one reused buffer.
    const qint64 rowsPerChunk = std::max<qint64>(1, (256 * 1024) / g->stride);
    std::vector<uchar> chunk(
        static_cast<std::size_t>(std::max(rowsPerChunk * g->stride, kBitmapHeaderSize)));
    return writeFileAtomically(
        path,
        [&](const std::function<bool(const char*, qint64)>& sink) {
          putHeader(chunk.data(), pic, *g);
          if (!sink(reinterpret_cast<const char*>(chunk.data()), kBitmapHeaderSize)) return false;
          int y = pic.height() - 1;
          while (y >= 0) {
            qint64 filled = 0;
            for (qint64 n = 0; n < rowsPerChunk && y >= 0; ++n, --y, filled += g->stride)
              encodeRow(pic.row(y), pic.width(), chunk.data() + filled, g->stride);
            if (!sink(reinterpret_cast<const char*>(chunk.data()), filled)) return false;
          }
          return true;
        },
        error);
  } catch (const std::bad_alloc&) {
    if (error) *error = fileErrorReason(ENOMEM, FileAccess::Write);
    return false;
  }
}

}  // namespace tupalo
