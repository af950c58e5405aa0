#include "editor/print/PRT_WIN.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPrinter>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "editor/core/Editor.h"
#include "editor/core/P_WIN.h"
#include "editor/core/WAIT_WIN.h"
#include "editor/print/PrintLayout.h"
#include "editor/print/PrintOutput.h"
#include "platform/QtSurface.h"

namespace tupalo {

namespace {

constexpr int kPreviewInner = 232;          // inner size of the preview frame, pixels
constexpr int kRepeatIntervalMs = 75;       // the repeating buttons' tick
constexpr int kMaxRepeatTicks = 5000;       // the tick count stops growing here
constexpr double kClickStep = 0.01;         // mm per click of a - or + button
constexpr double kRunOffTolerance = 0.005;  // half the boxes' last digit
const QColor kLightCyan(0, 255, 255);       // basic colour 11
const QColor kDarkGrey(128, 128, 128);      // basic colour 8

// The names of the template's texts map onto fonts found on this system.
QFont PrinterFont(const QString& name, int points) {
  QFont f;
  if (name == QStringLiteral("ＭＳ ゴシック")) {
    f.setFamilies({QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("Noto Sans CJK JP"),
                   QStringLiteral("IPAGothic"), QStringLiteral("VL Gothic"),
                   QStringLiteral("monospace")});
    f.setStyleHint(QFont::Monospace);
  } else {
    f.setFamily(name);
  }
  f.setPointSize(points);
  return f;
}

// Typing into a number box: digits, backspace and (in millimetre boxes) one
// point. Keys that move the cursor or edit are not typing and pass.
class NumberKeys : public QObject {
 public:
  NumberKeys(QObject* parent, bool decimals) : QObject(parent), decimals_(decimals) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* ev) override {
    if (ev->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(ev);
    const QString t = key->text();
    if (t.size() != 1 || !t[0].isPrint()) return false;
    const QChar c = t[0];
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) return false;
    if (decimals_ && c == QLatin1Char('.')) {
      const auto* edit = qobject_cast<QLineEdit*>(watched);
      QString rest = edit ? edit->text() : QString();
      if (edit && edit->hasSelectedText())
        rest.remove(edit->selectionStart(), edit->selectedText().size());
      return rest.contains(QLatin1Char('.'));
    }
    return true;
  }

 private:
  bool decimals_;
};

QLineEdit* NumberBox(QWidget* parent, bool decimals, int width = 80) {
  auto* b = new QLineEdit(parent);
  b->installEventFilter(new NumberKeys(b, decimals));
  b->setAlignment(Qt::AlignRight);
  b->setFixedWidth(width);
  return b;
}

QPushButton* StepButton(QWidget* parent, const QString& caption) {
  auto* b = new QPushButton(caption, parent);
  b->setFixedSize(26, 22);
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

// A small upright bar used as a spinner. Its up arrow lowers a bar's value,
// so the bar runs over the negated counts and up raises the count.
QScrollBar* SpinBar(QWidget* parent, int maximum) {
  auto* s = new QScrollBar(Qt::Vertical, parent);
  s->setRange(-maximum, -1);
  s->setFixedSize(16, 22);
  return s;
}
void SetSpinRange(QScrollBar* s, int maximum) { s->setRange(-maximum, -1); }
void SetSpinCount(QScrollBar* s, int n) { s->setValue(-n); }

QString AreaText(double w, double h) {
  return FormatMm(w) + QStringLiteral("mm ×") + FormatMm(h) + QStringLiteral("mm");
}

}  // namespace

void PreviewSurface::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, image);
}

PRT_WIN::PRT_WIN(Editor& e, P_WIN& owner, std::unique_ptr<QPrinter> printer)
    : QDialog(&owner), e_(e), owner_(owner), printer_(std::move(printer)) {
  setObjectName(QStringLiteral("PRT_WIN"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::CustomizeWindowHint);
  if (!printer_) printer_ = OpenDefaultPrinter();

  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  auto* pageButtons = new QHBoxLayout;
  Command3 = new QPushButton(QStringLiteral("絵の印刷"), this);
  Command4 = new QPushButton(QStringLiteral("テンプレート印刷"), this);
  pageButtons->addWidget(Command3);
  pageButtons->addWidget(Command4);
  pageButtons->addStretch(1);
  layout->addLayout(pageButtons);

  Frame1 = new QGroupBox(QStringLiteral("Printer Settings"), this);
  auto* f1 = new QGridLayout(Frame1);
  Label1 = new QLabel(QStringLiteral("Printer名"), Frame1);
  PRT_NAME = new QLabel(Frame1);
  PRT_NAME->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  PRT_NAME->setMinimumWidth(300);
  Label2 = new QLabel(QStringLiteral("印字領域"), Frame1);
  PRT_SIZE = new QLabel(Frame1);
  PRT_SIZE->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Command1 = new QPushButton(QStringLiteral("プリンターの設定"), Frame1);
  f1->addWidget(Label1, 0, 0);
  f1->addWidget(PRT_NAME, 0, 1);
  f1->addWidget(Command1, 0, 2, 2, 1);
  f1->addWidget(Label2, 1, 0);
  f1->addWidget(PRT_SIZE, 1, 1);
  layout->addWidget(Frame1);

  PAGES = new QStackedWidget(this);
  auto* picturePage = new QWidget(PAGES);
  auto* templatePage = new QWidget(PAGES);
  BuildPicturePage(picturePage);
  BuildTemplatePage(templatePage);
  PAGES->addWidget(picturePage);
  PAGES->addWidget(templatePage);
  layout->addWidget(PAGES);

  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  GO = new QPushButton(QStringLiteral("Print"), this);
  Command5 = new QPushButton(QStringLiteral("Cancel"), this);
  bottom->addWidget(GO);
  bottom->addWidget(Command5);
  layout->addLayout(bottom);

  SCTIMER.setInterval(kRepeatIntervalMs);
  connect(&SCTIMER, &QTimer::timeout, this, [this] { SCTIMER_Timer(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
  connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
  connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
  connect(GO, &QPushButton::clicked, this, [this] { GO_Click(); });
}

void PRT_WIN::BuildPicturePage(QWidget* page) {
  auto* row = new QHBoxLayout(page);
  row->setContentsMargins(0, 0, 0, 0);
  auto* left = new QVBoxLayout;
  row->addLayout(left);

  // One box with its four step buttons; `f` says what they change.
  auto stepRow = [this](QWidget* parent, QGridLayout* grid, int r, const QString& caption,
                        QLineEdit*& edit, Field f, QPushButton*& m, QPushButton*& p,
                        QPushButton*& mm, QPushButton*& pp) {
    grid->addWidget(new QLabel(caption, parent), r, 0);
    mm = StepButton(parent, QStringLiteral("--"));
    m = StepButton(parent, QStringLiteral("-"));
    edit = NumberBox(parent, true);
    p = StepButton(parent, QStringLiteral("+"));
    pp = StepButton(parent, QStringLiteral("++"));
    grid->addWidget(mm, r, 1);
    grid->addWidget(m, r, 2);
    grid->addWidget(edit, r, 3);
    grid->addWidget(new QLabel(QStringLiteral("mm"), parent), r, 4);
    grid->addWidget(p, r, 5);
    grid->addWidget(pp, r, 6);
    connect(m, &QPushButton::clicked, this, [this, f] { StepClick(f, -1); });
    connect(p, &QPushButton::clicked, this, [this, f] { StepClick(f, +1); });
    connect(mm, &QPushButton::pressed, this, [this, f] { RepeatPress(f, -1); });
    connect(pp, &QPushButton::pressed, this, [this, f] { RepeatPress(f, +1); });
    connect(mm, &QPushButton::released, this, [this] { RepeatRelease(); });
    connect(pp, &QPushButton::released, this, [this] { RepeatRelease(); });
    connect(edit, &QLineEdit::textChanged, this, [this, f] {
      if (ReEntry != 0) return;
      if (f == FieldXSize || f == FieldYSize)
        SizeChanged(f);
      else
        PositionChanged();
    });
  };

  Frame5 = new QGroupBox(QStringLiteral("印字開始位置"), page);
  auto* g5 = new QGridLayout(Frame5);
  stepRow(Frame5, g5, 0, QStringLiteral("左から"), LT_X, FieldLtX, LT_X_M, LT_X_P, LT_X_MM,
          LT_X_PP);
  stepRow(Frame5, g5, 1, QStringLiteral("上から"), LT_Y, FieldLtY, LT_Y_M, LT_Y_P, LT_Y_MM,
          LT_Y_PP);
  AUTO_CENTER = new QCheckBox(QStringLiteral("自動的に紙の中心に来るよう調整する"), Frame5);
  REDISP_FLG = new QCheckBox(QStringLiteral("変更時画像を表示"), Frame5);
  g5->addWidget(AUTO_CENTER, 2, 0, 1, 7);
  g5->addWidget(REDISP_FLG, 3, 0, 1, 7);
  left->addWidget(Frame5);

  Frame2 = new QGroupBox(QStringLiteral("印刷サイズ"), page);
  auto* g2 = new QGridLayout(Frame2);
  stepRow(Frame2, g2, 0, QStringLiteral("横"), X_SIZE, FieldXSize, X_SIZE_M, X_SIZE_P, X_SIZE_MM,
          X_SIZE_PP);
  stepRow(Frame2, g2, 1, QStringLiteral("縦"), Y_SIZE, FieldYSize, Y_SIZE_M, Y_SIZE_P, Y_SIZE_MM,
          Y_SIZE_PP);
  PRT_AT_MAXSIZE = new QCheckBox(QStringLiteral("自動的に最大サイズで印字する"), Frame2);
  g2->addWidget(PRT_AT_MAXSIZE, 2, 0, 1, 7);
  left->addWidget(Frame2);

  Frame3 = new QGroupBox(QStringLiteral("横と縦の紙の枚数"), page);
  auto* g3 = new QGridLayout(Frame3);
  X_PAP = NumberBox(Frame3, false, 60);
  Y_PAP = NumberBox(Frame3, false, 60);
  X_PAP_SC = SpinBar(Frame3, 32767);
  Y_PAP_SC = SpinBar(Frame3, 32767);
  VIRT_W = new QLabel(Frame3);
  VIRT_H = new QLabel(Frame3);
  g3->addWidget(new QLabel(QStringLiteral("横"), Frame3), 0, 0);
  g3->addWidget(X_PAP, 0, 1);
  g3->addWidget(X_PAP_SC, 0, 2);
  g3->addWidget(new QLabel(QStringLiteral("枚"), Frame3), 0, 3);
  g3->addWidget(new QLabel(QStringLiteral("縦"), Frame3), 1, 0);
  g3->addWidget(Y_PAP, 1, 1);
  g3->addWidget(Y_PAP_SC, 1, 2);
  g3->addWidget(new QLabel(QStringLiteral("枚"), Frame3), 1, 3);
  g3->addWidget(new QLabel(QStringLiteral("仮想印刷領域"), Frame3), 0, 4, 1, 2);
  g3->addWidget(new QLabel(QStringLiteral("横"), Frame3), 1, 4);
  g3->addWidget(VIRT_W, 1, 5);
  g3->addWidget(new QLabel(QStringLiteral("縦"), Frame3), 2, 4);
  g3->addWidget(VIRT_H, 2, 5);
  g3->setColumnStretch(6, 1);
  left->addWidget(Frame3);
  connect(X_PAP, &QLineEdit::textChanged, this, [this] {
    if (ReEntry == 0) SheetsChanged(true);
  });
  connect(Y_PAP, &QLineEdit::textChanged, this, [this] {
    if (ReEntry == 0) SheetsChanged(false);
  });
  connect(X_PAP_SC, &QScrollBar::valueChanged, this, [this](int v) {
    if (!syncingBars_) X_PAP->setText(QString::number(-v));
  });
  connect(Y_PAP_SC, &QScrollBar::valueChanged, this, [this](int v) {
    if (!syncingBars_) Y_PAP->setText(QString::number(-v));
  });

  Frame4 = new QGroupBox(QStringLiteral("印刷設定"), page);
  auto* g4 = new QGridLayout(Frame4);
  ALL_PRT = new QRadioButton(QStringLiteral("全ページを印刷する"), Frame4);
  SEL_PRT = new QRadioButton(QStringLiteral("指定したマトリクスだけ印刷する"), Frame4);
  SEL_X = NumberBox(Frame4, false, 60);
  SEL_Y = NumberBox(Frame4, false, 60);
  SEL_X_SC = SpinBar(Frame4, 1);
  SEL_Y_SC = SpinBar(Frame4, 1);
  g4->addWidget(ALL_PRT, 0, 0, 1, 8);
  g4->addWidget(SEL_PRT, 1, 0, 1, 8);
  g4->addWidget(new QLabel(QStringLiteral("横"), Frame4), 2, 0);
  g4->addWidget(SEL_X, 2, 1);
  g4->addWidget(SEL_X_SC, 2, 2);
  g4->addWidget(new QLabel(QStringLiteral("縦"), Frame4), 2, 3);
  g4->addWidget(SEL_Y, 2, 4);
  g4->addWidget(SEL_Y_SC, 2, 5);
  g4->setColumnStretch(7, 1);
  left->addWidget(Frame4);
  connect(ALL_PRT, &QRadioButton::clicked, this, [this] { ALL_PRT_Click(); });
  connect(SEL_PRT, &QRadioButton::clicked, this, [this] { SEL_PRT_Click(); });
  connect(SEL_X, &QLineEdit::textChanged, this, [this] {
    if (ReEntry == 0) SelectorChanged(true);
  });
  connect(SEL_Y, &QLineEdit::textChanged, this, [this] {
    if (ReEntry == 0) SelectorChanged(false);
  });
  connect(SEL_X_SC, &QScrollBar::valueChanged, this, [this](int v) {
    if (!syncingBars_) SEL_X->setText(QString::number(-v));
  });
  connect(SEL_Y_SC, &QScrollBar::valueChanged, this, [this](int v) {
    if (!syncingBars_) SEL_Y->setText(QString::number(-v));
  });

  IMG_WAKU = new QFrame(page);
  IMG_WAKU->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  IMG_WAKU->setLineWidth(2);
  IMG_WAKU->setFixedSize(kPreviewInner + 4, kPreviewInner + 4);
  IMG_WAKU->setAutoFillBackground(true);
  QPalette wp = IMG_WAKU->palette();
  wp.setColor(QPalette::Window, kDarkGrey);
  IMG_WAKU->setPalette(wp);
  IMG_BASE = new PreviewSurface(IMG_WAKU);
  auto* right = new QVBoxLayout;
  right->addWidget(IMG_WAKU);
  right->addStretch(1);
  row->addLayout(right);

  connect(AUTO_CENTER, &QCheckBox::clicked, this, [this] { AUTO_CENTER_Click(); });
  connect(PRT_AT_MAXSIZE, &QCheckBox::clicked, this, [this] { PRT_AT_MAXSIZE_Click(); });
  connect(REDISP_FLG, &QCheckBox::clicked, this, [this] { REDISP_FLG_Click(); });
}

void PRT_WIN::BuildTemplatePage(QWidget* page) {
  auto* v = new QVBoxLayout(page);
  v->setContentsMargins(0, 0, 0, 0);
  Frame6 = new QGroupBox(QStringLiteral("印刷内容の設定"), page);
  auto* g = new QGridLayout(Frame6);
  Check3 = new QCheckBox(QStringLiteral("黒だけで印刷する"), Frame6);
  Check2 = new QCheckBox(QStringLiteral("プリンターの情報を入れる"), Frame6);
  Check1 = new QCheckBox(QStringLiteral("一定間隔毎に数値を入れる"), Frame6);
  Label20 = new QLabel(QStringLiteral("マス目の間隔"), Frame6);
  Combo1 = new QComboBox(Frame6);
  // Only the five spacings: the grid has no meaning for any other text.
  Combo1->addItems({QStringLiteral("1mm"), QStringLiteral("2mm"), QStringLiteral("5mm"),
                    QStringLiteral("10mm"), QStringLiteral("50mm")});
  Combo1->setEditable(false);
  Command2 = new QPushButton(QStringLiteral("RulerPrint"), Frame6);
  g->addWidget(Check3, 0, 0, 1, 2);
  g->addWidget(Check2, 1, 0, 1, 2);
  g->addWidget(Check1, 2, 0, 1, 2);
  g->addWidget(Label20, 3, 0);
  g->addWidget(Combo1, 3, 1);
  g->addWidget(Command2, 4, 0, 1, 2, Qt::AlignLeft);
  g->setColumnStretch(2, 1);
  v->addWidget(Frame6);
  Label21 = new QLabel(
      QStringLiteral("この機能は、プリンターが絵を紙のどこに正確に印刷するかを知るためのものです。"
                     "印刷したテンプレートの線と数値から、印字の位置とずれを確かめてください。"),
      page);
  Label22 = new QLabel(QStringLiteral("テンプレートは位置合わせのためのもので、"
                                      "方眼紙の代わりになるものではありません。"),
                       page);
  Label21->setWordWrap(true);
  Label22->setWordWrap(true);
  v->addWidget(Label21);
  v->addWidget(Label22);
  v->addStretch(1);
}

PRT_WIN::~PRT_WIN() {
  SCTIMER.stop();
  Unload();
}

// ---------------------------------------------------------------------------
// Opening and closing

void PRT_WIN::Open() {
  setWindowTitle(e_.TitlePrefix);
  const int W = e_.PIC.width(), H = e_.PIC.height();
  RatioXY = H > 0 ? double(W) / H : 1;
  RatioYX = W > 0 ? double(H) / W : 1;

  ReEntry = 1;
  X_SIZE->setText(QStringLiteral("9999999"));
  Y_SIZE->setText(QStringLiteral("9999999"));
  LT_X->setText(FormatMm(0));
  LT_Y->setText(FormatMm(0));
  X_PAP->setText(QStringLiteral("1"));
  Y_PAP->setText(QStringLiteral("1"));
  SEL_X->setText(QStringLiteral("1"));
  SEL_Y->setText(QStringLiteral("1"));
  ReEntry = 0;
  SyncSheetBars();
  ALL_PRT->setChecked(true);
  EnableSelectors(false);
  AUTO_CENTER->setChecked(true);
  PRT_AT_MAXSIZE->setChecked(true);
  EnablePosition(false);
  EnableSize(false);
  Combo1->setCurrentIndex(0);
  REDISP_FLG->setChecked(e_.settings.PRAD != 0);
  PAGES->setCurrentIndex(0);
  GO->setEnabled(true);

  if (!loaded_) {
    loaded_ = true;
    mainDisabled_.Disable(owner_, this);
  }
  LayoutUpdate();

  adjustSize();
  const QRect o = owner_.frameGeometry();
  move(o.x() + (o.width() - frameGeometry().width()) / 2,
       o.y() + (o.height() - frameGeometry().height()) / 2);
  show();
  raise();
  activateWindow();
}

void PRT_WIN::Unload() {
  RepeatRelease();
  if (!loaded_) return;
  loaded_ = false;
  mainDisabled_.Restore();
}

void PRT_WIN::closeEvent(QCloseEvent* ev) {
  // Accepted here: the dialog's own handling would call reject(), that is
  // close() again, which Qt ignores while closing, and the window would stay
  // up over an editor already given back.
  Unload();
  ev->accept();
}

void PRT_WIN::hideEvent(QHideEvent* ev) {
  RepeatRelease();
  QDialog::hideEvent(ev);
}

void PRT_WIN::changeEvent(QEvent* ev) {
  // A held repeating button must not run on once the window lost the pointer.
  if (ev->type() == QEvent::ActivationChange && !isActiveWindow()) RepeatRelease();
  if (ev->type() == QEvent::EnabledChange && !isEnabled()) RepeatRelease();
  QDialog::changeEvent(ev);
}

void PRT_WIN::Command5_Click() { close(); }

void PRT_WIN::Command3_Click() {
  PAGES->setCurrentIndex(0);
  GO->setVisible(true);
}

void PRT_WIN::Command4_Click() {
  RepeatRelease();
  PAGES->setCurrentIndex(1);
  GO->setVisible(false);
}

void PRT_WIN::Command1_Click() {
  RepeatRelease();
  if (e_.prompter && e_.prompter->setUpPrinter(*printer_)) LayoutUpdate();
}

// ---------------------------------------------------------------------------
// Boxes and check boxes

QLineEdit* PRT_WIN::box(Field f) const {
  switch (f) {
    case FieldLtX:
      return LT_X;
    case FieldLtY:
      return LT_Y;
    case FieldXSize:
      return X_SIZE;
    case FieldYSize:
      return Y_SIZE;
  }
  return LT_X;
}

void PRT_WIN::WriteBox(QLineEdit* b, const QString& text) {
  const int16_t outer = ReEntry;
  ReEntry = 1;
  if (b->text() != text) b->setText(text);
  ReEntry = outer;
}

void PRT_WIN::SizeChanged(Field f) {
  if (ReEntry != 0) return;
  if (f == FieldXSize) {
    if (ParseMm(X_SIZE->text()) > MaxWidth) WriteBox(X_SIZE, FormatMm(MaxWidth));
    WriteBox(Y_SIZE, FormatMm(ParseMm(X_SIZE->text()) * RatioYX));
  } else {
    if (ParseMm(Y_SIZE->text()) > MaxHeight) WriteBox(Y_SIZE, FormatMm(MaxHeight));
    WriteBox(X_SIZE, FormatMm(ParseMm(Y_SIZE->text()) * RatioXY));
  }
  LayoutUpdate();
}

void PRT_WIN::PositionChanged() {
  if (ReEntry == 0) LayoutUpdate();
}

void PRT_WIN::SheetsChanged(bool across) {
  QLineEdit* b = across ? X_PAP : Y_PAP;
  const QString digits = b->text();
  const int n = ParseCount(digits);
  if (n >= 32767 && digits.trimmed() != QStringLiteral("32767"))
    WriteBox(b, QStringLiteral("32767"));
  SyncSheetBars();
  LayoutUpdate();
}

void PRT_WIN::SelectorChanged(bool across) {
  QLineEdit* b = across ? SEL_X : SEL_Y;
  const int sheets = std::max(1, ParseCount((across ? X_PAP : Y_PAP)->text()));
  const int n = ParseCount(b->text());
  if (n > sheets) WriteBox(b, QString::number(sheets));
  SyncSheetBars();
}

void PRT_WIN::SyncSheetBars() {
  syncingBars_ = true;
  const int nx = std::max(1, ParseCount(X_PAP->text()));
  const int ny = std::max(1, ParseCount(Y_PAP->text()));
  SetSpinCount(X_PAP_SC, nx);
  SetSpinCount(Y_PAP_SC, ny);
  SetSpinRange(SEL_X_SC, nx);
  SetSpinRange(SEL_Y_SC, ny);
  // The chosen sheet stays among the sheets.
  if (ParseCount(SEL_X->text()) > nx) WriteBox(SEL_X, QString::number(nx));
  if (ParseCount(SEL_Y->text()) > ny) WriteBox(SEL_Y, QString::number(ny));
  SetSpinCount(SEL_X_SC, std::max(1, ParseCount(SEL_X->text())));
  SetSpinCount(SEL_Y_SC, std::max(1, ParseCount(SEL_Y->text())));
  syncingBars_ = false;
}

void PRT_WIN::EnablePosition(bool on) {
  for (QWidget* w : std::initializer_list<QWidget*>{LT_X, LT_Y, LT_X_M, LT_X_P, LT_X_MM, LT_X_PP,
                                                    LT_Y_M, LT_Y_P, LT_Y_MM, LT_Y_PP})
    w->setEnabled(on);
  if (!on) RepeatRelease();
}

void PRT_WIN::EnableSize(bool on) {
  for (QWidget* w :
       std::initializer_list<QWidget*>{X_SIZE, Y_SIZE, X_SIZE_M, X_SIZE_P, X_SIZE_MM, X_SIZE_PP,
                                       Y_SIZE_M, Y_SIZE_P, Y_SIZE_MM, Y_SIZE_PP})
    w->setEnabled(on);
  if (!on) RepeatRelease();
}

void PRT_WIN::EnableSelectors(bool on) {
  for (QWidget* w : std::initializer_list<QWidget*>{SEL_X, SEL_Y, SEL_X_SC, SEL_Y_SC})
    w->setEnabled(on);
}

void PRT_WIN::AUTO_CENTER_Click() {
  EnablePosition(!AUTO_CENTER->isChecked());
  LayoutUpdate();
}

void PRT_WIN::PRT_AT_MAXSIZE_Click() {
  EnableSize(!PRT_AT_MAXSIZE->isChecked());
  LayoutUpdate();
}

void PRT_WIN::ALL_PRT_Click() { EnableSelectors(!ALL_PRT->isChecked()); }

void PRT_WIN::SEL_PRT_Click() { EnableSelectors(SEL_PRT->isChecked()); }

void PRT_WIN::REDISP_FLG_Click() {
  e_.settings.PRAD = REDISP_FLG->isChecked() ? 1 : 0;
  LayoutUpdate();
}

// ---------------------------------------------------------------------------
// Step buttons

void PRT_WIN::StepField(Field f, double delta) {
  QLineEdit* b = box(f);
  if (!b->isEnabled()) return;
  // Positions and sizes are never negative.
  const double v = std::max(0.0, ParseMm(b->text()) + delta);
  WriteBox(b, FormatMm(v));
  if (f == FieldXSize || f == FieldYSize)
    SizeChanged(f);
  else
    PositionChanged();
}

void PRT_WIN::StepClick(Field f, int direction) { StepField(f, direction * kClickStep); }

void PRT_WIN::RepeatPress(Field f, int direction) {
  if (!box(f)->isEnabled()) return;
  RepeatMode = static_cast<int16_t>(1 + 2 * int(f) + (direction > 0 ? 1 : 0));
  RepeatTicks = 0;
  SCTIMER.start();
}

void PRT_WIN::RepeatRelease() {
  SCTIMER.stop();
  RepeatMode = 0;
  RepeatTicks = 0;
}

void PRT_WIN::SCTIMER_Timer() {
  if (RepeatMode == 0) {
    SCTIMER.stop();
    return;
  }
  const Field f = static_cast<Field>((RepeatMode - 1) / 2);
  const int direction = (RepeatMode - 1) % 2 == 1 ? 1 : -1;
  const double step = RepeatStep(RepeatTicks);
  if (RepeatTicks < kMaxRepeatTicks) ++RepeatTicks;
  StepField(f, direction * step);
}

// ---------------------------------------------------------------------------
// Layout

void PRT_WIN::LayoutUpdate() {
  const int16_t outer = ReEntry;
  ReEntry = 1;
  PRT_NAME->setText(DeviceName(*printer_) + QLatin1Char(' '));
  const PrinterArea area = MeasurePrinter(*printer_);
  PaperWidth = TruncateToTenth(area.widthMm);
  PaperHeight = TruncateToTenth(area.heightMm);
  PRT_SIZE->setText(AreaText(PaperWidth, PaperHeight));
  // A printer without a printable area has no scale.
  TwipsPerMmX = PaperWidth > 0 ? area.widthTwips / PaperWidth : 0;
  TwipsPerMmY = PaperHeight > 0 ? area.heightTwips / PaperHeight : 0;

  const int NX = ParseCount(X_PAP->text()), NY = ParseCount(Y_PAP->text());
  const double VW = NX * PaperWidth, VH = NY * PaperHeight;
  VIRT_W->setText(FormatMm(VW) + QStringLiteral(" mm"));
  VIRT_H->setText(FormatMm(VH) + QStringLiteral(" mm"));

  const int W = e_.PIC.width(), H = e_.PIC.height();
  if (W > 0 && H > 0) {
    const MaxPrintSize m = LargestPrintSize(VW, VH, W, H);
    MaxWidth = m.width;
    MaxHeight = m.height;
    if (ParseMm(X_SIZE->text()) > MaxWidth + kRunOffTolerance ||
        ParseMm(Y_SIZE->text()) > MaxHeight + kRunOffTolerance) {
      WriteBox(X_SIZE, FormatMm(MaxWidth));
      WriteBox(Y_SIZE, FormatMm(MaxHeight));
    }
  }
  if (PRT_AT_MAXSIZE->isChecked()) {
    WriteBox(X_SIZE, FormatMm(MaxWidth));
    WriteBox(Y_SIZE, FormatMm(MaxHeight));
  }
  if (AUTO_CENTER->isChecked()) {
    // The largest size centres by its exact value, not by the two decimals
    // shown: 373.333 mm on 400 mm stands at 13.33 mm, and the picture still
    // splits at a whole column.
    const bool atMax = PRT_AT_MAXSIZE->isChecked();
    const double w = atMax ? MaxWidth : ParseMm(X_SIZE->text());
    const double h = atMax ? MaxHeight : ParseMm(Y_SIZE->text());
    WriteBox(LT_X, FormatMm(std::max(0.0, (VW - w) / 2)));
    WriteBox(LT_Y, FormatMm(std::max(0.0, (VH - h) / 2)));
  }
  RedrawPreview(VW, VH);
  ReEntry = outer;
}

void PRT_WIN::RedrawPreview(double VW, double VH) {
  const int NX = ParseCount(X_PAP->text()), NY = ParseCount(Y_PAP->text());
  const QRect inner = IMG_WAKU->contentsRect();
  if (NX == 0 || NY == 0 || !(VW > 0) || !(VH > 0)) {
    IMG_BASE->setGeometry(inner.x(), inner.y(), 0, 0);
    IMG_BASE->image = QImage();
    IMG_BASE->update();
    return;
  }
  const double m = std::max(VW / inner.width(), VH / inner.height());  // mm per preview pixel
  const int bw = std::clamp(int(std::lround(VW / m)), 1, inner.width());
  const int bh = std::clamp(int(std::lround(VH / m)), 1, inner.height());
  IMG_BASE->setGeometry(inner.x() + int((inner.width() - bw) * 0.5),
                        inner.y() + int((inner.height() - bh) * 0.5), bw, bh);
  QImage img(bw, bh, QImage::Format_RGB32);
  img.fill(Qt::white);

  const double px = bw / (NX * PaperWidth), py = bh / (NY * PaperHeight);
  const int x = int(std::lround(ParseMm(LT_X->text()) * px));
  const int y = int(std::lround(ParseMm(LT_Y->text()) * py));
  const int w = std::max(1, int(std::lround(ParseMm(X_SIZE->text()) * px)));
  const int h = std::max(1, int(std::lround(ParseMm(Y_SIZE->text()) * py)));
  if (REDISP_FLG->isChecked()) {
    SampleNearest(e_.PIC, img, x, y, w, h);
  } else {
    QPainter p(&img);
    p.fillRect(x, y, w, h, kLightCyan);
    p.setPen(kDarkGrey);
    p.setBrush(Qt::NoBrush);
    p.drawRect(x, y, w - 1, h - 1);
  }
  IMG_BASE->image = img;
  IMG_BASE->update();
}

// ---------------------------------------------------------------------------
// Printing

void PRT_WIN::Refuse(const QString& text) { owner_.Ask(text, Buttons::Ok, Icon::Exclamation); }

bool PRT_WIN::EnsurePdfFileName() {
  if (!IsPdfPrinter(*printer_) || !printer_->outputFileName().isEmpty()) return true;
  FileRequest req;
  req.save = true;
  req.title = e_.TitlePrefix;
  req.initialName = e_.CurrentFileName.isEmpty()
                        ? QString()
                        : QFileInfo(e_.CurrentFileName).completeBaseName() + QStringLiteral(".pdf");
  req.filter = QStringLiteral("PDF Files(*.PDF)|*.PDF|");
  const FileAnswer a = e_.prompter->chooseFile(req);
  if (a.cancelled || a.path.trimmed().isEmpty()) return false;
  printer_->setOutputFileName(a.path.trimmed());
  PRT_NAME->setText(DeviceName(*printer_) + QLatin1Char(' '));
  return true;
}

void PRT_WIN::GO_Click() {
  RepeatRelease();
  LayoutUpdate();
  if (!(PaperWidth > 0) || !(PaperHeight > 0) || !(TwipsPerMmX > 0) || !(TwipsPerMmY > 0)) {
    Refuse(QStringLiteral(
        "プリンターの印字領域がわかりません。\nプリンターの設定を確かめてください。"));
    return;
  }
  const double X0 = ParseMm(LT_X->text()), Y0 = ParseMm(LT_Y->text());
  const double PW = ParseMm(X_SIZE->text()), PH = ParseMm(Y_SIZE->text());
  const int NX = ParseCount(X_PAP->text()), NY = ParseCount(Y_PAP->text());
  if (!(PW > 0) || !(PH > 0)) {
    Refuse(QStringLiteral("印刷サイズが不正です。"));
    return;
  }
  const double VW = ParseMm(FormatMm(NX * PaperWidth));
  const double VH = ParseMm(FormatMm(NY * PaperHeight));
  if (X0 + PW > VW + kRunOffTolerance) {
    Refuse(QStringLiteral("横が紙からはみ出してしまいます"));
    return;
  }
  if (Y0 + PH > VH + kRunOffTolerance) {
    Refuse(QStringLiteral("縦が紙からはみ出してしまいます"));
    return;
  }
  if (e_.PIC.empty()) return;
  if (!EnsurePdfFileName()) return;

  SplitInput in;
  in.X0 = X0;
  in.Y0 = Y0;
  in.PW = PW;
  in.PH = PH;
  in.NX = NX;
  in.NY = NY;
  in.PaperWidth = PaperWidth;
  in.PaperHeight = PaperHeight;
  in.W = e_.PIC.width();
  in.H = e_.PIC.height();
  const bool all = ALL_PRT->isChecked();
  const int selX = std::clamp(ParseCount(SEL_X->text()), 1, std::max(1, NX));
  const int selY = std::clamp(ParseCount(SEL_Y->text()), 1, std::max(1, NY));
  const double total = all ? double(NX) * NY : 1;

  BusyScope busy(*owner_.waitWin, QStringLiteral("印刷データ出力中"));
  const PrinterArea area = MeasurePrinter(*printer_);
  const MmToDevice to{TwipsPerMmX, TwipsPerMmY, area.dpiX, area.dpiY};
  // The picture as Qt sees it, without a copy: each job reads its piece.
  const QImage pic = asQImage(std::as_const(e_.PIC));
  int count = 0, job = 0;
  for (const SheetPiece& p : SplitIntoSheets(in)) {
    if (!(all || (p.i == selX && p.j == selY))) continue;
    ++count;
    busy.progress(total, count);
    // A sheet without picture is not sent: a piece of no pixels must never
    // reach the painter.
    if (p.empty()) continue;
    QString target;
    if (!PrintSheet(*printer_, ++job, pic, p, to, &target)) {
      Refuse(QStringLiteral("印刷データを書き込めませんでした。\n") + target);
      return;
    }
  }
}

void PRT_WIN::Command2_Click() {
  RepeatRelease();
  LayoutUpdate();
  if (!(PaperWidth > 0) || !(PaperHeight > 0) || !(TwipsPerMmX > 0) || !(TwipsPerMmY > 0)) {
    Refuse(QStringLiteral(
        "プリンターの印字領域がわかりません。\nプリンターの設定を確かめてください。"));
    return;
  }
  if (!EnsurePdfFileName()) return;
  const GridSpacing g = GridSpacingFor(Combo1->currentText());
  const QColor colour = Check3->isChecked() ? QColor(Qt::black) : kLightCyan;
  const PrinterArea area = MeasurePrinter(*printer_);
  const MmToDevice to{TwipsPerMmX, TwipsPerMmY, area.dpiX, area.dpiY};

  PrintJob out(*printer_, 1);
  if (!out.begin()) {
    Refuse(QStringLiteral("印刷を開始できませんでした。\n") + out.target());
    return;
  }
  QPainter& painter = out.painter();
  painter.setFont(PrinterFont(QStringLiteral("ＭＳ ゴシック"), 9));
  painter.setPen(colour);
  // Texts stand with their top-left corner at the given point.
  auto text = [&](double xmm, double ymm, const QString& s) {
    const QPointF at = to.at(xmm, ymm);
    painter.drawText(QRectF(at, QSizeF(1e6, 1e6)), Qt::AlignLeft | Qt::AlignTop, s);
  };

  BusyScope busy(*owner_.waitWin, QString());
  auto caption = [this](const QString& c) {
    owner_.waitWin->FRAME->setTitle(c);
    owner_.waitWin->FRAME->repaint();
  };
  if (Check1->isChecked()) {
    caption(QStringLiteral("数値出力中"));
    for (int n : GridNumbers(PaperWidth, g)) text(n + 1, 1, QLatin1Char(' ') + QString::number(n));
    for (int n : GridNumbers(PaperHeight, g)) text(1, n + 1, QLatin1Char(' ') + QString::number(n));
  }
  if (Check2->isChecked()) {
    caption(QStringLiteral("プリンター情報出力中"));
    text(11, 11, DeviceName(*printer_));
    text(11, 16, AreaText(PaperWidth, PaperHeight));
    text(PaperWidth - 60, PaperHeight - 9, QStringLiteral("Printed at ") + e_.VersionText);
    text(PaperWidth - 60, PaperHeight - 5, QStringLiteral("Tupalo for Linux"));
  }
  // Thin lines one device pixel wide, every e-th three.
  auto lines = [&](bool vertical) {
    const double extent = vertical ? PaperWidth : PaperHeight;
    const double across = std::trunc(vertical ? PaperHeight : PaperWidth);
    for (const GridLine& l : GridLines(extent, g)) {
      QPen pen(colour);
      pen.setCapStyle(Qt::FlatCap);
      pen.setWidthF(l.bold ? 3 : 1);
      painter.setPen(pen);
      if (vertical)
        painter.drawLine(to.at(l.n, 0), to.at(l.n, across));
      else
        painter.drawLine(to.at(0, l.n), to.at(across, l.n));
      if (l.bold) busy.progress(extent, l.n);
    }
  };
  caption(QStringLiteral("マトリクスデータ出力中(X)"));
  lines(true);
  caption(QStringLiteral("マトリクスデータ出力中(Y)"));
  lines(false);
  if (!out.end()) Refuse(QStringLiteral("印刷データを書き込めませんでした。\n") + out.target());
}

}  // namespace tupalo
