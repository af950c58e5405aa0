#pragma once
// The weight tables of the round pens, the Thru Pen and the airbrushes: one
// single-precision weight per picture pixel of the pen square, the share of
// the old colour that survives one application. 0 leaves the pixel alone.
//
// A pixel lies inside a circle of radius r about the square's centre when its
// own centre does (the edge counts). A circle of radius 0 holds no pixel.

#include <array>
#include <vector>

#include "platform/raster/Region.h"

namespace tupalo::pixel {

struct PenWeights {
  static constexpr int kSize = 37;  // pens up to 36
  int pen = 0;                      // the square is pen x pen
  std::array<float, kSize * kSize> weight{};

  float at(int x, int y) const { return weight[static_cast<std::size_t>(y * kSize + x)]; }
};

// depth / 100 (depth 0..100, the THPD setting) inside the circle that fills
// the square, 0 outside it.
PenWeights BuildThruTable(int pen, int depth);

// Rings about the centre, from radius round(pen / 2) in to radius 1, each
// weaker than the one inside it by 100 / (pen / 2) levels of 100; a pixel
// takes the ring of the smallest circle that holds it. The ring at level 0
// and everything beyond the rings stay 0.
PenWeights BuildAirTable(int pen);

// The pixels of one weight, as spans relative to the square's top-left pixel.
struct WeightRing {
  float weight = 0;
  std::vector<raster::Span> spans;
};
// The pixels of a table with weights other than 0, one ring per weight.
std::vector<WeightRing> RingsOf(const PenWeights& t);

}  // namespace tupalo::pixel
