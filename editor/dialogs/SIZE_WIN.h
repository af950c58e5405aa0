#pragma once
// The picture size window: a new width and height in pixels; the picture is
// cut or extended at its right and bottom edges, or, with "Expand case
// Resize" ticked, scaled with one of three modes. While it is open the main
// window, the command palette and the colour window are disabled.

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QValidator>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "editor/core/Editor.h"
#include "editor/core/MainWindowsDisabled.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tupalo {

class P_WIN;

// What a size box holds: digits only, after the blank that stands in front of
// a number written into it. Typed or pasted, anything else is dropped.
class SizeBoxValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
};

// The number in a size box; nullopt when it holds no digit. Very long numbers
// come back as kSizeValueCap, far above any size the editor takes.
inline constexpr std::int64_t kSizeValueCap = 999'999'999'999;
std::optional<std::int64_t> SizeBoxValue(const QString& text);

// A number as a size box shows it: a blank, then the digits.
QString SizeBoxText(std::int64_t value);

// The other box's number when one box holds `value`: value x ratio truncated
// toward zero.
std::int64_t CoupledSize(std::int64_t value, double ratio);

// Why a new size is refused (the message for the user), or nullopt when the
// editor can hold a picture of that size.
std::optional<QString> SizeRefusal(std::int64_t width, std::int64_t height);

class SIZE_WIN : public QDialog {
  Q_OBJECT
 public:
  SIZE_WIN(Editor& e, P_WIN& owner);

  // Opens the window for the current picture and disables the main windows.
  void Open();

  // ---- event handlers ----
  void OK_Click();
  void CANCEL_Click();
  void X_SIZE_Change();
  void Y_SIZE_Change();
  void EXP_FLAG_Click();
  void EXP_MODE_Click(int i);

  // ---- window state ----
  double RatioXY = 1;        // width / height at opening
  double RatioYX = 1;        // height / width at opening
  int16_t SelectedMode = 0;  // 0 DeleteLines, 1 OR, 2 AND
  int16_t Filling = 0;       // 1 while one box is being filled from the other

  // ---- controls ----
  QGroupBox* PS_Flame;                      // frame around the two sizes
  QLabel* Label1;                           // "Width(X)"
  QLineEdit* X_SIZE;                        // the new width
  QLabel* Label2;                           // "Height(Y)"
  QLineEdit* Y_SIZE;                        // the new height
  QLabel* Label3;                           // unit beside the width
  QLabel* Label4;                           // unit beside the height
  QCheckBox* XY_MAG;                        // keeps width and height in the picture's ratio
  QCheckBox* EXP_FLAG;                      // scale instead of cutting or extending
  QGroupBox* EXP_MODE_FLM;                  // frame around the scaling modes
  std::array<QRadioButton*, 3> EXP_MODE{};  // the scaling modes
  QPushButton* OK;                          // applies the new size
  QPushButton* CANCEL;                      // closes without a change

 public slots:
  void reject() override;  // Esc and the title bar's close are Cancel

 private:
  void centreOnOwner();
  void disableMainWindows();
  void enableMainWindows();
  void finish();

  Editor& e_;
  P_WIN& owner_;
  MainWindowsDisabled mainDisabled_;
  bool open_ = false;
};

}  // namespace tupalo
