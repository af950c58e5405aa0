#pragma once
// What the command palette's buttons mean, as plain tables: where each button
// stands, which tool code it chooses, which settings window a right click asks
// for. The palette window only applies these, so they are tested without it.

#include <QString>
#include <cstdint>
#include <optional>
#include <span>

#include "editor/core/ToolTable.h"

namespace tupalo::palette {

inline constexpr int kButtonSize = 24;
inline constexpr int kGroupColumns = 4;
inline constexpr int kGroupRows = 3;

// Top of the palette in twips: directly below the colour window.
constexpr int32_t PaletteTopTwips(int32_t colourWindowTop, int32_t colourWindowHeight) {
  return colourWindowTop + colourWindowHeight + 1;
}

// The button rows of the palette, each cut from its own strip.
enum class Family { Cmd, Edit, File, Sys, Efct, ExpM1, ExpM2, ExpB, RootB, OptW };

struct Slot {
  Family family;
  int index;
  int column;
  int row;
};

inline constexpr int kNormalGroups = 7;
inline constexpr int kExpansionGroups = 3;

// The buttons of normal group 0..6 and expansion group 0..2 with their grid
// positions. The file group (2) has its own layout with two captions, see
// FileGroupSlots.
std::span<const Slot> NormalGroupSlots(int group);
std::span<const Slot> ExpansionGroupSlots(int group);
// Grid position of the normal group selector ROOT_B(i).
Slot RootSelectorSlot(int i);

// File group: a "Load" caption above the buttons that bring a picture in and
// a "Save" caption above those that take it out or change it.
struct FileSlot {
  int index;
  int x;
  int y;
};
inline constexpr int kFileCaptionHeight = 12;
std::span<const FileSlot> FileGroupSlots();

// Strip cell of a button: EDIT_B(i) shares the zoom strip, one cell along.
int StripCell(Family family, int index);

QString SettingsWindowName(SettingsWindow w);

// Tool code chosen by CMD_B(i); nullopt for the text button (20), which keeps
// the tool and opens the text window. 18 and 19 give their codes here; the
// click handler checks the drawing mode and the clipboard first.
std::optional<int> CmdButtonToolCode(int i, int16_t lmod);
// The settings window a right click on CMD_B(i) opens: its tool's own.
SettingsWindow CmdButtonSettingsWindow(int i);

// Tool code chosen by EXP_M1(i); an index outside 0..19 keeps `current`.
int ExpansionToolCode(int i, int16_t lmod, int current);
// The EXP_M1 button that chooses `toolCode` (the line button for both of its
// codes); -1 when none does.
int ExpansionToolButton(int toolCode);
// The settings window a right click on the EXP_M1 button of `toolCode` opens.
SettingsWindow ExpansionToolSettingsWindow(int toolCode);

// The one-shot magnifier armed by EDIT_B(i) (i = 3 has no button).
int MagnifyToolCode(int i);
// Magnification chosen by EXP_M2(i) (i = 4 has no button).
int ZoomItemFactor(int i);

}  // namespace tupalo::palette
