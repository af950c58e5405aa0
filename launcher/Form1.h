#pragma once
// tuparun's one window: shown while the handed-over program runs, with a
// button that starts the editor again at once.

#include <sys/types.h>

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <cstdint>

#include "launcher/LaunchRequest.h"

namespace tuparun {

class Form1 : public QWidget {
  Q_OBJECT
 public:
  // Waits for `program` (already started) and then starts the editor on the
  // picture of `request`.
  Form1(const LaunchRequest& request, pid_t program);

  // Centres the window on the screen, shows it and starts polling.
  void Wait();
  // One turn of the wait: when the program has ended or the button was
  // pressed, the editor starts and the window closes.
  void Poll();
  void Command1_Click();

  QPushButton* Command1;  // "start the editor now"
  QLabel* Label1;         // left empty

  int16_t RestartRequested = 0;
  int16_t Closing = 0;

 protected:
  void closeEvent(QCloseEvent* ev) override;

 private:
  LaunchRequest request_;
  pid_t program_;
  QTimer poll_;
  bool restarted_ = false;
};

// Starts the editor on the picture; false when it could not be started.
bool RestartEditor(const LaunchRequest& request);

}  // namespace tuparun
