#pragma once
// A picture box of the dialogs: shows a surface 1:1 from its top-left corner
// and reports presses on it in its own pixels.

#include <QWidget>
#include <functional>

#include "platform/raster/Surface.h"

namespace tupalo {

class SurfaceBox : public QWidget {
  Q_OBJECT
 public:
  explicit SurfaceBox(QWidget* parent);

  // The picture shown; change it freely, then call update().
  raster::Surface surface;
  // Sizes the box and its surface together (the surface keeps its top-left).
  void setPictureSize(int w, int h);

  std::function<void(Qt::MouseButton, int x, int y)> onPress;

 protected:
  void paintEvent(QPaintEvent* ev) override;
  void mousePressEvent(QMouseEvent* ev) override;
};

}  // namespace tupalo
