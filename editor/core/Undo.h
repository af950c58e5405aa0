#pragma once
// One-step undo as a toggle, and the timed autosave.

namespace tupalo {

class P_WIN;
struct Editor;

// Discards a pending gesture, or swaps the visible region with UNDO.
void Undo(P_WIN& w);

// The canvas side of Undo, without windows: true when the canvas changed.
// Does nothing while no undo is offered.
bool UndoStep(Editor& e);

// One tick of the one-minute autosave clock.
void Timer2_Timer(P_WIN& w);

}  // namespace tupalo
