#pragma once
// The editor's own picture files: BMP and ICO read, 24-bit Windows bitmaps
// written. Failures come back as the classic run-time errors (number and
// Japanese description) that the load and save messages show.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

#include "platform/raster/Surface.h"

namespace tupalo {

struct PictureError {
  int number = 0;
  QString description;
};

// Error numbers; their texts live in one table in PictureFile.cpp.
inline constexpr int kErrOutOfMemory = 7;
inline constexpr int kErrFileNotFound = 53;
inline constexpr int kErrPathFileAccess = 75;
inline constexpr int kErrPathNotFound = 76;
inline constexpr int kErrInvalidPicture = 481;

// The error with its description from the table (an unknown number gets an
// empty description).
PictureError pictureError(int number);

// Largest picture we agree to load: each side at most 32767 (the editor's
// sizes are 16-bit) and at most this many bytes at 32 bits per pixel. Below
// that, the free memory of the machine also has to hold it.
inline constexpr int kMaxPictureSide = 32767;
inline constexpr std::int64_t kMaxPictureBytes = std::int64_t{3} << 29;  // 1.5 GiB

// Refuses a picture too large for the editor (error 7) before anything is
// allocated: a side above kMaxPictureSide, more than kMaxPictureBytes, or more
// than the machine's free memory can hold beside a decoded copy of
// `besideBytesPerPixel` bytes a pixel.
std::optional<PictureError> checkPictureSize(qint64 width, qint64 height,
                                             int besideBytesPerPixel = 4);

// Reads a BMP or ICO file into `out` (resized to the picture). The format is
// recognised from the content, not the name. An icon's transparent parts are
// laid over `background`; of several icon images the largest is taken. On
// failure `out` is left unchanged; on success it holds a new pixel buffer, so
// QImage views of it (asQImage) must be made again.
std::optional<PictureError> readPictureFile(const QString& path, raster::Surface& out,
                                            raster::Pixel background = 0xFFFFFFFFu);

// The same for a BMP or ICO file held in memory.
std::optional<PictureError> decodePicture(const QByteArray& bytes, raster::Surface& out,
                                          raster::Pixel background = 0xFFFFFFFFu);

// Writes `pic` as a 24-bit Windows bitmap (BITMAPINFOHEADER, bottom-up rows
// padded to 4 bytes), replacing the file atomically: on failure the old file
// is untouched, the result is false and *error says why in Japanese.
bool writeBitmapFile(const QString& path, const raster::Surface& pic, QString* error = nullptr);

// The same bitmap file in memory; empty when the picture is empty or too
// large for the format. The clipboard's device-independent bitmap is this
// without its first 14 bytes (the file header).
QByteArray encodeBitmap(const raster::Surface& pic);

// The same into `bytes`, whose memory is reused when no one else shares it.
// False, with `bytes` emptied, when there is nothing to write or no memory.
bool encodeBitmap(const raster::Surface& pic, QByteArray& bytes);

}  // namespace tupalo
