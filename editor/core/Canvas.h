#pragma once
// The canvas DRAW (shows the DRAW surface 1:1) and its container DMY.

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
  Editor& e_;
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
