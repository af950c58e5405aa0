#pragma once
// The editor's one idea of colour: colour values, the HSV form (hexcone
// model) and the similar-colour test driven by the hue, saturation and value
// tolerances.

#include <array>
#include <cstdint>

#include "platform/raster/Surface.h"

namespace tupalo {

// R, G, B are 0..255; H is in degrees 0 <= H < 360, S and V are 0..1.
void RgbToHsv(double R, double G, double B, double& H, double& S, double& V);

// S and V are clamped to 0..1; the hue is used in whole degrees (rounded half
// to even, then taken modulo 360 keeping the sign). For hues 0..359 R, G, B
// come out 0..1. Callers never pass negative hues: -59..-1 would land in the
// red sector with a negative fraction, and a hue below that, or one that is
// not a number, leaves R, G, B unchanged.
void HsvToRgb(double H, double S, double V, double& R, double& G, double& B);

// The tolerance window around the designated colour, prepared once per
// operation. Saturation and value bounds are on the 0..255 scale, inclusive;
// hue bounds are in degrees, strict.
struct ToleranceWindow {
  double Hmin = 0, Hmax = 0;
  double Smin = 0, Smax = 0;
  double Vmin = 0, Vmax = 0;
  bool Wrapped = false;
};

ToleranceWindow PrepareToleranceWindow(raster::ColourRef designated, int fuzh, int fuzs, int fuzv);

// The HSV window test of one colour value.
bool PassesHsvWindow(const ToleranceWindow& w, raster::ColourRef c);

// The window test for a whole area, pixel after pixel: it remembers the last
// colour and a small table of recent ones, so runs of one colour and flat art
// cost a comparison instead of an HSV conversion. Answers exactly as
// PassesHsvWindow.
class HsvWindowTester {
 public:
  explicit HsvWindowTester(const ToleranceWindow& w) : w_(w) { keys_.fill(kNoColour); }

  bool operator()(raster::ColourRef c) {
    if (c == lastKey_) return lastValue_;
    // Fibonacci hashing spreads neighbouring colours over the table.
    const std::uint32_t slot = (c * 2654435769u) >> (32 - kBits);
    if (keys_[slot] != c) {
      keys_[slot] = c;
      values_[slot] = PassesHsvWindow(w_, c);
    }
    lastKey_ = c;
    lastValue_ = values_[slot];
    return lastValue_;
  }

 private:
  static constexpr int kBits = 12;
  // Not a colour value (top byte set) and not the invalid colour either.
  static constexpr raster::ColourRef kNoColour = 0x01000000u;
  ToleranceWindow w_;
  std::array<raster::ColourRef, 1u << kBits> keys_;
  std::array<bool, 1u << kBits> values_{};
  raster::ColourRef lastKey_ = kNoColour;
  bool lastValue_ = false;
};

// The similar-colour test: with exactCounts, a colour equal to maskColor is
// similar by itself (Fuzzy Change Color); otherwise only the window decides.
inline bool IsSimilarColor(raster::ColourRef c, const ToleranceWindow& w,
                           raster::ColourRef maskColor, bool exactCounts) {
  return (exactCounts && c == maskColor) || PassesHsvWindow(w, c);
}

}  // namespace tupalo
