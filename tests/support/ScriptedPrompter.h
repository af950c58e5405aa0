#pragma once
// A Prompter for tests. It answers from a script, in order (messages and file
// dialogs each from their own queue), and records every question, so a test
// can assert the exact title, text, buttons, icon and default that were asked.
//
// Asked with nothing scripted, it fails the test and answers Cancel (or a
// cancelled dialog), so a test never hangs on a dialog. Scripted answers left
// unused when it is destroyed fail the test too: a question the test expected
// was never asked (allowUnusedAnswers() turns that off).
//
//   ScriptedPrompter p;
//   p.answer(Answer::Yes).choose("/tmp/x/a.BMP");
//   editor.prompter = &p;
//   ...
//   EXPECT_EQ(p.lastMessage().text, "...");

#include <deque>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "platform/Prompt.h"

namespace tupalo {

class ScriptedPrompter : public Prompter {
 public:
  // Runs while the question is "on screen", before the answer is returned:
  // lets a test look at the editor's state at that moment.
  using MessageHook = std::function<void(const MessageRequest&)>;
  using FileHook = std::function<void(const FileRequest&)>;
  // Makes the user's choice in the printer set-up dialog.
  using PrinterChoice = std::function<void(QPrinter&)>;

  ScriptedPrompter() = default;
  ScriptedPrompter(const ScriptedPrompter&) = delete;
  ScriptedPrompter& operator=(const ScriptedPrompter&) = delete;
  ~ScriptedPrompter() override;

  // ---- the script ----
  ScriptedPrompter& answer(Answer a, MessageHook whileShown = {});
  ScriptedPrompter& choose(const QString& path, FileHook whileShown = {});
  ScriptedPrompter& cancelFile(FileHook whileShown = {});
  // The font dialog's answer; nothing: cancelled.
  ScriptedPrompter& font(std::optional<FontChoice> chosen);
  // The printer set-up dialog confirmed after `choice` changed the printer, or
  // cancelled (no choice).
  ScriptedPrompter& setUpPrinter(PrinterChoice choice);
  ScriptedPrompter& cancelPrinterSetup();
  void allowUnusedAnswers() { strict_ = false; }

  // ---- what was asked, in order ----
  const std::vector<MessageRequest>& messages() const { return messages_; }
  const std::vector<FileRequest>& fileRequests() const { return fileRequests_; }
  // The fonts the font dialog was opened on.
  const std::vector<FontChoice>& fontRequests() const { return fontRequests_; }
  // The latest question; fails the test (and returns an empty one) when none was asked.
  const MessageRequest& lastMessage() const;
  const FileRequest& lastFileRequest() const;
  int unusedAnswers() const { return int(answers_.size()); }
  int unusedFileAnswers() const { return int(fileAnswers_.size()); }
  int printerSetups() const { return printerSetups_; }
  // Forgets what was asked (the script stays).
  void clearRecord();

  Answer message(const MessageRequest& req) override;
  FileAnswer chooseFile(const FileRequest& req) override;
  std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
  bool setUpPrinter(QPrinter& printer) override;

 private:
  struct MessageStep {
    Answer answer;
    MessageHook hook;
  };
  struct FileStep {
    FileAnswer answer;
    FileHook hook;
  };
  std::deque<MessageStep> answers_;
  std::deque<FileStep> fileAnswers_;
  std::deque<PrinterChoice> printerChoices_;  // an empty one cancels
  int printerSetups_ = 0;
  std::vector<MessageRequest> messages_;
  std::vector<FileRequest> fileRequests_;
  struct FontStep {
    bool cancelled;
    FontChoice font;
  };
  std::deque<FontStep> fontAnswers_;
  std::vector<FontChoice> fontRequests_;
  bool strict_ = true;
};

// Readable failure output for the seam's types.
std::string describe(const MessageRequest& req);
std::string describe(const FileRequest& req);
void PrintTo(Answer a, std::ostream* os);
void PrintTo(Buttons b, std::ostream* os);
void PrintTo(Icon i, std::ostream* os);
void PrintTo(const MessageRequest& req, std::ostream* os);
void PrintTo(const FileRequest& req, std::ostream* os);
void PrintTo(const FileAnswer& a, std::ostream* os);

}  // namespace tupalo
