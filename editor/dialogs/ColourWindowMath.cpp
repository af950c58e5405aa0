#include "editor/dialogs/ColourWindowMath.h"

#include <QString>
#include <algorithm>
#include <cmath>

#include "editor/pixel/ColourModel.h"

namespace tupalo::colwin {

namespace {

// Which components a column adds to (plus) and takes from (minus).
struct Column {
  Rgb colour;
  bool plus[3];
  bool minus[3];
};
constexpr Column kColumns[kRainColumns] = {
    {{0, 0, 255}, {false, false, true}, {true, true, false}},
    {{255, 0, 0}, {true, false, false}, {false, true, true}},
    {{255, 0, 255}, {true, false, true}, {false, true, false}},
    {{0, 255, 0}, {false, true, false}, {true, false, true}},
    {{0, 255, 255}, {false, true, true}, {true, false, false}},
    {{255, 255, 0}, {true, true, false}, {false, false, true}},
    {{255, 255, 255}, {true, true, true}, {true, true, true}},
};

int roundHalfEven(double v) { return static_cast<int>(std::nearbyint(v)); }

}  // namespace

Rgb BasicColour(int n) {
  static constexpr Rgb kBasic[16] = {
      {0, 0, 0},     {0, 0, 128},     {0, 128, 0},     {0, 128, 128},  {128, 0, 0}, {128, 0, 128},
      {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255},    {0, 255, 0}, {0, 255, 255},
      {255, 0, 0},   {255, 0, 255},   {255, 255, 0},   {255, 255, 255}};
  return kBasic[std::clamp(n, 0, 15)];
}

Rgb Clamped(Rgb c) {
  return {std::clamp(c.r, 0, 255), std::clamp(c.g, 0, 255), std::clamp(c.b, 0, 255)};
}

Rgb RainColour(int column) { return kColumns[std::clamp(column, 0, kRainColumns - 1)].colour; }

Rgb RainStep(Rgb c, int column, int amount) {
  const Column& k = kColumns[std::clamp(column, 0, kRainColumns - 1)];
  const bool* which = amount >= 0 ? k.plus : k.minus;
  int32_t* parts[3] = {&c.r, &c.g, &c.b};
  for (int i = 0; i < 3; ++i)
    if (which[i]) *parts[i] += amount;
  return c;
}

HsvBars HsvBarsOf(Rgb c) {
  double h = 0, s = 0, v = 0;
  RgbToHsv(c.r, c.g, c.b, h, s, v);
  return {roundHalfEven(h), roundHalfEven(s * 255), roundHalfEven(v * 255)};
}

Rgb RgbOfHsvBars(int h, int s, int v) {
  double r = 0, g = 0, b = 0;
  HsvToRgb(h, s / 255.0, v / 255.0, r, g, b);
  return {roundHalfEven(r * 255), roundHalfEven(g * 255), roundHalfEven(b * 255)};
}

int RgbBarLength(int width, int component) {
  return roundHalfEven(double(width) * std::clamp(component, 0, 255) / 255.0);
}

bool WantsWhiteLetters(Rgb c) {
  double h = 0, s = 0, v = 0;
  RgbToHsv(c.r, c.g, c.b, h, s, v);
  return 255 * v < 70;
}

QString ValueText(int v) {
  return v < 0 ? QString::number(v) : QStringLiteral(" ") + QString::number(v);
}

}  // namespace tupalo::colwin
