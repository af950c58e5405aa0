#include "editor/palette/PaletteTables.h"

#include <algorithm>
#include <array>

namespace tupalo::palette {

namespace {

using F = Family;

constexpr Slot kDrawing[] = {
    {F::Cmd, 0, 0, 0}, {F::Cmd, 1, 1, 0}, {F::Cmd, 2, 2, 0}, {F::Cmd, 3, 3, 0},
    {F::Cmd, 4, 0, 1}, {F::Cmd, 5, 1, 1}, {F::Cmd, 6, 2, 1}, {F::Cmd, 20, 3, 1},
    {F::Cmd, 7, 0, 2}, {F::Cmd, 8, 1, 2}, {F::Cmd, 9, 2, 2}, {F::Cmd, 10, 3, 2},
};
constexpr Slot kMagnify[] = {{F::Edit, 0, 1, 0}, {F::Edit, 1, 2, 0}, {F::Edit, 2, 3, 0}};
constexpr Slot kSystem[] = {
    {F::Sys, 0, 0, 0}, {F::Sys, 2, 2, 0}, {F::Sys, 3, 0, 2}, {F::Sys, 4, 1, 2}};
constexpr Slot kEditing[] = {
    {F::Cmd, 11, 0, 0}, {F::Cmd, 16, 1, 0}, {F::Cmd, 27, 2, 0}, {F::Cmd, 23, 3, 0},
    {F::Cmd, 18, 0, 1}, {F::Cmd, 19, 1, 1}, {F::Cmd, 21, 2, 1}, {F::Cmd, 22, 3, 1},
    {F::Cmd, 12, 0, 2}, {F::Cmd, 13, 1, 2}, {F::Cmd, 14, 2, 2}, {F::Cmd, 15, 3, 2},
};
constexpr Slot kEffects[] = {
    {F::Efct, 0, 0, 0}, {F::Efct, 1, 1, 0}, {F::Efct, 2, 2, 0},
    {F::Efct, 3, 3, 0}, {F::Efct, 4, 0, 1}, {F::Efct, 5, 1, 1},
};
constexpr Slot kColourTools[] = {
    {F::Cmd, 17, 0, 0}, {F::Cmd, 24, 1, 0}, {F::Cmd, 33, 2, 0}, {F::Cmd, 34, 3, 0},
    {F::Cmd, 25, 0, 1}, {F::Cmd, 26, 1, 1}, {F::Cmd, 30, 2, 1}, {F::Cmd, 35, 3, 1},
    {F::Cmd, 28, 0, 2}, {F::Cmd, 29, 1, 2}, {F::Cmd, 32, 2, 2}, {F::Cmd, 31, 3, 2},
};

constexpr Slot kExp0[] = {
    {F::ExpM1, 0, 0, 0}, {F::ExpM1, 12, 1, 0}, {F::ExpM1, 13, 2, 0}, {F::ExpM1, 5, 3, 0},
    {F::ExpM1, 3, 0, 1}, {F::ExpM1, 4, 1, 1},  {F::ExpM1, 11, 2, 1}, {F::ExpM1, 6, 3, 1},
    {F::ExpM1, 1, 0, 2}, {F::ExpM1, 2, 1, 2},  {F::ExpM1, 14, 2, 2}, {F::ExpM1, 15, 3, 2},
};
constexpr Slot kExp1[] = {
    {F::ExpM1, 7, 0, 0},  {F::ExpM1, 8, 1, 0},  {F::ExpM1, 9, 2, 0},  {F::ExpM1, 10, 3, 0},
    {F::ExpM1, 16, 0, 1}, {F::ExpM1, 17, 1, 1}, {F::ExpM1, 18, 2, 1}, {F::ExpM1, 19, 3, 1},
};
constexpr Slot kExp2[] = {
    {F::ExpM2, 0, 0, 0}, {F::ExpM2, 1, 1, 0}, {F::ExpM2, 2, 2, 0}, {F::ExpM2, 3, 3, 0}};

constexpr Slot kRootSelector[] = {
    {F::RootB, 0, 0, 0}, {F::RootB, 4, 1, 0}, {F::RootB, 6, 2, 0}, {F::RootB, 1, 3, 0},
    {F::RootB, 2, 0, 1}, {F::RootB, 5, 1, 1}, {F::RootB, 3, 2, 1},
};

constexpr int kRowPitch = kButtonSize + kFileCaptionHeight;
constexpr FileSlot kFileSlots[] = {
    // Load: open, paste from the clipboard, new picture, scanner.
    {0, 0, kFileCaptionHeight},
    {2, kButtonSize, kFileCaptionHeight},
    {5, 2 * kButtonSize, kFileCaptionHeight},
    {7, 3 * kButtonSize, kFileCaptionHeight},
    // Save: save as, copy to the clipboard, print, picture size.
    {1, 0, kRowPitch + kFileCaptionHeight},
    {3, kButtonSize, kRowPitch + kFileCaptionHeight},
    {6, 2 * kButtonSize, kRowPitch + kFileCaptionHeight},
    {4, 3 * kButtonSize, kRowPitch + kFileCaptionHeight},
};

}  // namespace

std::span<const Slot> NormalGroupSlots(int group) {
  switch (group) {
    case 0:
      return kDrawing;
    case 1:
      return kMagnify;
    case 3:
      return kSystem;
    case 4:
      return kEditing;
    case 5:
      return kEffects;
    case 6:
      return kColourTools;
    default:
      return {};
  }
}

std::span<const Slot> ExpansionGroupSlots(int group) {
  switch (group) {
    case 0:
      return kExp0;
    case 1:
      return kExp1;
    case 2:
      return kExp2;
    default:
      return {};
  }
}

Slot RootSelectorSlot(int i) {
  for (const Slot& s : kRootSelector)
    if (s.index == i) return s;
  return {F::RootB, i, 0, 0};
}

std::span<const FileSlot> FileGroupSlots() { return kFileSlots; }

int StripCell(Family family, int index) { return family == Family::Edit ? index + 1 : index; }

QString SettingsWindowName(SettingsWindow w) {
  switch (w) {
    case SettingsWindow::Fuzzy:
      return QStringLiteral("FUZZY_WIN");
    case SettingsWindow::Spray:
      return QStringLiteral("SPRAY_WIN");
    case SettingsWindow::Hset:
      return QStringLiteral("HSET_WIN");
    case SettingsWindow::Deep:
      return QStringLiteral("DEEP_WIN");
    case SettingsWindow::None:
      break;
  }
  return {};
}

std::optional<int> CmdButtonToolCode(int i, int16_t lmod) {
  using namespace tool;
  // CMD_B(i), by button: the text button (20) has no tool of its own.
  static constexpr std::array<int, 36> kCodes = {Pset,
                                                 FreeLine,
                                                 Line,
                                                 Box,
                                                 Boxfill,
                                                 Circle,
                                                 Circlefill,
                                                 PaintA,
                                                 PaintB,
                                                 MaskPen,
                                                 ReverseMaskPen,
                                                 AreaCopy,
                                                 LeftSideChange,
                                                 RightSideChange,
                                                 UpSideChange,
                                                 DownSideChange,
                                                 Reverse,
                                                 ChangeColor,
                                                 CopyToClipboard,
                                                 CopyFromClipboard,
                                                 -1,
                                                 Spray,
                                                 MaskSpray,
                                                 FuzzyMaskPen,
                                                 FuzzyChangeColor,
                                                 ReverseChangeColor,
                                                 ReverseFuzzyChangeColor,
                                                 Polygon,
                                                 PolygonCopy,
                                                 GlassMirror,
                                                 BezierLine,
                                                 VBox,
                                                 VPen,
                                                 AirSpray,
                                                 MaskAirSpray,
                                                 ThruPen};
  if (i < 0 || i >= int(kCodes.size()) || kCodes[i] < 0) return std::nullopt;
  if (kCodes[i] == Line && lmod > 0) return LineType2;
  return kCodes[i];
}

SettingsWindow CmdButtonSettingsWindow(int i) {
  const std::optional<int> code = CmdButtonToolCode(i, 0);
  return code ? ToolInfoOf(*code).settings : SettingsWindow::None;
}

int ExpansionToolCode(int i, int16_t lmod, int current) {
  using namespace tool;
  static constexpr std::array<int, 20> kCodes = {
      ExpPset,        PaintA,       PaintB,         MaskPen,         ReverseMaskPen,
      ExpBoxfill,     ExpCopy,      LeftSideChange, RightSideChange, UpSideChange,
      DownSideChange, FuzzyMaskPen, ExpLine,        ExpBox,          ExpCircle,
      ExpCirclefill,  VPen,         ExpVPen,        AirSpray,        MaskAirSpray};
  if (i < 0 || i >= int(kCodes.size())) return current;
  if (kCodes[i] == ExpLine && lmod > 0) return ExpLineType2;
  return kCodes[i];
}

int ExpansionToolButton(int toolCode) {
  for (int i = 0; i < 20; ++i)
    if (ExpansionToolCode(i, 0, -1) == toolCode || ExpansionToolCode(i, 1, -1) == toolCode)
      return i;
  return -1;
}

SettingsWindow ExpansionToolSettingsWindow(int toolCode) {
  // The expansion menu's right click serves these three windows only.
  const SettingsWindow w = ToolInfoOf(toolCode).settings;
  return toolCode == tool::MaskAirSpray ? SettingsWindow::None : w;
}

int MagnifyToolCode(int i) { return tool::Magnify + ZoomItemFactor(i + 1); }

int ZoomItemFactor(int i) { return 1 << std::clamp(i, 0, 4); }

}  // namespace tupalo::palette
