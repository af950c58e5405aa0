#pragma once
// The plain-text style shared by the settings, colour and add-in files: one
// record per line, an apostrophe starts a comment, a key of four characters, a
// value after the first comma, and a line "[EOF]" that ends the data.
//
// Older versions of the editor wrote these files in Shift-JIS with CR LF line
// ends; ours are UTF-8 with LF. A file is read as UTF-8 when it is valid UTF-8
// as a whole, else as Shift-JIS, and when it isn't that either as Latin-1
// (which holds any byte, so even a damaged file comes back byte for byte).
// CR LF, LF and a lone CR all end a line, so no value ever holds a line break.
// A file is written back in the encoding and line ends it was read in.

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

// The line that ends the data: exactly "[EOF]". Readers stop there and the
// writer ends its rewrite there; a line that only trims to it ("  [EOF]") is
// data to both.
inline bool isConfigEndLine(QStringView line) { return line == kConfigEndLine; }

enum class TextEncoding { Utf8, ShiftJis, Latin1 };

// How a file's text was stored, so that it can be stored the same way again.
struct TextFormat {
  TextEncoding encoding = TextEncoding::Utf8;
  bool byteOrderMark = false;  // UTF-8 only
  bool crlf = false;           // the file's first line end was CR LF
  friend bool operator==(const TextFormat&, const TextFormat&) = default;
};

// A file's lines (without their line ends) and how it was stored.
struct ConfigText {
  QStringList lines;
  TextFormat format;
};

// Reads a whole file of this style. Fails (false, *error set to a Japanese
// reason) when the path is missing, not a regular file (a folder, a FIFO),
// unreadable or too large.
bool readConfigFileBytes(const QString& path, QByteArray& bytes, QString* error = nullptr);

// Decodes file contents (see above) and splits them into lines.
ConfigText decodeConfigText(const QByteArray& bytes);

// The lines of decodeConfigText.
QStringList splitConfigText(const QByteArray& bytes);

// readConfigFileBytes followed by decodeConfigText.
bool readConfigFile(const QString& path, ConfigText& text, QString* error = nullptr);

// The file's contents for `lines` in `format`, every line ended. When the
// format's encoding can't hold a character of them (an emoji in Shift-JIS),
// the whole file is UTF-8 instead, so that nothing turns into "?"; so too when
// its bytes would read back in another encoding (Latin-1 bytes that happen to
// form valid Shift-JIS), so that nothing turns into other text.
QByteArray encodeConfigText(const QStringList& lines, const TextFormat& format = {});

// Replaces the file at `path` with encodeConfigText(lines, format),
// atomically (see platform/AtomicFile.h): on failure the old file stays as it
// was and *error says why.
bool writeConfigFile(const QString& path, const QStringList& lines, const TextFormat& format,
                     QString* error = nullptr);

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

// The file beside the program as read at start-up.
struct SeededText {
  ConfigText text;
  // Set to a Japanese reason when the file exists but can't be read (no
  // permission, a folder): it is left alone and the factory copy's lines are
  // used in its place.
  QString readError;
};

// The lines of a data file beside the program, seeding it from its factory
// copy when it doesn't exist or, given `holdsData`, when what it holds fails
// that test. A file that exists but can't be read is not replaced; then, as
// after a failed seed (read-only folder), the factory copy's lines are used.
// No lines when neither is readable.
SeededText readOrSeedConfigFile(const QString& path, const QString& factoryPath,
                                const std::function<bool(const QStringList&)>& holdsData = {});

// Rewrites a template line by line: empty and comment lines are kept
// (trimmed), every key line is written as key + " , " + valueFor(its parts) +
// " " + its own trailing comment. The end line is written as it is and the
// lines after it follow unchanged; a template without one gets it added.
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
