#pragma once
// Changes of the whole picture: quarter and half turns, the left-right
// mirror, and a new size (cut or extended, or scaled). Plain functions on the
// editor state; the palette and the size window add the windows' part.
//
// Each one writes the new picture into the work surface WORK and then swaps
// WORK with PIC, so the picture is held twice at most and never copied back.
// The work surface is reserved first: when its memory cannot be had, PIC and
// PicSize stay exactly as they were.

#include "editor/core/Editor.h"
#include "platform/raster/Raster.h"

namespace tupalo {

enum class Turn {
  Right,   // 90° clockwise
  Left,    // 90° anticlockwise
  Half,    // 180°
  Mirror,  // left-right
};

// The size of the picture after the turn.
Pair TurnedSize(const Editor& e, Turn t);

// WORK sized width x height, its pixels undefined. false (WORK empty, PIC
// untouched) when the memory cannot be had.
bool ReserveWork(Editor& e, int width, int height);

// Turns PIC through WORK, which ReserveWork must have sized to TurnedSize.
// PicSize follows.
void TurnPicture(Editor& e, Turn t);

// How the size window changes the size.
enum class Resize {
  CutOrExtend,  // the top-left part stays as it is; added pixels are white
  DeleteLines,  // scaled: one pixel of each merged group survives
  Or,           // scaled: merged pixels combined with OR (light lines survive)
  And,          // scaled: merged pixels combined with AND (dark lines survive)
};

// The stretch mode a scaling uses.
raster::StretchMode StretchModeOf(Resize how);

// PIC becomes width x height, PicSize follows. false when the memory cannot
// be had; then nothing changed. Sizes must be 1 .. 32767 (the caller says
// why others are refused).
bool ResizePicture(Editor& e, int width, int height, Resize how);

}  // namespace tupalo
