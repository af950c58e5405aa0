#include "editor/dialogs/MERG_WIN.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "editor/core/P_WIN.h"
#include "editor/core/WAIT_WIN.h"
#include "platform/raster/Raster.h"

namespace tupalo {

namespace {

constexpr int kBoxWidth = 160;  // the thumbnail and preview boxes
constexpr int kBoxHeight = 120;

QFrame* makeBox(QWidget* parent, const char* name) {
  auto* box = new QFrame(parent);
  box->setObjectName(QLatin1String(name));
  box->setFixedSize(kBoxWidth, kBoxHeight);
  QPalette pal = box->palette();
  pal.setColor(QPalette::Window, QColor(128, 128, 128));
  box->setPalette(pal);
  box->setAutoFillBackground(true);
  return box;
}

SurfaceBox* makeImage(QFrame* box, const char* name) {
  auto* img = new SurfaceBox(box);
  img->setObjectName(QLatin1String(name));
  img->move(0, 0);
  return img;
}

QRadioButton* makeOption(const char* text, const char* name, QWidget* parent) {
  auto* o = new QRadioButton(QString::fromUtf8(text), parent);
  o->setObjectName(QLatin1String(name));
  return o;
}

}  // namespace

MERG_WIN::MERG_WIN(Editor& e, P_WIN& owner) : QWidget(&owner, Qt::Dialog), e_(e), owner_(owner) {
  setObjectName(QStringLiteral("MERG_WIN"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);

  Frame1 = new QGroupBox(QStringLiteral("編集中の絵"), this);
  BASE_WAKU = makeBox(Frame1, "BASE_WAKU");
  BASE_IMG = makeImage(BASE_WAKU, "BASE_IMG");
  (new QVBoxLayout(Frame1))->addWidget(BASE_WAKU);

  Frame2 = new QGroupBox(QStringLiteral("合成する絵"), this);
  BACK_WAKU = makeBox(Frame2, "BACK_WAKU");
  BACK_IMG = makeImage(BACK_WAKU, "BACK_IMG");
  Command1 = new QPushButton(QStringLiteral("ファイルの指定"), Frame2);
  Command1->setObjectName(QStringLiteral("Command1"));
  auto* f2 = new QVBoxLayout(Frame2);
  f2->addWidget(BACK_WAKU);
  f2->addWidget(Command1);

  Frame5 = new QGroupBox(QStringLiteral("編集中の絵で抜く色"), this);
  MASK = new QLabel(Frame5);
  MASK->setObjectName(QStringLiteral("MASK"));
  MASK->setFixedSize(40, 24);
  MASK->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  MASK->setAutoFillBackground(true);
  Label1 = new QLabel(
      QStringLiteral(
          "抜く色は対象色をデフォルトとしていますが、編集中の絵、合成する絵の上でマウスクリ"
          "ックすると取り込むこともできます。"),
      Frame5);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setWordWrap(true);
  auto* f5 = new QHBoxLayout(Frame5);
  f5->addWidget(MASK, 0, Qt::AlignTop);
  f5->addWidget(Label1, 1);

  Frame6 = new QGroupBox(QStringLiteral("合成の上下"), this);
  Option4 = makeOption("編集中の絵が上", "Option4", Frame6);
  Option5 = makeOption("編集中の絵が下", "Option5", Frame6);
  auto* f6 = new QVBoxLayout(Frame6);
  f6->addWidget(Option4);
  f6->addWidget(Option5);

  Frame3 = new QGroupBox(QStringLiteral("合成パラメータ"), this);
  Option1 = makeOption("上下を基準とする", "Option1", Frame3);
  Option2 = makeOption("左右を基準とする", "Option2", Frame3);
  Option3 = makeOption("左上を基準とし倍率補正をしない", "Option3", Frame3);
  Option6 = makeOption("左上を基準として倍率補正なし、リピート", "Option6", Frame3);
  auto* f3 = new QVBoxLayout(Frame3);
  for (QRadioButton* o : {Option1, Option2, Option3, Option6}) f3->addWidget(o);

  Check1 = new QCheckBox(QStringLiteral("PreViewを自動的に更新する。"), this);
  Check1->setObjectName(QStringLiteral("Check1"));

  Frame4 = new QGroupBox(QStringLiteral("PreView"), this);
  PRE_WAKU = makeBox(Frame4, "PRE_WAKU");
  PRE_IMG = makeImage(PRE_WAKU, "PRE_IMG");
  REDISP = new QPushButton(QStringLiteral("再描画"), Frame4);
  REDISP->setObjectName(QStringLiteral("REDISP"));
  auto* f4 = new QVBoxLayout(Frame4);
  f4->addWidget(PRE_WAKU);
  f4->addWidget(REDISP);

  Command2 = new QPushButton(QStringLiteral("Ok"), this);
  Command2->setObjectName(QStringLiteral("Command2"));
  CANCEL = new QPushButton(QStringLiteral("編集に戻る"), this);
  CANCEL->setObjectName(QStringLiteral("CANCEL"));

  auto* grid = new QGridLayout(this);
  grid->setSizeConstraint(QLayout::SetFixedSize);
  grid->addWidget(Frame1, 0, 0);
  grid->addWidget(Frame2, 0, 1);
  grid->addWidget(Frame4, 0, 2);
  grid->addWidget(Frame5, 1, 0, 1, 2);
  grid->addWidget(Frame6, 2, 0);
  grid->addWidget(Frame3, 2, 1);
  auto* side = new QVBoxLayout;
  side->addWidget(Check1);
  side->addStretch(1);
  side->addWidget(Command2);
  side->addWidget(CANCEL);
  grid->addLayout(side, 1, 2, 2, 1);

  BASE_IMG->onPress = [this](Qt::MouseButton, int x, int y) { BASE_IMG_MouseDown(x, y); };
  BACK_IMG->onPress = [this](Qt::MouseButton, int x, int y) { BACK_IMG_MouseDown(x, y); };
  for (QRadioButton* o : {Option1, Option2, Option3, Option4, Option5, Option6})
    connect(o, &QRadioButton::clicked, this, [this, o] { Option_Click(o); });
  connect(Check1, &QCheckBox::clicked, this, [this] { Check1_Click(); });
  connect(REDISP, &QPushButton::clicked, this, [this] { REDISP_Click(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(CANCEL, &QPushButton::clicked, this, [this] { CANCEL_Click(); });
}

// ---------------------------------------------------------------------------
// Opening and leaving

void MERG_WIN::Open() {
  if (open_) {
    raise();
    return;
  }
  open_ = true;
  setWindowTitle(e_.TitlePrefix);
  adjustSize();
  // Centred on the main window, never above or left of the screen's corner.
  const QRect m = owner_.geometry();
  move(std::max(0, m.x() + (m.width() - width()) / 2),
       std::max(0, m.y() + (m.height() - height()) / 2));

  mainDisabled_.Disable(owner_, this);

  ThumbnailScale = FitThumbnail(e_.PIC, BASE_WAKU, BASE_IMG);
  FitThumbnail(e_.WORK, BACK_WAKU, BACK_IMG);
  Key = e_.Color2;
  ShowKey();
  Option1->setChecked(true);
  Option4->setChecked(true);
  Option4->setEnabled(true);
  Option5->setEnabled(true);
  const QCursor pick = owner_.PointerShape(QStringLiteral("SPOIT"));
  BASE_IMG->setCursor(pick);
  BACK_IMG->setCursor(pick);
  Check1->setChecked(e_.settings.MERM == 1);
  PRE_IMG->setPictureSize(0, 0);
  PRE_IMG->update();
  show();
  raise();
  AutoPreview();
}

void MERG_WIN::Leave() {
  if (!open_) return;
  open_ = false;
  mainDisabled_.Restore();
  hide();
}

void MERG_WIN::closeEvent(QCloseEvent* ev) {
  // The title bar's close is a way back to editing too.
  Leave();
  ev->accept();
}

void MERG_WIN::CANCEL_Click() { Leave(); }

void MERG_WIN::keyPressEvent(QKeyEvent* ev) {
  if (ev->key() == Qt::Key_Escape)
    CANCEL_Click();
  else
    QWidget::keyPressEvent(ev);
}

// ---------------------------------------------------------------------------
// Thumbnails, key colour, options

double MERG_WIN::FitThumbnail(const raster::Surface& src, QFrame* box, SurfaceBox* img) {
  if (src.empty()) {
    img->setPictureSize(0, 0);
    return 1.0;
  }
  const double scale =
      std::min(double(box->width()) / src.width(), double(box->height()) / src.height());
  const int w = std::max(1, static_cast<int>(std::nearbyint(src.width() * scale)));
  const int h = std::max(1, static_cast<int>(std::nearbyint(src.height() * scale)));
  img->setPictureSize(w, h);
  // Nearest pixels only: every colour of the thumbnail is one of the picture's.
  raster::StretchBlt(img->surface, 0, 0, w, h, src, 0, 0, src.width(), src.height(),
                     raster::COLORONCOLOR);
  img->update();
  return scale;
}

void MERG_WIN::ShowKey() {
  QPalette pal = MASK->palette();
  pal.setColor(QPalette::Window, QColor(Key.r, Key.g, Key.b));
  MASK->setPalette(pal);
}

void MERG_WIN::TakeKey(const SurfaceBox* img, int x, int y) {
  const raster::ColourRef c = raster::GetPixel(img->surface, x, y);
  if (c == raster::CLR_INVALID) return;
  Key = {int32_t(c & 0xFF), int32_t((c >> 8) & 0xFF), int32_t((c >> 16) & 0xFF)};
  ShowKey();
  AutoPreview();
}

void MERG_WIN::BASE_IMG_MouseDown(int x, int y) { TakeKey(BASE_IMG, x, y); }
void MERG_WIN::BACK_IMG_MouseDown(int x, int y) { TakeKey(BACK_IMG, x, y); }

void MERG_WIN::Option_Click(QRadioButton* option) {
  if (option == Option6) {
    // Tiles fill every key pixel of the edited picture, which must lie on top.
    Option4->setChecked(true);
    Option4->setEnabled(false);
    Option5->setEnabled(false);
  } else if (option == Option1 || option == Option2 || option == Option3) {
    Option4->setEnabled(true);
    Option5->setEnabled(true);
  }
  AutoPreview();
}

void MERG_WIN::Check1_Click() {
  e_.settings.MERM = Check1->isChecked() ? 1 : 0;
  AutoPreview();
}

MergePlacement MERG_WIN::placement() const {
  if (Option2->isChecked()) return MergePlacement::FitWidth;
  if (Option3->isChecked()) return MergePlacement::TopLeft;
  if (Option6->isChecked()) return MergePlacement::Tiled;
  return MergePlacement::FitHeight;
}

// ---------------------------------------------------------------------------
// Preview

void MERG_WIN::AutoPreview() {
  if (Check1->isChecked()) REDISP_Click();
}

void MERG_WIN::REDISP_Click() {
  const raster::Surface& base = BASE_IMG->surface;
  PRE_IMG->setPictureSize(base.width(), base.height());
  PRE_IMG->surface = base;
  // The same rule at thumbnail scale: fitted placements by the thumbnail's
  // own size, 1:1 placements by the inverse of the thumbnail scale.
  const MergePlacement p = placement();
  const double k =
      (p == MergePlacement::FitHeight || p == MergePlacement::FitWidth)
          ? MergeStep(p, base.width(), base.height(), e_.WORK.width(), e_.WORK.height())
          : 1.0 / ThumbnailScale;
  MergeInto(PRE_IMG->surface, e_.WORK, k, p == MergePlacement::Tiled, editedOnTop(), Key.ref());
  PRE_IMG->update();
}

// ---------------------------------------------------------------------------
// The second picture

void MERG_WIN::Command1_Click() {
  const FileAnswer chosen = owner_.ChooseOpenFile();
  if (chosen.path.isEmpty()) return;
  LoadSecondPicture(chosen.path);
}

void MERG_WIN::LoadSecondPicture(const QString& path) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  raster::Surface loaded;
  const P_WIN::PictureRead read =
      owner_.ReadPicture(path, loaded, P_WIN::PictureKinds::BitmapsOnly);
  QApplication::restoreOverrideCursor();
  if (read == P_WIN::PictureRead::Told) return;  // a reader add-in said why
  if (read == P_WIN::PictureRead::Unsupported) {
    owner_.Ask(QStringLiteral("サポート外のファイル形式です。"), Buttons::Ok, Icon::Exclamation);
    return;
  }
  if (read == P_WIN::PictureRead::Failed) {
    // The picture loaded before stays.
    owner_.Ask(
        QStringLiteral("ファイルが存在しない又はメモリ不足です 読み込みを中止します\n") + path,
        Buttons::Ok, Icon::Exclamation);
    return;
  }
  e_.WORK = std::move(loaded);
  FitThumbnail(e_.WORK, BACK_WAKU, BACK_IMG);
  AutoPreview();
}

// ---------------------------------------------------------------------------
// The merge

void MERG_WIN::Command2_Click() {
  {
    BusyScope busy(*owner_.waitWin, QStringLiteral("合成中"));
    busy.progress(0, 0);
    const int W = e_.PIC.width(), H = e_.PIC.height();
    const MergePlacement p = placement();
    const double k = MergeStep(p, W, H, e_.WORK.width(), e_.WORK.height());
    MergeInto(e_.PIC, e_.WORK, k, p == MergePlacement::Tiled, editedOnTop(), Key.ref(),
              [&busy](int done, int total) { busy.progress(total, done); });
    // The view goes back to the top-left, the undo step is gone and the
    // overview draws the merged picture.
    owner_.WholePictureChanged();
  }
  Leave();
}

}  // namespace tupalo
