// The whole-picture effects and the size window's halving on a 4096 x 4096
// picture, beside BM_MemcpyPicture (raster_bench.cpp), the floor, and the same
// operations by OpenCV when it is installed:
//   tupalo_bench --benchmark_filter='Rotate|Mirror|Halve|Cv|MemcpyPicture'
// The 180° turn and the mirror run as the effect does, through the work
// surface and the swap; the halvings are the size window's scaled copy into a
// kept surface.

#include <benchmark/benchmark.h>

#include <random>

#ifdef TUPALO_BENCH_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

#include "editor/core/WholePicture.h"
#include "platform/raster/Raster.h"

namespace {

using namespace raster;

constexpr int kSide = 4096;

const Surface& picture() {
  static const Surface pic = [] {
    Surface s(kSide, kSide);
    std::mt19937 rng(7);
    for (int y = 0; y < kSide; ++y)
      for (int x = 0; x < kSide; ++x) s.setPixel(x, y, kOpaque | (rng() & 0xFFFFFF));
    return s;
  }();
  return pic;
}

void bytesOf(benchmark::State& state, const Surface& s) {
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(s.bytesPerLine()) *
                          s.height());
}

// Into a kept surface, as the effect writes into the kept work surface.
void BM_RotateRight(benchmark::State& state) {
  const Surface& pic = picture();
  Surface work(kSide, kSide);
  for (auto _ : state) {
    RotateRight(work, pic);
    benchmark::DoNotOptimize(work.bits());
    benchmark::ClobberMemory();
  }
  bytesOf(state, pic);
}
BENCHMARK(BM_RotateRight)->Unit(benchmark::kMillisecond);

void BM_RotateLeft(benchmark::State& state) {
  const Surface& pic = picture();
  Surface work(kSide, kSide);
  for (auto _ : state) {
    RotateLeft(work, pic);
    benchmark::DoNotOptimize(work.bits());
    benchmark::ClobberMemory();
  }
  bytesOf(state, pic);
}
BENCHMARK(BM_RotateLeft)->Unit(benchmark::kMillisecond);

// The effect itself: PIC into WORK, then the two swap. Every iteration turns
// the picture the last one left.
void turnPicture(benchmark::State& state, tupalo::Turn t) {
  tupalo::Editor e;
  e.PIC = picture();
  e.WORK = raster::Surface(kSide, kSide);
  for (auto _ : state) {
    tupalo::TurnPicture(e, t);
    benchmark::DoNotOptimize(e.PIC.bits());
    benchmark::ClobberMemory();
  }
  bytesOf(state, e.PIC);
}
void BM_Rotate180Picture(benchmark::State& state) { turnPicture(state, tupalo::Turn::Half); }
void BM_MirrorPicture(benchmark::State& state) { turnPicture(state, tupalo::Turn::Mirror); }
BENCHMARK(BM_Rotate180Picture)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MirrorPicture)->Unit(benchmark::kMillisecond);

void halve(benchmark::State& state, StretchMode mode) {
  const Surface& pic = picture();
  Surface half(kSide / 2, kSide / 2);
  for (auto _ : state) {
    StretchBlt(half, 0, 0, kSide / 2, kSide / 2, pic, 0, 0, kSide, kSide, mode);
    benchmark::DoNotOptimize(half.bits());
    benchmark::ClobberMemory();
  }
  bytesOf(state, pic);
}
void BM_HalveDeleteLines(benchmark::State& state) { halve(state, COLORONCOLOR); }
void BM_HalveOr(benchmark::State& state) { halve(state, WHITEONBLACK); }
void BM_HalveAnd(benchmark::State& state) { halve(state, BLACKONWHITE); }
BENCHMARK(BM_HalveDeleteLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HalveOr)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HalveAnd)->Unit(benchmark::kMillisecond);

#ifdef TUPALO_BENCH_OPENCV
// Four bytes a pixel, as the editor's pictures.
cv::Mat asMat(const Surface& s) {
  return cv::Mat(s.height(), s.width(), CV_8UC4, const_cast<Pixel*>(s.bits()));
}

void BM_CvRotate90(benchmark::State& state) {
  const cv::Mat from = asMat(picture());
  cv::Mat to(kSide, kSide, CV_8UC4);
  for (auto _ : state) {
    cv::rotate(from, to, cv::ROTATE_90_CLOCKWISE);
    benchmark::DoNotOptimize(to.data);
    benchmark::ClobberMemory();
  }
  bytesOf(state, picture());
}
BENCHMARK(BM_CvRotate90)->Unit(benchmark::kMillisecond);

void BM_CvResizeHalf(benchmark::State& state) {
  const cv::Mat from = asMat(picture());
  cv::Mat to(kSide / 2, kSide / 2, CV_8UC4);
  for (auto _ : state) {
    cv::resize(from, to, to.size(), 0, 0, cv::INTER_NEAREST);
    benchmark::DoNotOptimize(to.data);
    benchmark::ClobberMemory();
  }
  bytesOf(state, picture());
}
BENCHMARK(BM_CvResizeHalf)->Unit(benchmark::kMillisecond);

// OpenCV's resize runs on two threads (its CPU time above is one thread's
// share); on one thread it is the like-for-like figure.
void BM_CvResizeHalfOneThread(benchmark::State& state) {
  const int threads = cv::getNumThreads();
  cv::setNumThreads(1);
  BM_CvResizeHalf(state);
  cv::setNumThreads(threads);
}
BENCHMARK(BM_CvResizeHalfOneThread)->Unit(benchmark::kMillisecond);

void cvFlip(benchmark::State& state, int code) {
  const cv::Mat from = asMat(picture());
  cv::Mat to(kSide, kSide, CV_8UC4);
  for (auto _ : state) {
    cv::flip(from, to, code);
    benchmark::DoNotOptimize(to.data);
    benchmark::ClobberMemory();
  }
  bytesOf(state, picture());
}
void BM_CvFlip180(benchmark::State& state) { cvFlip(state, -1); }
void BM_CvFlipMirror(benchmark::State& state) { cvFlip(state, 1); }
BENCHMARK(BM_CvFlip180)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CvFlipMirror)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
