#include "editor/core/WAIT_WIN.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>
#include <cmath>

#include "editor/core/P_WIN.h"
#include "platform/FloatingWindow.h"

namespace tupalo {

namespace {
constexpr int kBarWidth = 280;
constexpr int kBarHeight = 18;
const QColor kLightCyan(0, 255, 255);  // basic colour 11
}  // namespace

ProgressSurface::ProgressSurface(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(1);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void ProgressSurface::resizeEvent(QResizeEvent* ev) {
  QFrame::resizeEvent(ev);
  fitImage();
}

void ProgressSurface::fitImage() {
  const QSize inner = contentsRect().size();
  if (image_.size() == inner) return;
  QImage next(inner, QImage::Format_RGB32);
  next.fill(palette().color(QPalette::Button));
  QPainter(&next).drawImage(0, 0, image_);
  image_ = next;
}

void ProgressSurface::Draw(double total, double done) {
  fitImage();
  if (image_.isNull()) return;
  if (total == 0) {
    image_.fill(palette().color(QPalette::Button));
    return;
  }
  double part = done / total;
  if (!(part > 0)) return;  // nothing done yet, or not a number
  if (part > 1) part = 1;
  const int w = static_cast<int>(std::nearbyint(image_.width() * part));
  QPainter(&image_).fillRect(0, 0, w, image_.height(), kLightCyan);
}

void ProgressSurface::paintEvent(QPaintEvent* ev) {
  QFrame::paintEvent(ev);
  QPainter(this).drawImage(contentsRect().topLeft(), image_);
}

WAIT_WIN::WAIT_WIN(P_WIN& owner) : QDialog(&owner), owner_(owner) {
  setObjectName(QStringLiteral("WAIT_WIN"));
  // No title-bar buttons: the operation that opened the window closes it.
  makeToolWindow(this, /*closeButton=*/false);
  setModal(false);
  // It must not take the keyboard from the window the user is typing in.
  setAttribute(Qt::WA_ShowWithoutActivating);
  FRAME = new QGroupBox(this);
  BAR = new ProgressSurface(FRAME);
  BAR->setFixedSize(kBarWidth + 2, kBarHeight + 2);
  auto* frameLayout = new QVBoxLayout(FRAME);
  frameLayout->addWidget(BAR);
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(FRAME);
  adjustSize();
}

std::vector<QWidget*> WAIT_WIN::busyTargets() const {
  std::vector<QWidget*> targets{&owner_};
  for (QWidget* w : owner_.floatingWindows()) targets.push_back(w);
  return targets;
}

void WAIT_WIN::repaintNow() {
  repaint();
  // Let the window system map and show it; the caller's loop runs on this
  // thread and would hold every repaint back. Input waits until we are done.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WAIT_WIN::Open(const QString& frameCaption) {
  if (depth_++ > 0) {
    outerCaptions_.append(FRAME->title());
    FRAME->setTitle(frameCaption);
    repaintNow();
    return;
  }
  setWindowTitle(owner_.editor().TitlePrefix + QStringLiteral("実行中"));
  FRAME->setTitle(frameCaption);
  BAR->Draw(0, 0);

  focus_ = QApplication::focusWidget();
  wasEnabled_.clear();
  const std::vector<QWidget*> targets = busyTargets();
  for (QWidget* w : targets) wasEnabled_.emplace_back(w, w->isEnabled());
  for (QWidget* w : targets) w->setEnabled(false);
  // Disabling the owner disables its child windows too; this one stays live.
  setEnabled(true);

  centreOnScreen();
  show();
  raise();
  centreOnScreen();  // again, now that the frame's size is known
  repaintNow();
}

void WAIT_WIN::centreOnScreen() {
  const QScreen* screen = owner_.screen() ? owner_.screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect s = screen->geometry();
  const QSize outer = frameGeometry().size();
  move(s.x() + (s.width() - outer.width()) / 2, s.y() + (s.height() - outer.height()) / 2);
}

void WAIT_WIN::ShowProgress(double total, double done) {
  BAR->Draw(total, done);
  BAR->repaint();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WAIT_WIN::SetCaption(const QString& frameCaption) {
  if (depth_ == 0) return;
  FRAME->setTitle(frameCaption);
  repaintNow();
}

void WAIT_WIN::Close() {
  if (depth_ == 0) return;
  if (--depth_ > 0) {
    FRAME->setTitle(outerCaptions_.takeLast());
    repaintNow();
    return;
  }
  hide();
  // The owner first: enabling it enables its child windows again.
  for (auto& [w, enabled] : wasEnabled_)
    if (w) w->setEnabled(enabled);
  wasEnabled_.clear();
  if (focus_ && focus_->isEnabled()) focus_->setFocus(Qt::OtherFocusReason);
  focus_ = nullptr;
}

void WAIT_WIN::closeEvent(QCloseEvent* ev) {
  // The window manager's close would leave the editor disabled.
  if (depth_ > 0)
    ev->ignore();
  else
    QDialog::closeEvent(ev);
}

}  // namespace tupalo
