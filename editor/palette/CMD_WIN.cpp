#include "editor/palette/CMD_WIN.h"

#include "editor/core/P_WIN.h"

namespace tupalo {

CMD_WIN::CMD_WIN(Editor& e, P_WIN& owner) : QWidget(&owner, Qt::Tool), e_(e), owner_(owner) {}
void CMD_WIN::EnableUndoButton(int) {}
void CMD_WIN::StepPenSize(int) {}
void CMD_WIN::EnterExpansionLayout() {}

}  // namespace tupalo
