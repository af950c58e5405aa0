// Blits and single pixels.

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/raster/Geometry.h"
#include "platform/raster/Raster.h"

namespace raster {

using namespace detail;

ColourRef GetPixel(const Surface& s, int x, int y) {
  return s.contains(x, y) ? toColourRef(s.pixel(x, y)) : CLR_INVALID;
}

void SetPixelV(Surface& s, int x, int y, ColourRef c) {
  if (s.contains(x, y)) s.setPixel(x, y, toPixel(c));
}

void BitBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy, Rop rop) {
  if (&dst == &src) {
    const Surface copy = src;  // overlapping copies need not be fast
    BitBlt(dst, x, y, w, h, copy, sx, sy, rop);
    return;
  }
  // Equal negative extents on both sides cover the same pixels unmirrored.
  i64 X = x, Y = y, SX = sx, SY = sy, Wd = w, Ht = h;
  if (Wd < 0) {
    X += Wd + 1;
    SX += Wd + 1;
    Wd = -Wd;
  }
  if (Ht < 0) {
    Y += Ht + 1;
    SY += Ht + 1;
    Ht = -Ht;
  }
  // Destination columns [x0, x1) valid on both surfaces.
  const i64 x0 = std::max({X, i64{0}, X - SX});
  const i64 x1 = std::min({X + Wd, i64{dst.width()}, X - SX + src.width()});
  const i64 y0 = std::max({Y, i64{0}, Y - SY});
  const i64 y1 = std::min({Y + Ht, i64{dst.height()}, Y - SY + src.height()});
  if (x0 >= x1 || y0 >= y1) return;
  const std::size_t n = static_cast<std::size_t>(x1 - x0);
  for (i64 yy = y0; yy < y1; ++yy) {
    Pixel* d = dst.row(static_cast<int>(yy)) + x0;
    const Pixel* s = src.row(static_cast<int>(yy - Y + SY)) + (x0 - X + SX);
    if (rop == Rop::SrcCopy) {
      std::memcpy(d, s, n * sizeof(Pixel));
    } else {
      for (std::size_t i = 0; i < n; ++i) d[i] &= s[i];
    }
  }
}

// ---- StretchBlt -----------------------------------------------------------------

namespace {

// How one axis maps destination pixels to source pixels, for the destination
// pixels [d0, d1) that are on the destination surface and take at least one
// source pixel that is on the source surface.
struct AxisMap {
  int d0 = 0, d1 = 0;
  std::vector<int> pick;    // per destination pixel: the surviving source pixel
  std::vector<int> lo, hi;  // per destination pixel: its source group (inclusive)
  int zoom = 0;             // > 0: plain replication of consecutive source pixels
  bool reversed = false;    // 1:1 mirrored: pick[k] = pick[0] - k
  bool shrinks = false;     // source pixels share a destination pixel
  // > 1: shrinking by a whole factor, unmirrored: destination pixel k's
  // group is the `stride` source pixels from pick[0] + k * stride.
  int stride = 0;
  bool empty() const { return d0 >= d1; }
};

// The mapping is computed on the whole logical extents, so clipping never
// changes which source pixel a destination pixel takes. Logical index i runs
// from the destination origin in the direction of its extent, j likewise on the
// source; the axis is mirrored when the extents differ in sign.
//   enlarging (D >= S): i takes j = floor(((2i+1)S - 1) / 2D)
//   reducing (D < S):   j goes to i = floor(((2j+1)D - 1) / 2S); the group's
//                       first source pixel (lowest j) survives in COLORONCOLOR.
// Group members off the source surface are left out; a destination pixel with
// none left is not written.
AxisMap mapAxis(i64 dOrg, i64 dExt, i64 sOrg, i64 sExt, int dLimit, int sLimit) {
  AxisMap m;
  const i64 D = dExt < 0 ? -dExt : dExt;
  i64 S = sExt < 0 ? -sExt : sExt;
  // A long-standing quirk of this blit: a destination extent of +1 takes one
  // source pixel less. It goes by the signed extents, so -1, or a negative
  // source extent, keeps the whole source.
  if (dExt == 1 && sExt > 1) --S;
  const i64 dStep = dExt < 0 ? -1 : 1, sStep = sExt < 0 ? -1 : 1;

  std::vector<int> pick(static_cast<std::size_t>(dLimit), -1);
  std::vector<int> lo(static_cast<std::size_t>(dLimit)), hi(static_cast<std::size_t>(dLimit));
  auto take = [&](i64 p, i64 src) {
    const std::size_t k = static_cast<std::size_t>(p);
    if (pick[k] < 0) {
      pick[k] = lo[k] = hi[k] = static_cast<int>(src);
    } else {
      lo[k] = std::min(lo[k], static_cast<int>(src));
      hi[k] = std::max(hi[k], static_cast<int>(src));
    }
  };
  // Logical indices whose physical position o + k*step lies in [0, limit).
  auto onSurface = [](i64 o, i64 step, i64 n, i64 limit, i64& k0, i64& k1) {
    if (step > 0) {
      k0 = std::max<i64>(0, -o);
      k1 = std::min<i64>(n - 1, limit - 1 - o);
    } else {
      k0 = std::max<i64>(0, o - (limit - 1));
      k1 = std::min<i64>(n - 1, o);
    }
  };
  i64 k0, k1;
  if (D >= S) {
    onSurface(dOrg, dStep, D, dLimit, k0, k1);
    for (i64 i = k0; i <= k1; ++i) {
      const i64 src = sOrg + sStep * (((2 * i + 1) * S - 1) / (2 * D));
      if (src >= 0 && src < sLimit) take(dOrg + dStep * i, src);
    }
    if (dStep == sStep && D % S == 0 && D / S <= dLimit) m.zoom = static_cast<int>(D / S);
    m.reversed = dStep != sStep && D == S;
  } else {
    m.shrinks = true;
    onSurface(sOrg, sStep, S, sLimit, k0, k1);
    for (i64 j = k0; j <= k1; ++j) {
      const i64 p = dOrg + dStep * (((2 * j + 1) * D - 1) / (2 * S));
      if (p >= 0 && p < dLimit) take(p, sOrg + sStep * j);
    }
  }
  // Monotone mappings leave the written destination pixels contiguous.
  const auto first = std::find_if(pick.begin(), pick.end(), [](int v) { return v >= 0; });
  if (first == pick.end()) return m;
  const auto last = std::find_if(pick.rbegin(), pick.rend(), [](int v) { return v >= 0; });
  m.d0 = static_cast<int>(first - pick.begin());
  m.d1 = static_cast<int>(pick.rend() - last);
  m.pick.assign(first, last.base());
  m.lo.assign(lo.begin() + m.d0, lo.begin() + m.d1);
  m.hi.assign(hi.begin() + m.d0, hi.begin() + m.d1);
  if (m.shrinks && m.d1 - m.d0 >= 2) {
    const int st = m.pick[1] - m.pick[0];
    bool even = st >= 2;
    for (std::size_t k = 0; even && k < m.pick.size(); ++k) {
      const int first = m.pick[0] + static_cast<int>(k) * st;
      even = m.pick[k] == first && m.lo[k] == first && m.hi[k] == first + st - 1;
    }
    if (even) m.stride = st;
  }
  return m;
}

template <int Z>
void replicate(Pixel* d, const Pixel* s, int blocks) {
  for (int i = 0; i < blocks; ++i)
    for (int k = 0; k < Z; ++k) d[i * Z + k] = s[i];
}

// One destination row of COLORONCOLOR from one source row.
void buildRow(Pixel* d, const Pixel* s, const AxisMap& xm) {
  const int n = xm.d1 - xm.d0;
  const int* pick = xm.pick.data();
  if (xm.zoom == 1) {
    std::memcpy(d, s + pick[0], static_cast<std::size_t>(n) * sizeof(Pixel));
    return;
  }
  if (xm.reversed) {
    // A plain loop the compiler vectorises: memory speed, unlike the table.
    const Pixel* from = s + pick[0];
    for (int k = 0; k < n; ++k) d[k] = from[-k];
    return;
  }
  if (xm.zoom > 1) {
    // A clipped first block, whole blocks, a clipped last block.
    const int Z = xm.zoom;
    int head = 0;
    while (head < n && pick[head] == pick[0]) ++head;
    std::fill(d, d + head, s[pick[0]]);
    if (head == n) return;
    const int blocks = (n - head) / Z;
    const Pixel* sb = s + pick[head];
    Pixel* db = d + head;
    switch (Z) {
      case 2:
        replicate<2>(db, sb, blocks);
        break;
      case 3:
        replicate<3>(db, sb, blocks);
        break;
      case 4:
        replicate<4>(db, sb, blocks);
        break;
      case 5:
        replicate<5>(db, sb, blocks);
        break;
      case 6:
        replicate<6>(db, sb, blocks);
        break;
      case 8:
        replicate<8>(db, sb, blocks);
        break;
      case 16:
        replicate<16>(db, sb, blocks);
        break;
      default:
        for (int i = 0; i < blocks; ++i) std::fill(db + i * Z, db + (i + 1) * Z, sb[i]);
    }
    if (head + blocks * Z < n) std::fill(db + blocks * Z, d + n, sb[blocks]);
    return;
  }
  if (xm.stride == 2) {
    // Halving: a fixed gather the compiler vectorises, where the table is
    // one load per pixel more.
    const Pixel* from = s + pick[0];
    for (int k = 0; k < n; ++k) d[k] = from[2 * k];
    return;
  }
  for (int k = 0; k < n; ++k) d[k] = s[pick[k]];
}

void stretchColorOnColor(Surface& dst, const Surface& src, const AxisMap& xm, const AxisMap& ym,
                         Rop rop) {
  const int n = xm.d1 - xm.d0;
  const std::size_t bytes = static_cast<std::size_t>(n) * sizeof(Pixel);
  std::vector<Pixel> row(rop == Rop::SrcAnd ? static_cast<std::size_t>(n) : 0);
  int built = -1;  // source row last built
  for (int y = ym.d0; y < ym.d1; ++y) {
    const int sy = ym.pick[static_cast<std::size_t>(y - ym.d0)];
    Pixel* d = dst.row(y) + xm.d0;
    if (rop == Rop::SrcCopy) {
      // Repeated source rows are copies of the destination row just built.
      if (sy == built) {
        std::memcpy(d, dst.row(y - 1) + xm.d0, bytes);
      } else {
        buildRow(d, src.row(sy), xm);
      }
    } else {
      if (sy != built) buildRow(row.data(), src.row(sy), xm);
      for (int k = 0; k < n; ++k) d[k] &= row[static_cast<std::size_t>(k)];
    }
    built = sy;
  }
}

// BLACKONWHITE (AND) and WHITEONBLACK (OR): each destination pixel combines
// its whole two-dimensional source group.
template <class Op>
void stretchGroups(Surface& dst, const Surface& src, const AxisMap& xm, const AxisMap& ym, Rop rop,
                   Op op) {
  const int n = xm.d1 - xm.d0;
  const int c0 = *std::min_element(xm.lo.begin(), xm.lo.end());
  const int c1 = *std::max_element(xm.hi.begin(), xm.hi.end());
  std::vector<Pixel> acc(static_cast<std::size_t>(c1 - c0 + 1));
  std::vector<Pixel> row(static_cast<std::size_t>(n));
  int prevLo = -1, prevHi = -1;
  for (int y = ym.d0; y < ym.d1; ++y) {
    const std::size_t yk = static_cast<std::size_t>(y - ym.d0);
    const int rlo = ym.lo[yk], rhi = ym.hi[yk];
    if (xm.stride == 2 && rhi - rlo <= 1) {
      // Halving (or halving the width only): each destination pixel is a 2 x 2
      // (or 2 x 1) block, combined in one pass over the source rows.
      // A copy goes straight into the destination row.
      const Pixel* a = src.row(rlo) + xm.lo[0];
      const Pixel* b = src.row(rhi) + xm.lo[0];
      Pixel* out = rop == Rop::SrcCopy ? dst.row(y) + xm.d0 : row.data();
      for (int k = 0; k < n; ++k)
        out[k] = op(op(a[2 * k], a[2 * k + 1]), op(b[2 * k], b[2 * k + 1]));
      prevLo = -1;  // `row` does not hold this group
      if (rop == Rop::SrcCopy) continue;
    } else if (rlo != prevLo || rhi != prevHi) {
      // Combine the group's source rows column by column, then each
      // destination pixel's columns.
      std::copy(src.row(rlo) + c0, src.row(rlo) + c1 + 1, acc.begin());
      for (int sy = rlo + 1; sy <= rhi; ++sy) {
        const Pixel* s = src.row(sy) + c0;
        for (std::size_t k = 0; k < acc.size(); ++k) acc[k] = op(acc[k], s[k]);
      }
      for (int k = 0; k < n; ++k) {
        const std::size_t xk = static_cast<std::size_t>(k);
        Pixel v = acc[static_cast<std::size_t>(xm.lo[xk] - c0)];
        for (int sx = xm.lo[xk] + 1; sx <= xm.hi[xk]; ++sx)
          v = op(v, acc[static_cast<std::size_t>(sx - c0)]);
        row[xk] = v;
      }
      prevLo = rlo;
      prevHi = rhi;
    }
    Pixel* d = dst.row(y) + xm.d0;
    if (rop == Rop::SrcCopy) {
      std::copy(row.begin(), row.end(), d);
    } else {
      for (int k = 0; k < n; ++k) d[k] &= row[static_cast<std::size_t>(k)];
    }
  }
}

}  // namespace

void StretchBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                int sw, int sh, StretchMode mode, Rop rop) {
  if (w == 0 || h == 0 || sw == 0 || sh == 0 || dst.empty() || src.empty()) return;
  if (&dst == &src) {
    const Surface copy = src;
    StretchBlt(dst, x, y, w, h, copy, sx, sy, sw, sh, mode, rop);
    return;
  }
  const AxisMap xm = mapAxis(x, w, sx, sw, dst.width(), src.width());
  if (xm.empty()) return;
  const AxisMap ym = mapAxis(y, h, sy, sh, dst.height(), src.height());
  if (ym.empty()) return;
  // Where neither axis shrinks every destination pixel has exactly one source
  // pixel, so the three modes agree.
  switch (xm.shrinks || ym.shrinks ? mode : COLORONCOLOR) {
    case BLACKONWHITE:
      stretchGroups(dst, src, xm, ym, rop, [](Pixel a, Pixel b) { return a & b; });
      break;
    case WHITEONBLACK:
      stretchGroups(dst, src, xm, ym, rop, [](Pixel a, Pixel b) { return a | b; });
      break;
    default:
      stretchColorOnColor(dst, src, xm, ym, rop);
      break;
  }
}

}  // namespace raster
