#pragma once
// The busy window shared by long operations: a frame caption naming the work
// and a progress bar; while it is open the main window, the command palette
// and the colour window are disabled.

#include <QDialog>

namespace tupalo {

class P_WIN;

class WAIT_WIN : public QDialog {
  Q_OBJECT
 public:
  explicit WAIT_WIN(P_WIN& owner);
  void Open(const QString& frameCaption);
  void ShowProgress(double total, double done);
  void Close();

 private:
  P_WIN& owner_;
};

}  // namespace tupalo
