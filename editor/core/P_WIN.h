#pragma once
// The main window: owns the picture and the canvas, runs start-up and the quit
// routine, lays out the canvas with its scroll bars and status line, and
// receives dropped files.

#include <QCursor>
#include <QLabel>
#include <QPointer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "editor/addins/AddInRun.h"
#include "editor/core/Canvas.h"
#include "editor/core/Editor.h"
#include "editor/core/View.h"
#include "editor/files/Configuration.h"
#include "editor/files/PictureFile.h"
#include "platform/HelpWindow.h"
#include "platform/Prompt.h"

namespace tupalo {

enum class Turn;
class SplashWindow;
class ToolEngine;
class WAIT_WIN;
class WindowPlaces;

class P_WIN : public QWidget {
  Q_OBJECT
 public:
  struct Options {
    // Colour depth to report instead of the screen's (tests).
    int displayDepth = 0;
  };

  // A new picture, at start-up and after a picture failed to load.
  static constexpr int kNewPictureWidth = 640;
  static constexpr int kNewPictureHeight = 480;

  explicit P_WIN(Editor& e) : P_WIN(e, Options{}) {}
  P_WIN(Editor& e, Options options);
  ~P_WIN() override;

  enum class StartResult { Running, EndProgram };
  // The whole start-up: splash, program folder, depth check, command line,
  // configuration, reload of the last picture; shows the window at the end.
  StartResult StartUp(const QString& appPath, const QString& commandLine);

  // After the colour file was read: the colour window's page list and the
  // swatches of the current page show e_.colours.
  void FillColourWindow();

  // The quit routine: true = go on and end, false = cancelled.
  bool QuitRoutine();
  // The end of the editor's work, after the quit question or at a hand-over:
  // timers stopped, the canvas off, the windows' places and the settings and
  // colour files written, the windows still open closed.
  void Shutdown();

  // ---- view ----
  void LayoutWindow();  // window resize: size DMY, scroll bars, status line; Relayout
  void DoRelayout();    // Relayout and apply the scroll ranges
  void ZoomTo(int X, int Y, int newZoom);
  void ShowPointerPosition(int X, int Y);
  // The pointer's picture position in the status line, when it is over the canvas.
  void RefreshPointerPosition();
  void ShowToolName();
  // Makes `code` the current tool: a gesture under way ends first as the
  // right button ends it, then the status line and pointer follow.
  void SelectTool(int code);
  // Ends a gesture under way (nothing is committed); nothing else changes.
  void EndPendingGesture();
  // "NORMAL", "SPRAY", "PAINT", "SPOIT", "LUPE" or "WAIT"; anything else is the arrow.
  void SetPointer(const QString& name);
  // The pointer of that kind, for other windows to use.
  QCursor PointerShape(const QString& name);
  void ToggleStatusLine();  // RB
  void UpdateStatusLine();  // RB's icon and the labels for the current IDSP
  void TogglePalettes();    // right click beside the canvas
  void HidePalettes();
  void ShowPalettes();
  void InvalidateUndo();
  // Write what was drawn on the canvas into the picture: the whole view, or
  // only the picture pixels under a window-pixel rectangle (see View.h).
  // `drawn`, when not empty, is the part of the canvas (window pixels) that
  // was drawn on: the windows that show the picture update only that.
  void CommitView(const WindowRect& drawn = {});
  void CommitRect(int x1, int y1, int x2, int y2);
  // Tells the windows that show the picture that these picture pixels of the
  // view (relative to ViewOrigin) changed; empty means the whole view.
  void AnnounceCommitted(const WindowRect& viewPixels = {});
  // Scrolls the view to `origin` (an overview click): the undo step, which
  // belongs to the old view, is dropped when the view moves.
  void MoveViewTo(Pair origin);
  // PIC changed as a whole in place (a merge): origin (0, 0), layout, status
  // line, undo off, and the windows that show the picture draw it again.
  void WholePictureChanged();
  // Offers the palette's undo button or withdraws it.
  void EnableUndoButton(UndoButton state);
  // The text window's OK: WORD takes the caption (its blanks as given), the
  // font (its size held to 1 .. kMaxWordPointSize) and the colour, and the
  // text tool is armed (27001) with the label over the canvas. false, with
  // nothing changed, when the caption in that font is wider than a picture
  // may be.
  bool ArmWord(const QString& caption, const FontChoice& font, raster::ColourRef colour);

  // ---- picture files ----
  // result: 0 loaded, -1 load error, -2 unsupported type, -5 not found.
  void LoadImage(const QString& fileName, int16_t& result);
  // Reads a picture file into `out`: the file's kind by its name (a reader
  // add-in registered for it first), then its content. Only running a reader
  // add-in may speak to the user (Told: it was said why nothing was read).
  // `out` is untouched unless it was read.
  enum class PictureRead { Read, Unsupported, Failed, Told };
  enum class PictureKinds { BitmapsAndIcons, BitmapsOnly };
  PictureRead ReadPicture(const QString& fileName, raster::Surface& out, PictureKinds kinds,
                          PictureError* error = nullptr);
  // true when the picture was written.
  bool SaveImage(const QString& fileName);
  FileAnswer ChooseOpenFile();
  FileAnswer ChooseFile(bool save, const QString& filter, int filterIndex);
  FileAnswer ChooseSaveFile();
  bool ConfirmReplacePicture();  // true = refused
  // Runs an add-in program and waits for it with the main window and the
  // floating windows disabled, so that nothing starts inside the wait.
  RunOutcome RunAddIn(const QString& program, const QStringList& args);
  // A new exchange file for an add-in; empty (and the load or save error
  // shown for `forName`) when none can be made.
  QString NewExchangeFile(const QString& forName, bool loading);
  void HandleDroppedFile(const QString& path);
  void SetCaption(const QString& name);
  // After a new picture arrived in PIC: picture size, zoom 1, origin 0,0,
  // scroll bars, layout, status line, undo off.
  void ResetViewAfterLoad();
  // ---- whole-picture changes ----
  // Turns or mirrors the picture; the quarter turns show the busy window.
  // false when the memory for the work surface could not be had: the user
  // was told and the picture is as it was.
  bool TurnWholePicture(Turn t);
  // After PIC was replaced by a turned or resized picture: undo off, the
  // picture size, the view re-laid out at the same zoom (an origin beyond the
  // new size is pulled back), and, when `overview`, pictureReplaced.
  void PictureReshaped(bool overview);

  // A message box titled with the title prefix (and the suffix).
  Answer Ask(const QString& text, Buttons buttons, Icon icon, int defaultButton = -1,
             const QString& titleSuffix = {});

  // Controls, named as the editor's code refers to them.
  CanvasContainer* DMY;  // the area the canvas sits in; a right click beside the canvas lands here
  CanvasWidget* DRAW;    // the canvas: the visible part of the picture, zoomed
  QScrollBar* X_SC;      // horizontal scroll bar: ViewOrigin.x
  QScrollBar* Y_SC;      // vertical scroll bar: ViewOrigin.y
  QToolButton* RB;       // the corner button that shows or hides the status line
  QLabel* INF_CMD;       // status line: the tool's name
  QLabel* INF_POSX;      // status line: the pointer's picture x
  QLabel* INF_POSY;      // status line: the pointer's picture y
  QLabel* INF_SUB;       // status line: what the tool says (size, points left)
  QTimer Timer1;         // repeats a spray while its button is held
  QTimer Timer2;         // the one-minute autosave clock

  // The parts the main window owns.
  std::unique_ptr<ToolEngine> engine;
  WAIT_WIN* waitWin = nullptr;
  HelpViewer help{this};  // the help window, opened from the palette

  // The floating windows that accompany the main window, in the order they
  // are shown (the palette places itself below the colour window). They are
  // made by whoever assembles the editor; the main window shows, hides and
  // points at them, and talks to them through its signals only.
  enum class Floating { ColourWindow, Palette };
  void AddFloatingWindow(Floating role, QWidget* w);
  QWidget* floatingWindow(Floating role) const;
  std::vector<QWidget*> floatingWindows() const;

  Editor& editor() { return e_; }
  // What the splash showed during start-up, in order (title, credit, statuses).
  const QStringList& splashLog() const { return splashLog_; }
  CanvasFrame canvasFrame() const;
  double twipsPerPixel() const;

 signals:
  // The picture was replaced or changed as a whole (loaded, new, pasted,
  // turned, resized): the overview recomputes its scale and redraws.
  void pictureReplaced();
  // The status line and the pointer follow ToolCode (the colour window
  // paints its swatch frames for it).
  void toolShown(int code);
  // The palette's undo button is offered or withdrawn.
  void undoOffered(bool on);
  // CurColor was taken from the canvas (colour pick tool, right click).
  void editedColourPicked();
  // The "1" or "2" key took Color1 or Color2 from the canvas.
  void colourKeyPicked(int which);
  // Page Up / Page Down on the canvas: the pen-size bar moves by one step.
  void penSizeStepped(int delta);
  // The one-shot magnifier zoomed in: the palette's expansion layout.
  void magnified();
  // The colour pages were read from the colour file.
  void coloursLoaded();
  // The settings are about to be written: windows store their places.
  void storingWindowPlaces();
  // A tool was shown: the tool settings windows other than its own (`own`,
  // None for a tool without one) close.
  void toolSettingsFollowTool(SettingsWindow own);
  // The quit question is about to be asked (true): the windows beside the
  // palettes step out of sight; it was cancelled (false): they come back.
  void quitAsking(bool asking);
  // Picture pixels left..right, top..bottom (inclusive) were committed.
  void pictureCommitted(int left, int top, int right, int bottom);
  // The pointer is at this canvas point (moves, presses, releases and each
  // spray tick): the magnifier follows it.
  void pointerOnCanvas(int X, int Y);
  // The palettes were hidden (false) or shown again (true).
  void palettesVisible(bool shown);
  // The main window was minimised (true) or restored (false).
  void minimisedChanged(bool minimised);
  // A file dialog opens (true) or has closed (false).
  void fileDialogShown(bool shown);
  // Start-up has shown the palettes: the windows the settings say were up
  // open again.
  void startedUp();
  // The editor shuts down: the windows still open close.
  void shuttingDown();

 protected:
  void closeEvent(QCloseEvent* ev) override;
  void resizeEvent(QResizeEvent* ev) override;
  void changeEvent(QEvent* ev) override;
  void dragEnterEvent(QDragEnterEvent* ev) override;
  void dropEvent(QDropEvent* ev) override;
  void keyPressEvent(QKeyEvent* ev) override;
  void keyReleaseEvent(QKeyEvent* ev) override;

 private:
  void ScrollChanged(bool horizontal, int value);
  void ResetToNewPicture();
  void LoadThroughAddIn(const FormatEntry& reader, const QString& fileName, int16_t& result);
  // Runs a reader add-in on `fileName` and reads the picture it leaves.
  enum class AddInRead { Read, Failed, NotStarted, NoExchangeFile };
  AddInRead ReadThroughAddIn(const FormatEntry& reader, const QString& fileName,
                             raster::Surface& out, std::optional<PictureError>& error);
  bool SaveThroughAddIn(const FormatEntry& writer, const QString& fileName);
  void ShowLoadError(int number, const QString& description, const QString& fileName);
  void ShowSaveError(const QString& fileName, const QString& reason);
  void SetBusyPointer(bool busy);
  int statusLineHeight() const;

  Editor& e_;
  Options options_;
  SplashWindow* splash_ = nullptr;
  bool applyingScroll_ = false;
  bool shutDown_ = false;
  QPixmap statusIcons_;
  std::map<QString, QCursor> pointers_;  // the custom pointers, loaded once
  QStringList splashLog_;
  void SplashStatus(const QString& text);
  std::unique_ptr<WindowPlaces> places_;
  // The private folder of the exchange files, when the program folder is left
  // alone; removed with the window.
  std::shared_ptr<QTemporaryDir> exchangeFolder_;
  std::vector<std::pair<Floating, QPointer<QWidget>>> floating_;
};

}  // namespace tupalo
