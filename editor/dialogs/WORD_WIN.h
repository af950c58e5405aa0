#pragma once
// The text window: edits the line of text the text tool writes and its font,
// shows it in the drawing colour, and its OK arms the text tool (27001). While
// it is open the main window, the command palette and the colour window are
// disabled; every way out of it enables them again.

#include <QDialog>
#include <QPointer>
#include <optional>
#include <utility>
#include <vector>

#include "editor/core/Editor.h"
#include "editor/core/MainWindowsDisabled.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace tupalo {

class P_WIN;

namespace wordwin {

// Text1 for a caption: the caption without one blank at each end, where it
// has one there.
QString TextForCaption(const QString& caption);
// The caption for Text1: a blank put in front unless it starts with one and a
// blank appended unless it ends with one.
QString CaptionForText(const QString& text);
// FNT_SIZE as the user left it: the number rounded half to even and held to
// 1 .. kMaxWordPointSize; nothing when it is not a number at all.
std::optional<int> ParseFontSize(const QString& text);
// A size as FNT_SIZE shows it: decimal, a blank in place of the plus sign.
QString SizeText(int size);

}  // namespace wordwin

class WORD_WIN : public QDialog {
  Q_OBJECT
 public:
  WORD_WIN(Editor& e, P_WIN& owner);

  // Fills the window from WORD, centres it on the main window, disables the
  // main windows and shows it (modeless).
  void Open();

  // ---- event handlers ----
  void Text1_Change();
  void SC_FONT_Change(int value);
  void FNT_SIZE_LostFocus();
  void Command1_Click();
  void OK_Click();
  void Command2_Click();

  // ---- controls ----
  QGroupBox* Frame1;      // "テキスト"
  QLineEdit* Text1;       // the text being edited
  QGroupBox* Frame3;      // "表示イメージ"
  QLabel* Label2;         // preview: Text1 in the chosen font and the drawing colour
  QGroupBox* Frame2;      // "Font名とFontサイズ"
  QLabel* FNT_NAME;       // the font's name
  QLineEdit* FNT_SIZE;    // the font size in points, as typed
  QScrollBar* SC_FONT;    // the font size, 1 .. kMaxWordPointSize
  QLabel* Label1;         // "Point"
  QLabel* Label4;         // "Bold" or "...."
  QLabel* Label3;         // "Italic" or "......"
  QPushButton* Command1;  // "変更する": the font dialog
  QPushButton* OK;        // arms the text tool
  QPushButton* Command2;  // "CANCEL"

  // The preview's font, which OK gives to WORD.
  const FontChoice& previewFont() const { return font_; }

 public slots:
  // Every way out (OK, CANCEL, Esc, the title bar's close) passes here.
  void done(int result) override;

 private:
  void ShowFont();

  Editor& e_;
  P_WIN& owner_;
  FontChoice font_;
  MainWindowsDisabled mainDisabled_;
};

}  // namespace tupalo
