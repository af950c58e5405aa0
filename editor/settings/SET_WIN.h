#pragma once
// The settings window: the user-facing settings of TUPA.CNF on six pages, and
// the installed add-ins. It is modal and owned by the main window. OK copies
// the choices into the settings in memory (written when the editor quits);
// CANCEL keeps them. Add-ins installed or removed while it is open go into
// TUPA.AIN at once; a copy taken at the opening puts the registry back on
// CANCEL.

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <array>
#include <cstdint>

#include "editor/core/Editor.h"

namespace tupalo {

class P_WIN;

class SET_WIN : public QDialog {
  Q_OBJECT
 public:
  SET_WIN(Editor& e, P_WIN& owner);

  // The window's load: the controls from the settings, page 0 in front, the
  // registry backed up and its lists filled; then it is shown, modal.
  void Open();
  bool loaded() const { return loaded_; }

  // ---- event handlers ----
  void PageButton_Click(int page);
  void Check2_Click();
  void LAN_SET_Click(int i);
  void Command5_Click();  // add an add-in
  void Command7_Click();  // remove the add-in selected in List2
  void DISP_MODE_Click(int i);
  void OK_Click();
  void CANCEL_Click();

  // ---- window state ----
  int16_t ChosenRedrawMode = 2;  // BERM as chosen
  int16_t ChosenDrawMode = 1;    // SZWM as chosen
  int16_t ChosenReloadMode = 0;  // RPNX as chosen

  // ---- controls ----
  // Page buttons: Command1 (page 0), Command2 (1), Command3 (2), Command4 (3),
  // Command6 (4), Command8 (5).
  QPushButton *Command1, *Command2, *Command3, *Command4, *Command6, *Command8;
  std::array<QPushButton*, 6> PageButtons{};  // the same six, by page
  QStackedWidget* PageArea;                   // the pages, one in front
  std::array<QWidget*, 6> Picture1{};         // the six pages
  // Page 0: the overview's redraw and the drawing mode.
  QRadioButton* Option1;  // whole view redrawn (BERM 2)
  QRadioButton* Option2;  // only the edited area (BERM 1)
  QRadioButton* Option3;  // normal drawing (SZWM 1)
  QRadioButton* Option4;  // for faulty stretch drivers (SZWM 0)
  QLabel* Label1;         // a note on the drawing mode
  // Page 1: the two launcher slots.
  std::array<QGroupBox*, 2> RUN_BASE{};   // one slot's frame
  std::array<QPushButton*, 2> LAN_SET{};  // choose the slot's program
  std::array<QLabel*, 2> LAN_NAME{};      // the slot's program (LAN1, LAN2)
  std::array<QCheckBox*, 2> Check5{};     // restart the editor afterwards (LAM1, LAM2)
  // Page 2: the start.
  std::array<QRadioButton*, 3> Option5{};  // reopen the last picture: RPNX = index
  QCheckBox* Check1;                       // window places kept (FEMD)
  // Page 3: autosave.
  QRadioButton* Option6;                    // into AUTOSAVE.BMP (ASAM 0)
  QRadioButton* Option7;                    // into the edited file (ASAM 1)
  QLabel* Label3;                           // a warning about AUTOSAVE.BMP
  std::array<QRadioButton*, 7> Interval{};  // Option8 .. Option14: ASAT 0, 5, .. 30
  // Page 4: add-ins.
  QListWidget* List2;                        // installed add-ins' titles
  QPushButton* Command7;                     // remove
  QPushButton* Command5;                     // add
  std::array<QRadioButton*, 4> DISP_MODE{};  // what List1 shows
  QListWidget* List1;                        // special options, scanner or formats
  // Page 5: the right click and the line tool.
  QCheckBox* Check2;       // right click picks a colour (CDSP)
  QCheckBox* Check3;       // right click keeps the overview (VDMD)
  QRadioButton* Option15;  // line tool: single lines (LMOD 0)
  QRadioButton* Option16;  // line tool: continuous (LMOD 1)
  QLabel* Label4;          // when the line setting takes effect
  QPushButton* OK;
  QPushButton* CANCEL;

 signals:
  // OK read the registry again: the palette's scanner button follows it.
  void registryReloaded();
  // The window came up (true) or went (false): the overview and the
  // magnifier step aside meanwhile.
  void shownChanged(bool up);

 protected:
  void closeEvent(QCloseEvent* ev) override;
  void reject() override;

 private:
  void BuildPages();
  void FillFromSettings();
  // The registry's lists: List2 the add-ins, List1 for the DISP_MODE chosen.
  void FillAddInLists();
  void Unload();
  // TUPA.AIN copied aside at the opening; put back (CANCEL) or let go (OK);
  // the registry is read again after either.
  void BackupRegistry();
  void RestoreRegistry();
  void KeepRegistry();
  // A registry file that could not be copied, written or read, and why.
  void RegistryError(const QString& reason);

  Editor& e_;
  P_WIN& owner_;
  bool loaded_ = false;
};

// Intervals of the autosave options, in minutes, Option8 to Option14.
inline constexpr std::array<int16_t, 7> kAutosaveIntervals = {0, 5, 10, 15, 20, 25, 30};

}  // namespace tupalo
