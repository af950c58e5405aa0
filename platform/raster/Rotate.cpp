// Quarter turns of a whole surface.
//
// A turn reads every source row and writes every destination column, so one
// of the two walks crosses rows. Walking the source a strip of 16 columns at
// a time, four rows per step, keeps both sides in the cache: the strip's
// source lines are consumed whole, the 16 destination rows it feeds advance
// by 16 bytes a step and are filled before they leave the cache. Each 4 x 4
// block is transposed in registers.

#include <algorithm>

#include "platform/raster/Raster.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace raster {

namespace {

constexpr int kStrip = 16;

// Source row r[k] (k = 0..3), columns x .. x+3, into destination rows d[c]
// (c = 0..3), columns at .. at+3: d[c][at + k] = r[k][x + c].
inline void transpose4(const Pixel* const r[4], int x, Pixel* const d[4], int at) {
#if defined(__SSE2__)
  const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r[0] + x));
  const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r[1] + x));
  const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r[2] + x));
  const __m128i e = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r[3] + x));
  const __m128i ab0 = _mm_unpacklo_epi32(a, b);  // a0 b0 a1 b1
  const __m128i ab1 = _mm_unpackhi_epi32(a, b);  // a2 b2 a3 b3
  const __m128i ce0 = _mm_unpacklo_epi32(c, e);
  const __m128i ce1 = _mm_unpackhi_epi32(c, e);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(d[0] + at), _mm_unpacklo_epi64(ab0, ce0));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(d[1] + at), _mm_unpackhi_epi64(ab0, ce0));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(d[2] + at), _mm_unpacklo_epi64(ab1, ce1));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(d[3] + at), _mm_unpackhi_epi64(ab1, ce1));
#else
  for (int c = 0; c < 4; ++c)
    for (int k = 0; k < 4; ++k) d[c][at + k] = r[k][x + c];
#endif
}

// Destination column j takes source row `srcRow(j)`; source column x goes to
// destination row `dstRow(x)`. Both turns are this walk with other rows.
template <class SrcRow, class DstRow>
void turn(const Surface& src, SrcRow srcRow, DstRow dstRow) {
  const int W = src.width(), H = src.height();
  const int W4 = W & ~3, H4 = H & ~3;
  for (int x0 = 0; x0 < W4; x0 += kStrip) {
    const int x1 = std::min(x0 + kStrip, W4);
    Pixel* d[kStrip];
    for (int x = x0; x < x1; ++x) d[x - x0] = dstRow(x);
    for (int j = 0; j < H4; j += 4) {
      const Pixel* const r[4] = {srcRow(j), srcRow(j + 1), srcRow(j + 2), srcRow(j + 3)};
      for (int x = x0; x < x1; x += 4) transpose4(r, x, d + (x - x0), j);
    }
    for (int j = H4; j < H; ++j) {
      const Pixel* r = srcRow(j);
      for (int x = x0; x < x1; ++x) d[x - x0][j] = r[x];
    }
  }
  // The last columns of a width that is not a multiple of 4.
  for (int x = W4; x < W; ++x) {
    Pixel* to = dstRow(x);
    for (int j = 0; j < H; ++j) to[j] = srcRow(j)[x];
  }
}

}  // namespace

void RotateRight(Surface& dst, const Surface& src) {
  const int W = src.width(), H = src.height();
  if (&dst == &src || dst.width() != H || dst.height() != W || src.empty()) return;
  // (x, y) goes to (H - 1 - y, x): destination row x is source column x,
  // read from the bottom up.
  turn(
      src, [&](int j) { return src.row(H - 1 - j); }, [&](int x) { return dst.row(x); });
}

void RotateLeft(Surface& dst, const Surface& src) {
  const int W = src.width(), H = src.height();
  if (&dst == &src || dst.width() != H || dst.height() != W || src.empty()) return;
  // (x, y) goes to (y, W - 1 - x): destination row W - 1 - x is source
  // column x, read from the top down.
  turn(
      src, [&](int j) { return src.row(j); }, [&](int x) { return dst.row(W - 1 - x); });
}

}  // namespace raster
