#include "editor/core/Canvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "editor/core/FloatingPiece.h"
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
  QRect piece;
  if (e_.WorkShown) {
    const WindowRect r = PieceRect(e_);
    if (!r.empty()) piece = QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom));
  }
  // Zoomed pixels are already hard-edged blocks in DRAW: paint 1:1, only the
  // parts that need it (the edges of a large rubber band, not its inside).
  // A rectangular piece hides the canvas under it: only what it left is
  // painted from DRAW, so a move costs the area left and entered.
  QRegion canvasPart = ev->region();
  if (!piece.isEmpty() && e_.PieceMask.width() == 0) canvasPart -= piece;
  for (const QRect& part : canvasPart) {
    const QRect r = part & img.rect();
    if (!r.isEmpty()) p.drawImage(r.topLeft(), img, r);
  }
  if (!piece.isEmpty()) PaintPiece(p, piece, ev->region().boundingRect() & rect());
  if (e_.WordShown) PaintWord(p);
}

void CanvasWidget::PaintPiece(QPainter& p, const QRect& piece, const QRect& dirty) {
  const QRect shown = piece & dirty;
  if (shown.isEmpty()) return;
  QImage image = asQImage(e_.WORK);
  if (e_.PieceMask.width() > 0) {
    if (shapedGeneration_ != e_.PieceGeneration || shapedPiece_.size() != image.size()) {
      shapedPiece_ = QImage(image.size(), QImage::Format_ARGB32_Premultiplied);
      shapedPiece_.fill(Qt::transparent);
      for (const raster::Span& s : e_.PieceMask.spans())
        std::copy(e_.WORK.row(s.y) + s.x0, e_.WORK.row(s.y) + s.x1,
                  reinterpret_cast<QRgb*>(shapedPiece_.scanLine(s.y)) + s.x0);
      shapedGeneration_ = e_.PieceGeneration;
    }
    image = shapedPiece_;
  }
  // Only the WORK pixels under the part to paint, each a z x z block.
  const int z = e_.PieceScale;
  const int x0 = (shown.left() - piece.left()) / z, x1 = (shown.right() - piece.left()) / z;
  const int y0 = (shown.top() - piece.top()) / z, y1 = (shown.bottom() - piece.top()) / z;
  const QRect source(QPoint(x0, y0), QPoint(x1, y1));
  const QRect target(piece.left() + x0 * z, piece.top() + y0 * z, source.width() * z,
                     source.height() * z);
  if (z == 1)
    p.drawImage(target.topLeft(), image, source);
  else
    p.drawImage(target, image, source);
}

void CanvasWidget::PaintWord(QPainter& p) {
  const WordLabel& word = e_.WORD;
  const int w = word.glyphs.width(), h = word.glyphs.height();
  if (w <= 0 || h <= 0) return;
  if (wordGeneration_ != word.generation || wordColour_ != word.colour) {
    wordImage_ = QImage(w, h, QImage::Format_ARGB32_Premultiplied);
    wordImage_.fill(Qt::transparent);
    const QRgb ink = raster::toPixel(word.colour);
    for (const raster::Span& s : word.glyphs.spans())
      std::fill_n(reinterpret_cast<QRgb*>(wordImage_.scanLine(s.y)) + s.x0, s.x1 - s.x0, ink);
    wordGeneration_ = word.generation;
    wordColour_ = word.colour;
  }
  const int z = e_.ZoomFactor;
  const QRect label(word.pos.x, word.pos.y, w * z, h * z);
  p.drawImage(label, wordImage_);
  // The label's extent, whatever the colours under it.
  p.setPen(QPen(QColor(128, 128, 128), 1, Qt::DotLine));
  p.setBrush(Qt::NoBrush);
  p.drawRect(label.adjusted(-1, -1, 0, 0));
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
