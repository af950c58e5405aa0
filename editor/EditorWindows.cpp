#include "editor/EditorWindows.h"

#include "editor/addins/SPOP_WIN.h"
#include "editor/dialogs/COL_WIN.h"
#include "editor/dialogs/SIZE_WIN.h"
#include "editor/dialogs/WORD_WIN.h"
#include "editor/palette/CMD_WIN.h"
#include "editor/pixel/ToolSettingsWindows.h"
#include "editor/print/PRT_WIN.h"

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

ToolSettingsWindow* EditorWindows::settingsWindow(SettingsWindow w) const {
  for (ToolSettingsWindow* s : settingsWins)
    if (s->kind() == w) return s;
  return nullptr;
}

EditorWindows::~EditorWindows() = default;

}  // namespace tupalo
