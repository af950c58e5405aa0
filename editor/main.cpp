#include <QApplication>

#include "editor/EditorWindows.h"
#include "editor/core/CommandLine.h"
#include "editor/core/Editor.h"
#include "platform/Prompt.h"
#include "platform/UserFolders.h"

int main(int argc, char** argv) {
  // The whole command line is the picture's name. The toolkit would take the
  // words it knows ("-reverse", "-style X", ...) out of it, so it gets the
  // program's name alone.
  const QString commandLine = tupalo::PictureNameFromArguments(argc, argv);
  int qtArgc = 1;
  char* qtArgv[] = {argv[0], nullptr};
  QApplication app(qtArgc, qtArgv);
  app.setApplicationName(QStringLiteral("tupalo"));
  tupalo::installJapaneseQtTexts();

  tupalo::Editor editor;
  tupalo::QtPrompter prompter;
  editor.prompter = &prompter;

  tupalo::EditorWindows windows(editor);
  prompter.setParent(windows.main.get());

  // The data files sit beside the executable in the build folder and in
  // share/tupalo of an installed copy.
  const QString programFolder = tupalo::FindProgramFolder(QCoreApplication::applicationDirPath());
  if (windows.main->StartUp(programFolder, commandLine) == tupalo::P_WIN::StartResult::EndProgram)
    return 0;
  return app.exec();
}
