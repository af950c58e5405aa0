#include "editor/palette/CMD_WIN.h"

#include <QCloseEvent>
#include <cmath>

#include "editor/core/FloatingPiece.h"
#include "editor/core/P_WIN.h"
#include "editor/core/ToolTable.h"
#include "editor/core/Undo.h"
#include "editor/launch/LaunchSlot.h"
#include "editor/palette/ClipboardPicture.h"
#include "editor/palette/PaletteLayout.h"
#include "platform/FloatingWindow.h"
#include "platform/HelpWindow.h"

namespace tupalo {

using namespace palette;

namespace {

const QColor kFaceColour(212, 208, 200);  // the strips' button face

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

// ---------------------------------------------------------------------------
// Window load and unload

void CMD_WIN::showEvent(QShowEvent* ev) {
  // The first showing is the window's load: the program folder and the
  // settings are known only by then.
  if (!loaded_) Load();
  QWidget::showEvent(ev);
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
// Undo button and pen size

void CMD_WIN::EnableUndoButton(UndoButton state) { UNDO->setEnabled(state == UndoButton::Enabled); }

void CMD_WIN::StepPenSize(int delta) { PEN_SZ_SB->setValue(PEN_SZ_SB->value() + delta); }

void CMD_WIN::PEN_SZ_SB_Change(int value) {
  PEN_SZ->setText(QStringLiteral(" ") + QString::number(value));
  e_.PenSize = value;
}

void CMD_WIN::UNDO_Click() { Undo(owner_); }

void CMD_WIN::ShowSettingsWindow(SettingsWindow w) {
  RequestedSettingsWindow = w;
  // The window itself belongs to the main window; whoever assembled the
  // editor opens it.
  if (w != SettingsWindow::None) emit settingsWindowAsked(w);
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
          FloatPicture(e_, std::move(piece));
          code = tool::CopyFromClipboard;
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
    // The tool stays as it is until the text window's OK arms the text.
  } else {
    code = *CmdButtonToolCode(i, e_.settings.LMOD);
  }
  owner_.SelectTool(code);
  RequestedSettingsWindow = SettingsWindow::None;
  if (RightClickPending == 1) ShowSettingsWindow(CmdButtonSettingsWindow(i));
  if (i == 20) emit textWindowAsked();
}

void CMD_WIN::EDIT_B_Click(int i) {
  HighlightToolButton(-1);
  HighlightMagnifyButton(i);
  owner_.SelectTool(MagnifyToolCode(i));
  // Leaves the tool button highlighted beside the magnifier: the magnifier
  // is one-shot and returns to a tool.
  PaintButtonStrip(Strip::Tools);
}

void CMD_WIN::EFCT_B_Click(int i) {
  if (i < 0 || i >= int(EFCT_B.size()) || !EFCT_B[i]) return;
  // The pressed face shows while the click is handled.
  EFCT_B[i]->setFace(i, 1);
  EFCT_B[i]->repaint();
  switch (i) {
    case 0:
      RunEffect(Turn::Right);
      break;
    case 1:
      RunEffect(Turn::Left);
      break;
    case 2:
      RunEffect(Turn::Half);
      break;
    case 3:
      RunEffect(Turn::Mirror);
      break;
    case 4: {
      // The merge starts from a blank second picture: merging before one is
      // loaded leaves the picture's white pixels white.
      e_.WORK.resize(10, 10);
      e_.WORK.fill(0xFFFFFFFFu);
      owner_.SelectTool(tool::NoSelect);
      HighlightToolButton(-1);
      emit mergeAsked();
      break;
    }
    case 5:
      emit specialOptionsAsked();
      break;
    default:
      break;
  }
  EFCT_B[i]->setFace(i, 0);
}

void CMD_WIN::RunEffect(Turn t) {
  // A gesture under way ends first: a floating piece, an armed text or a
  // shape waiting for its next click has no place on the turned picture.
  owner_.SelectTool(tool::NoSelect);
  HighlightToolButton(-1);
  owner_.TurnWholePicture(t);
  e_.ToolCode = tool::NoSelect;
  HighlightToolButton(-1);
  owner_.ShowToolName();
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
      emit settingsAsked();
      break;
    case 3:
    case 4:
      // The hand-over to the program of launcher slot i - 3; on success the
      // editor is closing.
      SYS_B[i]->setFace(i, 0);
      LaunchSlot(owner_, i - 3);
      return;
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
        emit windowButtonSwitched(0, true);
        PressWindowButton(0, 1);
      } else {
        e_.settings.BEWD = 0;
        emit windowButtonSwitched(0, false);
        PressWindowButton(0, 0);
      }
      break;
    case 1:
      PressWindowButton(1, 1);
      owner_.help.ShowContents(e_.AppPath);
      PressWindowButton(1, 0);
      break;
    case 2:
      if (e_.settings.MLDS == 1) {
        e_.settings.MLDS = 0;
        PressWindowButton(2, 0);
        emit windowButtonSwitched(2, false);
      } else {
        e_.settings.MLDS = 1;
        PressWindowButton(2, 1);
        emit windowButtonSwitched(2, true);
      }
      break;
    default:
      break;
  }
}

}  // namespace tupalo
