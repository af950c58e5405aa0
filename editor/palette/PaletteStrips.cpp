// The command palette's buttons: made from their strips, painted normal or
// highlighted, and the two layouts that show one group of them at a time.
#include <QLabel>

#include "editor/core/P_WIN.h"
#include "editor/core/ToolTable.h"
#include "editor/palette/CMD_WIN.h"
#include "editor/palette/PaletteLayout.h"

namespace tupalo {

using namespace palette;

namespace {

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

}  // namespace

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
      // The scanner button needs a scanner add-in.
      const bool hasTwainScan = e_.addins.HasTwainScan == 1;
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

}  // namespace tupalo
