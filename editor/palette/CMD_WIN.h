#pragma once
// The command palette: a small tool window beside the main window that
// chooses the tool, the pen size and the zoom, undoes, and starts the file,
// effect, system and window commands.
//
// Two layouts share the window: the normal one (zoom 1), a selector ROOT_B
// over the seven groups ROOT_M, and the expansion one (zoom above 1), a
// selector EXP_B over the three groups EXP_M. The pen-size bar, UNDO and the
// window buttons stay below in both.

#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QScrollBar>
#include <QWidget>
#include <array>
#include <cstdint>

#include "editor/core/Editor.h"
#include "editor/core/WholePicture.h"
#include "editor/palette/PaletteTables.h"
#include "editor/palette/StripButton.h"

namespace tupalo {

class P_WIN;
struct Editor;

class CMD_WIN : public QWidget {
  Q_OBJECT
 public:
  CMD_WIN(Editor& e, P_WIN& owner);

  void EnableUndoButton(UndoButton state);
  // The pen-size bar moved by one step (Page Up / Page Down on the canvas).
  void StepPenSize(int delta);
  // The canvas's one-shot magnifier switched the palette to the expansion layout.
  void EnterExpansionLayout();

  // ---- palette operations ----
  enum class Strip {
    Tools,
    Magnify,
    File,
    NormalSelector,
    ExpansionSelector,
    Effects,
    Windows,
    System,
    ExpansionTools,
    Zoom
  };
  void PaintButtonStrip(Strip strip);
  void HighlightToolButton(int i);
  void HighlightMagnifyButton(int i);
  void HighlightExpansionToolButton(int i);
  void HighlightZoomItem(int i);
  void HighlightFileButton(int i);
  void ShowNormalGroup(int i);
  void ShowExpansionGroup(int i);
  void PressWindowButton(int i, int state);
  // 0 when the clipboard holds a picture; otherwise says so and gives 1.
  int ClipboardHasPicture();
  // Stores the palette's place (CMWT, CMWL) into the settings.
  void StorePosition();
  // The palette stands directly below this window (the colour window).
  void FollowColourWindow(QWidget* colourWindow) { colourWindow_ = colourWindow; }
  // The window manager has framed the colour window: its height is known now,
  // so a palette still where it was loaded moves to stand directly below it.
  void ColourWindowFramed();
  bool inExpansionLayout() const { return expansionLayout_; }

 signals:
  // A right click asked for a tool settings window (never None).
  void settingsWindowAsked(SettingsWindow w);
  // A window button switched the overview (0) or the magnifier (2) on or off.
  void windowButtonSwitched(int i, bool on);
  // The merge button: the merge window opens.
  void mergeAsked();
  // The size button asked for the picture size window.
  void pictureSizeAsked();
  // The text button asked for the text window.
  void textWindowAsked();
  // The print button asked for the print window.
  void printWindowAsked();
  // The settings button asked for the settings window.
  void settingsAsked();
  // The special-option button was pressed: the launcher window opens.
  void specialOptionsAsked();

 public:
  // ---- event handlers ----
  void CMD_B_MouseDown(int i, Qt::MouseButton button);
  void CMD_B_Click(int i);
  void EDIT_B_Click(int i);
  void EFCT_B_Click(int i);
  void EXP_B_Click(int i);
  void EXP_M1_MouseDown(int i, Qt::MouseButton button);
  void EXP_M1_Click(int i);
  void EXP_M2_Click(int i);
  void FILE_B_MouseDown(int i, Qt::MouseButton button);
  void FILE_B_Click(int i);
  void OPT_W_B_Click(int i);
  void ROOT_B_Click(int i);
  void SYS_B_Click(int i);
  void PEN_SZ_SB_Change(int value);
  void UNDO_Click();

  // ---- palette state (-1: nothing highlighted) ----
  int32_t SelectedToolButton = 0;
  int32_t SelectedMagnifyButton = -1;
  int32_t SelectedFileButton = -1;
  int32_t SelectedExpansionToolButton = -1;
  int32_t SelectedZoomItem = -1;
  int16_t RightClickPending = 0;
  // The settings window the last right click asked for (None when it asked
  // for nothing).
  SettingsWindow RequestedSettingsWindow = SettingsWindow::None;

  // ---- controls ----
  QWidget* ROOT_B_BASE;  // holds the normal layout's group selector
  QWidget* EXP_B_BASE;   // holds the expansion layout's group selector
  std::array<QWidget*, palette::kNormalGroups> ROOT_M{};    // the normal layout's groups
  std::array<QWidget*, palette::kExpansionGroups> EXP_M{};  // the expansion layout's groups
  std::array<StripButton*, 36> CMD_B{};  // tool buttons (and the text button, 20)
  std::array<StripButton*, 3> EDIT_B{};  // magnify buttons: x2, x4, x8
  std::array<StripButton*, 8>
      FILE_B{};  // file buttons: open, save as, clipboard, size, new, print, scan
  std::array<StripButton*, 5>
      SYS_B{};  // quit, settings, the two hand-overs (SYS_B(1) has no button)
  std::array<StripButton*, 6>
      EFCT_B{};  // whole-picture effects: rotations, mirror, merge, special option
  std::array<StripButton*, 20> EXP_M1{};  // tools of the expansion layout
  std::array<StripButton*, 4> EXP_M2{};   // zoom buttons of the expansion layout: x1, x2, x4, x8
  std::array<StripButton*, 3> EXP_B{};    // the expansion layout's group selector
  std::array<StripButton*, 7> ROOT_B{};   // the normal layout's group selector
  std::array<StripButton*, 3> OPT_W_B{};  // window buttons: overview, help, magnifier
  StripButton* UNDO;                      // the undo button
  QScrollBar* PEN_SZ_SB;                  // pen size, 1 to 33
  QLabel* PEN_SZ;                         // the pen size as a number

 protected:
  void showEvent(QShowEvent* ev) override;
  void closeEvent(QCloseEvent* ev) override;

 private:
  void Load();
  void LoadStrips();
  void BuildGroups();
  StripButton* MakeButton(palette::Family family, int index, QWidget* parent, int x, int y);
  QPixmap& StripOf(palette::Family family);
  void PaintFamily(palette::Family family, int selected);
  void ShowNormalLayout();
  // The pen-size row and the bottom row below the groups, and the window's
  // height, for a selector of the given height.
  void PlaceRowsBelowSelector(int selectorHeight);
  // Left CMWL, top directly below the colour window whose top is given.
  void PlaceBelowColourWindow(int32_t colourTopTwips);
  void ShowSettingsWindow(SettingsWindow w);
  // Effect buttons 0-3: the turn, then no tool and no undo.
  void RunEffect(Turn t);
  void ShowTooLargeMessage();
  void ShowNoPictureMessage();
  void ShowNeedsNormalDrawingMode();
  // File commands.
  void PastePicture();
  void CopyPicture();
  void NewPicture();

  Editor& e_;
  P_WIN& owner_;
  QPointer<QWidget> colourWindow_;
  bool loaded_ = false;
  bool expansionLayout_ = false;
  QPoint placedAt_;  // where Load put the palette
  QPixmap cmdStrip_, efctStrip_, expM1Strip_, expM2Strip_, expBStrip_, sysStrip_, fileStrip_,
      rootStrip_, optWStrip_, undoStrip_;
};

}  // namespace tupalo
