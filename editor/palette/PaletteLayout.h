#pragma once
// The command palette's geometry in pixels: buttons of kButtonSize in groups
// of kGroupColumns x kGroupRows below a selector, then the pen-size row and
// the bottom row (undo and the window buttons).

#include "editor/palette/PaletteTables.h"

namespace tupalo::palette {

inline constexpr int kWidth = kGroupColumns * kButtonSize;
// The normal selector has two rows, the expansion selector one; the groups
// stand directly below either, and the rows below them follow.
inline constexpr int kSelectorHeight = 2 * kButtonSize;
inline constexpr int kExpansionSelectorHeight = kButtonSize;
inline constexpr int kGroupHeight = kGroupRows * kButtonSize;
inline constexpr int kPenRowHeight = 17;
inline constexpr int kPenLabelWidth = 22;
constexpr int PenRowTop(int selectorHeight) { return selectorHeight + kGroupHeight + 2; }
constexpr int BottomRowTop(int selectorHeight) {
  return PenRowTop(selectorHeight) + kPenRowHeight + 2;
}
constexpr int WindowHeight(int selectorHeight) {
  return BottomRowTop(selectorHeight) + kButtonSize;
}

}  // namespace tupalo::palette
