#pragma once
// The canvas DRAW (shows the DRAW surface 1:1, and above it the floating
// piece WORK and the text label WORD) and its container DMY.

#include <QImage>
#include <QWidget>
#include <functional>

#include "editor/core/Editor.h"

namespace tupalo {

class CanvasWidget : public QWidget {
  Q_OBJECT
 public:
  CanvasWidget(Editor& e, QWidget* parent);

  // Repaints only the given window-pixel rectangle of the canvas.
  void refresh(int x, int y, int w, int h) { update(x, y, w, h); }
  void refreshAll() { update(); }

  std::function<void(QMouseEvent*)> onPress, onMove, onRelease, onDoubleClick;

 protected:
  void paintEvent(QPaintEvent* ev) override;
  void mousePressEvent(QMouseEvent* ev) override;
  void mouseMoveEvent(QMouseEvent* ev) override;
  void mouseReleaseEvent(QMouseEvent* ev) override;
  void mouseDoubleClickEvent(QMouseEvent* ev) override;

 private:
  void PaintPiece(QPainter& p, const QRect& piece, const QRect& dirty);
  void PaintWord(QPainter& p);

  Editor& e_;
  // A shaped piece with its outside transparent, and the text label's
  // letters on a transparent ground; made again when they change.
  QImage shapedPiece_, wordImage_;
  uint32_t shapedGeneration_ = 0, wordGeneration_ = 0;
  raster::ColourRef wordColour_ = 0;
};

class CanvasContainer : public QWidget {
  Q_OBJECT
 public:
  explicit CanvasContainer(QWidget* parent);
  std::function<void()> onRightClick;

 protected:
  void mousePressEvent(QMouseEvent* ev) override;
};

}  // namespace tupalo
