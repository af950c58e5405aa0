#pragma once
// The help window: shows the help page shipped in the program folder, opened
// at its contents; closed when the editor shuts down.

#include <QString>

class QWidget;

namespace tupalo {

// The help page beside the program.
inline constexpr const char* kHelpFileName = "TUPA_HELP.html";

// Opens the help window at the contents of the page, or brings the open one
// to the front at its contents. There is at most one help window.
void ShowHelpContents(QWidget* owner, const QString& appPath);
void CloseHelp();

}  // namespace tupalo
