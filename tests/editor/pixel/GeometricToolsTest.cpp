// The side changes, Reverse and Glass Mirror, used through the canvas and
// checked in the picture pixel by pixel, at zoom 1 and 4.
#include "editor/core/CanvasFixture.h"
#include "editor/core/ToolTable.h"

namespace tupalo {
namespace {

using raster::ColourRef;
using raster::rgb;

const ColourRef kA = rgb(200, 0, 0), kB = rgb(0, 0, 200), kPen = rgb(0, 160, 0);

class GeometricToolsTest : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    editor.Color1 = {0, 160, 0};  // Color2, the designated colour, stays white
  }
  void zoom(int z) {
    if (z > 1) win->ZoomTo(0, 0, z);
  }
  // A window point inside the block of picture pixel (x, y), off its centre.
  QPoint at(int x, int y) const {
    const int z = editor.ZoomFactor;
    return {x * z + z / 3, y * z + z / 3};
  }
  void set(int x, int y, ColourRef c) { raster::SetPixelV(editor.PIC, x, y, c); }
  void redraw() { RedrawView(editor); }
  ColourRef pic(int x, int y) const { return raster::GetPixel(editor.PIC, x, y); }
};

TEST_F(GeometricToolsTest, SideChangePaintsTheFirstRunBesideTheDesignatedColour) {
  for (const int z : {1, 4}) {
    SCOPED_TRACE(z);
    zoom(z);
    editor.PIC.fill(0xFFFFFFFFu);
    // Right of (20, 10): M, M, A, A, M, B. Left of (2, 12): A, A, then the edge.
    for (const int x : {23, 24, 1, 0}) set(x, x < 20 ? 12 : 10, kA);
    set(26, 10, kB);
    redraw();
    editor.PenSize = 8;
    editor.UndoAvailable = 0;
    editor.ToolCode = tool::RightSideChange;
    const QPoint onA = at(23, 10), right = at(20, 10), left = at(2, 12);
    click(onA.x(), onA.y());
    EXPECT_EQ(pic(23, 10), kA) << "pressed on a pixel that is not the designated colour";
    EXPECT_EQ(editor.UndoAvailable, 0) << "nothing painted, nothing committed";
    click(right.x(), right.y());
    EXPECT_EQ((std::vector{pic(22, 10), pic(23, 10), pic(24, 10), pic(25, 10), pic(26, 10)}),
              (std::vector{rgb(255, 255, 255), kPen, kPen, rgb(255, 255, 255), kB}));
    editor.ToolCode = tool::LeftSideChange;
    click(left.x(), left.y());
    EXPECT_EQ((std::vector{pic(0, 12), pic(1, 12)}), (std::vector{kPen, kPen}));
    EXPECT_EQ(inked(editor.PIC).size(), 5u);
    EXPECT_EQ(editor.DRAW, cleanCanvas());
  }
}

TEST_F(GeometricToolsTest, ReverseInvertsExactlyTheDraggedBoxAndTwiceRestoresIt) {
  for (const int z : {1, 4}) {
    SCOPED_TRACE(z);
    zoom(z);
    editor.PIC.fill(0xFFFFFFFFu);
    set(11, 11, rgb(10, 100, 250));
    redraw();
    const raster::Surface before = editor.PIC;
    editor.ToolCode = tool::Reverse;
    drag(at(13, 12), at(10, 10));
    EXPECT_EQ(pic(11, 11), rgb(245, 155, 5));
    const std::vector<QPoint> black = inked(editor.PIC);
    EXPECT_EQ(black.size(), 4u * 3u);
    EXPECT_EQ(black.front(), QPoint(10, 10));
    EXPECT_EQ(black.back(), QPoint(13, 12));
    EXPECT_EQ(editor.DRAW, cleanCanvas());
    drag(at(10, 10), at(13, 12));
    EXPECT_EQ(editor.PIC, before);

    // Dragged past the canvas: only what the canvas shows is inverted.
    editor.PIC.fill(0xFFFFFFFFu);
    redraw();
    const int edge = editor.ViewSize.x - 1;
    press(at(edge - 1, 5).x(), at(edge - 1, 5).y());
    move(editor.ViewPixels.x + 40, at(0, 6).y());
    release(editor.ViewPixels.x + 40, at(0, 6).y());
    EXPECT_EQ(inked(editor.PIC),
              (std::vector<QPoint>{{edge - 1, 5}, {edge, 5}, {edge - 1, 6}, {edge, 6}}));
  }
}

TEST_F(GeometricToolsTest, GlassMirrorTurnsEachPenSquareAndTheShortBandsWithinThemselves) {
  // A 10 x 10 area cut into bands of 4: 0-3, 4-7 and the short 8-9.
  const int mirrored[10] = {3, 2, 1, 0, 7, 6, 5, 4, 9, 8};
  auto colour = [](int x, int y) { return rgb(x * 20, y * 20, 90); };
  for (const int z : {1, 4}) {
    SCOPED_TRACE(z);
    zoom(z);
    editor.PIC.fill(0xFFFFFFFFu);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) set(30 + x, 40 + y, colour(x, y));
    redraw();
    const raster::Surface before = editor.PIC;
    editor.ToolCode = tool::GlassMirror;
    editor.PenSize = 1;
    drag(at(30, 40), at(39, 49));
    EXPECT_EQ(editor.PIC, before);

    editor.PenSize = 4;
    drag(at(39, 49), at(30, 40));
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x)
        ASSERT_EQ(pic(30 + x, 40 + y), colour(mirrored[x], mirrored[y])) << x << "," << y;
    EXPECT_EQ(inked(editor.PIC).size(), 100u);
    EXPECT_EQ(editor.DRAW, cleanCanvas());

    // Past the canvas's bottom right corner: the work surfaces' old pixels
    // never reach the picture.
    editor.PIC.fill(0xFFFFFFFFu);
    redraw();
    editor.WORK2.fill(raster::toPixel(kA));
    editor.WORK.fill(raster::toPixel(kA));
    const QPoint corner = at(editor.ViewSize.x - 3, editor.ViewSize.y - 3);
    const Pair v = editor.ViewPixels;
    press(corner.x(), corner.y());
    move(v.x + 30, v.y + 30);
    release(v.x + 30, v.y + 30);
    EXPECT_TRUE(inked(editor.PIC).empty());
  }
}

}  // namespace
}  // namespace tupalo
