#pragma once
// Where the editor writes its own files: the settings, colour and add-in files
// and the autosave go to the user folder, the pictures exchanged with add-ins
// to the exchange folder.
//
// A program folder the user can write to (the build folder, a copy unpacked in
// the home folder) holds both, as it always has. An installed copy (its data
// in <prefix>/share/tupalo or <prefix>/lib/tupalo beside <prefix>/bin) and any
// program folder that can't be written leave the program folder alone: the
// user folder is $XDG_CONFIG_HOME/tupalo, else ~/.config/tupalo, one per user,
// and the exchange files go to a private temporary folder that is removed when
// the editor ends. An installed copy is never written to, not even by root, so
// that removing the package leaves nothing behind.

#include <QString>
#include <memory>

class QTemporaryDir;

namespace tupalo {

// The folder of the data files (DEFAULT.*, strips, cursors, help page) for an
// executable in `executableDir`: that folder itself when DEFAULT.CNF is beside
// the executable, else ../share/tupalo or ../lib/tupalo when it is there, else
// the executable's folder anyway (so the user hears of the missing files).
QString FindProgramFolder(const QString& executableDir);

// Whether `appPath` is the data folder of an installed copy: it is named
// share/tupalo or lib/tupalo and a bin folder stands beside share or lib.
bool IsInstalledProgramFolder(const QString& appPath);

// Whether a file can be created in `folder`, found by creating one (so a
// read-only mount counts too). The file fault injector's CreateTemporary
// fault for the folder's path makes it fail, for tests that run as root.
bool CanWriteFolder(const QString& folder);

struct WritableFolders {
  QString user;      // TUPA.CNF, TUPA.CDI, TUPA.AIN, AUTOSAVE.BMP
  QString exchange;  // the exchange files of add-ins
  // The exchange folder when it is a private temporary one: removed with the
  // last copy of this.
  std::shared_ptr<QTemporaryDir> exchangeFolder;
  bool separate = false;  // the program folder is left alone
};

// The environment the choice reads; tests give their own.
struct FolderEnvironment {
  QString xdgConfigHome;  // $XDG_CONFIG_HOME; ignored unless absolute
  QString home;           // $HOME
  QString tempRoot;       // where the private temporary folder is made
  static FolderEnvironment fromSystem();
};

// Decides, once at start-up, where the files are written (see above). The
// user folder and any missing folder above it are created with mode 0700; when
// that fails the path is still given, and the writes into it say why. When no
// private temporary folder can be made the exchange files go to the user
// folder, which is private too.
WritableFolders ChooseWritableFolders(
    const QString& appPath, const FolderEnvironment& env = FolderEnvironment::fromSystem());

}  // namespace tupalo
