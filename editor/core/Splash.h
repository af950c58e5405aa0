#pragma once
#include <QDialog>

class QLabel;

namespace tupalo {

// The start-up window: title line, credit line and a status line that reports
// each step of the start-up.
class SplashWindow : public QDialog {
  Q_OBJECT
 public:
  SplashWindow(const QString& versionText, QWidget* owner);
  void setStatus(const QString& text);  // sets and repaints at once
  QString title() const;
  QString credit() const;
  QString status() const;

 private:
  QLabel* title_;
  QLabel* credit_;
  QLabel* status_;
};

}  // namespace tupalo
