#include "editor/core/WindowPlaces.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "editor/core/P_WIN.h"

namespace tupalo {

int32_t WindowPlaces::toTwips(int pixels) const {
  return static_cast<int32_t>(std::nearbyint(pixels * w_.twipsPerPixel()));
}

int WindowPlaces::toPixels(int32_t twips) const {
  return static_cast<int>(std::nearbyint(twips / w_.twipsPerPixel()));
}

int32_t WindowPlaces::screenWidthTwips() const {
  const QScreen* s = w_.screen() ? w_.screen() : QGuiApplication::primaryScreen();
  return toTwips(s ? s->geometry().width() : 1024);
}

int32_t WindowPlaces::screenHeightTwips() const {
  const QScreen* s = w_.screen() ? w_.screen() : QGuiApplication::primaryScreen();
  return toTwips(s ? s->geometry().height() : 768);
}

// Positions and sizes are those of the window's inside: the window manager
// places that exactly, while frames differ from desktop to desktop, so what is
// written comes back unchanged at the next start. A maximised window gives its
// normal place, so that it can still be restored to it after the next start.
QRect WindowPlaces::rememberedGeometry() const {
  if (w_.isMaximized() && w_.normalGeometry().isValid()) return w_.normalGeometry();
  return w_.geometry();
}

int32_t WindowPlaces::mainTop() const { return toTwips(rememberedGeometry().top()); }
int32_t WindowPlaces::mainLeft() const { return toTwips(rememberedGeometry().left()); }
int32_t WindowPlaces::mainWidth() const { return toTwips(rememberedGeometry().width()); }
int32_t WindowPlaces::mainHeight() const { return toTwips(rememberedGeometry().height()); }

void WindowPlaces::setMainTop(int32_t v) {
  QRect g = w_.geometry();
  g.moveTop(toPixels(v));
  w_.setGeometry(g);
}

void WindowPlaces::setMainLeft(int32_t v) {
  QRect g = w_.geometry();
  g.moveLeft(toPixels(v));
  w_.setGeometry(g);
}

void WindowPlaces::setMainWidth(int32_t v) {
  QRect g = w_.geometry();
  g.setWidth(std::max(1, toPixels(v)));
  w_.setGeometry(g);
}

void WindowPlaces::setMainHeight(int32_t v) {
  QRect g = w_.geometry();
  g.setHeight(std::max(1, toPixels(v)));
  w_.setGeometry(g);
}

int16_t WindowPlaces::mainState() const {
  if (w_.windowState() & Qt::WindowMinimized) return 1;
  if (w_.windowState() & Qt::WindowMaximized) return 2;
  return 0;
}

void WindowPlaces::setMainState(int16_t s) {
  w_.setWindowState(s == 1   ? Qt::WindowMinimized
                    : s == 2 ? Qt::WindowMaximized
                             : Qt::WindowNoState);
}

void WindowPlaces::restoreMainIfMinimised() {
  if (w_.windowState() & Qt::WindowMinimized)
    w_.setWindowState(w_.windowState() & ~Qt::WindowMinimized);
}

// The overview's derived defaults put it below the palette, which stands
// directly below the colour window.
int32_t WindowPlaces::paletteTop() const {
  const QWidget* colour = w_.floatingWindow(P_WIN::Floating::ColourWindow);
  return w_.editor().settings.COWT + (colour ? toTwips(colour->frameGeometry().height()) : 0) + 1;
}

int32_t WindowPlaces::paletteHeight() const {
  const QWidget* palette = w_.floatingWindow(P_WIN::Floating::Palette);
  return palette ? toTwips(palette->frameGeometry().height()) : 0;
}

int32_t WindowPlaces::paletteWidth() const {
  const QWidget* palette = w_.floatingWindow(P_WIN::Floating::Palette);
  return palette ? toTwips(palette->frameGeometry().width()) : 0;
}

int32_t WindowPlaces::colourWindowLeft() const { return w_.editor().settings.COWL; }

void WindowPlaces::autosaveIntervalRead(int16_t asat) {
  Editor& e = w_.editor();
  e.AutosaveCountdown = asat;
  if (asat != 0)
    w_.Timer2.start();
  else
    w_.Timer2.stop();
}

}  // namespace tupalo
