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

// The mix of one colour at one weight. It remembers the last pixel it mixed:
// neighbours, and the blocks of a zoomed canvas, often share their colour.
class Mixer {
 public:
  Mixer(ColourRef colour, float weight) : t_(weight) {
    for (int c = 0; c < 3; ++c)
      paint_[c] = static_cast<double>((colour >> (8 * c)) & 0xFFu) * (1 - t_);
  }
  Pixel operator()(Pixel old) {
    if (old == lastIn_ && known_) return lastOut_;
    Pixel out = kOpaque;
    for (int c = 0; c < 3; ++c) {
      const int shift = 16 - 8 * c;  // red, green, blue within the pixel
      const double o = static_cast<double>((old >> shift) & 0xFFu);
      const double v = std::clamp(std::nearbyint(o * t_ + paint_[c]), 0.0, 255.0);
      out |= static_cast<Pixel>(v) << shift;
    }
    known_ = true;
    lastIn_ = old;
    lastOut_ = out;
    return out;
  }

 private:
  double t_;
  std::array<double, 3> paint_;  // the colour's share of red, green, blue
  bool known_ = false;
  Pixel lastIn_ = 0, lastOut_ = 0;
};

// Canvas columns x0 .. x1 - 1 of row y, cut to those that lie over `b`;
// false when none does.
bool over(const Backdrop& b, int y, int& x0, int& x1) {
  if (!b.surface) return true;
  const int z = std::max(b.zoom, 1);
  const int by = b.y0 + y / z;
  if (by < 0 || by >= b.surface->height()) return false;
  x0 = static_cast<int>(std::max<std::int64_t>(x0, std::int64_t{-b.x0} * z));
  x1 = static_cast<int>(std::min<std::int64_t>(x1, (std::int64_t{b.surface->width()} - b.x0) * z));
  return x0 < x1;
}

// Walks the pixels under canvas pixels x, x + 1, ... of one row: those of a
// backdrop, or those of the canvas row itself.
class Under {
 public:
  explicit Under(const Pixel* row) : p_(row) {}
  Under(const Backdrop& b, int y, int x) {
    z_ = std::max(b.zoom, 1);
    p_ = b.surface->row(b.y0 + y / z_) + b.x0 + x / z_;
    k_ = x % z_;
  }
  Pixel operator*() const { return *p_; }
  void next() {
    if (++k_ == z_) {
      k_ = 0;
      ++p_;
    }
  }

 private:
  const Pixel* p_;
  int z_ = 1, k_ = 0;
};

void run(Surface& s, const Region& figure, const BlendInk& ink) {
  Mixer mix(ink.colour, ink.weight);
  forSpans(s, figure, [&](Pixel* row, int y, int x0, int x1) {
    if (!over(ink.before, y, x0, x1) || !over(ink.maskedBy, y, x0, x1)) return;
    Under old = ink.before.surface ? Under(ink.before, y, x0) : Under(row + x0);
    if (!ink.maskedBy.surface) {
      for (int x = x0; x < x1; ++x, old.next()) row[x] = mix(*old);
      return;
    }
    Under mask(ink.maskedBy, y, x0);
    for (int x = x0; x < x1; ++x, old.next(), mask.next())
      if (sameColour(*mask, ink.designated)) row[x] = mix(*old);
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
