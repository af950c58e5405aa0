#pragma once
// Floating windows that belong to the main window (the palette, the colour
// window, the busy window): title-bar hints, and showing them again after the
// main window comes back from being minimised.

#include <QMargins>

class QWidget;

namespace tupalo {

// Makes `w` a tool window of its owner with a title bar that offers a close
// button when `closeButton` is set and no button at all otherwise: such a
// window can be neither minimised nor maximised on its own. A window that
// doesn't `takeFocus` leaves the keyboard where it is when clicked.
void makeToolWindow(QWidget* w, bool closeButton, bool takeFocus = true);

// Shows a floating window. A window the window manager minimised together with
// its owner keeps that state while it is hidden; shown as it is it would come
// up minimised and take its owner down with it, so the state is cleared first.
void showToolWindow(QWidget* w);

// The window frame around `w` as the window manager drew it; empty before the
// window is framed (or with no window manager).
QMargins frameMargins(const QWidget* w);

// Moves the top-level window `w` so that it, with a frame of `frame` around
// its inside, lies on the free area of its screen as far as it fits; when it
// doesn't fit, its title bar stays on the screen.
void keepOnScreen(QWidget* w, QMargins frame);

}  // namespace tupalo
