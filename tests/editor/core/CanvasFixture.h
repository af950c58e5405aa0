#pragma once
// A started main window whose canvas shows the whole new 640 x 480 picture,
// and gestures sent to the canvas widget as a person makes them.

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "editor/core/MainWindowFixture.h"

namespace tupalo {

class CanvasTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ASSERT_EQ(start(), P_WIN::StartResult::Running);
    win->resize(900, 700);
    ASSERT_EQ(editor.ViewSize, (Pair{640, 480}));
    ASSERT_EQ(editor.settings.IDSP, 1);
  }

  void mouse(QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons held) {
    const QPointF p(x, y);
    QMouseEvent ev(type, p, win->DRAW->mapToGlobal(p), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(win->DRAW, &ev);
  }
  void press(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
    mouse(QEvent::MouseButtonPress, x, y, b, b);
  }
  void move(int x, int y, Qt::MouseButtons held = Qt::LeftButton) {
    mouse(QEvent::MouseMove, x, y, Qt::NoButton, held);
  }
  void release(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
    mouse(QEvent::MouseButtonRelease, x, y, b, Qt::NoButton);
  }
  void click(int x, int y) {
    move(x, y, Qt::NoButton);
    press(x, y);
    release(x, y);
  }
  // A double click as it arrives: press, release, double click, release.
  void doubleClick(int x, int y) {
    click(x, y);
    mouse(QEvent::MouseButtonDblClick, x, y, Qt::LeftButton, Qt::LeftButton);
    release(x, y);
  }
  // Press at `from`, wander about (so that rubber bands are drawn and erased
  // many times over each other), end at `to` and release there.
  void drag(QPoint from, QPoint to) {
    press(from.x(), from.y());
    const QPoint via[] = {from + QPoint(3, 1), to + QPoint(7, 5),  to - QPoint(4, 2),
                          (from + to) / 2,     to + QPoint(1, -1), to};
    for (const QPoint& p : via) move(p.x(), p.y());
    release(to.x(), to.y());
  }
  void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier, bool down = true,
           bool autoRepeat = false) {
    QKeyEvent ev(down ? QEvent::KeyPress : QEvent::KeyRelease, k, mods, QString(), autoRepeat);
    QCoreApplication::sendEvent(win->DRAW, &ev);
  }

 public:
  // The pixels (inside `area`) that are not white, row by row.
  std::vector<QPoint> inked(const raster::Surface& s, QRect area = QRect(0, 0, 640, 480)) const {
    std::vector<QPoint> out;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x)
        if (raster::GetPixel(s, x, y) != raster::rgb(255, 255, 255)) out.emplace_back(x, y);
    return out;
  }

 protected:
  // The canvas as a fresh redraw from the picture shows it.
  raster::Surface cleanCanvas() const {
    const Editor& e = editor;
    raster::Surface clean(e.ViewPixels.x, e.ViewPixels.y);
    raster::StretchBlt(clean, 0, 0, e.ViewPixels.x, e.ViewPixels.y, e.PIC, e.ViewOrigin.x,
                       e.ViewOrigin.y, e.ViewSize.x, e.ViewSize.y, raster::COLORONCOLOR);
    return clean;
  }
};

}  // namespace tupalo
