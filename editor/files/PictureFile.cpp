#include "editor/files/PictureFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <limits>
#include <new>
#include <string>
#include <vector>

#include "editor/files/BmpCodec.h"
#include "platform/AtomicFile.h"
#include "platform/FileErrors.h"

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

std::optional<PictureError> checkPictureSize(qint64 width, qint64 height, int besideBytesPerPixel) {
  if (width > kMaxPictureSide || height > kMaxPictureSide) return fail(kErrOutOfMemory);
  const qint64 bytes = width * height * 4;
  if (bytes > kMaxPictureBytes) return fail(kErrOutOfMemory);
  const qint64 available = availableMemory();
  if (available >= 0 && bytes + width * height * besideBytesPerPixel > available)
    return fail(kErrOutOfMemory);
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

// An open file descriptor, closed when it goes.
class FileHandle {
 public:
  FileHandle() = default;
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() {
    if (fd >= 0) ::close(fd);
  }
  int fd = -1;
};

std::optional<PictureError> openRegularFile(const QString& path, FileHandle& file,
                                            std::uint64_t& size) {
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
  file.fd = fd;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return fail(kErrPathFileAccess);
  size = static_cast<std::uint64_t>(st.st_size);
  return std::nullopt;
}

// --- reading ----------------------------------------------------------------------

// A regular file read by offset through one buffer that is kept and reused.
class FileSource final : public bmp::ByteSource {
 public:
  FileSource(int fd, std::uint64_t size, const QString& path) : fd_(fd), size_(size), path_(path) {}
  std::uint64_t size() const override { return size_; }
  const std::uint8_t* bytes(std::uint64_t offset, std::size_t count) override {
    if (offset > size_ || count > size_ - offset) return nullptr;
    if (buffer_.size() < count) buffer_.resize(count);
    std::size_t done = 0;
    if (const int fault = injectedFileFault(FileCall::Read, path_)) {
      readError_ = fault;
      return nullptr;
    }
    while (done < count) {
      const ssize_t n =
          ::pread(fd_, buffer_.data() + done, count - done, static_cast<off_t>(offset + done));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {  // an error, or the file became shorter
        if (n < 0) readError_ = errno;
        return nullptr;
      }
      done += static_cast<std::size_t>(n);
    }
    return buffer_.data();
  }
  int readError() const { return readError_; }

 private:
  int fd_;
  std::uint64_t size_;
  QString path_;
  std::vector<std::uint8_t> buffer_;
  int readError_ = 0;
};

bool admitPicture(std::int64_t width, std::int64_t height, int besideBytesPerPixel) {
  return !checkPictureSize(width, height, std::max(besideBytesPerPixel, 4));
}

// Icons are drawn over the background, their edges blended by alpha. Qt's
// image is converted a row at a time: a PNG icon can be as large as any
// picture, and a converted copy of the whole would double the memory.
void storeIconPixels(const QImage& image, raster::Surface& dst, raster::Pixel background) {
  const int bg[3] = {qRed(background), qGreen(background), qBlue(background)};
  const QList<QRgb> table = image.colorTable();
  for (int y = 0; y < image.height(); ++y) {
    QImage row(image.constScanLine(y), image.width(), 1, image.bytesPerLine(), image.format());
    if (!table.isEmpty()) row.setColorTable(table);
    row = row.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const auto* src = reinterpret_cast<const QRgb*>(row.constScanLine(0));
    raster::Pixel* out = dst.row(y);
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = src[x];
      const int rest = 255 - qAlpha(p);
      const int c[3] = {qRed(p), qGreen(p), qBlue(p)};
      int mixed[3];
      for (int i = 0; i < 3; ++i) mixed[i] = std::min(255, c[i] + (bg[i] * rest + 127) / 255);
      out[x] =
          raster::kOpaque | static_cast<raster::Pixel>(mixed[0] << 16 | mixed[1] << 8 | mixed[2]);
    }
  }
}

std::optional<PictureError> decodePng(bmp::ByteSource& in, const bmp::Layout& layout,
                                      raster::Pixel background, raster::Surface& staging) {
  const std::uint8_t* data = in.bytes(layout.pngOffset, static_cast<std::size_t>(layout.pngSize));
  if (!data) return fail(kErrInvalidPicture);
  QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(layout.pngSize));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "png");
  QImage image;
  {
    // Qt's own limit counts the image it decodes to, 8 bytes a pixel for
    // 16-bit channels.
    const int perPixel = QImage::toPixelFormat(reader.imageFormat()).bitsPerPixel() / 8;
    const AllocationLimitScope limit(qint64{layout.width} * layout.height * std::max(perPixel, 4));
    if (!reader.read(&image)) return fail(kErrInvalidPicture);
  }
  if (image.width() != layout.width || image.height() != layout.height)
    return fail(kErrInvalidPicture);
  staging.reshapeForOverwrite(image.width(), image.height());
  storeIconPixels(image, staging, background);
  return std::nullopt;
}

std::optional<PictureError> readPicture(bmp::ByteSource& in, raster::Surface& out,
                                        raster::Pixel background) {
  try {
    // Decoded aside and swapped in, so a failure leaves `out` as it was.
    raster::Surface staging;
    bmp::Layout layout;
    bmp::Status status = bmp::inspect(in, layout, admitPicture);
    if (status == bmp::Status::Ok) {
      if (layout.kind == bmp::Kind::IconPng) {
        if (auto error = decodePng(in, layout, background, staging)) return error;
      } else {
        status = bmp::decode(in, layout, staging, background);
      }
    }
    if (status == bmp::Status::TooLarge) return fail(kErrOutOfMemory);
    if (status != bmp::Status::Ok) return fail(kErrInvalidPicture);
    std::swap(out, staging);
  } catch (const std::bad_alloc&) {
    return fail(kErrOutOfMemory);
  }
  return std::nullopt;
}

}  // namespace

PictureError pictureError(int number) {
  for (const ErrorText& e : kErrorTexts)
    if (e.number == number) return {number, QString::fromUtf8(e.description)};
  return {number, QString()};
}

std::optional<PictureError> readPictureFile(const QString& path, raster::Surface& out,
                                            raster::Pixel background) {
  FileHandle file;
  std::uint64_t size = 0;
  if (auto error = openRegularFile(path, file, size)) return error;
  FileSource source(file.fd, size, path);
  auto error = readPicture(source, out, background);
  // A picture that could not be read to its end because the disk failed is
  // no damaged picture.
  if (error && error->number == kErrInvalidPicture && source.readError())
    return fail(kErrPathFileAccess);
  return error;
}

std::optional<PictureError> decodePicture(const QByteArray& bytes, raster::Surface& out,
                                          raster::Pixel background) {
  bmp::MemorySource source(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  return readPicture(source, out, background);
}

bool encodeBitmap(const raster::Surface& pic, QByteArray& bytes) {
  const auto g = bmp::geometry(pic.width(), pic.height());
  if (!g) {
    bytes.clear();
    return false;
  }
  try {
    bytes.resize(static_cast<qsizetype>(g->fileSize));
    auto* p = reinterpret_cast<std::uint8_t*>(bytes.data());
    bmp::putHeader(p, pic.width(), pic.height(), *g);
    p += bmp::kHeaderBytes;
    for (int y = pic.height() - 1; y >= 0; --y, p += g->stride)
      bmp::encodeRow(pic.row(y), pic.width(), p, g->stride);
    return true;
  } catch (const std::bad_alloc&) {
    bytes = QByteArray();
    return false;
  }
}

QByteArray encodeBitmap(const raster::Surface& pic) {
  QByteArray bytes;
  encodeBitmap(pic, bytes);
  return bytes;
}

bool writeBitmapFile(const QString& path, const raster::Surface& pic, QString* error) {
  const auto g = bmp::geometry(pic.width(), pic.height());
  if (!g) {
    if (error)
      *error = pic.empty() ? QStringLiteral("画像の幅か高さが 0 です")
                           : QStringLiteral("画像が大きすぎてビットマップファイルにできません");
    return false;
  }
  try {
    // Rows go out in chunks of about 256 KiB through one buffer, kept from
    // one save to the next.
    const std::uint64_t rowsPerChunk = std::max<std::uint64_t>(1, (256 * 1024) / g->stride);
    thread_local std::vector<std::uint8_t> chunk;
    const std::size_t need = static_cast<std::size_t>(
        std::max<std::uint64_t>(rowsPerChunk * g->stride, bmp::kHeaderBytes));
    if (chunk.size() < need) chunk.resize(need);
    return writeFileAtomically(
        path,
        [&](const std::function<bool(const char*, qint64)>& sink) {
          bmp::putHeader(chunk.data(), pic.width(), pic.height(), *g);
          if (!sink(reinterpret_cast<const char*>(chunk.data()), bmp::kHeaderBytes)) return false;
          int y = pic.height() - 1;
          while (y >= 0) {
            std::size_t filled = 0;
            for (std::uint64_t n = 0; n < rowsPerChunk && y >= 0; ++n, --y, filled += g->stride)
              bmp::encodeRow(pic.row(y), pic.width(), chunk.data() + filled, g->stride);
            if (!sink(reinterpret_cast<const char*>(chunk.data()), static_cast<qint64>(filled)))
              return false;
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
