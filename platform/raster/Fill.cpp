// Border and surface flood fills: 4-connected scanline fills with a stack of
// row ranges still to look at. Each run of the region is painted as soon as it
// is found, so where the fill colour is not inside the region the painted
// pixels themselves mark what is done: no mark buffer, no list of spans.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/raster/Raster.h"

namespace raster {

namespace {

constexpr Pixel kColourBits = 0x00FFFFFFu;

// One bit per pixel for the pixels already painted, where painting leaves a
// pixel inside the region. Kept between calls, so a fill does not fault in a
// fresh buffer each time; every fill clears the rows it marked.
class Marks {
 public:
  Marks(int width, int height) : words_((static_cast<std::size_t>(width) + 63) / 64) {
    std::vector<std::uint64_t>& b = buffer();
    const std::size_t size = words_ * static_cast<std::size_t>(height);
    if (b.size() < size) b.resize(size, 0);
    bits_ = b.data();
  }
  ~Marks() {
    if (top_ <= bottom_)
      std::fill(row(top_), row(bottom_) + words_, std::uint64_t{0});  // the rows marked
  }
  Marks(const Marks&) = delete;
  Marks& operator=(const Marks&) = delete;

  bool test(int y, int x) const { return (row(y)[x >> 6] >> (x & 63)) & 1; }
  void set(int y, int x0, int x1) {  // x0 .. x1 inclusive
    top_ = std::min(top_, y);
    bottom_ = std::max(bottom_, y);
    std::uint64_t* r = row(y);
    const int w0 = x0 >> 6, w1 = x1 >> 6;
    const std::uint64_t head = ~std::uint64_t{0} << (x0 & 63);
    const std::uint64_t tail = ~std::uint64_t{0} >> (63 - (x1 & 63));
    if (w0 == w1) {
      r[w0] |= head & tail;
      return;
    }
    r[w0] |= head;
    std::fill(r + w0 + 1, r + w1, ~std::uint64_t{0});
    r[w1] |= tail;
  }

 private:
  static std::vector<std::uint64_t>& buffer() {
    thread_local std::vector<std::uint64_t> b;
    return b;
  }
  std::uint64_t* row(int y) const { return bits_ + static_cast<std::size_t>(y) * words_; }

  std::size_t words_;
  std::uint64_t* bits_;
  int top_ = 1 << 30, bottom_ = -1;
};

// Row y is to be looked at within [x0, x1]; row y - dir, the row it was
// reached from, is painted over [x0, x1].
struct Pending {
  int y, x0, x1, dir;
};

// Paints the 4-connected region of `inside` pixels around the inside pixel
// (x, y) with `fill`. Reenter: the fill colour is inside, so painted pixels
// of that colour are told apart by marks.
template <bool Reenter, class Inside>
void scanFill(Surface& s, int x, int y, Pixel fill, Inside inside) {
  const int W = s.width(), H = s.height();
  const Pixel fillBits = fill & kColourBits;
  std::optional<Marks> marks;
  if constexpr (Reenter) marks.emplace(W, H);
  auto take = [&](const Pixel* row, int py, int px) {
    const Pixel p = row[px];
    if (!inside(p)) return false;
    if constexpr (Reenter) return (p & kColourBits) != fillBits || !marks->test(py, px);
    return true;
  };
  auto paint = [&](Pixel* row, int py, int l, int r) {
    std::fill(row + l, row + r + 1, fill);
    if constexpr (Reenter) marks->set(py, l, r);
  };

  std::vector<Pending> pending;
  auto push = [&](int py, int x0, int x1, int dir) {
    if (py >= 0 && py < H) pending.push_back({py, x0, x1, dir});
  };
  // Paints the run from l to its right end and queues the rows around it:
  // the row ahead over the whole run, the row behind only where the run
  // reaches past the range [x0, x1] it was reached from. Returns the run's
  // right end.
  auto paintRun = [&](Pixel* row, int py, int l, int x0, int x1, int dir) {
    int r = l;
    while (r + 1 < W && take(row, py, r + 1)) ++r;
    paint(row, py, l, r);
    push(py + dir, l, r, dir);
    if (l < x0) push(py - dir, l, x0 - 1, -dir);
    if (r > x1) push(py - dir, x1 + 1, r, -dir);
    return r;
  };

  {
    // The seed's run: both rows around it are looked at in full.
    Pixel* row = s.row(y);
    int l = x, r = x;
    while (l > 0 && take(row, y, l - 1)) --l;
    while (r + 1 < W && take(row, y, r + 1)) ++r;
    paint(row, y, l, r);
    push(y + 1, l, r, 1);
    push(y - 1, l, r, -1);
  }
  while (!pending.empty()) {
    const Pending p = pending.back();
    pending.pop_back();
    Pixel* row = s.row(p.y);
    int xx = p.x0;
    if (take(row, p.y, xx)) {
      // Only a run that covers x0 can reach left of the range.
      int l = xx;
      while (l > 0 && take(row, p.y, l - 1)) --l;
      xx = paintRun(row, p.y, l, p.x0, p.x1, p.dir) + 2;  // r + 1 is not inside
    }
    while (xx <= p.x1) {
      if (take(row, p.y, xx)) {
        xx = paintRun(row, p.y, xx, p.x0, p.x1, p.dir) + 2;
      } else {
        ++xx;
      }
    }
  }
}

template <class Inside>
void fillRegion(Surface& s, int x, int y, Pixel fill, Inside inside) {
  if (!s.contains(x, y) || !inside(s.pixel(x, y))) return;
  if (inside(fill)) {
    scanFill<true>(s, x, y, fill, inside);
  } else {
    scanFill<false>(s, x, y, fill, inside);
  }
}

}  // namespace

void FloodFill(Surface& s, int x, int y, ColourRef border, const Brush& brush) {
  ExtFloodFill(s, x, y, border, FLOODFILLBORDER, brush);
}

void ExtFloodFill(Surface& s, int x, int y, ColourRef c, FloodFillType type, const Brush& brush) {
  // A hollow brush paints nothing, so the region need not be found.
  if (!brush.solid) return;
  // Compare colour bits only; a value that is no colour (CLR_INVALID) matches
  // no pixel.
  const bool valid = (c & 0xFF000000u) == 0;
  const Pixel target = toPixel(c) & kColourBits;
  const Pixel fill = toPixel(brush.color);
  if (type == FLOODFILLBORDER) {
    if (!valid) {
      // No pixel is the border: the region is the whole surface.
      if (s.contains(x, y)) s.fill(fill);
      return;
    }
    fillRegion(s, x, y, fill, [=](Pixel p) { return (p & kColourBits) != target; });
  } else {
    if (!valid) return;
    fillRegion(s, x, y, fill, [=](Pixel p) { return (p & kColourBits) == target; });
  }
}

}  // namespace raster
