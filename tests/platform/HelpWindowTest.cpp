// The help window and the help page shipped with the program.
#include <QApplication>
#include <QFile>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTextBrowser>

#include "editor/core/MainWindowFixture.h"
#include "platform/HelpWindow.h"

namespace tupalo {
namespace {

QList<QWidget*> helpWindows() {
  QList<QWidget*> found;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String("HELP_WIN")) found.append(w);
  return found;
}

TEST(HelpWindow, OneWindowOpenedAtTheContents) {
  HelpViewer help(nullptr);
  help.ShowContents(QStringLiteral(TUPALO_DATA_DIR));
  ASSERT_EQ(helpWindows().size(), 1);
  QWidget* w = helpWindows().front();
  auto* text = w->findChild<QTextBrowser*>();
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Tupa ヘルプ"));
  EXPECT_TRUE(text->toPlainText().contains(QStringLiteral("目次")));
  text->scrollToAnchor(QStringLiteral("keys"));
  ASSERT_GT(text->verticalScrollBar()->value(), 0);

  help.ShowContents(QStringLiteral(TUPALO_DATA_DIR));
  EXPECT_EQ(helpWindows().size(), 1);
  EXPECT_EQ(text->verticalScrollBar()->value(), 0);
  help.Close();
  EXPECT_TRUE(helpWindows().isEmpty());
}

TEST(HelpWindow, EveryLinkOfThePageHasItsAnchor) {
  QFile f(QStringLiteral(TUPALO_DATA_DIR "/") + QLatin1String(kHelpFileName));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QString page = QString::fromUtf8(f.readAll());
  QSet<QString> anchors;
  for (const auto& m : QRegularExpression(QStringLiteral("name=\"([^\"]+)\"")).globalMatch(page))
    anchors.insert(m.captured(1));
  int links = 0;
  for (const auto& m : QRegularExpression(QStringLiteral("href=\"([^\"]*)\"")).globalMatch(page)) {
    ++links;
    const QString target = m.captured(1);
    ASSERT_TRUE(target.startsWith(u'#')) << target.toStdString();
    EXPECT_TRUE(anchors.contains(target.mid(1))) << target.toStdString();
  }
  EXPECT_GT(links, 10);
}

TEST_F(MainWindowTest, QuittingClosesTheHelpWindow) {
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  win->help.ShowContents(app);
  ASSERT_EQ(helpWindows().size(), 1);
  prompter.answer(Answer::Yes);
  EXPECT_TRUE(win->QuitRoutine());
  EXPECT_TRUE(helpWindows().isEmpty());
}

}  // namespace
}  // namespace tupalo
