// Writing and reading a 4096 x 4096 picture as a 24-bit bitmap, beside a plain
// copy of the picture's memory as the floor.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <cstring>
#include <vector>

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

// The floor for the codec is BM_MemcpyPicture (raster_bench.cpp): the same
// 4096 x 4096 picture copied once.

// The file already in memory, decoded into a fresh picture as a load does.
void BM_ReadBmp24(benchmark::State& state) {
  const QByteArray file = tupalo::encodeBitmap(photoLike());
  for (auto _ : state) {
    raster::Surface out;
    auto error = tupalo::decodePicture(file, out);
    benchmark::DoNotOptimize(error);
    benchmark::DoNotOptimize(out.bits());
  }
}
BENCHMARK(BM_ReadBmp24)->Unit(benchmark::kMillisecond);

// Encoded into memory kept from one call to the next, as the clipboard does.
void BM_WriteBmp24(benchmark::State& state) {
  const raster::Surface pic = photoLike();
  QByteArray bytes;
  for (auto _ : state) {
    tupalo::encodeBitmap(pic, bytes);
    benchmark::DoNotOptimize(bytes.data());
  }
}
BENCHMARK(BM_WriteBmp24)->Unit(benchmark::kMillisecond);

// A fresh array each time, as encodeBitmap(pic) hands out.
void BM_EncodeBitmap(benchmark::State& state) {
  const raster::Surface pic = photoLike();
  for (auto _ : state) benchmark::DoNotOptimize(tupalo::encodeBitmap(pic));
}
BENCHMARK(BM_EncodeBitmap)->Unit(benchmark::kMillisecond);

// Includes the file system and the sync to disk.
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
