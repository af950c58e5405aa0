#include "editor/core/ToolEngine.h"

#include <QCursor>
#include <QKeyEvent>
#include <algorithm>
#include <cstdlib>

#include "editor/core/FloatingPiece.h"
#include "editor/core/P_WIN.h"
#include "editor/core/Tool.h"
#include "editor/core/Undo.h"

namespace tupalo {

namespace {

// Numbers in the status line carry a leading blank in place of a plus sign.
QString num(int v) { return v < 0 ? QString::number(v) : QStringLiteral(" ") + QString::number(v); }

}  // namespace

ToolEngine::ToolEngine(P_WIN& w) : w_(w), e_(w.editor()) {}
ToolEngine::~ToolEngine() = default;

Tool* ToolEngine::ToolFor(int code) {
  const int base = BaseToolCode(code);
  if (auto it = tools_.find(base); it != tools_.end()) return it->second.get();
  // Tools whose row has no maker yet draw nothing and commit nothing: a
  // commit of an unchanged canvas would replace the user's undo step.
  const ToolInfo info = ToolInfoOf(base);
  std::unique_ptr<Tool> tool = info.make ? info.make(base) : nullptr;
  Tool* raw = tool.get();
  tools_[base] = std::move(tool);
  return raw;
}

void ToolEngine::ResetTools() {
  for (auto& [code, tool] : tools_)
    if (tool) tool->Reset();
}

// ---------------------------------------------------------------------------
// Mouse

void ToolEngine::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int X, int Y) {
  if (button == Qt::RightButton) {
    RightPress(X, Y);
    return;
  }
  if (button != Qt::LeftButton || busy_) return;
  busy_ = true;
  if (e_.DragActive == 1 && e_.ToolCode != tool::ExpLineNextVertex) {
    busy_ = false;
    // The magnifier window is updated here once it exists.
    return;
  }
  e_.DragActive = 1;
  e_.GestureStage = 1;
  TakePressColours();
  start_ = {X, Y};
  startPic_ = {X / e_.ZoomFactor, Y / e_.ZoomFactor};
  last_ = {X, Y};
  pressTaken_ = true;
  if (ToolInfoOf(e_.ToolCode).repeats) {
    w_.Timer1.setInterval(std::clamp<int>(e_.settings.SPRI, 1, 1000));
    w_.Timer1.start();
  }
  if (Tool* tool = ToolFor(e_.ToolCode)) tool->Press(*this, X, Y);
}

void ToolEngine::MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers, int X, int Y) {
  points_[static_cast<std::size_t>(std::clamp(e_.PointCount, 0, kMaxPoints))] = {X, Y};
  last_ = {X, Y};
  w_.ShowPointerPosition(X, Y);
  Tool* tool = ToolFor(e_.ToolCode);
  if (tool) {
    if ((buttons & Qt::LeftButton) || keypadButton_) {
      if (e_.DragActive == 1 && pressTaken_) tool->Drag(*this, X, Y);
    } else if (buttons == Qt::NoButton) {
      tool->Hover(*this, X, Y);
    }
  }
  // The magnifier window is updated here once it exists.
}

void ToolEngine::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers, int X, int Y) {
  if (button != Qt::LeftButton) return;
  if (!pressTaken_ || e_.DragActive == 0) {
    // The gesture was cancelled while the button was down.
    busy_ = false;
    pressTaken_ = false;
    return;
  }
  Tool* tool = ToolFor(e_.ToolCode);
  const bool changed = tool && tool->Release(*this, X, Y);
  FinishGesture(changed);
}

void ToolEngine::DoubleClick(int X, int Y) {
  Tool* tool = ToolFor(e_.ToolCode);
  if (!tool) return;
  if (const std::optional<bool> finished = tool->DoubleClick(*this, X, Y)) FinishGesture(*finished);
}

// The common end of a gesture.
void ToolEngine::FinishGesture(bool changed) {
  const int code = e_.ToolCode;
  w_.Timer1.stop();
  if (changed) {
    CommitChange(code);
    dirty_ = {};
    e_.GestureStage = 2;
    e_.UndoAvailable = 1;
    w_.EnableUndoButton(UndoButton::Enabled);
  } else if (!IsPendingMultiStep(code)) {
    // Nothing was drawn: no gesture is pending, and the undo stays as it was
    // (arming it here would offer a stale region).
    e_.GestureStage = e_.UndoAvailable == 1 ? 2 : 0;
    dirty_ = {};
  }
  // The connected expanded-mode line keeps the drag flag between its clicks.
  if (e_.ToolCode != tool::ExpLineNextVertex) e_.DragActive = 0;
  if (e_.ToolCode == tool::ExpLineEnded) e_.ToolCode = tool::ExpLineType2;
  busy_ = false;
  pressTaken_ = false;
  // The magnifier window is updated here once it exists.
}

void ToolEngine::CommitChange(int code) {
  // A run of dots writes back only what the gesture touched once an undo
  // step exists, so that it stays fast.
  if (e_.UndoAvailable == 1 && ToolInfoOf(code).commit == Commit::StrokeRect && !dirty_.empty())
    w_.CommitRect(dirty_.left, dirty_.top, dirty_.right, dirty_.bottom);
  else
    w_.CommitView();
}

void ToolEngine::RightPress(int X, int Y) {
  if (GesturePending()) {
    CancelGesture();
    return;
  }
  if (e_.settings.CDSP == 0) {
    w_.TogglePalettes();
    return;
  }
  PickCanvasColour(X, Y, e_.CurColor);
  emit w_.editedColourPicked();
}

bool ToolEngine::GesturePending() const {
  return e_.DragActive == 1 || e_.GestureStage == 1 || IsPendingMultiStep(e_.ToolCode);
}

void ToolEngine::CancelGesture() {
  // A piece just stamped is not stamped again.
  if (e_.ToolCode == tool::AreaCopyStamped || e_.ToolCode == tool::ExpCopyStamped)
    e_.ToolCode = BaseToolCode(e_.ToolCode);
  ShowSub(QStringLiteral(" "));
  w_.Timer1.stop();
  e_.DragActive = 0;
  e_.CanvasRedrawOff = false;
  ReturnToFirstStep(e_);
  ResetTools();
  dirty_ = {};
  pressTaken_ = false;
  e_.GestureStage = e_.UndoAvailable == 1 ? 2 : 0;
  RedrawCanvas();
}

void ToolEngine::Timer1Tick() {
  // The spray tools repeat at the last pointer position while held.
  if (e_.DragActive == 1 && ToolInfoOf(e_.ToolCode).repeats) {
    if (Tool* tool = ToolFor(e_.ToolCode)) tool->Tick(*this, last_.x, last_.y);
  }
  // The magnifier window is updated here once it exists.
}

// ---------------------------------------------------------------------------
// Keyboard

bool ToolEngine::KeyDown(QKeyEvent* ev) {
  const int key = ev->key();
  // The numeric keypad is a mouse: it works during a drag as a mouse would.
  if ((ev->modifiers() & Qt::KeypadModifier) && key >= Qt::Key_0 && key <= Qt::Key_9) {
    static constexpr int kStep[10][2] = {{0, 0}, {-1, 1}, {0, 1},   {1, 1},  {-1, 0},
                                         {0, 0}, {1, 0},  {-1, -1}, {0, -1}, {1, -1}};
    const int digit = key - Qt::Key_0;
    if (digit == 0) {
      // Auto-repeat of the held key must not press again.
      if (!ev->isAutoRepeat()) KeyMousePress(true);
    } else if (digit != 5) {
      MoveKeyMouse(kStep[digit][0], kStep[digit][1]);
    }
    return digit != 5;
  }
  // Keys wait while the button is held; the connected expanded line keeps
  // the drag flag between its clicks, and there they work as when idle.
  if (e_.DragActive != 0 && (e_.ToolCode != tool::ExpLineNextVertex || pressTaken_)) return false;

  // Qt key codes do not depend on case, so letters are upper case already.
  const bool shift = ev->modifiers() & Qt::ShiftModifier;
  auto scroll = [&](QScrollBar* sb, int d) {
    sb->setValue(std::clamp(sb->value() + d * (shift ? 16 : 1), sb->minimum(), sb->maximum()));
    return true;
  };
  switch (key) {
    case Qt::Key_Left:
      return scroll(w_.X_SC, -1);
    case Qt::Key_Right:
      return scroll(w_.X_SC, 1);
    case Qt::Key_Up:
      return scroll(w_.Y_SC, -1);
    case Qt::Key_Down:
      return scroll(w_.Y_SC, 1);
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      emit w_.penSizeStepped(key == Qt::Key_PageUp ? 1 : -1);
      return true;
    case Qt::Key_1:
      PickCanvasColour(last_.x, last_.y, e_.Color1);
      if (e_.UseSecondColor == 0) e_.CurColor = e_.Color1;
      emit w_.colourKeyPicked(1);
      return true;
    case Qt::Key_2:
      PickCanvasColour(last_.x, last_.y, e_.Color2);
      if (e_.UseSecondColor == 1) e_.CurColor = e_.Color2;
      emit w_.colourKeyPicked(2);
      return true;
    case Qt::Key_Space:
      Undo(w_);  // the palette's undo button does the same
      return true;
    default:
      return false;
  }
}

bool ToolEngine::KeyUp(QKeyEvent* ev) {
  if ((ev->modifiers() & Qt::KeypadModifier) && ev->key() == Qt::Key_0) {
    if (!ev->isAutoRepeat()) KeyMousePress(false);
    return true;
  }
  return false;
}

void ToolEngine::KeyboardLost() {
  if (keypadButton_) KeyMousePress(false);
}

void ToolEngine::MoveKeyMouse(int dx, int dy) {
  keyMouse_ = 1;
  QCursor::setPos(QCursor::pos() + QPoint(dx, dy));
  // The pointer warp may or may not come back as a move event (it does not
  // offscreen); deliver the move here so the canvas sees it either way.
  const QPoint p = w_.DRAW->mapFromGlobal(QCursor::pos());
  if (keypadButton_ || w_.DRAW->rect().contains(p))
    MouseMove(keypadButton_ ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier, p.x(), p.y());
}

void ToolEngine::KeyMousePress(bool down) {
  keyMouse_ = 1;
  const QPoint p = w_.DRAW->mapFromGlobal(QCursor::pos());
  if (down) {
    if (keypadButton_ || !w_.DRAW->rect().contains(p)) return;
    keypadButton_ = true;
    MouseDown(Qt::LeftButton, Qt::NoModifier, p.x(), p.y());
  } else {
    if (!keypadButton_) return;
    keypadButton_ = false;
    MouseUp(Qt::LeftButton, Qt::NoModifier, p.x(), p.y());
  }
}

// ---------------------------------------------------------------------------
// Helpers for the tools

void ToolEngine::PickCanvasColour(int X, int Y, Rgb& into) {
  const raster::ColourRef c = raster::GetPixel(e_.DRAW, X, Y);
  // Off the canvas there is no colour; CLR_INVALID would read as white.
  if (c == raster::CLR_INVALID) return;
  into = {static_cast<int32_t>(c & 255), static_cast<int32_t>((c & 65280) / 256),
          static_cast<int32_t>((c & 16711680) / 65536)};
}

void ToolEngine::TakePressColours() {
  e_.PenColor = e_.Color1.ref();
  e_.MaskColor = e_.Color2.ref();
  e_.XorColor = raster::rgb(255, 255, 255);
}

raster::Pen ToolEngine::DrawPen() const {
  raster::Pen pen;
  pen.color = e_.PenColor;
  pen.width = std::max(e_.PenSize, 1);
  pen.mode = raster::DrawMode::CopyPen;
  return pen;
}

raster::Region& ToolEngine::Figure() {
  figure_.reset(e_.DRAW.width(), e_.DRAW.height());
  return figure_;
}

raster::Region& ToolEngine::CellFigure() {
  const int z = std::max(e_.ZoomFactor, 1);
  cells_.reset((e_.DRAW.width() + z - 1) / z, (e_.DRAW.height() + z - 1) / z);
  return cells_;
}

void ToolEngine::Paint(const raster::Region& figure, const pixel::Ink& ink,
                       std::span<const WindowRect> repaint) {
  const raster::Rect b = figure.bounds();
  if (b.empty()) return;
  pixel::Composite(e_.DRAW, figure, ink);
  if (repaint.empty()) {
    Touch(b.left, b.top, b.right - 1, b.bottom - 1);
    return;
  }
  const QRect bounds(QPoint(b.left, b.top), QPoint(b.right - 1, b.bottom - 1));
  for (const WindowRect& r : repaint)
    Refresh(QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)) & bounds);
  AddDirty(bounds & w_.DRAW->rect());
}

void ToolEngine::PaintCells(const raster::Region& cells, const pixel::Ink& ink) {
  blocks_.reset(e_.DRAW.width(), e_.DRAW.height());
  pixel::AddCellBlocks(blocks_, cells, std::max(e_.ZoomFactor, 1));
  Paint(blocks_, ink);
}

void ToolEngine::PaintCells(pixel::CellShape shape, raster::Point a, raster::Point b, int pen,
                            const pixel::Ink& ink) {
  raster::Region& cells = CellFigure();
  pixel::AddCellShape(cells, path_, shape, a, b, pen);
  PaintCells(cells, ink);
}

void ToolEngine::Touch(int l, int t, int r, int b, int margin) {
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  AddDirty(Refresh(QRect(QPoint(l - margin, t - margin), QPoint(r + margin, b + margin))));
}

QRect ToolEngine::Refresh(const QRect& box) {
  const QRect on = box & w_.DRAW->rect();
  if (!on.isEmpty()) w_.DRAW->refresh(on.x(), on.y(), on.width(), on.height());
  return on;
}

void ToolEngine::AddDirty(const QRect& box) {
  if (box.isEmpty()) return;
  // Everything a gesture draws is repainted through here: the union is the
  // part of the canvas the gesture may have changed.
  if (dirty_.empty()) {
    dirty_ = {box.left(), box.top(), box.right(), box.bottom()};
  } else {
    dirty_ = {std::min(dirty_.left, box.left()), std::min(dirty_.top, box.top()),
              std::max(dirty_.right, box.right()), std::max(dirty_.bottom, box.bottom())};
  }
}

void ToolEngine::RedrawCanvas() {
  RedrawView(e_);
  w_.DRAW->refreshAll();
}

void ToolEngine::RepaintOverlay(const WindowRect& r) {
  if (!r.empty()) Refresh(QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)));
}

void ToolEngine::MovePiece(int X, int Y) {
  const WindowRect before = PieceRect(e_);
  FollowPointer(e_, X, Y);
  const WindowRect after = PieceRect(e_);
  if (after == before) return;
  RepaintOverlay(before);
  RepaintOverlay(after);
}

void ToolEngine::StampPieceAt(int X, int Y) {
  const WindowRect before = PieceRect(e_);
  FollowPointer(e_, X, Y);
  const WindowRect stamped = StampPiece(e_);
  RepaintOverlay(before);
  if (!stamped.empty()) Touch(stamped.left, stamped.top, stamped.right, stamped.bottom);
}

void ToolEngine::ShowSub(const QString& text) {
  if (e_.settings.IDSP == 1) w_.INF_SUB->setText(text);
}

void ToolEngine::ShowSize(int X, int Y) {
  const int w = std::abs(X / e_.ZoomFactor - startPic_.x) + 1;
  const int h = std::abs(Y / e_.ZoomFactor - startPic_.y) + 1;
  ShowSub(QStringLiteral("Size X=") + num(w) + QStringLiteral(" Y=") + num(h));
}

void ToolEngine::ShowPointsLeft() {
  ShowSub(QStringLiteral("あと ") + QString::number(kMaxPoints - e_.PointCount) +
          QStringLiteral("点"));
}

}  // namespace tupalo
