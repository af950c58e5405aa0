#pragma once
// The help window: shows the help page shipped in the program folder, opened
// at its contents; closed when the editor shuts down.

#include <QString>

class QWidget;

namespace tupalo {

void ShowHelpContents(QWidget* owner, const QString& appPath);
void CloseHelp();

}  // namespace tupalo
