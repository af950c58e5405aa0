// The similar-colour test once per pixel of a full-HD canvas, as the fuzzy
// tools will run it: a photo-like picture (every pixel a slightly different
// colour) and flat art (large areas of a few colours).

#include <benchmark/benchmark.h>

#include <cstdint>

#include "editor/pixel/ColourModel.h"

namespace {

using namespace raster;

constexpr int kW = 1920, kH = 1080;

// Smooth gradients with a little noise, like a photograph.
const Surface& photo() {
  static const Surface s = [] {
    Surface p(kW, kH);
    std::uint32_t seed = 12345;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        seed = seed * 1664525u + 1013904223u;
        const int noise = static_cast<int>(seed >> 29) - 4;
        const int r = (x * 255 / kW + noise) & 0xFF, g = (y * 255 / kH + noise) & 0xFF;
        const int b = ((x + y) * 255 / (kW + kH) - noise) & 0xFF;
        p.setPixel(x, y, toPixel(rgb(r, g, b)));
      }
    return p;
  }();
  return s;
}

// Bands and blocks of eight colours.
const Surface& flatArt() {
  static const Surface s = [] {
    static constexpr ColourRef kInk[] = {rgb(255, 255, 255), rgb(0, 0, 0),      rgb(250, 30, 40),
                                         rgb(250, 30, 50),   rgb(40, 120, 220), rgb(240, 220, 60),
                                         rgb(90, 180, 90),   rgb(128, 128, 128)};
    Surface p(kW, kH);
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) p.setPixel(x, y, toPixel(kInk[((x / 160) + (y / 90) * 3) % 8]));
    return p;
  }();
  return s;
}

void RunWindowTest(benchmark::State& state, const Surface& s) {
  const tupalo::ToleranceWindow w = tupalo::PrepareToleranceWindow(rgb(250, 30, 40), 10, 10, 10);
  const std::size_t n = static_cast<std::size_t>(s.width()) * s.height();
  const Pixel* px = s.row(0);
  for (auto _ : state) {
    std::size_t similar = 0;
    for (std::size_t i = 0; i < n; ++i) similar += tupalo::PassesHsvWindow(w, toColourRef(px[i]));
    benchmark::DoNotOptimize(similar);
  }
  state.counters["per_pixel"] =
      benchmark::Counter(static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate |
                                                     benchmark::Counter::kInvert);
}

void RunRememberingTest(benchmark::State& state, const Surface& s) {
  const tupalo::ToleranceWindow w = tupalo::PrepareToleranceWindow(rgb(250, 30, 40), 10, 10, 10);
  const std::size_t n = static_cast<std::size_t>(s.width()) * s.height();
  const Pixel* px = s.row(0);
  for (auto _ : state) {
    tupalo::HsvWindowTester test(w);
    std::size_t similar = 0;
    for (std::size_t i = 0; i < n; ++i) similar += test(toColourRef(px[i]));
    benchmark::DoNotOptimize(similar);
  }
  state.counters["per_pixel"] =
      benchmark::Counter(static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate |
                                                     benchmark::Counter::kInvert);
}

void BM_HsvWindowTesterPhoto(benchmark::State& state) { RunRememberingTest(state, photo()); }
BENCHMARK(BM_HsvWindowTesterPhoto)->Unit(benchmark::kMillisecond);

void BM_HsvWindowTesterFlatArt(benchmark::State& state) { RunRememberingTest(state, flatArt()); }
BENCHMARK(BM_HsvWindowTesterFlatArt)->Unit(benchmark::kMillisecond);

void BM_HsvWindowPhoto(benchmark::State& state) { RunWindowTest(state, photo()); }
BENCHMARK(BM_HsvWindowPhoto)->Unit(benchmark::kMillisecond);

void BM_HsvWindowFlatArt(benchmark::State& state) { RunWindowTest(state, flatArt()); }
BENCHMARK(BM_HsvWindowFlatArt)->Unit(benchmark::kMillisecond);

}  // namespace
