#include "editor/core/P_WIN.h"

#include <QApplication>
#include <QBitmap>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QScreen>
#include <QUrl>
#include <cmath>

#include "editor/core/PictureCommands.h"
#include "editor/core/Splash.h"
#include "editor/core/ToolEngine.h"
#include "editor/core/Undo.h"
#include "editor/core/WAIT_WIN.h"
#include "editor/core/WindowPlaces.h"
#include "editor/core/ToolTable.h"
#include "editor/files/ColourFile.h"
#include "editor/files/PictureFile.h"
#include "platform/FloatingWindow.h"
#include "platform/HelpWindow.h"
#include "platform/Prompt.h"

namespace tupalo {

namespace {

constexpr int kNewPictureWidth = 640;
constexpr int kNewPictureHeight = 480;

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

P_WIN::P_WIN(Editor& e, Options options) : QWidget(nullptr), e_(e), options_(options) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  DMY = new CanvasContainer(this);
  DRAW = new CanvasWidget(e_, DMY);
  DRAW->move(0, 0);
  X_SC = new QScrollBar(Qt::Horizontal, this);
  Y_SC = new QScrollBar(Qt::Vertical, this);
  RB = new QToolButton(this);
  RB->setAutoRaise(false);
  RB->setIconSize(QSize(14, 14));
  RB->setFocusPolicy(Qt::NoFocus);
  RB->setToolTip(QStringLiteral("ステータスライン 表示/非表示"));
  auto makeLabel = [this](const char* name) {
    auto* l = new QLabel(this);
    l->setObjectName(QLatin1String(name));
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setTextFormat(Qt::PlainText);
    l->setIndent(3);
    return l;
  };
  INF_CMD = makeLabel("INF_CMD");
  INF_POSX = makeLabel("INF_POSX");
  INF_POSY = makeLabel("INF_POSY");
  INF_SUB = makeLabel("INF_SUB");

  connect(X_SC, &QScrollBar::valueChanged, this, [this](int v) { ScrollChanged(true, v); });
  connect(Y_SC, &QScrollBar::valueChanged, this, [this](int v) { ScrollChanged(false, v); });
  connect(RB, &QToolButton::clicked, this, [this] { ToggleStatusLine(); });
  DMY->onRightClick = [this] { TogglePalettes(); };
  engine = std::make_unique<ToolEngine>(*this);
  auto at = [](QMouseEvent* ev) { return ev->position().toPoint(); };
  DRAW->onPress = [this, at](QMouseEvent* ev) {
    engine->MouseDown(ev->button(), ev->modifiers(), at(ev).x(), at(ev).y());
  };
  DRAW->onMove = [this, at](QMouseEvent* ev) {
    engine->MouseMove(ev->buttons(), ev->modifiers(), at(ev).x(), at(ev).y());
  };
  DRAW->onRelease = [this, at](QMouseEvent* ev) {
    engine->MouseUp(ev->button(), ev->modifiers(), at(ev).x(), at(ev).y());
  };
  DRAW->onDoubleClick = [this, at](QMouseEvent* ev) {
    if (ev->button() == Qt::LeftButton) engine->DoubleClick(at(ev).x(), at(ev).y());
  };
  connect(&Timer1, &QTimer::timeout, this, [this] { engine->Timer1Tick(); });
  connect(&Timer2, &QTimer::timeout, this, [this] { Timer2_Timer(*this); });
  waitWin = new WAIT_WIN(*this);
  places_ = std::make_unique<WindowPlaces>(*this);

  Timer2.setInterval(60000);
  resize(820, 620);
  LayoutWindow();
}

P_WIN::~P_WIN() = default;

double P_WIN::twipsPerPixel() const {
  const double dpi = logicalDpiX() > 0 ? logicalDpiX() : 96.0;
  return 1440.0 / dpi;
}

CanvasFrame P_WIN::canvasFrame() const {
  return {DMY->width(), DMY->height(), DRAW->x(), DRAW->y()};
}

int P_WIN::statusLineHeight() const { return INF_POSX->sizeHint().height() + 5; }

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

  // The add-in registry is read here once add-ins exist.

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
  LoadConfiguration(e_.AppPath, e_.settings, *places_, fileFromCommandLine, e_.CurrentFileName);

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
  if (!LoadColourFile(e_.AppPath, e_.colours, &colourError)) {
    Ask(colourFilePath(e_.AppPath) +
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
// Layout and view

void P_WIN::LayoutWindow() {
  const int w = width(), h = height();
  if (w <= 30 || h <= 30) return;
  const int sbw = Y_SC->sizeHint().width();
  const int sbh = X_SC->sizeHint().height();
  const bool status = e_.settings.IDSP == 1;
  const int statusH = status ? statusLineHeight() : 0;
  const int dmyW = std::max(1, w - sbw);
  const int dmyH = std::max(1, h - sbh - statusH);
  DMY->setGeometry(0, 0, dmyW, dmyH);
  X_SC->setGeometry(0, dmyH, dmyW, sbh);
  Y_SC->setGeometry(dmyW, 0, sbw, dmyH);
  RB->setGeometry(dmyW, dmyH, sbw, sbh);
  for (QLabel* l : {INF_CMD, INF_POSX, INF_POSY, INF_SUB}) l->setVisible(status);
  if (status) {
    const int y = h - statusH + 2;
    const int lh = statusH - 4;
    const int cmdW = 150, posW = 80;
    INF_CMD->setGeometry(2, y, cmdW, lh);
    INF_POSX->setGeometry(4 + cmdW, y, posW, lh);
    INF_POSY->setGeometry(6 + cmdW + posW, y, posW, lh);
    INF_SUB->setGeometry(8 + cmdW + 2 * posW, y, std::max(10, w - (10 + cmdW + 2 * posW)), lh);
  }
  DoRelayout();
}

void P_WIN::DoRelayout() {
  const int16_t undoBefore = e_.UndoAvailable;
  const ScrollRanges r = Relayout(e_, canvasFrame());
  if (undoBefore == 1 && e_.UndoAvailable == 0) EnableUndoButton(UndoButton::Disabled);
  DRAW->resize(e_.ViewPixels.x, e_.ViewPixels.y);
  DRAW->refreshAll();

  // Apply the ranges without running the scroll handler; if a range clipped
  // the position, the view follows as if the user had scrolled.
  const QSignalBlocker bx(X_SC), by(Y_SC);
  X_SC->setRange(0, r.horizontalMax);
  X_SC->setPageStep(std::max(1, e_.ViewSize.x));
  X_SC->setSingleStep(std::max(1, e_.ViewSize.x / 16));
  X_SC->setEnabled(r.horizontalOn);
  Y_SC->setRange(0, r.verticalMax);
  Y_SC->setPageStep(std::max(1, e_.ViewSize.y));
  Y_SC->setSingleStep(std::max(1, e_.ViewSize.y / 16));
  Y_SC->setEnabled(r.verticalOn);
  X_SC->setValue(e_.ViewOrigin.x);
  Y_SC->setValue(e_.ViewOrigin.y);
  const bool moveX = X_SC->value() != e_.ViewOrigin.x;
  const bool moveY = Y_SC->value() != e_.ViewOrigin.y;
  if (moveX) ScrollChanged(true, X_SC->value());
  if (moveY) ScrollChanged(false, Y_SC->value());
}

void P_WIN::ScrollChanged(bool horizontal, int value) {
  if (e_.UndoAvailable == 1) InvalidateUndo();
  ScrollTo(e_, horizontal, value);
  DRAW->refreshAll();
  RefreshPointerPosition();
}

void P_WIN::RefreshPointerPosition() {
  const QPoint p = DRAW->mapFromGlobal(QCursor::pos());
  if (DRAW->rect().contains(p)) ShowPointerPosition(p.x(), p.y());
}

void P_WIN::ZoomTo(int X, int Y, int newZoom) {
  const Pair origin = ZoomAt(e_, canvasFrame(), X, Y, newZoom);
  // The stored undo region no longer matches the view once the zoom changes.
  if (e_.UndoAvailable == 1) InvalidateUndo();
  e_.ZoomFactor = newZoom;
  e_.ViewOrigin = origin;
  DoRelayout();
  // The same pointer stands over another picture pixel now.
  RefreshPointerPosition();
}

void P_WIN::CommitView() {
  tupalo::CommitView(e_);
  // The overview window is redrawn here once it exists.
}

void P_WIN::CommitRect(int x1, int y1, int x2, int y2) {
  tupalo::CommitRect(e_, x1, y1, x2, y2);
  // The overview window redraws that part here once it exists.
}

void P_WIN::InvalidateUndo() {
  e_.UndoAvailable = 0;
  EnableUndoButton(UndoButton::Disabled);
}

void P_WIN::EnableUndoButton(UndoButton state) { emit undoOffered(state == UndoButton::Enabled); }

void P_WIN::ShowPointerPosition(int X, int Y) {
  if (e_.settings.IDSP != 1) return;
  const Pair p = PicturePointAt(e_, X, Y);
  // Numbers carry a leading blank in place of a plus sign.
  auto num = [](int v) {
    return v < 0 ? QString::number(v) : QStringLiteral(" ") + QString::number(v);
  };
  INF_POSX->setText(QStringLiteral("X=") + num(p.x));
  INF_POSY->setText(QStringLiteral("Y=") + num(p.y));
}

void P_WIN::ShowToolName() {
  const ToolInfo info = ToolInfoOf(e_.ToolCode);
  emit toolShown(e_.ToolCode);
  SetPointer(PointerName(info.pointer));
  // The floating piece and the text overlay belong to their tools only.
  const bool work = info.overlay == Overlay::Work;
  const bool word = info.overlay == Overlay::Word;
  if (work != e_.WorkShown || word != e_.WordShown) {
    e_.WorkShown = work;
    e_.WordShown = word;
    DRAW->refreshAll();
  }
  // The settings windows of other tools (info.settings names the tool's own)
  // close here once they exist.
  if (e_.settings.IDSP == 1) INF_CMD->setText(QString::fromLatin1(info.statusName));
}

void P_WIN::SelectTool(int code) {
  EndPendingGesture();
  e_.ToolCode = code;
  // What the last tool said about its gesture belongs to it.
  if (e_.settings.IDSP == 1) INF_SUB->setText(QStringLiteral(" "));
  ShowToolName();
}

void P_WIN::EndPendingGesture() {
  if (engine->GesturePending()) engine->CancelGesture();
}

void P_WIN::SetPointer(const QString& name) {
  const QCursor pointer = PointerShape(name);
  DRAW->setCursor(pointer);
  for (QWidget* w : floatingWindows()) w->setCursor(pointer);
}

QCursor P_WIN::PointerShape(const QString& name) {
  struct Kind {
    const char* name;
    int hotX, hotY;  // where the pointer points, in its 32 x 32 picture
  };
  static constexpr Kind kKinds[] = {
      {"PAINT", 6, 28}, {"SPOIT", 0, 31}, {"LUPE", 10, 10}, {"WAIT", 15, 15}, {"SPRAY", 6, 8}};
  for (const Kind& k : kKinds) {
    if (name != QLatin1String(k.name)) continue;
    if (const auto it = pointers_.find(name); it != pointers_.end()) return it->second;
    const QImage img = QImage(e_.AppPath + QLatin1Char('/') + name + QStringLiteral("_CUR.bmp"))
                           .convertToFormat(QImage::Format_RGB32);
    if (img.isNull()) return QCursor(Qt::ArrowCursor);  // a missing picture gives the arrow
    QPixmap pixmap = QPixmap::fromImage(img);
    // Magenta is the transparent key colour of the pointer pictures.
    pixmap.setMask(
        QBitmap::fromImage(img.createMaskFromColor(qRgb(255, 0, 255), Qt::MaskOutColor)));
    const QCursor pointer(pixmap, k.hotX, k.hotY);
    pointers_.emplace(name, pointer);
    return pointer;
  }
  return QCursor(Qt::ArrowCursor);
}

void P_WIN::ToggleStatusLine() {
  e_.settings.IDSP = static_cast<int16_t>(1 - e_.settings.IDSP);
  UpdateStatusLine();
}

void P_WIN::UpdateStatusLine() {
  const int row = e_.settings.IDSP == 1 ? 1 : 0;
  if (statusIcons_.isNull() || statusIcons_.height() < 28) {
    statusIcons_ = QPixmap(e_.AppPath + QStringLiteral("/UNDO_B_IMG.bmp"));
  }
  if (!statusIcons_.isNull()) RB->setIcon(QIcon(statusIcons_.copy(0, row * 14, 14, 14)));
  LayoutWindow();
  ShowToolName();
}

void P_WIN::TogglePalettes() {
  if (e_.PalettesShown == 1) {
    HidePalettes();
    e_.PalettesShown = 0;
  } else {
    e_.PalettesShown = 1;
    ShowPalettes();
  }
}

void P_WIN::HidePalettes() {
  // The overview joins here once it exists.
  for (QWidget* w : floatingWindows()) w->hide();
}

void P_WIN::ShowPalettes() {
  if (e_.StartingUp == 1 || e_.PalettesShown != 1) return;
  // The overview joins here once it exists. The colour window comes first:
  // the palette places itself below it.
  for (QWidget* w : floatingWindows()) showToolWindow(w);
}

void P_WIN::keyPressEvent(QKeyEvent* ev) {
  if (!engine->KeyDown(ev)) QWidget::keyPressEvent(ev);
}

void P_WIN::keyReleaseEvent(QKeyEvent* ev) {
  if (!engine->KeyUp(ev)) QWidget::keyReleaseEvent(ev);
}

// ---------------------------------------------------------------------------
// Window events

void P_WIN::resizeEvent(QResizeEvent* ev) {
  QWidget::resizeEvent(ev);
  LayoutWindow();
}

void P_WIN::changeEvent(QEvent* ev) {
  QWidget::changeEvent(ev);
  // A keypad key held down would never come back up to this window.
  if (ev->type() == QEvent::ActivationChange && !isActiveWindow()) engine->KeyboardLost();
  if (ev->type() != QEvent::WindowStateChange) return;
  if (isMinimized())
    HidePalettes();
  else
    ShowPalettes();
}

void P_WIN::closeEvent(QCloseEvent* ev) {
  if (e_.QuitViaLauncher == 1 || shutDown_) {
    ev->accept();
    return;
  }
  e_.ClosingRequested = 1;
  if (!QuitRoutine()) {
    e_.ClosingRequested = 0;
    ev->ignore();
    return;
  }
  ev->accept();
  QCoreApplication::quit();
}

void P_WIN::dragEnterEvent(QDragEnterEvent* ev) {
  if (ev->mimeData()->hasUrls()) {
    for (const QUrl& url : ev->mimeData()->urls())
      if (url.isLocalFile()) {
        ev->acceptProposedAction();
        return;
      }
  }
}

void P_WIN::dropEvent(QDropEvent* ev) {
  // Only the first file is used.
  for (const QUrl& url : ev->mimeData()->urls()) {
    if (!url.isLocalFile()) continue;
    ev->acceptProposedAction();
    const QString path = url.toLocalFile();
    // Let the drop finish before asking.
    QTimer::singleShot(0, this, [this, path] { HandleDroppedFile(path); });
    return;
  }
}

void P_WIN::HandleDroppedFile(const QString& path) { OpenDroppedPicture(*this, path); }

// ---------------------------------------------------------------------------
// Quit

bool P_WIN::QuitRoutine() {
  // Floating windows that are up are hidden here once they exist.
  for (;;) {
    const Answer a = Ask(QStringLiteral("TUPAを終了します\nファイルを保存せずに終了しますか ?\n"),
                         Buttons::YesNoCancel, Icon::Question, 2, QStringLiteral("終了"));
    if (a == Answer::Cancel) {
      show();
      ShowPalettes();
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
  QString error;
  if (!SaveConfiguration(e_.AppPath, e_.settings, *places_, &error)) {
    Ask(configFilePath(e_.AppPath) +
            QStringLiteral("\n設定ファイルを保存できませんでした\n理由 : ") + error,
        Buttons::Ok, Icon::Exclamation);
  }
  // The user's colour pages live only in memory until now; a failed write
  // leaves the old file, and the user must hear of it.
  QString colourError;
  if (!SaveColourFile(e_.AppPath, e_.colours, &colourError)) {
    Ask(colourFilePath(e_.AppPath) +
            QStringLiteral("\n色定義ファイルを保存できませんでした\n理由 : ") + colourError,
        Buttons::Ok, Icon::Exclamation);
  }
  // The floating windows are unloaded and the help window is closed here once
  // they exist.
  CloseHelp();
}

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

void P_WIN::ResetToNewPicture() {
  e_.PIC = raster::Surface(kNewPictureWidth, kNewPictureHeight);
  e_.CurrentFileName.clear();
  ResetViewAfterLoad();
}

void P_WIN::LoadImage(const QString& fileName, int16_t& result) {
  result = 0;
  SetBusyPointer(true);
  e_.CurrentFileName = fileName;
  Timer2.stop();
  if (!hasOwnPictureExtension(fileName)) {
    SetBusyPointer(false);
    Ask(QStringLiteral("サポート外のファイル形式です。"), Buttons::Ok, Icon::Exclamation);
    ResetToNewPicture();
    result = -2;
    return;
  }
  raster::Surface loaded;
  if (const auto error = readPictureFile(fileName, loaded)) {
    SetBusyPointer(false);
    ShowLoadError(error->number, error->description, fileName);
    result = error->number == 53 ? -5 : -1;
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
  FileRequest req;
  req.save = save;
  req.title = e_.TitlePrefix;
  req.initialName = e_.CurrentFileName;
  req.filter = filter;
  req.filterIndex = filterIndex;
  FileAnswer answer = e_.prompter->chooseFile(req);
  if (answer.cancelled) answer.path.clear();
  ShowPalettes();
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
