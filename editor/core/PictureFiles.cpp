// The main window's picture files: the loader and the saver with their
// messages, and the two file dialogs.
#include <QApplication>

#include "editor/core/P_WIN.h"
#include "editor/files/PictureFile.h"
#include "platform/FileErrors.h"
#include "platform/Prompt.h"

namespace tupalo {

namespace {

// Upper-cases a-z only, for comparing file extensions.
QString upperAscii(const QString& s) {
  QString out = s;
  for (QChar& c : out)
    if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) c = QChar(c.unicode() - 32);
  return out;
}

bool hasOwnPictureExtension(const QString& name) {
  const QString upper = upperAscii(name.trimmed());
  return upper.endsWith(QLatin1String(".BMP")) || upper.endsWith(QLatin1String(".ICO"));
}

}  // namespace

// ---------------------------------------------------------------------------
// Picture files

void P_WIN::SetBusyPointer(bool busy) {
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}

Answer P_WIN::Ask(const QString& text, Buttons buttons, Icon icon, int defaultButton,
                  const QString& titleSuffix) {
  MessageRequest req;
  req.title = e_.TitlePrefix + titleSuffix;
  req.text = text;
  req.buttons = buttons;
  req.icon = icon;
  req.defaultButton = defaultButton;
  return e_.prompter->message(req);
}

void P_WIN::ShowLoadError(int number, const QString& description, const QString& fileName) {
  Ask(QStringLiteral("ファイル読み込みエラー (") +
          (number < 0 ? QString::number(number) : QStringLiteral(" ") + QString::number(number)) +
          QStringLiteral(")\n理由 : ") + description + QStringLiteral("\nファイル名 : ") +
          fileName + QStringLiteral("\n読み込みを中止します"),
      Buttons::Ok, Icon::Exclamation);
}

void P_WIN::ShowSaveError(const QString& fileName, const QString& reason) {
  // The reason (a full disk, no permission) saves the user from guessing.
  Ask(fileName + QStringLiteral("\nパス又はファイル名が不正です　SAVEできません") +
          QStringLiteral("\n正しく入力し直してください。\n理由 : ") + reason,
      Buttons::Ok, Icon::Exclamation);
}

void P_WIN::ResetViewAfterLoad() {
  if (e_.settings.ASAT != 0) Timer2.start();
  e_.PicSize = {e_.PIC.width(), e_.PIC.height()};
  e_.ZoomFactor = 1;
  e_.ViewOrigin = {0, 0};
  {
    const QSignalBlocker bx(X_SC), by(Y_SC);
    X_SC->setValue(0);
    Y_SC->setValue(0);
  }
  DoRelayout();
  ShowToolName();
  InvalidateUndo();
  emit pictureReplaced();
}

void P_WIN::WholePictureChanged() {
  e_.PicSize = {e_.PIC.width(), e_.PIC.height()};
  e_.ViewOrigin = {0, 0};
  {
    const QSignalBlocker bx(X_SC), by(Y_SC);
    X_SC->setValue(0);
    Y_SC->setValue(0);
  }
  DoRelayout();
  ShowToolName();
  InvalidateUndo();
  emit pictureReplaced();
}

void P_WIN::ResetToNewPicture() {
  e_.PIC = raster::Surface(kNewPictureWidth, kNewPictureHeight);
  e_.CurrentFileName.clear();
  ResetViewAfterLoad();
}

// Every picture file the editor reads comes through here, whatever surface it
// goes to, so a kind of file that can be read once can be read everywhere.
P_WIN::PictureRead P_WIN::ReadPicture(const QString& fileName, raster::Surface& out,
                                      PictureKinds kinds, PictureError* error) {
  const QString upper = upperAscii(fileName.trimmed());
  const bool own = kinds == PictureKinds::BitmapsAndIcons ? hasOwnPictureExtension(fileName)
                                                          : upper.endsWith(QLatin1String(".BMP"));
  if (!own) return PictureRead::Unsupported;
  if (const auto failed = readPictureFile(fileName, out)) {
    if (error) *error = *failed;
    return PictureRead::Failed;
  }
  return PictureRead::Read;
}

void P_WIN::LoadImage(const QString& fileName, int16_t& result) {
  result = 0;
  SetBusyPointer(true);
  e_.CurrentFileName = fileName;
  Timer2.stop();
  raster::Surface loaded;
  PictureError error;
  const PictureRead read = ReadPicture(fileName, loaded, PictureKinds::BitmapsAndIcons, &error);
  if (read == PictureRead::Unsupported) {
    SetBusyPointer(false);
    Ask(QStringLiteral("サポート外のファイル形式です。"), Buttons::Ok, Icon::Exclamation);
    ResetToNewPicture();
    result = -2;
    return;
  }
  if (read == PictureRead::Failed) {
    SetBusyPointer(false);
    ShowLoadError(error.number, error.description, fileName);
    result = error.number == 53 ? -5 : -1;
    ResetToNewPicture();
    return;
  }
  e_.PIC = std::move(loaded);
  ResetViewAfterLoad();
  SetBusyPointer(false);
}

bool P_WIN::SaveImage(const QString& fileName) {
  SetBusyPointer(true);
  Timer2.stop();
  bool ok = false;
  if (!hasOwnPictureExtension(fileName)) {
    SetBusyPointer(false);
    Ask(QStringLiteral("サポート外のファイル形式です。"), Buttons::Ok, Icon::Exclamation);
  } else {
    QString error;
    ok = writeBitmapFile(fileName, e_.PIC, &error);
    SetBusyPointer(false);
    if (!ok) ShowSaveError(fileName, error);
  }
  // Saving pauses the autosave clock; it goes on afterwards.
  if (e_.settings.ASAT != 0) Timer2.start();
  return ok;
}

// Both file dialogs: the floating windows step aside while the dialog is up,
// and come back whether or not a name was chosen.
FileAnswer P_WIN::ChooseFile(bool save, const QString& filter, int filterIndex) {
  HidePalettes();
  emit fileDialogShown(true);
  FileRequest req;
  req.save = save;
  req.title = e_.TitlePrefix;
  req.initialName = e_.CurrentFileName;
  req.filter = filter;
  req.filterIndex = filterIndex;
  FileAnswer answer = e_.prompter->chooseFile(req);
  if (answer.cancelled) answer.path.clear();
  ShowPalettes();
  emit fileDialogShown(false);
  return answer;
}

FileAnswer P_WIN::ChooseOpenFile() {
  const QString upper = upperAscii(e_.CurrentFileName.trimmed());
  const int index = upper.endsWith(QLatin1String(".BMP"))   ? 2
                    : upper.endsWith(QLatin1String(".ICO")) ? 3
                                                            : 1;
  return ChooseFile(
      false, QStringLiteral("All Files(*.*)|*.*|BMP Files(*.BMP)|*.BMP|ICON Files(*.ICO)|*.ICO|"),
      index);
}

FileAnswer P_WIN::ChooseSaveFile() {
  const QString upper = upperAscii(e_.CurrentFileName.trimmed());
  FileAnswer answer =
      ChooseFile(true, QStringLiteral("BMP Files(*.BMP)|*.BMP|ICON Files(*.ICO)|*.ICO|"),
                 upper.endsWith(QLatin1String(".ICO")) ? 2 : 1);
  answer.path = answer.path.trimmed();
  return answer;
}

bool P_WIN::ConfirmReplacePicture() {
  return Ask(QStringLiteral("現在表示している画像に上書きされます\nよろしいですか?"),
             Buttons::YesNo, Icon::Question, 1) != Answer::Yes;
}

}  // namespace tupalo
