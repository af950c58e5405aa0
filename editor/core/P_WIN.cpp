#include "editor/core/P_WIN.h"

#include <QApplication>
#include <QBitmap>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QScreen>
#include <QUrl>
#include <algorithm>
#include <cmath>

#include "editor/core/MainWindowsDisabled.h"
#include "editor/core/PictureCommands.h"
#include "editor/core/ToolEngine.h"
#include "editor/core/ToolTable.h"
#include "editor/core/Undo.h"
#include "editor/core/WAIT_WIN.h"
#include "editor/core/WindowPlaces.h"
#include "platform/FloatingWindow.h"

namespace tupalo {

P_WIN::P_WIN(Editor& e, Options options) : QWidget(nullptr), e_(e), options_(options) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  DMY = new CanvasContainer(this);
  DRAW = new CanvasWidget(e_, DMY);
  DRAW->move(0, 0);
  X_SC = new QScrollBar(Qt::Horizontal, this);
  Y_SC = new QScrollBar(Qt::Vertical, this);
  RB = new QToolButton(this);
  RB->setAutoRaise(false);
  RB->setIconSize(QSize(14, 14));
  RB->setFocusPolicy(Qt::NoFocus);
  RB->setToolTip(QStringLiteral("ステータスライン 表示/非表示"));
  auto makeLabel = [this](const char* name) {
    auto* l = new QLabel(this);
    l->setObjectName(QLatin1String(name));
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setTextFormat(Qt::PlainText);
    l->setIndent(3);
    return l;
  };
  INF_CMD = makeLabel("INF_CMD");
  INF_POSX = makeLabel("INF_POSX");
  INF_POSY = makeLabel("INF_POSY");
  INF_SUB = makeLabel("INF_SUB");

  connect(X_SC, &QScrollBar::valueChanged, this, [this](int v) { ScrollChanged(true, v); });
  connect(Y_SC, &QScrollBar::valueChanged, this, [this](int v) { ScrollChanged(false, v); });
  connect(RB, &QToolButton::clicked, this, [this] { ToggleStatusLine(); });
  DMY->onRightClick = [this] { TogglePalettes(); };
  engine = std::make_unique<ToolEngine>(*this);
  auto at = [](QMouseEvent* ev) { return ev->position().toPoint(); };
  DRAW->onPress = [this, at](QMouseEvent* ev) {
    engine->MouseDown(ev->button(), ev->modifiers(), at(ev).x(), at(ev).y());
  };
  DRAW->onMove = [this, at](QMouseEvent* ev) {
    engine->MouseMove(ev->buttons(), ev->modifiers(), at(ev).x(), at(ev).y());
  };
  DRAW->onRelease = [this, at](QMouseEvent* ev) {
    engine->MouseUp(ev->button(), ev->modifiers(), at(ev).x(), at(ev).y());
  };
  DRAW->onDoubleClick = [this, at](QMouseEvent* ev) {
    if (ev->button() == Qt::LeftButton) engine->DoubleClick(at(ev).x(), at(ev).y());
  };
  connect(&Timer1, &QTimer::timeout, this, [this] { engine->Timer1Tick(); });
  connect(&Timer2, &QTimer::timeout, this, [this] { Timer2_Timer(*this); });
  waitWin = new WAIT_WIN(*this);
  places_ = std::make_unique<WindowPlaces>(*this);

  Timer2.setInterval(60000);
  resize(820, 620);
  LayoutWindow();
}

P_WIN::~P_WIN() = default;

double P_WIN::twipsPerPixel() const {
  const double dpi = logicalDpiX() > 0 ? logicalDpiX() : 96.0;
  return 1440.0 / dpi;
}

CanvasFrame P_WIN::canvasFrame() const {
  return {DMY->width(), DMY->height(), DRAW->x(), DRAW->y()};
}

int P_WIN::statusLineHeight() const { return INF_POSX->sizeHint().height() + 5; }

// ---------------------------------------------------------------------------
// Layout and view

void P_WIN::LayoutWindow() {
  const int w = width(), h = height();
  if (w <= 30 || h <= 30) return;
  const int sbw = Y_SC->sizeHint().width();
  const int sbh = X_SC->sizeHint().height();
  const bool status = e_.settings.IDSP == 1;
  const int statusH = status ? statusLineHeight() : 0;
  const int dmyW = std::max(1, w - sbw);
  const int dmyH = std::max(1, h - sbh - statusH);
  DMY->setGeometry(0, 0, dmyW, dmyH);
  X_SC->setGeometry(0, dmyH, dmyW, sbh);
  Y_SC->setGeometry(dmyW, 0, sbw, dmyH);
  RB->setGeometry(dmyW, dmyH, sbw, sbh);
  for (QLabel* l : {INF_CMD, INF_POSX, INF_POSY, INF_SUB}) l->setVisible(status);
  if (status) {
    const int y = h - statusH + 2;
    const int lh = statusH - 4;
    const int cmdW = 150, posW = 80;
    INF_CMD->setGeometry(2, y, cmdW, lh);
    INF_POSX->setGeometry(4 + cmdW, y, posW, lh);
    INF_POSY->setGeometry(6 + cmdW + posW, y, posW, lh);
    INF_SUB->setGeometry(8 + cmdW + 2 * posW, y, std::max(10, w - (10 + cmdW + 2 * posW)), lh);
  }
  DoRelayout();
}

void P_WIN::DoRelayout() {
  const int16_t undoBefore = e_.UndoAvailable;
  const ScrollRanges r = Relayout(e_, canvasFrame());
  if (undoBefore == 1 && e_.UndoAvailable == 0) EnableUndoButton(UndoButton::Disabled);
  DRAW->resize(e_.ViewPixels.x, e_.ViewPixels.y);
  DRAW->refreshAll();

  // Apply the ranges without running the scroll handler; if a range clipped
  // the position, the view follows as if the user had scrolled.
  const QSignalBlocker bx(X_SC), by(Y_SC);
  X_SC->setRange(0, r.horizontalMax);
  X_SC->setPageStep(std::max(1, e_.ViewSize.x));
  X_SC->setSingleStep(std::max(1, e_.ViewSize.x / 16));
  X_SC->setEnabled(r.horizontalOn);
  Y_SC->setRange(0, r.verticalMax);
  Y_SC->setPageStep(std::max(1, e_.ViewSize.y));
  Y_SC->setSingleStep(std::max(1, e_.ViewSize.y / 16));
  Y_SC->setEnabled(r.verticalOn);
  X_SC->setValue(e_.ViewOrigin.x);
  Y_SC->setValue(e_.ViewOrigin.y);
  const bool moveX = X_SC->value() != e_.ViewOrigin.x;
  const bool moveY = Y_SC->value() != e_.ViewOrigin.y;
  if (moveX) ScrollChanged(true, X_SC->value());
  if (moveY) ScrollChanged(false, Y_SC->value());
}

void P_WIN::ScrollChanged(bool horizontal, int value) {
  if (e_.UndoAvailable == 1) InvalidateUndo();
  ScrollTo(e_, horizontal, value);
  DRAW->refreshAll();
  RefreshPointerPosition();
}

void P_WIN::RefreshPointerPosition() {
  const QPoint p = DRAW->mapFromGlobal(QCursor::pos());
  if (DRAW->rect().contains(p)) ShowPointerPosition(p.x(), p.y());
}

void P_WIN::ZoomTo(int X, int Y, int newZoom) {
  const Pair origin = ZoomAt(e_, canvasFrame(), X, Y, newZoom);
  // The stored undo region no longer matches the view once the zoom changes.
  if (e_.UndoAvailable == 1) InvalidateUndo();
  e_.ZoomFactor = newZoom;
  e_.ViewOrigin = origin;
  DoRelayout();
  // The same pointer stands over another picture pixel now.
  RefreshPointerPosition();
}

void P_WIN::CommitView(const WindowRect& drawn) {
  tupalo::CommitView(e_);
  WindowRect changed;
  if (!drawn.empty()) {
    const int z = e_.ZoomFactor;
    changed = {drawn.left / z, drawn.top / z, drawn.right / z, drawn.bottom / z};
  }
  AnnounceCommitted(changed);
}

void P_WIN::CommitRect(int x1, int y1, int x2, int y2) {
  const WindowRect done = tupalo::CommitRect(e_, x1, y1, x2, y2);
  if (!done.empty()) AnnounceCommitted(done);
}

void P_WIN::AnnounceCommitted(const WindowRect& viewPixels) {
  const int ox = e_.ViewOrigin.x, oy = e_.ViewOrigin.y;
  WindowRect r =
      viewPixels.empty() ? WindowRect{0, 0, e_.ViewSize.x - 1, e_.ViewSize.y - 1} : viewPixels;
  r = {std::max(r.left, 0) + ox, std::max(r.top, 0) + oy, std::min(r.right, e_.ViewSize.x - 1) + ox,
       std::min(r.bottom, e_.ViewSize.y - 1) + oy};
  if (!r.empty()) emit pictureCommitted(r.left, r.top, r.right, r.bottom);
}

void P_WIN::MoveViewTo(Pair origin) {
  if (origin == e_.ViewOrigin) return;
  if (e_.UndoAvailable == 1) InvalidateUndo();
  e_.ViewOrigin = origin;
  DoRelayout();
  RefreshPointerPosition();
}

void P_WIN::InvalidateUndo() {
  e_.UndoAvailable = 0;
  EnableUndoButton(UndoButton::Disabled);
}

void P_WIN::EnableUndoButton(UndoButton state) { emit undoOffered(state == UndoButton::Enabled); }

void P_WIN::ShowPointerPosition(int X, int Y) {
  if (e_.settings.IDSP != 1) return;
  const Pair p = PicturePointAt(e_, X, Y);
  // Numbers carry a leading blank in place of a plus sign.
  auto num = [](int v) {
    return v < 0 ? QString::number(v) : QStringLiteral(" ") + QString::number(v);
  };
  INF_POSX->setText(QStringLiteral("X=") + num(p.x));
  INF_POSY->setText(QStringLiteral("Y=") + num(p.y));
}

void P_WIN::ShowToolName() {
  const ToolInfo info = ToolInfoOf(e_.ToolCode);
  emit toolShown(e_.ToolCode);
  SetPointer(PointerName(info.pointer));
  // The floating piece and the text overlay belong to their tools only.
  const bool work = info.overlay == Overlay::Work;
  const bool word = info.overlay == Overlay::Word;
  if (work != e_.WorkShown || word != e_.WordShown) {
    e_.WorkShown = work;
    e_.WordShown = word;
    DRAW->refreshAll();
  }
  emit toolSettingsFollowTool(info.settings);
  if (e_.settings.IDSP == 1) INF_CMD->setText(QString::fromLatin1(info.statusName));
}

void P_WIN::SelectTool(int code) {
  EndPendingGesture();
  e_.ToolCode = code;
  // What the last tool said about its gesture belongs to it.
  if (e_.settings.IDSP == 1) INF_SUB->setText(QStringLiteral(" "));
  ShowToolName();
}

void P_WIN::EndPendingGesture() {
  if (engine->GesturePending()) engine->CancelGesture();
}

void P_WIN::SetPointer(const QString& name) {
  const QCursor pointer = PointerShape(name);
  DRAW->setCursor(pointer);
  for (QWidget* w : floatingWindows()) w->setCursor(pointer);
}

QCursor P_WIN::PointerShape(const QString& name) {
  struct Kind {
    const char* name;
    int hotX, hotY;  // where the pointer points, in its 32 x 32 picture
  };
  static constexpr Kind kKinds[] = {
      {"PAINT", 6, 28}, {"SPOIT", 0, 31}, {"LUPE", 10, 10}, {"WAIT", 15, 15}, {"SPRAY", 6, 8}};
  for (const Kind& k : kKinds) {
    if (name != QLatin1String(k.name)) continue;
    if (const auto it = pointers_.find(name); it != pointers_.end()) return it->second;
    const QImage img = QImage(e_.AppPath + QLatin1Char('/') + name + QStringLiteral("_CUR.bmp"))
                           .convertToFormat(QImage::Format_RGB32);
    if (img.isNull()) return QCursor(Qt::ArrowCursor);  // a missing picture gives the arrow
    QPixmap pixmap = QPixmap::fromImage(img);
    // Magenta is the transparent key colour of the pointer pictures.
    pixmap.setMask(
        QBitmap::fromImage(img.createMaskFromColor(qRgb(255, 0, 255), Qt::MaskOutColor)));
    const QCursor pointer(pixmap, k.hotX, k.hotY);
    pointers_.emplace(name, pointer);
    return pointer;
  }
  return QCursor(Qt::ArrowCursor);
}

void P_WIN::ToggleStatusLine() {
  e_.settings.IDSP = static_cast<int16_t>(1 - e_.settings.IDSP);
  UpdateStatusLine();
}

void P_WIN::UpdateStatusLine() {
  const int row = e_.settings.IDSP == 1 ? 1 : 0;
  if (statusIcons_.isNull() || statusIcons_.height() < 28) {
    statusIcons_ = QPixmap(e_.AppPath + QStringLiteral("/UNDO_B_IMG.bmp"));
  }
  if (!statusIcons_.isNull()) RB->setIcon(QIcon(statusIcons_.copy(0, row * 14, 14, 14)));
  LayoutWindow();
  ShowToolName();
}

void P_WIN::TogglePalettes() {
  if (e_.PalettesShown == 1) {
    HidePalettes();
    e_.PalettesShown = 0;
  } else {
    e_.PalettesShown = 1;
    ShowPalettes();
  }
}

void P_WIN::HidePalettes() {
  for (QWidget* w : floatingWindows()) w->hide();
  emit palettesVisible(false);
}

void P_WIN::ShowPalettes() {
  if (e_.StartingUp == 1 || e_.PalettesShown != 1) return;
  // The colour window comes first: the palette places itself below it.
  for (QWidget* w : floatingWindows()) showToolWindow(w);
  emit palettesVisible(true);
}

void P_WIN::keyPressEvent(QKeyEvent* ev) {
  if (!engine->KeyDown(ev)) QWidget::keyPressEvent(ev);
}

void P_WIN::keyReleaseEvent(QKeyEvent* ev) {
  if (!engine->KeyUp(ev)) QWidget::keyReleaseEvent(ev);
}

// ---------------------------------------------------------------------------
// Window events

void P_WIN::resizeEvent(QResizeEvent* ev) {
  QWidget::resizeEvent(ev);
  LayoutWindow();
}

void P_WIN::changeEvent(QEvent* ev) {
  QWidget::changeEvent(ev);
  // A keypad key held down would never come back up to this window.
  if (ev->type() == QEvent::ActivationChange && !isActiveWindow()) engine->KeyboardLost();
  if (ev->type() != QEvent::WindowStateChange) return;
  if (isMinimized()) {
    HidePalettes();
    emit minimisedChanged(true);
  } else {
    ShowPalettes();
    emit minimisedChanged(false);
  }
}

void P_WIN::closeEvent(QCloseEvent* ev) {
  if (e_.QuitViaLauncher == 1 || shutDown_) {
    ev->accept();
    return;
  }
  // An add-in is converting or scanning: the editor waits for it first.
  if (e_.AddInWaiting > 0) {
    ev->ignore();
    return;
  }
  e_.ClosingRequested = 1;
  if (!QuitRoutine()) {
    e_.ClosingRequested = 0;
    ev->ignore();
    return;
  }
  ev->accept();
  QCoreApplication::quit();
}

void P_WIN::dragEnterEvent(QDragEnterEvent* ev) {
  if (ev->mimeData()->hasUrls()) {
    for (const QUrl& url : ev->mimeData()->urls())
      if (url.isLocalFile()) {
        ev->acceptProposedAction();
        return;
      }
  }
}

void P_WIN::dropEvent(QDropEvent* ev) {
  // Only the first file is used.
  for (const QUrl& url : ev->mimeData()->urls()) {
    if (!url.isLocalFile()) continue;
    ev->acceptProposedAction();
    const QString path = url.toLocalFile();
    // Let the drop finish before asking.
    QTimer::singleShot(0, this, [this, path] { HandleDroppedFile(path); });
    return;
  }
}

void P_WIN::HandleDroppedFile(const QString& path) { OpenDroppedPicture(*this, path); }

void MainWindowsDisabled::Disable(P_WIN& owner, QWidget* keep) {
  was_.clear();
  std::vector<QWidget*> targets{&owner};
  for (QWidget* w : owner.floatingWindows()) targets.push_back(w);
  for (QWidget* w : targets) was_.emplace_back(w, w->isEnabled());
  for (QWidget* w : targets) w->setEnabled(false);
  // Disabling the owner disables the windows it owns, `keep` too.
  if (keep) keep->setEnabled(true);
}

void MainWindowsDisabled::Restore() {
  // The main window first: enabling it enables the windows it owns again.
  for (auto& [w, enabled] : was_)
    if (w) w->setEnabled(enabled);
  was_.clear();
}

}  // namespace tupalo
