#include "editor/palette/CMD_WIN.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <cmath>

#include "editor/core/P_WIN.h"
#include "editor/core/PictureCommands.h"
#include "editor/core/ToolTable.h"
#include "editor/core/Undo.h"
#include "editor/palette/ClipboardPicture.h"
#include "platform/FloatingWindow.h"
#include "platform/HelpWindow.h"

namespace tupalo {

using namespace palette;

namespace {

constexpr int kWidth = kGroupColumns * kButtonSize;
// The normal selector has two rows, the expansion selector one; the groups
// stand directly below either, and the rows below them follow.
constexpr int kSelectorHeight = 2 * kButtonSize;
constexpr int kExpansionSelectorHeight = kButtonSize;
constexpr int kGroupHeight = kGroupRows * kButtonSize;
constexpr int kPenRowHeight = 17;
constexpr int kPenLabelWidth = 22;
constexpr int PenRowTop(int selectorHeight) { return selectorHeight + kGroupHeight + 2; }
constexpr int BottomRowTop(int selectorHeight) { return PenRowTop(selectorHeight) + kPenRowHeight + 2; }
constexpr int WindowHeight(int selectorHeight) { return BottomRowTop(selectorHeight) + kButtonSize; }
const QColor kFaceColour(212, 208, 200);  // the strips' button face

// Tooltips: the status-line names of the tools, a few words for the commands.
QString commandTip(Family family, int i) {
  static const char* const kFile[] = {"開く",
                                      "名前を付けて保存",
                                      "クリップボードから貼り付け",
                                      "クリップボードへコピー",
                                      "画像サイズ",
                                      "新規作成",
                                      "印刷",
                                      "スキャナ"};
  static const char* const kSys[] = {"終了", "", "設定", "ランチ1", "ランチ2"};
  static const char* const kEfct[] = {"右90度回転", "左90度回転", "180度回転",
                                      "左右反転",   "合成",       "SpecialOption"};
  static const char* const kRoot[] = {"描画", "拡大", "ファイル", "システム",
                                      "編集", "効果", "色ツール"};
  static const char* const kExpB[] = {"拡大描画", "拡大描画2", "倍率"};
  static const char* const kOptW[] = {"ViewWindow", "ヘルプ", "ルーペ"};
  switch (family) {
    case Family::File:
      return QString::fromUtf8(kFile[i]);
    case Family::Sys:
      return QString::fromUtf8(kSys[i]);
    case Family::Efct:
      return QString::fromUtf8(kEfct[i]);
    case Family::RootB:
      return QString::fromUtf8(kRoot[i]);
    case Family::ExpB:
      return QString::fromUtf8(kExpB[i]);
    case Family::OptW:
      return QString::fromUtf8(kOptW[i]);
    case Family::Edit:
      return QStringLiteral("x%1").arg(ZoomItemFactor(i + 1));
    case Family::ExpM2:
      return QStringLiteral("x%1").arg(ZoomItemFactor(i));
    case Family::Cmd:
      return i == 20 ? QStringLiteral("Text") : ToolStatusName(*CmdButtonToolCode(i, 0));
    case Family::ExpM1: {
      // Two expanded-mode tools show no name on the status line.
      const int code = ExpansionToolCode(i, 0, 0);
      return code == tool::ExpLine         ? QStringLiteral("Line")
             : code == tool::ExpCirclefill ? QStringLiteral("Circlefill")
                             : ToolStatusName(code);
    }
  }
  return {};
}

// The wait pointer for the length of a command.
struct BusyPointer {
  BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;
};

int toPixels(int32_t twips, double twipsPerPixel) {
  return static_cast<int>(std::nearbyint(twips / twipsPerPixel));
}

}  // namespace

CMD_WIN::CMD_WIN(Editor& e, P_WIN& owner) : QWidget(&owner, Qt::Tool), e_(e), owner_(owner) {
  // Clicking the palette must not take the keyboard from the canvas (space
  // undoes, Page Up/Down change the pen).
  makeToolWindow(this, /*closeButton=*/true, /*takeFocus=*/false);
  setFixedSize(kWidth, WindowHeight(kSelectorHeight));
  // Empty grid places look like the buttons' own face.
  QPalette pal = palette();
  pal.setColor(QPalette::Window, kFaceColour);
  setPalette(pal);
  setAutoFillBackground(true);

  ROOT_B_BASE = new QWidget(this);
  ROOT_B_BASE->setGeometry(0, 0, kWidth, kSelectorHeight);
  for (int i = 0; i < int(ROOT_B.size()); ++i) {
    const Slot s = RootSelectorSlot(i);
    ROOT_B[i] =
        MakeButton(Family::RootB, i, ROOT_B_BASE, s.column * kButtonSize, s.row * kButtonSize);
  }
  EXP_B_BASE = new QWidget(this);
  EXP_B_BASE->setGeometry(0, 0, kWidth, kExpansionSelectorHeight);
  for (int i = 0; i < int(EXP_B.size()); ++i)
    EXP_B[i] = MakeButton(Family::ExpB, i, EXP_B_BASE, i * kButtonSize, 0);
  BuildGroups();

  PEN_SZ = new QLabel(this);
  PEN_SZ->setObjectName(QStringLiteral("PEN_SZ"));
  PEN_SZ->resize(kPenLabelWidth, kPenRowHeight);
  PEN_SZ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  PEN_SZ->setToolTip(QStringLiteral("ペンサイズ"));
  PEN_SZ_SB = new QScrollBar(Qt::Horizontal, this);
  PEN_SZ_SB->resize(kWidth - kPenLabelWidth - 1, kPenRowHeight);
  PEN_SZ_SB->setRange(1, 33);
  PEN_SZ_SB->setPageStep(2);
  PEN_SZ_SB->setSingleStep(1);
  PEN_SZ_SB->setValue(1);
  PEN_SZ_SB->setFocusPolicy(Qt::NoFocus);
  PEN_SZ_SB_Change(PEN_SZ_SB->value());
  connect(PEN_SZ_SB, &QScrollBar::valueChanged, this, [this](int v) { PEN_SZ_SB_Change(v); });

  UNDO = new StripButton(undoStrip_, 0, this);
  UNDO->setToolTip(QStringLiteral("UNDO"));
  connect(UNDO, &QAbstractButton::clicked, this, [this] { UNDO_Click(); });
  for (int i = 0; i < int(OPT_W_B.size()); ++i)
    OPT_W_B[i] = MakeButton(Family::OptW, i, this, (i + 1) * kButtonSize, 0);
  PlaceRowsBelowSelector(kSelectorHeight);
}

void CMD_WIN::PlaceRowsBelowSelector(int selectorHeight) {
  const int pen = PenRowTop(selectorHeight), bottom = BottomRowTop(selectorHeight);
  PEN_SZ->move(0, pen);
  PEN_SZ_SB->move(kPenLabelWidth + 1, pen);
  UNDO->move(0, bottom);
  for (int i = 0; i < int(OPT_W_B.size()); ++i) OPT_W_B[i]->move((i + 1) * kButtonSize, bottom);
  setFixedSize(kWidth, WindowHeight(selectorHeight));
}

void CMD_WIN::BuildGroups() {
  for (int g = 0; g < kNormalGroups; ++g) {
    ROOT_M[g] = new QWidget(this);
    ROOT_M[g]->setGeometry(0, kSelectorHeight, kWidth, kGroupHeight);
    for (const Slot& s : NormalGroupSlots(g))
      MakeButton(s.family, s.index, ROOT_M[g], s.column * kButtonSize, s.row * kButtonSize);
  }
  QWidget* files = ROOT_M[2];
  for (const FileSlot& s : FileGroupSlots()) MakeButton(Family::File, s.index, files, s.x, s.y);
  const int captionStep = kFileCaptionHeight + kButtonSize;
  for (const auto& [text, row] : {std::pair{"Load", 0}, std::pair{"Save", 1}}) {
    auto* caption = new QLabel(QString::fromLatin1(text), files);
    QFont f = caption->font();
    f.setPixelSize(kFileCaptionHeight - 2);
    caption->setFont(f);
    caption->setGeometry(2, row * captionStep, kWidth - 2, kFileCaptionHeight);
  }
  for (int g = 0; g < kExpansionGroups; ++g) {
    EXP_M[g] = new QWidget(this);
    EXP_M[g]->setGeometry(0, kExpansionSelectorHeight, kWidth, kGroupHeight);
    for (const Slot& s : ExpansionGroupSlots(g))
      MakeButton(s.family, s.index, EXP_M[g], s.column * kButtonSize, s.row * kButtonSize);
  }
}

QPixmap& CMD_WIN::StripOf(Family family) {
  switch (family) {
    case Family::Cmd:
      return cmdStrip_;
    case Family::Edit:
      return expM2Strip_;
    case Family::File:
      return fileStrip_;
    case Family::Sys:
      return sysStrip_;
    case Family::Efct:
      return efctStrip_;
    case Family::ExpM1:
      return expM1Strip_;
    case Family::ExpM2:
      return expM2Strip_;
    case Family::ExpB:
      return expBStrip_;
    case Family::RootB:
      return rootStrip_;
    case Family::OptW:
      return optWStrip_;
  }
  return cmdStrip_;
}

StripButton* CMD_WIN::MakeButton(Family family, int i, QWidget* parent, int x, int y) {
  auto* b = new StripButton(StripOf(family), StripCell(family, i), parent);
  b->move(x, y);
  b->setToolTip(commandTip(family, i));
  auto onClick = [this, b](auto handler) { connect(b, &QAbstractButton::clicked, this, handler); };
  switch (family) {
    case Family::Cmd:
      CMD_B[i] = b;
      onClick([this, i] { CMD_B_Click(i); });
      connect(b, &StripButton::mouseDown, this,
              [this, i](Qt::MouseButton m) { CMD_B_MouseDown(i, m); });
      break;
    case Family::Edit:
      EDIT_B[i] = b;
      onClick([this, i] { EDIT_B_Click(i); });
      break;
    case Family::File:
      FILE_B[i] = b;
      onClick([this, i] { FILE_B_Click(i); });
      connect(b, &StripButton::mouseDown, this,
              [this, i](Qt::MouseButton m) { FILE_B_MouseDown(i, m); });
      break;
    case Family::Sys:
      SYS_B[i] = b;
      onClick([this, i] { SYS_B_Click(i); });
      break;
    case Family::Efct:
      EFCT_B[i] = b;
      onClick([this, i] { EFCT_B_Click(i); });
      break;
    case Family::ExpM1:
      EXP_M1[i] = b;
      onClick([this, i] { EXP_M1_Click(i); });
      connect(b, &StripButton::mouseDown, this,
              [this, i](Qt::MouseButton m) { EXP_M1_MouseDown(i, m); });
      break;
    case Family::ExpM2:
      EXP_M2[i] = b;
      onClick([this, i] { EXP_M2_Click(i); });
      break;
    case Family::ExpB:
      EXP_B[i] = b;
      onClick([this, i] { EXP_B_Click(i); });
      break;
    case Family::RootB:
      ROOT_B[i] = b;
      onClick([this, i] { ROOT_B_Click(i); });
      break;
    case Family::OptW:
      OPT_W_B[i] = b;
      onClick([this, i] { OPT_W_B_Click(i); });
      break;
  }
  return b;
}

// ---------------------------------------------------------------------------
// Window load and unload

void CMD_WIN::showEvent(QShowEvent* ev) {
  // The first showing is the window's load: the program folder and the
  // settings are known only by then.
  if (!loaded_) Load();
  QWidget::showEvent(ev);
}

void CMD_WIN::LoadStrips() {
  const auto load = [this](QPixmap& strip, const char* name) {
    strip = QPixmap(e_.AppPath + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".bmp"));
  };
  load(cmdStrip_, "CMD_B_IMG");
  load(efctStrip_, "EFCT_B_IMG");
  load(expM1Strip_, "EXP_M1_IMG");
  load(expM2Strip_, "EXP_M2_IMG");
  load(expBStrip_, "EXP_B_IMG");
  load(sysStrip_, "SYS_B_IMG");
  load(fileStrip_, "FILE_B_IMG");
  load(rootStrip_, "ROOT_B_IMG");
  load(optWStrip_, "OPT_W_IMG");
  load(undoStrip_, "UNDO_CMD_IMG");
}

void CMD_WIN::Load() {
  loaded_ = true;
  setWindowTitle(e_.TitlePrefix);
  // The stored top (CMWT) is not used: the palette goes below the colour window.
  PlaceBelowColourWindow(e_.settings.COWT);

  e_.NormalGroup = 0;
  e_.ExpansionGroup = 0;
  SelectedToolButton = 0;
  SelectedMagnifyButton = -1;
  SelectedFileButton = -1;
  SelectedExpansionToolButton = -1;
  SelectedZoomItem = -1;

  LoadStrips();
  for (QWidget* g : ROOT_M) g->hide();
  for (QWidget* g : EXP_M) g->hide();
  ShowNormalLayout();
  for (Strip s :
       {Strip::Tools, Strip::Magnify, Strip::File, Strip::NormalSelector, Strip::ExpansionSelector,
        Strip::Effects, Strip::Windows, Strip::System, Strip::ExpansionTools, Strip::Zoom})
    PaintButtonStrip(s);
  UNDO->update();
  PEN_SZ_SB_Change(PEN_SZ_SB->value());
}

void CMD_WIN::PlaceBelowColourWindow(int32_t colourTopTwips) {
  const double tpp = owner_.twipsPerPixel();
  // Places are those of the window's inside, as for the main window: the
  // window manager keeps them exactly, whatever its frames.
  const int colourHeight = colourWindow_ ? colourWindow_->frameGeometry().height() : 0;
  const int32_t top =
      PaletteTopTwips(colourTopTwips, static_cast<int32_t>(std::nearbyint(colourHeight * tpp)));
  setGeometry(toPixels(e_.settings.CMWL, tpp), toPixels(top, tpp), width(), height());
  // Below a colour window near the bottom of the screen the palette would be
  // out of reach. Until it is framed itself, its frame is taken to be like
  // the colour window's.
  const QMargins own = frameMargins(this);
  keepOnScreen(this, own.isNull() && colourWindow_ ? frameMargins(colourWindow_) : own);
  placedAt_ = geometry().topLeft();
}

void CMD_WIN::ColourWindowFramed() {
  if (!loaded_ || geometry().topLeft() != placedAt_) return;
  if (!colourWindow_) return;
  PlaceBelowColourWindow(
      static_cast<int32_t>(std::nearbyint(colourWindow_->geometry().y() * owner_.twipsPerPixel())));
}

void CMD_WIN::StorePosition() {
  if (!loaded_) return;
  const double tpp = owner_.twipsPerPixel();
  e_.settings.CMWT = static_cast<int32_t>(std::nearbyint(geometry().y() * tpp));
  e_.settings.CMWL = static_cast<int32_t>(std::nearbyint(geometry().x() * tpp));
}

void CMD_WIN::closeEvent(QCloseEvent* ev) {
  StorePosition();
  QWidget::closeEvent(ev);
}

// ---------------------------------------------------------------------------
// Painting and highlighting

void CMD_WIN::PaintFamily(Family family, int selected) {
  auto paint = [&](auto& buttons) {
    for (int i = 0; i < int(buttons.size()); ++i)
      if (buttons[i]) buttons[i]->setFace(StripCell(family, i), i == selected ? 1 : 0);
  };
  switch (family) {
    case Family::Cmd:
      paint(CMD_B);
      break;
    case Family::Edit:
      paint(EDIT_B);
      break;
    case Family::File:
      paint(FILE_B);
      break;
    case Family::Sys:
      paint(SYS_B);
      break;
    case Family::Efct:
      paint(EFCT_B);
      break;
    case Family::ExpM1:
      paint(EXP_M1);
      break;
    case Family::ExpM2:
      paint(EXP_M2);
      break;
    case Family::ExpB:
      paint(EXP_B);
      break;
    case Family::RootB:
      paint(ROOT_B);
      break;
    case Family::OptW:
      paint(OPT_W_B);
      break;
  }
}

void CMD_WIN::PaintButtonStrip(Strip strip) {
  switch (strip) {
    case Strip::Tools:
      PaintFamily(Family::Cmd, SelectedToolButton);
      break;
    case Strip::Magnify:
      PaintFamily(Family::Edit, SelectedMagnifyButton);
      break;
    case Strip::File: {
      PaintFamily(Family::File, SelectedFileButton);
      // The scanner button needs a scanner add-in; the add-in registry tells
      // once it exists, until then there is none.
      const bool hasTwainScan = false;
      FILE_B[7]->setVisible(hasTwainScan);
      FILE_B[7]->setEnabled(hasTwainScan);
      break;
    }
    case Strip::NormalSelector:
      PaintFamily(Family::RootB, e_.NormalGroup);
      break;
    case Strip::ExpansionSelector:
      PaintFamily(Family::ExpB, e_.ExpansionGroup);
      break;
    case Strip::Effects:
      PaintFamily(Family::Efct, -1);
      break;
    case Strip::System:
      PaintFamily(Family::Sys, -1);
      break;
    case Strip::ExpansionTools:
      PaintFamily(Family::ExpM1, -1);
      break;
    case Strip::Zoom:
      PaintFamily(Family::ExpM2, -1);
      break;
    case Strip::Windows:
      // A window that is up (shown from the settings at start-up) keeps its
      // button switched on.
      PaintFamily(Family::OptW, -1);
      PressWindowButton(0, e_.settings.BEWD == 1 ? 1 : 0);
      PressWindowButton(2, e_.settings.MLDS == 1 ? 1 : 0);
      break;
  }
}

namespace {
// Moves a highlight within one row of buttons; -1 only clears the old one.
template <typename Buttons>
void moveHighlight(Buttons& buttons, int32_t& selected, int i, Family family) {
  if (selected >= 0 && selected < int(buttons.size()) && buttons[selected])
    buttons[selected]->setFace(StripCell(family, selected), 0);
  if (i < 0 || i >= int(buttons.size()) || !buttons[i]) return;
  selected = i;
  buttons[i]->setFace(StripCell(family, i), 1);
}
}  // namespace

void CMD_WIN::HighlightToolButton(int i) {
  moveHighlight(CMD_B, SelectedToolButton, i, Family::Cmd);
}
void CMD_WIN::HighlightMagnifyButton(int i) {
  moveHighlight(EDIT_B, SelectedMagnifyButton, i, Family::Edit);
}
void CMD_WIN::HighlightExpansionToolButton(int i) {
  moveHighlight(EXP_M1, SelectedExpansionToolButton, i, Family::ExpM1);
}
void CMD_WIN::HighlightZoomItem(int i) {
  moveHighlight(EXP_M2, SelectedZoomItem, i, Family::ExpM2);
}
void CMD_WIN::HighlightFileButton(int i) {
  moveHighlight(FILE_B, SelectedFileButton, i, Family::File);
}

void CMD_WIN::ShowNormalGroup(int i) {
  ROOT_B[e_.NormalGroup]->setFace(e_.NormalGroup, 0);
  ROOT_M[e_.NormalGroup]->hide();
  if (i < 0 || i >= kNormalGroups) return;
  e_.NormalGroup = i;
  ROOT_B[i]->setFace(i, 1);
  ROOT_M[i]->show();
  ROOT_M[i]->raise();
}

void CMD_WIN::ShowExpansionGroup(int i) {
  EXP_B[e_.ExpansionGroup]->setFace(e_.ExpansionGroup, 0);
  EXP_M[e_.ExpansionGroup]->hide();
  if (i < 0 || i >= kExpansionGroups) return;
  e_.ExpansionGroup = i;
  EXP_B[i]->setFace(i, 1);
  EXP_M[i]->show();
  EXP_M[i]->raise();
}

void CMD_WIN::PressWindowButton(int i, int state) {
  OPT_W_B[i]->setFace(i, state == 1 ? 1 : 0);
  OPT_W_B[i]->repaint();
}

// The normal layout hides every part of the expansion layout, so no
// expansion group shows through a normal one.
void CMD_WIN::ShowNormalLayout() {
  expansionLayout_ = false;
  EXP_B_BASE->lower();
  EXP_B_BASE->hide();
  for (QWidget* g : EXP_M) g->hide();
  ROOT_B_BASE->show();
  ROOT_B_BASE->raise();
  ROOT_M[e_.NormalGroup]->show();
  ROOT_M[e_.NormalGroup]->raise();
  PlaceRowsBelowSelector(kSelectorHeight);
}

void CMD_WIN::EnterExpansionLayout() {
  expansionLayout_ = true;
  ROOT_B_BASE->hide();
  ROOT_M[e_.NormalGroup]->hide();
  EXP_B_BASE->show();
  EXP_B_BASE->raise();
  PlaceRowsBelowSelector(kExpansionSelectorHeight);
  ShowExpansionGroup(0);
  // The magnifier hands over to the expansion tool chosen last: its button
  // says so from the start.
  HighlightExpansionToolButton(ExpansionToolButton(e_.LastExpansionTool));
}

// ---------------------------------------------------------------------------
// Undo button and pen size

void CMD_WIN::EnableUndoButton(UndoButton state) {
  UNDO->setEnabled(state == UndoButton::Enabled);
}

void CMD_WIN::StepPenSize(int delta) { PEN_SZ_SB->setValue(PEN_SZ_SB->value() + delta); }

void CMD_WIN::PEN_SZ_SB_Change(int value) {
  PEN_SZ->setText(QStringLiteral(" ") + QString::number(value));
  e_.PenSize = value;
}

void CMD_WIN::UNDO_Click() { Undo(owner_); }

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

void CMD_WIN::ShowSettingsWindow(SettingsWindow w) {
  RequestedSettingsWindow = w;
  // The tool settings windows (fuzzy tolerance, spray, brightness, depth)
  // open here, modeless and owned by the main window, once they exist.
}

// ---------------------------------------------------------------------------
// Tool buttons

void CMD_WIN::CMD_B_MouseDown(int, Qt::MouseButton button) {
  RightClickPending = button == Qt::RightButton ? 1 : 0;
}

void CMD_WIN::CMD_B_Click(int i) {
  if (i < 0 || i >= int(CMD_B.size())) return;
  // A shape waiting for its next click ends here, as the right button ends it.
  owner_.EndPendingGesture();
  HighlightMagnifyButton(-1);
  HighlightToolButton(i);
  int code = e_.ToolCode;
  if (i == 18 && e_.settings.SZWM != 1) {
    code = 0;
    ShowNeedsNormalDrawingMode();
  } else if (i == 19) {
    if (ClipboardHasPicture() == 0) {
      raster::Surface piece;
      switch (ReadClipboardPicture(piece)) {
        case ClipboardRead::Ok:
          // The work surface takes the clipboard's picture and floats it.
          e_.WORK = std::move(piece);
          code = 19;
          break;
        case ClipboardRead::TooLarge:
          ShowTooLargeMessage();
          break;
        case ClipboardRead::NoPicture:
          ShowNoPictureMessage();
          break;
      }
    }
  } else if (i == 20) {
    // The text window (WORD_WIN) opens here, modeless, once it exists; the
    // tool stays as it is until its OK arms the text.
  } else {
    code = *CmdButtonToolCode(i, e_.settings.LMOD);
  }
  owner_.SelectTool(code);
  RequestedSettingsWindow = SettingsWindow::None;
  if (RightClickPending == 1) ShowSettingsWindow(CmdButtonSettingsWindow(i));
}

void CMD_WIN::EDIT_B_Click(int i) {
  HighlightToolButton(-1);
  HighlightMagnifyButton(i);
  owner_.SelectTool(MagnifyToolCode(i));
  // Leaves the tool button highlighted beside the magnifier: the magnifier
  // is one-shot and returns to a tool.
  PaintButtonStrip(Strip::Tools);
}

void CMD_WIN::EFCT_B_Click(int) {
  // The whole-picture effects (rotations, mirror, merge, special options)
  // start here once they exist.
}

void CMD_WIN::ROOT_B_Click(int i) { ShowNormalGroup(i); }
void CMD_WIN::EXP_B_Click(int i) { ShowExpansionGroup(i); }

// ---------------------------------------------------------------------------
// Expansion layout

void CMD_WIN::EXP_M1_MouseDown(int, Qt::MouseButton button) {
  RightClickPending = button == Qt::RightButton ? 1 : 0;
}

void CMD_WIN::EXP_M1_Click(int i) {
  owner_.EndPendingGesture();
  HighlightExpansionToolButton(i);
  const int code = ExpansionToolCode(i, e_.settings.LMOD, e_.ToolCode);
  e_.LastExpansionTool = code;
  owner_.SelectTool(code);
  RequestedSettingsWindow = SettingsWindow::None;
  if (RightClickPending == 1) ShowSettingsWindow(ExpansionToolSettingsWindow(e_.ToolCode));
}

void CMD_WIN::EXP_M2_Click(int i) {
  owner_.EndPendingGesture();
  HighlightZoomItem(i);
  const int factor = ZoomItemFactor(i);
  if (i == 0) {
    ShowNormalLayout();
    HighlightMagnifyButton(-1);
    owner_.SelectTool(tool::NoSelect);
    HighlightZoomItem(-1);
  }
  if (factor > e_.ZoomFactor) {
    // Zooming in waits for the press on the canvas that says where.
    owner_.SelectTool(tool::Magnify + factor);
    return;
  }
  if (factor == e_.ZoomFactor) return;

  // Zooming out happens at once, about the middle of the canvas.
  if (i != 0) ShowExpansionGroup(0);
  owner_.DRAW->hide();
  owner_.SetPointer(QStringLiteral("WAIT"));
  owner_.ZoomTo(owner_.DRAW->width() / 2, owner_.DRAW->height() / 2, factor);
  if (e_.ToolCode == tool::ExpCopyFloating) {
    // A copied piece floating over the old view has nowhere to land.
    e_.ToolCode = tool::ExpCopy;
    e_.WorkShown = false;
  }
  owner_.DRAW->show();
  owner_.ShowToolName();
}

// ---------------------------------------------------------------------------
// System and window buttons

void CMD_WIN::SYS_B_Click(int i) {
  if (i < 0 || i >= int(SYS_B.size()) || !SYS_B[i]) return;
  SYS_B[i]->setFace(i, 1);
  SYS_B[i]->repaint();
  switch (i) {
    case 0:
      // The main window's close runs the quit routine.
      owner_.close();
      break;
    case 2:
      // The settings window (SET_WIN) opens here once it exists.
      break;
    case 3:
    case 4:
      // The hand-over to the program of launcher slot i - 3 runs here once
      // the launcher exists.
      break;
    default:
      break;
  }
  SYS_B[i]->setFace(i, 0);
}

void CMD_WIN::OPT_W_B_Click(int i) {
  switch (i) {
    case 0:
      if (e_.settings.BEWD != 1) {
        e_.settings.BEWD = 1;
        // The overview window is sized and drawn (when BEAU is 1) and shown
        // here, modeless and owned by the main window, once it exists.
        PressWindowButton(0, 1);
      } else {
        e_.settings.BEWD = 0;
        // The overview window's place and size go into BEWT, BEWL, BEWW and
        // BEWH and it is hidden here, once it exists.
        PressWindowButton(0, 0);
      }
      break;
    case 1:
      PressWindowButton(1, 1);
      ShowHelpContents(&owner_, e_.AppPath);
      PressWindowButton(1, 0);
      break;
    case 2:
      if (e_.settings.MLDS == 1) {
        e_.settings.MLDS = 0;
        PressWindowButton(2, 0);
        // The magnifier window (LUPE_WIN) closes here once it exists.
      } else {
        e_.settings.MLDS = 1;
        PressWindowButton(2, 1);
        // The magnifier window (LUPE_WIN) is shown here, modeless and owned
        // by the main window, once it exists.
      }
      break;
    default:
      break;
  }
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
      // The picture size window (SIZE_WIN) is shown here, modally, once it exists.
      break;
    case 5:
      NewPicture();
      break;
    case 6:
      // The print window (PRT_WIN) is shown here, modally, once it exists.
      break;
    case 7:
      // The scanner add-in runs here once the add-in registry exists (the
      // button is hidden until then).
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
