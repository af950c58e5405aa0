#pragma once
// TUPA.CNF, the settings file in the user folder (beside the program unless
// the program folder is left alone, see platform/UserFolders.h), and its
// factory copy DEFAULT.CNF in the program folder, which seeds a missing TUPA.CNF and is the
// template TUPA.CNF is rewritten from (its order, comments and unknown keys decide the output).

#include <QString>
#include <QStringList>
#include <cstdint>

#include "editor/files/Settings.h"

namespace tupalo {

// What reading and writing the settings needs from the windows. The main
// window implements it; all positions and sizes are in twips (15 per pixel at
// 96 dpi), the window converts.
class ConfigHost {
 public:
  virtual ~ConfigHost() = default;
  virtual int32_t screenWidthTwips() const = 0;
  virtual int32_t screenHeightTwips() const = 0;

  virtual int32_t mainTop() const = 0;
  virtual int32_t mainLeft() const = 0;
  virtual int32_t mainWidth() const = 0;
  virtual int32_t mainHeight() const = 0;
  virtual void setMainTop(int32_t) = 0;
  virtual void setMainLeft(int32_t) = 0;
  virtual void setMainWidth(int32_t) = 0;
  virtual void setMainHeight(int32_t) = 0;
  virtual int16_t mainState() const = 0;  // 0 normal, 1 minimised, 2 maximised
  virtual void setMainState(int16_t) = 0;
  virtual void restoreMainIfMinimised() = 0;

  // The overview window's defaults come from these; the command palette and
  // the colour window may be created on demand to answer.
  virtual int32_t paletteTop() const = 0;
  virtual int32_t paletteHeight() const = 0;
  virtual int32_t paletteWidth() const = 0;
  virtual int32_t colourWindowLeft() const = 0;

  // ASAT was read: copy it into the autosave countdown; the autosave timer
  // runs when it is not 0.
  virtual void autosaveIntervalRead(int16_t asat) = 0;
};

inline QString configFilePath(const QString& userPath) {
  return userPath + QStringLiteral("/TUPA.CNF");
}
inline QString configTemplatePath(const QString& appPath) {
  return appPath + QStringLiteral("/DEFAULT.CNF");
}

// Resets `s` to the defaults, then reads TUPA.CNF from the user folder
// `userPath` (seeding it from DEFAULT.CNF of the program folder `appPath` when
// it doesn't exist) and applies each key. RPNM becomes
// `currentFileName` only when it is empty, no file came on the command line
// and RPNX is not 0. With neither file readable the defaults stay.
void LoadConfiguration(const QString& userPath, const QString& appPath, Settings& s,
                       ConfigHost& host, bool fileFromCommandLine, QString& currentFileName);

// Rewrites TUPA.CNF in `userPath` from the template DEFAULT.CNF in `appPath`
// and `s`; the main window's
// keys come from the window itself (a minimised window is restored first).
// RPNM is written from s.RPNM, so set it to the current file name first. The
// file is written in the encoding and line ends TUPA.CNF has (the template is
// decoded on its own); a new one is UTF-8 with LF. The old file is replaced
// atomically: on any failure it is left as it was and false is returned with
// *error set to a Japanese reason.
bool SaveConfiguration(const QString& userPath, const QString& appPath, const Settings& s,
                       ConfigHost& host, QString* error = nullptr);

// The two halves above without the files, for tests and fuzzing.
// applyConfiguration reads `lines` up to "[EOF]" into `s` (not reset first).
void applyConfiguration(const QStringList& lines, Settings& s, ConfigHost& host,
                        bool fileFromCommandLine, QString& currentFileName);
// The lines of the new file for a template's lines, "[EOF]" included.
QStringList renderConfiguration(const QStringList& templateLines, const Settings& s,
                                ConfigHost& host);

}  // namespace tupalo
