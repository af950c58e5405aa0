#pragma once
// TUPA.CDI, the colour pages of the colour window, and its factory copy
// DEFAULT.CDI, which seeds a missing TUPA.CDI. Unlike the settings file,
// TUPA.CDI is its own template: it is rewritten from its own lines, so the
// pages and colours it can hold are those already in it.

#include <QString>
#include <QStringList>

#include "editor/files/ColourDictionary.h"

namespace tupalo {

inline QString colourFilePath(const QString& userPath) {
  return userPath + QStringLiteral("/TUPA.CDI");
}
inline QString colourTemplatePath(const QString& appPath) {
  return appPath + QStringLiteral("/DEFAULT.CDI");
}

// Resets `d` (default names, every colour 0, page 0), then reads TUPA.CDI from
// the user folder `userPath`. A TUPA.CDI that doesn't exist or holds no page is
// seeded from DEFAULT.CDI of the program folder `appPath`. One that exists but
// can't be read is left alone: the factory pages are shown instead and false is
// returned with *error set to a Japanese reason. With neither file readable the reset state stays.
bool LoadColourFile(const QString& userPath, const QString& appPath, ColourDictionary& d,
                    QString* error = nullptr);

// Rewrites TUPA.CDI in `userPath` from its own lines with the names and
// colours of `d`, in the encoding and line ends it has; when it is gone or
// holds no page, from the lines of DEFAULT.CDI in `appPath`, and with neither, from a layout of all
// ten pages. The old file is replaced atomically: on any failure it is left as it was and false is
// returned with *error set to a Japanese reason. A TUPA.CDI that exists but can't be read is not
// replaced.
bool SaveColourFile(const QString& userPath, const QString& appPath, const ColourDictionary& d,
                    QString* error = nullptr);

// Whether `lines` hold a page (a CNAM line) before their end line.
bool holdsColourPages(const QStringList& lines);

// The two halves above without the files, for tests and fuzzing.
// applyColourFile reads `lines` up to "[EOF]" into `d` (not reset first).
void applyColourFile(const QStringList& lines, ColourDictionary& d);
// The lines of the new file for a template's lines, "[EOF]" included.
QStringList renderColourFile(const QStringList& templateLines, const ColourDictionary& d);

}  // namespace tupalo
