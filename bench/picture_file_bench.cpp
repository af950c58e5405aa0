// Writing and reading a 4096 x 4096 picture as a 24-bit bitmap.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "editor/files/PictureFile.h"

namespace {

raster::Surface photoLike() {
  raster::Surface s(4096, 4096);
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x)
      s.setPixel(x, y,
                 0xFF000000u | ((x ^ y) & 0xFF) << 16 | ((x + y) & 0xFF) << 8 | ((x * y) & 0xFF));
  return s;
}

void BM_EncodeBitmap(benchmark::State& state) {
  const raster::Surface pic = photoLike();
  for (auto _ : state) benchmark::DoNotOptimize(tupalo::encodeBitmap(pic));
}
BENCHMARK(BM_EncodeBitmap)->Unit(benchmark::kMillisecond);

void BM_WriteBitmapFile(benchmark::State& state) {
  const raster::Surface pic = photoLike();
  QTemporaryDir dir;
  const QString path = dir.filePath("bench.bmp");
  for (auto _ : state) benchmark::DoNotOptimize(tupalo::writeBitmapFile(path, pic));
}
BENCHMARK(BM_WriteBitmapFile)->Unit(benchmark::kMillisecond);

// Includes reading the file from the page cache.
void BM_ReadBitmapFile(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath("bench.bmp");
  tupalo::writeBitmapFile(path, photoLike());
  raster::Surface out;
  for (auto _ : state) {
    auto error = tupalo::readPictureFile(path, out);
    benchmark::DoNotOptimize(error);
  }
}
BENCHMARK(BM_ReadBitmapFile)->Unit(benchmark::kMillisecond);

}  // namespace
