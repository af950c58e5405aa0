#pragma once
// The special-option launcher: one button per special option; pressing one
// hands the picture to that add-in, waits for it (the user may stop waiting)
// and takes the picture it hands back.

#include <QAbstractButton>
#include <QPixmap>
#include <QWidget>
#include <vector>

class QLabel;
class QPushButton;
class QStackedWidget;

namespace tupalo {

class P_WIN;
struct Editor;

// A 36 × 36 picture button: the upper half of its 36 × 72 image when up, the
// lower half when pressed.
class SpecialButton : public QAbstractButton {
  Q_OBJECT
 public:
  SpecialButton(const QPixmap& image, QWidget* parent);
  QSize sizeHint() const override { return {36, 36}; }
  const QPixmap& image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QPixmap image_;
};

// The button image of an option whose program is `program`: a raised face
// above a sunken one, with the add-in's own picture (a .png, .ico or .bmp
// beside the program with the program's name) drawn on both when it has one.
QPixmap SpecialButtonImage(const QString& program);

class SPOP_WIN : public QWidget {
  Q_OBJECT
 public:
  SPOP_WIN(Editor& e, P_WIN& owner);

  // Shows the window with a button per usable special option; the main
  // window, the palette and the colour window take no input until it closes.
  void Open();

  void SPOP_BUT_Click(int i);  // runs special option i (its entry index)
  void Command1_Click();       // stop waiting
  void Command2_Click();       // back (closes the window)

  int16_t SpecialOptionBusy = 0;
  int16_t StopWaiting = 0;
  int16_t LauncherWindowOpen = 0;

  QStackedWidget* panels;                // Picture1 or Picture2 in front
  QWidget* Picture1;                     // the option buttons
  QWidget* Picture2;                     // the running panel
  std::vector<SpecialButton*> SPOP_BUT;  // one per usable option
  std::vector<int> buttonEntry;          // the special-option entry of each button
  QLabel* SPOP_ICON;                     // running panel: the option's picture
  QLabel* SPOP_NAME;                     // running panel: the option's title
  QPushButton* Command1;                 // "終了待ちを中止する"
  QPushButton* Command2;                 // "戻る"

 protected:
  void closeEvent(QCloseEvent* ev) override;

 private:
  Editor& e_;
  P_WIN& owner_;
  int openings_ = 0;  // tells a run that its window was closed and opened again
};

}  // namespace tupalo
