#pragma once
// What a tool does with the canvas events the tool engine hands it. The engine
// owns the common machinery (busy guard, drag flag, point list, status line,
// commit and undo); a tool only draws and steps its own states in ToolCode.

#include <optional>

#include "editor/core/View.h"

namespace tupalo {

class ToolEngine;

class Tool {
 public:
  virtual ~Tool() = default;

  // Left press on the canvas (window pixels); the engine has set DragActive.
  virtual void Press(ToolEngine& t, int X, int Y) = 0;
  // Pointer moved with the left button held during the gesture.
  virtual void Drag(ToolEngine&, int, int) {}
  // Pointer moved with no button held (rubber bands of multi-click tools).
  virtual void Hover(ToolEngine&, int, int) {}
  // Left release. true: the canvas holds a finished change for the engine to
  // commit; false: nothing to commit (a pending step, or nothing changed).
  virtual bool Release(ToolEngine&, int, int) { return false; }
  // Double click. Nothing: not taken. Otherwise the shape was finished now,
  // and the value says whether there is a change to commit.
  virtual std::optional<bool> DoubleClick(ToolEngine&, int, int) { return std::nullopt; }
  // Timer1 tick while the button is held (the repeating tools).
  virtual void Tick(ToolEngine&, int, int) {}
  // The gesture was thrown away and the canvas redrawn from the picture:
  // forget rubber bands and collected points.
  virtual void Reset() {}
};

}  // namespace tupalo
