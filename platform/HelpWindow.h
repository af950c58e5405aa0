#pragma once
// The help window: shows the help page shipped in the program folder, opened
// at its contents; closed when the editor shuts down.

#include <QPointer>
#include <QString>
#include <QWidget>

namespace tupalo {

// The help page beside the program.
inline constexpr const char* kHelpFileName = "TUPA_HELP.html";

// The help window of one owner: at most one is open at a time.
class HelpViewer {
 public:
  explicit HelpViewer(QWidget* owner) : owner_(owner) {}
  ~HelpViewer() { Close(); }
  HelpViewer(const HelpViewer&) = delete;
  HelpViewer& operator=(const HelpViewer&) = delete;

  // Opens the help window at the contents of the page, or brings the open
  // one to the front at its contents.
  void ShowContents(const QString& appPath);
  void Close();
  // The open help window, if any.
  QWidget* window() const { return window_; }

 private:
  QWidget* owner_;
  QPointer<QWidget> window_;
};

}  // namespace tupalo
