#include <QApplication>
#include <QStringList>

#include "editor/core/Editor.h"
#include "editor/core/P_WIN.h"
#include "platform/Prompt.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setApplicationName(QStringLiteral("tupalo"));
  tupalo::installJapaneseQtTexts();

  tupalo::Editor editor;
  tupalo::QtPrompter prompter;
  editor.prompter = &prompter;

  tupalo::P_WIN window(editor);
  prompter.setParent(&window);

  // The whole command line is one file name: words are joined by single spaces.
  QStringList words = QCoreApplication::arguments();
  words.removeFirst();
  const QString commandLine = words.join(QLatin1Char(' ')).trimmed();

  if (window.StartUp(QCoreApplication::applicationDirPath(), commandLine) ==
      tupalo::P_WIN::StartResult::EndProgram)
    return 0;
  return app.exec();
}
