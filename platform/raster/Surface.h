#pragma once
// A 32-bit off-screen pixel buffer laid out like QImage::Format_RGB32:
// one uint32_t per pixel, 0xFFRRGGBB, rows top to bottom, no padding.
//
// Colour values at the drawing API are "colour references": R + 256*G + 65536*B
// with a zero top byte, as the editor stores them. Pixels keep 0xFF in the top
// byte so Qt can show a surface without conversion; every operation that
// combines pixel values (XOR, AND, OR) must keep that byte at 0xFF.

#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

namespace raster {

using Pixel = std::uint32_t;      // 0xFFRRGGBB
using ColourRef = std::uint32_t;  // R | G << 8 | B << 16

inline constexpr ColourRef CLR_INVALID = 0xFFFFFFFFu;
inline constexpr Pixel kOpaque = 0xFF000000u;

constexpr Pixel toPixel(ColourRef c) {
  return kOpaque | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr ColourRef toColourRef(Pixel p) {
  return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}
constexpr ColourRef rgb(int r, int g, int b) {
  return static_cast<ColourRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// Pixel storage. Elements that a resize adds without a value are left
// uninitialised, and a large block is backed by transparent huge pages: a
// fresh picture-sized buffer otherwise costs several times the work of
// filling it in page faults alone.
void* allocatePixels(std::size_t bytes);
void freePixels(void* p, std::size_t bytes) noexcept;

template <typename T>
struct PixelAllocator {
  using value_type = T;
  PixelAllocator() = default;
  template <typename U>
  PixelAllocator(const PixelAllocator<U>&) noexcept {}
  T* allocate(std::size_t n) { return static_cast<T*>(allocatePixels(n * sizeof(T))); }
  void deallocate(T* p, std::size_t n) noexcept { freePixels(p, n * sizeof(T)); }
  template <typename U, typename... Args>
  void construct(U* p, Args&&... args) {
    if constexpr (sizeof...(Args) == 0)
      ::new (static_cast<void*>(p)) U;  // default-initialised: no store for a pixel
    else
      ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
  template <typename U>
  friend bool operator==(const PixelAllocator&, const PixelAllocator<U>&) noexcept {
    return true;
  }
};

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

class Surface {
 public:
  Surface() = default;
  Surface(int width, int height, Pixel fill = 0xFFFFFFFFu) { resize(width, height, fill); }

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return width_ <= 0 || height_ <= 0; }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  Pixel* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const Pixel* row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  Pixel* bits() { return pixels_.data(); }
  const Pixel* bits() const { return pixels_.data(); }
  std::size_t bytesPerLine() const { return static_cast<std::size_t>(width_) * sizeof(Pixel); }

  Pixel pixel(int x, int y) const { return row(y)[x]; }
  void setPixel(int x, int y, Pixel p) { row(y)[x] = p; }

  // Changes the size. The overlapping top-left part keeps its pixels, new
  // pixels take `fill`. The buffer only grows: shrinking keeps the memory, so
  // work surfaces that change size often do not fault fresh pages every time.
  void resize(int width, int height, Pixel fill = 0xFFFFFFFFu);

  // Changes the size without keeping the contents (all pixels undefined but
  // opaque-safe values). Cheaper than resize() for a surface about to be
  // overwritten completely.
  void reshape(int width, int height);

  // Changes the size leaving every pixel uninitialised, for a caller that
  // writes each one before anything reads it (a decoder): no pass over the
  // memory beyond the caller's own.
  void reshapeForOverwrite(int width, int height);

  void fill(Pixel p);
  void fillRect(int x, int y, int w, int h, Pixel p);  // clipped

  friend bool operator==(const Surface& a, const Surface& b);

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Pixel, PixelAllocator<Pixel>> pixels_;
};

}  // namespace raster
