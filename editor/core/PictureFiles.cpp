// The main window's picture files: the loader and the saver with their
// messages, and the two file dialogs.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTime>

#include "editor/addins/AddInRegistry.h"
#include "editor/addins/AddInRun.h"
#include "editor/core/MainWindowsDisabled.h"
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
  e_.ZoomFactor = 1;
  WholePictureChanged();
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
  const int reader = findReader(e_.addins, fileName);
  if (reader >= 0) {
    std::optional<PictureError> failed;
    switch (ReadThroughAddIn(e_.addins.Readers[reader], fileName, out, failed)) {
      case AddInRead::Read:
        return PictureRead::Read;
      case AddInRead::Failed:
        if (error) *error = *failed;
        return PictureRead::Failed;
      case AddInRead::NotStarted:
      case AddInRead::NoExchangeFile:
        return PictureRead::Told;
    }
  }
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
  const int reader = findReader(e_.addins, fileName);
  if (reader >= 0) {
    LoadThroughAddIn(e_.addins.Readers[reader], fileName, result);
    SetBusyPointer(false);
    return;
  }
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

RunOutcome P_WIN::RunAddIn(const QString& program, const QStringList& args) {
  // Nothing may start inside the wait: no drop, no gesture, no second open.
  MainWindowsDisabled disabled;
  disabled.Disable(*this, nullptr);
  const RunOutcome outcome = RunAndWait(e_, program, args);
  disabled.Restore();
  return outcome;
}

QString P_WIN::NewExchangeFile(const QString& forName, bool loading) {
  QString why;
  const QString path = MakeExchangeFile(e_.ExchangePath, QTime::currentTime(), &why);
  if (path.isEmpty()) {
    const QString where = e_.ExchangePath + QStringLiteral("/GT******.BMP");
    if (loading)
      ShowLoadError(kErrPathFileAccess, why + QStringLiteral(" (") + where + QStringLiteral(")"),
                    forName);
    else
      ShowSaveError(forName, why + QStringLiteral(" (") + where + QStringLiteral(")"));
  }
  return path;
}

void P_WIN::LoadThroughAddIn(const FormatEntry& reader, const QString& fileName, int16_t& result) {
  raster::Surface loaded;
  std::optional<PictureError> error;
  switch (ReadThroughAddIn(reader, fileName, loaded, error)) {
    case AddInRead::NotStarted:
      // Not started: the user was told. The picture stays as it was.
      result = 1;
      return;
    case AddInRead::NoExchangeFile:
      result = -1;
      return;
    case AddInRead::Failed:
      SetBusyPointer(false);
      ShowLoadError(error->number, error->description, fileName);
      result = -1;
      // The picture on screen is kept: only a picture that was never there
      // (start-up) becomes a new one.
      if (e_.PIC.width() == 0 || e_.PIC.height() == 0) ResetToNewPicture();
      return;
    case AddInRead::Read:
      break;
  }
  e_.PIC = std::move(loaded);
  ResetViewAfterLoad();
}

P_WIN::AddInRead P_WIN::ReadThroughAddIn(const FormatEntry& reader, const QString& fileName,
                                         raster::Surface& out, std::optional<PictureError>& error) {
  const FoundAddIn addIn = FindAddIn(e_.addins, reader.addIn);
  if (addIn.missing) {
    Ask(QStringLiteral("Add_In情報が不正です実行ファイルを見つけられません"), Buttons::Ok,
        Icon::None);
    return AddInRead::NotStarted;
  }
  const QString exchange = NewExchangeFile(fileName, true);
  if (exchange.isEmpty()) return AddInRead::NoExchangeFile;
  HidePalettes();
  const RunOutcome run = RunAddIn(addIn.path, ExpandArguments(e_, reader.command, exchange));
  raster::Surface loaded;
  bool started = true;
  if (run.kind != RunOutcome::Ended) {
    started = false;
  } else if (run.exitCode != 0 || QFileInfo(exchange).size() == 0) {
    // A reader that failed or wrote nothing has not loaded anything; the
    // exchange file is new, so it can't hold an older picture.
    error = PictureError{kErrPathFileAccess,
                         run.exitCode != 0
                             ? QStringLiteral("Add_Inプログラムが変換に失敗しました (終了コード ") +
                                   QString::number(run.exitCode) + QStringLiteral(")")
                             : QStringLiteral("Add_Inプログラムが画像を書き出しませんでした")};
  } else {
    error = readPictureFile(exchange, loaded);
  }
  QFile::remove(exchange);
  ShowPalettes();
  if (!started) return AddInRead::NotStarted;
  if (error) return AddInRead::Failed;
  out = std::move(loaded);
  return AddInRead::Read;
}

bool P_WIN::SaveThroughAddIn(const FormatEntry& writer, const QString& fileName) {
  const FoundAddIn addIn = FindAddIn(e_.addins, writer.addIn);
  if (addIn.missing) {
    Ask(QStringLiteral("Add_In情報が不正です実行ファイルを見つけられません"), Buttons::Ok,
        Icon::None);
    return false;
  }
  const QString exchange = NewExchangeFile(fileName, false);
  if (exchange.isEmpty()) return false;
  QString why;
  if (!writeBitmapFile(exchange, e_.PIC, &why)) {
    QFile::remove(exchange);
    ShowSaveError(fileName, why);
    return false;
  }
  HidePalettes();
  // %ON names the file being written; the picture takes that name only once
  // it was written (the caller's business).
  const QString previousName = e_.CurrentFileName;
  e_.CurrentFileName = fileName;
  const QStringList args = ExpandArguments(e_, writer.command, exchange);
  e_.CurrentFileName = previousName;
  const FileStamp before = stampOf(fileName);
  const RunOutcome run = RunAddIn(addIn.path, args);
  const FileStamp after = stampOf(fileName);
  QFile::remove(exchange);
  ShowPalettes();
  if (run.kind != RunOutcome::Ended) return false;
  // A writer that failed, or ended without writing the file, has not saved.
  if (run.exitCode != 0 || !after.exists || after == before) {
    SetBusyPointer(false);
    ShowSaveError(fileName,
                  run.exitCode != 0
                      ? QStringLiteral("Add_Inプログラムが変換に失敗しました (終了コード ") +
                            QString::number(run.exitCode) + QStringLiteral(")")
                      : QStringLiteral("Add_Inプログラムがファイルを書き出しませんでした"));
    return false;
  }
  return true;
}

bool P_WIN::SaveImage(const QString& fileName) {
  SetBusyPointer(true);
  Timer2.stop();
  bool ok = false;
  if (const int writer = findWriter(e_.addins, fileName); writer >= 0) {
    ok = SaveThroughAddIn(e_.addins.Writers[writer], fileName);
    SetBusyPointer(false);
  } else if (!hasOwnPictureExtension(fileName)) {
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
  QString filter =
      QStringLiteral("All Files(*.*)|*.*|BMP Files(*.BMP)|*.BMP|ICON Files(*.ICO)|*.ICO|");
  const AddInRegistry& r = e_.addins;
  for (int i = 0; i < r.ReaderCount; ++i) filter += r.Readers[i].filter;
  const QString upper = upperAscii(e_.CurrentFileName.trimmed());
  const int reader = findReader(r, e_.CurrentFileName);
  const int index = reader >= 0                             ? reader + 4
                    : upper.endsWith(QLatin1String(".BMP")) ? 2
                    : upper.endsWith(QLatin1String(".ICO")) ? 3
                                                            : 1;
  return ChooseFile(false, filter, index);
}

FileAnswer P_WIN::ChooseSaveFile() {
  QString filter = QStringLiteral("BMP Files(*.BMP)|*.BMP|ICON Files(*.ICO)|*.ICO|");
  const AddInRegistry& r = e_.addins;
  for (int i = 0; i < r.WriterCount; ++i) filter += r.Writers[i].filter;
  const QString upper = upperAscii(e_.CurrentFileName.trimmed());
  const int writer = findWriter(r, e_.CurrentFileName);
  const int index = writer >= 0 ? writer + 3 : upper.endsWith(QLatin1String(".ICO")) ? 2 : 1;
  FileAnswer answer = ChooseFile(true, filter, index);
  answer.path = answer.path.trimmed();
  return answer;
}

bool P_WIN::ConfirmReplacePicture() {
  return Ask(QStringLiteral("現在表示している画像に上書きされます\nよろしいですか?"),
             Buttons::YesNo, Icon::Question, 1) != Answer::Yes;
}

}  // namespace tupalo
