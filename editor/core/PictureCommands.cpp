#include "editor/core/PictureCommands.h"

#include <QFile>
#include <QFileInfo>

#include "editor/addins/AddInRegistry.h"
#include "editor/addins/AddInRun.h"
#include "editor/core/P_WIN.h"
#include "editor/files/PictureFile.h"

namespace tupalo {

namespace {

// The loader's result decides the name the picture goes by.
void TakeLoadedName(P_WIN& w, const QString& path, int16_t result) {
  Editor& e = w.editor();
  if (result == 0) {
    e.CurrentFileName = path;
    w.SetCaption(path);
  } else {
    // A new picture now: no name, or an autosave over the file that failed
    // to load would destroy it.
    e.CurrentFileName.clear();
    w.SetCaption(QStringLiteral("NEWFFILE"));
  }
}

}  // namespace

void OpenPicture(P_WIN& w) {
  if (w.ConfirmReplacePicture()) return;
  const FileAnswer chosen = w.ChooseOpenFile();
  if (chosen.path.isEmpty()) return;
  int16_t result = 0;
  w.LoadImage(chosen.path, result);
  TakeLoadedName(w, chosen.path, result);
}

bool SavePictureAs(P_WIN& w) {
  const FileAnswer chosen = w.ChooseSaveFile();
  if (chosen.cancelled || chosen.path.isEmpty()) return false;
  if (QFileInfo::exists(chosen.path) &&
      w.Ask(chosen.path + QStringLiteral("\nファイルが既に存在しています上書きしますか?"),
            Buttons::OkCancel, Icon::Question, 1) != Answer::Ok)
    return false;
  // A picture that was not written keeps the name it had; the saver has said why.
  if (!w.SaveImage(chosen.path)) return false;
  w.editor().CurrentFileName = chosen.path;
  w.SetCaption(chosen.path);
  return true;
}

void ScanPicture(P_WIN& w, bool select) {
  Editor& e = w.editor();
  const AddInCommand entry = e.addins.Twain[select ? addin::kTwainSelect : addin::kTwainScan];
  const FoundAddIn addIn = FindAddIn(e.addins, entry.addIn);
  if (addIn.missing) {
    w.Ask(QStringLiteral("Add_In情報が不正です実行ファイルを見つけられません"), Buttons::Ok,
          Icon::None);
    return;
  }
  const QString exchange = w.NewExchangeFile(QStringLiteral("SCANNER"), !select);
  if (exchange.isEmpty()) return;
  // A scan that writes nothing reloads the picture as it was.
  QString why;
  if (!select && !writeBitmapFile(exchange, e.PIC, &why)) {
    QFile::remove(exchange);
    w.Ask(
        exchange + QStringLiteral("\nパス又はファイル名が不正です　SAVEできません\n理由 : ") + why,
        Buttons::Ok, Icon::Exclamation);
    return;
  }
  w.HidePalettes();
  const RunOutcome run = w.RunAddIn(addIn.path, ExpandArguments(e, entry.command, exchange));
  if (!select && run.succeeded()) {
    int16_t result = 0;
    w.LoadImage(exchange, result);
    if (result == -1 && w.Ask(QStringLiteral("読み込もうとしたテンポラリファイル\n") + exchange +
                                  QStringLiteral("\nを削除しますか?"),
                              Buttons::YesNo, Icon::Question) != Answer::Yes) {
      w.ShowPalettes();
      e.CurrentFileName.clear();
      w.SetCaption(QStringLiteral("NEWFFILE"));
      return;
    }
    e.CurrentFileName.clear();
    w.SetCaption(QStringLiteral("NEWFFILE"));
  }
  QFile::remove(exchange);
  w.ShowPalettes();
}

void OpenDroppedPicture(P_WIN& w, const QString& path) {
  if (w.Ask(path + QStringLiteral(
                       "がドロップされました\n現在の画像は保存されませんがそれでもよろしいですか?"),
            Buttons::YesNo, Icon::Question) != Answer::Yes)
    return;
  int16_t result = 0;
  w.LoadImage(path, result);
  TakeLoadedName(w, path, result);
}

}  // namespace tupalo
