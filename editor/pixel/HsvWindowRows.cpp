#include "editor/pixel/HsvWindowRows.h"

#include <algorithm>
#include <cmath>

namespace tupalo::pixel {

namespace {

// One pass, branch-free so that it vectorises: bit 0 of pass[i] is the
// answer, bit 1 says the colour sits exactly on a saturation or hue bound
// (or the bounds are no fractions) and the floating-point test must decide.
// Returns whether any pixel needs that. Every number below is a whole number
// under 2^24, so single precision holds it, and the products, exactly.
template <bool kWrapped>
inline __attribute__((always_inline)) bool TestLoop(const HsvWindowRows::Kernel& k,
                                                    const raster::Pixel* __restrict px, int n,
                                                    std::uint32_t* __restrict pass) {
  const std::int32_t vLo = k.vLo, vHi = k.vHi;
  const float sMinA = k.sMin.a, sMinB = k.sMin.b, sMaxA = k.sMax.a, sMaxB = k.sMax.b;
  const float hMinK = k.hMin.sector, hMinQ = k.hMin.den, hMinR = k.hMin.rest;
  const float hMaxK = k.hMax.sector, hMaxQ = k.hMax.den, hMaxR = k.hMax.rest;
  const std::int32_t grey = k.greyPasses, slowAll = k.slowAll;
  std::int32_t anySlow = 0;
  for (int i = 0; i < n; ++i) {
    const std::uint32_t p = px[i];
    const std::int32_t R = (p >> 16) & 0xFF, G = (p >> 8) & 0xFF, B = p & 0xFF;
    const std::int32_t M = std::max(R, std::max(G, B)), m = std::min(R, std::min(G, B));
    const std::int32_t D = M - m;
    const std::int32_t value = (M >= vLo) & (M <= vHi);
    // Six times the hue / 360 is X / D: red largest (R first, as RgbToHsv
    // tests it), then green, then blue.
    const std::int32_t rMax = R == M, gMax = (R != M) & (G == M);
    const std::int32_t N = rMax ? G - B : gMax ? B - R : R - G;
    const std::int32_t off = rMax ? (N < 0 ? 6 * D : 0) : gMax ? 2 * D : 4 * D;
    const float fM = static_cast<float>(M), fD = static_cast<float>(D);
    const float fX = static_cast<float>(off + N);
    // Saturation 255 D / M against a / b: the sign of b D - a M.
    const std::int32_t overSMin = static_cast<std::int32_t>(sMinB * fD - sMinA * fM);
    const std::int32_t overSMax = static_cast<std::int32_t>(sMaxB * fD - sMaxA * fM);
    // Hue X / D against sector + rest / den: X - sector D decides outside
    // 0 .. D; inside, (X - sector D) den against rest D.
    const std::int32_t yMin = std::min(std::max(static_cast<std::int32_t>(fX - hMinK * fD), -1), D);
    const std::int32_t yMax = std::min(std::max(static_cast<std::int32_t>(fX - hMaxK * fD), -1), D);
    const std::int32_t overHMin =
        static_cast<std::int32_t>(static_cast<float>(yMin) * hMinQ - hMinR * fD);
    const std::int32_t overHMax =
        static_cast<std::int32_t>(static_cast<float>(yMax) * hMaxQ - hMaxR * fD);
    const std::int32_t sat = (overSMin >= 0) & (overSMax <= 0);
    const std::int32_t above = overHMin > 0, below = overHMax < 0;
    const std::int32_t hue = kWrapped ? (above | below) : (above & below);
    // Greys (S = 0, H = 0) were judged once for all.
    const std::int32_t judged = D == 0 ? grey : sat & hue;
    const std::int32_t onBound =
        (overSMin == 0) | (overSMax == 0) | (overHMin == 0) | (overHMax == 0) | slowAll;
    const std::int32_t slow = value & (D != 0) & onBound;
    anySlow |= slow;
    pass[i] = static_cast<std::uint32_t>((value & judged) | slow << 1);
  }
  return anySlow != 0;
}

// The widest vectors the processor has.
__attribute__((target_clones("arch=x86-64-v4", "avx2", "default"))) bool TestRun(
    const HsvWindowRows::Kernel& k, const raster::Pixel* __restrict px, int n,
    std::uint32_t* __restrict pass) {
  return k.wrapped ? TestLoop<true>(k, px, n, pass) : TestLoop<false>(k, px, n, pass);
}

// A bound from a colour is a whole number away from that colour's hue, or
// from 255 x its saturation: a fraction with a denominator of at most 255.
// Such fractions lie at least 1/65025 apart, far beyond the rounding of the
// bound, so a product within 1e-6 of a whole number finds it. den 0: none.
struct Fraction {
  std::int64_t num = 0, den = 0;
};
Fraction AsFraction(double bound) {
  if (!(std::abs(bound) <= 1000)) return {};
  for (int den = 1; den <= 255; ++den) {
    const double t = bound * den;
    const double whole = std::nearbyint(t);
    if (std::abs(t - whole) < 1e-6) return {static_cast<std::int64_t>(whole), den};
  }
  return {};
}

}  // namespace

HsvWindowRows::HsvWindowRows(const ToleranceWindow& w) : w_(w) {
  // V = M / 255 does not fall as M grows: the passing M are one run.
  for (int M = 0; M < 256; ++M) {
    const double v = 255 * (M / 255.0);  // as RgbToHsv and the test work it out
    if (!(w.Vmin <= v && v <= w.Vmax)) continue;
    if (k_.vLo > k_.vHi) k_.vLo = M;
    k_.vHi = M;
  }
  bool fractions = true;
  // 255 x S of a colour not grey lies in 0 < .. <= 255: a bound beyond that
  // is passed or failed by all of them alike.
  constexpr SatBound kUnderAll{0, 1}, kOverAll{1, 0};
  auto saturation = [&](double bound) -> SatBound {
    const Fraction f = AsFraction(bound);
    if (f.den == 0) fractions = false;
    return {static_cast<float>(f.num), static_cast<float>(255 * f.den)};
  };
  k_.sMin = w.Smin <= 0                          ? kUnderAll
            : w.Smin > 255 || std::isnan(w.Smin) ? kOverAll
                                                 : saturation(w.Smin);
  k_.sMax = w.Smax >= 255                      ? kOverAll
            : w.Smax < 0 || std::isnan(w.Smax) ? kUnderAll
                                               : saturation(w.Smax);
  // The hue / 60 as sector + rest / den.
  auto hue = [&](double bound) -> HueBound {
    const Fraction f = AsFraction(bound);
    if (f.den == 0) {
      fractions = false;
      return {0, 1, 0};
    }
    const std::int64_t den = 60 * f.den;
    std::int64_t sector = f.num / den;
    if (f.num - sector * den < 0) --sector;  // toward minus infinity
    return {static_cast<float>(sector), static_cast<float>(den),
            static_cast<float>(f.num - sector * den)};
  };
  k_.hMin = hue(w.Hmin);
  k_.hMax = hue(w.Hmax);
  k_.wrapped = w.Wrapped;
  k_.slowAll = !fractions;
  // S = 0 and H = 0.
  const bool greyHue = w.Wrapped ? (0 < w.Hmax || 0 > w.Hmin) : (w.Hmin < 0 && 0 < w.Hmax);
  k_.greyPasses = w.Smin <= 0 && 0 <= w.Smax && greyHue;
}

void HsvWindowRows::Test(const raster::Pixel* px, int n, std::uint32_t* pass) const {
  if (!TestRun(k_, px, n, pass)) return;
  for (int i = 0; i < n; ++i)
    if (pass[i] & 2) pass[i] = PassesHsvWindow(w_, raster::toColourRef(px[i])) ? 1 : 0;
}

}  // namespace tupalo::pixel
