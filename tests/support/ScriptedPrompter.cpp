#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <ostream>

namespace tupalo {

namespace {

const char* name(Answer a) {
  switch (a) {
    case Answer::Ok:
      return "Ok";
    case Answer::Cancel:
      return "Cancel";
    case Answer::Yes:
      return "Yes";
    case Answer::No:
      return "No";
  }
  return "?";
}

const char* name(Buttons b) {
  switch (b) {
    case Buttons::Ok:
      return "Ok";
    case Buttons::OkCancel:
      return "OkCancel";
    case Buttons::YesNo:
      return "YesNo";
    case Buttons::YesNoCancel:
      return "YesNoCancel";
  }
  return "?";
}

const char* name(Icon i) {
  switch (i) {
    case Icon::None:
      return "None";
    case Icon::Question:
      return "Question";
    case Icon::Exclamation:
      return "Exclamation";
    case Icon::Information:
      return "Information";
    case Icon::Critical:
      return "Critical";
  }
  return "?";
}

bool offers(Buttons b, Answer a) {
  switch (b) {
    case Buttons::Ok:
      return a == Answer::Ok;
    case Buttons::OkCancel:
      return a == Answer::Ok || a == Answer::Cancel;
    case Buttons::YesNo:
      return a == Answer::Yes || a == Answer::No;
    case Buttons::YesNoCancel:
      return a != Answer::Ok;
  }
  return false;
}

// Newlines shown as "\n" so a failure message stays on one line per request.
std::string quoted(const QString& s) {
  QString t = s;
  t.replace(u'\n', QStringLiteral("\\n"));
  return '"' + t.toStdString() + '"';
}

}  // namespace

std::string describe(const MessageRequest& req) {
  return "{title " + quoted(req.title) + ", text " + quoted(req.text) + ", buttons " +
         name(req.buttons) + ", icon " + name(req.icon) + ", default " +
         std::to_string(req.defaultButton) + "}";
}

std::string describe(const FileRequest& req) {
  return std::string("{") + (req.save ? "save" : "open") + ", title " + quoted(req.title) +
         ", initial " + quoted(req.initialName) + ", filter " + quoted(req.filter) + ", index " +
         std::to_string(req.filterIndex) + "}";
}

void PrintTo(Answer a, std::ostream* os) { *os << name(a); }
void PrintTo(Buttons b, std::ostream* os) { *os << name(b); }
void PrintTo(Icon i, std::ostream* os) { *os << name(i); }
void PrintTo(const MessageRequest& req, std::ostream* os) { *os << describe(req); }
void PrintTo(const FileRequest& req, std::ostream* os) { *os << describe(req); }
void PrintTo(const FileAnswer& a, std::ostream* os) {
  *os << (a.cancelled ? "{cancelled" : "{chosen") << ", path " << quoted(a.path) << "}";
}

ScriptedPrompter::~ScriptedPrompter() {
  if (!strict_) return;
  for (const MessageStep& s : answers_)
    ADD_FAILURE() << "ScriptedPrompter: answer " << name(s.answer) << " was never asked for";
  for (const FileStep& s : fileAnswers_)
    ADD_FAILURE() << "ScriptedPrompter: file answer "
                  << (s.answer.cancelled ? "(cancel)" : quoted(s.answer.path))
                  << " was never asked for";
  if (!fontAnswers_.empty())
    ADD_FAILURE() << "ScriptedPrompter: " << fontAnswers_.size() << " font answers never asked for";
  if (!printerChoices_.empty())
    ADD_FAILURE() << "ScriptedPrompter: " << printerChoices_.size()
                  << " printer set-up answer(s) never asked for";
}

ScriptedPrompter& ScriptedPrompter::answer(Answer a, MessageHook whileShown) {
  answers_.push_back({a, std::move(whileShown)});
  return *this;
}

ScriptedPrompter& ScriptedPrompter::choose(const QString& path, FileHook whileShown) {
  fileAnswers_.push_back({FileAnswer{false, path}, std::move(whileShown)});
  return *this;
}

ScriptedPrompter& ScriptedPrompter::cancelFile(FileHook whileShown) {
  fileAnswers_.push_back({FileAnswer{true, QString()}, std::move(whileShown)});
  return *this;
}

ScriptedPrompter& ScriptedPrompter::font(std::optional<FontChoice> chosen) {
  // Kept as a flag and a font: GCC 12 misreads a moved std::optional<QString>
  // as maybe uninitialised.
  fontAnswers_.push_back({!chosen.has_value(), chosen.value_or(FontChoice{})});
  return *this;
}

const MessageRequest& ScriptedPrompter::lastMessage() const {
  static const MessageRequest none;
  if (messages_.empty()) {
    ADD_FAILURE() << "ScriptedPrompter: no message was asked";
    return none;
  }
  return messages_.back();
}

const FileRequest& ScriptedPrompter::lastFileRequest() const {
  static const FileRequest none;
  if (fileRequests_.empty()) {
    ADD_FAILURE() << "ScriptedPrompter: no file dialog was shown";
    return none;
  }
  return fileRequests_.back();
}

void ScriptedPrompter::clearRecord() {
  messages_.clear();
  fileRequests_.clear();
  fontRequests_.clear();
}

Answer ScriptedPrompter::message(const MessageRequest& req) {
  messages_.push_back(req);
  if (answers_.empty()) {
    ADD_FAILURE() << "ScriptedPrompter: unscripted message " << describe(req);
    return Answer::Cancel;
  }
  MessageStep step = std::move(answers_.front());
  answers_.pop_front();
  // A scripted answer the box cannot give means the test and the code disagree
  // about which question this is.
  if (!offers(req.buttons, step.answer))
    ADD_FAILURE() << "ScriptedPrompter: answer " << name(step.answer) << " is not a button of "
                  << describe(req);
  if (step.hook) step.hook(req);
  return step.answer;
}

FileAnswer ScriptedPrompter::chooseFile(const FileRequest& req) {
  fileRequests_.push_back(req);
  if (fileAnswers_.empty()) {
    ADD_FAILURE() << "ScriptedPrompter: unscripted file dialog " << describe(req);
    return {};
  }
  FileStep step = std::move(fileAnswers_.front());
  fileAnswers_.pop_front();
  if (step.hook) step.hook(req);
  return step.answer;
}

std::optional<FontChoice> ScriptedPrompter::chooseFont(const FontChoice& initial) {
  fontRequests_.push_back(initial);
  if (fontAnswers_.empty()) {
    ADD_FAILURE() << "ScriptedPrompter: unscripted font dialog";
    return std::nullopt;
  }
  const FontStep step = fontAnswers_.front();
  fontAnswers_.pop_front();
  if (step.cancelled) return std::nullopt;
  return step.font;
}

ScriptedPrompter& ScriptedPrompter::setUpPrinter(PrinterChoice choice) {
  printerChoices_.push_back(std::move(choice));
  return *this;
}

ScriptedPrompter& ScriptedPrompter::cancelPrinterSetup() {
  printerChoices_.push_back({});
  return *this;
}

bool ScriptedPrompter::setUpPrinter(QPrinter& printer) {
  ++printerSetups_;
  if (printerChoices_.empty()) {
    ADD_FAILURE() << "ScriptedPrompter: unscripted printer set-up dialog";
    return false;
  }
  PrinterChoice choice = std::move(printerChoices_.front());
  printerChoices_.pop_front();
  if (!choice) return false;
  choice(printer);
  return true;
}

}  // namespace tupalo
