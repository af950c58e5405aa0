#pragma once
// The chroma-key merge window: a second picture, loaded into WORK, is merged
// into the edited picture PIC by a key colour. One picture lies on top; its
// key-coloured pixels let the other show through. The second picture is
// scaled to the edited picture's height or width, placed 1:1 at the
// top-left, or tiled. While the window is open the main window, the palette
// and the colour window are disabled; every way out enables them again.

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <utility>
#include <vector>

#include "editor/core/Editor.h"
#include "editor/core/MainWindowsDisabled.h"
#include "editor/dialogs/MergeMath.h"
#include "editor/dialogs/SurfaceBox.h"

namespace tupalo {

class P_WIN;

class MERG_WIN : public QWidget {
  Q_OBJECT
 public:
  MERG_WIN(Editor& e, P_WIN& owner);

  // The window's load: caption, place, the three windows disabled, the
  // thumbnails, the key from the designated colour, fit to height with the
  // edited picture on top, the preview option from MERM; then it is shown.
  void Open();
  bool isOpen() const { return open_; }

  // ---- event handlers ----
  void BASE_IMG_MouseDown(int x, int y);
  void BACK_IMG_MouseDown(int x, int y);
  void Option_Click(QRadioButton* option);
  void Check1_Click();
  void REDISP_Click();
  void Command1_Click();
  // Loads `path` as the second picture (the part of Command1 after the dialog).
  void LoadSecondPicture(const QString& path);
  void Command2_Click();
  void CANCEL_Click();

  MergePlacement placement() const;
  bool editedOnTop() const { return Option4->isChecked(); }
  // Refreshes the preview when Check1 is ticked.
  void AutoPreview();

  Rgb Key;                      // the key colour
  double ThumbnailScale = 1.0;  // thumbnail pixels per picture pixel of the edited picture

  // ---- controls ----
  QGroupBox* Frame1;      // "編集中の絵": the edited picture
  QFrame* BASE_WAKU;      // the box its thumbnail fits in
  SurfaceBox* BASE_IMG;   // thumbnail of PIC; a press takes the key colour
  QGroupBox* Frame2;      // "合成する絵": the picture to merge
  QFrame* BACK_WAKU;      // the box its thumbnail fits in
  SurfaceBox* BACK_IMG;   // thumbnail of WORK; a press takes the key colour
  QPushButton* Command1;  // "ファイルの指定": loads the second picture
  QGroupBox* Frame5;      // "編集中の絵で抜く色": the key colour
  QLabel* MASK;           // shows the key colour
  QLabel* Label1;         // how the key colour is chosen
  QGroupBox* Frame6;      // "合成の上下": which picture lies on top
  QRadioButton* Option4;  // the edited picture on top
  QRadioButton* Option5;  // the edited picture below
  QGroupBox* Frame3;      // "合成パラメータ": where the second picture lies
  QRadioButton* Option1;  // fit to the height
  QRadioButton* Option2;  // fit to the width
  QRadioButton* Option3;  // top-left, 1:1
  QRadioButton* Option6;  // top-left, 1:1, repeated
  QCheckBox* Check1;      // refresh the preview automatically (MERM)
  QGroupBox* Frame4;      // "PreView"
  QFrame* PRE_WAKU;       // the box of the preview
  SurfaceBox* PRE_IMG;    // the merge at thumbnail scale
  QPushButton* REDISP;    // "再描画": redraws the preview
  QPushButton* Command2;  // "Ok": merges
  QPushButton* CANCEL;    // "編集に戻る": back to editing, nothing merged

 protected:
  void closeEvent(QCloseEvent* ev) override;
  void keyPressEvent(QKeyEvent* ev) override;  // Esc is CANCEL

 private:
  // Draws `src` into `img`, sized to the largest rectangle of its proportions
  // inside `box`; returns the scale.
  double FitThumbnail(const raster::Surface& src, QFrame* box, SurfaceBox* img);
  void ShowKey();
  void TakeKey(const SurfaceBox* img, int x, int y);
  // Enables the three windows again and closes.
  void Leave();

  Editor& e_;
  P_WIN& owner_;
  bool open_ = false;
  MainWindowsDisabled mainDisabled_;
};

}  // namespace tupalo
