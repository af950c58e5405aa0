// Any bytes through the bitmap and icon reader: it answers, never crashes or
// hangs, every pixel it makes is opaque, and the picture it reads is written
// and read back identical.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "editor/files/BmpCodec.h"

namespace {

using namespace tupalo;

// Large enough for every header path, small enough to stay fast.
bool admit(std::int64_t width, std::int64_t height, int) {
  return width <= 32767 && height <= 32767 && width * height <= (std::int64_t{1} << 20);
}

void check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

std::vector<std::uint8_t> encode(const raster::Surface& pic) {
  const auto g = bmp::geometry(pic.width(), pic.height());
  check(g.has_value(), "a decoded picture has no bitmap file");
  std::vector<std::uint8_t> file(g->fileSize);
  bmp::putHeader(file.data(), pic.width(), pic.height(), *g);
  std::uint8_t* row = file.data() + bmp::kHeaderBytes;
  for (int y = pic.height() - 1; y >= 0; --y, row += g->stride)
    bmp::encodeRow(pic.row(y), pic.width(), row, g->stride);
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  bmp::MemorySource in(data, size);
  bmp::Layout layout;
  if (bmp::inspect(in, layout, admit) != bmp::Status::Ok) return 0;
  if (layout.kind == bmp::Kind::IconPng) {
    check(layout.pngOffset + layout.pngSize <= size, "PNG image outside the file");
    return 0;
  }
  raster::Surface pic;
  check(bmp::decode(in, layout, pic, 0xFF336699u) == bmp::Status::Ok,
        "what inspect accepted did not decode");
  check(pic.width() == layout.width && pic.height() == layout.height, "wrong size");
  for (int y = 0; y < pic.height(); ++y)
    for (int x = 0; x < pic.width(); ++x) check(pic.pixel(x, y) >> 24 == 0xFF, "pixel not opaque");

  const std::vector<std::uint8_t> file = encode(pic);
  bmp::MemorySource again(file.data(), file.size());
  raster::Surface back;
  check(bmp::inspect(again, layout, admit) == bmp::Status::Ok &&
            bmp::decode(again, layout, back, 0) == bmp::Status::Ok,
        "our own file did not read back");
  check(back == pic, "our own file read back different");
  return 0;
}
