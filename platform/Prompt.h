#pragma once
// The one seam through which the editor asks the user anything: message boxes,
// file dialogs and the font dialog. The editor shows Qt dialogs through QtPrompter; tests
// install a ScriptedPrompter (tests/support) that answers from a script and
// records exactly what was asked.

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

class QPrinter;
class QTranslator;
class QWidget;

namespace tupalo {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Question, Exclamation, Information, Critical };
enum class Answer { Ok, Cancel, Yes, No };

struct MessageRequest {
  QString title;
  QString text;  // lines joined by '\n'
  Buttons buttons = Buttons::Ok;
  Icon icon = Icon::None;
  // 0-based index of the default button among the buttons shown (Yes/No/Cancel
  // order, OK/Cancel order). -1: the first.
  int defaultButton = -1;
  friend bool operator==(const MessageRequest&, const MessageRequest&) = default;
};

struct FileRequest {
  bool save = false;
  QString title;
  QString initialName;
  // Filter in "Description|pattern|Description|pattern|" form.
  QString filter;
  int filterIndex = 1;  // 1-based entry preselected
  friend bool operator==(const FileRequest&, const FileRequest&) = default;
};

struct FileAnswer {
  bool cancelled = true;
  QString path;
  friend bool operator==(const FileAnswer&, const FileAnswer&) = default;
};

// A screen font as the font dialog offers it and the text tool writes with.
struct FontChoice {
  QString name;
  int pointSize = 12;
  bool bold = false;
  bool italic = false;
  friend bool operator==(const FontChoice&, const FontChoice&) = default;
};

class Prompter {
 public:
  virtual ~Prompter() = default;
  virtual Answer message(const MessageRequest& req) = 0;
  virtual FileAnswer chooseFile(const FileRequest& req) = 0;
  // The font dialog, opened on `initial`; nothing when it was cancelled.
  virtual std::optional<FontChoice> chooseFont(const FontChoice& initial) = 0;
  // The printer set-up dialog over `printer`: true when the user confirmed it,
  // and `printer` then holds the choice (device or PDF file, paper). Without a
  // dialog nothing changes.
  virtual bool setUpPrinter(QPrinter& printer) {
    (void)printer;
    return false;
  }
};

// Splits "Desc|pat|Desc|pat|" into (description, pattern) pairs. The trailing
// bar is optional; a last description without its pattern is dropped, and so
// are entries whose description and pattern are both empty.
QList<QPair<QString, QString>> splitFilter(const QString& filter);

// One pattern field ("*.BMP", "*.BMP;*.DIB") as Qt wildcard patterns that match
// regardless of case, as the patterns were meant: "*.BMP" also finds "a.bmp".
// "*.*" (and an empty field) means every file.
QStringList qtFilterPatterns(const QString& pattern);

// The whole filter as QFileDialog name filters, one per entry, in the form
// "Description (patterns)"; the dialog is meant to hide the details so the user
// sees the descriptions as given.
QStringList qtNameFilters(const QString& filter);

// Makes Qt's own texts (file dialog labels and buttons) Japanese, whatever the
// locale, by installing Qt's Japanese translation into the application. Call
// once after the QApplication exists. Returns the installed translator (owned
// by the application), or nullptr when the translation is not installed.
QTranslator* installJapaneseQtTexts();

// Production prompter: Qt dialogs with Japanese button texts that answer to
// Y, N, Enter (default button) and Esc (cancel), as a Japanese desktop does.
// A Yes/No box without Cancel cannot be escaped or closed: it must be answered.
class QtPrompter : public Prompter {
 public:
  explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }
  Answer message(const MessageRequest& req) override;
  FileAnswer chooseFile(const FileRequest& req) override;
  std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
  bool setUpPrinter(QPrinter& printer) override;

 private:
  QWidget* parent_;
};

}  // namespace tupalo
