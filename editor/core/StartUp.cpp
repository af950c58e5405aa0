// The main window's start-up, quit question and shutdown.
#include <QApplication>
#include <QScreen>

#include "editor/addins/AddInRegistry.h"
#include "editor/core/P_WIN.h"
#include "editor/core/PictureCommands.h"
#include "editor/core/Splash.h"
#include "editor/core/ToolTable.h"
#include "editor/core/WindowPlaces.h"
#include "editor/files/ColourFile.h"
#include "editor/files/Configuration.h"
#include "editor/pixel/ToolSettings.h"
#include "platform/AppIcon.h"
#include "platform/HelpWindow.h"
#include "platform/Prompt.h"
#include "platform/UserFolders.h"

namespace tupalo {

// ---------------------------------------------------------------------------
// Start-up

P_WIN::StartResult P_WIN::StartUp(const QString& appPath, const QString& commandLine) {
  e_.StartingUp = 1;
  e_.Running = 1;
  e_.QuitViaLauncher = 0;
  e_.UndoAvailable = 0;
  e_.VersionText = QStringLiteral("TupaloW.2.58");

  splash_ = new SplashWindow(e_.VersionText, this);
  splashLog_ = {splash_->title(), splash_->credit()};
  splash_->show();
  SplashStatus(QStringLiteral("Starting..."));

  QString path = appPath;
  while (path.size() > 1 && path.endsWith(QLatin1Char('/'))) path.chop(1);
  e_.AppPath = path.trimmed();
  // Every file the editor writes goes to one of these two: the program folder
  // itself when it may be written, else the user's own folders.
  const WritableFolders folders = ChooseWritableFolders(e_.AppPath);
  e_.UserPath = folders.user;
  e_.ExchangePath = folders.exchange;
  exchangeFolder_ = folders.exchangeFolder;
  // Every window of the editor (the floating ones too) shows the program's icon.
  QApplication::setWindowIcon(ApplicationIcon(e_.AppPath));
  e_.TitlePrefix = QStringLiteral("Tupa ");

  const int depth =
      options_.displayDepth > 0 ? options_.displayDepth : (screen() ? screen()->depth() : 32);
  if (depth < 16) {
    if (Ask(QStringLiteral("Windowsの色数が足りません\n本Editorはカラーパレットには対応しませんので"
                           "\n16Bit/24Bit/ "
                           "32Bit Colorでご利用ください。\nTupaを起動させますか ?"),
            Buttons::YesNo, Icon::Exclamation) != Answer::Yes) {
      splash_->close();
      return StartResult::EndProgram;
    }
  }

  QString addInError;
  if (!LoadAddInRegistry(e_, &addInError))
    Ask(addInRegistryPath(e_.UserPath) +
            QStringLiteral("\nAdd_In情報を読み込めませんでした\n理由 : ") + addInError,
        Buttons::Ok, Icon::Exclamation);

  SplashStatus(QStringLiteral("Checking commandline.."));
  const QString fileName = commandLine;
  const bool fileFromCommandLine = !fileName.isEmpty();
  QString pictureName;
  if (!fileFromCommandLine) {
    pictureName = QStringLiteral("NEWFFILE");
    e_.PIC = raster::Surface(kNewPictureWidth, kNewPictureHeight);
    e_.CurrentFileName.clear();
  } else {
    pictureName = fileName;
    SplashStatus(QStringLiteral("Loading..\n") + fileName);
    int16_t result = 0;
    LoadImage(fileName, result);
    if (result == -2) {
      splash_->close();
      return StartResult::EndProgram;
    }
    // A file that could not be loaded is not the one being edited.
    if (result != 0) pictureName = QStringLiteral("NEWFFILE");
  }
  SetCaption(pictureName);

  e_.Color1 = {0, 0, 0};
  e_.Color2 = {255, 255, 255};
  e_.PicSize = {e_.PIC.width(), e_.PIC.height()};
  e_.ZoomFactor = 1;
  e_.ViewOrigin = {0, 0};
  e_.ToolCode = tool::Pset;
  e_.PenSize = 1;
  e_.PalettesShown = 1;

  SplashStatus(QStringLiteral("Initilizing from tupa.cnf..."));
  LoadConfiguration(e_.UserPath, e_.AppPath, e_.settings, *places_, fileFromCommandLine,
                    e_.CurrentFileName);
  // The tools take these as their settings windows' bars could give them.
  toolsettings::ClampToolSettings(e_.settings);

  const int16_t rpnx = e_.settings.RPNX;
  bool reload = false;
  if (!fileFromCommandLine && !e_.CurrentFileName.isEmpty()) {
    if (rpnx == 2) {
      if (Ask(QStringLiteral("前回編集していたファイルを読み込みますか?\nファイル名 :") +
                  e_.CurrentFileName + QStringLiteral("\n"),
              Buttons::YesNo, Icon::Question) == Answer::Yes)
        reload = true;
      else
        e_.CurrentFileName.clear();
    } else if (rpnx == 1) {
      reload = true;
    }
  }
  if (reload) {
    const QString last = e_.CurrentFileName;
    SplashStatus(QStringLiteral("Loading..\n") + last);
    int16_t result = 0;
    LoadImage(last, result);
    // The caption names the file only when it really was loaded.
    SetCaption(result == 0 ? last : QStringLiteral("NEWFFILE"));
  }

  UpdateStatusLine();

  // Page 0 becomes the current page. A colour file that is there but can't be
  // read is neither seeded over nor replaced at quit: the user hears of it
  // now, before making pages that would not be kept.
  QString colourError;
  if (!LoadColourFile(e_.UserPath, e_.AppPath, e_.colours, &colourError)) {
    Ask(colourFilePath(e_.UserPath) +
            QStringLiteral("\n色定義ファイルを読み込めませんでした\n理由 : ") + colourError +
            QStringLiteral("\n標準の色定義で起動します（色辞書の変更は保存されません）"),
        Buttons::Ok, Icon::Exclamation);
  }
  FillColourWindow();
  e_.StartingUp = 0;

  EnableUndoButton(UndoButton::Disabled);

  SplashStatus(QStringLiteral("Complete..."));
  splash_->close();
  splash_->deleteLater();
  splash_ = nullptr;

  show();
  // The floating windows come after the main window: a window manager keeps
  // a tool window above its owner only when the owner is already there.
  if (e_.PalettesShown == 1) ShowPalettes();
  setAcceptDrops(true);
  LayoutWindow();
  ShowToolName();
  return StartResult::Running;
}

void P_WIN::FillColourWindow() {
  // The colour window shows the page names and the colours of page 0.
  emit coloursLoaded();
}

void P_WIN::AddFloatingWindow(Floating role, QWidget* w) {
  floating_.emplace_back(role, w);
  std::stable_sort(floating_.begin(), floating_.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
}

QWidget* P_WIN::floatingWindow(Floating role) const {
  for (const auto& [r, w] : floating_)
    if (r == role) return w;
  return nullptr;
}

std::vector<QWidget*> P_WIN::floatingWindows() const {
  std::vector<QWidget*> out;
  for (const auto& [role, w] : floating_)
    if (w) out.push_back(w);
  return out;
}

void P_WIN::SplashStatus(const QString& text) {
  splashLog_.append(text);
  if (splash_) splash_->setStatus(text);
}

void P_WIN::SetCaption(const QString& name) {
  setWindowTitle(e_.TitlePrefix + QStringLiteral(":") + name);
}

// ---------------------------------------------------------------------------
// Quit

bool P_WIN::QuitRoutine() {
  // The tool settings windows that are up step aside (the overview and the
  // magnifier join them once they exist).
  emit quitAsking(true);
  for (;;) {
    const Answer a = Ask(QStringLiteral("TUPAを終了します\nファイルを保存せずに終了しますか ?\n"),
                         Buttons::YesNoCancel, Icon::Question, 2, QStringLiteral("終了"));
    if (a == Answer::Cancel) {
      show();
      ShowPalettes();
      emit quitAsking(false);
      return false;
    }
    if (a == Answer::Yes) break;

    // No: save first. No name, a refused overwrite or a failed save (which
    // has said why) ask again; nothing is lost.
    if (SavePictureAs(*this)) break;
  }
  Shutdown();
  return true;
}

void P_WIN::Shutdown() {
  shutDown_ = true;
  DRAW->setEnabled(false);
  e_.Running = 0;
  Timer1.stop();
  Timer2.stop();
  e_.settings.RPNM = e_.CurrentFileName;
  // The palettes' places are written with the settings, so take them first.
  emit storingWindowPlaces();
  // What a window takes as it closes is written with the rest.
  emit shuttingDown();
  QString error;
  if (!SaveConfiguration(e_.UserPath, e_.AppPath, e_.settings, *places_, &error)) {
    Ask(configFilePath(e_.UserPath) +
            QStringLiteral("\n設定ファイルを保存できませんでした\n理由 : ") + error,
        Buttons::Ok, Icon::Exclamation);
  }
  // The user's colour pages live only in memory until now; a failed write
  // leaves the old file, and the user must hear of it.
  QString colourError;
  if (!SaveColourFile(e_.UserPath, e_.AppPath, e_.colours, &colourError)) {
    Ask(colourFilePath(e_.UserPath) +
            QStringLiteral("\n色定義ファイルを保存できませんでした\n理由 : ") + colourError,
        Buttons::Ok, Icon::Exclamation);
  }
  // The floating windows are unloaded and the help window is closed here once
  // they exist.
  help.Close();
}

}  // namespace tupalo
