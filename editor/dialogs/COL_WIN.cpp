#include "editor/dialogs/COL_WIN.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <cmath>

#include "editor/core/P_WIN.h"
#include "editor/core/ToolTable.h"
#include "editor/dialogs/ColourWindowMath.h"
#include "platform/FloatingWindow.h"

namespace tupalo {

using namespace colwin;

namespace {

QColor qcolor(Rgb c) { return QColor(c.r, c.g, c.b); }

}  // namespace

void COL_WIN::ShowModeHint() {
  modeHint_->setText(WriteMode == 1 ? QStringLiteral("クリックで登録")
                                    : QStringLiteral("クリックで取得"));
}

// ---------------------------------------------------------------------------
// Load, close, place

void COL_WIN::showEvent(QShowEvent* ev) {
  // The first showing is the window's load: the settings are known only by then.
  if (!loaded_) Load();
  QWidget::showEvent(ev);
}

void COL_WIN::Load() {
  loaded_ = true;
  setWindowTitle(e_.TitlePrefix + QStringLiteral("カラー"));
  const double tpp = owner_.twipsPerPixel();
  setGeometry(int(std::nearbyint(e_.settings.COWL / tpp)),
              int(std::nearbyint(e_.settings.COWT / tpp)), width(), height());
  RgbBusy = 0;
  HsvBusy = 0;
  WriteMode = 0;
  Command4->setEnabled(true);
  Command4->show();
  Command4->raise();
  ShowModeHint();
  e_.colours.CurrentColourPage = 0;
  if (Combo1->count() > 0) Combo1->setCurrentIndex(0);
  ShowPage(0);

  for (QWidget* p : CSEL_BASE) {
    p->hide();
    p->move(0, 0);
  }
  ShowPanel(e_.settings.CSEL);
  // What the boxes and bars show comes from the colours start-up set.
  ShowSwatches();
  LoadEditedColor();
  DrawRgbBars();
  if (e_.settings.CSEL == 1) {
    WriteRgbBars();
    WriteHsvBars();
  }
  PaintSwatchFrames();
  frameChecks_ = 0;
  frameWatch_.start();
}

// The window manager frames the window some time after it was first shown;
// only then are its full height and its title bar's place known.
void COL_WIN::CheckFrame() {
  const bool hasFrame = frameGeometry().size() != size();
  if (!hasFrame && ++frameChecks_ < 40) return;
  frameWatch_.stop();
  if (!hasFrame) return;  // no window manager: nothing to wait for
  // Places are those of the window's inside; at the top of the screen that
  // would leave the title bar, and with it the only handle, off the screen.
  keepOnScreen(this, frameMargins(this));
  emit framed();
}

void COL_WIN::closeEvent(QCloseEvent* ev) {
  StorePosition();
  QWidget::closeEvent(ev);
}

void COL_WIN::StorePosition() {
  if (!loaded_) return;
  const double tpp = owner_.twipsPerPixel();
  e_.settings.COWT = static_cast<int32_t>(std::nearbyint(geometry().y() * tpp));
  e_.settings.COWL = static_cast<int32_t>(std::nearbyint(geometry().x() * tpp));
}

int32_t COL_WIN::HeightTwips() const {
  return static_cast<int32_t>(std::nearbyint(frameGeometry().height() * owner_.twipsPerPixel()));
}

// ---------------------------------------------------------------------------
// Shared routines

void COL_WIN::LoadEditedColor() { e_.CurColor = e_.UseSecondColor != 0 ? e_.Color2 : e_.Color1; }

void COL_WIN::ApplyCurrentColor() { ApplyColour(/*writeBars=*/true); }

void COL_WIN::ApplyColour(bool writeBars) {
  e_.CurColor = Clamped(e_.CurColor);
  DrawRgbBars();
  if (writeBars && e_.settings.CSEL == 1) {
    WriteRgbBars();
    WriteHsvBars();
  }
  if (e_.UseSecondColor != 0) {
    e_.Color2 = e_.CurColor;
    DES_COL->setColour(qcolor(e_.Color2));
  } else {
    e_.Color1 = e_.CurColor;
    TAR_COL->setColour(qcolor(e_.Color1));
  }
}

void COL_WIN::DrawRgbBars() { COL_RGB->Draw(Clamped(e_.CurColor)); }

void COL_WIN::EndEyedropper() {
  if (e_.ToolCode != tool::ColourPick) return;
  owner_.SelectTool(PreviousToolCode);
}

void COL_WIN::PaintSwatchFrames() {
  const QColor active = qcolor(BasicColour(e_.ToolCode == tool::ColourPick ? 12 : 11));
  const QColor face = palette().color(QPalette::Button);
  TAR_COL->setFrameColour(e_.UseSecondColor == 0 ? active : face);
  DES_COL->setFrameColour(e_.UseSecondColor != 0 ? active : face);
}

void COL_WIN::ColourPicked(int which) {
  ShowSwatches();
  const bool edited = (which == 2) == (e_.UseSecondColor != 0);
  if (!edited) return;
  LoadEditedColor();
  ApplyCurrentColor();
}

void COL_WIN::ShowSwatches() {
  TAR_COL->setColour(qcolor(Clamped(e_.Color1)));
  DES_COL->setColour(qcolor(Clamped(e_.Color2)));
}

void COL_WIN::WriteRgbBars() {
  RgbBusy = 1;
  R_BAR->setValue(e_.CurColor.r);
  G_BAR->setValue(e_.CurColor.g);
  B_BAR->setValue(e_.CurColor.b);
  RgbBusy = 0;
}

void COL_WIN::WriteHsvBars() {
  const HsvBars bars = HsvBarsOf(Clamped(e_.CurColor));
  HsvBusy = 1;
  H_BAR->setValue(bars.h);
  S_BAR->setValue(bars.s);
  V_BAR->setValue(bars.v);
  HsvBusy = 0;
}

// ---------------------------------------------------------------------------
// Colour boxes

void COL_WIN::TAR_COL_Click() {
  if (e_.UseSecondColor != 0)
    SelectEditedColour(0);
  else
    ToggleEyedropper();
}

void COL_WIN::DES_COL_Click() {
  if (e_.UseSecondColor == 0)
    SelectEditedColour(1);
  else
    ToggleEyedropper();
}

void COL_WIN::SelectEditedColour(int16_t useSecond) {
  e_.UseSecondColor = useSecond;
  LoadEditedColor();
  DrawRgbBars();
  EndEyedropper();
  if (e_.settings.CSEL == 1) {
    WriteRgbBars();
    WriteHsvBars();
  }
  PaintSwatchFrames();
}

void COL_WIN::ToggleEyedropper() {
  if (e_.ToolCode == tool::ColourPick) {
    owner_.SelectTool(PreviousToolCode);
    return;
  }
  // The colour pick is a tool of its own: a shape under way ends first, and
  // the pick returns to that tool's first step.
  owner_.EndPendingGesture();
  PreviousToolCode = e_.ToolCode;
  owner_.SelectTool(tool::ColourPick);
}

// ---------------------------------------------------------------------------
// Panels

int COL_WIN::ShownPanel() const {
  for (int i = 0; i < kPanels; ++i)
    if (!CSEL_BASE[i]->isHidden()) return i;
  return -1;
}

void COL_WIN::ShowPanel(int csel) {
  const int shown = csel == 0 ? 0 : csel == 1 ? 1 : 2;
  for (int i = 0; i < kPanels; ++i)
    if (i != shown) CSEL_BASE[i]->hide();
  CSEL_BASE[shown]->show();
  CSEL_BASE[shown]->raise();
}

void COL_WIN::Command1_Click() {
  e_.settings.CSEL = 0;
  ShowPanel(0);
}

void COL_WIN::Command2_Click() {
  if (e_.settings.CSEL == 1 && ShownPanel() == 1) return;
  LoadEditedColor();
  e_.settings.CSEL = 1;
  WriteRgbBars();
  WriteHsvBars();
  ShowPanel(1);
}

void COL_WIN::Command3_Click() {
  e_.settings.CSEL = 2;
  ShowPanel(2);
}

// ---------------------------------------------------------------------------
// Bars

void COL_WIN::RGB_BAR_Change(int component, int value) {
  int32_t* parts[3] = {&e_.CurColor.r, &e_.CurColor.g, &e_.CurColor.b};
  QLabel* labels[3] = {R_VAL, G_VAL, B_VAL};
  *parts[component] = value;
  labels[component]->setText(ValueText(value));
  if (RgbBusy != 0) return;
  ApplyCurrentColor();
  EndEyedropper();
  WriteHsvBars();
}

void COL_WIN::HSV_BAR_Change(int component, int value) {
  QLabel* labels[3] = {H_VAL, S_VAL, V_VAL};
  labels[component]->setText(ValueText(value));
  if (HsvBusy != 0) return;
  e_.CurColor = RgbOfHsvBars(H_BAR->value(), S_BAR->value(), V_BAR->value());
  WriteRgbBars();
  // The rounded R, G, B must not move the H, S, V bars the user is dragging.
  ApplyColour(/*writeBars=*/false);
  EndEyedropper();
}

// ---------------------------------------------------------------------------
// Button grid

void COL_WIN::C_BUT_Click(int i) {
  e_.CurColor = RainColour(i);
  ApplyCurrentColor();
  EndEyedropper();
}

void COL_WIN::RainClick(int i, int amount) {
  LoadEditedColor();
  e_.CurColor = RainStep(e_.CurColor, i, amount);
  ApplyCurrentColor();
  EndEyedropper();
}

void COL_WIN::PP_BUT_Click(int i) { RainClick(i, 16); }
void COL_WIN::P_BUT_Click(int i) { RainClick(i, 1); }
void COL_WIN::M_BUT_Click(int i) { RainClick(i, -1); }
void COL_WIN::MM_BUT_Click(int i) { RainClick(i, -16); }

// ---------------------------------------------------------------------------
// Dictionary

void COL_WIN::FillFromDictionary() {
  const QSignalBlocker block(Combo1);
  Combo1->clear();
  for (int i = 0; i < ColourDictionary::kUsedPages; ++i)
    Combo1->addItem(e_.colours.ColourPageNames[i]);
  Combo1->setCurrentIndex(0);
  e_.colours.CurrentColourPage = 0;
  ShowPage(0);
}

void COL_WIN::ShowPage(int page) {
  e_.colours.CurrentColourPage = static_cast<int16_t>(page);
  for (int j = 0; j < kDictionaryColours; ++j) ShowDictionaryColour(j);
}

void COL_WIN::ShowDictionaryColour(int j) {
  const auto& stored = e_.colours.ColourTable[e_.colours.CurrentColourPage][j];
  const Rgb c = Clamped({stored[1], stored[2], stored[3]});
  QPalette pal = COLINDEX[j]->palette();
  pal.setColor(QPalette::Window, qcolor(c));
  pal.setColor(QPalette::WindowText, qcolor(BasicColour(WantsWhiteLetters(c) ? 15 : 0)));
  COLINDEX[j]->setPalette(pal);
}

void COL_WIN::Combo1_Click(int index) {
  // The list holds the pages in order; going by the entry rather than by its
  // name finds the right page even when two pages share a name.
  if (index < 0 || index >= ColourDictionary::kUsedPages) return;
  ShowPage(index);
}

bool COL_WIN::Combo1_KeyPress(int key) {
  if (key != Qt::Key_Tab && key != Qt::Key_Return && key != Qt::Key_Enter) return false;
  RenamePage(true);
  return true;
}

// The combo box itself, when editing ends (Enter, or the focus leaving it,
// which the message box below causes too), looks the typed text up among its
// entries and switches to the page of that name. So the text is settled here
// first: renamed, or the old name shown again, before the box gets to look.
void COL_WIN::RenamePage(bool tellUser) {
  const QString text = Combo1->currentText();
  const int page = e_.colours.CurrentColourPage;
  if (text == e_.colours.ColourPageNames[page]) return;
  for (int i = 0; i < ColourDictionary::kUsedPages; ++i) {
    if (i != page && e_.colours.ColourPageNames[i] == text) {
      ShowPageName();
      if (tellUser)
        owner_.Ask(QStringLiteral("既にその名前は使われています"), Buttons::Ok, Icon::Exclamation);
      return;
    }
  }
  e_.colours.ColourPageNames[page] = text;
  if (page < Combo1->count()) {
    const QSignalBlocker block(Combo1);
    Combo1->setItemText(page, text);
  }
  ShowPageName();
}

void COL_WIN::ShowPageName() {
  const int page = e_.colours.CurrentColourPage;
  const QSignalBlocker block(Combo1);
  if (page < Combo1->count()) Combo1->setCurrentIndex(page);
  Combo1->setEditText(e_.colours.ColourPageNames[page]);
}

bool COL_WIN::eventFilter(QObject* watched, QEvent* ev) {
  if (watched == Combo1 || watched == Combo1->lineEdit()) {
    if (ev->type() == QEvent::KeyPress) return Combo1_KeyPress(static_cast<QKeyEvent*>(ev)->key());
    // Leaving the box commits the name as Tab does. Opening its own list is
    // choosing a page instead: a name in use then quietly gives way to the
    // old one rather than a message over the opening list.
    if (ev->type() == QEvent::FocusOut)
      RenamePage(static_cast<QFocusEvent*>(ev)->reason() != Qt::PopupFocusReason);
  }
  return QWidget::eventFilter(watched, ev);
}

void COL_WIN::Command4_Click() {
  Command4->hide();
  Command4->setEnabled(false);
  WriteMode = 1;
  ShowModeHint();
}

void COL_WIN::Label7_Click() {
  Command4->setEnabled(true);
  Command4->show();
  WriteMode = 0;
  ShowModeHint();
}

void COL_WIN::COLINDEX_Click(int j) {
  if (j < 0 || j >= kDictionaryColours) return;
  auto& stored = e_.colours.ColourTable[e_.colours.CurrentColourPage][j];
  if (WriteMode == 1) {
    const Rgb c = Clamped(e_.UseSecondColor != 0 ? e_.Color2 : e_.Color1);
    stored[1] = static_cast<int16_t>(c.r);
    stored[2] = static_cast<int16_t>(c.g);
    stored[3] = static_cast<int16_t>(c.b);
    ShowDictionaryColour(j);
    return;
  }
  e_.CurColor = {stored[1], stored[2], stored[3]};
  ApplyCurrentColor();
  EndEyedropper();
}

}  // namespace tupalo
