// The palette's tables: every button has exactly one place, and the tool
// codes at the edges of the tool tables.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "editor/palette/PaletteTables.h"

namespace tupalo::palette {
namespace {

// Buttons per family over all groups, and no two buttons on one place.
std::map<Family, std::multiset<int>> placedButtons(std::span<const Slot> (*groups)(int),
                                                   int count) {
  std::map<Family, std::multiset<int>> placed;
  for (int g = 0; g < count; ++g) {
    std::set<std::pair<int, int>> taken;
    for (const Slot& s : groups(g)) {
      EXPECT_TRUE(s.column >= 0 && s.column < kGroupColumns && s.row >= 0 && s.row < kGroupRows)
          << "group " << g << " button " << s.index;
      EXPECT_TRUE(taken.insert({s.column, s.row}).second) << "group " << g << " button " << s.index;
      placed[s.family].insert(s.index);
    }
  }
  return placed;
}

std::multiset<int> range(int n) {
  std::multiset<int> all;
  for (int i = 0; i < n; ++i) all.insert(i);
  return all;
}

TEST(PaletteTables, EveryButtonHasExactlyOnePlace) {
  auto normal = placedButtons(NormalGroupSlots, kNormalGroups);
  EXPECT_EQ(normal[Family::Cmd], range(36));
  EXPECT_EQ(normal[Family::Edit], range(3));
  EXPECT_EQ(normal[Family::Efct], range(6));
  EXPECT_EQ(normal[Family::Sys], (std::multiset<int>{0, 2, 3, 4}));
  auto expansion = placedButtons(ExpansionGroupSlots, kExpansionGroups);
  EXPECT_EQ(expansion[Family::ExpM1], range(20));
  EXPECT_EQ(expansion[Family::ExpM2], range(4));

  std::multiset<int> files;
  std::set<std::pair<int, int>> taken;
  for (const FileSlot& s : FileGroupSlots()) {
    files.insert(s.index);
    EXPECT_TRUE(taken.insert({s.x, s.y}).second) << s.index;
    EXPECT_LE(s.x + kButtonSize, kGroupColumns * kButtonSize);
    EXPECT_LE(s.y + kButtonSize, kGroupRows * kButtonSize);
  }
  EXPECT_EQ(files, range(8));

  std::set<std::pair<int, int>> selector;
  for (int i = 0; i < kNormalGroups; ++i)
    EXPECT_TRUE(selector.insert({RootSelectorSlot(i).column, RootSelectorSlot(i).row}).second);
}

TEST(PaletteTables, ToolCodesAtTheEdgesOfTheTables) {
  EXPECT_EQ(CmdButtonToolCode(0, 0), 1);
  EXPECT_EQ(CmdButtonToolCode(10, 0), 11);
  EXPECT_EQ(CmdButtonToolCode(11, 0), 20000);
  EXPECT_EQ(CmdButtonToolCode(12, 0), 12);
  EXPECT_EQ(CmdButtonToolCode(20, 0), std::nullopt);  // the text window keeps the tool
  EXPECT_EQ(CmdButtonToolCode(28, 0), 28);
  EXPECT_EQ(CmdButtonToolCode(29, 0), 30);
  EXPECT_EQ(CmdButtonToolCode(35, 0), 36);
  EXPECT_EQ(ExpansionToolCode(6, 0, 5), 11100);
  EXPECT_EQ(ExpansionToolCode(7, 0, 5), 12);
  EXPECT_EQ(ExpansionToolCode(10, 0, 5), 15);
  EXPECT_EQ(ExpansionToolCode(19, 0, 5), 35);
  EXPECT_EQ(ExpansionToolCode(20, 0, 5), 5);
  EXPECT_EQ(ExpansionToolCode(-1, 0, 5), 5);
  EXPECT_EQ(MagnifyToolCode(0), 10002);
  EXPECT_EQ(MagnifyToolCode(3), 10016);
  EXPECT_EQ(ZoomItemFactor(4), 16);
}

TEST(PaletteTables, RightClicksAskForTheSettingsOfTheirTool) {
  for (int i = 0; i < 36; ++i) {
    const SettingsWindow w = CmdButtonSettingsWindow(i);
    const bool any = i == 21 || i == 22 || i == 23 || i == 24 || i == 26 || (i >= 31 && i <= 35);
    EXPECT_EQ(w != SettingsWindow::None, any) << i;
  }
  EXPECT_EQ(CmdButtonSettingsWindow(35), SettingsWindow::Deep);
  // Expansion tools by the code they chose.
  EXPECT_EQ(ExpansionToolSettingsWindow(ExpansionToolCode(11, 0, 0)), SettingsWindow::Fuzzy);
  EXPECT_EQ(ExpansionToolSettingsWindow(ExpansionToolCode(16, 0, 0)), SettingsWindow::Hset);
  EXPECT_EQ(ExpansionToolSettingsWindow(ExpansionToolCode(17, 0, 0)), SettingsWindow::Hset);
  EXPECT_EQ(ExpansionToolSettingsWindow(ExpansionToolCode(18, 0, 0)), SettingsWindow::Spray);
  EXPECT_EQ(ExpansionToolSettingsWindow(ExpansionToolCode(19, 0, 0)), SettingsWindow::None);
}

}  // namespace
}  // namespace tupalo::palette
