#include "editor/core/WAIT_WIN.h"

#include "editor/core/P_WIN.h"

namespace tupalo {

WAIT_WIN::WAIT_WIN(P_WIN& owner) : QDialog(&owner), owner_(owner) {}
void WAIT_WIN::Open(const QString&) {}
void WAIT_WIN::ShowProgress(double, double) {}
void WAIT_WIN::Close() {}

}  // namespace tupalo
