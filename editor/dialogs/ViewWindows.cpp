#include "editor/dialogs/ViewWindows.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <cmath>

#include "editor/core/P_WIN.h"
#include "platform/FloatingWindow.h"

namespace tupalo {

// ---------------------------------------------------------------------------
// What both windows share

SideWindow::SideWindow(Editor& e, P_WIN& owner, int16_t Settings::*shownFlag)
    : QWidget(&owner, Qt::Tool), e_(e), owner_(owner), shownFlag_(shownFlag) {
  // A click in them must leave the keyboard with the canvas.
  makeToolWindow(this, /*closeButton=*/true, /*takeFocus=*/false);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(128, 128, 128));
  setPalette(pal);
  setAutoFillBackground(true);
}

int SideWindow::toPixels(int32_t twips) const {
  return static_cast<int>(std::nearbyint(twips / owner_.twipsPerPixel()));
}

int32_t SideWindow::toTwips(int pixels) const {
  return static_cast<int32_t>(std::nearbyint(pixels * owner_.twipsPerPixel()));
}

int32_t SideWindow::screenTwips(bool width) const {
  const QScreen* s = owner_.screen() ? owner_.screen() : QGuiApplication::primaryScreen();
  const QRect g = s ? s->geometry() : QRect(0, 0, 1024, 768);
  return toTwips(width ? g.width() : g.height());
}

void SideWindow::KeepTitleBarOnScreen() {
  // Until the window manager has framed this window its frame is taken to be
  // like the palettes'.
  QMargins frame = frameMargins(this);
  for (QWidget* w : owner_.floatingWindows())
    if (frame.isNull()) frame = frameMargins(w);
  keepOnScreen(this, frame);
  // At start-up nothing is framed yet: look again once this window is.
  if (frame.isNull())
    QTimer::singleShot(300, this, [this] {
      if (isVisible() && !frameMargins(this).isNull()) keepOnScreen(this, frameMargins(this));
    });
}

void SideWindow::Open() {
  e_.settings.*shownFlag_ = 1;
  if (!loaded_) {
    loaded_ = true;
    Load();
  }
  Follow();
  if (isVisible()) raise();
}

void SideWindow::CloseFromPalette() {
  if (loaded_) StorePosition();
  e_.settings.*shownFlag_ = 0;
  Follow();
}

void SideWindow::Unload() {
  if (loaded_) StorePosition();
  hide();
}

void SideWindow::SetAside(Aside why, bool aside) {
  if (aside)
    aside_ |= static_cast<unsigned>(why);
  else
    aside_ &= ~static_cast<unsigned>(why);
  Follow();
}

void SideWindow::Follow() {
  const bool want = loaded_ && e_.settings.*shownFlag_ == 1 && aside_ == 0 && e_.Running == 1;
  if (want && !isVisible())
    showToolWindow(this);
  else if (!want && isVisible())
    hide();
}

void SideWindow::closeEvent(QCloseEvent* ev) {
  // Closed by the user: it stays closed at the next start. The editor
  // shutting down keeps the flag, so the window comes back.
  if (loaded_) StorePosition();
  if (e_.Running == 1 && e_.settings.*shownFlag_ == 1) {
    e_.settings.*shownFlag_ = 0;
    emit closedByUser();
  }
  ev->accept();
}

// ---------------------------------------------------------------------------
// The overview

BIRD_WIN::BIRD_WIN(Editor& e, P_WIN& owner) : SideWindow(e, owner, &Settings::BEWD) {
  setObjectName(QStringLiteral("BIRD_WIN"));
  VIEW = new SurfaceBox(this);
  VIEW->setObjectName(QStringLiteral("VIEW"));
  VIEW->move(0, 0);
  VIEW->setCursor(Qt::CrossCursor);
  VIEW->onPress = [this](Qt::MouseButton b, int x, int y) {
    if (b == Qt::LeftButton) VIEW_MouseDown(x, y);
  };
  setMinimumSize(16, 16);
}

void BIRD_WIN::Load() {
  setWindowTitle(e_.TitlePrefix + QStringLiteral(" View"));
  Settings& s = e_.settings;
  // The stored place, pulled back onto this screen.
  s.BEWL = KeepPlaceOnScreen(s.BEWL, s.BEWW, screenTwips(true));
  s.BEWT = KeepPlaceOnScreen(s.BEWT, s.BEWH, screenTwips(false));
  setGeometry(toPixels(s.BEWL), toPixels(s.BEWT), std::max(1, toPixels(s.BEWW)),
              std::max(1, toPixels(s.BEWH)));
  KeepTitleBarOnScreen();
  Resize();
}

void BIRD_WIN::resizeEvent(QResizeEvent* ev) {
  QWidget::resizeEvent(ev);
  if (loaded()) Resize();
}

void BIRD_WIN::Resize() {
  const std::optional<OverviewFit> fit =
      FitOverview(e_.PIC.width(), e_.PIC.height(), width(), height());
  if (!fit) return;  // nothing fits an empty inside (minimised, collapsed)
  OverviewScale = fit->scale;
  VIEW->setPictureSize(fit->width, fit->height);
  scaler_.Prepare(e_.PIC.width(), e_.PIC.height(), fit->width, fit->height);
  scaler_.DrawAll(e_.PIC, VIEW->surface);
  VIEW->update();
  StorePosition();
}

void BIRD_WIN::Rebuild() {
  if (e_.settings.BEAU == 1 && e_.settings.BEWD == 1 && loaded()) Resize();
}

void BIRD_WIN::UpdateOverview(int left, int top, int right, int bottom) {
  if (e_.settings.BEAU != 1 || e_.settings.BEWD != 1 || !loaded()) return;
  if (!scaler_.fits(e_.PIC, VIEW->surface)) {
    // The picture is not the one last fitted: draw it all.
    Resize();
    return;
  }
  scaler_.DrawRect(e_.PIC, VIEW->surface, left, top, right, bottom);
  VIEW->update();
}

void BIRD_WIN::StorePosition() {
  const QRect g = geometry();
  Settings& s = e_.settings;
  s.BEWT = toTwips(g.top());
  s.BEWL = toTwips(g.left());
  s.BEWW = toTwips(g.width());
  s.BEWH = toTwips(g.height());
}

void BIRD_WIN::VIEW_MouseDown(int x, int y) {
  owner_.MoveViewTo(OverviewClickOrigin(OverviewScale, x, y, e_.ViewSize, e_.PicSize));
}

// ---------------------------------------------------------------------------
// The magnifier

LUPE_WIN::LUPE_WIN(Editor& e, P_WIN& owner) : SideWindow(e, owner, &Settings::MLDS) {
  setObjectName(QStringLiteral("LUPE_WIN"));
  LUPE_DSP = new SurfaceBox(this);
  LUPE_DSP->setObjectName(QStringLiteral("LUPE_DSP"));
  LUPE_DSP->setPictureSize(kLupeSize, kLupeSize);
  LUPE_DSP->surface.fill(kLupeOutside);
  LUPE_DSP->move(0, 0);
  setFixedSize(kLupeSize, kLupeSize);
}

void LUPE_WIN::Load() {
  setWindowTitle(e_.TitlePrefix + QStringLiteral(" Mini Lupe"));
  BuildLupeMask(LUPE_MASK);
  Settings& s = e_.settings;
  s.MLLF = KeepPlaceOnScreen(s.MLLF, toTwips(width()), screenTwips(true));
  s.MLTP = KeepPlaceOnScreen(s.MLTP, toTwips(height()), screenTwips(false));
  setGeometry(toPixels(s.MLLF), toPixels(s.MLTP), kLupeSize, kLupeSize);
  KeepTitleBarOnScreen();
  UpdateMagnifier(LastX, LastY);
}

void LUPE_WIN::showEvent(QShowEvent* ev) {
  QWidget::showEvent(ev);
  // The canvas may have changed while it was out of sight.
  UpdateMagnifier(LastX, LastY);
}

void LUPE_WIN::UpdateMagnifier(int x, int y) {
  if (e_.settings.MLDS != 1) return;
  LastX = x;
  LastY = y;
  if (!loaded()) return;
  RenderLupe(e_.DRAW, x, y, LUPE_MASK, LUPE_TMP, LUPE_DSP->surface);
  LUPE_DSP->update();
}

void LUPE_WIN::StorePosition() {
  e_.settings.MLTP = toTwips(geometry().top());
  e_.settings.MLLF = toTwips(geometry().left());
}

}  // namespace tupalo
