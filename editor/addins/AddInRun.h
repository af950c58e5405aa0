#pragma once
// Running add-ins: command templates turned into arguments, the exchange
// files that carry the picture, and waiting for the program without freezing
// the windows.
//
// A template is split into words first (blanks separate them, double quotes
// group blanks into a word and are removed; "" alone is an empty word;
// backslashes are ordinary characters), then the placeholders are replaced in
// each word. So a file name with blanks, quotes, ";" or "$" stays one
// argument, and no shell ever sees it. The program is the add-in's path as
// registered, never split.

#include <QString>
#include <QStringList>
#include <QTime>
#include <functional>

namespace tupalo {

struct Editor;

// The words of a template or command line (see above).
QStringList splitCommandLine(const QString& text);

// Replaces the placeholders of `text`, case-sensitively, left to right:
// %GP the program folder, %FN `exchangeFile`, %ON the current file, %SO the
// current file with its folder in short form, %OF the current file without
// its last four characters (empty when it has fewer). Everything else is
// copied as it is.
QString ExpandTemplate(const Editor& e, const QString& text, const QString& exchangeFile);

// The arguments of an add-in run: splitCommandLine, then ExpandTemplate on
// each word.
QStringList ExpandArguments(const Editor& e, const QString& text, const QString& exchangeFile);

// The short form of a folder. Names are not shortened here: the folder itself,
// trimmed and cut at a NUL character.
QString ShortFolder(const QString& longPath);

// Creates a new, empty exchange file "GThhmmss.BMP" in `folder` for the time
// `now` and returns its path. A name that is taken (a second exchange in the
// same second, another editor) moves on by a second until one is free, so
// two exchanges never share a file. Empty, with *error set to a Japanese
// reason, when none can be created.
QString MakeExchangeFile(const QString& folder, QTime now = QTime::currentTime(),
                         QString* error = nullptr);

struct RunOutcome {
  enum Kind { NotStarted, Ended, StoppedWaiting } kind = NotStarted;
  int exitCode = -1;  // Ended: the program's exit code, -1 when a signal ended it
  bool succeeded() const { return kind == Ended && exitCode == 0; }
};

// Starts the program with the arguments and waits for it to end, letting the
// windows process their events every 200 ms (and at once when it ends).
// `keepWaiting`, when given, is asked at every turn: false stops the wait and
// leaves the program running. A program that can't be started is said to the
// user ("Add_Inプログラムが見つかりません"). While it waits, e.AddInWaiting is
// raised: callers disable what must not be touched, and the main window
// refuses to close.
RunOutcome RunAndWait(Editor& e, const QString& program, const QStringList& args,
                      const std::function<bool()>& keepWaiting = {});

// A file's identity and time, to tell whether a program wrote it.
struct FileStamp {
  bool exists = false;
  qint64 inode = 0, size = 0, mtimeNs = 0;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
FileStamp stampOf(const QString& path);

}  // namespace tupalo
