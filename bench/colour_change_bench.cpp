// The colour change over a whole 4096 x 4096 photo-like picture (smooth
// gradients with noise: nearly every pixel a colour of its own), the pixel
// loop of the rectangle tools: the fuzzy change, whose window test converts
// every pixel to HSV, and the exact change. Run them beside BM_MemcpyPicture
// (picture_file_bench.cpp), the floor:
//   tupalo_bench --benchmark_filter='ChangePhoto|ChangeColorPhoto|MemcpyPicture'
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>

#include "editor/pixel/Ink.h"

namespace {

using namespace raster;

constexpr int kSide = 4096;

const Surface& photo() {
  static const Surface s = [] {
    Surface p(kSide, kSide);
    std::uint32_t seed = 12345;
    for (int y = 0; y < kSide; ++y)
      for (int x = 0; x < kSide; ++x) {
        seed = seed * 1664525u + 1013904223u;
        const int noise = static_cast<int>(seed >> 29) - 4;
        const int r = (x * 255 / kSide + noise) & 0xFF, g = (y * 255 / kSide + noise) & 0xFF;
        const int b = ((x + y) * 255 / (2 * kSide) - noise) & 0xFF;
        p.setPixel(x, y, toPixel(rgb(r, g, b)));
      }
    return p;
  }();
  return s;
}

// Each iteration works on a fresh copy of the photo; the copy is not timed.
void RunChange(benchmark::State& state, const tupalo::pixel::Ink& ink) {
  const Surface& from = photo();
  Surface work(kSide, kSide);
  Region all(kSide, kSide);
  all.addRect(0, 0, kSide, kSide);
  all.normalize();
  const std::size_t bytes = static_cast<std::size_t>(kSide) * kSide * sizeof(Pixel);
  for (auto _ : state) {
    state.PauseTiming();
    std::memcpy(work.bits(), from.bits(), bytes);
    state.ResumeTiming();
    tupalo::pixel::Composite(work, all, ink);
    benchmark::ClobberMemory();
  }
  state.counters["per_pixel"] = benchmark::Counter(
      static_cast<double>(kSide) * kSide,
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_FuzzyChangePhoto(benchmark::State& state) {
  const ColourRef designated = rgb(250, 30, 40);
  const tupalo::ToleranceWindow w = tupalo::PrepareToleranceWindow(designated, 10, 10, 10);
  RunChange(state, tupalo::pixel::SimilarInk(rgb(0, 0, 0), designated, w, true));
}
BENCHMARK(BM_FuzzyChangePhoto)->Unit(benchmark::kMillisecond);

void BM_ChangeColorPhoto(benchmark::State& state) {
  const ColourRef designated = toColourRef(photo().pixel(2000, 1000));
  RunChange(state, tupalo::pixel::OverInk(rgb(0, 0, 0), designated));
}
BENCHMARK(BM_ChangeColorPhoto)->Unit(benchmark::kMillisecond);

}  // namespace
