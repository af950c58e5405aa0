// The command palette's file buttons and the messages of the clipboard
// commands.
#include <QGuiApplication>

#include "editor/core/P_WIN.h"
#include "editor/core/PictureCommands.h"
#include "editor/core/ToolTable.h"
#include "editor/palette/CMD_WIN.h"
#include "editor/palette/ClipboardPicture.h"

namespace tupalo {

using namespace palette;

namespace {

// The wait pointer for the length of a command.
struct BusyPointer {
  BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;
};

}  // namespace

// ---------------------------------------------------------------------------
// Messages

int CMD_WIN::ClipboardHasPicture() {
  if (ClipboardOffersPicture()) return 0;
  ShowNoPictureMessage();
  return 1;
}

void CMD_WIN::ShowNoPictureMessage() {
  owner_.Ask(QStringLiteral("クリップボードには絵が入っていません。"), Buttons::Ok,
             Icon::Exclamation);
}

void CMD_WIN::ShowNeedsNormalDrawingMode() {
  MessageRequest req;
  req.title = QStringLiteral("Tupalo");  // the program's name
  req.text = QStringLiteral("StretchBltとImageに問題のある機種では使えません");
  req.buttons = Buttons::Ok;
  e_.prompter->message(req);
}

void CMD_WIN::ShowTooLargeMessage() {
  owner_.Ask(QStringLiteral("クリップボードの絵が大きすぎるため読み込めません。"), Buttons::Ok,
             Icon::Exclamation);
}

// ---------------------------------------------------------------------------
// File buttons

void CMD_WIN::FILE_B_MouseDown(int, Qt::MouseButton button) {
  RightClickPending = button == Qt::RightButton ? 1 : 0;
}

void CMD_WIN::FILE_B_Click(int i) {
  if (i < 0 || i >= int(FILE_B.size())) return;
  HighlightFileButton(i);
  switch (i) {
    case 0:
      tupalo::OpenPicture(owner_);
      break;
    case 1:
      tupalo::SavePictureAs(owner_);
      owner_.ShowToolName();
      break;
    case 2:
      PastePicture();
      break;
    case 3:
      CopyPicture();
      break;
    case 4:
      owner_.SelectTool(tool::NoSelect);
      HighlightToolButton(-1);
      emit pictureSizeAsked();
      break;
    case 5:
      NewPicture();
      break;
    case 6:
      // A gesture left half done would wait behind the disabled main window.
      owner_.EndPendingGesture();
      emit printWindowAsked();
      break;
    case 7:
      if (e_.addins.HasTwainScan == 1) tupalo::ScanPicture(owner_, RightClickPending == 1);
      break;
  }
}

void CMD_WIN::PastePicture() {
  if (ClipboardHasPicture() != 0) return;
  raster::Surface pic;
  // Read before asking: a picture the editor cannot hold is refused at once.
  ClipboardRead read;
  {
    const BusyPointer busy;
    read = ReadClipboardPicture(pic);
  }
  if (read == ClipboardRead::TooLarge) {
    ShowTooLargeMessage();
    return;
  }
  if (read == ClipboardRead::NoPicture) {
    ShowNoPictureMessage();
    return;
  }
  if (owner_.ConfirmReplacePicture()) return;
  e_.CurrentFileName.clear();
  e_.PIC = std::move(pic);
  owner_.ResetViewAfterLoad();
  owner_.SetCaption(QStringLiteral("ClipBoard"));
}

void CMD_WIN::CopyPicture() {
  if (e_.settings.SZWM != 1) {
    ShowNeedsNormalDrawingMode();
    return;
  }
  {
    const BusyPointer busy;
    PutPictureOnClipboard(e_.PIC);
  }
  owner_.ShowToolName();
}

void CMD_WIN::NewPicture() {
  if (owner_.ConfirmReplacePicture()) return;
  e_.CurrentFileName.clear();
  e_.PIC.fill(raster::toPixel(e_.Color1.ref()));
  owner_.ResetViewAfterLoad();
  owner_.SetCaption(QStringLiteral("NEWFFILE"));
}

}  // namespace tupalo
