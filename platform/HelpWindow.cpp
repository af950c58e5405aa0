#include "platform/HelpWindow.h"

namespace tupalo {

void ShowHelpContents(QWidget*, const QString&) {}
void CloseHelp() {}

}  // namespace tupalo
