#include "editor/core/WholePicture.h"

#include <algorithm>
#include <new>
#include <utility>

namespace tupalo {

Pair TurnedSize(const Editor& e, Turn t) {
  const int W = e.PIC.width(), H = e.PIC.height();
  return t == Turn::Right || t == Turn::Left ? Pair{H, W} : Pair{W, H};
}

bool ReserveWork(Editor& e, int width, int height) {
  try {
    e.WORK.reshapeForOverwrite(width, height);
    return true;
  } catch (const std::bad_alloc&) {
    // reshapeForOverwrite let the old block go before asking for the new one.
    e.WORK = raster::Surface();
    return false;
  }
}

namespace {

// The new picture is in WORK: it becomes the picture, and the old picture's
// memory stays with WORK for the next work surface.
void TakeWork(Editor& e) {
  std::swap(e.PIC, e.WORK);
  e.PicSize = {e.PIC.width(), e.PIC.height()};
}

}  // namespace

void TurnPicture(Editor& e, Turn t) {
  const Pair size = TurnedSize(e, t);
  if (e.WORK.width() != size.x || e.WORK.height() != size.y || e.PIC.empty()) return;
  const int W = e.PIC.width(), H = e.PIC.height();
  switch (t) {
    case Turn::Right:
      raster::RotateRight(e.WORK, e.PIC);
      break;
    case Turn::Left:
      raster::RotateLeft(e.WORK, e.PIC);
      break;
    case Turn::Half:
      // Negative destination extents mirror both axes; equal sizes resample nothing.
      raster::StretchBlt(e.WORK, W - 1, H - 1, -W, -H, e.PIC, 0, 0, W, H, raster::COLORONCOLOR);
      break;
    case Turn::Mirror:
      raster::StretchBlt(e.WORK, W - 1, 0, -W, H, e.PIC, 0, 0, W, H, raster::COLORONCOLOR);
      break;
  }
  TakeWork(e);
}

raster::StretchMode StretchModeOf(Resize how) {
  switch (how) {
    case Resize::Or:
      return raster::WHITEONBLACK;
    case Resize::And:
      return raster::BLACKONWHITE;
    default:
      return raster::COLORONCOLOR;
  }
}

bool ResizePicture(Editor& e, int width, int height, Resize how) {
  if (width <= 0 || height <= 0 || e.PIC.empty()) return false;
  if (!ReserveWork(e, width, height)) return false;
  const int W = e.PIC.width(), H = e.PIC.height();
  if (how == Resize::CutOrExtend) {
    raster::BitBlt(e.WORK, 0, 0, width, height, e.PIC, 0, 0);
    // Only what the old picture does not cover is cleared to white.
    const raster::Pixel white = raster::toPixel(raster::rgb(255, 255, 255));
    e.WORK.fillRect(W, 0, width - W, std::min(H, height), white);
    e.WORK.fillRect(0, H, width, height - H, white);
  } else {
    raster::StretchBlt(e.WORK, 0, 0, width, height, e.PIC, 0, 0, W, H, StretchModeOf(how));
  }
  TakeWork(e);
  return true;
}

}  // namespace tupalo
