#include "editor/palette/StripButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include "editor/palette/PaletteTables.h"

namespace tupalo {

using palette::kButtonSize;

StripButton::StripButton(const QPixmap& strip, int cell, QWidget* parent)
    : QAbstractButton(parent), strip_(strip), cell_(cell) {
  setFixedSize(kButtonSize, kButtonSize);
  setFocusPolicy(Qt::NoFocus);
}

QSize StripButton::sizeHint() const { return {kButtonSize, kButtonSize}; }

void StripButton::setFace(int cell, int row) {
  if (cell == cell_ && row == row_) return;
  cell_ = cell;
  row_ = row;
  update();
}

QPixmap StripButton::face() const {
  if (strip_.isNull()) return {};
  return strip_.copy(kButtonSize * cell_, kButtonSize * row_, kButtonSize, kButtonSize);
}

void StripButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  // While the mouse holds it the button looks pressed, whatever its state.
  const int row = isDown() ? 1 : row_;
  QPixmap pix = strip_.isNull()
                    ? QPixmap()
                    : strip_.copy(kButtonSize * cell_, kButtonSize * row, kButtonSize, kButtonSize);
  if (pix.isNull()) {
    // No strip in the program folder: a plain face keeps the button usable.
    QStyleOptionButton opt;
    opt.initFrom(this);
    if (row == 1) opt.state |= QStyle::State_Sunken;
    style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &opt, &p, this);
    return;
  }
  if (!isEnabled()) {
    QStyleOption opt;
    opt.initFrom(this);
    pix = style()->generatedIconPixmap(QIcon::Disabled, pix, &opt);
  }
  p.drawPixmap(0, 0, pix);
}

// Right clicks count as clicks too: the palette opens a tool's settings with
// them. The press is announced first so the handler knows which button it was.
void StripButton::mousePressEvent(QMouseEvent* ev) {
  if (ev->button() == Qt::LeftButton || ev->button() == Qt::RightButton)
    emit mouseDown(ev->button());
  if (ev->button() == Qt::RightButton) {
    rightDown_ = true;
    setDown(true);
    ev->accept();
    return;
  }
  QAbstractButton::mousePressEvent(ev);
}

void StripButton::mouseReleaseEvent(QMouseEvent* ev) {
  if (ev->button() == Qt::RightButton && rightDown_) {
    rightDown_ = false;
    setDown(false);
    ev->accept();
    if (hitButton(ev->position().toPoint())) emit clicked();
    return;
  }
  QAbstractButton::mouseReleaseEvent(ev);
}

}  // namespace tupalo
