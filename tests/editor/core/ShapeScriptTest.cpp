// A fixed script of gestures with every shape tool, at several pen sizes, at
// zoom 1 and 4: the canvas is taken while rubber bands are shown and after
// every round, and the picture at the end. The snapshots are stacked into one
// image and compared pixel for pixel with tests/data/shape_script.png, which
// was recorded from an earlier build: any change to a pixel that a shape tool
// or its rubber band draws shows up here.
//
// To record the image again after a deliberate change, run the test with
// TUPALO_SHAPE_SCRIPT_OUT=/some/file.png and look at the result before
// copying it over the reference.
#include <QImage>
#include <QPainter>
#include <algorithm>

#include "editor/core/CanvasFixture.h"
#include "platform/QtSurface.h"

namespace tupalo {
namespace {

class ShapeScriptTest : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    editor.Color1 = {200, 30, 60};
    editor.Color2 = {255, 255, 255};
  }

  // White with a few coloured stripes, so that XOR and copy differ in colour.
  static raster::Surface pattern() {
    raster::Surface s(128, 96);
    for (int y = 0; y < s.height(); ++y)
      for (int x = 0; x < s.width(); ++x) {
        if (y % 24 < 3) s.setPixel(x, y, raster::toPixel(raster::rgb(40, 160, 90)));
        if (x % 40 == 7) s.setPixel(x, y, raster::toPixel(raster::rgb(30, 60, 220)));
      }
    return s;
  }

  void freshPicture() {
    editor.PIC = pattern();
    RedrawView(editor);
    win->DRAW->refreshAll();
  }

  // Window pixels of picture point (x, y) at the current zoom, one pixel into
  // the block so that the window-pixel tools are off the blocks' grid.
  QPoint at(int x, int y) const {
    const int z = editor.ZoomFactor;
    return {x * z + (z > 1 ? 1 : 0), y * z + (z > 1 ? 1 : 0)};
  }

  void snap(const raster::Surface& s) { shots.push_back(toQImage(s)); }

  void pressAt(QPoint p) { press(p.x(), p.y()); }
  void moveTo(QPoint p, Qt::MouseButtons held = Qt::LeftButton) { move(p.x(), p.y(), held); }
  void releaseAt(QPoint p) { release(p.x(), p.y()); }
  void clickAt(QPoint p) { click(p.x(), p.y()); }
  void doubleClickAt(QPoint p) { doubleClick(p.x(), p.y()); }

  // Press, wander over the band, take the canvas with the band shown, end at
  // `to` and release there.
  void dragShown(QPoint from, QPoint to) {
    pressAt(from);
    for (const QPoint& p : {from + QPoint(3, 1), to + QPoint(7, 5), (from + to) / 2, to}) moveTo(p);
    snap(editor.DRAW);
    releaseAt(to);
  }

  // The tools that draw in window pixels, at any zoom.
  void windowPixelTools(int pen) {
    editor.PenSize = pen;
    freshPicture();

    editor.ToolCode = 1;  // Pset, a dot off the top-left corner
    pressAt(at(3, 3));
    for (const QPoint& p : {at(10, 4), at(12, 20), QPoint(-1, 50), at(0, 0)}) moveTo(p);
    releaseAt(at(0, 0));

    editor.ToolCode = 2;  // FreeLine
    pressAt(at(20, 10));
    for (const QPoint& p : {at(40, 14), at(45, 30), at(30, 31), at(20, 60), at(20, 60)}) moveTo(p);
    releaseAt(at(20, 60));

    editor.ToolCode = 3;  // Line
    dragShown(at(50, 5), at(90, 30));
    editor.ToolCode = 4;  // Box, drawn backwards and past the right edge
    dragShown(at(100, 10), at(60, 40));
    dragShown(at(110, 44), at(140, 50));
    editor.ToolCode = 5;  // Boxfill
    dragShown(at(30, 90), at(5, 70));

    editor.ToolCode = 6;  // Circle: guides and ellipse shown together
    dragShown(at(60, 60), at(75, 68));
    dragShown(at(20, 40), at(21, 41));  // a box of at most 2: a rectangle
    editor.ToolCode = 7;                // Circlefill, cut by the bottom edge
    dragShown(at(100, 72), at(112, 95));

    editor.ToolCode = 27;  // Polygon, crossing itself; its fixed edges stay in XOR
    clickAt(at(40, 50));
    moveTo(at(60, 40), Qt::NoButton);
    clickAt(at(70, 45));
    clickAt(at(45, 80));
    moveTo(at(80, 85), Qt::NoButton);
    clickAt(at(75, 70));
    moveTo(at(30, 60), Qt::NoButton);
    snap(editor.DRAW);
    doubleClickAt(at(35, 85));

    editor.ToolCode = 29;  // Line(Type2)
    clickAt(at(90, 50));
    moveTo(at(100, 55), Qt::NoButton);
    clickAt(at(120, 52));
    clickAt(at(110, 80));
    moveTo(at(90, 90), Qt::NoButton);
    snap(editor.DRAW);
    doubleClickAt(at(95, 70));

    editor.ToolCode = 31;  // Bezier: ends, control 1, control 2
    dragShown(at(10, 20), at(60, 25));
    dragShown(at(20, 5), at(25, 0));
    dragShown(at(40, 40), at(50, 45));

    editor.ToolCode = 4;  // a box dropped by the right button leaves nothing
    pressAt(at(5, 5));
    moveTo(at(50, 50));
    press(0, 0, Qt::RightButton);
    releaseAt(at(50, 50));

    snap(editor.DRAW);
  }

  // The expanded-mode tools: whole picture pixels.
  void cellTools(int pen) {
    editor.PenSize = pen;
    freshPicture();

    editor.ToolCode = 11001;
    pressAt(at(3, 3));
    for (const QPoint& p : {at(10, 4), at(12, 20), QPoint(-1, 50), at(0, 0)}) moveTo(p);
    releaseAt(at(0, 0));

    editor.ToolCode = 11002;
    dragShown(at(10, 5), at(30, 20));
    editor.ToolCode = 11003;
    dragShown(at(60, 10), at(40, 35));
    dragShown(at(120, 60), at(130, 70));  // past the right edge
    editor.ToolCode = 11004;
    dragShown(at(80, 30), at(95, 40));
    editor.ToolCode = 11005;
    dragShown(at(30, 60), at(20, 75));
    dragShown(at(3, 90), at(1, 99));  // cut by the edges

    editor.settings.LMOD = 0;
    editor.ToolCode = 11010;
    dragShown(at(60, 50), at(100, 80));
    dragShown(at(2, 40), at(-3, 30));

    editor.settings.LMOD = 1;
    editor.ToolCode = 11029;
    clickAt(at(70, 85));
    moveTo(at(90, 60), Qt::NoButton);
    clickAt(at(110, 90));
    clickAt(at(126, 50));
    moveTo(at(100, 40), Qt::NoButton);
    snap(editor.DRAW);
    clickAt(at(126, 50));  // the same cell again: the end

    snap(editor.DRAW);
  }

  // All snapshots side by side in rows of kSheetWidth, on a black ground;
  // places[i] is where snapshot i went.
  static constexpr int kSheetWidth = 512;
  QImage sheet() {
    places.clear();
    int x = 0, y = 0, rowHeight = 0;
    for (const QImage& s : shots) {
      if (x + s.width() > kSheetWidth) {
        x = 0;
        y += rowHeight;
        rowHeight = 0;
      }
      places.emplace_back(x, y);
      x += s.width();
      rowHeight = std::max(rowHeight, s.height());
    }
    QImage out(kSheetWidth, y + rowHeight, QImage::Format_RGB32);
    out.fill(Qt::black);
    QPainter p(&out);
    for (std::size_t i = 0; i < shots.size(); ++i) p.drawImage(places[i], shots[i]);
    return out;
  }

  std::vector<QImage> shots;
  std::vector<QPoint> places;
};

TEST_F(ShapeScriptTest, EveryShapeToolDrawsTheRecordedPixels) {
  editor.PIC = pattern();
  win->ResetViewAfterLoad();
  ASSERT_EQ(editor.ViewSize, (Pair{128, 96}));
  for (int pen : {1, 2, 3, 5}) windowPixelTools(pen);
  snap(editor.PIC);

  win->ZoomTo(0, 0, 4);
  ASSERT_EQ(editor.ViewSize, (Pair{128, 96}));
  for (int pen : {1, 3}) windowPixelTools(pen);
  for (int pen : {1, 2, 3}) cellTools(pen);
  snap(editor.PIC);

  const QImage got = sheet();
  const QByteArray out = qgetenv("TUPALO_SHAPE_SCRIPT_OUT");
  if (!out.isEmpty()) {
    ASSERT_TRUE(got.save(QString::fromLocal8Bit(out), "PNG", 0));
  }

  const QImage want = QImage(QStringLiteral(TUPALO_TEST_DATA_DIR "/shape_script.png"))
                          .convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(want.isNull());
  ASSERT_EQ(got.size(), want.size());
  const auto row = [](const QImage& image, int y) {
    return reinterpret_cast<const QRgb*>(image.constScanLine(y));
  };
  // Name the first snapshot that differs, and where.
  for (std::size_t i = 0; i < shots.size(); ++i) {
    const QRect r(places[i], shots[i].size());
    for (int y = r.top(); y <= r.bottom(); ++y) {
      const QRgb *g = row(got, y), *w = row(want, y);
      if (std::equal(g + r.left(), g + r.right() + 1, w + r.left())) continue;
      for (int x = r.left(); x <= r.right(); ++x) {
        ASSERT_EQ(g[x], w[x]) << "snapshot " << i << " at (" << x - r.left() << ", " << y - r.top()
                              << ")";
      }
    }
  }
}

}  // namespace
}  // namespace tupalo
