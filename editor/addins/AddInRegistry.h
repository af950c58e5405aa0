#pragma once
// The add-in registry: the external programs that read and write other
// picture formats, drive a scanner or work on the picture as a special
// option, as listed in TUPA.AIN. TUPA.AIN is rewritten from its factory
// template DEFAULT.AIN (beside the program), whose placeholder line of each
// record kind says where that kind's records go. An add-in comes with a
// parameter file (*.AIP) that installs it.
//
// Both files have the style of the settings file: one record per line, an
// apostrophe starts a comment, "[EOF]" ends the data. A record is a list of
// fields, each ended by a comma (the last comma may be left out); the first
// field is the record's kind.

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/Prompt.h"

namespace tupalo {

struct Editor;

namespace addin {
inline constexpr int kMaxAddIns = 63;
inline constexpr int kMaxFormats = 21;  // readers, and writers
inline constexpr int kMaxSpecials = 21;
inline constexpr int kMaxFields = 11;
// The two scanner slots.
inline constexpr int kTwainSelect = 0;  // chooses the scanner
inline constexpr int kTwainScan = 1;    // scans
// The texts FindAddIn and the lists show for an add-in that is not there.
inline const QString kUnknownAddIn = QStringLiteral("不明なADD_INです。");
}  // namespace addin

// One installed add-in. An entry with an empty name is a hole left by a
// removal: it is not written back.
struct AddInEntry {
  QString name;   // what the other records refer to
  QString path;   // the program
  QString title;  // what the user sees
  int16_t option = 0;
  friend bool operator==(const AddInEntry&, const AddInEntry&) = default;
};

// A scanner slot or a special option: which add-in, with which arguments.
struct AddInCommand {
  QString addIn;
  QString command;  // template, see AddInRun.h
  friend bool operator==(const AddInCommand&, const AddInCommand&) = default;
};

// A reader or writer of one file extension.
struct FormatEntry {
  QString addIn;
  QString command;
  QString filter;     // dialog filter fragment "Description|pattern|"
  QString extension;  // upper case; compared with the end of the file name
  friend bool operator==(const FormatEntry&, const FormatEntry&) = default;
};

struct AddInRegistry {
  std::array<AddInEntry, addin::kMaxAddIns> AddIns{};
  int AddInCount = 0;
  std::array<AddInCommand, 2> Twain{};  // kTwainSelect, kTwainScan
  int16_t HasTwainSelect = 0;
  int16_t HasTwainScan = 0;
  std::array<FormatEntry, addin::kMaxFormats> Readers{};
  int ReaderCount = 0;
  std::array<FormatEntry, addin::kMaxFormats> Writers{};
  int WriterCount = 0;
  std::array<AddInCommand, addin::kMaxSpecials> Specials{};
  int SpecialCount = 0;

  // Every table and count empty, both scanner flags 0.
  void clear() { *this = AddInRegistry{}; }
  friend bool operator==(const AddInRegistry&, const AddInRegistry&) = default;
};

inline QString addInRegistryPath(const QString& userPath) {
  return userPath + QStringLiteral("/TUPA.AIN");
}
inline QString addInTemplatePath(const QString& appPath) {
  return appPath + QStringLiteral("/DEFAULT.AIN");
}
// The copy the settings window keeps while it is open, for its CANCEL.
inline QString addInBackupPath(const QString& userPath) {
  return userPath + QStringLiteral("/TUPAAIN.TMP");
}

// ---- the registry file -------------------------------------------------------

// A record line's fields: the line trimmed, cut at its first apostrophe, and
// split at the commas; at most addin::kMaxFields are kept. Fields keep their
// blanks. An empty list for an empty or comment line.
QStringList splitAddInRecord(QStringView line);

// Reads the records of `lines` (up to "[EOF]") into `r`, which is not cleared
// first. Records beyond a table's limit, and unknown kinds, are ignored.
void applyAddInRegistry(const QStringList& lines, AddInRegistry& r);

// The lines of TUPA.AIN for the template's lines and the tables: each
// placeholder line is replaced by the records of its kind (holes left out),
// everything else up to and including "[EOF]" is kept. Empty, with *error set
// to a Japanese reason, when the template lacks a placeholder or its end line.
QStringList renderAddInRegistry(const QStringList& templateLines, const AddInRegistry& r,
                                QString* error = nullptr);

// Empties e.addins and reads TUPA.AIN from e.UserPath. When it doesn't exist
// it is created: the add-ins shipped beside the program (the *.AIP files in
// e.AppPath) are installed into the empty tables and the registry is written.
// False, with *error set, when an existing file can't be read (the tables stay
// empty) or a new one couldn't be written (the shipped add-ins stay in memory).
bool LoadAddInRegistry(Editor& e, QString* error = nullptr);

// Rewrites TUPA.AIN from DEFAULT.AIN and e.addins, atomically: on any failure
// (template missing or without a placeholder, disk full) the old file stays.
bool SaveAddInRegistry(const Editor& e, QString* error = nullptr);

// Looks an add-in up by name (exact, first match; an empty name is never
// found). Not found: index -1, missing true, title addin::kUnknownAddIn.
struct FoundAddIn {
  QString title;
  QString path;
  int index = -1;
  bool missing = true;
};
FoundAddIn FindAddIn(const AddInRegistry& r, const QString& name);

// The reader or writer whose extension ends `fileName` (a-z compared as A-Z);
// of several, the one latest in the table. -1 when none matches. Entries
// without an add-in or an extension match nothing.
int findReader(const AddInRegistry& r, const QString& fileName);
int findWriter(const AddInRegistry& r, const QString& fileName);

// ---- parameter files (*.AIP) -----------------------------------------------

// What a parameter file offers. Its records name no add-in: they all belong
// to the one it describes.
struct AddInPackage {
  bool hasAddIn = false;  // an ADIN record was there
  AddInEntry addIn;       // "%%" in the path already replaced by the file's folder
  bool hasSelect = false;
  QString selectCommand;
  bool hasScan = false;
  QString scanCommand;
  bool hasSpecial = false;
  QString specialCommand;            // the last SPOP record
  std::vector<FormatEntry> readers;  // addIn empty; at most addin::kMaxFormats
  std::vector<FormatEntry> writers;
};

// Parses an AIP file's lines; `folder` is the folder that holds it, no
// trailing slash.
AddInPackage parseAddInPackage(const QStringList& lines, const QString& folder);

// Reads an AIP file. False, with *error set to a Japanese reason, when it
// can't be read.
bool readAddInPackage(const QString& path, AddInPackage& out, QString* error = nullptr);

// Why the package can't be installed as it is (no ADIN record, no name, or a
// field the registry could not read back: a comma or an apostrophe in it);
// empty when it can.
QString packageProblem(const AddInPackage& p);

// How an installation asks: the text (lines joined by '\n'), the buttons, the
// icon, the default button as in MessageRequest.
using AddInAsker = std::function<Answer(const QString& text, Buttons, Icon, int defaultButton)>;

// Installs the package into the tables only (no file is written), asking
// through `ask`. True when the add-in entry was added.
bool installIntoRegistry(AddInRegistry& r, const AddInPackage& p, const AddInAsker& ask);

// Installs the package: its questions and messages through e.prompter, then
// the registry written and read again. True when it was installed and
// written; when writing fails the user is told and the registry read back as
// it was.
bool InstallAddIn(Editor& e, const AddInPackage& p);

// Removes add-in `index` after asking (its title, "を削除いたします、本当によろし
// いですか?"), with every reader, writer, scanner slot and special option that
// names it; then the registry is written and read again. True when removed.
bool RemoveAddIn(Editor& e, int index);

// ---- what the registration and settings windows list ------------------------

// The titles of the installed add-ins in table order (holes as empty lines,
// so row i is add-in i).
QStringList addInTitles(const AddInRegistry& r);

// The list under the four option buttons: 0 special options, 1 scanner,
// 2 read formats, 3 write formats.
enum class AddInListMode { Special = 0, Scanner = 1, Read = 2, Write = 3 };
QStringList registryListLines(const AddInRegistry& r, AddInListMode mode);
QStringList packageListLines(const AddInPackage& p, AddInListMode mode);

// ---- the settings window's backup ------------------------------------------

// Copies TUPA.AIN to TUPAAIN.TMP (when it exists).
bool BackupAddInRegistry(const Editor& e, QString* error = nullptr);
// Puts TUPAAIN.TMP back over TUPA.AIN atomically, removes it and reads the
// registry again. Without a backup only the reading happens.
bool RestoreAddInRegistry(Editor& e, QString* error = nullptr);
// Removes TUPAAIN.TMP and reads the registry again.
void DiscardAddInBackup(Editor& e);

// Test seam: whether the scanner program the shipped scanner add-in drives is
// installed (by default: `scanimage` on the PATH). Empty restores the default.
void setScannerProbe(std::function<bool()> probe);

}  // namespace tupalo
