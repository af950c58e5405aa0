#include "editor/core/ToolEngine.h"

#include <QKeyEvent>

#include "editor/core/P_WIN.h"

namespace tupalo {

ToolEngine::ToolEngine(P_WIN& w) : w_(w), e_(w.editor()) {}
ToolEngine::~ToolEngine() = default;

void ToolEngine::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int, int) {
  // With no gesture running and the right button not set to pick colours,
  // a right click on the canvas shows or hides the floating windows.
  if (button == Qt::RightButton && e_.DragActive == 0 && e_.settings.CDSP == 0)
    w_.TogglePalettes();
}

void ToolEngine::MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, int X, int Y) {
  w_.ShowPointerPosition(X, Y);
}

void ToolEngine::MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int) {}
void ToolEngine::DoubleClick(int, int) {}
bool ToolEngine::KeyDown(QKeyEvent*) { return false; }
bool ToolEngine::KeyUp(QKeyEvent*) { return false; }
void ToolEngine::Timer1Tick() {}

}  // namespace tupalo
