#include "launcher/Form1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QScreen>
#include <QVBoxLayout>

#include "launcher/Spawn.h"

namespace tuparun {

bool RestartEditor(const LaunchRequest& request) {
  return StartProgram(request.editor, {request.picture}) != -1;
}

Form1::Form1(const LaunchRequest& request, pid_t program) : request_(request), program_(program) {
  setWindowTitle(QStringLiteral("Tupa:再ランチャー"));
  auto* layout = new QVBoxLayout(this);
  Label1 = new QLabel(this);
  Command1 = new QPushButton(QStringLiteral("Tupaを再起動する"), this);
  layout->addWidget(Label1);
  layout->addWidget(Command1);
  setFixedSize(280, 90);
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  // The wait looks at the program five times a second; in between the window
  // answers its button and its close box.
  poll_.setInterval(200);
  connect(&poll_, &QTimer::timeout, this, [this] { Poll(); });
}

void Form1::Wait() {
  if (const QScreen* s = QGuiApplication::primaryScreen()) {
    const QRect screen = s->geometry();
    move(screen.x() + screen.width() / 2 - width() / 2,
         screen.y() + screen.height() / 2 - height() / 2);
  }
  show();
  poll_.start();
}

void Form1::Command1_Click() { RestartRequested = 1; }

void Form1::Poll() {
  if (restarted_ || Closing) return;
  if (!HasEnded(program_) && RestartRequested != 1) return;
  poll_.stop();
  restarted_ = true;
  // The program may still run (the button was pressed): it is left alone.
  RestartEditor(request_);
  close();
}

void Form1::closeEvent(QCloseEvent* ev) {
  // Closed by the user while waiting: tuparun ends without the editor, and
  // the program keeps running.
  Closing = 1;
  poll_.stop();
  ev->accept();
  QCoreApplication::quit();
}

}  // namespace tuparun
