// The shape tools, drawn through the canvas widget and checked in the picture
// pixel by pixel. Every drag wanders over its rubber band before the release,
// so a band that is not erased exactly shows up as extra pixels.
#include <algorithm>

#include "editor/core/CanvasFixture.h"
#include "editor/core/ToolEngine.h"

namespace tupalo {
namespace {

using raster::Point;

std::vector<QPoint> row(int y, int x0, int x1) {
  std::vector<QPoint> out;
  for (int x = x0; x <= x1; ++x) out.emplace_back(x, y);
  return out;
}

// The same figure drawn straight with the drawing layer on a white picture.
template <class Draw>
std::vector<QPoint> expected(const CanvasTest& t, Draw draw) {
  raster::Surface s(640, 480);
  draw(s);
  return t.inked(s);
}

TEST_F(CanvasTest, PsetLeavesSeparateDotsAndFreeLineAConnectedLine) {
  editor.ToolCode = 1;
  press(10, 10);
  move(20, 10);
  release(20, 10);
  EXPECT_EQ(inked(editor.PIC), (std::vector<QPoint>{{10, 10}, {20, 10}}));

  editor.ToolCode = 2;
  press(10, 20);
  move(20, 20);
  release(20, 20);
  EXPECT_EQ(inked(editor.PIC, QRect(0, 20, 640, 1)), row(20, 10, 19))
      << "the end pixel is left out";
}

TEST_F(CanvasTest, LineAndBoxesFromEitherCorner) {
  editor.ToolCode = 3;
  drag({100, 100}, {110, 105});
  EXPECT_EQ(inked(editor.PIC), expected(*this, [](raster::Surface& s) {
              raster::Line(s, raster::Pen{}, {100, 100}, {110, 105});
            }));

  editor.PIC.fill(0xFFFFFFFFu);
  RedrawView(editor);
  editor.ToolCode = 5;
  editor.PenSize = 3;
  drag({60, 40}, {20, 30});
  const std::vector<QPoint> backwards = inked(editor.PIC);
  EXPECT_EQ(backwards.size(), 43u * 13u) << "41 x 11 grown by the 3-pixel pen";
  editor.PIC.fill(0xFFFFFFFFu);
  RedrawView(editor);
  drag({20, 30}, {60, 40});
  EXPECT_EQ(inked(editor.PIC), backwards);
}

TEST_F(CanvasTest, CircleDraggedStraightRightIsAFlatLine) {
  editor.ToolCode = 6;
  drag({100, 100}, {110, 100});
  EXPECT_EQ(inked(editor.PIC), row(100, 90, 110))
      << "half-width 10 about the centre; no guide lines";
  EXPECT_EQ(editor.DRAW, cleanCanvas());
}

TEST_F(CanvasTest, FilledCircleUsesTheCentreArithmetic) {
  editor.ToolCode = 7;
  drag({100, 100}, {106, 104});
  // left = cx + dx + 1, top = cy + dy + 1, right = cx - dx, bottom = cy - dy.
  EXPECT_EQ(inked(editor.PIC), expected(*this, [](raster::Surface& s) {
              raster::Ellipse(s, raster::Pen{}, raster::Brush{true, 0}, 107, 105, 94, 96);
            }));
}

TEST_F(CanvasTest, PolygonOfThreeClicksFinishedByADoubleClick) {
  editor.ToolCode = 27;
  click(10, 10);
  EXPECT_EQ(win->INF_SUB->text(), QStringLiteral("あと 255点"));
  move(35, 12, Qt::NoButton);
  click(40, 10);
  EXPECT_EQ(win->INF_SUB->text(), QStringLiteral("あと 254点"));
  move(25, 45, Qt::NoButton);
  move(10, 40, Qt::NoButton);
  doubleClick(10, 40);
  EXPECT_EQ(editor.ToolCode, 27);
  EXPECT_EQ(editor.UndoAvailable, 1);
  EXPECT_EQ(inked(editor.PIC), expected(*this, [](raster::Surface& s) {
              const Point pts[] = {{10, 10}, {40, 10}, {10, 40}};
              raster::Polygon(s, raster::Pen{}, raster::Brush{true, 0}, pts);
            }));
  EXPECT_EQ(editor.DRAW, cleanCanvas());
}

TEST_F(CanvasTest, PolygonHoldsAtMost256Vertices) {
  editor.ToolCode = 27;
  auto vertex = [](int i) { return QPoint(10 + i * 2, i % 2 == 0 ? 10 : 30); };
  for (int i = 0; i < 256; ++i) click(vertex(i).x(), vertex(i).y());
  EXPECT_EQ(editor.PointCount, 256);
  EXPECT_EQ(win->INF_SUB->text(), QStringLiteral("あと 0点"));
  // One more vertex abandons the polygon instead of overrunning the list.
  click(600, 400);
  EXPECT_EQ(editor.ToolCode, 27);
  EXPECT_EQ(editor.PointCount, 0);
  EXPECT_TRUE(inked(editor.PIC).empty());
  EXPECT_EQ(editor.UndoAvailable, 0);
  EXPECT_EQ(editor.DRAW, cleanCanvas());

  for (int i = 0; i < 255; ++i) click(vertex(i).x(), vertex(i).y());
  doubleClick(vertex(255).x(), vertex(255).y());
  EXPECT_EQ(editor.ToolCode, 27);
  EXPECT_EQ(editor.UndoAvailable, 1);
  EXPECT_FALSE(inked(editor.PIC).empty());
}

TEST_F(CanvasTest, LineType2FixesEachSegmentAndEndsOnTheLastVertex) {
  editor.ToolCode = 29;
  click(10, 10);
  move(25, 18, Qt::NoButton);
  click(30, 10);
  EXPECT_EQ(editor.ToolCode, 5029);
  move(40, 15, Qt::NoButton);
  doubleClick(30, 20);
  EXPECT_EQ(editor.ToolCode, 29);
  EXPECT_EQ(editor.DragActive, 0);
  std::vector<QPoint> want = row(10, 10, 29);
  for (int y = 10; y < 20; ++y) want.emplace_back(30, y);
  std::sort(want.begin(), want.end(),
            [](QPoint a, QPoint b) { return std::pair(a.y(), a.x()) < std::pair(b.y(), b.x()); });
  EXPECT_EQ(inked(editor.PIC), want);
}

TEST_F(CanvasTest, BezierTakesThreeDrags) {
  editor.ToolCode = 31;
  drag({20, 100}, {220, 100});
  EXPECT_EQ(editor.ToolCode, 5031);
  drag({30, 40}, {60, 20});
  EXPECT_EQ(editor.ToolCode, 1031);
  EXPECT_TRUE(inked(editor.PIC).empty()) << "nothing is committed between the drags";
  EXPECT_EQ(editor.UndoAvailable, 0);
  drag({150, 150}, {180, 170});
  EXPECT_EQ(editor.ToolCode, 31);
  EXPECT_EQ(editor.UndoAvailable, 1);
  EXPECT_EQ(inked(editor.PIC), expected(*this, [](raster::Surface& s) {
              const Point pts[4] = {{20, 100}, {60, 20}, {180, 170}, {220, 100}};
              raster::PolyBezier(s, raster::Pen{}, pts);
            }));
}

class ZoomedCanvasTest : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    win->ZoomTo(0, 0, 4);
    ASSERT_EQ(editor.ViewOrigin, (Pair{0, 0}));
  }
};

TEST_F(ZoomedCanvasTest, CommitTakesTheMiddleOfEachBlock) {
  editor.ToolCode = 1;
  click(41, 41);  // offset 1 in block (10, 10): not its sample
  EXPECT_TRUE(inked(editor.PIC).empty());
  click(42, 42);
  EXPECT_EQ(inked(editor.PIC), (std::vector<QPoint>{{10, 10}}));
}

TEST_F(ZoomedCanvasTest, ExpandedToolsDrawWholePicturePixels) {
  editor.ToolCode = 11002;
  drag({9, 9}, {21, 13});  // cells (2, 2) to (5, 3)
  EXPECT_EQ(win->INF_SUB->text(), QStringLiteral("Size X= 4 Y= 2"));
  std::vector<QPoint> want = row(2, 2, 5);
  for (const QPoint& p : row(3, 2, 5)) want.push_back(p);
  EXPECT_EQ(inked(editor.PIC), want);
  EXPECT_EQ(editor.DRAW, cleanCanvas());

  // A 3-cell pen on cell (20, 20), written back by rectangle now that an
  // undo step exists: a stray canvas pixel elsewhere stays out.
  raster::SetPixelV(editor.DRAW, 402, 402, raster::rgb(0, 0, 255));
  editor.ToolCode = 11001;
  editor.PenSize = 3;
  click(81, 83);
  EXPECT_EQ(inked(editor.PIC, QRect(18, 18, 5, 5)).size(), 9u);
  EXPECT_EQ(inked(editor.PIC, QRect(19, 19, 3, 3)).size(), 9u);
  EXPECT_EQ(raster::GetPixel(editor.PIC, 100, 100), raster::rgb(255, 255, 255));
}

TEST_F(ZoomedCanvasTest, ExpandedBoxAndCircleLeaveNoTrace) {
  editor.ToolCode = 11003;
  editor.PenSize = 2;
  // Cells (10, 10) to (20, 18) with a 2-cell pen, whose cell rectangle is
  // the cell and the one left and up of it: outside 9..20 x 9..18, 2 thick.
  drag({40, 40}, {80, 72});
  const std::vector<QPoint> box = inked(editor.PIC);
  EXPECT_EQ(box.size(), 12u * 10u - 8u * 6u);
  for (const QPoint& p : box) {
    EXPECT_TRUE(p.x() >= 9 && p.x() <= 20 && p.y() >= 9 && p.y() <= 18);
    EXPECT_FALSE(p.x() >= 11 && p.x() <= 18 && p.y() >= 11 && p.y() <= 16);
  }

  editor.PIC.fill(0xFFFFFFFFu);
  RedrawView(editor);
  editor.ToolCode = 11004;
  editor.PenSize = 1;
  drag({200, 200}, {240, 200});  // centre cell (50, 50), 10 cells right: a flat line
  EXPECT_EQ(inked(editor.PIC), row(50, 40, 60));
}

TEST_F(ZoomedCanvasTest, ConnectedExpandedLineEndsOnItsLastCell) {
  editor.settings.LMOD = 1;
  editor.ToolCode = 11029;
  click(40, 40);
  EXPECT_EQ(editor.ToolCode, 12029);
  EXPECT_EQ(editor.DragActive, 1) << "kept between the clicks";
  move(70, 50, Qt::NoButton);
  click(80, 41);  // cell (20, 10)
  move(90, 60, Qt::NoButton);
  click(80, 60);  // cell (20, 15)
  EXPECT_TRUE(inked(editor.PIC).empty());
  click(83, 63);  // the same cell again: the end
  EXPECT_EQ(editor.ToolCode, 11029);
  EXPECT_EQ(editor.DragActive, 0);
  EXPECT_EQ(editor.UndoAvailable, 1);
  std::vector<QPoint> want = row(10, 10, 20);
  for (int y = 11; y <= 15; ++y) want.emplace_back(20, y);
  EXPECT_EQ(inked(editor.PIC), want);

  // A right press drops a line in progress back to the same tool.
  click(40, 40);
  press(50, 50, Qt::RightButton);
  EXPECT_EQ(editor.ToolCode, 11029);
  EXPECT_EQ(editor.DragActive, 0);
}

}  // namespace
}  // namespace tupalo
