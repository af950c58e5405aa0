#include "editor/dialogs/MergeMath.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace tupalo {

using raster::Pixel;

double MergeStep(MergePlacement p, int width, int height, int secondWidth, int secondHeight) {
  switch (p) {
    case MergePlacement::FitHeight:
      return height > 0 ? double(secondHeight) / height : 1.0;
    case MergePlacement::FitWidth:
      return width > 0 ? double(secondWidth) / width : 1.0;
    case MergePlacement::TopLeft:
    case MergePlacement::Tiled:
      break;
  }
  return 1.0;
}

namespace {

// The second picture's index along one axis for each of `n` positions, and
// how many leading positions fall inside it (all of them when tiled). The
// sample point is compared before rounding, so round(k i) may reach the far
// edge: it is kept on the last pixel.
int SampleAxis(int n, double k, int extent, bool tiled, std::vector<int>& at) {
  at.assign(static_cast<std::size_t>(std::max(n, 0)), 0);
  int inside = 0;
  for (int i = 0; i < n; ++i) {
    const double u = k * i;
    const int64_t r = static_cast<int64_t>(std::nearbyint(u));
    if (tiled) {
      at[static_cast<std::size_t>(i)] = static_cast<int>(((r % extent) + extent) % extent);
      inside = i + 1;
    } else if (u < extent) {
      at[static_cast<std::size_t>(i)] = static_cast<int>(std::clamp<int64_t>(r, 0, extent - 1));
      inside = i + 1;
    } else {
      break;  // u only grows
    }
  }
  return inside;
}

}  // namespace

void MergeInto(raster::Surface& dst, const raster::Surface& second, double k, bool tiled,
               bool editedOnTop, raster::ColourRef key,
               const std::function<void(int, int)>& progress) {
  const int W = dst.width(), H = dst.height();
  const int bw = second.width(), bh = second.height();
  if (W <= 0 || H <= 0 || bw <= 0 || bh <= 0 || !(k >= 0) || !std::isfinite(k)) return;
  if (tiled) editedOnTop = true;
  std::vector<int> cols, rows;
  const int xEnd = SampleAxis(W, k, bw, tiled, cols);
  const int yEnd = SampleAxis(H, k, bh, tiled, rows);
  const Pixel keyBits = raster::toPixel(key) & 0x00FFFFFFu;
  const int step = std::max(1, H / 64);
  const int* cu = cols.data();
  for (int y = 0; y < yEnd; ++y) {
    const Pixel* src = second.row(rows[static_cast<std::size_t>(y)]);
    Pixel* d = dst.row(y);
    if (editedOnTop) {
      for (int x = 0; x < xEnd; ++x)
        if (((d[x] ^ keyBits) & 0x00FFFFFFu) == 0) d[x] = src[cu[x]];
    } else {
      for (int x = 0; x < xEnd; ++x) {
        const Pixel c = src[cu[x]];
        if (((c ^ keyBits) & 0x00FFFFFFu) != 0) d[x] = c;
      }
    }
    if (progress && (y + 1) % step == 0) progress(y + 1, H);
  }
  if (progress) progress(H, H);
}

}  // namespace tupalo
