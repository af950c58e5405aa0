#include "editor/pixel/ToolSettingsWindows.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "editor/core/P_WIN.h"
#include "editor/pixel/ToolSettings.h"
#include "platform/FloatingWindow.h"

namespace tupalo {

using namespace toolsettings;

namespace {

// Numbers in labels carry a leading blank in place of a plus sign.
QString number(int v) {
  return v < 0 ? QString::number(v) : QStringLiteral(" ") + QString::number(v);
}

QScrollBar* makeBar(QWidget* parent, const char* name, BarRange range, int largeStep) {
  auto* bar = new QScrollBar(Qt::Horizontal, parent);
  bar->setObjectName(QLatin1String(name));
  bar->setRange(range.min, range.max);
  bar->setPageStep(largeStep);
  bar->setSingleStep(1);
  // The keyboard stays with the canvas.
  bar->setFocusPolicy(Qt::NoFocus);
  bar->setMinimumWidth(160);
  return bar;
}

QLabel* makeLabel(const QString& text, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setTextFormat(Qt::PlainText);
  return l;
}

// A value label wide enough for three digits, so the window keeps its size.
QLabel* makeValueLabel(QWidget* parent, const char* name) {
  QLabel* l = makeLabel(QString(), parent);
  l->setObjectName(QLatin1String(name));
  l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral(" 000")) + 4);
  return l;
}

// The window's one frame, with a grid for its rows; the Default button, when
// the window has one, goes below it on the right.
QGridLayout* makeFrame(QWidget* w, const QString& title) {
  auto* outer = new QVBoxLayout(w);
  outer->setSizeConstraint(QLayout::SetFixedSize);
  auto* frame = new QGroupBox(title, w);
  outer->addWidget(frame);
  return new QGridLayout(frame);
}

QPushButton* makeDefaultButton(QWidget* w) {
  auto* b = new QPushButton(QStringLiteral("Default"), w);
  b->setObjectName(QStringLiteral("Command3"));
  b->setFocusPolicy(Qt::NoFocus);
  static_cast<QVBoxLayout*>(w->layout())->addWidget(b, 0, Qt::AlignRight);
  return b;
}

}  // namespace

// ---------------------------------------------------------------------------
// Load and unload

ToolSettingsWindow::ToolSettingsWindow(SettingsWindow kind, const char* caption, Editor& e,
                                       P_WIN& owner, QWidget* palette)
    : QWidget(&owner, Qt::Tool),
      e_(e),
      kind_(kind),
      caption_(QString::fromUtf8(caption)),
      owner_(owner),
      palette_(palette) {
  // Moving a bar must not take the keyboard from the canvas.
  makeToolWindow(this, /*closeButton=*/true, /*takeFocus=*/false);
}

void ToolSettingsWindow::Open() {
  if (!loaded()) {
    shown_ = 1;
    setWindowTitle(e_.TitlePrefix + caption_);
    PlaceOverPalette();
    SetBars();
  }
  aside_ = false;
  showToolWindow(this);
  raise();
}

void ToolSettingsWindow::Unload() {
  if (loaded()) {
    Unloading();
    shown_ = 0;
  }
  aside_ = false;
  hide();
}

void ToolSettingsWindow::SetAside(bool aside) {
  if (aside) {
    if (!loaded() || !isVisible()) return;
    aside_ = true;
    hide();
  } else if (aside_) {
    aside_ = false;
    showToolWindow(this);
  }
}

void ToolSettingsWindow::closeEvent(QCloseEvent* ev) {
  Unload();
  ev->accept();
}

void ToolSettingsWindow::PlaceOverPalette() {
  if (!palette_) return;
  layout()->activate();  // the window's own size first
  // Over the palette's top-left corner, 15 twips up and to the left.
  const double tpp = owner_.twipsPerPixel();
  auto place = [tpp](int pixels) {
    const long twips = std::max(0L, std::lround(pixels * tpp) - 15);
    return static_cast<int>(std::lround(twips / tpp));
  };
  const QPoint corner = palette_->geometry().topLeft();
  setGeometry(place(corner.x()), place(corner.y()), width(), height());
  // A palette at the screen's edge must not push the window out of reach.
  keepOnScreen(this, frameMargins(palette_));
}

// ---------------------------------------------------------------------------
// FUZZY_WIN

FUZZY_WIN::FUZZY_WIN(Editor& e, P_WIN& owner, QWidget* palette)
    : ToolSettingsWindow(SettingsWindow::Fuzzy, " Fuzzy設定", e, owner, palette) {
  setObjectName(QStringLiteral("FUZZY_WIN"));
  QGridLayout* grid = makeFrame(this, QStringLiteral("似た色の条件"));
  H_BAR = makeBar(this, "H_BAR", kHue, 16);
  S_BAR = makeBar(this, "S_BAR", kSaturation, 16);
  V_BAR = makeBar(this, "V_BAR", kValue, 16);
  H_VAL = makeValueLabel(this, "H_VAL");
  S_VAL = makeValueLabel(this, "S_VAL");
  V_VAL = makeValueLabel(this, "V_VAL");
  const char* const names[3] = {"H", "S", "V"};
  QScrollBar* const bars[3] = {H_BAR, S_BAR, V_BAR};
  QLabel* const values[3] = {H_VAL, S_VAL, V_VAL};
  for (int i = 0; i < 3; ++i) {
    grid->addWidget(makeLabel(QLatin1String(names[i]), this), i, 0);
    grid->addWidget(bars[i], i, 1);
    grid->addWidget(makeLabel(QStringLiteral("±"), this), i, 2);
    grid->addWidget(values[i], i, 3);
  }
  Command3 = makeDefaultButton(this);
  connect(H_BAR, &QScrollBar::valueChanged, this, [this](int v) { H_BAR_Change(v); });
  connect(S_BAR, &QScrollBar::valueChanged, this, [this](int v) { S_BAR_Change(v); });
  connect(V_BAR, &QScrollBar::valueChanged, this, [this](int v) { V_BAR_Change(v); });
  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
}

void FUZZY_WIN::SetBars() {
  H_BAR->setValue(e_.settings.FUZH);
  S_BAR->setValue(e_.settings.FUZS);
  V_BAR->setValue(e_.settings.FUZV);
  // The bars keep to their ranges; the settings follow them.
  H_BAR_Change(H_BAR->value());
  S_BAR_Change(S_BAR->value());
  V_BAR_Change(V_BAR->value());
}

void FUZZY_WIN::H_BAR_Change(int value) {
  H_VAL->setText(number(value));
  e_.settings.FUZH = kHue.clamp(value);
}

void FUZZY_WIN::S_BAR_Change(int value) {
  S_VAL->setText(number(value));
  e_.settings.FUZS = kSaturation.clamp(value);
}

void FUZZY_WIN::V_BAR_Change(int value) {
  V_VAL->setText(number(value));
  e_.settings.FUZV = kValue.clamp(value);
}

void FUZZY_WIN::Command3_Click() {
  e_.settings.FUZH = e_.settings.FUZS = e_.settings.FUZV = kFuzzyDefault;
  SetBars();
}

// ---------------------------------------------------------------------------
// SPRAY_WIN

SPRAY_WIN::SPRAY_WIN(Editor& e, P_WIN& owner, QWidget* palette)
    : ToolSettingsWindow(SettingsWindow::Spray, " Spray設定", e, owner, palette) {
  setObjectName(QStringLiteral("SPRAY_WIN"));
  QGridLayout* grid = makeFrame(this, QStringLiteral("強さ"));
  // The bar's own value counts from the left; the interval runs the other
  // way, so that its arrows and its trough move the thumb as they should.
  I_BAR = makeBar(this, "I_BAR", kSprayInterval, 16);
  grid->addWidget(makeLabel(QStringLiteral("弱"), this), 0, 0);
  grid->addWidget(I_BAR, 0, 1);
  grid->addWidget(makeLabel(QStringLiteral("強"), this), 0, 2);
  Command3 = makeDefaultButton(this);
  connect(I_BAR, &QScrollBar::valueChanged, this, [this](int v) { I_BAR_Change(v); });
  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
}

int SPRAY_WIN::IntervalAt(int position) {
  return kSprayInterval.max + kSprayInterval.min - position;
}

void SPRAY_WIN::SetBars() {
  // The position of an interval is found the same way back.
  I_BAR->setValue(IntervalAt(e_.settings.SPRI));
  I_BAR_Change(I_BAR->value());
}

void SPRAY_WIN::I_BAR_Change(int position) {
  e_.settings.SPRI = kSprayInterval.clamp(IntervalAt(position));
}

void SPRAY_WIN::Command3_Click() {
  e_.settings.SPRI = kSprayDefault;
  SetBars();
}

// ---------------------------------------------------------------------------
// HSET_WIN

HSET_WIN::HSET_WIN(Editor& e, P_WIN& owner, QWidget* palette)
    : ToolSettingsWindow(SettingsWindow::Hset, " HSET 設定", e, owner, palette) {
  setObjectName(QStringLiteral("HSET_WIN"));
  QGridLayout* grid = makeFrame(this, QStringLiteral("Vの変化量 (%)"));
  H_BAR = makeBar(this, "H_BAR", kBrightness, 10);
  H_VAL = makeValueLabel(this, "H_VAL");
  grid->addWidget(makeLabel(QStringLiteral("V"), this), 0, 0);
  grid->addWidget(makeLabel(QStringLiteral("暗"), this), 0, 1);
  grid->addWidget(H_BAR, 0, 2);
  grid->addWidget(makeLabel(QStringLiteral("明"), this), 0, 3);
  grid->addWidget(H_VAL, 0, 4);
  Command3 = makeDefaultButton(this);
  connect(H_BAR, &QScrollBar::valueChanged, this, [this](int v) { H_BAR_Change(v); });
  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
}

void HSET_WIN::SetBars() {
  H_BAR->setValue(e_.settings.HSET);
  H_BAR_Change(H_BAR->value());
}

void HSET_WIN::H_BAR_Change(int value) {
  H_VAL->setText(number(value));
  e_.settings.HSET = kBrightness.clamp(value);
}

void HSET_WIN::Command3_Click() {
  e_.settings.HSET = kBrightnessDefault;
  SetBars();
}

// ---------------------------------------------------------------------------
// DEEP_WIN

DEEP_WIN::DEEP_WIN(Editor& e, P_WIN& owner, QWidget* palette)
    : ToolSettingsWindow(SettingsWindow::Deep, " Fuzzy設定", e, owner, palette) {
  setObjectName(QStringLiteral("DEEP_WIN"));
  QGridLayout* grid = makeFrame(this, QStringLiteral("濃度バランス"));
  DEEP_BAR = makeBar(this, "DEEP_BAR", kDepth, 10);
  grid->addWidget(makeLabel(QStringLiteral("Base"), this), 0, 0);
  grid->addWidget(DEEP_BAR, 0, 1);
  grid->addWidget(makeLabel(QStringLiteral("Draw"), this), 0, 2);
  connect(DEEP_BAR, &QScrollBar::valueChanged, this, [this](int v) { DEEP_BAR_Change(v); });
}

void DEEP_WIN::SetBars() {
  DEEP_BAR->setValue(e_.settings.THPD);
  DEEP_BAR_Change(DEEP_BAR->value());
}

void DEEP_WIN::DEEP_BAR_Change(int value) { e_.settings.THPD = kDepth.clamp(value); }

void DEEP_WIN::Unloading() { DEEP_BAR_Change(DEEP_BAR->value()); }

}  // namespace tupalo
