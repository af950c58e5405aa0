// The settings window's add-in page and the registry's backup: empty until
// the add-in registry is in.
#include "editor/settings/SET_WIN.h"

namespace tupalo {

void SET_WIN::RegistryError(const QString&) {}
void SET_WIN::BackupRegistry() {}
void SET_WIN::RestoreRegistry() {}
void SET_WIN::KeepRegistry() {}
void SET_WIN::FillAddInLists() { DISP_MODE[1]->setChecked(true); }
void SET_WIN::DISP_MODE_Click(int) {}
void SET_WIN::Command5_Click() {}
void SET_WIN::Command7_Click() {}

}  // namespace tupalo
