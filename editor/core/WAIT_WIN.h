#pragma once
// The busy window shared by long operations: a frame caption naming the work
// and a progress bar; while it is open the main window, the command palette
// and the colour window are disabled.

#include <QDialog>
#include <QFrame>
#include <QImage>
#include <QPointer>
#include <QStringList>
#include <utility>
#include <vector>

class QGroupBox;

namespace tupalo {

class P_WIN;

// The progress bar: a sunken drawing surface that keeps what was drawn on it,
// so a shorter bar drawn after a longer one leaves the longer one standing.
class ProgressSurface : public QFrame {
  Q_OBJECT
 public:
  explicit ProgressSurface(QWidget* parent);
  // total 0: the whole bar in the button-face colour; otherwise the part
  // done / total of the width, from the left, in light cyan.
  void Draw(double total, double done);
  // What the surface holds, inner size.
  const QImage& image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* ev) override;
  void resizeEvent(QResizeEvent* ev) override;

 private:
  void fitImage();  // the kept image follows the inner size
  QImage image_;
};

class WAIT_WIN : public QDialog {
  Q_OBJECT
 public:
  explicit WAIT_WIN(P_WIN& owner);
  // Shows the window with this frame caption and disables the editor's main
  // windows. Nested calls only change the caption until the matching Close.
  void Open(const QString& frameCaption);
  void ShowProgress(double total, double done);
  // A new frame caption for the work now in progress, shown at once.
  void SetCaption(const QString& frameCaption);
  // Hides the window and gives the main windows back the state they had.
  void Close();
  bool isOpen() const { return depth_ > 0; }

  QGroupBox* FRAME;      // its caption says what is being done
  ProgressSurface* BAR;  // how far it has got

 public slots:
  void reject() override {}  // Escape does not close it: the operation does

 protected:
  void closeEvent(QCloseEvent* ev) override;

 private:
  // The windows a busy operation keeps the user out of.
  std::vector<QWidget*> busyTargets() const;
  void repaintNow();
  void centreOnScreen();

  P_WIN& owner_;
  int depth_ = 0;
  QStringList outerCaptions_;
  std::vector<std::pair<QPointer<QWidget>, bool>> wasEnabled_;
  QPointer<QWidget> focus_;
};

// Opens the busy window for a scope and closes it on every way out, early
// returns and exceptions included.
class BusyScope {
 public:
  BusyScope(WAIT_WIN& w, const QString& frameCaption) : w_(w) { w_.Open(frameCaption); }
  ~BusyScope() { w_.Close(); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;
  void progress(double total, double done) { w_.ShowProgress(total, done); }
  void caption(const QString& frameCaption) { w_.SetCaption(frameCaption); }

 private:
  WAIT_WIN& w_;
};

}  // namespace tupalo
