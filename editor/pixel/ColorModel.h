#pragma once
// The editor's one idea of colour: colour values, the HSV form (hexcone
// model) and the similar-colour test driven by the hue, saturation and value
// tolerances.

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

ToleranceWindow PrepareToleranceWindow(raster::ColorRef designated, int fuzh, int fuzs, int fuzv);

// The HSV window test of one colour value.
bool PassesHsvWindow(const ToleranceWindow& w, raster::ColorRef c);

// The similar-colour test: with exactCounts, a colour equal to maskColor is
// similar by itself (Fuzzy Change Color); otherwise only the window decides.
inline bool IsSimilarColor(raster::ColorRef c, const ToleranceWindow& w, raster::ColorRef maskColor,
                           bool exactCounts) {
  return (exactCounts && c == maskColor) || PassesHsvWindow(w, c);
}

}  // namespace tupalo
