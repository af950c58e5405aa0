#include "editor/addins/SPOP_WIN.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "editor/addins/AddInRegistry.h"
#include "editor/addins/AddInRun.h"
#include "editor/core/P_WIN.h"
#include "editor/files/PictureFile.h"
#include "platform/FloatingWindow.h"

namespace tupalo {

SpecialButton::SpecialButton(const QPixmap& image, QWidget* parent)
    : QAbstractButton(parent), image_(image) {
  setFixedSize(36, 36);
}

void SpecialButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawPixmap(0, 0, image_, 0, isDown() ? 36 : 0, 36, 36);
}

QPixmap SpecialButtonImage(const QString& program) {
  QPixmap image(36, 72);
  image.fill(QColor(192, 192, 192));
  QPainter p(&image);
  auto bevel = [&](int top, bool raised) {
    p.setPen(raised ? Qt::white : QColor(64, 64, 64));
    p.drawLine(0, top, 35, top);
    p.drawLine(0, top, 0, top + 35);
    p.setPen(raised ? QColor(64, 64, 64) : Qt::white);
    p.drawLine(35, top, 35, top + 35);
    p.drawLine(0, top + 35, 35, top + 35);
  };
  bevel(0, true);
  bevel(36, false);
  const QFileInfo info(program);
  for (const char* ext : {".png", ".ico", ".bmp", ".PNG", ".ICO", ".BMP"}) {
    const QString picture =
        info.absolutePath() + QLatin1Char('/') + info.completeBaseName() + QLatin1String(ext);
    QPixmap icon;
    if (!QFileInfo(picture).isFile() || !icon.load(picture)) continue;
    p.drawPixmap(QRect(2, 2, 32, 32), icon);
    p.drawPixmap(QRect(2, 39, 31, 31), icon);
    break;
  }
  p.end();
  return image;
}

SPOP_WIN::SPOP_WIN(Editor& e, P_WIN& owner) : QWidget(&owner), e_(e), owner_(owner) {
  makeToolWindow(this, true);
  // While it is open the main window, the palette and the colour window take
  // no input; the window itself stays usable during a run.
  setWindowModality(Qt::ApplicationModal);
  auto* layout = new QVBoxLayout(this);
  panels = new QStackedWidget(this);
  Picture1 = new QWidget(panels);
  Picture2 = new QWidget(panels);
  auto* running = new QVBoxLayout(Picture2);
  auto* head = new QHBoxLayout;
  SPOP_ICON = new QLabel(Picture2);
  SPOP_ICON->setFixedSize(36, 36);
  SPOP_NAME = new QLabel(Picture2);
  head->addWidget(SPOP_ICON);
  head->addWidget(SPOP_NAME, 1);
  running->addLayout(head);
  running->addWidget(
      new QLabel(QStringLiteral("現在上記Optionに処理を引き渡しています。"), Picture2));
  Command1 = new QPushButton(QStringLiteral("終了待ちを中止する"), Picture2);
  running->addWidget(Command1);
  panels->addWidget(Picture1);
  panels->addWidget(Picture2);
  layout->addWidget(panels);
  Command2 = new QPushButton(QStringLiteral("戻る"), this);
  layout->addWidget(Command2);
  connect(Command1, &QPushButton::clicked, this, &SPOP_WIN::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &SPOP_WIN::Command2_Click);
}

void SPOP_WIN::Open() {
  ++openings_;
  LauncherWindowOpen = 1;
  setWindowTitle(e_.TitlePrefix + QStringLiteral(" Special Option Lancher"));
  // The buttons, five to a row.
  for (SpecialButton* b : SPOP_BUT) b->deleteLater();
  SPOP_BUT.clear();
  buttonEntry.clear();
  delete Picture1->layout();
  auto* grid = new QGridLayout(Picture1);
  grid->setSpacing(0);
  const AddInRegistry& r = e_.addins;
  for (int i = 0; i < std::min(r.SpecialCount, addin::kMaxSpecials); ++i) {
    if (r.Specials[i].addIn.isEmpty()) continue;
    const FoundAddIn a = FindAddIn(r, r.Specials[i].addIn);
    if (a.missing || !QFileInfo(a.path).isFile()) continue;
    auto* b = new SpecialButton(SpecialButtonImage(a.path), Picture1);
    b->setToolTip(a.title);
    const int n = int(SPOP_BUT.size());
    grid->addWidget(b, n / 5, n % 5);
    connect(b, &QAbstractButton::clicked, this, [this, i] { SPOP_BUT_Click(i); });
    SPOP_BUT.push_back(b);
    buttonEntry.push_back(i);
  }
  grid->setRowStretch(grid->rowCount(), 1);
  grid->setColumnStretch(5, 1);
  panels->setCurrentWidget(Picture1);
  adjustSize();
  resize(std::max(width(), 260), std::max(height(), 140));
  const QRect main = owner_.frameGeometry();
  move(main.center() - QPoint(width() / 2, height() / 2));
  showToolWindow(this);
  raise();
  activateWindow();
}

void SPOP_WIN::SPOP_BUT_Click(int i) {
  if (SpecialOptionBusy == 1) {
    owner_.Ask(QStringLiteral("現在既に1つ起動されています"), Buttons::Ok, Icon::None);
    return;
  }
  const AddInRegistry& r = e_.addins;
  if (i < 0 || i >= addin::kMaxSpecials) return;
  const AddInCommand option = r.Specials[i];
  const FoundAddIn a = FindAddIn(r, option.addIn);
  if (a.missing) {
    owner_.Ask(QStringLiteral("Add_In情報が不正です実行ファイルを見つけられません"), Buttons::Ok,
               Icon::None);
    return;
  }
  SpecialOptionBusy = 1;
  StopWaiting = 0;
  const int opening = openings_;
  Command2->setEnabled(false);
  SpecialButton* pressed = nullptr;
  for (size_t k = 0; k < buttonEntry.size(); ++k)
    if (buttonEntry[k] == i) pressed = SPOP_BUT[k];
  if (pressed) pressed->setDown(true);
  SPOP_NAME->setText(a.title);
  SPOP_ICON->setPixmap(pressed ? pressed->image().copy(0, 0, 36, 36) : QPixmap());
  panels->setCurrentWidget(Picture2);
  owner_.HidePalettes();

  auto finish = [&] {
    if (pressed) pressed->setDown(false);
    panels->setCurrentWidget(Picture1);
    SpecialOptionBusy = 0;
    Command2->setEnabled(true);
  };
  const QString exchange = owner_.NewExchangeFile(QString(), false);
  QString why;
  if (exchange.isEmpty() || !writeBitmapFile(exchange, e_.PIC, &why)) {
    if (!exchange.isEmpty()) {
      QFile::remove(exchange);
      owner_.Ask(exchange +
                     QStringLiteral("\nパス又はファイル名が不正です　SAVEできません\n理由 : ") +
                     why,
                 Buttons::Ok, Icon::Exclamation);
    }
    owner_.ShowPalettes();
    finish();
    return;
  }
  const RunOutcome run = RunAndWait(e_, a.path, ExpandArguments(e_, option.command, exchange), [&] {
    return StopWaiting == 0 && LauncherWindowOpen == 1 && openings_ == opening;
  });
  owner_.ShowPalettes();
  const bool stillOpen = LauncherWindowOpen == 1 && openings_ == opening;
  if (!stillOpen) {
    QFile::remove(exchange);
  } else if (run.kind == RunOutcome::Ended) {
    if (run.exitCode != 0) {
      owner_.Ask(a.title + QStringLiteral("\nOptionの処理が失敗しました (終了コード ") +
                     QString::number(run.exitCode) + QStringLiteral(")\n画像は変更されません"),
                 Buttons::Ok, Icon::Exclamation);
    } else {
      const QString name = e_.CurrentFileName;
      int16_t result = 0;
      owner_.LoadImage(exchange, result);
      e_.CurrentFileName = name;
      owner_.SetCaption(name);
    }
    QFile::remove(exchange);
  } else if (run.kind == RunOutcome::NotStarted) {
    QFile::remove(exchange);
  }
  // Stopped waiting: the option may still be writing its file; it stays.
  finish();
}

void SPOP_WIN::Command1_Click() { StopWaiting = 1; }

void SPOP_WIN::Command2_Click() { close(); }

void SPOP_WIN::closeEvent(QCloseEvent* ev) {
  if (SpecialOptionBusy == 1 &&
      owner_.Ask(QStringLiteral(
                     "起動したOptionはまだ終了していません。\n相手が終わるのを待たずに戻りますか?"),
                 Buttons::YesNo, Icon::None, -1,
                 QStringLiteral(" SpecialOption 終了")) != Answer::Yes) {
    ev->ignore();
    return;
  }
  LauncherWindowOpen = 0;
  ev->accept();
}

}  // namespace tupalo
