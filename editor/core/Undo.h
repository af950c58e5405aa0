#pragma once
// One-step undo as a toggle, and the timed autosave.

#include <QString>

namespace tupalo {

class P_WIN;
struct Editor;

// The undo command of the space key and the palette's undo button: drops a
// gesture under way, or else swaps the visible region with UNDO. Does nothing
// while neither is there.
void Undo(P_WIN& w);

// The swap of Undo, without windows: true when the canvas changed. Does
// nothing while no undo is offered.
bool UndoStep(Editor& e);

// One tick of the one-minute autosave clock.
void Timer2_Timer(P_WIN& w);

// Where the autosave writes: the picture's own file when ASAM is 1 and the
// picture has a bitmap file name, otherwise AUTOSAVE.BMP in the user folder.
QString AutosaveTarget(const Editor& e);

}  // namespace tupalo
