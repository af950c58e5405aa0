#pragma once
// The colour window: a small tool window beside the main window that sets the
// drawing colour (Color1, box TAR_COL) and the designated colour (Color2, box
// DES_COL). One of the two is edited at a time, through one of three panels:
// a grid of step buttons ("Rain"), the R, G, B and H, S, V bars ("R/H") and
// the pages of named colours kept in the colour file ("Dic").

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>

#include "editor/core/Editor.h"

class QComboBox;
class QPushButton;
class QScrollBar;

namespace tupalo {

class P_WIN;

// A colour inside a frame: TAR_COL and DES_COL.
class ColourBox : public QWidget {
  Q_OBJECT
 public:
  explicit ColourBox(QWidget* parent);
  void setColour(const QColor& c);
  QColor colour() const { return colour_; }
  void setFrameColour(const QColor& c);
  QColor frameColour() const { return frame_; }

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* ev) override;
  void mousePressEvent(QMouseEvent* ev) override;

 private:
  QColor colour_ = Qt::black;
  QColor frame_;
};

// COL_RGB: three stacked bars whose lengths are R, G and B. It keeps what was
// drawn on it, as a picture box does.
class RgbBarsBox : public QFrame {
  Q_OBJECT
 public:
  explicit RgbBarsBox(QWidget* parent);
  void Draw(Rgb c);
  const QImage& image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* ev) override;

 private:
  QImage image_;
};

// A label that reports left clicks: COLINDEX and Label7.
class ClickLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* ev) override;
};

class COL_WIN : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kPanels = 3;
  static constexpr int kDictionaryColours = ColourDictionary::kColours;

  COL_WIN(Editor& e, P_WIN& owner);

 signals:
  // The window manager has framed the window: its full height is known now.
  void framed();

 public:
  // ---- routines the editor shares ----
  // CurColor = the edited colour (Color2 while UseSecondColor, else Color1).
  void LoadEditedColor();
  // Clamps CurColor, shows it and writes it back into the edited colour.
  void ApplyCurrentColor();
  void DrawRgbBars();
  // The colour pick tool returns to the tool it replaced.
  void EndEyedropper();
  // Frames the edited colour's box: light cyan, light red while the colour
  // pick tool is chosen; the other box gets the button face.
  void PaintSwatchFrames();
  // "1" / "2" on the canvas picked Color1 / Color2 (which = 1 or 2).
  void ColourPicked(int which);
  // The page names and page 0 of the colour pages, after the colour file was read.
  void FillFromDictionary();
  // Stores the window's place (COWT, COWL) into the settings.
  void StorePosition();
  // The window's height in twips, frame included once the window manager has
  // given it one: the palette stands directly below.
  int32_t HeightTwips() const;

  // ---- event handlers ----
  void TAR_COL_Click();
  void DES_COL_Click();
  void Command1_Click();                          // "Rain"
  void Command2_Click();                          // "R/H"
  void Command3_Click();                          // "Dic"
  void RGB_BAR_Change(int component, int value);  // component 0 R, 1 G, 2 B
  void HSV_BAR_Change(int component, int value);  // component 0 H, 1 S, 2 V
  void C_BUT_Click(int i);
  void PP_BUT_Click(int i);
  void P_BUT_Click(int i);
  void M_BUT_Click(int i);
  void MM_BUT_Click(int i);
  void Combo1_Click(int index);
  // Tab or Enter while typing in Combo1 renames the page; true when taken.
  bool Combo1_KeyPress(int key);
  void Command4_Click();
  void Label7_Click();
  void COLINDEX_Click(int j);

  // ---- state ----
  int16_t RgbBusy = 0;    // the R, G, B bars are being set by the window itself
  int16_t HsvBusy = 0;    // the H, S, V bars are being set by the window itself
  int16_t WriteMode = 0;  // dictionary: 0 clicking takes a colour, 1 stores one
  int PreviousToolCode = tool::NoSelect;

  // ---- controls ----
  ColourBox* TAR_COL;                         // the drawing colour, Color1
  ColourBox* DES_COL;                         // the designated colour, Color2
  std::array<QWidget*, kPanels> CSEL_BASE{};  // the three panels: Rain, R/H, Dic
  QPushButton* Command1;                      // "Rain": the grid of step buttons
  QPushButton* Command2;                      // "R/H": the R, G, B and H, S, V bars
  QPushButton* Command3;                      // "Dic": the colour pages
  RgbBarsBox* COL_RGB;  // three bars as long as R, G and B of the edited colour
  QScrollBar* R_BAR;    // red, 0 to 255
  QScrollBar* G_BAR;    // green
  QScrollBar* B_BAR;    // blue
  QScrollBar* H_BAR;    // hue, 0 to 360 degrees
  QScrollBar* S_BAR;    // saturation, 0 to 255
  QScrollBar* V_BAR;    // value, 0 to 255
  QLabel* R_VAL;        // the bars' values as numbers
  QLabel* G_VAL;
  QLabel* B_VAL;
  QLabel* H_VAL;
  QLabel* S_VAL;
  QLabel* V_VAL;
  std::array<QPushButton*, 7> C_BUT{};   // Rain: the seven pure colours
  std::array<QPushButton*, 7> PP_BUT{};  // Rain: a column's components up by 16
  std::array<QPushButton*, 7> P_BUT{};   // up by 1
  std::array<QPushButton*, 7> M_BUT{};   // down by 1
  std::array<QPushButton*, 7> MM_BUT{};  // down by 16
  QComboBox* Combo1;                     // Dic: the page list; typing renames the page
  std::array<ClickLabel*, kDictionaryColours> COLINDEX{};  // Dic: the page's 27 colours
  QPushButton* Command4;  // Dic: switches to write mode (clicks store the edited colour)
  ClickLabel* Label7;     // Dic: stands for write mode; a click goes back to read mode

 protected:
  void showEvent(QShowEvent* ev) override;
  void closeEvent(QCloseEvent* ev) override;
  bool eventFilter(QObject* watched, QEvent* ev) override;

 private:
  // ApplyCurrentColor; the bars of the R/H panel follow only with `writeBars`.
  void ApplyColour(bool writeBars);
  void Load();
  void BuildRainPanel(QWidget* panel);
  void BuildBarsPanel(QWidget* panel);
  void BuildDictionaryPanel(QWidget* panel);
  void ShowPanel(int csel);
  int ShownPanel() const;
  void WriteRgbBars();
  void WriteHsvBars();
  void SelectEditedColour(int16_t useSecond);
  void ToggleEyedropper();
  void ShowModeHint();
  void ShowSwatches();
  void ShowPage(int page);
  // Tab, Enter or leaving Combo1: its text becomes the current page's name,
  // unless another page has it (then the old name is shown again, and the
  // user told when `tellUser`).
  void RenamePage(bool tellUser);
  void ShowPageName();  // Combo1 shows the current page and its name
  void ShowDictionaryColour(int j);
  void RainClick(int i, int amount);
  void CheckFrame();

  Editor& e_;
  P_WIN& owner_;
  QLabel* modeHint_ = nullptr;  // says what a click on a colour does
  QTimer frameWatch_;           // until the window manager has framed the window
  int frameChecks_ = 0;
  bool loaded_ = false;
};

}  // namespace tupalo
