#include "editor/dialogs/ViewWindowsMath.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/raster/Raster.h"

namespace tupalo {

std::optional<OverviewFit> FitOverview(int picWidth, int picHeight, int innerWidth,
                                       int innerHeight) {
  if (innerWidth <= 0 || innerHeight <= 0 || picWidth <= 0 || picHeight <= 0) return std::nullopt;
  const double rx = double(picWidth) / innerWidth;
  const double ry = double(picHeight) / innerHeight;
  OverviewFit f;
  f.scale = std::max(rx, ry);
  f.width = std::max(1, static_cast<int>(std::nearbyint(picWidth / f.scale)));
  f.height = std::max(1, static_cast<int>(std::nearbyint(picHeight / f.scale)));
  return f;
}

std::vector<int> OverviewAxis(int picExtent, int viewExtent) {
  std::vector<int> pick(static_cast<std::size_t>(std::max(0, viewExtent)), 0);
  if (picExtent <= 0 || viewExtent <= 0) return pick;
  const int64_t D = viewExtent;
  int64_t S = picExtent;
  // The stretch takes one source pixel less for a destination extent of 1.
  if (D == 1 && S > 1) --S;
  if (D >= S) {
    for (int64_t i = 0; i < D; ++i)
      pick[static_cast<std::size_t>(i)] = static_cast<int>(((2 * i + 1) * S - 1) / (2 * D));
  } else {
    // Walk the source backwards so each group ends up with its first pixel.
    for (int64_t j = S - 1; j >= 0; --j)
      pick[static_cast<std::size_t>(((2 * j + 1) * D - 1) / (2 * S))] = static_cast<int>(j);
  }
  return pick;
}

bool OverviewScaler::Prepare(int picWidth, int picHeight, int viewWidth, int viewHeight) {
  if (picWidth == pw_ && picHeight == ph_ && int(xs_.size()) == viewWidth &&
      int(ys_.size()) == viewHeight)
    return false;
  pw_ = picWidth;
  ph_ = picHeight;
  xs_ = OverviewAxis(picWidth, viewWidth);
  ys_ = OverviewAxis(picHeight, viewHeight);
  return true;
}

void OverviewScaler::DrawAll(const raster::Surface& pic, raster::Surface& view) const {
  DrawRect(pic, view, 0, 0, pw_ - 1, ph_ - 1);
}

void OverviewScaler::DrawRect(const raster::Surface& pic, raster::Surface& view, int left, int top,
                              int right, int bottom) const {
  if (!ready() || pic.width() != pw_ || pic.height() != ph_) return;
  if (view.width() != int(xs_.size()) || view.height() != int(ys_.size())) return;
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, pw_ - 1);
  bottom = std::min(bottom, ph_ - 1);
  if (left > right || top > bottom) return;
  // The tables are monotone: the overview pixels showing the rectangle are
  // one run of columns and one run of rows.
  const auto x0 = std::lower_bound(xs_.begin(), xs_.end(), left) - xs_.begin();
  const auto x1 = std::upper_bound(xs_.begin(), xs_.end(), right) - xs_.begin();
  const auto y0 = std::lower_bound(ys_.begin(), ys_.end(), top) - ys_.begin();
  const auto y1 = std::upper_bound(ys_.begin(), ys_.end(), bottom) - ys_.begin();
  const int* xs = xs_.data();
  for (auto j = y0; j < y1; ++j) {
    const raster::Pixel* src = pic.row(ys_[static_cast<std::size_t>(j)]);
    raster::Pixel* dst = view.row(static_cast<int>(j));
    for (auto i = x0; i < x1; ++i) dst[i] = src[xs[i]];
  }
}

Pair OverviewClickOrigin(double scale, int x, int y, Pair visible, Pair picSize) {
  auto axis = [scale](int at, int seen, int pic) {
    const int p = static_cast<int>(std::nearbyint(at * scale));
    const int o = p - seen / 2;
    return std::clamp(o, 0, std::max(0, pic - seen));
  };
  return {axis(x, visible.x, picSize.x), axis(y, visible.y, picSize.y)};
}

int32_t KeepPlaceOnScreen(int32_t position, int32_t size, int32_t screen) {
  if (int64_t{position} + size > screen) position = screen - size;
  if (position < 0) position = 0;
  return position;
}

void BuildLupeMask(raster::Surface& mask) {
  mask.resize(kLupeSize, kLupeSize);
  mask.fill(0xFFFFFFFFu);
  for (int y = 0; y < kLupeSize; ++y) {
    raster::Pixel* row = mask.row(y);
    if (y % kLupeZoom == 0) {
      std::fill(row, row + kLupeSize, raster::kOpaque);
      continue;
    }
    for (int x = 0; x < kLupeSize; x += kLupeZoom) row[x] = raster::kOpaque;
  }
}

void RenderLupe(const raster::Surface& canvas, int x, int y, const raster::Surface& mask,
                raster::Surface& tmp, raster::Surface& out) {
  tmp.resize(kLupeCells, kLupeCells);
  tmp.fill(kLupeOutside);
  // The blit is clipped to the canvas: what lies beyond it stays grey.
  raster::BitBlt(tmp, 0, 0, kLupeCells, kLupeCells, canvas, x - kLupePointerCell,
                 y - kLupePointerCell);
  out = mask;
  raster::StretchBlt(out, 0, 0, kLupeSize, kLupeSize, tmp, 0, 0, kLupeCells, kLupeCells,
                     raster::COLORONCOLOR, raster::Rop::SrcAnd);
  const int c = kLupePointerCell * kLupeZoom;
  raster::Pen pen;
  pen.color = raster::toColourRef(kLupeBox);
  raster::Box(out, pen, {c, c}, {c + kLupeZoom, c + kLupeZoom}, false);
}

}  // namespace tupalo
