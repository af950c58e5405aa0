#include "platform/raster/Surface.h"

#include <algorithm>
#include <cstring>

namespace raster {

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
    std::vector<Pixel> next;
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

void Surface::fill(Pixel p) {
  std::fill(pixels_.begin(),
            pixels_.begin() + static_cast<std::ptrdiff_t>(width_) * height_, p);
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
