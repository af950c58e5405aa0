#include "editor/launch/LaunchSlot.h"

#include <QFileInfo>
#include <QProcess>

#include "editor/core/P_WIN.h"
#include "editor/core/PictureCommands.h"

namespace tupalo {

namespace {

const QString& slotProgram(const Editor& e, int slot) {
  return slot == 0 ? e.settings.LAN1 : e.settings.LAN2;
}

// A number as the settings are written: a blank in place of the plus sign.
QString withLeadingBlank(int n) {
  return n < 0 ? QString::number(n) : QStringLiteral(" ") + QString::number(n);
}

}  // namespace

LauncherCommand LauncherCommandFor(const Editor& e, int slot, const QString& picture) {
  const int16_t restart = slot == 0 ? e.settings.LAM1 : e.settings.LAM2;
  const QString& programs = e.ExecutablePath.isEmpty() ? e.AppPath : e.ExecutablePath;
  LauncherCommand c;
  c.program = programs + QStringLiteral("/tuparun");
  c.arguments = {QStringLiteral("/MD"), withLeadingBlank(restart),
                 QStringLiteral("/EN"), picture,
                 QStringLiteral("/RP"), programs + QStringLiteral("/tupalo"),
                 QStringLiteral("/SP"), slotProgram(e, slot)};
  return c;
}

void LaunchSlot(P_WIN& w, int slot) {
  Editor& e = w.editor();
  const QString program = slotProgram(e, slot);
  if (program.trimmed().isEmpty()) {
    w.Ask(QStringLiteral("ランチするプログラムが指定されていません\nSETUPにて設定してください。"),
          Buttons::Ok, Icon::None);
    return;
  }
  if (w.Ask(QStringLiteral("TUPAは") + program +
                QStringLiteral("をランチし自らは終了します\n"
                               "データを引き渡すためファイルを保存してください\n"),
            Buttons::OkCancel, Icon::None, -1, QStringLiteral("ランチ終了")) != Answer::Ok)
    return;

  // The save dialog, the overwrite question and the saver, which says why a
  // picture could not be written; the editor then stays.
  if (!SavePictureAs(w)) return;

  const LauncherCommand command = LauncherCommandFor(e, slot, e.CurrentFileName);
  // Without tuparun nothing would bring the editor back: the picture is
  // saved, and the editor stays open.
  if (!QFileInfo(command.program).isExecutable()) {
    w.Ask(command.program + QStringLiteral("\nランチャーが見つかりません\n画像は") +
              e.CurrentFileName + QStringLiteral("に保存されています"),
          Buttons::Ok, Icon::Exclamation);
    return;
  }

  // The settings go to disk before tuparun may start the editor again.
  w.Shutdown();
  // tuparun outlives the editor: it is not the editor's child.
  if (!QProcess::startDetached(command.program, command.arguments)) {
    w.Ask(command.program + QStringLiteral("\nランチャーを起動できませんでした\n画像は") +
              e.CurrentFileName + QStringLiteral("に保存されています"),
          Buttons::Ok, Icon::Exclamation);
  }
  e.QuitViaLauncher = 1;
  w.close();
}

}  // namespace tupalo
