#pragma once
// The plain-text style shared by the settings, colour and add-in files: one
// record per line, an apostrophe starts a comment, a key of four characters, a
// value after the first comma, and a line "[EOF]" that ends the data.
//
// Files are UTF-8. A line that isn't valid UTF-8 is taken as Latin-1, so a
// file touched by an old 8-bit editor still reads without replacement marks.
// CR LF, LF and a lone CR all end a line, so no value ever holds a line break.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <functional>
#include <optional>

namespace tupalo {

// Settings files are a few kilobytes; anything larger than this is not one
// and is treated as unreadable rather than pulled into memory.
inline constexpr qint64 kMaxConfigFileBytes = 8 * 1024 * 1024;

inline const QString kConfigEndLine = QStringLiteral("[EOF]");

// Reads a whole file of this style. Fails (false, *error set) when the path is
// missing, not a regular file (a folder, a FIFO), unreadable or too large.
bool readConfigFileBytes(const QString& path, QByteArray& bytes, QString* error = nullptr);

// Splits file contents into lines without their line ends. A leading UTF-8
// byte-order mark is dropped.
QStringList splitConfigText(const QByteArray& bytes);

// readConfigFileBytes followed by splitConfigText.
bool readConfigFile(const QString& path, QStringList& lines, QString* error = nullptr);

// The file's contents for `lines`: UTF-8, each line ended by LF.
QByteArray joinConfigText(const QStringList& lines);

// Replaces the file at `path` with joinConfigText(lines), atomically (see
// platform/AtomicFile.h): on failure the old file stays as it was.
bool writeConfigFile(const QString& path, const QStringList& lines, QString* error = nullptr);

// Spaces and tabs removed from both ends.
QString trimBlanks(QStringView text);

// A key line cut into its parts. `line` is already trimmed and is not a
// comment line. The comment runs from the first apostrophe to the end of the
// line, apostrophe included; the key is the first four characters before it;
// the value is what follows the first comma before it (the whole text when
// there is no comma), trimmed.
struct KeyLine {
  QString key;
  QString value;
  QString comment;
};
KeyLine splitKeyLine(QStringView line);

// The lines of a data file beside the program, seeding it from its factory
// copy when it doesn't exist. A file that exists but can't be read (a folder,
// no permission) is not replaced; then, as after a failed seed (read-only
// folder), the factory copy's lines are used. Empty when neither is readable.
QStringList readOrSeedConfigFile(const QString& path, const QString& factoryPath);

// Rewrites a template line by line: empty and comment lines are kept
// (trimmed), "[EOF]" ends the output (and is added when the template lacks
// it), every key line is written as key + " , " + valueFor(its parts) + " " +
// its own trailing comment.
QStringList rewriteKeyLines(const QStringList& templateLines,
                            const std::function<QString(const KeyLine&)>& valueFor);

// Number fields: leading blanks, an optional sign, digits and an optional
// fraction; reading stops at the first character that doesn't fit and text
// with no number gives 0. The result is rounded to the nearest integer, halves
// to the even neighbour. nullopt when the rounded number doesn't fit the type.
std::optional<int16_t> configNumber16(QStringView text);
std::optional<int32_t> configNumber32(QStringView text);

// A number as the files write it: a leading blank in place of a plus sign.
QString configNumberText(int32_t value);

}  // namespace tupalo
