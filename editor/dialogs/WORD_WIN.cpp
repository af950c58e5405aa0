#include "editor/dialogs/WORD_WIN.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "editor/core/P_WIN.h"

namespace tupalo {

namespace wordwin {

QString TextForCaption(const QString& caption) {
  QString text = caption;
  if (text.startsWith(u' ')) text.remove(0, 1);
  if (text.endsWith(u' ')) text.chop(1);
  return text;
}

QString CaptionForText(const QString& text) {
  QString caption = text;
  if (!caption.startsWith(u' ')) caption.prepend(u' ');
  if (!caption.endsWith(u' ')) caption.append(u' ');
  return caption;
}

std::optional<int> ParseFontSize(const QString& text) {
  bool ok = false;
  const double v = text.trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(v)) return std::nullopt;
  // Held to the range before it becomes an integer, so no size overflows.
  const double held = std::clamp(std::nearbyint(v), 1.0, double(kMaxWordPointSize));
  return static_cast<int>(held);
}

QString SizeText(int size) {
  return size < 0 ? QString::number(size) : QStringLiteral(" ") + QString::number(size);
}

}  // namespace wordwin

using namespace wordwin;

WORD_WIN::WORD_WIN(Editor& e, P_WIN& owner) : QDialog(&owner), e_(e), owner_(owner) {
  setObjectName(QStringLiteral("WORD_WIN"));
  setModal(false);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::CustomizeWindowHint);

  Frame1 = new QGroupBox(QStringLiteral("テキスト"), this);
  Text1 = new QLineEdit(Frame1);
  (new QVBoxLayout(Frame1))->addWidget(Text1);

  Frame3 = new QGroupBox(QStringLiteral("表示イメージ"), this);
  Label2 = new QLabel(Frame3);
  Label2->setTextFormat(Qt::PlainText);
  Label2->setFixedSize(380, 96);
  Label2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  Label2->setAutoFillBackground(true);
  (new QVBoxLayout(Frame3))->addWidget(Label2);

  Frame2 = new QGroupBox(QStringLiteral("Font名とFontサイズ"), this);
  FNT_NAME = new QLabel(Frame2);
  FNT_NAME->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  FNT_NAME->setMinimumWidth(200);
  FNT_SIZE = new QLineEdit(Frame2);
  FNT_SIZE->setFixedWidth(56);
  SC_FONT = new QScrollBar(Qt::Vertical, Frame2);
  SC_FONT->setRange(1, kMaxWordPointSize);
  SC_FONT->setFixedHeight(FNT_SIZE->sizeHint().height());
  Label1 = new QLabel(QStringLiteral("Point"), Frame2);
  Label4 = new QLabel(Frame2);
  Label3 = new QLabel(Frame2);
  Command1 = new QPushButton(QStringLiteral("変更する"), Frame2);
  auto* fontGrid = new QGridLayout(Frame2);
  fontGrid->addWidget(FNT_NAME, 0, 0, 1, 3);
  fontGrid->addWidget(FNT_SIZE, 0, 3);
  fontGrid->addWidget(SC_FONT, 0, 4);
  fontGrid->addWidget(Label1, 0, 5);
  fontGrid->addWidget(Label4, 1, 0);
  fontGrid->addWidget(Label3, 1, 1);
  fontGrid->addWidget(Command1, 1, 3, 1, 3);

  OK = new QPushButton(QStringLiteral("OK"), this);
  OK->setDefault(true);
  Command2 = new QPushButton(QStringLiteral("CANCEL"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OK);
  buttons->addWidget(Command2);

  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(Frame1);
  layout->addWidget(Frame3);
  layout->addWidget(Frame2);
  layout->addLayout(buttons);

  connect(Text1, &QLineEdit::textChanged, this, [this] { Text1_Change(); });
  connect(SC_FONT, &QScrollBar::valueChanged, this, [this](int v) { SC_FONT_Change(v); });
  connect(FNT_SIZE, &QLineEdit::editingFinished, this, [this] { FNT_SIZE_LostFocus(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(OK, &QPushButton::clicked, this, [this] { OK_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void WORD_WIN::Open() {
  if (isVisible()) {
    raise();
    activateWindow();
    return;
  }
  setWindowTitle(e_.TitlePrefix);
  font_ = e_.WORD.font;
  font_.pointSize = std::clamp(font_.pointSize, 1, kMaxWordPointSize);
  Text1->setText(TextForCaption(e_.WORD.caption));
  Label2->setText(Text1->text());
  QPalette pal = Label2->palette();
  pal.setColor(QPalette::WindowText, QColor(e_.Color1.r, e_.Color1.g, e_.Color1.b));
  Label2->setPalette(pal);
  ShowFont();

  // The main windows wait while the text is edited. Disabling the main window
  // disables the windows it owns, this one too: it is enabled again.
  mainDisabled_.Disable(owner_, this);

  // Centred on the main window by its own size, never above or left of the
  // screen's origin.
  adjustSize();
  const QRect main = owner_.frameGeometry();
  move(std::max(main.x() + main.width() / 2 - width() / 2, 0),
       std::max(main.y() + main.height() / 2 - height() / 2, 0));
  show();
  raise();
  activateWindow();
  Text1->setFocus(Qt::OtherFocusReason);
}

void WORD_WIN::done(int result) {
  mainDisabled_.Restore();
  QDialog::done(result);
}

void WORD_WIN::ShowFont() {
  QFont f(font_.name);
  f.setPointSize(font_.pointSize);
  f.setBold(font_.bold);
  f.setItalic(font_.italic);
  // The letters as the text tool writes them: one colour, no fringe.
  f.setStyleStrategy(QFont::NoAntialias);
  Label2->setFont(f);
  FNT_NAME->setText(font_.name);
  FNT_SIZE->setText(SizeText(font_.pointSize));
  {
    const QSignalBlocker quiet(SC_FONT);
    SC_FONT->setValue(font_.pointSize);
  }
  Label3->setText(font_.italic ? QStringLiteral("Italic") : QStringLiteral("......"));
  Label4->setText(font_.bold ? QStringLiteral("Bold") : QStringLiteral("...."));
}

void WORD_WIN::Text1_Change() { Label2->setText(Text1->text()); }

void WORD_WIN::SC_FONT_Change(int value) {
  font_.pointSize = value;
  ShowFont();
}

void WORD_WIN::FNT_SIZE_LostFocus() {
  // Sizes of 0, below it or beyond the bar's range are held to the range;
  // what is no number at all leaves the size as it was.
  if (const std::optional<int> size = ParseFontSize(FNT_SIZE->text())) font_.pointSize = *size;
  ShowFont();
}

void WORD_WIN::Command1_Click() {
  const std::optional<FontChoice> chosen = e_.prompter->chooseFont(font_);
  if (!chosen) return;  // cancelled: the font stays as it was
  font_ = *chosen;
  font_.pointSize = std::clamp(font_.pointSize, 1, kMaxWordPointSize);
  ShowFont();
}

void WORD_WIN::OK_Click() {
  FNT_SIZE_LostFocus();
  if (!owner_.ArmWord(CaptionForText(Text1->text()), font_, e_.Color1.ref())) {
    owner_.Ask(QStringLiteral("テキストが長すぎるため書けません。"), Buttons::Ok,
               Icon::Exclamation);
    return;
  }
  accept();
}

void WORD_WIN::Command2_Click() { reject(); }

}  // namespace tupalo
