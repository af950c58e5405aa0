// The mask pens, the Thru Pen, the sprays and the airbrushes, used through the
// canvas widget on a small picture and checked in the picture pixel by pixel.
#include "editor/core/CanvasFixture.h"
#include "editor/core/ToolEngine.h"
#include "editor/pixel/PenTables.h"

namespace tupalo {
namespace {

using raster::GetPixel;
using raster::rgb;
using Points = std::vector<QPoint>;

constexpr raster::ColourRef kRed = rgb(255, 0, 0);

class PixelPenTest : public CanvasTest {
 protected:
  // White, with a red band over columns 20..39.
  void TwoColours() {
    editor.PIC.fill(0xFFFFFFFFu);
    editor.PIC.fillRect(20, 0, 20, 480, raster::toPixel(kRed));
    RedrawView(editor);
  }
  // The picture pixels of `colour` in the 60 x 60 square at `o`.
  Points of(raster::ColourRef colour, Pair o = {}) const {
    Points out;
    for (int y = o.y; y < o.y + 60; ++y)
      for (int x = o.x; x < o.x + 60; ++x)
        if (GetPixel(editor.PIC, x, y) == colour) out.emplace_back(x, y);
    return out;
  }
  static Points box(int l, int t, int r, int b) {
    Points out;
    for (int y = t; y <= b; ++y)
      for (int x = l; x <= r; ++x) out.emplace_back(x, y);
    return out;
  }
  void stroke(int tool, std::initializer_list<QPoint> at) {
    editor.ToolCode = tool;
    press(at.begin()->x(), at.begin()->y());
    for (const QPoint& p : at) move(p.x(), p.y());
    release(std::prev(at.end())->x(), std::prev(at.end())->y());
  }
  void tick(int n) {
    while (n-- > 0) win->engine->Timer1Tick();
  }
};

TEST_F(PixelPenTest, MaskPensPaintOnlyOverOrOutsideTheDesignatedColour) {
  const raster::ColourRef blue = rgb(0, 0, 255);
  editor.Color1 = {0, 0, 255};
  editor.PenSize = 3;
  for (int tool : {10, 11, 23}) {
    TwoColours();
    stroke(tool, {{15, 10}, {22, 10}, {25, 10}});  // squares about x = 15, 22 and 25 only
    EXPECT_EQ(of(blue), tool == 11 ? box(21, 9, 26, 11) : box(14, 9, 16, 11)) << tool;
  }
  editor.settings.FUZH = 0;  // no hue is similar, not even the designated one's
  TwoColours();
  stroke(23, {{15, 10}});
  EXPECT_TRUE(of(blue).empty());

  TwoColours();  // at zoom 4, whole picture pixels
  win->ZoomTo(0, 0, 4);
  stroke(10, {{4 * 19 + 3, 4 * 10}});
  EXPECT_EQ(of(blue), box(18, 9, 19, 11));
}

TEST_F(PixelPenTest, SprayHeldStillKeepsAddingTheSameDotsAfterARestart) {
  auto spray = [&] {
    editor.PenSize = 10;  // two dots a tick, over 95..105 about (100, 100)
    editor.ToolCode = 21;
    press(100, 100);
    EXPECT_TRUE(inked(editor.DRAW).empty()) << "the press drops nothing";
    tick(1);
    const std::size_t first = inked(editor.DRAW).size();
    EXPECT_TRUE(first == 1 || first == 2);
    tick(20);
    EXPECT_GT(inked(editor.DRAW).size(), first + 10);
    release(100, 100);
    const Points dots = inked(editor.PIC);
    for (const QPoint& p : dots) EXPECT_TRUE(QRect(95, 95, 11, 11).contains(p));
    return dots;
  };
  const Points dots = spray();
  closeWindows();
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  EXPECT_EQ(spray(), dots);

  TwoColours();  // Mask Spray over no designated colour adds nothing
  editor.ToolCode = 22;
  press(30, 30);
  tick(20);
  release(30, 30);
  EXPECT_EQ(of(kRed).size(), 20u * 60u);
}

TEST_F(PixelPenTest, AirbrushRingsBuildUpAndTheMaskIsJudgedOnThePicture) {
  editor.PenSize = 10;  // rings 1 to 5 about the corner between pixels 49 and 50
  editor.ToolCode = 34;
  press(50, 50);
  move(50, 50);  // the press itself sprays nothing
  EXPECT_EQ(GetPixel(editor.DRAW, 49, 49), rgb(51, 51, 51)) << "ring 1 keeps 20 %";
  EXPECT_EQ(GetPixel(editor.DRAW, 46, 49), rgb(204, 204, 204)) << "ring 4 keeps 80 %";
  tick(1);
  release(50, 50);
  EXPECT_EQ(GetPixel(editor.PIC, 49, 49), rgb(10, 10, 10));
  EXPECT_EQ(inked(editor.PIC).size(), 52u) << "rings 1 to 4; the rim stays";

  // Levels round half to even: 87.5 is 88 and 62.5 is 62.
  const pixel::PenWeights t = pixel::BuildAirTable(16);
  EXPECT_EQ(t.at(7, 7), 0.12f);
  EXPECT_EQ(t.at(5, 7), 0.38f);

  win->InvalidateUndo();
  TwoColours();
  editor.ToolCode = 35;
  press(20, 10);
  EXPECT_EQ(editor.UndoAvailable, 1) << "committed at the press";
  move(20, 10);
  move(20, 10);
  release(20, 10);
  EXPECT_EQ(GetPixel(editor.PIC, 19, 9), rgb(10, 10, 10)) << "sprayed twice";
  EXPECT_EQ(of(kRed).size(), 20u * 60u);
}

TEST_F(PixelPenTest, ThruPenMixesWithThePictureAsTheStrokeFoundIt) {
  const raster::ColourRef grey = rgb(100, 100, 100), half = rgb(50, 51, 52);  // 50.5, 51, 51.5
  editor.PIC.fill(raster::toPixel(grey));
  RedrawView(editor);
  editor.Color1 = {1, 2, 3};
  editor.PenSize = 4;
  stroke(36, {{20, 20}, {21, 20}, {20, 20}});
  const Points a = of(half);
  EXPECT_EQ(a.size(), 16u) << "two discs of 12, a column apart";
  EXPECT_EQ(of(grey).size(), 60u * 60u - 16u) << "overlaps mix the same; nothing beside the pen";
  key(Qt::Key_Space);
  stroke(36, {{20, 20}, {21, 20}});
  EXPECT_EQ(of(half), a) << "the undone stroke leaves no ghost";

  editor.settings.THPD = 300;  // a percentage: as 100, all of the picture stays
  key(Qt::Key_Space);
  stroke(36, {{20, 20}});
  EXPECT_EQ(of(grey).size(), 60u * 60u);

  editor.settings.THPD = 50;  // at zoom 4, away from the picture's corner
  win->ZoomTo(400, 300, 4);
  const Pair o = editor.ViewOrigin;
  editor.PenSize = 1;
  stroke(36, {{4 * 5 + 1, 4 * 6 + 2}});
  EXPECT_EQ(of(half, o), (Points{{o.x + 5, o.y + 6}}));
  EXPECT_EQ(of(grey, o).size(), 60u * 60u - 1u);
}

}  // namespace
}  // namespace tupalo
