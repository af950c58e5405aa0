#pragma once
// The chroma-key merge without its window: where the second picture lies over
// the edited one, and the per-pixel rule that lets one picture show through the
// key-coloured pixels of the other. Colours are compared on their 24 colour
// bits only.

#include <functional>

#include "platform/raster/Surface.h"

namespace tupalo {

// The four placements of the second picture, as the merge window offers them.
enum class MergePlacement {
  FitHeight,  // scaled so that its height covers the edited picture's height
  FitWidth,   // scaled so that its width covers the edited picture's width
  TopLeft,    // 1:1 at the top-left
  Tiled,      // 1:1 from the top-left, repeated; the edited picture stays on top
};

// Second-picture pixels per edited-picture pixel for a placement: bh / H,
// bw / W, or 1.
double MergeStep(MergePlacement p, int width, int height, int secondWidth, int secondHeight);

// Merges `second` into `dst`, sampled with step k: dst pixel (x, y) meets the
// second picture at (k x, k y), rounded half to even and kept inside it.
//   edited on top: a dst pixel of the key colour takes the second picture's
//     pixel (tiled: at the coordinates modulo its size; otherwise only where
//     k x and k y fall inside it);
//   edited below: where k x and k y fall inside the second picture, its pixel
//     replaces the dst pixel unless it has the key colour.
// Tiled placement always keeps the edited picture on top. `progress`, when
// given, hears (done, total) rows now and then.
void MergeInto(raster::Surface& dst, const raster::Surface& second, double k, bool tiled,
               bool editedOnTop, raster::ColourRef key,
               const std::function<void(int done, int total)>& progress = {});

}  // namespace tupalo
