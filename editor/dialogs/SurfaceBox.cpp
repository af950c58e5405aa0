#include "editor/dialogs/SurfaceBox.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "platform/QtSurface.h"

namespace tupalo {

SurfaceBox::SurfaceBox(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void SurfaceBox::setPictureSize(int w, int h) {
  surface.resize(std::max(w, 0), std::max(h, 0));
  resize(std::max(w, 0), std::max(h, 0));
}

void SurfaceBox::paintEvent(QPaintEvent* ev) {
  QPainter p(this);
  const QImage img = asQImage(std::as_const(surface));
  for (const QRect& part : ev->region()) {
    const QRect r = part & img.rect();
    if (!r.isEmpty()) p.drawImage(r.topLeft(), img, r);
    // Whatever the picture leaves uncovered shows the window's face.
    for (const QRect& rest : QRegion(part).subtracted(QRegion(img.rect())))
      p.fillRect(rest, palette().color(QPalette::Window));
  }
}

void SurfaceBox::mousePressEvent(QMouseEvent* ev) {
  const QPoint at = ev->position().toPoint();
  if (onPress) onPress(ev->button(), at.x(), at.y());
}

}  // namespace tupalo
