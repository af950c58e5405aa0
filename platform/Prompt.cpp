#include "platform/Prompt.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTranslator>
#include <algorithm>
#include <vector>

namespace tupalo {

// ---- filters -------------------------------------------------------------------

QList<QPair<QString, QString>> splitFilter(const QString& filter) {
  QStringList parts = filter.split(u'|');
  if (!parts.isEmpty() && parts.last().isEmpty()) parts.removeLast();  // the usual closing bar
  QList<QPair<QString, QString>> entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty() && parts[i + 1].isEmpty()) continue;
    entries.append({parts[i], parts[i + 1]});
  }
  return entries;
}

namespace {

// "*.BMP" -> "*.[Bb][Mm][Pp]". Only ASCII letters: Qt's filter syntax accepts
// nothing else inside the parentheses anyway. A '[' is literal in these
// patterns, so it is escaped as a one-character class.
QString anyCase(const QString& word) {
  QString out;
  for (QChar c : word) {
    const char16_t u = c.unicode();
    const bool asciiLetter = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
    if (asciiLetter) {
      out += u'[';
      out += c.toUpper();
      out += c.toLower();
      out += u']';
    } else if (u == '[') {
      out += QStringLiteral("[[]");
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

QStringList qtFilterPatterns(const QString& pattern) {
  static const QRegularExpression separators(QStringLiteral("[;\\s]+"));
  QStringList out;
  for (const QString& word : pattern.split(separators, Qt::SkipEmptyParts)) {
    // "*.*" matches every name, also names without a dot; Qt's "*.*" would not.
    if (word == u"*.*" || word == u"*") return {QStringLiteral("*")};
    // The word itself comes first: in a save dialog Qt takes the first
    // pattern's suffix for the typed name when the user switches filters.
    if (!out.contains(word)) out << word;
    const QString folded = anyCase(word);
    if (!out.contains(folded)) out << folded;
  }
  if (out.isEmpty()) out << QStringLiteral("*");
  return out;
}

QStringList qtNameFilters(const QString& filter) {
  QStringList out;
  for (const auto& [description, pattern] : splitFilter(filter)) {
    // QFileDialog simplifies the texts itself and splits entries at newlines.
    QString shown = description.simplified();
    if (shown.isEmpty()) shown = pattern.simplified();
    // Qt reads the patterns from the last parenthesised group, so a
    // description that already shows "(*.BMP)" keeps it as text.
    out << shown + QStringLiteral(" (") + qtFilterPatterns(pattern).join(u' ') + u')';
  }
  return out;
}

// ---- message boxes ---------------------------------------------------------------

namespace {

// A message box that answers as a Japanese desktop's does: Y and N (with or
// without Alt) answer Yes and No, Esc and the close button take the escape
// answer, and a box without one (Yes/No) cannot be escaped at all. Qt's own
// box would let Esc answer No there.
class AskBox : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

  QAbstractButton* yes = nullptr;
  QAbstractButton* no = nullptr;
  QAbstractButton* escape = nullptr;

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    const Qt::KeyboardModifiers other =
        e->modifiers() & ~(Qt::ShiftModifier | Qt::AltModifier | Qt::KeypadModifier);
    if (other == Qt::NoModifier) {
      QAbstractButton* letter = e->key() == Qt::Key_Y ? yes : e->key() == Qt::Key_N ? no : nullptr;
      if (letter) {
        letter->click();
        return;
      }
    }
    if (e->matches(QKeySequence::Cancel)) {
      if (escape) escape->click();
      e->accept();  // never let QDialog reject a box that has no escape
      return;
    }
    QMessageBox::keyPressEvent(e);
  }

  void closeEvent(QCloseEvent* e) override {
    if (!escape) {
      e->ignore();
      return;
    }
    e->accept();
    if (isVisible()) escape->click();
  }
};

QMessageBox::Icon qtIcon(Icon icon) {
  switch (icon) {
    case Icon::Question:
      return QMessageBox::Question;
    case Icon::Exclamation:
      return QMessageBox::Warning;
    case Icon::Information:
      return QMessageBox::Information;
    case Icon::Critical:
      return QMessageBox::Critical;
    case Icon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

struct Choice {
  Answer answer;
  QString text;
};

std::vector<Choice> choicesFor(Buttons buttons) {
  const Choice yes{Answer::Yes, QStringLiteral("はい(&Y)")};
  const Choice no{Answer::No, QStringLiteral("いいえ(&N)")};
  const Choice ok{Answer::Ok, QStringLiteral("OK")};
  const Choice cancel{Answer::Cancel, QStringLiteral("キャンセル")};
  switch (buttons) {
    case Buttons::Ok:
      return {ok};
    case Buttons::OkCancel:
      return {ok, cancel};
    case Buttons::YesNo:
      return {yes, no};
    case Buttons::YesNoCancel:
      return {yes, no, cancel};
  }
  return {ok};
}

}  // namespace

Answer QtPrompter::message(const MessageRequest& req) {
  AskBox box(parent_);
  box.setWindowTitle(req.title);
  box.setTextFormat(Qt::PlainText);  // file names with '<' are not markup
  box.setText(req.text);
  box.setIcon(qtIcon(req.icon));
  box.setWindowModality(Qt::ApplicationModal);

  // All buttons share one role so every desktop layout keeps them in the
  // order given (Yes, No, Cancel / OK, Cancel), which the default index counts.
  const std::vector<Choice> choices = choicesFor(req.buttons);
  std::vector<QPushButton*> shown;
  for (const Choice& c : choices) {
    QPushButton* b = box.addButton(c.text, QMessageBox::ActionRole);
    shown.push_back(b);
    if (c.answer == Answer::Yes) box.yes = b;
    if (c.answer == Answer::No) box.no = b;
    if (c.answer == Answer::Cancel) box.escape = b;
  }
  if (choices.size() == 1) box.escape = shown.front();  // an OK-only box closes with Esc
  if (box.escape) box.setEscapeButton(box.escape);

  const int count = int(shown.size());
  const int def = (req.defaultButton >= 0 && req.defaultButton < count) ? req.defaultButton : 0;
  box.setDefaultButton(shown[def]);

  if (!box.escape) {
    // A Yes/No question must be answered: no close button on its frame.
    box.setWindowFlags((box.windowFlags() & ~Qt::WindowCloseButtonHint) | Qt::CustomizeWindowHint |
                       Qt::WindowTitleHint);
  }

  box.exec();

  for (size_t i = 0; i < shown.size(); ++i)
    if (box.clickedButton() == shown[i]) return choices[i].answer;
  // Ended without a click (the application is shutting down): the cautious answer.
  return box.escape ? (choices.size() == 1 ? Answer::Ok : Answer::Cancel) : Answer::No;
}

// ---- file dialogs ----------------------------------------------------------------

namespace {

// The initial name may be a path, a bare name, a folder, or a folder with a
// wildcard ("…/*.AIP") that only says where to look.
void placeInitialName(QFileDialog& dlg, const QString& initial) {
  if (initial.isEmpty()) return;
  const QFileInfo info(initial);
  if (info.isDir()) {
    dlg.setDirectory(info.absoluteFilePath());
    return;
  }
  if (initial.contains(u'/')) {
    const QFileInfo folder(info.path());
    if (folder.isDir()) dlg.setDirectory(folder.absoluteFilePath());
  }
  const QString name = info.fileName();
  if (!name.isEmpty() && !name.contains(u'*') && !name.contains(u'?')) dlg.selectFile(name);
}

}  // namespace

FileAnswer QtPrompter::chooseFile(const FileRequest& req) {
  QFileDialog dlg(parent_);
  QString title = req.title;
  if (title.isEmpty())
    title = req.save ? QStringLiteral("名前を付けて保存") : QStringLiteral("ファイルを開く");
  dlg.setWindowTitle(title);
  dlg.setWindowModality(Qt::ApplicationModal);
  // Qt's own dialog behaves the same everywhere (and under Xvfb). The editor
  // asks before overwriting, so the dialog must not. Qt's dialog has no
  // read-only box to hide.
  dlg.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails |
                 QFileDialog::DontConfirmOverwrite);
  dlg.setAcceptMode(req.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // A typed name need not exist, also when opening: the loader reports it.
  dlg.setFileMode(QFileDialog::AnyFile);

  const QStringList filters = qtNameFilters(req.filter);
  if (!filters.isEmpty()) {
    dlg.setNameFilters(filters);
    const int index =
        (req.filterIndex >= 1 && req.filterIndex <= filters.size()) ? req.filterIndex - 1 : 0;
    // Before the name: in a save dialog, choosing a filter rewrites the typed suffix.
    dlg.selectNameFilter(filters[index]);
  }
  placeInitialName(dlg, req.initialName);

  if (dlg.exec() != QDialog::Accepted) return {};
  const QStringList files = dlg.selectedFiles();
  if (files.isEmpty() || files.first().isEmpty()) return {};
  return {false, files.first()};
}

// ---- font dialog ----------------------------------------------------------------

std::optional<FontChoice> QtPrompter::chooseFont(const FontChoice& initial) {
  QFont font(initial.name);
  font.setPointSize(std::max(initial.pointSize, 1));
  font.setBold(initial.bold);
  font.setItalic(initial.italic);
  bool ok = false;
  // Qt's own dialog, the same everywhere (and under Xvfb).
  const QFont chosen =
      QFontDialog::getFont(&ok, font, parent_, QString(), QFontDialog::DontUseNativeDialog);
  if (!ok) return std::nullopt;
  const int size = chosen.pointSize() > 0 ? chosen.pointSize() : qRound(chosen.pointSizeF());
  return FontChoice{chosen.family(), size, chosen.bold(), chosen.italic()};
}

// ---- Qt's own texts --------------------------------------------------------------

QTranslator* installJapaneseQtTexts() {
  auto* app = QCoreApplication::instance();
  if (!app) return nullptr;
  auto* translator = new QTranslator(app);
  if (!translator->load(QStringLiteral("qtbase_ja"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return nullptr;
  }
  QCoreApplication::installTranslator(translator);
  return translator;
}

bool QtPrompter::setUpPrinter(QPrinter& printer) {
  // The platform's printer dialog: the installed printers and, always, printing
  // into a PDF file; paper and orientation through its properties.
  QPrintDialog dlg(&printer, parent_);
  dlg.setWindowTitle(QStringLiteral("プリンターの設定"));
  dlg.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
  // It chooses the printer; printing starts elsewhere.
  if (auto* box = dlg.findChild<QDialogButtonBox*>())
    if (QPushButton* ok = box->button(QDialogButtonBox::Ok)) ok->setText(QStringLiteral("OK"));
  return dlg.exec() == QDialog::Accepted;
}

}  // namespace tupalo
