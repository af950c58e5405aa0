#pragma once
// Windows bitmaps in plain C++. The reader takes BMP files of 1, 4, 8, 16, 24
// and 32 bits (RLE4 and RLE8, bit fields, top-down rows, every header from the
// OS/2 core header to V5) and the images of ICO and CUR files: a bitmap image
// is decoded here, its AND mask laid over a background; a PNG image is only
// located, for the caller to decode. Pixels go straight into the Surface, one
// row at a time, and nothing large is allocated before every header field has
// been checked. The writer makes 24-bit bitmaps with a 40-byte header.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

#include "platform/raster/Surface.h"

namespace tupalo::bmp {

// The bytes of a file or of a block of memory, read by offset.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual std::uint64_t size() const = 0;
  // `count` bytes from `offset`, or nullptr when the source does not hold
  // them all or cannot be read. Valid until the next call.
  virtual const std::uint8_t* bytes(std::uint64_t offset, std::size_t count) = 0;
};

class MemorySource final : public ByteSource {
 public:
  MemorySource(const void* data, std::size_t size)
      : data_(static_cast<const std::uint8_t*>(data)), size_(size) {}
  std::uint64_t size() const override { return size_; }
  const std::uint8_t* bytes(std::uint64_t offset, std::size_t count) override {
    return offset <= size_ && count <= size_ - offset ? data_ + offset : nullptr;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

enum class Status {
  Ok,
  Invalid,   // not a picture we read, or damaged beyond sense
  TooLarge,  // refused by the size check
};

enum class Kind {
  Bitmap,   // a BMP file
  Icon,     // the bitmap image of an ICO or CUR file
  IconPng,  // the PNG image of an ICO or CUR file: pngOffset, pngSize
};

enum class Coding { Rgb, Rle8, Rle4, Fields };

// What the headers say: the picture's size and where and how its pixels are
// stored.
struct Layout {
  Kind kind = Kind::Bitmap;
  int width = 0;
  int height = 0;

  std::uint64_t pngOffset = 0;
  std::uint64_t pngSize = 0;

  int bitCount = 0;
  Coding coding = Coding::Rgb;
  bool topDown = false;
  std::uint64_t dataOffset = 0;  // the first row as stored (the bottom one unless top-down)
  std::uint64_t stride = 0;      // bytes per stored row, padding included
  // Icons: the AND mask after the colour rows; absent in some files.
  bool hasMask = false;
  std::uint64_t maskOffset = 0;
  // Red, green, blue and alpha masks of 16- and 32-bit pixels.
  std::uint32_t masks[4] = {};
  // The colour table of 1-, 4- and 8-bit pixels, opaque black past its end.
  std::array<raster::Pixel, 256> colours{};
};

// Whether a picture of width x height may be allocated. `besideBytesPerPixel`
// is what decoding holds beside the picture's own 4 bytes a pixel: 0 for our
// decoder, Qt's decoded image for a PNG.
using SizeCheck =
    std::function<bool(std::int64_t width, std::int64_t height, int besideBytesPerPixel)>;

// Reads and checks every header field, and that the file holds the pixel data
// they promise. The size check runs as soon as the size is known, before any
// complaint about the data.
Status inspect(ByteSource& in, Layout& layout, const SizeCheck& admit);

// Decodes a Bitmap or Icon layout into `out`, resized to the picture. An
// icon's transparent parts take `background`. Invalid only when the source
// no longer holds what inspect found.
Status decode(ByteSource& in, const Layout& layout, raster::Surface& out, raster::Pixel background);

// --- writing -----------------------------------------------------------------

inline constexpr std::size_t kHeaderBytes = 14 + 40;

struct Geometry {
  std::uint64_t stride = 0;  // bytes per row, padded to 4
  std::uint64_t fileSize = 0;
};

// The sizes of a 24-bit file of the picture, or nothing for an empty picture
// or one whose file the format's 32-bit fields could not describe.
std::optional<Geometry> geometry(int width, int height);

// The file and info headers, kHeaderBytes of them: bottom-up rows, 96 dpi.
void putHeader(std::uint8_t* out, int width, int height, const Geometry& g);

// One row in file order (blue, green, red), zero padding up to `stride`.
void encodeRow(const raster::Pixel* src, int width, std::uint8_t* dst, std::size_t stride);

}  // namespace tupalo::bmp
