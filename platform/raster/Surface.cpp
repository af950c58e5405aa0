#include "platform/raster/Surface.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace raster {

namespace {
// Blocks from this size on are aligned to and rounded up to whole huge pages.
constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kHugeFrom = std::size_t{4} << 20;
}  // namespace

void* allocatePixels(std::size_t bytes) {
  if (bytes < kHugeFrom) return ::operator new(bytes);
  const std::size_t rounded = (bytes + kHugePage - 1) & ~(kHugePage - 1);
  if (rounded < bytes) throw std::bad_alloc();
  void* p = std::aligned_alloc(kHugePage, rounded);
  if (!p) throw std::bad_alloc();
  // Only advice: where huge pages are off, small pages serve as before.
  ::madvise(p, rounded, MADV_HUGEPAGE);
  return p;
}

void freePixels(void* p, std::size_t bytes) noexcept {
  if (bytes < kHugeFrom)
    ::operator delete(p);
  else
    std::free(p);
}

void Surface::resize(int width, int height, Pixel fill) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  const std::size_t need = static_cast<std::size_t>(width) * height;
  const int keepW = std::min(width, width_);
  const int keepH = std::min(height, height_);
  if (width == width_) {
    // Same stride: rows stay in place.
    if (pixels_.size() < need) pixels_.resize(need);
    std::fill(pixels_.begin() + static_cast<std::ptrdiff_t>(keepH) * width,
              pixels_.begin() + static_cast<std::ptrdiff_t>(need), fill);
  } else {
    std::vector<Pixel, PixelAllocator<Pixel>> next;
    next.reserve(std::max(need, pixels_.capacity()));
    next.assign(need, fill);
    for (int y = 0; y < keepH; ++y)
      std::memcpy(next.data() + static_cast<std::size_t>(y) * width,
                  pixels_.data() + static_cast<std::size_t>(y) * width_,
                  static_cast<std::size_t>(keepW) * sizeof(Pixel));
    pixels_.swap(next);
  }
  width_ = width;
  height_ = height;
}

void Surface::reshape(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  const std::size_t need = static_cast<std::size_t>(width) * height;
  if (pixels_.size() < need) pixels_.resize(need, 0xFFFFFFFFu);
  width_ = width;
  height_ = height;
}

void Surface::reshapeForOverwrite(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  const std::size_t need = static_cast<std::size_t>(width) * height;
  if (pixels_.capacity() < need) {
    // The old pixels are not kept: free them first rather than copy them
    // into the new block.
    decltype(pixels_)().swap(pixels_);
  }
  if (pixels_.size() < need) pixels_.resize(need);
  width_ = width;
  height_ = height;
}

void Surface::fill(Pixel p) {
  std::fill(pixels_.begin(), pixels_.begin() + static_cast<std::ptrdiff_t>(width_) * height_, p);
}

void Surface::fillRect(int x, int y, int w, int h, Pixel p) {
  int x0 = std::max(x, 0), y0 = std::max(y, 0);
  int x1 = std::min(x + w, width_), y1 = std::min(y + h, height_);
  if (x0 >= x1 || y0 >= y1) return;
  for (int yy = y0; yy < y1; ++yy) std::fill(row(yy) + x0, row(yy) + x1, p);
}

bool operator==(const Surface& a, const Surface& b) {
  if (a.width_ != b.width_ || a.height_ != b.height_) return false;
  const std::size_t n = static_cast<std::size_t>(a.width_) * a.height_;
  return std::equal(a.pixels_.begin(), a.pixels_.begin() + static_cast<std::ptrdiff_t>(n),
                    b.pixels_.begin());
}

}  // namespace raster
