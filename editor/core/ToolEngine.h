#pragma once
// The tool engine: mouse, double-click, keyboard and repeat-timer events of
// the canvas go through here to the current tool, and every finished gesture
// ends in the common commit tail.

#include <Qt>
#include <array>
#include <map>
#include <memory>
#include <span>

#include "editor/core/Editor.h"
#include "editor/core/ToolTable.h"
#include "editor/core/View.h"
#include "editor/pixel/Figures.h"
#include "editor/pixel/Ink.h"
#include "platform/raster/Raster.h"

class QKeyEvent;
class QRect;
class QString;

namespace tupalo {

class P_WIN;
class Tool;

class ToolEngine {
 public:
  // Vertices of the polygon-like tools; entry [count] is the rubber-band end.
  static constexpr int kMaxPoints = 256;

  explicit ToolEngine(P_WIN& w);
  virtual ~ToolEngine();

  void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers mods, int X, int Y);
  void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods, int X, int Y);
  void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers mods, int X, int Y);
  void DoubleClick(int X, int Y);
  // true when the key was taken.
  bool KeyDown(QKeyEvent* ev);
  bool KeyUp(QKeyEvent* ev);
  void Timer1Tick();
  // The window lost the keyboard: a button held with the numeric keypad is
  // let go, or the canvas would refuse every later press.
  void KeyboardLost();

  // A gesture is under way: the button is held, or a multi-step tool waits
  // for its next click, or something drawn on the canvas awaits its commit.
  bool GesturePending() const;
  // Throws the gesture in progress away (right button, undo, a change of
  // tool): multi-step tools back to their first step, the canvas redrawn from
  // the picture, nothing committed.
  void CancelGesture();

  // ---- for the tools ----
  P_WIN& win() const { return w_; }
  Editor& ed() const { return e_; }
  raster::Point start() const { return start_; }   // press point, window pixels
  Pair startPicture() const { return startPic_; }  // press point, picture scale
  Pair lastPoint() const { return last_; }
  raster::Point& point(int i) { return points_[static_cast<std::size_t>(i)]; }
  const raster::Point* points() const { return points_.data(); }
  bool keyMouse() const { return keyMouse_ != 0; }

  // The pen of final shapes: PenColor, PenSize, copy pen.
  raster::Pen DrawPen() const;

  // ---- the pixel pipeline: every pixel a tool paints goes through Paint ----
  // An empty region the size of the canvas (window pixels), kept between
  // figures: build the next figure in it. Valid until the next call.
  raster::Region& Figure();
  // An empty region of the view's cells (picture pixels relative to the view),
  // for PaintCells. Valid until the next call.
  raster::Region& CellFigure();
  // Composites `figure` on the canvas with `ink`, repaints it and adds its
  // bounds to the gesture's dirty rectangle. `repaint`, when given, is all of
  // the bounds that the canvas widget needs to repaint (the edges of a hollow
  // box, not its inside).
  void Paint(const raster::Region& figure, const pixel::Ink& ink,
             std::span<const WindowRect> repaint = {});
  // Paints every cell of `cells` as its Z x Z block of the canvas.
  void PaintCells(const raster::Region& cells, const pixel::Ink& ink);
  // A cell shape (see pixel::AddCellShape), through PaintCells.
  void PaintCells(pixel::CellShape shape, raster::Point a, raster::Point b, int pen,
                  const pixel::Ink& ink);

  // Repaints the canvas widget over the window-pixel box l..r, t..b (any
  // order) widened by `margin`, and adds it to the gesture's dirty rectangle:
  // for what reaches the canvas other than through Paint.
  void Touch(int l, int t, int r, int b, int margin = 0);
  // The part of the canvas the gesture under way has drawn on, since its
  // first press (window pixels); empty when it drew nothing.
  WindowRect dirtyRect() const { return dirty_; }
  void RedrawCanvas();  // RedrawView and repaint
  // Repaints the canvas widget over `r` (window pixels; what lies off the
  // canvas is ignored) without counting it as drawn: for what floats above
  // the canvas and never reaches the picture.
  void RepaintOverlay(const WindowRect& r);
  // The floating piece follows the pointer; the widget repaints only what it
  // left and what it entered.
  void MovePiece(int X, int Y);
  // The floating piece moves to the pointer and is stamped onto the canvas
  // there (a drawn change, as through Paint); it floats no more.
  void StampPieceAt(int X, int Y);
  void ShowSub(const QString& text);  // INF_SUB, when the status line is shown
  // "Size X= w Y= h" of the rectangle from the press to (X, Y), picture pixels.
  void ShowSize(int X, int Y);
  // "あと N点": vertices left for the polygon-like tools.
  void ShowPointsLeft();

  // The tool that handles a code and its states; nullptr for codes whose
  // tools do nothing yet.
  Tool* ToolFor(int code);
  // The colour under a canvas point into `into`; a point off the canvas
  // leaves it unchanged.
  void PickCanvasColour(int X, int Y, Rgb& into);

 private:
  void RightPress(int X, int Y);
  void FinishGesture(bool changed);
  void CommitChange(int code);
  void TakePressColours();
  void MoveKeyMouse(int dx, int dy);
  void KeyMousePress(bool down);
  void ResetTools();
  // Repaints `box` of the canvas widget; returns the part of it on the canvas.
  QRect Refresh(const QRect& box);
  // Adds `box` (on the canvas) to the gesture's dirty rectangle.
  void AddDirty(const QRect& box);

  P_WIN& w_;
  Editor& e_;
  bool busy_ = false;        // a left press is being handled
  bool pressTaken_ = false;  // the last left press reached a tool
  raster::Point start_;
  Pair startPic_;
  Pair last_;
  std::array<raster::Point, kMaxPoints + 1> points_{};
  int16_t keyMouse_ = 0;       // the numeric keypad moved or clicked the pointer
  bool keypadButton_ = false;  // keypad 0 holds the left button down
  std::map<int, std::unique_ptr<Tool>> tools_;
  WindowRect dirty_;  // see dirtyRect()
  // Regions of the pipeline, kept and grown so that a drag allocates nothing:
  // the figure in window pixels, the cells of a cell figure, a cell segment's
  // path, and the cells' blocks.
  raster::Region figure_, cells_, path_, blocks_;
};

}  // namespace tupalo
