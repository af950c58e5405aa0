#include "editor/pixel/ColourModel.h"

#include <cmath>

namespace tupalo {

void RgbToHsv(double R, double G, double B, double& H, double& S, double& V) {
  const double r = R / 255.0, g = G / 255.0, b = B / 255.0;
  double mx = r;
  if (r < g) mx = g;
  if (b > mx) mx = b;
  double mn = r;
  if (r > g) mn = g;
  if (b < mn) mn = b;
  V = mx;
  const double delta = mx - mn;
  S = mx == 0 ? 0 : delta / mx;
  if (S == 0) {
    S = 0;
    H = 0;
    return;
  }
  if (r == mx)
    H = (g - b) / delta;
  else if (g == mx)
    H = 2 + (b - r) / delta;
  else
    H = 4 + (r - g) / delta;
  H *= 60;
  if (H < 0) H += 360;
}

void HsvToRgb(double H, double S, double V, double& R, double& G, double& B) {
  if (S < 0) S = 0;
  if (S > 1) S = 1;
  if (V < 0) V = 0;
  if (V > 1) V = 1;
  // Out of reach of any sector; converting it to a sector would be undefined.
  if (!std::isfinite(H)) return;
  // Mod works on whole numbers: the hue is rounded half to even first, and
  // the remainder keeps the sign of the dividend.
  const double whole = std::nearbyint(H);
  const double h = std::fmod(whole, 360.0) / 60.0;
  const int i = static_cast<int>(h);  // truncated toward zero
  const double f = h - i;
  const double p = V * (1 - S);
  const double q = V * (1 - S * f);
  const double t = V * (1 - S * (1 - f));
  switch (i) {
    case 0:
      R = V;
      G = t;
      B = p;
      break;
    case 1:
      R = q;
      G = V;
      B = p;
      break;
    case 2:
      R = p;
      G = V;
      B = t;
      break;
    case 3:
      R = p;
      G = q;
      B = V;
      break;
    case 4:
      R = t;
      G = p;
      B = V;
      break;
    case 5:
      R = V;
      G = p;
      B = q;
      break;
    default:
      break;  // outputs unchanged
  }
}

ToleranceWindow PrepareToleranceWindow(raster::ColourRef designated, int fuzh, int fuzs, int fuzv) {
  double h0, s0, v0;
  RgbToHsv(designated & 0xFF, (designated >> 8) & 0xFF, (designated >> 16) & 0xFF, h0, s0, v0);
  ToleranceWindow w;
  w.Smax = 255 * s0 + fuzs;
  w.Smin = 255 * s0 - fuzs;
  w.Vmax = 255 * v0 + fuzv;
  w.Vmin = 255 * v0 - fuzv;
  w.Hmax = h0 + fuzh;
  w.Hmin = h0 - fuzh;
  if (w.Hmax > 360) {
    w.Wrapped = true;
    w.Hmax -= 360;
  }
  if (w.Hmin < 0) {
    w.Wrapped = true;
    w.Hmin += 360;
  }
  return w;
}

bool PassesHsvWindow(const ToleranceWindow& w, raster::ColourRef c) {
  double h, s, v;
  RgbToHsv(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF, h, s, v);
  const double s255 = 255 * s, v255 = 255 * v;
  if (!(w.Smin <= s255 && s255 <= w.Smax && w.Vmin <= v255 && v255 <= w.Vmax)) return false;
  if (!w.Wrapped) return w.Hmin < h && h < w.Hmax;
  return h < w.Hmax || h > w.Hmin;
}

}  // namespace tupalo
