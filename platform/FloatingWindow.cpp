#include "platform/FloatingWindow.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace tupalo {

namespace {

// A tool window minimised on its own (by a window manager that still offers
// it a minimise button, or from a window menu) takes its owner down with it,
// as a group, so that restoring the owner brings the whole group back.
class MinimiseWithOwner : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* ev) override {
    if (ev->type() == QEvent::WindowStateChange) {
      auto* w = static_cast<QWidget*>(watched);
      QWidget* owner = w->parentWidget() ? w->parentWidget()->window() : nullptr;
      if (owner && w->isMinimized() && !owner->isMinimized()) owner->showMinimized();
    }
    return false;
  }
};

}  // namespace

void makeToolWindow(QWidget* w, bool closeButton, bool takeFocus) {
  Qt::WindowFlags flags = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (closeButton) flags |= Qt::WindowCloseButtonHint;
  if (!takeFocus) flags |= Qt::WindowDoesNotAcceptFocus;
  w->setWindowFlags(flags);
  // Some window managers keep their minimise button on utility windows
  // whatever the title-bar hints say; as a tool bar the window gets none.
  // The type is applied to the native window, so that one is made now.
  w->winId();
  w->setAttribute(Qt::WA_X11NetWmWindowTypeToolBar);
  w->installEventFilter(new MinimiseWithOwner(w));
}

void showToolWindow(QWidget* w) {
  if (w->windowState() & Qt::WindowMinimized)
    w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
  w->show();
}

QMargins frameMargins(const QWidget* w) {
  const QRect inside = w->geometry(), outside = w->frameGeometry();
  return {inside.left() - outside.left(), inside.top() - outside.top(),
          outside.right() - inside.right(), outside.bottom() - inside.bottom()};
}

void keepOnScreen(QWidget* w, QMargins frame) {
  const QScreen* screen = w->screen();
  if (!screen) return;
  const QRect room = screen->availableGeometry();
  const QRect outer = w->geometry().marginsAdded(frame);
  // Far edges first, then the near ones, so that the title bar wins.
  auto shift = [](int nearEdge, int farEdge, int roomNear, int roomFar) {
    int d = 0;
    if (farEdge > roomFar) d = roomFar - farEdge;
    if (nearEdge + d < roomNear) d = roomNear - nearEdge;
    return d;
  };
  const int dx = shift(outer.left(), outer.right(), room.left(), room.right());
  const int dy = shift(outer.top(), outer.bottom(), room.top(), room.bottom());
  if (dx != 0 || dy != 0) w->setGeometry(w->geometry().translated(dx, dy));
}

}  // namespace tupalo
