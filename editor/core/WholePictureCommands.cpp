// The main window's part of the whole-picture changes: the busy window of the
// quarter turns, the message when memory is short, the view afterwards.

#include "editor/core/P_WIN.h"
#include "editor/core/WAIT_WIN.h"
#include "editor/core/WholePicture.h"

namespace tupalo {

namespace {

QString TurnName(Turn t) {
  switch (t) {
    case Turn::Right:
      return QStringLiteral("90°右回転");
    case Turn::Left:
      return QStringLiteral("90°左回転");
    case Turn::Half:
      return QStringLiteral("180°回転");
    case Turn::Mirror:
      return QStringLiteral("左右反転");
  }
  return {};
}

}  // namespace

bool P_WIN::TurnWholePicture(Turn t) {
  const Pair size = TurnedSize(e_, t);
  const QString name = TurnName(t);
  bool reserved = false;
  if (t == Turn::Right || t == Turn::Left) {
    // The busy window closes on every way out, the failed reservation too.
    BusyScope busy(*waitWin, name + QStringLiteral("処理バッファの確保中"));
    SetBusyPointer(true);
    busy.progress(2, 0);
    reserved = ReserveWork(e_, size.x, size.y);
    if (reserved) {
      busy.progress(2, 1);
      busy.progress(2, 2);
      busy.caption(name + QStringLiteral("処理中"));
      TurnPicture(e_, t);
      busy.caption(name + QStringLiteral("　表示準備中"));
      busy.progress(0, 0);
      busy.progress(4, 0);
      busy.progress(4, 1);
      busy.progress(4, 2);
      PictureReshaped(true);
      busy.progress(4, 4);
    }
    SetBusyPointer(false);
  } else {
    reserved = ReserveWork(e_, size.x, size.y);
    if (reserved) {
      TurnPicture(e_, t);
      PictureReshaped(true);
    }
  }
  if (!reserved) {
    Ask(QStringLiteral("メモリが不足しているため") + name +
            QStringLiteral("できません。\n画像は元のままです。"),
        Buttons::Ok, Icon::Exclamation);
  }
  return reserved;
}

void P_WIN::PictureReshaped(bool overview) {
  // The undo step belongs to the old picture; dropping it first also keeps
  // the re-layout from fitting it to the new view.
  InvalidateUndo();
  e_.PicSize = {e_.PIC.width(), e_.PIC.height()};
  DoRelayout();
  RefreshPointerPosition();
  if (overview) emit pictureReplaced();
}

}  // namespace tupalo
