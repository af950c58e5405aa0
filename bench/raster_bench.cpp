// The canvas redraw: the visible part of the picture stretched into a
// 1920 x 1080 view at the integer zooms, against a plain memcpy of the view;
// the whole-picture mirror and 180° rotation against a memcpy of the picture;
// the flood fills against the same fills by OpenCV when it is installed.

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#ifdef TUPALO_BENCH_OPENCV
#include <opencv2/imgproc.hpp>
#endif

#include "bench/Floors.h"
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
  benchfloor::CopyPixels(state, static_cast<std::size_t>(kViewW) * kViewH);
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

// ---- whole-picture mirror and 180° rotation, flood fills ------------------------

constexpr int kPicSide = 4096;

// The floor for every whole-picture operation below: one copy of its pixels.
void BM_MemcpyPicture(benchmark::State& state) {
  benchfloor::CopyPixels(state, static_cast<std::size_t>(kPicSide) * kPicSide);
}
BENCHMARK(BM_MemcpyPicture)->Unit(benchmark::kMillisecond);

const Surface& squarePicture() {
  static const Surface pic = [] {
    Surface s(kPicSide, kPicSide);
    std::mt19937 rng(3);
    for (int y = 0; y < kPicSide; ++y)
      for (int x = 0; x < kPicSide; ++x) s.setPixel(x, y, kOpaque | (rng() & 0xFFFFFF));
    return s;
  }();
  return pic;
}

// The picture into a kept work surface of its size, as the effect does.
void mirror(benchmark::State& state, bool upsideDown) {
  const Surface& pic = squarePicture();
  Surface work(kPicSide, kPicSide);
  const int W = kPicSide, H = kPicSide;
  for (auto _ : state) {
    if (upsideDown) {
      StretchBlt(work, W - 1, H - 1, -W, -H, pic, 0, 0, W, H, COLORONCOLOR);
    } else {
      StretchBlt(work, W - 1, 0, -W, H, pic, 0, 0, W, H, COLORONCOLOR);
    }
    benchmark::DoNotOptimize(work.bits());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(work.bytesPerLine()) * H);
}
void BM_MirrorLeftRight(benchmark::State& state) { mirror(state, false); }
void BM_Rotate180(benchmark::State& state) { mirror(state, true); }
BENCHMARK(BM_MirrorLeftRight)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Rotate180)->Unit(benchmark::kMillisecond);

// White with a black square of 1 % of the area in the middle: the fill from
// the corner takes the other 99 %.
Surface solidRegion() {
  Surface s(kPicSide, kPicSide);
  const int side = kPicSide / 10, at = (kPicSide - side) / 2;
  s.fillRect(at, at, side, side, toPixel(0));
  return s;
}

// 35 % black dots at random on white; a white top row puts the seed in the
// one large white region that runs through the whole picture.
Surface noiseRegion() {
  Surface s(kPicSide, kPicSide);
  std::mt19937 rng(5);
  for (int y = 0; y < kPicSide; ++y)
    for (int x = 0; x < kPicSide; ++x)
      if (rng() % 100 < 35) s.setPixel(x, y, toPixel(0));
  s.fillRect(0, 0, kPicSide, 1, toPixel(0xFFFFFF));
  return s;
}

constexpr ColourRef kFillA = 0x0000FF, kFillB = 0xFFFFFF;

// Each round fills the region the previous round painted, alternating two
// colours, so every round does the same work. Counts the pixels filled.
template <class Fill>
void fillRounds(benchmark::State& state, Surface& s, Fill fill) {
  const Surface before = s;
  fill(kFillA);
  std::int64_t filled = 0;
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) filled += s.pixel(x, y) != before.pixel(x, y);
  fill(kFillB);
  bool flip = false;
  for (auto _ : state) {
    fill((flip = !flip) ? kFillA : kFillB);
    benchmark::ClobberMemory();
  }
  state.counters["region %"] = 100.0 * static_cast<double>(filled) / (kPicSide * kPicSide);
}

void BM_SurfaceFill(benchmark::State& state) {
  Surface s = solidRegion();
  fillRounds(state, s, [&](ColourRef c) {
    ExtFloodFill(s, 0, 0, GetPixel(s, 0, 0), FLOODFILLSURFACE, Brush{true, c});
  });
}
BENCHMARK(BM_SurfaceFill)->Unit(benchmark::kMillisecond);

void BM_BorderFill(benchmark::State& state) {
  Surface s = solidRegion();
  fillRounds(state, s, [&](ColourRef c) { FloodFill(s, 0, 0, 0, Brush{true, c}); });
}
BENCHMARK(BM_BorderFill)->Unit(benchmark::kMillisecond);

void BM_SurfaceFillNoise(benchmark::State& state) {
  Surface s = noiseRegion();
  fillRounds(state, s, [&](ColourRef c) {
    ExtFloodFill(s, 0, 0, GetPixel(s, 0, 0), FLOODFILLSURFACE, Brush{true, c});
  });
}
BENCHMARK(BM_SurfaceFillNoise)->Unit(benchmark::kMillisecond);

#ifdef TUPALO_BENCH_OPENCV
// The same fills by the library: one 32-bit integer per pixel, 4-connected,
// exactly the seed's value.
void cvFill(benchmark::State& state, Surface s) {
  cv::Mat m(s.height(), s.width(), CV_32SC1, s.bits());
  fillRounds(state, s, [&](ColourRef c) {
    cv::floodFill(m, cv::Point(0, 0), cv::Scalar(static_cast<std::int32_t>(toPixel(c))), nullptr,
                  cv::Scalar(), cv::Scalar(), 4);
  });
}
void BM_CvFloodFill(benchmark::State& state) { cvFill(state, solidRegion()); }
void BM_CvFloodFillNoise(benchmark::State& state) { cvFill(state, noiseRegion()); }
BENCHMARK(BM_CvFloodFill)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CvFloodFillNoise)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
