#include "platform/HelpWindow.h"

#include <QFileInfo>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>

namespace tupalo {

namespace {

QWidget* makeHelpWindow(QWidget* owner) {
  auto* w = new QWidget(owner, Qt::Tool);
  w->setObjectName(QStringLiteral("HELP_WIN"));
  w->setAttribute(Qt::WA_DeleteOnClose);
  auto* browser = new QTextBrowser(w);
  browser->setObjectName(QStringLiteral("HELP_TEXT"));
  // Everything the page links to is inside it; nothing is handed to other programs.
  browser->setOpenExternalLinks(false);
  auto* layout = new QVBoxLayout(w);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser);
  w->resize(620, 560);
  if (owner) {
    // Beside the main window, kept on its screen.
    const QRect o = owner->frameGeometry();
    QPoint at(o.right() + 8, o.top());
    if (const QScreen* screen = owner->screen()) {
      const QRect room = screen->availableGeometry();
      at.setX(std::max(room.left(), std::min(at.x(), room.right() - w->width())));
      at.setY(std::max(room.top(), std::min(at.y(), room.bottom() - w->height())));
    }
    w->move(at);
  }
  return w;
}

}  // namespace

void HelpViewer::ShowContents(const QString& appPath) {
  if (!window_) window_ = makeHelpWindow(owner_);
  QWidget* window = window_;
  auto* browser = window->findChild<QTextBrowser*>();
  const QString path = appPath + QLatin1Char('/') + QLatin1String(kHelpFileName);
  if (QFileInfo(path).isFile()) {
    browser->setSource(QUrl::fromLocalFile(path));
  } else {
    browser->setHtml(QStringLiteral("<p>ヘルプファイルが見つかりません。</p><p>") +
                     path.toHtmlEscaped() + QStringLiteral("</p>"));
  }
  browser->verticalScrollBar()->setValue(0);  // the contents stand at the top
  const QString title = browser->documentTitle();
  window->setWindowTitle(title.isEmpty() ? QStringLiteral("Tupa ヘルプ") : title);
  window->show();
  window->raise();
  window->activateWindow();
}

void HelpViewer::Close() { delete window_.data(); }

}  // namespace tupalo
