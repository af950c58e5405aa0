#pragma once
// The tool engine: mouse, double-click, keyboard and repeat-timer events of
// the canvas go through here to the current tool, and every finished gesture
// ends in the common commit tail.

#include <Qt>

class QKeyEvent;

namespace tupalo {

class P_WIN;
struct Editor;

class ToolEngine {
 public:
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

 private:
  P_WIN& w_;
  Editor& e_;
};

}  // namespace tupalo
