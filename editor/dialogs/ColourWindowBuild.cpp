// The colour window's small controls and the building of its panels: the
// grid of step buttons, the R, G, B and H, S, V bars, and the colour pages.
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>

#include "editor/core/P_WIN.h"
#include "editor/dialogs/COL_WIN.h"
#include "editor/dialogs/ColourWindowMath.h"
#include "platform/FloatingWindow.h"

namespace tupalo {

using namespace colwin;

namespace {

// The window is laid out in pixels, as the palette is.
constexpr int kWidth = 196;
constexpr int kPanelHeight = 120;
constexpr int kBoxTop = kPanelHeight + 4;
constexpr int kBoxWidth = 42;
constexpr int kBoxHeight = 28;
constexpr int kPanelButtonTop = kBoxTop + 48;
constexpr int kHeight = kPanelButtonTop + 26;
constexpr int kFrameWidth = 3;  // of TAR_COL and DES_COL

// Command4 and Label7 share one place, given in twips at 15 per pixel.
constexpr int kModeLeft = 550 / 15, kModeTop = 1440 / 15;
constexpr int kModeWidth = 905 / 15, kModeHeight = 270 / 15;

QColor qcolor(Rgb c) { return QColor(c.r, c.g, c.b); }

// "赤・緑" for the components a grid step changes.
QString componentNames(Rgb changed) {
  QStringList names;
  if (changed.r != 0) names << QStringLiteral("赤");
  if (changed.g != 0) names << QStringLiteral("緑");
  if (changed.b != 0) names << QStringLiteral("青");
  return names.join(QStringLiteral("・"));
}

QPushButton* makeButton(const QString& text, QWidget* parent, const QRect& place) {
  auto* b = new QPushButton(text, parent);
  b->setGeometry(place);
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

}  // namespace

// ---------------------------------------------------------------------------
// ColourBox, RgbBarsBox, ClickLabel

ColourBox::ColourBox(QWidget* parent) : QWidget(parent) {
  frame_ = palette().color(QPalette::Button);
}

void ColourBox::setColour(const QColor& c) {
  if (c == colour_) return;
  colour_ = c;
  update();
}

void ColourBox::setFrameColour(const QColor& c) {
  if (c == frame_) return;
  frame_ = c;
  update();
}

void ColourBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), frame_);
  const QRect inner = rect().adjusted(kFrameWidth, kFrameWidth, -kFrameWidth, -kFrameWidth);
  // A thin dark edge keeps a colour equal to the frame's apart from it.
  p.fillRect(inner, palette().color(QPalette::Dark));
  p.fillRect(inner.adjusted(1, 1, -1, -1), colour_);
}

void ColourBox::mousePressEvent(QMouseEvent* ev) {
  if (ev->button() == Qt::LeftButton) emit clicked();
}

RgbBarsBox::RgbBarsBox(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(1);
}

void RgbBarsBox::Draw(Rgb c) {
  const QSize inner = contentsRect().size();
  if (image_.size() != inner) image_ = QImage(inner, QImage::Format_RGB32);
  if (image_.isNull()) return;
  QPainter p(&image_);
  p.fillRect(image_.rect(), palette().color(QPalette::Button));
  const int W = inner.width();
  const double h = inner.height() / 3.0;
  const int parts[3] = {c.r, c.g, c.b};
  const int colours[3] = {12, 10, 9};  // light red, light green, light blue
  for (int k = 0; k < 3; ++k) {
    const int top = int(std::lround(k * h)), bottom = int(std::lround((k + 1) * h));
    p.fillRect(0, top, RgbBarLength(W, parts[k]), bottom - top, qcolor(BasicColour(colours[k])));
  }
  update();
}

void RgbBarsBox::paintEvent(QPaintEvent* ev) {
  QFrame::paintEvent(ev);
  if (image_.isNull()) return;
  QPainter p(this);
  p.drawImage(contentsRect().topLeft(), image_);
}

void ClickLabel::mousePressEvent(QMouseEvent* ev) {
  if (ev->button() == Qt::LeftButton) emit clicked();
}

// ---------------------------------------------------------------------------
// Building the window

COL_WIN::COL_WIN(Editor& e, P_WIN& owner) : QWidget(&owner, Qt::Tool), e_(e), owner_(owner) {
  setObjectName(QStringLiteral("COL_WIN"));
  makeToolWindow(this, /*closeButton=*/true);
  setFixedSize(kWidth, kHeight);

  for (int i = 0; i < kPanels; ++i) {
    CSEL_BASE[i] = new QWidget(this);
    CSEL_BASE[i]->setGeometry(0, 0, kWidth, kPanelHeight);
    CSEL_BASE[i]->hide();
  }
  BuildRainPanel(CSEL_BASE[0]);
  BuildBarsPanel(CSEL_BASE[1]);
  BuildDictionaryPanel(CSEL_BASE[2]);

  auto* line = new QFrame(this);
  line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  line->setGeometry(2, kPanelHeight, kWidth - 4, 2);

  TAR_COL = new ColourBox(this);
  TAR_COL->setObjectName(QStringLiteral("TAR_COL"));
  TAR_COL->setGeometry(4, kBoxTop, kBoxWidth, kBoxHeight);
  TAR_COL->setToolTip(
      QStringLiteral("描画色: クリックで編集します（編集中にもう一度クリックでスポイト）"));
  DES_COL = new ColourBox(this);
  DES_COL->setObjectName(QStringLiteral("DES_COL"));
  DES_COL->setGeometry(8 + kBoxWidth, kBoxTop, kBoxWidth, kBoxHeight);
  DES_COL->setToolTip(
      QStringLiteral("指定色: クリックで編集します（編集中にもう一度クリックでスポイト）"));
  const char* const captions[2] = {"描画色", "指定色"};
  for (int k = 0; k < 2; ++k) {
    auto* l = new QLabel(QString::fromUtf8(captions[k]), this);
    l->setAlignment(Qt::AlignCenter);
    l->setGeometry(4 + k * (kBoxWidth + 4), kBoxTop + kBoxHeight + 1, kBoxWidth, 15);
  }
  connect(TAR_COL, &ColourBox::clicked, this, [this] { TAR_COL_Click(); });
  connect(DES_COL, &ColourBox::clicked, this, [this] { DES_COL_Click(); });

  COL_RGB = new RgbBarsBox(this);
  COL_RGB->setObjectName(QStringLiteral("COL_RGB"));
  COL_RGB->setGeometry(12 + 2 * kBoxWidth, kBoxTop, kWidth - 16 - 2 * kBoxWidth, 44);
  COL_RGB->setToolTip(QStringLiteral("編集中の色の 赤・緑・青"));

  const int bw = (kWidth - 8) / 3;
  Command1 = makeButton(QStringLiteral("Rain"), this, QRect(4, kPanelButtonTop, bw, 22));
  Command2 = makeButton(QStringLiteral("R/H"), this, QRect(4 + bw, kPanelButtonTop, bw, 22));
  Command3 = makeButton(QStringLiteral("Dic"), this,
                        QRect(4 + 2 * bw, kPanelButtonTop, kWidth - 8 - 2 * bw, 22));
  Command1->setToolTip(QStringLiteral("ボタンで色を少しずつ変えます"));
  Command2->setToolTip(QStringLiteral("RGB と HSV のスライダー"));
  Command3->setToolTip(QStringLiteral("色辞書"));
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });

  ShowSwatches();
  DrawRgbBars();
  PaintSwatchFrames();

  frameWatch_.setInterval(50);
  connect(&frameWatch_, &QTimer::timeout, this, [this] { CheckFrame(); });
}

void COL_WIN::BuildRainPanel(QWidget* panel) {
  // Seven columns: a colour on top, then "++", "+", "−", "−−" toward it.
  static const char* const kNames[kRainColumns] = {"青",     "赤", "マゼンタ", "緑",
                                                   "シアン", "黄", "白"};
  constexpr int kColumn = kWidth / kRainColumns;
  for (int i = 0; i < kRainColumns; ++i) {
    const int x = i * kColumn + 1;
    const QString name = QString::fromUtf8(kNames[i]);
    QPixmap swatch(18, 12);
    swatch.fill(qcolor(RainColour(i)));
    {
      QPainter p(&swatch);
      p.setPen(QColor(64, 64, 64));
      p.drawRect(0, 0, 17, 11);
    }
    C_BUT[i] = makeButton({}, panel, QRect(x, 2, kColumn - 2, 20));
    C_BUT[i]->setIcon(QIcon(swatch));
    C_BUT[i]->setIconSize(swatch.size());
    C_BUT[i]->setToolTip(name);
    const QString more = componentNames(RainStep({}, i, 1));
    const QString less = componentNames(RainStep({}, i, -1));
    PP_BUT[i] = makeButton(QStringLiteral("++"), panel, QRect(x, 25, kColumn - 2, 22));
    P_BUT[i] = makeButton(QStringLiteral("+"), panel, QRect(x, 48, kColumn - 2, 22));
    M_BUT[i] = makeButton(QStringLiteral("−"), panel, QRect(x, 71, kColumn - 2, 22));
    MM_BUT[i] = makeButton(QStringLiteral("−−"), panel, QRect(x, 94, kColumn - 2, 22));
    PP_BUT[i]->setToolTip(name + QStringLiteral("へ: ") + more + QStringLiteral(" +16"));
    P_BUT[i]->setToolTip(name + QStringLiteral("へ: ") + more + QStringLiteral(" +1"));
    M_BUT[i]->setToolTip(name + QStringLiteral("へ: ") + less + QStringLiteral(" −1"));
    MM_BUT[i]->setToolTip(name + QStringLiteral("へ: ") + less + QStringLiteral(" −16"));
    connect(C_BUT[i], &QPushButton::clicked, this, [this, i] { C_BUT_Click(i); });
    connect(PP_BUT[i], &QPushButton::clicked, this, [this, i] { PP_BUT_Click(i); });
    connect(P_BUT[i], &QPushButton::clicked, this, [this, i] { P_BUT_Click(i); });
    connect(M_BUT[i], &QPushButton::clicked, this, [this, i] { M_BUT_Click(i); });
    connect(MM_BUT[i], &QPushButton::clicked, this, [this, i] { MM_BUT_Click(i); });
  }
}

void COL_WIN::BuildBarsPanel(QWidget* panel) {
  struct Row {
    const char* letter;
    QColor ink;
    int maximum;
    const char* tip;
  };
  static const Row kRows[6] = {
      {"R", QColor(192, 0, 0), 255, "赤 (0〜255)"}, {"G", QColor(0, 128, 0), 255, "緑 (0〜255)"},
      {"B", QColor(0, 0, 192), 255, "青 (0〜255)"}, {"H", Qt::black, 360, "色相 (0〜360度)"},
      {"S", Qt::black, 255, "彩度 (0〜255)"},       {"V", Qt::black, 255, "明度 (0〜255)"}};
  QScrollBar** bars[6] = {&R_BAR, &G_BAR, &B_BAR, &H_BAR, &S_BAR, &V_BAR};
  QLabel** values[6] = {&R_VAL, &G_VAL, &B_VAL, &H_VAL, &S_VAL, &V_VAL};
  for (int k = 0; k < 6; ++k) {
    const int y = 4 + k * 18 + (k >= 3 ? 8 : 0);
    auto* letter = new QLabel(QLatin1String(kRows[k].letter), panel);
    letter->setGeometry(4, y, 14, 16);
    letter->setAlignment(Qt::AlignCenter);
    QFont bold = letter->font();
    bold.setBold(true);
    letter->setFont(bold);
    QPalette pal = letter->palette();
    pal.setColor(QPalette::WindowText, kRows[k].ink);
    letter->setPalette(pal);

    auto* bar = new QScrollBar(Qt::Horizontal, panel);
    bar->setGeometry(20, y, 130, 16);
    bar->setRange(0, kRows[k].maximum);
    bar->setSingleStep(1);
    bar->setPageStep(16);
    bar->setFocusPolicy(Qt::NoFocus);
    bar->setToolTip(QString::fromUtf8(kRows[k].tip));
    *bars[k] = bar;

    auto* value = new QLabel(ValueText(0), panel);
    value->setGeometry(152, y, 40, 16);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    value->setIndent(3);
    *values[k] = value;

    if (k < 3)
      connect(bar, &QScrollBar::valueChanged, this, [this, k](int v) { RGB_BAR_Change(k, v); });
    else
      connect(bar, &QScrollBar::valueChanged, this, [this, k](int v) { HSV_BAR_Change(k - 3, v); });
  }
  auto* line = new QFrame(panel);
  line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  line->setGeometry(20, 4 + 3 * 18 + 1, kWidth - 24, 2);
}

void COL_WIN::BuildDictionaryPanel(QWidget* panel) {
  Combo1 = new QComboBox(panel);
  Combo1->setObjectName(QStringLiteral("Combo1"));
  Combo1->setGeometry(3, 3, kWidth - 6, 22);
  Combo1->setEditable(true);
  // The text renames the page on Tab or Enter; it never adds an entry, and
  // completing it from other names would rename to a name already in use.
  Combo1->setInsertPolicy(QComboBox::NoInsert);
  Combo1->setCompleter(nullptr);
  Combo1->setMaxVisibleItems(ColourDictionary::kUsedPages);
  // An apostrophe starts a comment in the colour file: a name holding one
  // would come back cut short at the next start.
  Combo1->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^']*")), Combo1));
  Combo1->setToolTip(QStringLiteral("色辞書のページ（名前を書き換えて Enter で名前を変更）"));
  // Keys reach the combo box, which hands them to its line edit directly.
  Combo1->installEventFilter(this);
  Combo1->lineEdit()->installEventFilter(this);
  connect(Combo1, &QComboBox::activated, this, [this](int index) { Combo1_Click(index); });

  constexpr int kPerRow = 9, kCell = 21;
  for (int j = 0; j < kDictionaryColours; ++j) {
    // A to Z, then the character after Z, as the colour file names them.
    auto* l = new ClickLabel(QString(QChar(u'A' + j)), panel);
    l->setGeometry(4 + (j % kPerRow) * kCell, 29 + (j / kPerRow) * kCell, kCell - 1, kCell - 1);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameStyle(QFrame::Box | QFrame::Plain);
    l->setAutoFillBackground(true);
    connect(l, &ClickLabel::clicked, this, [this, j] { COLINDEX_Click(j); });
    COLINDEX[j] = l;
  }

  const QRect modePlace(kModeLeft, kModeTop, kModeWidth, kModeHeight);
  // The mode's place is small: its captions and the hint use a smaller type.
  QFont small = panel->font();
  small.setPixelSize(11);
  Label7 = new ClickLabel(QStringLiteral("WriteMode"), panel);
  Label7->setFont(small);
  Label7->setGeometry(modePlace);
  Label7->setAlignment(Qt::AlignCenter);
  Label7->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  QPalette warn = Label7->palette();
  warn.setColor(QPalette::WindowText, QColor(192, 0, 0));
  Label7->setPalette(warn);
  Label7->setToolTip(QStringLiteral("書き込みモード: クリックで読み込みモードに戻ります"));
  connect(Label7, &ClickLabel::clicked, this, [this] { Label7_Click(); });
  Command4 = makeButton(QStringLiteral("ReadMode"), panel, modePlace);
  Command4->setFont(small);
  Command4->setToolTip(QStringLiteral("読み込みモード: クリックで書き込みモードにします"));
  Command4->raise();
  connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
  modeHint_ = new QLabel(panel);
  modeHint_->setFont(small);
  modeHint_->setGeometry(kModeLeft + kModeWidth + 4, kModeTop, kWidth - kModeLeft - kModeWidth - 6,
                         kModeHeight);
  ShowModeHint();
}

}  // namespace tupalo
