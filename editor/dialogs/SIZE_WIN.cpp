#include "editor/dialogs/SIZE_WIN.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <cmath>

#include "editor/core/P_WIN.h"
#include "editor/core/WholePicture.h"
#include "editor/files/PictureFile.h"
#include "platform/FloatingWindow.h"

namespace tupalo {

// ---------------------------------------------------------------------------
// The size boxes

QValidator::State SizeBoxValidator::validate(QString& input, int& pos) const {
  QString kept;
  int keptPos = 0;
  for (int i = 0; i < input.size(); ++i) {
    const QChar c = input.at(i);
    // The blank a number is written with stays; the user cannot add one.
    const bool ok =
        (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (i == 0 && c == QLatin1Char(' '));
    if (!ok) continue;
    kept.append(c);
    if (i < pos) ++keptPos;
  }
  input = kept;
  pos = keptPos;
  return Acceptable;
}

std::optional<std::int64_t> SizeBoxValue(const QString& text) {
  std::int64_t v = 0;
  bool any = false;
  for (const QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) continue;
    any = true;
    v = std::min(kSizeValueCap, v * 10 + (c.unicode() - '0'));
  }
  if (!any) return std::nullopt;
  return v;
}

QString SizeBoxText(std::int64_t value) { return QStringLiteral(" ") + QString::number(value); }

std::int64_t CoupledSize(std::int64_t value, double ratio) {
  const double v = std::trunc(static_cast<double>(value) * ratio);
  if (!(v >= 0)) return 0;
  return v > double(kSizeValueCap) ? kSizeValueCap : static_cast<std::int64_t>(v);
}

std::optional<QString> SizeRefusal(std::int64_t width, std::int64_t height) {
  if (width < 1 || height < 1)
    return QStringLiteral("PictureSize の値が異常です\n幅と高さは 1 以上にしてください");
  if (width > kMaxPictureSide || height > kMaxPictureSide)
    return QStringLiteral("PictureSize の値が大きすぎます\n幅と高さは ") +
           QString::number(kMaxPictureSide) + QStringLiteral(" 以下にしてください");
  // The new picture is made beside the old one, which goes only afterwards.
  if (checkPictureSize(width, height, 0))
    return QStringLiteral("メモリが不足しているため ") + QString::number(width) +
           QStringLiteral(" × ") + QString::number(height) +
           QStringLiteral(" の画像は作れません\n小さい値を入力してください");
  return std::nullopt;
}

// ---------------------------------------------------------------------------
// The window

SIZE_WIN::SIZE_WIN(Editor& e, P_WIN& owner) : QDialog(&owner), e_(e), owner_(owner) {
  setObjectName(QStringLiteral("SIZE_WIN"));
  makeToolWindow(this, /*closeButton=*/true);
  setModal(false);

  PS_Flame = new QGroupBox(QStringLiteral("PictureSize"), this);
  Label1 = new QLabel(QStringLiteral("Width(X)"), PS_Flame);
  Label2 = new QLabel(QStringLiteral("Height(Y)"), PS_Flame);
  Label3 = new QLabel(QStringLiteral(" X"), PS_Flame);
  Label4 = new QLabel(QStringLiteral(" Y"), PS_Flame);
  X_SIZE = new QLineEdit(PS_Flame);
  Y_SIZE = new QLineEdit(PS_Flame);
  for (QLineEdit* box : {X_SIZE, Y_SIZE}) {
    box->setValidator(new SizeBoxValidator(box));
    box->setAlignment(Qt::AlignRight);
    box->setFixedWidth(90);
  }
  auto* sizes = new QGridLayout(PS_Flame);
  sizes->addWidget(Label1, 0, 0);
  sizes->addWidget(X_SIZE, 0, 1);
  sizes->addWidget(Label3, 0, 2);
  sizes->addWidget(Label2, 1, 0);
  sizes->addWidget(Y_SIZE, 1, 1);
  sizes->addWidget(Label4, 1, 2);

  XY_MAG = new QCheckBox(QStringLiteral("X/Yの比率を維持"), this);
  EXP_FLAG = new QCheckBox(QStringLiteral("Expand case Resize"), this);
  EXP_MODE_FLM = new QGroupBox(QStringLiteral("Expand mode"), this);
  auto* modes = new QVBoxLayout(EXP_MODE_FLM);
  const char* const names[] = {"DeleteLines", "OR", "AND"};
  for (int i = 0; i < 3; ++i) {
    EXP_MODE[i] = new QRadioButton(QLatin1String(names[i]), EXP_MODE_FLM);
    modes->addWidget(EXP_MODE[i]);
    connect(EXP_MODE[i], &QRadioButton::clicked, this, [this, i] { EXP_MODE_Click(i); });
  }

  OK = new QPushButton(QStringLiteral("Ok"), this);
  CANCEL = new QPushButton(QStringLiteral("Cancel"), this);
  OK->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OK);
  buttons->addWidget(CANCEL);

  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(PS_Flame);
  layout->addWidget(XY_MAG);
  layout->addWidget(EXP_FLAG);
  layout->addWidget(EXP_MODE_FLM);
  layout->addLayout(buttons);

  connect(X_SIZE, &QLineEdit::textChanged, this, [this] { X_SIZE_Change(); });
  connect(Y_SIZE, &QLineEdit::textChanged, this, [this] { Y_SIZE_Change(); });
  connect(EXP_FLAG, &QCheckBox::clicked, this, [this] { EXP_FLAG_Click(); });
  connect(OK, &QPushButton::clicked, this, [this] { OK_Click(); });
  connect(CANCEL, &QPushButton::clicked, this, [this] { CANCEL_Click(); });
}

void SIZE_WIN::Open() {
  if (open_) return;
  setWindowTitle(e_.TitlePrefix);
  const int W = std::max(1, e_.PicSize.x), H = std::max(1, e_.PicSize.y);
  RatioXY = double(W) / H;
  RatioYX = double(H) / W;
  Filling = 0;
  // Every opening starts as the window did the first time: no coupling
  // while the boxes are filled, cutting or extending, "DeleteLines".
  XY_MAG->setChecked(false);
  X_SIZE->setText(SizeBoxText(e_.PicSize.x));
  Y_SIZE->setText(SizeBoxText(e_.PicSize.y));
  EXP_FLAG->setChecked(false);
  EXP_MODE_Click(0);
  EXP_FLAG_Click();
  // Without trustworthy stretching only cutting or extending is offered.
  const bool scaling = e_.settings.SZWM == 1;
  XY_MAG->setVisible(scaling);
  EXP_FLAG->setVisible(scaling);
  EXP_MODE_FLM->setVisible(scaling);
  adjustSize();

  disableMainWindows();
  open_ = true;
  centreOnOwner();
  show();
  raise();
  activateWindow();
  centreOnOwner();  // again, now that the frame is known
  X_SIZE->setFocus(Qt::OtherFocusReason);
}

void SIZE_WIN::centreOnOwner() {
  const QRect main = owner_.frameGeometry();
  const QSize own = frameGeometry().size();
  const int left = std::max(0, main.left() + main.width() / 2 - own.width() / 2);
  const int top = std::max(0, main.top() + main.height() / 2 - own.height() / 2);
  move(left, top);
  keepOnScreen(this, frameMargins(this));
}

void SIZE_WIN::disableMainWindows() { mainDisabled_.Disable(owner_, this); }

void SIZE_WIN::enableMainWindows() { mainDisabled_.Restore(); }

void SIZE_WIN::finish() {
  if (!open_) return;
  open_ = false;
  enableMainWindows();
  QDialog::reject();
  owner_.activateWindow();
}

void SIZE_WIN::reject() { CANCEL_Click(); }

void SIZE_WIN::CANCEL_Click() { finish(); }

void SIZE_WIN::X_SIZE_Change() {
  if (!XY_MAG->isChecked() || Filling != 0) return;
  Filling = 1;
  Y_SIZE->setText(SizeBoxText(CoupledSize(SizeBoxValue(X_SIZE->text()).value_or(0), RatioYX)));
  Filling = 0;
}

void SIZE_WIN::Y_SIZE_Change() {
  if (!XY_MAG->isChecked() || Filling != 0) return;
  Filling = 1;
  X_SIZE->setText(SizeBoxText(CoupledSize(SizeBoxValue(Y_SIZE->text()).value_or(0), RatioXY)));
  Filling = 0;
}

void SIZE_WIN::EXP_FLAG_Click() {
  for (QRadioButton* b : EXP_MODE) b->setEnabled(EXP_FLAG->isChecked());
}

void SIZE_WIN::EXP_MODE_Click(int i) {
  if (i < 0 || i >= int(EXP_MODE.size())) return;
  for (int k = 0; k < int(EXP_MODE.size()); ++k) EXP_MODE[k]->setChecked(k == i);
  SelectedMode = static_cast<int16_t>(i);
}

void SIZE_WIN::OK_Click() {
  const auto X = SizeBoxValue(X_SIZE->text());
  const auto Y = SizeBoxValue(Y_SIZE->text());
  if (!X || !Y) {
    MessageRequest req;
    req.title = QStringLiteral("Tupalo");  // the program's name
    req.text = QStringLiteral("PictureSize の値が異常です\n再入力してください");
    req.buttons = Buttons::Ok;
    e_.prompter->message(req);
    return;
  }
  if (const auto why = SizeRefusal(*X, *Y)) {
    owner_.Ask(*why, Buttons::Ok, Icon::Exclamation);
    return;
  }
  Resize how = Resize::CutOrExtend;
  if (EXP_FLAG->isChecked()) {
    static constexpr Resize kModes[] = {Resize::DeleteLines, Resize::Or, Resize::And};
    how = kModes[std::clamp<int>(SelectedMode, 0, 2)];
  }
  bool resized;
  {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    resized = ResizePicture(e_, int(*X), int(*Y), how);
    QApplication::restoreOverrideCursor();
  }
  if (!resized) {
    owner_.Ask(QStringLiteral("メモリが不足しているため ") + QString::number(*X) +
                   QStringLiteral(" × ") + QString::number(*Y) +
                   QStringLiteral(" の画像は作れません\n画像は元のままです"),
               Buttons::Ok, Icon::Exclamation);
    return;
  }
  owner_.PictureReshaped(e_.settings.BEAU == 1 && e_.settings.BEWD == 1);
  finish();
}

}  // namespace tupalo
