#include "editor/files/BmpCodec.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>

namespace tupalo::bmp {

static_assert(std::endian::native == std::endian::little,
              "the row converters read little-endian words");

namespace {

using raster::kOpaque;
using raster::Pixel;

std::uint16_t le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t le32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
         std::uint32_t{p[3]} << 24;
}
std::int32_t sle32(const std::uint8_t* p) { return static_cast<std::int32_t>(le32(p)); }
std::uint32_t be32(const std::uint8_t* p) {
  return std::uint32_t{p[3]} | std::uint32_t{p[2]} << 8 | std::uint32_t{p[1]} << 16 |
         std::uint32_t{p[0]} << 24;
}
void put16(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
void put32(std::uint8_t* p, std::uint32_t v) {
  put16(p, v);
  put16(p + 2, v >> 16);
}

Pixel bgr(const std::uint8_t* p) { return kOpaque | p[2] << 16 | p[1] << 8 | p[0]; }

constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitFields = 3,
                        kBiAlphaBitFields = 6;

// --- headers ---------------------------------------------------------------------

// The header of a device-independent bitmap at `at`: a BMP file's after its
// file header (`fileDataOffset` is the file header's pixel offset), or an icon
// image's.
Status inspectDib(ByteSource& in, std::uint64_t at, bool icon, std::uint64_t fileDataOffset,
                  Layout& out, const SizeCheck& admit) {
  const std::uint8_t* p = in.bytes(at, 4);
  if (!p) return Status::Invalid;
  const std::uint32_t infoSize = le32(p);
  if (infoSize < 12) return Status::Invalid;
  p = in.bytes(at, std::min<std::uint32_t>(infoSize, 124));
  if (!p) return Status::Invalid;

  // The OS/2 core header has 16-bit sizes and nothing past the bit count.
  const bool core = infoSize == 12;
  // The OS/2 2.x header is 64 bytes or any prefix of it longer than 12.
  const bool os2 = infoSize == 64 || (infoSize > 12 && infoSize < 40);
  std::int64_t width = 0, height = 0;
  int bitCount = 0;
  std::uint32_t compression = kBiRgb, coloursUsed = 0;
  if (core) {
    width = le16(p + 4);
    height = le16(p + 6);
    bitCount = le16(p + 10);
  } else {
    if (infoSize < 16) return Status::Invalid;
    width = sle32(p + 4);
    height = sle32(p + 8);
    bitCount = le16(p + 14);
    if (infoSize >= 20) compression = le32(p + 16);
    if (infoSize >= 36) coloursUsed = le32(p + 32);
  }
  if (width <= 0 || height == 0) return Status::Invalid;
  out.topDown = height < 0;
  std::int64_t rows = height < 0 ? -height : height;
  if (icon) {
    // Colour rows, then as many rows of the mask.
    if (out.topDown) return Status::Invalid;
    rows /= 2;
    if (rows == 0) return Status::Invalid;
  }
  if (width > INT_MAX || rows > INT_MAX || (admit && !admit(width, rows, 0)))
    return Status::TooLarge;
  out.width = static_cast<int>(width);
  out.height = static_cast<int>(rows);

  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
      bitCount != 32)
    return Status::Invalid;
  out.bitCount = bitCount;
  std::uint64_t tableAt = at + infoSize;
  switch (compression) {
    case kBiRgb:
      out.coding = Coding::Rgb;
      if (bitCount == 16) {
        out.coding = Coding::Fields;
        out.masks[0] = 0x7C00, out.masks[1] = 0x03E0, out.masks[2] = 0x001F;
      }
      break;
    case kBiRle8:
    case kBiRle4:
      if (bitCount != (compression == kBiRle8 ? 8 : 4)) return Status::Invalid;
      // Stored bottom-up only; an icon's mask would have no place to start.
      if (out.topDown || icon) return Status::Invalid;
      out.coding = compression == kBiRle8 ? Coding::Rle8 : Coding::Rle4;
      break;
    case kBiBitFields:
    case kBiAlphaBitFields: {
      // Huffman coding in an OS/2 header.
      if (os2 || (bitCount != 16 && bitCount != 32)) return Status::Invalid;
      out.coding = Coding::Fields;
      const int count = compression == kBiAlphaBitFields ? 4 : 3;
      if (infoSize >= 52) {  // the masks are part of the header
        const int inHeader = infoSize >= 56 ? 4 : 3;
        for (int i = 0; i < inHeader; ++i) out.masks[i] = le32(p + 40 + 4 * i);
      } else {  // they follow it
        const std::uint8_t* m = in.bytes(tableAt, 4 * count);
        if (!m) return Status::Invalid;
        for (int i = 0; i < count; ++i) out.masks[i] = le32(m + 4 * i);
        tableAt += 4 * count;
      }
      break;
    }
    default:  // JPEG or PNG inside a bitmap, Huffman, RLE24: not ours to read
      return Status::Invalid;
  }
  if (out.coding == Coding::Rgb && bitCount == 32) {
    out.masks[0] = 0x00FF0000, out.masks[1] = 0x0000FF00, out.masks[2] = 0x000000FF;
    out.masks[3] = 0xFF000000;  // read for icons only
  }

  std::uint64_t dataAt = tableAt;
  out.colours.fill(kOpaque);
  if (bitCount <= 8) {
    // A count beyond what the pixels can index is taken as a full table.
    const std::uint32_t full = 1u << bitCount;
    const std::uint32_t entries = coloursUsed == 0 || coloursUsed > full ? full : coloursUsed;
    const int entrySize = core ? 3 : 4;
    const std::uint8_t* t = in.bytes(tableAt, std::size_t{entries} * entrySize);
    if (!t) return Status::Invalid;
    for (std::uint32_t i = 0; i < entries; ++i) out.colours[i] = bgr(t + i * entrySize);
    dataAt += std::uint64_t{entries} * entrySize;
  }
  // The file header's offset wins unless it points into the headers.
  if (!icon) dataAt = std::max(dataAt, fileDataOffset);
  out.dataOffset = dataAt;
  out.stride = (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;

  const std::uint64_t size = in.size();
  if (out.coding == Coding::Rle8 || out.coding == Coding::Rle4) return Status::Ok;
  // Every row, though the last one may miss its padding.
  const std::uint64_t lastRow = (static_cast<std::uint64_t>(width) * bitCount + 7) / 8;
  const std::uint64_t need = out.stride * static_cast<std::uint64_t>(rows - 1) + lastRow;
  if (dataAt > size || need > size - dataAt) return Status::Invalid;
  if (icon) {
    out.maskOffset = dataAt + out.stride * static_cast<std::uint64_t>(rows);
    const std::uint64_t maskStride = (static_cast<std::uint64_t>(width) + 31) / 32 * 4;
    const std::uint64_t maskNeed = maskStride * static_cast<std::uint64_t>(rows - 1) +
                                   (static_cast<std::uint64_t>(width) + 7) / 8;
    out.hasMask = out.maskOffset <= size && maskNeed <= size - out.maskOffset;
  }
  return Status::Ok;
}

// Icons and cursors: the largest image (ties go to the deeper colour, then to
// the first).
Status inspectIcon(ByteSource& in, Layout& out, const SizeCheck& admit) {
  const std::uint8_t* head = in.bytes(0, 6);
  if (!head) return Status::Invalid;
  const int count = le16(head + 4);
  if (count == 0) return Status::Invalid;
  const std::uint64_t directoryEnd = 6 + 16 * std::uint64_t(count);
  const std::uint8_t* directory = in.bytes(6, 16 * std::size_t(count));
  if (!directory) return Status::Invalid;

  const std::uint64_t size = in.size();
  std::int64_t bestArea = -1;
  int bestBits = -1;
  std::uint64_t offset = 0, bytes = 0;
  for (int i = 0; i < count; ++i) {
    const std::uint8_t* e = directory + 16 * i;
    const int w = e[0] ? e[0] : 256;
    const int h = e[1] ? e[1] : 256;
    const int bits = le16(e + 6);
    const std::uint32_t length = le32(e + 8);
    const std::uint32_t at = le32(e + 12);
    // Any image running past the end means the file was cut short.
    if (length == 0 || at < directoryEnd || std::uint64_t{at} + length > size)
      return Status::Invalid;
    if (std::int64_t{w} * h > bestArea || (std::int64_t{w} * h == bestArea && bits > bestBits)) {
      bestArea = std::int64_t{w} * h;
      bestBits = bits;
      offset = at;
      bytes = length;
    }
  }

  static constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  const std::uint8_t* sig = in.bytes(offset, 8);
  if (sig && std::memcmp(sig, kPngSignature, 8) == 0) {
    // The image's own header has the real size: the directory holds one
    // byte per side, and a PNG image may be any size.
    const std::uint8_t* ihdr = in.bytes(offset, 26);
    if (!ihdr) return Status::Invalid;
    const std::int64_t width = be32(ihdr + 16), height = be32(ihdr + 20);
    if (width == 0 || height == 0) return Status::Invalid;
    // Qt decodes 16-bit channels to 8 bytes a pixel, anything else to 4.
    const int beside = ihdr[24] == 16 ? 8 : 4;
    if (width > INT_MAX || height > INT_MAX || (admit && !admit(width, height, beside)))
      return Status::TooLarge;
    out.kind = Kind::IconPng;
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    out.pngOffset = offset;
    out.pngSize = bytes;
    return Status::Ok;
  }
  out.kind = Kind::Icon;
  return inspectDib(in, offset, true, 0, out, admit);
}

// --- rows ------------------------------------------------------------------------

// A channel of a 16- or 32-bit pixel: its bits, shifted down, widened to 8 by
// repeating their high bits (5 bits of 31 become 255, not 248).
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;  // down to the channel's lowest bit
  int drop = 0;   // low bits beyond 8
  std::uint8_t widen[256] = {};

  explicit Channel(std::uint32_t m) : mask(m) {
    if (m == 0) return;
    shift = std::countr_zero(m);
    const int bits = std::bit_width(m >> shift);
    drop = std::max(bits - 8, 0);
    const int n = bits - drop;
    for (std::uint32_t v = 0; v < (1u << n); ++v) {
      std::uint32_t wide = 0;
      for (int k = 8 - n; k > -n; k -= n) wide |= k >= 0 ? v << k : v >> -k;
      widen[v] = static_cast<std::uint8_t>(wide);
    }
  }
  std::uint32_t operator()(std::uint32_t pixel) const {
    return widen[((pixel & mask) >> shift) >> drop & 0xFF];
  }
};

void convertIndexed(const std::uint8_t* src, int width, int bits,
                    const std::array<Pixel, 256>& colours, Pixel* dst) {
  switch (bits) {
    case 8:
      for (int x = 0; x < width; ++x) dst[x] = colours[src[x]];
      break;
    case 4:
      for (int x = 0; x < width; ++x) dst[x] = colours[(src[x >> 1] >> (x & 1 ? 0 : 4)) & 0xF];
      break;
    default:
      for (int x = 0; x < width; ++x) dst[x] = colours[(src[x >> 3] >> (7 - (x & 7))) & 1];
  }
}

// Four pixels from three little-endian words at a time.
void convert24(const std::uint8_t* __restrict src, int width, Pixel* __restrict dst) {
  int x = 0;
  for (; x + 4 <= width; x += 4, src += 12) {
    std::uint32_t a, b, c;
    std::memcpy(&a, src, 4);
    std::memcpy(&b, src + 4, 4);
    std::memcpy(&c, src + 8, 4);
    dst[x] = kOpaque | a;
    dst[x + 1] = kOpaque | a >> 24 | b << 8;
    dst[x + 2] = kOpaque | b >> 16 | c << 16;
    dst[x + 3] = kOpaque | c >> 8;
  }
  for (; x < width; ++x, src += 3) dst[x] = bgr(src);
}

// A 32-bit bitmap's pixels keep their colours whatever the fourth byte says:
// it is mostly padding, often zero. `alpha` keeps it, for icons.
void convert32(const std::uint8_t* __restrict src, int width, bool alpha, Pixel* __restrict dst) {
  const Pixel set = alpha ? 0 : kOpaque;
  for (int x = 0; x < width; ++x) {
    std::uint32_t p;
    std::memcpy(&p, src + 4 * x, 4);
    dst[x] = p | set;
  }
}

struct FieldReader {
  Channel red, green, blue, alpha;
  bool keepAlpha;

  FieldReader(const Layout& l, bool keep)
      : red(l.masks[0]), green(l.masks[1]), blue(l.masks[2]), alpha(l.masks[3]), keepAlpha(keep) {}

  void convert(const std::uint8_t* src, int width, int bits, Pixel* dst) const {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = bits == 16 ? le16(src + 2 * x) : le32(src + 4 * x);
      const Pixel a = keepAlpha ? alpha(p) << 24 : kOpaque;
      dst[x] = a | red(p) << 16 | green(p) << 8 | blue(p);
    }
  }
};

bool standardMasks(const Layout& l) {
  return l.bitCount == 32 && l.masks[0] == 0x00FF0000 && l.masks[1] == 0x0000FF00 &&
         l.masks[2] == 0x000000FF;
}

// Rows are read in pieces of about this many bytes.
constexpr std::uint64_t kChunkBytes = 256 * 1024;

Status decodeRows(ByteSource& in, const Layout& l, raster::Surface& out, bool keepAlpha) {
  const int width = l.width, rows = l.height, bits = l.bitCount;
  const std::uint64_t stride = l.stride;
  const std::uint64_t lastRow = (static_cast<std::uint64_t>(width) * bits + 7) / 8;
  const std::uint64_t chunkRows = std::max<std::uint64_t>(1, kChunkBytes / stride);
  const bool plain32 = standardMasks(l) && (!keepAlpha || l.masks[3] == 0xFF000000);
  std::optional<FieldReader> fields;
  if (l.coding == Coding::Fields && !plain32) fields.emplace(l, keepAlpha);

  for (std::uint64_t first = 0; first < static_cast<std::uint64_t>(rows);) {
    const std::uint64_t n = std::min<std::uint64_t>(chunkRows, rows - first);
    const std::uint8_t* src = in.bytes(l.dataOffset + first * stride,
                                       static_cast<std::size_t>((n - 1) * stride + lastRow));
    if (!src) return Status::Invalid;
    for (std::uint64_t i = 0; i < n; ++i, src += stride) {
      const int fileRow = static_cast<int>(first + i);
      Pixel* dst = out.row(l.topDown ? fileRow : rows - 1 - fileRow);
      if (bits <= 8)
        convertIndexed(src, width, bits, l.colours, dst);
      else if (bits == 24)
        convert24(src, width, dst);
      else if (plain32)
        convert32(src, width, keepAlpha, dst);
      else
        fields->convert(src, width, bits, dst);
    }
    first += n;
  }
  return Status::Ok;
}

// --- run-length coding -------------------------------------------------------------

// Reads a byte stream in windows of 64 KiB.
class ByteReader {
 public:
  ByteReader(ByteSource& in, std::uint64_t from) : in_(in), pos_(from) {}
  bool get(std::uint8_t& b) {
    if (at_ == end_ && !refill()) return false;
    b = *at_++;
    return true;
  }
  bool skip(std::uint64_t count) {
    while (count > 0) {
      if (at_ == end_ && !refill()) return false;
      const std::uint64_t step = std::min<std::uint64_t>(count, end_ - at_);
      at_ += step;
      count -= step;
    }
    return true;
  }

 private:
  bool refill() {
    const std::uint64_t size = in_.size();
    if (pos_ >= size) return false;
    const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(size - pos_, 65536));
    at_ = in_.bytes(pos_, count);
    if (!at_) return false;
    end_ = at_ + count;
    pos_ += count;
    return true;
  }

  ByteSource& in_;
  std::uint64_t pos_;
  const std::uint8_t* at_ = nullptr;
  const std::uint8_t* end_ = nullptr;
};

// Follows a run-length stream; with `out`, paints it. Pixels the stream
// skips (deltas, early ends of line or of picture) take colour 0, as in a
// zeroed buffer of indices; runs past a row's end are cut there. Returns
// whether the stream is whole: it ends with its end marker, or without one
// once it has reached the last row.
bool runLengths(ByteSource& in, const Layout& l, raster::Surface* out) {
  const std::int64_t width = l.width, rows = l.height;
  const bool four = l.coding == Coding::Rle4;
  const Pixel blank = l.colours[0];
  std::int64_t x = 0, y = 0;  // y counts stored rows, from the bottom
  bool rowStarted = false;

  auto put = [&](int index) {
    if (out && x < width) out->row(static_cast<int>(rows - 1 - y))[x] = l.colours[index];
    ++x;
  };
  // Moves the cursor forward to (nx, ny), blanking what it passes.
  auto moveTo = [&](std::int64_t nx, std::int64_t ny) {
    for (; y < ny && y < rows; ++y, x = 0)
      if (out && x < width) {
        Pixel* r = out->row(static_cast<int>(rows - 1 - y));
        std::fill(r + x, r + width, blank);
      }
    if (y == ny && y < rows && out && x < width) {
      Pixel* r = out->row(static_cast<int>(rows - 1 - y));
      std::fill(r + x, r + std::min(nx, width), blank);
    }
    y = ny;
    x = nx;
  };

  ByteReader s(in, l.dataOffset);
  bool whole = false;
  while (y < rows) {
    std::uint8_t count = 0, code = 0;
    if (!s.get(count)) {
      whole = y == rows - 1 && rowStarted;
      break;
    }
    if (!s.get(code)) break;
    if (count > 0) {  // a run: one colour, or two alternating
      if (out && x < width)
        for (int i = 0; i < count; ++i) put(four ? (i & 1 ? code & 0xF : code >> 4) : code);
      else
        x += count;
      rowStarted = true;
      continue;
    }
    if (code == 0) {  // end of line
      moveTo(0, y + 1);
      rowStarted = false;
    } else if (code == 1) {  // end of picture
      whole = true;
      break;
    } else if (code == 2) {  // move right and down
      std::uint8_t dx = 0, dy = 0;
      if (!s.get(dx) || !s.get(dy)) break;
      moveTo(x + dx, y + dy);
      rowStarted = true;
    } else {  // `code` pixels as they are, padded to a 16-bit boundary
      const int bytes = four ? (code + 1) / 2 : code;
      if (out && x < width) {
        for (int i = 0; i < bytes; ++i) {
          std::uint8_t b = 0;
          if (!s.get(b)) return false;
          if (four) {
            put(b >> 4);
            if (2 * i + 1 < code) put(b & 0xF);
          } else {
            put(b);
          }
        }
        if ((bytes & 1) && !s.skip(1)) return false;
      } else {
        if (!s.skip(bytes + (bytes & 1))) return false;
        x += code;
      }
      rowStarted = true;
    }
  }
  if (y >= rows) whole = true;
  if (whole) moveTo(0, rows);
  return whole;
}

// --- icons -----------------------------------------------------------------------

Pixel over(Pixel p, Pixel background) {
  const std::uint32_t a = p >> 24, rest = 255 - a;
  auto mix = [&](int shift) {
    return ((p >> shift & 0xFF) * a + (background >> shift & 0xFF) * rest + 127) / 255 << shift;
  };
  return kOpaque | mix(16) | mix(8) | mix(0);
}

// A 32-bit image with any alpha is blended over the background by it; other
// images take the background where their AND mask is set.
Status finishIcon(ByteSource& in, const Layout& l, raster::Surface& out, Pixel background) {
  const std::size_t count = static_cast<std::size_t>(l.width) * l.height;
  Pixel* p = out.bits();
  if (l.bitCount == 32) {
    Pixel any = 0;
    for (std::size_t i = 0; i < count; ++i) any |= p[i];
    if (any >> 24) {
      for (std::size_t i = 0; i < count; ++i) p[i] = over(p[i], background);
      return Status::Ok;
    }
    for (std::size_t i = 0; i < count; ++i) p[i] |= kOpaque;
  }
  if (!l.hasMask) return Status::Ok;
  const std::uint64_t maskStride = (static_cast<std::uint64_t>(l.width) + 31) / 32 * 4;
  for (int i = 0; i < l.height; ++i) {
    const std::uint8_t* m =
        in.bytes(l.maskOffset + maskStride * i, static_cast<std::size_t>((l.width + 7) / 8));
    if (!m) return Status::Invalid;
    Pixel* row = out.row(l.height - 1 - i);
    for (int x = 0; x < l.width; ++x)
      if (m[x >> 3] >> (7 - (x & 7)) & 1) row[x] = background;
  }
  return Status::Ok;
}

}  // namespace

Status inspect(ByteSource& in, Layout& layout, const SizeCheck& admit) {
  layout = Layout{};
  const std::uint8_t* magic = in.bytes(0, 4);
  if (!magic) return Status::Invalid;
  if (magic[0] == 'B' && magic[1] == 'M') {
    const std::uint8_t* fileHeader = in.bytes(0, 14);
    if (!fileHeader) return Status::Invalid;
    layout.kind = Kind::Bitmap;
    const Status s = inspectDib(in, 14, false, le32(fileHeader + 10), layout, admit);
    if (s == Status::Ok && (layout.coding == Coding::Rle8 || layout.coding == Coding::Rle4) &&
        !runLengths(in, layout, nullptr))
      return Status::Invalid;  // cut short: the rest of the picture would be made up
    return s;
  }
  // Icons (type 1) and cursors (type 2) share the layout.
  if (magic[0] == 0 && magic[1] == 0 && (magic[2] == 1 || magic[2] == 2) && magic[3] == 0)
    return inspectIcon(in, layout, admit);
  return Status::Invalid;
}

Status decode(ByteSource& in, const Layout& l, raster::Surface& out, Pixel background) {
  if (l.kind == Kind::IconPng || l.width <= 0 || l.height <= 0) return Status::Invalid;
  out.reshapeForOverwrite(l.width, l.height);
  if (l.coding == Coding::Rle8 || l.coding == Coding::Rle4)
    return runLengths(in, l, &out) ? Status::Ok : Status::Invalid;
  const bool icon = l.kind == Kind::Icon;
  const Status s = decodeRows(in, l, out, icon && l.bitCount == 32);
  if (s != Status::Ok || !icon) return s;
  return finishIcon(in, l, out, background);
}

// --- writing -------------------------------------------------------------------------

namespace {
constexpr std::uint32_t kPelsPerMeter = 3780;  // 96 dpi, the screen pictures are drawn at
}

std::optional<Geometry> geometry(int width, int height) {
  if (width <= 0 || height <= 0) return std::nullopt;
  const std::uint64_t stride = (std::uint64_t(width) * 3 + 3) & ~std::uint64_t{3};
  const std::uint64_t fileSize = kHeaderBytes + stride * std::uint64_t(height);
  if (fileSize > 0xFFFFFFFFu) return std::nullopt;
  return Geometry{stride, fileSize};
}

void putHeader(std::uint8_t* p, int width, int height, const Geometry& g) {
  std::memset(p, 0, kHeaderBytes);
  p[0] = 'B';
  p[1] = 'M';
  put32(p + 2, static_cast<std::uint32_t>(g.fileSize));
  put32(p + 10, kHeaderBytes);
  put32(p + 14, 40);
  put32(p + 18, static_cast<std::uint32_t>(width));
  put32(p + 22, static_cast<std::uint32_t>(height));  // positive: rows bottom to top
  put16(p + 26, 1);
  put16(p + 28, 24);
  put32(p + 34, static_cast<std::uint32_t>(g.stride * std::uint64_t(height)));
  put32(p + 38, kPelsPerMeter);
  put32(p + 42, kPelsPerMeter);
}

// Plain byte stores vectorise once the compiler knows the buffers do not
// overlap.
void encodeRow(const Pixel* __restrict src, int width, std::uint8_t* __restrict dst,
               std::size_t stride) {
  std::uint8_t* out = dst;
  for (int x = 0; x < width; ++x, out += 3) {
    const Pixel p = src[x];
    out[0] = static_cast<std::uint8_t>(p);
    out[1] = static_cast<std::uint8_t>(p >> 8);
    out[2] = static_cast<std::uint8_t>(p >> 16);
  }
  std::memset(out, 0, static_cast<std::size_t>(dst + stride - out));
}

}  // namespace tupalo::bmp
