// Canvas redraw and commit on a full-HD canvas, against a memcpy of the
// canvas as the floor.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

#include "editor/core/View.h"

namespace {

constexpr int kCanvasW = 1920;
constexpr int kCanvasH = 1080;

tupalo::Editor& editorAt(int zoom) {
  static tupalo::Editor e;
  static bool ready = false;
  if (!ready) {
    e.PIC = raster::Surface(4096, 4096);
    std::mt19937 rng(7);
    for (int y = 0; y < 4096; ++y)
      for (int x = 0; x < 4096; ++x) e.PIC.setPixel(x, y, raster::kOpaque | (rng() & 0xFFFFFF));
    e.PicSize = {4096, 4096};
    ready = true;
  }
  e.ZoomFactor = zoom;
  e.ViewOrigin = {333, 217};
  tupalo::Relayout(e, {kCanvasW + 2, kCanvasH + 2, 0, 0});
  return e;
}

// The floor for a 1920 x 1080 canvas is BM_MemcpyView (raster_bench.cpp).

// The floor for zoom 1: the visible region copied row by row out of the large
// picture (strided reads, not a cache-hot contiguous buffer).
void BM_MemcpyRegionRows(benchmark::State& state) {
  tupalo::Editor& e = editorAt(1);
  for (auto _ : state) {
    for (int y = 0; y < kCanvasH; ++y)
      std::memcpy(e.DRAW.row(y), e.PIC.row(217 + y) + 333, kCanvasW * 4);
    benchmark::DoNotOptimize(e.DRAW.bits());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MemcpyRegionRows)->Unit(benchmark::kMillisecond);

void BM_RedrawView(benchmark::State& state) {
  tupalo::Editor& e = editorAt(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    tupalo::RedrawView(e);
    benchmark::DoNotOptimize(e.DRAW.bits());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RedrawView)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Arg(16)->Unit(benchmark::kMillisecond);

void BM_CommitView(benchmark::State& state) {
  tupalo::Editor& e = editorAt(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    tupalo::CommitView(e);
    benchmark::DoNotOptimize(e.PIC.bits());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CommitView)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Arg(16)->Unit(benchmark::kMillisecond);

}  // namespace
