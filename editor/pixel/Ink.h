#pragma once
// Inks: what a canvas pixel touched by a pen becomes. Every pen is a figure
// (a region: the pixels it touches, each once) and an ink. Composite makes one
// choice per figure and then runs that ink's own loop over the raw rows of
// each span, so no pixel costs a call. A new ink is one small struct here and
// one loop in Ink.cpp.
//
// Colours compare by their colour bits; every pixel written is opaque.

#include <variant>

#include "editor/pixel/ColourModel.h"
#include "platform/raster/Region.h"
#include "platform/raster/Surface.h"

namespace tupalo::pixel {

using raster::ColourRef;
using raster::Pixel;

// The pixel takes the colour: final shapes and plain pens.
struct CopyInk {
  explicit CopyInk(ColourRef colour) : colour(raster::toPixel(colour)) {}
  Pixel colour;
};

// The colour bits are XORed with the colour, so the same figure drawn twice
// leaves no trace: rubber bands (white) and the inverted box.
struct XorInk {
  explicit XorInk(ColourRef colour) : bits(raster::toPixel(colour) & 0x00FFFFFFu) {}
  Pixel bits;
};

// Only pixels of the designated colour take the colour: the mask pen, the
// colour change and the mask spray.
struct OverInk {
  OverInk(ColourRef colour, ColourRef designated)
      : colour(raster::toPixel(colour)), designated(raster::toPixel(designated)) {}
  Pixel colour, designated;
};

// Only pixels other than the designated colour take the colour: the reverse
// mask pen and the reverse colour change.
struct OutsideInk {
  OutsideInk(ColourRef colour, ColourRef designated)
      : colour(raster::toPixel(colour)), designated(raster::toPixel(designated)) {}
  Pixel colour, designated;
};

// Pixels judged by the HSV tolerance window around the designated colour. A
// pixel that has the colour already is left alone without a test. Otherwise a
// pixel that passes the window takes the colour (the fuzzy mask pen); with
// exactCounts the designated colour itself passes as well (the fuzzy colour
// change); with outside the pixels that fail take it instead (the reverse
// fuzzy colour change).
struct SimilarInk {
  SimilarInk(ColourRef colour, ColourRef designated, const ToleranceWindow& window,
             bool exactCounts = false, bool outside = false)
      : colour(raster::toPixel(colour)),
        designated(raster::toPixel(designated)),
        window(window),
        exactCounts(exactCounts),
        outside(outside) {}
  Pixel colour, designated;
  ToleranceWindow window;
  bool exactCounts, outside;
};

// A picture-scale surface under the canvas: canvas pixel (x, y) lies over
// its pixel (x0 + x / zoom, y0 + y / zoom). The default is the same point.
struct Backdrop {
  const raster::Surface* surface = nullptr;
  int x0 = 0, y0 = 0, zoom = 1;
};

// Translucent colour: each component becomes old x weight + colour x
// (1 - weight), rounded half to even and kept within 0..255. The weight is the
// share of the old colour that survives, held in single precision as the
// pens' weight tables hold it; the mix is worked out in double from it.
//
// The old colour is the pixel's own (airbrushes), or with `before` the pixel
// of that surface under it (the thru pen mixes with the picture as the stroke
// found it). With `maskedBy`, only pixels over the designated colour of that
// surface are mixed (the mask airbrush judges the mask on the picture, not on
// what the stroke has sprayed). Pixels beyond either surface stay as they are.
struct BlendInk {
  BlendInk(ColourRef colour, float weight, const raster::Surface* before = nullptr)
      : colour(colour), weight(weight), before{before} {}
  BlendInk& From(const Backdrop& surface) {
    before = surface;
    return *this;
  }
  BlendInk& MaskedBy(const raster::Surface& surface, ColourRef designated) {
    return MaskedBy(Backdrop{&surface}, designated);
  }
  BlendInk& MaskedBy(const Backdrop& surface, ColourRef designated) {
    maskedBy = surface;
    this->designated = raster::toPixel(designated);
    return *this;
  }
  ColourRef colour;
  float weight;
  Backdrop before;
  Backdrop maskedBy;
  Pixel designated = 0;
};

// Brightness: the value V of each pixel's HSV form is scaled by the setting's
// percentage (none or less gives black), and each component of the result is
// 255 x HsvToRgb truncated. The hue goes through in whole degrees, so even
// 100 % can move a colour by one step.
struct BrightnessInk {
  explicit BrightnessInk(int percent) : factor(percent > 0 ? percent / 100.0 : 0.0) {}
  double factor;
};

using Ink = std::variant<CopyInk, XorInk, OverInk, OutsideInk, SimilarInk, BlendInk, BrightnessInk>;

// Composites every pixel of `figure` on `s` with `ink`, each once. The figure's
// area is that of `s`; spans beyond `s` are cut off.
void Composite(raster::Surface& s, const raster::Region& figure, const Ink& ink);

}  // namespace tupalo::pixel
