#include "editor/core/Undo.h"

#include "editor/core/P_WIN.h"

namespace tupalo {

void Undo(P_WIN&) {}
void Timer2_Timer(P_WIN&) {}

}  // namespace tupalo
