// The canvas redraw: the visible part of the picture stretched into a
// 1920 x 1080 view at the integer zooms, against a plain memcpy of the view.

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "platform/raster/Raster.h"

namespace {

using namespace raster;

constexpr int kViewW = 1920, kViewH = 1080;

const Surface& picture() {
  static const Surface pic = [] {
    Surface s(4000, 3000);
    for (int y = 0; y < s.height(); ++y)
      for (int x = 0; x < s.width(); ++x)
        s.setPixel(x, y, kOpaque | static_cast<Pixel>((x * 2654435761u) ^ (y * 40503u)));
    return s;
  }();
  return pic;
}

void BM_MemcpyView(benchmark::State& state) {
  std::vector<Pixel> from(static_cast<std::size_t>(kViewW) * kViewH, 0xFF123456u);
  std::vector<Pixel> to(from.size());
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size() * sizeof(Pixel));
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(to.size() * sizeof(Pixel)));
}
BENCHMARK(BM_MemcpyView)->Unit(benchmark::kMillisecond);

// The same view copied 1:1 out of the picture: zoom 1 can be no faster.
void BM_BitBltView(benchmark::State& state) {
  const Surface& pic = picture();
  Surface view(kViewW, kViewH);
  for (auto _ : state) {
    BitBlt(view, 0, 0, kViewW, kViewH, pic, 101, 77);
    benchmark::DoNotOptimize(view.bits());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(view.bytesPerLine()) *
                          kViewH);
}
BENCHMARK(BM_BitBltView)->Unit(benchmark::kMillisecond);

// Scrolled to an odd position, so the first block of each row and column is
// cut by the view's edge.
void BM_ZoomRedraw(benchmark::State& state) {
  const int z = static_cast<int>(state.range(0));
  const Surface& pic = picture();
  Surface view(kViewW, kViewH);
  const int sw = kViewW / z + 2, sh = kViewH / z + 2;
  const int off = -(z / 2) - 1;
  for (auto _ : state) {
    StretchBlt(view, off, off, sw * z, sh * z, pic, 101, 77, sw, sh, COLORONCOLOR);
    benchmark::DoNotOptimize(view.bits());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(view.bytesPerLine()) *
                          kViewH);
}
BENCHMARK(BM_ZoomRedraw)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Arg(16)->Unit(benchmark::kMillisecond);

// A 1-pixel-wide strip of the picture shrunk to half its length.
void BM_ShrinkStrip(benchmark::State& state) {
  const Surface& pic = picture();
  Surface strip(1, 1500);
  for (auto _ : state) {
    StretchBlt(strip, 0, 0, 1, 1500, pic, 7, 0, 1, 3000, COLORONCOLOR);
    benchmark::DoNotOptimize(strip.bits());
  }
}
BENCHMARK(BM_ShrinkStrip)->Unit(benchmark::kMicrosecond);

// Resizing: 4000 x 3000 to 1920 x 1080 and 1920 x 1080 to 2880 x 1620.
void BM_Resize(benchmark::State& state) {
  const auto mode = static_cast<StretchMode>(state.range(0));
  const bool enlarge = state.range(1) != 0;
  const Surface& pic = picture();
  Surface small(kViewW, kViewH), big(2880, 1620);
  if (enlarge) StretchBlt(small, 0, 0, kViewW, kViewH, pic, 0, 0, 4000, 3000, COLORONCOLOR);
  for (auto _ : state) {
    if (enlarge) {
      StretchBlt(big, 0, 0, 2880, 1620, small, 0, 0, kViewW, kViewH, mode);
    } else {
      StretchBlt(small, 0, 0, kViewW, kViewH, pic, 0, 0, 4000, 3000, mode);
    }
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Resize)
    ->Args({COLORONCOLOR, 0})
    ->Args({BLACKONWHITE, 0})
    ->Args({COLORONCOLOR, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
