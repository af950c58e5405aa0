#pragma once
// The command palette: a small tool window beside the main window that
// chooses the tool, the pen size and the zoom, undoes, and starts the file,
// effect, system and window commands.

#include <QWidget>

namespace tupalo {

class P_WIN;
struct Editor;

class CMD_WIN : public QWidget {
  Q_OBJECT
 public:
  CMD_WIN(Editor& e, P_WIN& owner);
  // EnableUndoButton: 0 or 1 enables, 2 disables.
  void EnableUndoButton(int state);
  // The pen-size bar moved by one step (Page Up / Page Down on the canvas).
  void StepPenSize(int delta);
  // The canvas's one-shot magnifier switched the palette to the expansion layout.
  void EnterExpansionLayout();

 private:
  Editor& e_;
  P_WIN& owner_;
};

}  // namespace tupalo
