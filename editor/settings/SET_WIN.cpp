#include "editor/settings/SET_WIN.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "editor/core/P_WIN.h"
#include "platform/Prompt.h"

namespace tupalo {

namespace {

QGroupBox* frame(const QString& caption, QWidget* parent) {
  auto* f = new QGroupBox(caption, parent);
  new QVBoxLayout(f);
  return f;
}

template <typename W>
W* addTo(QGroupBox* f, W* w) {
  f->layout()->addWidget(w);
  return w;
}

QLabel* note(const QString& text, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setWordWrap(true);
  return l;
}

}  // namespace

SET_WIN::SET_WIN(Editor& e, P_WIN& owner) : QDialog(&owner), e_(e), owner_(owner) {
  setWindowModality(Qt::ApplicationModal);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

  auto* top = new QVBoxLayout(this);
  auto* buttons = new QHBoxLayout;
  Command1 = new QPushButton(QStringLiteral("動作環境"), this);
  Command2 = new QPushButton(QStringLiteral("ﾗﾝﾁｬｰ設定"), this);
  Command3 = new QPushButton(QStringLiteral("起動設定"), this);
  Command4 = new QPushButton(QStringLiteral("自動保存"), this);
  Command6 = new QPushButton(QStringLiteral("Add_In情報"), this);
  Command8 = new QPushButton(QStringLiteral("動作設定2"), this);
  PageButtons = {Command1, Command2, Command3, Command4, Command6, Command8};
  for (int page = 0; page < int(PageButtons.size()); ++page) {
    QPushButton* b = PageButtons[page];
    b->setAutoDefault(false);
    b->setCheckable(true);
    buttons->addWidget(b);
    connect(b, &QPushButton::clicked, this, [this, page] { PageButton_Click(page); });
  }
  top->addLayout(buttons);

  PageArea = new QStackedWidget(this);
  top->addWidget(PageArea, 1);
  BuildPages();

  auto* bottom = new QHBoxLayout;
  OK = new QPushButton(QStringLiteral("OK"), this);
  CANCEL = new QPushButton(QStringLiteral("CANCEL"), this);
  OK->setAutoDefault(false);
  CANCEL->setAutoDefault(false);
  bottom->addStretch(1);
  bottom->addWidget(OK);
  bottom->addWidget(CANCEL);
  top->addLayout(bottom);
  connect(OK, &QPushButton::clicked, this, [this] { OK_Click(); });
  connect(CANCEL, &QPushButton::clicked, this, [this] { CANCEL_Click(); });
}

void SET_WIN::BuildPages() {
  for (QWidget*& page : Picture1) {
    page = new QWidget(PageArea);
    new QVBoxLayout(page);
    PageArea->addWidget(page);
  }

  // Page 0: display and drawing.
  {
    QWidget* p = Picture1[0];
    QGroupBox* view = frame(QStringLiteral("View Window DisplayMode"), p);
    Option1 = addTo(view, new QRadioButton(QStringLiteral("全面書き換え"), view));
    Option2 = addTo(view, new QRadioButton(QStringLiteral("Edit領域分のみ書き換え"), view));
    QGroupBox* env = frame(QStringLiteral("動作環境"), p);
    Option3 = addTo(env, new QRadioButton(QStringLiteral("Normal"), env));
    Option4 =
        addTo(env, new QRadioButton(QStringLiteral("StretchBltとImageに問題のある機種対応"), env));
    Label1 =
        addTo(env, note(QStringLiteral("ServicePakやDirectDrawを入れると直る場合があります"), env));
    p->layout()->addWidget(view);
    p->layout()->addWidget(env);
    connect(Option1, &QRadioButton::clicked, this, [this] { ChosenRedrawMode = 2; });
    connect(Option2, &QRadioButton::clicked, this, [this] { ChosenRedrawMode = 1; });
    connect(Option3, &QRadioButton::clicked, this, [this] { ChosenDrawMode = 1; });
    connect(Option4, &QRadioButton::clicked, this, [this] { ChosenDrawMode = 0; });
  }

  // Page 1: the launcher slots.
  {
    QWidget* p = Picture1[1];
    const std::array<QString, 2> captions = {QStringLiteral("ランチ１の設定"),
                                             QStringLiteral("ランチ２の設定")};
    for (int i = 0; i < 2; ++i) {
      RUN_BASE[i] = frame(captions[i], p);
      LAN_SET[i] = addTo(RUN_BASE[i],
                         new QPushButton(QStringLiteral("起動するファイルの指定"), RUN_BASE[i]));
      LAN_SET[i]->setAutoDefault(false);
      LAN_NAME[i] = addTo(RUN_BASE[i], new QLabel(RUN_BASE[i]));
      LAN_NAME[i]->setFrameShape(QFrame::StyledPanel);
      // A long path is cut at the window's edge rather than widening it.
      LAN_NAME[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
      LAN_NAME[i]->setMinimumHeight(LAN_NAME[i]->fontMetrics().height() + 6);
      Check5[i] =
          addTo(RUN_BASE[i],
                new QCheckBox(QStringLiteral("ランチしたアプリが終了したら自動的にTupaを起動する"),
                              RUN_BASE[i]));
      p->layout()->addWidget(RUN_BASE[i]);
      connect(LAN_SET[i], &QPushButton::clicked, this, [this, i] { LAN_SET_Click(i); });
    }
  }

  // Page 2: the start.
  {
    QWidget* p = Picture1[2];
    QGroupBox* reload = frame(QStringLiteral("次回起動時に編集していた絵を読み込む"), p);
    Option5[2] =
        addTo(reload, new QRadioButton(QStringLiteral("読み込むかどうか聞いてくる"), reload));
    Option5[1] = addTo(reload, new QRadioButton(QStringLiteral("自動的に読み込む"), reload));
    Option5[0] = addTo(reload, new QRadioButton(QStringLiteral("読み込まない"), reload));
    for (int i = 0; i < 3; ++i)
      connect(Option5[i], &QRadioButton::clicked, this,
              [this, i] { ChosenReloadMode = static_cast<int16_t>(i); });
    Check1 = new QCheckBox(QStringLiteral("次回起動時にWindow位置を再現する"), p);
    p->layout()->addWidget(reload);
    p->layout()->addWidget(Check1);
  }

  // Page 3: autosave.
  {
    QWidget* p = Picture1[3];
    QGroupBox* target = frame(QStringLiteral("保存先の指定"), p);
    Option6 = addTo(
        target, new QRadioButton(QStringLiteral("TupaのディレクトリーにAUTOSAVE.BMPとして保存する"),
                                 target));
    Option7 = addTo(target, new QRadioButton(QStringLiteral("編集中のファイルへ書き込む"), target));
    Label3 = addTo(target, note(QStringLiteral("本機能ではTupaの複数起動を想定しておりませんので"
                                               "AUTOSAVE.BMPを指定する場合には注意してください。"),
                                target));
    QGroupBox* interval = frame(QStringLiteral("保存間隔の指定"), p);
    for (int i = 0; i < int(Interval.size()); ++i) {
      const QString caption =
          i == 0 ? QStringLiteral("保存しない")
                 : QString::number(kAutosaveIntervals[i]) + QStringLiteral("分間隔");
      Interval[i] = addTo(interval, new QRadioButton(caption, interval));
    }
    p->layout()->addWidget(target);
    p->layout()->addWidget(interval);
  }

  // Page 4: add-ins.
  {
    QWidget* p = Picture1[4];
    QGroupBox* installed = frame(QStringLiteral("Add_Inリスト"), p);
    List2 = addTo(installed, new QListWidget(installed));
    auto* row = new QHBoxLayout;
    Command7 = new QPushButton(QStringLiteral("削除"), installed);
    Command5 = new QPushButton(QStringLiteral("Add_Inの追加"), installed);
    Command7->setAutoDefault(false);
    Command5->setAutoDefault(false);
    row->addWidget(Command7);
    row->addWidget(Command5);
    static_cast<QVBoxLayout*>(installed->layout())->addLayout(row);
    QGroupBox* current = frame(QStringLiteral("現在の設定"), p);
    auto* modes = new QGridLayout;
    const std::array<QString, 4> captions = {
        QStringLiteral("Special Options"), QStringLiteral("スキャナー"),
        QStringLiteral("ファイル読み込み"), QStringLiteral("ファイル保存")};
    for (int i = 0; i < 4; ++i) {
      DISP_MODE[i] = new QRadioButton(captions[i], current);
      modes->addWidget(DISP_MODE[i], i / 2, i % 2);
      connect(DISP_MODE[i], &QRadioButton::clicked, this, [this, i] { DISP_MODE_Click(i); });
    }
    static_cast<QVBoxLayout*>(current->layout())->addLayout(modes);
    List1 = addTo(current, new QListWidget(current));
    p->layout()->addWidget(installed);
    p->layout()->addWidget(current);
    connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
    connect(Command7, &QPushButton::clicked, this, [this] { Command7_Click(); });
  }

  // Page 5: the right click and the line tool.
  {
    QWidget* p = Picture1[5];
    QGroupBox* right = frame(QStringLiteral("右クリック設定"), p);
    Check2 = addTo(right, new QCheckBox(QStringLiteral("右クリックをスポイトにする"), right));
    Check3 = addTo(
        right,
        new QCheckBox(QStringLiteral("ViewWindowをDrawWindowで右クリックをしても消さない"), right));
    QGroupBox* line = frame(QStringLiteral("Line処理の設定"), p);
    Option15 = addTo(line, new QRadioButton(QStringLiteral("従来のまま"), line));
    Option16 = addTo(line, new QRadioButton(QStringLiteral("連続線設定"), line));
    Label4 = addTo(line, note(QStringLiteral("次回Lineを指定した時から有効になります。"), line));
    p->layout()->addWidget(right);
    p->layout()->addWidget(line);
    connect(Check2, &QCheckBox::clicked, this, [this] { Check2_Click(); });
  }

  for (QWidget* page : Picture1) static_cast<QVBoxLayout*>(page->layout())->addStretch(1);
}

// ---------------------------------------------------------------------------
// Opening and closing

void SET_WIN::Open() {
  if (loaded_) {
    raise();
    activateWindow();
    return;
  }
  setWindowTitle(e_.TitlePrefix);
  // The overview and the magnifier step aside; the autosave clock rests
  // while the settings are edited, and OK or CANCEL starts it again as the
  // settings then say.
  emit shownChanged(true);
  owner_.Timer2.stop();
  PageButton_Click(0);
  FillFromSettings();
  BackupRegistry();
  FillAddInLists();
  loaded_ = true;

  adjustSize();
  const QRect over = owner_.frameGeometry();
  move(over.center() - QPoint(width() / 2, height() / 2));
  show();
  raise();
  activateWindow();
}

void SET_WIN::FillFromSettings() {
  const Settings& s = e_.settings;
  ChosenRedrawMode = s.BERM == 1 ? 1 : 2;
  (s.BERM == 1 ? Option2 : Option1)->setChecked(true);
  ChosenDrawMode = s.SZWM == 1 ? 1 : 0;
  (s.SZWM == 1 ? Option3 : Option4)->setChecked(true);
  // A value the file may hold but the page doesn't offer selects nothing.
  ChosenReloadMode = s.RPNX;
  for (QRadioButton* o : Option5) o->setAutoExclusive(false);
  for (int i = 0; i < 3; ++i) Option5[i]->setChecked(s.RPNX == i);
  for (QRadioButton* o : Option5) o->setAutoExclusive(true);
  Check1->setChecked(s.FEMD == 1);
  LAN_NAME[0]->setText(s.LAN1);
  LAN_NAME[1]->setText(s.LAN2);
  LAN_NAME[0]->setToolTip(s.LAN1);
  LAN_NAME[1]->setToolTip(s.LAN2);
  Check5[0]->setChecked(s.LAM1 == 1);
  Check5[1]->setChecked(s.LAM2 == 1);
  for (QRadioButton* o : Interval) o->setAutoExclusive(false);
  for (int i = 0; i < int(Interval.size()); ++i)
    Interval[i]->setChecked(s.ASAT == kAutosaveIntervals[i]);
  for (QRadioButton* o : Interval) o->setAutoExclusive(true);
  (s.ASAM == 1 ? Option7 : Option6)->setChecked(true);
  Check2->setChecked(s.CDSP == 1);
  Check3->setChecked(s.VDMD == 1);
  (s.LMOD != 0 ? Option16 : Option15)->setChecked(true);
  Check3->setEnabled(!Check2->isChecked());
}

void SET_WIN::Unload() {
  loaded_ = false;
  hide();
  emit shownChanged(false);
}

void SET_WIN::closeEvent(QCloseEvent* ev) {
  // The title bar's close is CANCEL.
  if (loaded_) CANCEL_Click();
  ev->accept();
}

void SET_WIN::reject() {
  if (loaded_) CANCEL_Click();
}

// ---------------------------------------------------------------------------
// Controls

void SET_WIN::PageButton_Click(int page) {
  PageArea->setCurrentIndex(page);
  for (int i = 0; i < int(PageButtons.size()); ++i) PageButtons[i]->setChecked(i == page);
}

void SET_WIN::Check2_Click() { Check3->setEnabled(!Check2->isChecked()); }

void SET_WIN::LAN_SET_Click(int i) {
  FileRequest req;
  req.save = false;
  req.title = e_.TitlePrefix;
  req.initialName = LAN_NAME[i]->text();
  req.filter = QStringLiteral("ProgramFiles|*|");
  req.executables = true;
  const FileAnswer chosen = e_.prompter->chooseFile(req);
  if (chosen.cancelled || chosen.path.isEmpty()) return;
  LAN_NAME[i]->setText(chosen.path);
  LAN_NAME[i]->setToolTip(chosen.path);
}

void SET_WIN::OK_Click() {
  Settings& s = e_.settings;
  s.BERM = ChosenRedrawMode;
  s.FEMD = Check1->isChecked() ? 1 : 0;
  s.RPNX = ChosenReloadMode;
  s.CDSP = Check2->isChecked() ? 1 : 0;
  // Taken also while greyed out by Check2.
  s.VDMD = Check3->isChecked() ? 1 : 0;
  s.SZWM = ChosenDrawMode;
  s.LAN1 = LAN_NAME[0]->text();
  s.LAN2 = LAN_NAME[1]->text();
  s.LAM1 = Check5[0]->isChecked() ? 1 : 0;
  s.LAM2 = Check5[1]->isChecked() ? 1 : 0;
  s.LMOD = Option15->isChecked() ? 0 : 1;

  // No interval chosen (a value the page doesn't offer) keeps the old one.
  for (int i = 0; i < int(Interval.size()); ++i)
    if (Interval[i]->isChecked()) s.ASAT = kAutosaveIntervals[i];
  e_.AutosaveCountdown = s.ASAT;
  s.ASAM = Option6->isChecked() ? 0 : 1;

  KeepRegistry();
  emit registryReloaded();

  if (s.ASAT != 0)
    owner_.Timer2.start();
  else
    owner_.Timer2.stop();
  Unload();
}

void SET_WIN::CANCEL_Click() {
  RestoreRegistry();
  emit registryReloaded();
  // The autosave clock goes on as before the window opened.
  if (e_.settings.ASAT != 0) owner_.Timer2.start();
  Unload();
}

}  // namespace tupalo
