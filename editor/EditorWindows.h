#pragma once
// The editor's windows put together: the main window, the colour window and
// the command palette that float beside it, the overview and the magnifier,
// and the tool settings, text and merge windows the palette opens. The main
// window knows the floating windows only as windows to show, hide and point
// at; what happens in it reaches them through its
// signals, wired here.

#include <QPointer>
#include <array>
#include <memory>

#include "editor/core/P_WIN.h"

namespace tupalo {

class BIRD_WIN;
class CMD_WIN;
class COL_WIN;
class LUPE_WIN;
class MERG_WIN;
class SIZE_WIN;
class PRT_WIN;
class SET_WIN;
class SPOP_WIN;
class ToolSettingsWindow;
class WORD_WIN;
struct Editor;

struct EditorWindows {
  EditorWindows(Editor& e, P_WIN::Options options = {});
  EditorWindows(const EditorWindows&) = delete;
  EditorWindows& operator=(const EditorWindows&) = delete;
  ~EditorWindows();

  std::unique_ptr<P_WIN> main;  // owns the floating windows as their parent
  COL_WIN* colWin = nullptr;    // the colour window
  CMD_WIN* cmdWin = nullptr;    // the command palette
  BIRD_WIN* birdWin = nullptr;  // the overview
  LUPE_WIN* lupeWin = nullptr;  // the mini magnifier
  MERG_WIN* mergWin = nullptr;  // the chroma-key merge
  SIZE_WIN* sizeWin = nullptr;  // the picture size window
  WORD_WIN* wordWin = nullptr;  // the text window, opened from the palette
  SPOP_WIN* spopWin = nullptr;  // the special-option launcher
  // The tool settings windows: FUZZY_WIN, SPRAY_WIN, HSET_WIN, DEEP_WIN.
  std::array<ToolSettingsWindow*, 4> settingsWins{};
  SET_WIN* setWin = nullptr;  // the settings window, opened from the palette
  // The settings window of that kind; nullptr for None.
  ToolSettingsWindow* settingsWindow(SettingsWindow w) const;
  // The print window while it is open; it is made anew at every opening.
  QPointer<PRT_WIN> prtWin;
  void OpenPrintWindow();

 private:
  void WireViewWindows(Editor& e);
  Editor& e_;
};

}  // namespace tupalo
