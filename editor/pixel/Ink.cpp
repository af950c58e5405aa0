#include "editor/pixel/Ink.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "editor/pixel/HsvWindowRows.h"

namespace tupalo::pixel {

namespace {

using raster::kOpaque;
using raster::Region;
using raster::Span;
using raster::Surface;

constexpr Pixel kColourBits = 0x00FFFFFFu;

bool sameColour(Pixel a, Pixel b) { return ((a ^ b) & kColourBits) == 0; }

// Calls loop(row, y, x0, x1) for every span of the figure that lies on `s`.
template <class Loop>
void forSpans(Surface& s, const Region& figure, Loop loop) {
  const int w = s.width(), h = s.height();
  for (const Span& sp : figure.spans()) {
    if (sp.y >= h) break;  // spans come row by row
    const int x1 = std::min(sp.x1, w);
    if (sp.x0 < x1) loop(s.row(sp.y), sp.y, sp.x0, x1);
  }
}

void run(Surface& s, const Region& figure, const CopyInk& ink) {
  forSpans(s, figure,
           [&](Pixel* row, int, int x0, int x1) { std::fill(row + x0, row + x1, ink.colour); });
}

void run(Surface& s, const Region& figure, const XorInk& ink) {
  forSpans(s, figure, [&](Pixel* row, int, int x0, int x1) {
    for (int x = x0; x < x1; ++x) row[x] ^= ink.bits;
  });
}

// The choice is made for every pixel and stored back unconditionally, which
// lets the loops run on whole vectors.
void run(Surface& s, const Region& figure, const OverInk& ink) {
  forSpans(s, figure, [&](Pixel* row, int, int x0, int x1) {
    for (int x = x0; x < x1; ++x) row[x] = sameColour(row[x], ink.designated) ? ink.colour : row[x];
  });
}

void run(Surface& s, const Region& figure, const OutsideInk& ink) {
  forSpans(s, figure, [&](Pixel* row, int, int x0, int x1) {
    for (int x = x0; x < x1; ++x) row[x] = sameColour(row[x], ink.designated) ? row[x] : ink.colour;
  });
}

void run(Surface& s, const Region& figure, const SimilarInk& ink) {
  // The window test runs over a stretch of pixels at a time, then the rule
  // takes its answers.
  const HsvWindowRows similar(ink.window);
  constexpr int kStretch = 1024;
  std::array<std::uint32_t, kStretch> passes;
  const Pixel colour = ink.colour, designated = ink.designated;
  const bool exactCounts = ink.exactCounts, outside = ink.outside;
  forSpans(s, figure, [&](Pixel* row, int, int x0, int x1) {
    for (int a = x0; a < x1; a += kStretch) {
      Pixel* px = row + a;
      const int n = std::min(kStretch, x1 - a);
      similar.Test(px, n, passes.data());
      for (int i = 0; i < n; ++i) {
        const Pixel p = px[i];
        // A pixel that has the colour already is left as it is.
        const bool judged = (exactCounts && sameColour(p, designated)) || passes[i] != 0;
        px[i] = !sameColour(p, colour) && judged != outside ? colour : p;
      }
    }
  });
}

void run(Surface& s, const Region& figure, const BlendInk& ink) {
  // Every component value 0..255 mixes to a fixed result: one table per
  // component, worked out with the ink's own arithmetic.
  const double t = ink.weight;
  std::array<std::array<std::uint8_t, 256>, 3> mix;  // red, green, blue
  for (int c = 0; c < 3; ++c) {
    const double paint = static_cast<double>((ink.colour >> (8 * c)) & 0xFFu);
    for (int o = 0; o < 256; ++o) {
      const double v = std::nearbyint(o * t + paint * (1 - t));
      mix[c][o] = static_cast<std::uint8_t>(std::clamp(v, 0.0, 255.0));
    }
  }
  auto mixed = [&](Pixel old) {
    return kOpaque | Pixel{mix[0][(old >> 16) & 0xFFu]} << 16 |
           Pixel{mix[1][(old >> 8) & 0xFFu]} << 8 | Pixel{mix[2][old & 0xFFu]};
  };
  auto within = [](const Surface* other, int y, int& x1) {
    if (!other) return true;
    if (y >= other->height()) return false;
    x1 = std::min(x1, other->width());
    return true;
  };
  forSpans(s, figure, [&](Pixel* row, int y, int x0, int x1) {
    if (!within(ink.before, y, x1) || !within(ink.maskedBy, y, x1)) return;
    const Pixel* old = ink.before ? ink.before->row(y) : row;
    const Pixel* mask = ink.maskedBy ? ink.maskedBy->row(y) : nullptr;
    for (int x = x0; x < x1; ++x)
      if (!mask || sameColour(mask[x], ink.designated)) row[x] = mixed(old[x]);
  });
}

Pixel brighter(Pixel p, double factor) {
  double h, s, v;
  RgbToHsv((p >> 16) & 0xFFu, (p >> 8) & 0xFFu, p & 0xFFu, h, s, v);
  double r = 0, g = 0, b = 0;
  HsvToRgb(h, s, v * factor, r, g, b);
  auto byte = [](double c) { return static_cast<Pixel>(static_cast<int>(c * 255)); };
  return kOpaque | byte(r) << 16 | byte(g) << 8 | byte(b);
}

void run(Surface& s, const Region& figure, const BrightnessInk& ink) {
  // Neighbours often share a colour: the last one is remembered.
  Pixel lastIn = 0, lastOut = 0;
  bool any = false;
  forSpans(s, figure, [&](Pixel* row, int, int x0, int x1) {
    for (int x = x0; x < x1; ++x) {
      if (!any || row[x] != lastIn) {
        lastIn = row[x];
        lastOut = brighter(lastIn, ink.factor);
        any = true;
      }
      row[x] = lastOut;
    }
  });
}

}  // namespace

void Composite(Surface& s, const Region& figure, const Ink& ink) {
  std::visit([&](const auto& k) { run(s, figure, k); }, ink);
}

}  // namespace tupalo::pixel
