// The chroma-key merge against a memcpy of the same picture, and the
// overview's update after a stroke against a whole rescale.
#include <benchmark/benchmark.h>

#include <cstring>
#include <map>
#include <random>

#include "editor/dialogs/MergeMath.h"
#include "editor/dialogs/ViewWindowsMath.h"
#include "platform/raster/Raster.h"

namespace {

constexpr int kSide = 4096;

raster::Surface& noisePicture(int w, int h, unsigned seed) {
  static std::map<unsigned, raster::Surface> kept;
  raster::Surface& s = kept[seed];
  if (s.width() != w || s.height() != h) {
    s = raster::Surface(w, h);
    std::mt19937 rng(seed);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) s.setPixel(x, y, raster::kOpaque | (rng() & 0xFFFFFF));
  }
  return s;
}

// The floor is BM_MemcpyPicture (raster_bench.cpp): one 4096 x 4096 picture
// copied.

// A 4096 x 4096 merge with a 2048 x 2048 second picture fitted to the height
// (each of its pixels shown as 2 x 2). The edited picture lies below, so
// every pixel is read and written in every run, as in the worst case.
void BM_MergeFit(benchmark::State& state) {
  raster::Surface& pic = noisePicture(kSide, kSide, 1);
  raster::Surface& second = noisePicture(kSide / 2, kSide / 2, 2);
  const double k = tupalo::MergeStep(tupalo::MergePlacement::FitHeight, kSide, kSide,
                                     second.width(), second.height());
  for (auto _ : state) {
    tupalo::MergeInto(pic, second, k, false, false, raster::rgb(1, 2, 3));
    benchmark::DoNotOptimize(pic.bits());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MergeFit)->Unit(benchmark::kMillisecond);

// The edited picture on top with a key that about half its pixels have.
void BM_MergeTopLeftOnTop(benchmark::State& state) {
  raster::Surface pic(kSide, kSide);
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x) pic.setPixel(x, y, ((x ^ y) & 1) ? 0xFFFF0000u : 0xFF00FF00u);
  const raster::Surface original = pic;
  raster::Surface& second = noisePicture(kSide, kSide, 3);
  for (auto _ : state) {
    state.PauseTiming();
    std::memcpy(pic.bits(), original.bits(), pic.bytesPerLine() * kSide);
    state.ResumeTiming();
    tupalo::MergeInto(pic, second, 1.0, false, true, raster::rgb(255, 0, 0));
    benchmark::DoNotOptimize(pic.bits());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MergeTopLeftOnTop)->Unit(benchmark::kMillisecond);

// A 16000 x 16000 picture in a 400 x 400 overview.
constexpr int kHuge = 16000;
constexpr int kOverview = 400;

struct HugeOverview {
  raster::Surface pic{kHuge, kHuge};
  raster::Surface view{kOverview, kOverview};
  tupalo::OverviewScaler scaler;
  HugeOverview() {
    scaler.Prepare(kHuge, kHuge, kOverview, kOverview);
    scaler.DrawAll(pic, view);
  }
};

HugeOverview& huge() {
  static HugeOverview h;
  return h;
}

// After a 40 x 40 stroke: only the overview pixels showing its rectangle.
void BM_OverviewUpdate(benchmark::State& state) {
  HugeOverview& h = huge();
  int x = 0;
  for (auto _ : state) {
    x = (x + 997) % (kHuge - 40);
    h.scaler.DrawRect(h.pic, h.view, x, 7001, x + 39, 7040);
    benchmark::DoNotOptimize(h.view.bits());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_OverviewUpdate)->Unit(benchmark::kMicrosecond);

// The reference: a stretch of the stroke's rectangle alone into its part of
// the overview.
void BM_OverviewStrokeRectStretch(benchmark::State& state) {
  HugeOverview& h = huge();
  for (auto _ : state) {
    raster::StretchBlt(h.view, 100, 100, 1, 1, h.pic, 5000, 7001, 40, 40, raster::COLORONCOLOR);
    benchmark::DoNotOptimize(h.view.bits());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_OverviewStrokeRectStretch)->Unit(benchmark::kMicrosecond);

// What a whole rescale would cost after every commit.
void BM_OverviewWhole(benchmark::State& state) {
  HugeOverview& h = huge();
  for (auto _ : state) {
    h.scaler.DrawAll(h.pic, h.view);
    benchmark::DoNotOptimize(h.view.bits());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_OverviewWhole)->Unit(benchmark::kMicrosecond);

}  // namespace
