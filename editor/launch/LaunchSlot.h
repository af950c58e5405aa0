#pragma once
// Handing the picture over to another program: the editor saves the picture
// and its settings, starts tuparun (beside it in the program folder) and
// ends; tuparun starts the program of the launcher slot on the picture and,
// when the slot says so, the editor again once that program has ended.

#include <QString>
#include <QStringList>

namespace tupalo {

class P_WIN;
struct Editor;

// How tuparun is started: the program and its arguments, each switch and
// each value its own argument, so that paths with spaces, quotes, ";" or "$"
// arrive whole (no shell runs it).
struct LauncherCommand {
  QString program;
  QStringList arguments;
  // The command line as one text: the program and the arguments joined by
  // single spaces.
  QString text() const { return QStringList{program, arguments.join(QLatin1Char(' '))}.join(' '); }
};

// tuparun /MD flag /EN picture /RP editor /SP program, for launcher slot
// `slot` (0 or 1) and the saved picture. The flag is the slot's restart
// setting written with its leading blank (" 1", " 0").
LauncherCommand LauncherCommandFor(const Editor& e, int slot, const QString& picture);

// The hand-over from the palette's button for slot `slot` (0 or 1): the
// questions, the save, the settings written, tuparun started and the editor
// closed without the save question. Stops early, the editor staying as it
// was, when the slot has no program, the user declines, the picture is not
// saved or tuparun is not there.
void LaunchSlot(P_WIN& w, int slot);

}  // namespace tupalo
