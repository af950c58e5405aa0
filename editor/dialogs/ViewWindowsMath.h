#pragma once
// The arithmetic of the overview and the magnifier, without windows: the
// overview's fit and nearest-pixel scaling (whole or one changed rectangle),
// where a click in it puts the view, keeping a stored place on the screen, and
// the magnifier's enlarged grid picture.

#include <optional>
#include <vector>

#include "editor/core/Editor.h"
#include "platform/raster/Surface.h"

namespace tupalo {

// ---- overview ----

// How the picture fits the overview's inside: picture pixels per overview
// pixel (the larger of the two axes' ratios) and the size of the picture shown.
struct OverviewFit {
  double scale = 1.0;
  int width = 1;
  int height = 1;
};

// Nothing fits an empty inside (a minimised or collapsed window).
std::optional<OverviewFit> FitOverview(int picWidth, int picHeight, int innerWidth,
                                       int innerHeight);

// The picture pixel each of `viewExtent` overview pixels shows along one axis,
// exactly as a colour-on-colour stretch of the whole extent picks it: when
// enlarging, the pixel under the centre; when reducing, the first pixel of
// each group.
std::vector<int> OverviewAxis(int picExtent, int viewExtent);

// The overview's picture, kept at one scale: built whole, then brought up to
// date one changed rectangle at a time. Each overview pixel depends on one
// picture pixel only, so a partial update gives the very pixels of a whole
// rescale.
class OverviewScaler {
 public:
  // Sizes `view` for this picture and fit; true when the scale changed (the
  // whole picture must be drawn again).
  bool Prepare(int picWidth, int picHeight, int viewWidth, int viewHeight);
  void DrawAll(const raster::Surface& pic, raster::Surface& view) const;
  // Redraws the overview pixels that show picture pixels in left..right,
  // top..bottom (inclusive, clipped to the picture).
  void DrawRect(const raster::Surface& pic, raster::Surface& view, int left, int top, int right,
                int bottom) const;
  bool ready() const { return !xs_.empty() && !ys_.empty(); }
  // Prepared for this picture's size and this view's size.
  bool fits(const raster::Surface& pic, const raster::Surface& view) const {
    return ready() && pic.width() == pw_ && pic.height() == ph_ &&
           view.width() == int(xs_.size()) && view.height() == int(ys_.size());
  }

 private:
  int pw_ = 0, ph_ = 0;
  std::vector<int> xs_, ys_;  // picture column of each overview column, row of each row
};

// The view origin a click at (x, y) in the overview asks for: the clicked
// picture point in the middle of a view of `visible` picture pixels, kept
// inside the picture.
Pair OverviewClickOrigin(double scale, int x, int y, Pair visible, Pair picSize);

// A stored window place (twips) pulled back onto a screen of `screen` twips
// along one axis: past the far edge it ends at the edge, before the near edge
// it starts at 0.
int32_t KeepPlaceOnScreen(int32_t position, int32_t size, int32_t screen);

// ---- magnifier ----

inline constexpr int kLupeCells = 24;                       // canvas pixels across the magnifier
inline constexpr int kLupeZoom = 5;                         // each shown as a 5 x 5 block
inline constexpr int kLupeSize = 120;                       // kLupeCells * kLupeZoom
inline constexpr int kLupePointerCell = 10;                 // the cell of the pointer's pixel
inline constexpr raster::Pixel kLupeOutside = 0xFFC0C0C0u;  // beyond the canvas: light grey
inline constexpr raster::Pixel kLupeBox = 0xFFFF0000u;      // outline of the pointer's cell

// White 4 x 4 cells between one-pixel black lines every 5 pixels.
void BuildLupeMask(raster::Surface& mask);

// The magnifier's picture for the canvas point (x, y): the canvas pixels
// around it (light grey beyond the canvas) ANDed as 5 x 5 blocks onto the
// grid mask, and the pointer's cell outlined. `tmp` is scratch.
void RenderLupe(const raster::Surface& canvas, int x, int y, const raster::Surface& mask,
                raster::Surface& tmp, raster::Surface& out);

}  // namespace tupalo
