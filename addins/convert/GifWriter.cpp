#include "addins/convert/GifWriter.h"

#include <QByteArray>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace tupaconv {

namespace {

// Variable-width codes, least significant bit first, in sub-blocks of 255.
class CodeWriter {
 public:
  explicit CodeWriter(QByteArray& out) : out_(out) {}
  void put(int code, int width) {
    bits_ |= uint32_t(code) << count_;
    count_ += width;
    while (count_ >= 8) {
      byte(uint8_t(bits_));
      bits_ >>= 8;
      count_ -= 8;
    }
  }
  void finish() {
    if (count_ > 0) byte(uint8_t(bits_));
    if (!block_.isEmpty()) flushBlock();
    out_.append(char(0));
  }

 private:
  void byte(uint8_t b) {
    block_.append(char(b));
    if (block_.size() == 255) flushBlock();
  }
  void flushBlock() {
    out_.append(char(block_.size()));
    out_.append(block_);
    block_.clear();
  }
  QByteArray& out_;
  QByteArray block_;
  uint32_t bits_ = 0;
  int count_ = 0;
};

void lzw(const std::vector<uint8_t>& indices, int minCodeSize, QByteArray& out) {
  out.append(char(minCodeSize));
  CodeWriter w(out);
  const int clear = 1 << minCodeSize;
  const int end = clear + 1;
  std::unordered_map<uint32_t, int> table;
  table.reserve(8192);
  int next = end + 1;
  int width = minCodeSize + 1;
  w.put(clear, width);
  if (indices.empty()) {
    w.put(end, width);
    w.finish();
    return;
  }
  int prefix = indices[0];
  for (size_t i = 1; i < indices.size(); ++i) {
    const uint8_t k = indices[i];
    const uint32_t key = uint32_t(prefix) << 8 | k;
    if (const auto it = table.find(key); it != table.end()) {
      prefix = it->second;
      continue;
    }
    w.put(prefix, width);
    if (next < 4096) {
      table.emplace(key, next);
      if (next == (1 << width) && width < 12) ++width;
      ++next;
    } else {
      w.put(clear, width);
      table.clear();
      next = end + 1;
      width = minCodeSize + 1;
    }
    prefix = k;
  }
  w.put(prefix, width);
  w.put(end, width);
  w.finish();
}

void put16(QByteArray& b, int v) {
  b.append(char(v & 0xFF));
  b.append(char((v >> 8) & 0xFF));
}

}  // namespace

bool writeGif(QIODevice& out, const QImage& source, QString* error) {
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  const int w = image.width(), h = image.height();
  if (w <= 0 || h <= 0 || w > 65535 || h > 65535) {
    *error = QStringLiteral("picture size not possible in GIF");
    return false;
  }
  std::vector<uint32_t> palette;
  std::unordered_map<uint32_t, uint8_t> index;
  bool exact = true;
  for (int y = 0; y < h && exact; ++y) {
    const auto* px = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      const uint32_t c = px[x] & 0xFFFFFF;
      if (index.count(c)) continue;
      if (palette.size() == 256) {
        exact = false;
        break;
      }
      index.emplace(c, uint8_t(palette.size()));
      palette.push_back(c);
    }
  }
  if (!exact) {
    palette.clear();
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 7; ++g)
        for (int b = 0; b < 6; ++b)
          palette.push_back(uint32_t(r * 255 / 5) << 16 | uint32_t(g * 255 / 6) << 8 |
                            uint32_t(b * 255 / 5));
  }
  std::vector<uint8_t> indices(size_t(w) * size_t(h));
  size_t n = 0;
  for (int y = 0; y < h; ++y) {
    const auto* px = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      const uint32_t c = px[x] & 0xFFFFFF;
      if (exact) {
        indices[n++] = index[c];
      } else {
        const int r = int((c >> 16) & 0xFF) * 5 + 127, g = int((c >> 8) & 0xFF) * 6 + 127,
                  b = int(c & 0xFF) * 5 + 127;
        indices[n++] = uint8_t((r / 255) * 42 + (g / 255) * 6 + b / 255);
      }
    }
  }
  int bits = 1;
  while ((1 << bits) < int(palette.size())) ++bits;
  QByteArray gif("GIF89a");
  put16(gif, w);
  put16(gif, h);
  gif.append(char(0x80 | 0x70 | (bits - 1)));
  gif.append(char(0));
  gif.append(char(0));
  for (int i = 0; i < (1 << bits); ++i) {
    const uint32_t c = i < int(palette.size()) ? palette[size_t(i)] : 0;
    gif.append(char((c >> 16) & 0xFF));
    gif.append(char((c >> 8) & 0xFF));
    gif.append(char(c & 0xFF));
  }
  gif.append(char(0x2C));
  put16(gif, 0);
  put16(gif, 0);
  put16(gif, w);
  put16(gif, h);
  gif.append(char(0));
  lzw(indices, bits < 2 ? 2 : bits, gif);
  gif.append(char(0x3B));
  if (out.write(gif) != gif.size()) {
    *error = out.errorString();
    return false;
  }
  return true;
}

}  // namespace tupaconv
