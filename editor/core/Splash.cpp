#include "editor/core/Splash.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

namespace tupalo {

SplashWindow::SplashWindow(const QString& versionText, QWidget* owner)
    : QDialog(owner, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setModal(false);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setStyleSheet(
      QStringLiteral("QDialog { background: #fdfdf8; border: 2px solid #4a6fa5; }"
                     "QLabel#title { font-size: 18px; font-weight: bold; color: #1d3557; }"
                     "QLabel#credit { color: #555; }"
                     "QLabel#status { color: #222; }"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(24, 18, 24, 18);
  layout->setSpacing(10);
  title_ = new QLabel(QStringLiteral("Paint Tool ") + versionText, this);
  title_->setObjectName(QStringLiteral("title"));
  credit_ = new QLabel(QStringLiteral("Linux 版  (C) Tupalo 開発チーム"), this);
  credit_->setObjectName(QStringLiteral("credit"));
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("status"));
  status_->setMinimumWidth(320);
  status_->setMinimumHeight(status_->fontMetrics().height() * 2 + 4);
  status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  layout->addWidget(title_);
  layout->addWidget(credit_);
  layout->addWidget(status_);
}

void SplashWindow::setStatus(const QString& text) {
  status_->setText(text);
  if (isVisible()) {
    status_->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
}

QString SplashWindow::title() const { return title_->text(); }
QString SplashWindow::credit() const { return credit_->text(); }
QString SplashWindow::status() const { return status_->text(); }

}  // namespace tupalo
