#pragma once
// The arithmetic of the colour window, apart from its widgets: the steps of
// the button grid, the conversions between the R, G, B and the H, S, V bars,
// the length of the R, G, B indicator bars and the letter colour of the
// dictionary's colour boxes.

#include "editor/core/Editor.h"

namespace tupalo::colwin {

// The platform's 16 basic colours (0 black ... 9 light blue, 10 light green,
// 11 light cyan, 12 light red ... 15 white).
Rgb BasicColour(int n);

inline constexpr int kRainColumns = 7;

// Each component to 0..255.
Rgb Clamped(Rgb c);

// The colour the top button of a grid column sets.
Rgb RainColour(int column);

// A grid step on c: a positive amount is added to the column's own
// components, a negative one taken from its complement (from all three in
// the white column). Not clamped: ApplyCurrentColor does that.
Rgb RainStep(Rgb c, int column, int amount);

// Bar values for a colour: H in degrees, S and V scaled to 255, each rounded
// half to even.
struct HsvBars {
  int h = 0, s = 0, v = 0;
  friend bool operator==(const HsvBars&, const HsvBars&) = default;
};
HsvBars HsvBarsOf(Rgb c);

// The colour of the H, S, V bar values, components rounded half to even.
Rgb RgbOfHsvBars(int h, int s, int v);

// Length of an indicator bar of full length `width` for a component 0..255.
int RgbBarLength(int width, int component);

// White letters on a dark dictionary colour (255 x V below 70), else black.
bool WantsWhiteLetters(Rgb c);

// A bar's value as the labels show it: a leading blank for non-negative numbers.
QString ValueText(int v);

}  // namespace tupalo::colwin
