#pragma once
// A 24 x 24 picture button whose face is one cell of a button strip: cell i
// at x = 24 i, the normal face in the top row, the highlighted face below.

#include <QAbstractButton>
#include <QPixmap>

namespace tupalo {

class StripButton : public QAbstractButton {
  Q_OBJECT
 public:
  StripButton(const QPixmap& strip, int cell, QWidget* parent);

  // row 0 normal, 1 highlighted (selected, pressed or switched on).
  void setFace(int cell, int row);
  int faceCell() const { return cell_; }
  int faceRow() const { return row_; }
  // The face the button shows now, as cut from the strip.
  QPixmap face() const;

  QSize sizeHint() const override;

 signals:
  // Every press, left or right, before the click.
  void mouseDown(Qt::MouseButton button);

 protected:
  void paintEvent(QPaintEvent* ev) override;
  void mousePressEvent(QMouseEvent* ev) override;
  void mouseReleaseEvent(QMouseEvent* ev) override;

 private:
  const QPixmap& strip_;
  int cell_;
  int row_ = 0;
  bool rightDown_ = false;
};

}  // namespace tupalo
