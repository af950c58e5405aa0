#pragma once
#include <QString>

namespace tupalo {

// The status-line name of a tool code; every code not in the table (the
// sub-states of multi-step tools among them) shows "- - - -".
QString ToolStatusName(int toolCode);

// The code a multi-step tool has while idle, for any of its states
// (5027 -> 27, 12029 -> 11029, 20001 -> 20000); other codes map to themselves.
int BaseToolCode(int code);

// A multi-click tool between its clicks: the shape is pending on the canvas.
bool IsPendingMultiStep(int code);

}  // namespace tupalo
