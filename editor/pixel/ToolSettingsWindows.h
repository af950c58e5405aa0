#pragma once
// The tool settings windows: small modeless windows, owned by the main
// window, each with one frame of bars that set the numbers the pixel tools
// read. A bar takes effect as it moves; there is no OK button.
//
//   FUZZY_WIN  FUZH, FUZS, FUZV  the similar-colour tolerances of the fuzzy tools
//   SPRAY_WIN  SPRI              the repeat interval of the sprays
//   HSET_WIN   HSET              the brightness factor of V Box and V Pen
//   DEEP_WIN   THPD              the depth of the thru pen
//
// The palette opens them (a right click on a tool's button); choosing another
// tool closes them, the quit question hides them until it is cancelled, and
// the shutdown closes them.

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>
#include <cstdint>

#include "editor/core/Editor.h"
#include "editor/core/ToolTable.h"

namespace tupalo {

class P_WIN;

class ToolSettingsWindow : public QWidget {
  Q_OBJECT
 public:
  SettingsWindow kind() const { return kind_; }
  // The window's load (when it is not loaded): caption, place over the
  // palette's corner, bars from the settings; then it is shown and raised.
  void Open();
  // The window's unload, when it is loaded.
  void Unload();
  // The quit question puts a loaded window out of sight (true); a cancelled
  // quit brings it back (false).
  void SetAside(bool aside);
  // The shown flag: set by the load, cleared by the unload.
  bool loaded() const { return shown_ != 0; }

 protected:
  ToolSettingsWindow(SettingsWindow kind, const char* caption, Editor& e, P_WIN& owner,
                     QWidget* palette);
  // Every bar (and its value label) from the settings.
  virtual void SetBars() = 0;
  // The unload takes what it needs from the bars.
  virtual void Unloading() {}
  void closeEvent(QCloseEvent* ev) override;

  Editor& e_;

 private:
  void PlaceOverPalette();

  SettingsWindow kind_;
  QString caption_;  // after the title prefix
  P_WIN& owner_;
  QPointer<QWidget> palette_;
  int16_t shown_ = 0;
  bool aside_ = false;  // hidden by the quit question
};

// " Fuzzy設定": the tolerances of hue, saturation and value.
class FUZZY_WIN : public ToolSettingsWindow {
  Q_OBJECT
 public:
  FUZZY_WIN(Editor& e, P_WIN& owner, QWidget* palette);

  void H_BAR_Change(int value);
  void S_BAR_Change(int value);
  void V_BAR_Change(int value);
  void Command3_Click();

  QScrollBar* H_BAR;      // hue tolerance FUZH, 0 to 180
  QScrollBar* S_BAR;      // saturation tolerance FUZS, 0 to 255
  QScrollBar* V_BAR;      // value tolerance FUZV, 0 to 255
  QLabel* H_VAL;          // H_BAR's value
  QLabel* S_VAL;          // S_BAR's value
  QLabel* V_VAL;          // V_BAR's value
  QPushButton* Command3;  // "Default": all three tolerances back to 10

 protected:
  void SetBars() override;
};

// " Spray設定": how often a held spray sprays again.
class SPRAY_WIN : public ToolSettingsWindow {
  Q_OBJECT
 public:
  SPRAY_WIN(Editor& e, P_WIN& owner, QWidget* palette);

  // The interval at a bar position: 1000 ms at the left end ("弱"), 1 ms at
  // the right end ("強").
  static int IntervalAt(int position);
  void I_BAR_Change(int position);
  void Command3_Click();

  QScrollBar* I_BAR;      // the spray interval SPRI, 1000 at the left to 1 at the right
  QPushButton* Command3;  // "Default": SPRI back to 3

 protected:
  void SetBars() override;
};

// " HSET 設定": the factor V Box and V Pen apply to the brightness.
class HSET_WIN : public ToolSettingsWindow {
  Q_OBJECT
 public:
  HSET_WIN(Editor& e, P_WIN& owner, QWidget* palette);

  void H_BAR_Change(int value);
  void Command3_Click();

  QScrollBar* H_BAR;      // brightness factor HSET in percent, 0 ("暗") to 200 ("明")
  QLabel* H_VAL;          // H_BAR's value
  QPushButton* Command3;  // "Default": HSET back to 50

 protected:
  void SetBars() override;
};

// The thru pen's balance between the picture ("Base") and the drawing
// colour ("Draw"). Its caption is the fuzzy window's.
class DEEP_WIN : public ToolSettingsWindow {
  Q_OBJECT
 public:
  DEEP_WIN(Editor& e, P_WIN& owner, QWidget* palette);

  void DEEP_BAR_Change(int value);

  QScrollBar* DEEP_BAR;  // thru pen depth THPD in percent, 0 to 100

 protected:
  void SetBars() override;
  void Unloading() override;
};

}  // namespace tupalo
