#include "editor/EditorWindows.h"

#include "editor/addins/SPOP_WIN.h"
#include "editor/dialogs/COL_WIN.h"
#include "editor/dialogs/MERG_WIN.h"
#include "editor/dialogs/SIZE_WIN.h"
#include "editor/dialogs/ViewWindows.h"
#include "editor/dialogs/WORD_WIN.h"
#include "editor/palette/CMD_WIN.h"
#include "editor/pixel/ToolSettingsWindows.h"
#include "editor/print/PRT_WIN.h"
#include "editor/settings/SET_WIN.h"

namespace tupalo {

EditorWindows::EditorWindows(Editor& e, P_WIN::Options options)
    : main(std::make_unique<P_WIN>(e, options)), e_(e) {
  P_WIN* w = main.get();
  colWin = new COL_WIN(e, *w);
  cmdWin = new CMD_WIN(e, *w);
  cmdWin->FollowColourWindow(colWin);
  w->AddFloatingWindow(P_WIN::Floating::ColourWindow, colWin);
  w->AddFloatingWindow(P_WIN::Floating::Palette, cmdWin);

  QObject::connect(w, &P_WIN::toolShown, colWin, [c = colWin] { c->PaintSwatchFrames(); });
  QObject::connect(w, &P_WIN::editedColourPicked, colWin, [c = colWin] { c->ApplyCurrentColor(); });
  QObject::connect(w, &P_WIN::colourKeyPicked, colWin,
                   [c = colWin](int which) { c->ColourPicked(which); });
  QObject::connect(w, &P_WIN::coloursLoaded, colWin, [c = colWin] { c->FillFromDictionary(); });
  QObject::connect(w, &P_WIN::storingWindowPlaces, colWin, [c = colWin] { c->StorePosition(); });

  QObject::connect(w, &P_WIN::undoOffered, cmdWin, [p = cmdWin](bool on) {
    p->EnableUndoButton(on ? UndoButton::Enabled : UndoButton::Disabled);
  });
  QObject::connect(w, &P_WIN::penSizeStepped, cmdWin,
                   [p = cmdWin](int delta) { p->StepPenSize(delta); });
  QObject::connect(w, &P_WIN::magnified, cmdWin, [p = cmdWin] { p->EnterExpansionLayout(); });
  QObject::connect(w, &P_WIN::storingWindowPlaces, cmdWin, [p = cmdWin] { p->StorePosition(); });
  QObject::connect(colWin, &COL_WIN::framed, cmdWin, [p = cmdWin] { p->ColourWindowFramed(); });

  sizeWin = new SIZE_WIN(e, *w);
  QObject::connect(cmdWin, &CMD_WIN::pictureSizeAsked, sizeWin, [s = sizeWin] { s->Open(); });
  wordWin = new WORD_WIN(e, *w);
  QObject::connect(cmdWin, &CMD_WIN::textWindowAsked, wordWin, [t = wordWin] { t->Open(); });
  QObject::connect(w, &P_WIN::shuttingDown, wordWin, [t = wordWin] {
    if (t->isVisible()) t->reject();
  });
  QObject::connect(cmdWin, &CMD_WIN::printWindowAsked, w, [this] { OpenPrintWindow(); });
  QObject::connect(w, &P_WIN::shuttingDown, w, [this] {
    if (prtWin) prtWin->close();
  });

  // The tool settings windows open over the palette's corner and belong to
  // the main window; they are not palettes, so they don't follow the
  // palettes' hide and show.
  settingsWins = {new FUZZY_WIN(e, *w, cmdWin), new SPRAY_WIN(e, *w, cmdWin),
                  new HSET_WIN(e, *w, cmdWin), new DEEP_WIN(e, *w, cmdWin)};
  QObject::connect(cmdWin, &CMD_WIN::settingsWindowAsked, w,
                   [wins = settingsWins](SettingsWindow kind) {
                     for (ToolSettingsWindow* s : wins)
                       if (s->kind() == kind) s->Open();
                   });
  spopWin = new SPOP_WIN(e, *w);
  QObject::connect(cmdWin, &CMD_WIN::specialOptionsAsked, w, [s = spopWin] { s->Open(); });
  for (ToolSettingsWindow* s : settingsWins) {
    QObject::connect(w, &P_WIN::toolSettingsFollowTool, s, [s](SettingsWindow own) {
      if (s->kind() != own) s->Unload();
    });
    QObject::connect(w, &P_WIN::quitAsking, s, [s](bool asking) { s->SetAside(asking); });
    QObject::connect(w, &P_WIN::shuttingDown, s, [s] { s->Unload(); });
  }

  // The settings window is modal over the main window; after it the
  // palette's scanner button follows the registry it leaves.
  setWin = new SET_WIN(e, *w);
  QObject::connect(cmdWin, &CMD_WIN::settingsAsked, setWin, [s = setWin] { s->Open(); });
  QObject::connect(setWin, &SET_WIN::registryReloaded, cmdWin,
                   [p = cmdWin] { p->PaintButtonStrip(CMD_WIN::Strip::File); });
  WireViewWindows(e);
}

void EditorWindows::OpenPrintWindow() {
  if (prtWin) {
    prtWin->raise();
    prtWin->activateWindow();
    return;
  }
  prtWin = new PRT_WIN(e_, *main);
  prtWin->Open();
}

void EditorWindows::WireViewWindows(Editor& e) {
  P_WIN* w = main.get();
  birdWin = new BIRD_WIN(e, *w);
  lupeWin = new LUPE_WIN(e, *w);
  mergWin = new MERG_WIN(e, *w);
  BIRD_WIN* bird = birdWin;
  LUPE_WIN* lupe = lupeWin;

  QObject::connect(w, &P_WIN::pictureCommitted, bird,
                   [bird](int l, int t, int r, int b) { bird->UpdateOverview(l, t, r, b); });
  QObject::connect(w, &P_WIN::pictureReplaced, bird, [bird] { bird->Rebuild(); });
  QObject::connect(w, &P_WIN::pointerOnCanvas, lupe,
                   [lupe](int x, int y) { lupe->UpdateMagnifier(x, y); });

  // Start-up opens the windows that were up when the editor last ended.
  QObject::connect(w, &P_WIN::startedUp, bird, [bird, lupe, &e] {
    if (e.settings.BEWD == 1) bird->Open();
    if (e.settings.MLDS == 1) lupe->Open();
  });
  QObject::connect(cmdWin, &CMD_WIN::windowButtonSwitched, bird, [bird, lupe](int i, bool on) {
    SideWindow* s = i == 0 ? static_cast<SideWindow*>(bird) : lupe;
    if (on)
      s->Open();
    else
      s->CloseFromPalette();
  });
  QObject::connect(bird, &SideWindow::closedByUser, cmdWin,
                   [p = cmdWin] { p->PressWindowButton(0, 0); });
  QObject::connect(lupe, &SideWindow::closedByUser, cmdWin,
                   [p = cmdWin] { p->PressWindowButton(2, 0); });

  // The overview goes with the palettes unless the user wants it kept up
  // (VDMD); both step aside for a minimised main window and a file dialog.
  QObject::connect(w, &P_WIN::palettesVisible, bird, [bird, &e](bool shown) {
    if (!shown && (e.settings.BEWD != 1 || e.settings.VDMD != 0)) return;
    bird->SetAside(Aside::Palettes, !shown);
  });
  for (SideWindow* s : {static_cast<SideWindow*>(bird), static_cast<SideWindow*>(lupe)}) {
    QObject::connect(w, &P_WIN::minimisedChanged, s,
                     [s](bool m) { s->SetAside(Aside::Minimised, m); });
    QObject::connect(w, &P_WIN::fileDialogShown, s,
                     [s](bool up) { s->SetAside(Aside::Dialog, up); });
    QObject::connect(w, &P_WIN::storingWindowPlaces, s, [s] {
      if (s->loaded()) s->StorePosition();
    });
    QObject::connect(w, &P_WIN::shuttingDown, s, [s] { s->Unload(); });
  }
  // During the quit question the magnifier steps aside (its place taken
  // first), and the overview when it is kept up beside hidden palettes.
  QObject::connect(w, &P_WIN::quitAsking, bird, [bird, lupe, &e](bool asking) {
    if (!asking || (e.settings.BEWD == 1 && e.settings.VDMD == 1))
      bird->SetAside(Aside::Quit, asking);
    if (asking && lupe->loaded() && e.settings.MLDS == 1) lupe->StorePosition();
    lupe->SetAside(Aside::Quit, asking);
  });

  // The settings window: the overview steps aside when it is kept up beside
  // hidden palettes (VDMD), the magnifier whenever it is up.
  QObject::connect(setWin, &SET_WIN::shownChanged, bird, [bird, lupe, &e](bool up) {
    if (!up || (e.settings.BEWD == 1 && e.settings.VDMD == 1)) bird->SetAside(Aside::Settings, up);
    if (!up || e.settings.MLDS == 1) lupe->SetAside(Aside::Settings, up);
  });

  QObject::connect(cmdWin, &CMD_WIN::mergeAsked, mergWin, [m = mergWin] { m->Open(); });
}

ToolSettingsWindow* EditorWindows::settingsWindow(SettingsWindow w) const {
  for (ToolSettingsWindow* s : settingsWins)
    if (s->kind() == w) return s;
  return nullptr;
}

EditorWindows::~EditorWindows() = default;

}  // namespace tupalo
