#pragma once
// The editor's windows set aside while one of its own windows works modally.

#include <QPointer>
#include <QWidget>
#include <utility>
#include <vector>

namespace tupalo {

class P_WIN;

// The main window and its floating windows disabled while one of the
// editor's own windows works modally over them; `keep`, a window they own,
// stays live. Restore gives each window the state it had.
class MainWindowsDisabled {
 public:
  void Disable(P_WIN& owner, QWidget* keep);
  void Restore();

 private:
  std::vector<std::pair<QPointer<QWidget>, bool>> was_;
};

}  // namespace tupalo
