#include "editor/pixel/PenTables.h"

#include <algorithm>
#include <cmath>

namespace tupalo::pixel {

namespace {

int clampPen(int pen) { return std::clamp(pen, 1, PenWeights::kSize - 1); }

// Four times the squared distance of pixel (x, y)'s centre from the centre
// (pen / 2, pen / 2) of the square: whole numbers, so the circle's edge is
// exact.
int distance4(int x, int y, int pen) {
  const int dx = 2 * x + 1 - pen, dy = 2 * y + 1 - pen;
  return dx * dx + dy * dy;
}

void set(PenWeights& t, int x, int y, float w) {
  t.weight[static_cast<std::size_t>(y * PenWeights::kSize + x)] = w;
}

}  // namespace

PenWeights BuildThruTable(int pen, int depth) {
  PenWeights t;
  t.pen = clampPen(pen);
  depth = std::clamp(depth, 0, 100);
  if (depth == 0) return t;  // the circle is black: nothing is painted
  const float w = static_cast<float>(depth / 100.0);
  for (int y = 0; y < t.pen; ++y)
    for (int x = 0; x < t.pen; ++x)
      if (distance4(x, y, t.pen) <= t.pen * t.pen) set(t, x, y, w);
  return t;
}

PenWeights BuildAirTable(int pen) {
  PenWeights t;
  t.pen = clampPen(pen);
  const float step = static_cast<float>(100 / (t.pen / 2.0));
  const int outer = static_cast<int>(std::nearbyint(t.pen / 2.0));
  for (int y = 0; y < t.pen; ++y)
    for (int x = 0; x < t.pen; ++x) {
      const int d4 = distance4(x, y, t.pen);
      int r = 1;
      while (r <= outer && d4 > 4 * r * r) ++r;
      if (r > outer) continue;
      const float level = std::max(100.0f - static_cast<float>(r) * step, 0.0f);
      const int grey = static_cast<int>(std::nearbyint(level));
      // Black (level 0) is no part of the brush, and neither is level 100.
      if (grey > 0 && grey < 100) set(t, x, y, static_cast<float>((100 - grey) / 100.0));
    }
  return t;
}

std::vector<WeightRing> RingsOf(const PenWeights& t) {
  std::vector<WeightRing> rings;
  for (int y = 0; y < t.pen; ++y)
    for (int x = 0; x < t.pen;) {
      const float w = t.at(x, y);
      int end = x + 1;
      while (end < t.pen && t.at(end, y) == w) ++end;
      if (w != 0) {
        auto ring = std::find_if(rings.begin(), rings.end(),
                                 [w](const WeightRing& r) { return r.weight == w; });
        if (ring == rings.end()) ring = rings.insert(rings.end(), WeightRing{w, {}});
        ring->spans.push_back({y, x, end});
      }
      x = end;
    }
  return rings;
}

}  // namespace tupalo::pixel
