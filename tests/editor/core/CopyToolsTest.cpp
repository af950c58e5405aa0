// The tools that move pixels: Area copy, the expanded-mode Copy, Polygon
// Copy and the clipboard, driven through the canvas widget and checked in the
// picture pixel by pixel, with the undo after every stamp.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "editor/core/CanvasFixture.h"
#include "editor/core/Undo.h"
#include "platform/QtSurface.h"

namespace tupalo {
namespace {

// No two neighbouring pixels alike, so a piece off by one shows.
raster::Pixel patternAt(int x, int y) {
  return raster::toPixel(raster::rgb(x & 255, y & 255, (x * 7 + y * 13) & 255));
}

class CopyToolsTest : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x) editor.PIC.setPixel(x, y, patternAt(x, y));
    RedrawView(editor);
    original = editor.PIC;
  }

  // The picture as it should be after `src` (picture pixels) was stamped with
  // its top-left at `to`, where `inside` says.
  template <class Inside>
  raster::Surface stamped(QRect src, QPoint to, Inside inside) const {
    raster::Surface want = original;
    for (int y = 0; y < src.height(); ++y)
      for (int x = 0; x < src.width(); ++x)
        if (inside(x, y) && to.x() + x < 640 && to.y() + y < 480)
          want.setPixel(to.x() + x, to.y() + y, patternAt(src.x() + x, src.y() + y));
    return want;
  }
  raster::Surface stamped(QRect src, QPoint to) const {
    return stamped(src, to, [](int, int) { return true; });
  }

  raster::Surface original;
};

TEST_F(CopyToolsTest, AreaCopyLiftsFromEitherCornerAndStampsPixelForPixel) {
  win->SelectTool(tool::AreaCopy);
  drag({149, 129}, {110, 100});  // 40 x 30, dragged up and left
  EXPECT_EQ(editor.ToolCode, tool::AreaCopyFloating);
  EXPECT_EQ(editor.WORK.width(), 40);
  EXPECT_EQ(editor.WORK.height(), 30);
  EXPECT_EQ(editor.DRAW, cleanCanvas()) << "the band is gone and the piece only floats";
  EXPECT_TRUE(editor.WorkShown);

  // The piece keeps the place it had under the pointer at the lift.
  for (const QPoint p : {QPoint(200, 150), QPoint(330, 260), QPoint(310, 250)})
    move(p.x(), p.y(), Qt::NoButton);
  EXPECT_EQ(editor.WorkPos, (Pair{310, 250}));
  EXPECT_EQ(editor.PIC, original);
  press(310, 250);
  EXPECT_EQ(editor.ToolCode, tool::AreaCopyStamped);
  EXPECT_FALSE(editor.WorkShown);
  release(310, 250);
  EXPECT_EQ(editor.ToolCode, tool::AreaCopy);
  EXPECT_EQ(editor.PIC, stamped(QRect(110, 100, 40, 30), {310, 250}));

  // A right press now stamps nothing more; the next press selects afresh.
  const raster::Surface after = editor.PIC;
  press(400, 400, Qt::RightButton);
  release(400, 400, Qt::RightButton);
  EXPECT_EQ(editor.ToolCode, tool::AreaCopy);
  click(500, 400);
  EXPECT_EQ(editor.ToolCode, tool::AreaCopyFloating);
  EXPECT_EQ(editor.WORK.width(), 1);
  EXPECT_EQ(editor.PIC, after);
  press(400, 400, Qt::RightButton);

  Undo(*win);
  EXPECT_EQ(editor.PIC, original);
}

TEST_F(CopyToolsTest, PiecePartlyOffTheCanvasKeepsTheVisiblePart) {
  win->SelectTool(tool::AreaCopy);
  drag({10, 20}, {49, 49});  // the pointer stands at the piece's bottom-right
  move(639, 479, Qt::NoButton);
  press(639, 479);
  // Beside the stamp, a right press with the button still down drops the
  // gesture without stamping twice.
  press(639, 479, Qt::RightButton);
  release(639, 479);
  EXPECT_EQ(editor.ToolCode, tool::AreaCopy);
  EXPECT_EQ(editor.PIC, original);

  drag({10, 20}, {49, 49});
  move(639, 479, Qt::NoButton);
  click(639, 479);
  EXPECT_EQ(editor.PIC, stamped(QRect(10, 20, 40, 30), {600, 450}));
  Undo(*win);
  EXPECT_EQ(editor.PIC, original);
}

TEST_F(CopyToolsTest, SelectionIsClampedOnEverySide) {
  win->SelectTool(tool::AreaCopy);
  // Past the right and bottom edges lies nothing to lift.
  drag({630, 470}, {700, 520});
  ASSERT_EQ(editor.WORK.width(), 10);
  ASSERT_EQ(editor.WORK.height(), 10);
  // The pointer was released 70 and 50 pixels past the piece's corner.
  move(0, 0, Qt::NoButton);
  click(75, 55);
  EXPECT_EQ(editor.PIC, stamped(QRect(630, 470, 10, 10), {5, 5}));

  drag({-30, -20}, {9, 9});
  EXPECT_EQ(editor.WORK.width(), 10);
  EXPECT_EQ(editor.WORK.height(), 10);
}

TEST_F(CopyToolsTest, ExpandedCopyWorksInWholeCellsAtZoom4) {
  win->ZoomTo(0, 0, 4);
  win->SelectTool(tool::ExpCopy);
  drag({41, 43}, {82, 61});  // cells (10, 10) to (20, 15)
  ASSERT_EQ(editor.ToolCode, tool::ExpCopyFloating);
  EXPECT_EQ(editor.WORK.width(), 11);
  EXPECT_EQ(editor.WORK.height(), 6);
  // 121 px right and 83 down of the release: 30 cells and 21 cells, whatever
  // the pointer's place within its cell.
  move(203, 144, Qt::NoButton);
  EXPECT_EQ(editor.WorkPos, (Pair{160, 124}));
  click(203, 144);
  EXPECT_EQ(editor.ToolCode, tool::ExpCopy);
  EXPECT_EQ(editor.PIC, stamped(QRect(10, 10, 11, 6), {40, 31}));
  Undo(*win);
  EXPECT_EQ(editor.PIC, original);
}

TEST_F(CopyToolsTest, PolygonCopyCarriesExactlyThePixelsOfItsOutline) {
  win->SelectTool(tool::PolygonCopy);
  const raster::Point v[] = {{100, 100}, {150, 110}, {130, 160}, {105, 140}};
  for (int i = 0; i < 3; ++i) click(v[i].x, v[i].y);
  doubleClick(v[3].x, v[3].y);
  ASSERT_EQ(editor.ToolCode, tool::FourthStep(tool::PolygonCopy));
  EXPECT_TRUE(editor.WorkShown);
  EXPECT_EQ(editor.DRAW, cleanCanvas()) << "no XOR outline left behind";

  // What a polygon with a 1-pixel pen paints, fill and outline.
  raster::Region shape(640, 480);
  raster::Pen thin;
  raster::PolygonRegion(shape, thin, true, v);
  const raster::Rect b = shape.bounds();
  raster::Surface in(640, 480, 0);
  for (const raster::Span& s : shape.spans())
    for (int x = s.x0; x < s.x1; ++x) in.setPixel(x, s.y, 1);

  // The piece keeps its place under the pointer: the double click was at
  // (105, 140), the bounds start at (100, 100).
  move(305, 240, Qt::NoButton);
  click(305, 240);
  EXPECT_EQ(editor.ToolCode, tool::PolygonCopy);
  EXPECT_EQ(editor.PIC,
            stamped(QRect(b.left, b.top, b.right - b.left, b.bottom - b.top), {300, 200},
                    [&](int x, int y) { return in.pixel(b.left + x, b.top + y) == 1; }));
  EXPECT_EQ(inked(editor.PIC, QRect(0, 0, 640, 480)).size(), inked(original).size());
  Undo(*win);
  EXPECT_EQ(editor.PIC, original);

  // A right press drops a floating piece.
  for (int i = 0; i < 3; ++i) click(v[i].x, v[i].y);
  doubleClick(v[3].x, v[3].y);
  press(200, 200, Qt::RightButton);
  EXPECT_EQ(editor.ToolCode, tool::PolygonCopy);
  EXPECT_FALSE(editor.WorkShown);
  click(300, 300);
  EXPECT_EQ(editor.PIC, original);
}

TEST_F(CopyToolsTest, ClipboardRoundTripThroughThePalette) {
  editor.settings.SZWM = 1;
  cmdWin->CMD_B_Click(18);
  ASSERT_EQ(editor.ToolCode, tool::CopyToClipboard);
  drag({20, 30}, {59, 59});
  EXPECT_FALSE(editor.WorkShown) << "the copied piece does not float";
  EXPECT_EQ(editor.PIC, original);
  raster::Surface copied;
  copyFromQImage(QGuiApplication::clipboard()->image(), copied);
  ASSERT_EQ(copied.width(), 40);
  ASSERT_EQ(copied.height(), 30);
  EXPECT_EQ(copied.pixel(0, 0), patternAt(20, 30));
  EXPECT_EQ(copied.pixel(39, 29), patternAt(59, 59));

  cmdWin->CMD_B_Click(19);
  ASSERT_EQ(editor.ToolCode, tool::CopyFromClipboard);
  EXPECT_TRUE(editor.WorkShown);
  move(400, 300, Qt::NoButton);
  click(400, 300);
  EXPECT_EQ(editor.PIC, stamped(QRect(20, 30, 40, 30), {400, 300}));
  const raster::Surface once = editor.PIC;
  click(200, 100);
  EXPECT_EQ(editor.PIC, once) << "one choice of the button, one stamp";
  Undo(*win);
  EXPECT_EQ(editor.PIC, original);
}

TEST_F(CopyToolsTest, PastedTransparencyLandsOnWhite) {
  // Another program's picture: a PNG, partly transparent.
  QImage image(4, 1, QImage::Format_ARGB32);
  image.setPixel(0, 0, qRgba(10, 20, 30, 255));
  image.setPixel(1, 0, qRgba(0, 0, 0, 0));
  image.setPixel(2, 0, qRgba(255, 0, 0, 0));
  image.setPixel(3, 0, qRgba(0, 0, 0, 128));
  auto* md = new QMimeData;
  md->setImageData(image);
  QGuiApplication::clipboard()->setMimeData(md);
  cmdWin->CMD_B_Click(19);
  ASSERT_EQ(editor.ToolCode, tool::CopyFromClipboard);
  EXPECT_EQ(raster::GetPixel(editor.WORK, 0, 0), raster::rgb(10, 20, 30));
  EXPECT_EQ(raster::GetPixel(editor.WORK, 1, 0), raster::rgb(255, 255, 255));
  EXPECT_EQ(raster::GetPixel(editor.WORK, 2, 0), raster::rgb(255, 255, 255));
  EXPECT_EQ(raster::GetPixel(editor.WORK, 3, 0), raster::rgb(127, 127, 127));
}

}  // namespace
}  // namespace tupalo
