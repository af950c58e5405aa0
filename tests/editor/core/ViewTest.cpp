// The canvas mapping: layout, redraw, commit and zoom arithmetic.
#include <gtest/gtest.h>

#include "editor/core/View.h"
#include "platform/raster/Raster.h"

namespace tupalo {
namespace {

using raster::Pixel;

// A picture whose every pixel is distinct, so a wrong mapping shows.
raster::Surface numbered(int w, int h) {
  raster::Surface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.setPixel(x, y, raster::kOpaque | (y << 12) | x);
  return s;
}

Editor editorWith(int picW, int picH, int zoom = 1) {
  Editor e;
  e.PIC = numbered(picW, picH);
  e.PicSize = {picW, picH};
  e.ZoomFactor = zoom;
  return e;
}

TEST(View, VisibleExtentIsEvenAndClampedToThePicture) {
  bool on = false;
  // (301 - 0 - 2) / 1 = 299 is odd: one column less.
  EXPECT_EQ(VisibleExtent(301, 0, 1, 1000, &on), 298);
  EXPECT_TRUE(on);
  // Zoom 4: Fix(398 / 4) = 99 -> 98.
  EXPECT_EQ(VisibleExtent(400, 0, 4, 1000, &on), 98);
  // A picture narrower than the canvas: all of it, scrolling off.
  EXPECT_EQ(VisibleExtent(1000, 0, 1, 641, &on), 641);
  EXPECT_FALSE(on);
  // The canvas offset and the 2-pixel border count against the room.
  EXPECT_EQ(VisibleExtent(104, 2, 1, 1000, &on), 100);
}

TEST(View, RelayoutOfASmallPictureSwitchesScrollingOff) {
  Editor e = editorWith(64, 48);
  const ScrollRanges r = Relayout(e, {500, 400, 0, 0});
  EXPECT_EQ(e.ViewSize, (Pair{64, 48}));
  EXPECT_EQ(e.ViewPixels, (Pair{64, 48}));
  EXPECT_FALSE(r.horizontalOn);
  EXPECT_FALSE(r.verticalOn);
  EXPECT_EQ(r.horizontalMax, 0);
  EXPECT_EQ(r.verticalMax, 0);
  EXPECT_EQ(e.DRAW.width(), 64);
  EXPECT_EQ(e.UNDO.width(), 64);
  EXPECT_EQ(e.M_REDRAW.height(), 48);
  EXPECT_EQ(e.DRAW, e.PIC);
}

TEST(View, RelayoutAtZoomShowsBlocksOfTheVisibleRegion) {
  Editor e = editorWith(100, 100, 4);
  e.ViewOrigin = {10, 20};
  const ScrollRanges r = Relayout(e, {82, 42, 0, 0});  // 20 x 10 picture pixels
  EXPECT_EQ(e.ViewSize, (Pair{20, 10}));
  EXPECT_EQ(e.ViewPixels, (Pair{80, 40}));
  EXPECT_TRUE(r.horizontalOn);
  EXPECT_EQ(r.horizontalMax, 80);
  EXPECT_EQ(r.verticalMax, 90);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 80; ++x)
      ASSERT_EQ(e.DRAW.pixel(x, y), e.PIC.pixel(10 + x / 4, 20 + y / 4)) << x << "," << y;
}

TEST(View, RelayoutLeavesALineType2PreviewAtItsFirstStep) {
  Editor e = editorWith(50, 50);
  e.CanvasRedrawOff = true;
  e.DragActive = 1;
  e.ToolCode = 13029;
  e.WorkShown = true;
  Relayout(e, {100, 100, 0, 0});
  EXPECT_FALSE(e.CanvasRedrawOff);
  EXPECT_EQ(e.DragActive, 0);
  EXPECT_EQ(e.ToolCode, 11029);
  EXPECT_FALSE(e.WorkShown);
}

TEST(View, CommitTakesTheCanvasPixelNearestEachBlocksCentre) {
  for (int z : {2, 4, 8, 16}) {
    Editor e = editorWith(40, 30, z);
    e.ViewOrigin = {6, 4};
    Relayout(e, {20 * z + 2, 10 * z + 2, 0, 0});
    ASSERT_EQ(e.ViewSize, (Pair{20, 10}));
    const raster::Surface before = e.PIC;
    e.DRAW = numbered(e.ViewPixels.x, e.ViewPixels.y);
    CommitView(e);
    const int off = z / 2;  // round(Z/2) for even Z
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x) {
        const bool inside = x >= 6 && x < 26 && y >= 4 && y < 14;
        const Pixel want =
            inside ? e.DRAW.pixel((x - 6) * z + off, (y - 4) * z + off) : before.pixel(x, y);
        ASSERT_EQ(e.PIC.pixel(x, y), want) << "zoom " << z << " at " << x << "," << y;
      }
    // UNDO holds the visible region as it was, at 1:1.
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 20; ++x) ASSERT_EQ(e.UNDO.pixel(x, y), before.pixel(6 + x, 4 + y));
  }
}

TEST(View, CommitAtZoomOneCopiesTheCanvasBack) {
  Editor e = editorWith(30, 30);
  e.ViewOrigin = {3, 5};
  Relayout(e, {12, 12, 0, 0});  // 10 x 10
  raster::SetPixelV(e.DRAW, 0, 0, raster::rgb(1, 2, 3));
  raster::SetPixelV(e.DRAW, 9, 9, raster::rgb(4, 5, 6));
  CommitView(e);
  EXPECT_EQ(raster::GetPixel(e.PIC, 3, 5), raster::rgb(1, 2, 3));
  EXPECT_EQ(raster::GetPixel(e.PIC, 12, 14), raster::rgb(4, 5, 6));
  EXPECT_EQ(e.PIC.pixel(13, 14), numbered(30, 30).pixel(13, 14));
}

TEST(View, ZoomAtCentresTheClickedPixelAndStaysInsideThePicture) {
  Editor e = editorWith(640, 480);
  const CanvasFrame frame{402, 402, 0, 0};
  Relayout(e, frame);  // 400 x 400 at zoom 1
  // Zoom 4 shows 100 x 100: the clicked pixel goes to the centre.
  EXPECT_EQ(ZoomAt(e, frame, 200, 150, 4), (Pair{150, 100}));
  // Near the top-left the origin stops at 0.
  EXPECT_EQ(ZoomAt(e, frame, 10, 10, 4), (Pair{0, 0}));
  // Near the right edge the view ends at the picture's right edge.
  e.ViewOrigin = {240, 80};
  EXPECT_EQ(ZoomAt(e, frame, 395, 395, 4), (Pair{540, 380}));
  // At zoom 2 the clicked point is taken in picture pixels of the old zoom.
  e.ZoomFactor = 2;
  e.ViewOrigin = {100, 100};
  EXPECT_EQ(ZoomAt(e, frame, 40, 40, 8), (Pair{100 + 20 - 25, 100 + 20 - 25}));
  // A picture smaller than the zoomed view: origin 0.
  Editor small = editorWith(20, 20);
  EXPECT_EQ(ZoomAt(small, frame, 15, 15, 2), (Pair{0, 0}));
}

TEST(View, ScrollingDropsMultiStepToolsToTheirFirstStep) {
  struct Case {
    int before, after;
    bool workHidden;
  } cases[] = {{5027, 27, false}, {7027, 27, false},    {6028, 28, true},     {8028, 28, true},
               {5029, 29, true},  {12029, 11029, true}, {13029, 11029, true}, {1031, 31, false}};
  for (const Case& c : cases) {
    Editor e = editorWith(100, 100);
    Relayout(e, {52, 52, 0, 0});
    e.ToolCode = c.before;
    e.PointCount = 7;
    e.WorkShown = true;
    ScrollTo(e, true, 30);
    EXPECT_EQ(e.ToolCode, c.after) << c.before;
    EXPECT_EQ(e.PointCount, 0) << c.before;
    EXPECT_EQ(e.WorkShown, !c.workHidden) << c.before;
    EXPECT_EQ(e.ViewOrigin.x, 30);
    EXPECT_EQ(e.DRAW.pixel(0, 0), e.PIC.pixel(30, 0));
  }
  Editor e = editorWith(100, 100);
  e.ToolCode = 11010;
  e.WorkDrawWidth = 5;
  e.WorkXorMode = true;
  ScrollTo(e, false, 3);
  EXPECT_EQ(e.ToolCode, 11010);
  EXPECT_EQ(e.WorkDrawWidth, 1);
  EXPECT_FALSE(e.WorkXorMode);
}

TEST(View, RefreshRectCopiesTheWidenedRectangleFromWork) {
  Editor e = editorWith(40, 40, 2);
  Relayout(e, {42, 42, 0, 0});  // 20 x 20 picture pixels, 40 x 40 canvas
  e.WORK = raster::Surface(20, 20, 0xFF00FF00u);
  e.PenSize = 1;  // margin round(1.5) = 2
  const PixelRect r = RefreshRect(e, 5, 6, 7, 8);
  EXPECT_EQ(r.x, 6);
  EXPECT_EQ(r.y, 8);
  EXPECT_EQ(r.w, 12);
  EXPECT_EQ(r.h, 12);
  EXPECT_EQ(e.DRAW.pixel(6, 8), 0xFF00FF00u);
  EXPECT_EQ(e.DRAW.pixel(17, 19), 0xFF00FF00u);
  EXPECT_NE(e.DRAW.pixel(5, 8), 0xFF00FF00u);
  EXPECT_NE(e.DRAW.pixel(18, 19), 0xFF00FF00u);
  // Far edges clip to WORK; the near edges may lie outside the canvas.
  const PixelRect edge = RefreshRect(e, 0, 0, 25, 25);
  EXPECT_EQ(edge.x, 0);
  EXPECT_EQ(edge.w, 40);
  EXPECT_EQ(e.DRAW.pixel(39, 39), 0xFF00FF00u);
}

}  // namespace
}  // namespace tupalo
