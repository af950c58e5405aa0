#pragma once
#include <QString>

namespace tupalo {

// The status-line name of a tool code; every code not in the table (the
// sub-states of multi-step tools among them) shows "- - - -".
QString ToolStatusName(int toolCode);

}  // namespace tupalo
