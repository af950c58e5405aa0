// The settings window's add-in page and the registry's backup.
#include <QFileInfo>

#include "editor/addins/ADD_WIN.h"
#include "editor/addins/AddInRegistry.h"
#include "editor/core/P_WIN.h"
#include "editor/settings/SET_WIN.h"

namespace tupalo {

void SET_WIN::RegistryError(const QString& reason) {
  owner_.Ask(addInRegistryPath(e_.UserPath) +
                 QStringLiteral("\nAdd_In情報を保存できませんでした\n理由 : ") + reason,
             Buttons::Ok, Icon::Exclamation);
}

void SET_WIN::BackupRegistry() {
  QString error;
  // A registry removed since the start is made again first, so that CANCEL
  // has a copy to go back to.
  if (!QFileInfo::exists(addInRegistryPath(e_.UserPath))) LoadAddInRegistry(e_);
  if (!BackupAddInRegistry(e_, &error)) RegistryError(error);
  LoadAddInRegistry(e_);
}

void SET_WIN::RestoreRegistry() {
  QString error;
  // A copy that could not be put back stays beside the registry.
  if (!RestoreAddInRegistry(e_, &error)) RegistryError(error);
}

void SET_WIN::KeepRegistry() { DiscardAddInBackup(e_); }

void SET_WIN::FillAddInLists() {
  List2->clear();
  List2->addItems(addInTitles(e_.addins));
  // The scanner lines come first.
  int mode = 1;
  for (int i = 0; i < int(DISP_MODE.size()); ++i)
    if (loaded_ && DISP_MODE[i]->isChecked()) mode = i;
  DISP_MODE[mode]->setChecked(true);
  DISP_MODE_Click(mode);
}

void SET_WIN::DISP_MODE_Click(int i) {
  List1->clear();
  List1->addItems(registryListLines(e_.addins, static_cast<AddInListMode>(i)));
}

void SET_WIN::Command5_Click() {
  // The registration window, owned by this one, asks for the parameter file
  // itself, installs and writes the registry.
  ADD_WIN::Run(e_, this);
  FillAddInLists();
}

void SET_WIN::Command7_Click() {
  const int row = List2->currentRow();
  if (row < 0) return;
  RemoveAddIn(e_, row);
  FillAddInLists();
}

}  // namespace tupalo
