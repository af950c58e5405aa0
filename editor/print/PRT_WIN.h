#pragma once
// The print window: prints the picture at an exact size in millimetres at an
// exact place, over one sheet or several, and prints a millimetre grid that
// shows where the printer really puts things. While it is open the main
// window, the command palette and the colour window are disabled: the picture
// must not change under the fixed proportions and maximum size.

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTimer>
#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "editor/core/MainWindowsDisabled.h"

namespace tupalo {

struct Editor;
class P_WIN;

// The layout preview's drawing surface: keeps the picture drawn on it.
class PreviewSurface : public QWidget {
  Q_OBJECT
 public:
  explicit PreviewSurface(QWidget* parent) : QWidget(parent) {}
  QImage image;  // what the preview shows, the size of the widget

 protected:
  void paintEvent(QPaintEvent* ev) override;
};

class PRT_WIN : public QDialog {
  Q_OBJECT
 public:
  // `printer` is the printer to start on; none: the system's default printer,
  // or the PDF printer when there is no printer.
  PRT_WIN(Editor& e, P_WIN& owner, std::unique_ptr<QPrinter> printer = nullptr);
  ~PRT_WIN() override;

  // The window's load: opening state, layout, centred on the main window,
  // the editor's windows disabled; then shown.
  void Open();
  QPrinter& printer() { return *printer_; }

  // ---- event handlers ----
  void Command1_Click();  // printer set-up
  void Command2_Click();  // RulerPrint
  void Command3_Click();  // picture page
  void Command4_Click();  // template page
  void Command5_Click();  // Cancel
  void GO_Click();        // Print
  void AUTO_CENTER_Click();
  void PRT_AT_MAXSIZE_Click();
  void ALL_PRT_Click();
  void SEL_PRT_Click();
  void REDISP_FLG_Click();
  void SCTIMER_Timer();
  // The layout update: printer, printable area, virtual area, maximum size,
  // auto size and centring, preview.
  void LayoutUpdate();

  // The boxes the step buttons change.
  enum Field { FieldLtX = 0, FieldLtY, FieldXSize, FieldYSize };
  // A click on a - or + button: the field by -0.01 or +0.01 mm.
  void StepClick(Field f, int direction);
  // A repeating button pressed (direction -1 or +1) and released.
  void RepeatPress(Field f, int direction);
  void RepeatRelease();
  bool repeating() const { return RepeatMode != 0; }

  // ---- controls ----
  QPushButton* Command3;  // "絵の印刷": the picture page
  QPushButton* Command4;  // "テンプレート印刷": the template page
  QStackedWidget* PAGES;  // the picture page and the template page
  QGroupBox* Frame1;      // the printer
  QPushButton* Command1;  // opens the printer set-up dialog
  QLabel* Label1;         // "Printer名"
  QLabel* PRT_NAME;       // the printer's device name
  QLabel* Label2;         // "印字領域"
  QLabel* PRT_SIZE;       // the printable area in mm
  QGroupBox* Frame5;      // print start position
  QLineEdit* LT_X;        // mm from the left of the virtual area
  QLineEdit* LT_Y;        // mm from the top
  QPushButton *LT_X_M, *LT_X_P, *LT_X_MM, *LT_X_PP;  // one step down/up; repeating down/up
  QPushButton *LT_Y_M, *LT_Y_P, *LT_Y_MM, *LT_Y_PP;
  QCheckBox* AUTO_CENTER;  // centre the print on the virtual area
  QCheckBox* REDISP_FLG;   // the preview shows the picture, not a box
  QGroupBox* Frame2;       // print size
  QLineEdit* X_SIZE;       // print width, mm
  QLineEdit* Y_SIZE;       // print height, mm
  QPushButton *X_SIZE_M, *X_SIZE_P, *X_SIZE_MM, *X_SIZE_PP;
  QPushButton *Y_SIZE_M, *Y_SIZE_P, *Y_SIZE_MM, *Y_SIZE_PP;
  QCheckBox* PRT_AT_MAXSIZE;  // always the largest size
  QGroupBox* Frame3;          // sheets across and down
  QLineEdit* X_PAP;           // sheets across
  QLineEdit* Y_PAP;           // sheets down
  QScrollBar* X_PAP_SC;       // steps X_PAP
  QScrollBar* Y_PAP_SC;       // steps Y_PAP
  QLabel* VIRT_W;             // width of the virtual print area
  QLabel* VIRT_H;             // height of the virtual print area
  QGroupBox* Frame4;          // which sheets to print
  QRadioButton* ALL_PRT;      // every sheet
  QRadioButton* SEL_PRT;      // only the chosen sheet
  QLineEdit* SEL_X;           // column of the chosen sheet
  QLineEdit* SEL_Y;           // row of the chosen sheet
  QScrollBar* SEL_X_SC;       // steps SEL_X
  QScrollBar* SEL_Y_SC;       // steps SEL_Y
  QFrame* IMG_WAKU;           // frame of the layout preview
  PreviewSurface* IMG_BASE;   // the virtual area in the preview
  QPushButton* GO;            // "Print"
  QPushButton* Command5;      // "Cancel"
  QGroupBox* Frame6;          // what the template holds
  QCheckBox* Check3;          // black only
  QCheckBox* Check2;          // the printer information
  QCheckBox* Check1;          // numbers at regular intervals
  QLabel* Label20;            // "マス目の間隔"
  QComboBox* Combo1;          // grid spacing
  QPushButton* Command2;      // "RulerPrint"
  QLabel* Label21;            // what the template is for
  QLabel* Label22;            // what it is not for
  QTimer SCTIMER;             // drives the repeating step buttons

  // ---- window state ----
  double PaperWidth = 0, PaperHeight = 0;   // printable area, mm, to 0.1 mm
  double TwipsPerMmX = 0, TwipsPerMmY = 0;  // printer twips per mm
  double RatioXY = 1, RatioYX = 1;          // picture width / height and height / width
  double MaxWidth = 0, MaxHeight = 0;       // largest print size, mm
  int16_t ReEntry = 0;                      // 1 while a box is written by the window itself
  int16_t RepeatMode = 0;                   // 0, or 1 + 2 * field + (direction > 0)
  int16_t RepeatTicks = 0;                  // ticks since the press, up to 5000

 protected:
  void closeEvent(QCloseEvent* ev) override;
  void changeEvent(QEvent* ev) override;
  void hideEvent(QHideEvent* ev) override;

 public slots:
  void reject() override { close(); }

 private:
  void BuildPicturePage(QWidget* page);
  void BuildTemplatePage(QWidget* page);
  QLineEdit* box(Field f) const;
  // Writes a box without the window reacting to it as to typing.
  void WriteBox(QLineEdit* b, const QString& text);
  void SizeChanged(Field f);        // X_SIZE or Y_SIZE typed or stepped
  void PositionChanged();           // LT_X or LT_Y typed or stepped
  void SheetsChanged(bool across);  // X_PAP or Y_PAP typed
  void SelectorChanged(bool across);
  void StepField(Field f, double delta);
  void EnablePosition(bool on);
  void EnableSize(bool on);
  void EnableSelectors(bool on);
  void RedrawPreview(double VW, double VH);
  void SyncSheetBars();
  // The PDF printer needs a file name before its first job: false when the
  // user gave none.
  bool EnsurePdfFileName();
  void Refuse(const QString& text);
  void Unload();  // gives the editor's windows back

  Editor& e_;
  P_WIN& owner_;
  std::unique_ptr<QPrinter> printer_;
  MainWindowsDisabled mainDisabled_;
  bool loaded_ = false;
  bool syncingBars_ = false;
};

}  // namespace tupalo
