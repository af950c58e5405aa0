#pragma once
// The registration window: the user picks an add-in's parameter file (*.AIP),
// sees what it offers and installs it into the registry.

#include <QDialog>
#include <array>

#include "editor/addins/AddInRegistry.h"

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace tupalo {

struct Editor;

class ADD_WIN : public QDialog {
  Q_OBJECT
 public:
  ADD_WIN(Editor& e, QWidget* owner = nullptr);

  // The whole registration: the file dialog, then the window, modal. True
  // when an add-in was installed (the registry was written and read again).
  static bool Run(Editor& e, QWidget* owner = nullptr);

  // Asks for the parameter file and fills the window from it. False when the
  // dialog was cancelled or the file could not be read (said to the user):
  // the window is then not to be shown.
  bool Open();

  void Command1_Click();        // install
  void DISP_MODE_Click(int i);  // which offers the list shows

  bool installed() const { return installed_; }
  const AddInPackage& package() const { return package_; }

  QLabel* TITLE;                           // the add-in's title
  std::array<QRadioButton*, 4> DISP_MODE;  // special options, scanner, read, write
  QListWidget* List1;                      // what the file offers of the chosen kind
  QPushButton* Command1;                   // install
  QPushButton* Command2;                   // back without installing

 private:
  Editor& e_;
  AddInPackage package_;
  bool installed_ = false;
};

}  // namespace tupalo
