#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "Grid.h"

namespace raster {
namespace {

using namespace grid;
using Idx = std::vector<int>;

// Pixel (x, y) holds its index y*w + x + 1; 0 (index -1) marks untouched.
Surface numbered(int w, int h) {
  Surface s(w, h);
  for (int i = 0; i < w * h; ++i) s.setPixel(i % w, i / w, kOpaque | static_cast<Pixel>(i + 1));
  return s;
}

Idx indices(const Surface& s) {
  Idx out;
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x)
      out.push_back(static_cast<int>(s.pixel(x, y) & 0xFFFFFF) - 1);
  return out;
}

Surface random(int w, int h, unsigned seed) {
  std::mt19937 rng(seed);
  Surface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.setPixel(x, y, kOpaque | (rng() & 0xFFFFFF));
  return s;
}

TEST(Pixels, GetAndSet) {
  Surface s(3, 2);
  SetPixelV(s, 1, 1, rgb(10, 20, 30));
  EXPECT_EQ(GetPixel(s, 1, 1), rgb(10, 20, 30));
  EXPECT_EQ(s.pixel(1, 1), 0xFF0A141Eu);
  for (auto [x, y] : {std::pair{-1, 0}, {3, 0}, {0, -1}, {0, 2}}) {
    EXPECT_EQ(GetPixel(s, x, y), CLR_INVALID);
    SetPixelV(s, x, y, 0);
  }
  EXPECT_EQ(s, [] {
    Surface t(3, 2);
    t.setPixel(1, 1, 0xFF0A141Eu);
    return t;
  }());
}

TEST(BitBlt, ClipsToBothSurfaces) {
  const Surface src = numbered(4, 4);
  Surface dst(6, 5, 0);
  BitBlt(dst, 4, -1, 4, 4, src, 1, 0);  // dest x 4..5, y 0..2 from src x 1..2, y 1..3
  BitBlt(dst, 0, 3, 3, 3, src, -1, 2);  // source column -1 and row 4 do not exist
  EXPECT_EQ(indices(dst), (Idx{-1, -1, -1, -1, 5, 6, -1, -1, -1, -1, 9,  10, -1, -1, -1,
                               -1, 13, 14, -1, 8, 9, -1, -1, -1, -1, 12, 13, -1, -1, -1}));
  Surface neg(3, 1, 0), same = numbered(4, 1);
  BitBlt(neg, 2, 0, -3, 1, numbered(3, 1), 2, 0);  // negative extents: same rectangle, unmirrored
  BitBlt(same, 1, 0, 3, 1, same, 0, 0);
  EXPECT_EQ(indices(neg), (Idx{0, 1, 2}));
  EXPECT_EQ(indices(same), (Idx{0, 0, 1, 2}));
}

TEST(BitBlt, SrcAnd) {
  Surface dst = fromArt({"..", "++"});
  BitBlt(dst, 0, 0, 2, 2, fromArt({"#.", ".o"}), 0, 0, Rop::SrcAnd);
  EXPECT_EQ(show(dst), art({"#.", "+#"}));  // red AND blue is black, still opaque
}

Idx stretchRow(int S, int D, StretchMode mode = COLORONCOLOR) {
  Surface dst(D, 1, 0);
  StretchBlt(dst, 0, 0, D, 1, numbered(S, 1), 0, 0, S, 1, mode);
  return indices(dst);
}

TEST(StretchBlt, MappingExamples) {
  EXPECT_EQ(stretchRow(2, 3), (Idx{0, 0, 1}));  // the source pixel under the centre
  EXPECT_EQ(stretchRow(3, 4), (Idx{0, 1, 1, 2}));
  EXPECT_EQ(stretchRow(2, 4), (Idx{0, 0, 1, 1}));
  EXPECT_EQ(stretchRow(3, 3), (Idx{0, 1, 2}));
  // COLORONCOLOR keeps the first pixel of each group, on both axes.
  EXPECT_EQ(stretchRow(3, 2), (Idx{0, 2}));     // {0,1},{2}
  EXPECT_EQ(stretchRow(5, 3), (Idx{0, 2, 3}));  // {0,1},{2},{3,4}
  Surface col(1, 3, 0);
  StretchBlt(col, 0, 0, 1, 3, numbered(1, 5), 0, 0, 1, 5, COLORONCOLOR);
  EXPECT_EQ(indices(col), (Idx{0, 2, 3}));
}

TEST(StretchBlt, BlackOnWhiteAndWhiteOnBlackCombineTheWholeGroup) {
  // 5x4 -> 3x2: column groups {0,1},{2},{3,4}; row groups {0,1},{2,3}.
  const Surface src = fromArt({"..#..", "o....", ".....", "...+."});
  Surface andDst(3, 2, 0), orDst(3, 2, 0), one(1, 1, 0), plain(7, 7), a(7, 7), o(7, 7);
  StretchBlt(andDst, 0, 0, 3, 2, src, 0, 0, 5, 4, BLACKONWHITE);
  StretchBlt(orDst, 0, 0, 3, 2, src, 0, 0, 5, 4, WHITEONBLACK);
  EXPECT_EQ(show(andDst), art({"o#.", "..+"}));
  EXPECT_EQ(show(orDst), art({"...", "..."}));
  // One destination pixel: the last source pixel is left out first.
  StretchBlt(one, 0, 0, 1, 1, fromArt({"o.+"}), 0, 0, 3, 1, BLACKONWHITE);
  EXPECT_EQ(show(one), art({"o"}));
  // Modes matter only where an axis shrinks.
  const Surface rnd = random(3, 3, 1);
  StretchBlt(plain, 0, 0, 7, 7, rnd, 0, 0, 3, 3, COLORONCOLOR);
  StretchBlt(a, 0, 0, 7, 7, rnd, 0, 0, 3, 3, BLACKONWHITE);
  StretchBlt(o, 0, 0, 7, 7, rnd, 0, 0, 3, 3, WHITEONBLACK);
  EXPECT_EQ(a, plain);
  EXPECT_EQ(o, plain);
}

TEST(StretchBlt, NegativeExtentsMirror) {
  const Surface src = numbered(3, 2);
  Surface lr(3, 2, 0), both(3, 2, 0), viaSource(3, 2, 0), neither(3, 2, 0), up(3, 1, 0);
  StretchBlt(lr, 2, 0, -3, 2, src, 0, 0, 3, 2, COLORONCOLOR);
  StretchBlt(both, 2, 1, -3, -2, src, 0, 0, 3, 2, COLORONCOLOR);
  StretchBlt(viaSource, 0, 0, 3, 2, src, 2, 0, -3, 2, COLORONCOLOR);
  StretchBlt(neither, 2, 0, -3, 2, src, 2, 0, -3, 2, COLORONCOLOR);
  StretchBlt(up, 2, 0, -3, 1, numbered(2, 1), 0, 0, 2, 1, COLORONCOLOR);  // index 0 at the origin
  EXPECT_EQ(indices(lr), (Idx{2, 1, 0, 5, 4, 3}));
  EXPECT_EQ(indices(both), (Idx{5, 4, 3, 2, 1, 0}));
  EXPECT_EQ(indices(viaSource), indices(lr));
  EXPECT_EQ(indices(neither), (Idx{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(indices(up), (Idx{1, 0, 0}));
}

TEST(StretchBlt, IntegerZoomIsBlockReplicationAtAnyOffset) {
  const Surface src = random(37, 29, 3);
  for (int z = 1; z <= 16; ++z)
    for (int off : {0, -1, -3, -z - 2, 5}) {
      Surface dst(61, 53, 0), ref(61, 53, 0);
      StretchBlt(dst, off, off / 2, 30 * z, 25 * z, src, 3, 2, 30, 25, COLORONCOLOR);
      for (int y = 0; y < 53; ++y)
        for (int x = 0; x < 61; ++x) {
          const int dx = x - off, dy = y - off / 2;
          if (dx >= 0 && dy >= 0 && dx < 30 * z && dy < 25 * z)
            ref.setPixel(x, y, src.pixel(3 + dx / z, 2 + dy / z));
        }
      ASSERT_EQ(dst, ref) << "zoom " << z << " offset " << off;
    }
}

// The source pixel of logical destination index i straight from the rules, or
// -1; shrinking keeps the first group member that lies on the source. A
// destination extent of +1 drops the last pixel of a positive source extent.
int refSource(int i, int dExt, int origin, int ext, int limit) {
  const int D = std::abs(dExt);
  int S = std::abs(ext);
  const int step = ext < 0 ? -1 : 1;
  if (dExt == 1 && ext > 1) --S;
  auto on = [&](long long j) { return origin + step * j >= 0 && origin + step * j < limit; };
  if (D >= S) {
    const long long j = ((2LL * i + 1) * S - 1) / (2LL * D);
    return on(j) ? static_cast<int>(origin + step * j) : -1;
  }
  for (int j = 0; j < S; ++j)
    if (((2LL * j + 1) * D - 1) / (2LL * S) == i && on(j)) return origin + step * j;
  return -1;
}

// COLORONCOLOR into a surface of `dst`'s size, pixel by pixel from the rules.
Surface stretchRef(const Surface& dst, int x, int y, int w, int h, const Surface& src, int sx,
                   int sy, int sw, int sh) {
  Surface ref = dst;
  for (int i = 0; i < std::abs(w); ++i)
    for (int k = 0; k < std::abs(h); ++k) {
      const int px = x + (w < 0 ? -i : i), py = y + (h < 0 ? -k : k);
      const int qx = refSource(i, w, sx, sw, src.width()),
                qy = refSource(k, h, sy, sh, src.height());
      if (ref.contains(px, py) && qx >= 0 && qy >= 0) ref.setPixel(px, py, src.pixel(qx, qy));
    }
  return ref;
}

TEST(StretchBlt, AnyMappingFollowsTheRulesWhateverTheClipping) {
  std::mt19937 rng(11);
  const Surface src = random(23, 19, 5);
  std::uniform_int_distribution<int> ext(-30, 30), pos(-8, 24);
  for (int round = 0; round < 400; ++round) {
    const int w = ext(rng), h = ext(rng), sw = ext(rng) / 2, sh = ext(rng) / 2;
    const int x = pos(rng), y = pos(rng), sx = pos(rng), sy = pos(rng);
    if (!w || !h || !sw || !sh) continue;
    Surface dst(17, 15, 0);
    StretchBlt(dst, x, y, w, h, src, sx, sy, sw, sh, COLORONCOLOR);
    ASSERT_EQ(dst, stretchRef(Surface(17, 15, 0), x, y, w, h, src, sx, sy, sw, sh))
        << "round " << round;
  }
  // Group modes: a clipped destination is a crop of the whole.
  const Surface big = random(40, 30, 9);
  for (StretchMode mode : {BLACKONWHITE, WHITEONBLACK}) {
    Surface whole(13, 11, 0), part(6, 5, 0);
    StretchBlt(whole, 0, 0, 13, 11, big, 0, 0, 40, 30, mode);
    StretchBlt(part, -4, -3, 13, 11, big, 0, 0, 40, 30, mode);
    EXPECT_EQ(part, crop(whole, 4, 3, 6, 5)) << mode;
  }
}

TEST(StretchBlt, SrcAndSourceOffTheSurfaceAndSameSurface) {
  Surface dst = fromArt({"++++", "++++", "....", "...."});
  StretchBlt(dst, 0, 0, 4, 4, fromArt({"#.", ".."}), 0, 0, 2, 2, COLORONCOLOR, Rop::SrcAnd);
  EXPECT_EQ(show(dst), art({"##++", "##++", "....", "...."}));
  Surface off(4, 1, 0);
  StretchBlt(off, 0, 0, 4, 1, numbered(2, 1), -1, 0, 2, 1, COLORONCOLOR);  // source x -1 is missing
  EXPECT_EQ(indices(off), (Idx{-1, -1, 0, 0}));
  Surface s = numbered(4, 4);
  StretchBlt(s, 0, 0, 4, 4, s, 1, 1, 2, 2, COLORONCOLOR);
  EXPECT_EQ(indices(s), (Idx{5, 5, 6, 6, 5, 5, 6, 6, 9, 9, 10, 10, 9, 9, 10, 10}));
}

TEST(StretchBlt, OneToOneMirrors) {
  const Surface src = numbered(4, 3);
  Surface lr(4, 3, 0), ud(4, 3, 0), both(4, 3, 0), viaSource(4, 3, 0);
  StretchBlt(lr, 3, 0, -4, 3, src, 0, 0, 4, 3, COLORONCOLOR);
  StretchBlt(ud, 0, 2, 4, -3, src, 0, 0, 4, 3, COLORONCOLOR);
  StretchBlt(both, 3, 2, -4, -3, src, 0, 0, 4, 3, COLORONCOLOR);
  StretchBlt(viaSource, 0, 0, 4, 3, src, 3, 2, -4, -3, COLORONCOLOR);
  EXPECT_EQ(indices(lr), (Idx{3, 2, 1, 0, 7, 6, 5, 4, 11, 10, 9, 8}));
  EXPECT_EQ(indices(ud), (Idx{8, 9, 10, 11, 4, 5, 6, 7, 0, 1, 2, 3}));
  EXPECT_EQ(indices(both), (Idx{11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
  EXPECT_EQ(indices(viaSource), indices(both));
  // Nothing shrinks, so every mode is the plain copy; AND combines with the
  // destination as ever.
  for (StretchMode mode : {BLACKONWHITE, WHITEONBLACK}) {
    Surface m(4, 3, 0);
    StretchBlt(m, 3, 2, -4, -3, src, 0, 0, 4, 3, mode);
    EXPECT_EQ(m, both) << mode;
  }
  Surface anded = fromArt({"++", "oo"});
  StretchBlt(anded, 1, 1, -2, -2, fromArt({"#.", ".."}), 0, 0, 2, 2, COLORONCOLOR, Rop::SrcAnd);
  EXPECT_EQ(show(anded), art({"++", "o#"}));
}

TEST(StretchBlt, OneToOneMirrorsClipAtTheSurfacesEdges) {
  const Surface src = numbered(4, 3);
  // Destination columns -1 and 3 are off a 3 x 2 surface; so are rows -1
  // and 2.
  Surface left(3, 3, 0), right(3, 3, 0), top(4, 2, 0), bottom(4, 2, 0);
  StretchBlt(left, 2, 0, -4, 3, src, 0, 0, 4, 3, COLORONCOLOR);    // covers -1 .. 2
  StretchBlt(right, 3, 0, -4, 3, src, 0, 0, 4, 3, COLORONCOLOR);   // covers 0 .. 3
  StretchBlt(top, 0, 1, 4, -3, src, 0, 0, 4, 3, COLORONCOLOR);     // covers -1 .. 1
  StretchBlt(bottom, 0, 2, 4, -3, src, 0, 0, 4, 3, COLORONCOLOR);  // covers 0 .. 2
  EXPECT_EQ(indices(left), (Idx{2, 1, 0, 6, 5, 4, 10, 9, 8}));
  EXPECT_EQ(indices(right), (Idx{3, 2, 1, 7, 6, 5, 11, 10, 9}));
  EXPECT_EQ(indices(top), (Idx{4, 5, 6, 7, 0, 1, 2, 3}));
  EXPECT_EQ(indices(bottom), (Idx{8, 9, 10, 11, 4, 5, 6, 7}));
  // Source columns -1 and 4, rows -1 and 3 do not exist: their destination
  // pixels stay.
  Surface offSource(5, 4, 0);
  StretchBlt(offSource, 4, 3, -5, -4, src, -1, 0, 5, 4, COLORONCOLOR);
  EXPECT_EQ(indices(offSource),
            (Idx{-1, -1, -1, -1, -1, 11, 10, 9, 8, -1, 7, 6, 5, 4, -1, 3, 2, 1, 0, -1}));
  // Every position and both signs against the rules, with the destination and
  // the source cut on any side.
  const Surface rnd = random(9, 7, 4);
  for (int w : {-9, -5, 5, 9})
    for (int h : {-7, -3, 3, 7})
      for (int x = -10; x <= 16; x += 2)
        for (int y = -8; y <= 12; y += 4)
          for (auto [sx, sy] : {std::pair{0, 0}, {-3, 2}, {4, -2}, {8, 6}}) {
            const int sw = (w < 0) == (x % 4 == 0) ? std::abs(w) : -std::abs(w);
            const int sh = (h < 0) == (y % 8 == 0) ? std::abs(h) : -std::abs(h);
            Surface dst(8, 6, 0);
            StretchBlt(dst, x, y, w, h, rnd, sx, sy, sw, sh, COLORONCOLOR);
            ASSERT_EQ(dst, stretchRef(Surface(8, 6, 0), x, y, w, h, rnd, sx, sy, sw, sh))
                << x << "," << y << " " << w << "x" << h << " from " << sx << "," << sy << " " << sw
                << "x" << sh;
          }
}

TEST(StretchBlt, OneToOneMirrorOntoItself) {
  // Each destination pixel takes the source pixel as it was before the blit.
  Surface both = numbered(3, 2), lr = numbered(4, 2), shifted = numbered(4, 3);
  StretchBlt(both, 2, 1, -3, -2, both, 0, 0, 3, 2, COLORONCOLOR);
  StretchBlt(lr, 3, 0, -4, 2, lr, 0, 0, 4, 2, COLORONCOLOR);
  StretchBlt(shifted, 2, 2, -3, -2, shifted, 1, 0, 3, 2, COLORONCOLOR);
  EXPECT_EQ(indices(both), (Idx{5, 4, 3, 2, 1, 0}));
  EXPECT_EQ(indices(lr), (Idx{3, 2, 1, 0, 7, 6, 5, 4}));
  EXPECT_EQ(indices(shifted), (Idx{0, 1, 2, 3, 7, 6, 5, 7, 3, 2, 1, 11}));
}

TEST(StretchBlt, DestinationExtentOneGoesBySignedExtents) {
  // Only +1 from a source extent above +1 drops the last source pixel: the
  // AND of all of "o.+" is black, of its first two blue.
  const Surface src = fromArt({"o.+"});
  auto one = [&](int w, int sx, int sw) {
    Surface d(1, 1, 0);
    StretchBlt(d, 0, 0, w, 1, src, sx, 0, sw, 1, BLACKONWHITE);
    return show(d);
  };
  EXPECT_EQ(one(1, 0, 3), art({"o"}));
  EXPECT_EQ(one(-1, 0, 3), art({"#"}));
  EXPECT_EQ(one(1, 2, -3), art({"#"}));
  EXPECT_EQ(one(-1, 2, -3), art({"#"}));
  // The same vertically, and seen in COLORONCOLOR where only the last source
  // pixel lies on the source surface.
  Surface col(1, 1, 0), off(1, 1, 0), offMirrored(1, 1, 0);
  StretchBlt(col, 0, 0, 1, -1, fromArt({"o", ".", "+"}), 0, 0, 1, 3, BLACKONWHITE);
  StretchBlt(off, 0, 0, 1, 1, numbered(3, 1), -2, 0, 3, 1, COLORONCOLOR);
  StretchBlt(offMirrored, 0, 0, -1, 1, numbered(3, 1), -2, 0, 3, 1, COLORONCOLOR);
  EXPECT_EQ(show(col), art({"#"}));
  EXPECT_EQ(indices(off), (Idx{-1}));
  EXPECT_EQ(indices(offMirrored), (Idx{0}));
}

}  // namespace
}  // namespace raster
