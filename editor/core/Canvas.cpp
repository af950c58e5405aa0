#include "editor/core/Canvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "platform/QtSurface.h"

namespace tupalo {

CanvasWidget::CanvasWidget(Editor& e, QWidget* parent) : QWidget(parent), e_(e) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
}

void CanvasWidget::paintEvent(QPaintEvent* ev) {
  if (e_.DRAW.empty()) return;
  QPainter p(this);
  const QImage img = asQImage(e_.DRAW);
  // Zoomed pixels are already hard-edged blocks in DRAW: paint 1:1, only the
  // parts that need it (the edges of a large rubber band, not its inside).
  for (const QRect& part : ev->region()) {
    const QRect r = part & img.rect();
    if (!r.isEmpty()) p.drawImage(r.topLeft(), img, r);
  }
}

void CanvasWidget::mousePressEvent(QMouseEvent* ev) {
  if (onPress) onPress(ev);
}
void CanvasWidget::mouseMoveEvent(QMouseEvent* ev) {
  if (onMove) onMove(ev);
}
void CanvasWidget::mouseReleaseEvent(QMouseEvent* ev) {
  if (onRelease) onRelease(ev);
}
void CanvasWidget::mouseDoubleClickEvent(QMouseEvent* ev) {
  if (onDoubleClick) onDoubleClick(ev);
}

CanvasContainer::CanvasContainer(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(128, 128, 128));
  setPalette(pal);
}

void CanvasContainer::mousePressEvent(QMouseEvent* ev) {
  if (ev->button() == Qt::RightButton && onRightClick) onRightClick();
}

}  // namespace tupalo
