// tuparun: started by the editor when the picture is handed over to another
// program. It starts that program on the picture, and, when asked to, waits
// for it and starts the editor again on the same picture.
#include <QApplication>
#include <QMessageBox>
#include <string>
#include <vector>

#include "launcher/Form1.h"
#include "launcher/LaunchRequest.h"
#include "launcher/Spawn.h"

int main(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  // The toolkit would take words it knows ("-style X") out of the arguments;
  // it gets the program's name alone.
  int qtArgc = 1;
  char* qtArgv[] = {argv[0], nullptr};
  QApplication app(qtArgc, qtArgv);
  app.setApplicationName(QStringLiteral("tuparun"));

  const auto request = tuparun::ParseLaunchArguments(args);
  if (!request) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tupa "),
                    QStringLiteral("このプログラムはTupaより呼び出されるものです。\n"
                                   "単独での使用は出来ません。"),
                    QMessageBox::Ok);
    box.exec();
    return 0;
  }

  // The picture is the program's only argument, spaces and all.
  const pid_t program = tuparun::StartProgram(request->program, {request->picture});
  if (program == -1) {
    // Nothing runs on the picture: rather than leave the user with neither
    // program, the editor comes back on it.
    tuparun::RestartEditor(*request);
    return 0;
  }
  if (!request->restartWhenDone) return 0;

  tuparun::Form1 form(*request, program);
  form.Wait();
  return app.exec();
}
