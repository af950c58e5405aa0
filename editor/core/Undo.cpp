#include "editor/core/Undo.h"

#include <algorithm>

#include "editor/core/P_WIN.h"
#include "editor/core/ToolEngine.h"
#include "editor/core/View.h"
#include "editor/core/WAIT_WIN.h"
#include "editor/files/PictureFile.h"
#include "platform/raster/Raster.h"

namespace tupalo {

bool UndoStep(Editor& e) {
  if (e.UndoAvailable != 1) return false;
  // UNDO holds ViewSize picture pixels at (0, 0); CommitView then saves the
  // region it replaces, so the next Undo swaps back.
  if (e.ZoomFactor == 1) {
    raster::BitBlt(e.DRAW, 0, 0, e.ViewPixels.x, e.ViewPixels.y, e.UNDO, 0, 0);
  } else {
    raster::StretchBlt(e.DRAW, 0, 0, e.ViewPixels.x, e.ViewPixels.y, e.UNDO, 0, 0, e.ViewSize.x,
                       e.ViewSize.y, raster::COLORONCOLOR);
  }
  CommitView(e);
  return true;
}

void Undo(P_WIN& w) {
  // A gesture under way is dropped first, as the right button drops it; the
  // next Undo swaps the last committed change.
  if (w.engine->GesturePending()) {
    w.engine->CancelGesture();
    w.RB->update();
    return;
  }
  Editor& e = w.editor();
  if (e.UndoAvailable != 1) return;
  ReturnToFirstStep(e);
  if (!UndoStep(e)) return;
  w.RB->update();
  w.DRAW->refreshAll();
}

namespace {

bool hasBitmapExtension(const QString& name) {
  return name.trimmed().right(4).compare(QLatin1String(".BMP"), Qt::CaseInsensitive) == 0;
}

}  // namespace

QString AutosaveTarget(const Editor& e) {
  // Only a bitmap file is written over: an icon or a file of another format
  // would silently turn into a bitmap under its old name, so those pictures
  // go to the recovery file instead.
  if (e.settings.ASAM == 1 && !e.CurrentFileName.isEmpty() && hasBitmapExtension(e.CurrentFileName))
    return e.CurrentFileName;
  return e.UserPath + QStringLiteral("/AUTOSAVE.BMP");
}

void Timer2_Timer(P_WIN& w) {
  Editor& e = w.editor();
  if (e.settings.ASAT == 0) return;
  // The ticks go on while the message of a failed save waits for the user;
  // they must not pile up further saves and messages behind it.
  if (e.AutosaveReporting) return;
  // Counts down to 0 and stays there, so a negative interval cannot wrap.
  e.AutosaveCountdown = static_cast<int16_t>(std::max(e.AutosaveCountdown - 1, 0));
  if (e.AutosaveCountdown >= 1) return;
  // Another long operation is showing the busy window and let this tick in
  // while it repainted: save on the next tick instead of cutting in.
  if (w.waitWin->isOpen()) return;

  const QString target = AutosaveTarget(e);
  QString error;
  {
    BusyScope busy(*w.waitWin, QStringLiteral("タイマー保存中"));
    busy.progress(0, 0);
    // The write is atomic: a failure leaves the previous file as it was.
    if (!writeBitmapFile(target, e.PIC, &error) && error.isEmpty())
      error = QStringLiteral("書き込めませんでした");
    busy.progress(1, 1);
    e.AutosaveCountdown = e.settings.ASAT;
  }
  // A user who trusts the autosave must hear that it did not happen; editing
  // goes on and the next interval tries again.
  if (!error.isEmpty()) {
    e.AutosaveReporting = true;
    w.Ask(target + QStringLiteral("\nタイマー保存できませんでした\n理由 : ") + error, Buttons::Ok,
          Icon::Exclamation);
    e.AutosaveReporting = false;
  }
}

}  // namespace tupalo
