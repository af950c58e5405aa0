#pragma once
// The one seam through which the editor asks the user anything: message boxes
// and file dialogs. The editor shows Qt dialogs through QtPrompter; tests
// install a ScriptedPrompter (tests/support) that answers from a script and
// records exactly what was asked.

#include <QString>
#include <QStringList>
#include <optional>

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
};

struct FileRequest {
  bool save = false;
  QString title;
  QString initialName;
  // Filter in "Description|pattern|Description|pattern|" form.
  QString filter;
  int filterIndex = 1;  // 1-based entry preselected
};

struct FileAnswer {
  bool cancelled = true;
  QString path;
};

class Prompter {
 public:
  virtual ~Prompter() = default;
  virtual Answer message(const MessageRequest& req) = 0;
  virtual FileAnswer chooseFile(const FileRequest& req) = 0;
};

// Splits "Desc|pat|Desc|pat|" into (description, pattern) pairs.
QList<QPair<QString, QString>> splitFilter(const QString& filter);

// Production prompter: Qt dialogs with Japanese button texts that answer to
// Y, N, Enter (default button) and Esc (cancel), as a Japanese desktop does.
class QtPrompter : public Prompter {
 public:
  explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }
  Answer message(const MessageRequest& req) override;
  FileAnswer chooseFile(const FileRequest& req) override;

 private:
  QWidget* parent_;
};

}  // namespace tupalo
