#include "editor/addins/ADD_WIN.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "editor/core/Editor.h"

namespace tupalo {

ADD_WIN::ADD_WIN(Editor& e, QWidget* owner) : QDialog(owner), e_(e) {
  setWindowTitle(e_.TitlePrefix + QStringLiteral("Add_In登録"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  TITLE = new QLabel(this);
  layout->addWidget(TITLE);
  auto* frame = new QGroupBox(QStringLiteral("Add_Inの内容"), this);
  auto* inner = new QVBoxLayout(frame);
  auto* modes = new QHBoxLayout;
  auto* group = new QButtonGroup(this);
  const char* captions[] = {"Special Options", "スキャナー", "ファイル読み込み", "ファイル保存"};
  for (int i = 0; i < 4; ++i) {
    DISP_MODE[i] = new QRadioButton(QString::fromUtf8(captions[i]), frame);
    group->addButton(DISP_MODE[i], i);
    modes->addWidget(DISP_MODE[i]);
    connect(DISP_MODE[i], &QRadioButton::clicked, this, [this, i] { DISP_MODE_Click(i); });
  }
  inner->addLayout(modes);
  List1 = new QListWidget(frame);
  inner->addWidget(List1);
  layout->addWidget(frame);
  auto* buttons = new QHBoxLayout;
  Command1 = new QPushButton(QStringLiteral("インストール"), this);
  Command2 = new QPushButton(QStringLiteral("戻る"), this);
  buttons->addStretch();
  buttons->addWidget(Command1);
  buttons->addWidget(Command2);
  layout->addLayout(buttons);
  connect(Command1, &QPushButton::clicked, this, &ADD_WIN::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
  resize(420, 300);
}

bool ADD_WIN::Open() {
  FileRequest req;
  req.title = e_.TitlePrefix;
  req.initialName = e_.AppPath + QStringLiteral("/*.AIP");
  req.filter = QStringLiteral("Add_In Parameter Files(*.AIP)|*.AIP|");
  const FileAnswer chosen = e_.prompter->chooseFile(req);
  if (chosen.cancelled || chosen.path.isEmpty()) return false;
  QString why;
  if (!readAddInPackage(chosen.path, package_, &why)) {
    MessageRequest m;
    m.title = e_.TitlePrefix;
    m.text =
        chosen.path + QStringLiteral("\nAdd_In情報ファイルを読み込めませんでした\n理由 : ") + why;
    m.icon = Icon::Exclamation;
    e_.prompter->message(m);
    return false;
  }
  TITLE->setText(package_.addIn.title);
  DISP_MODE[0]->setChecked(true);
  DISP_MODE_Click(0);
  if (const QScreen* s = QGuiApplication::primaryScreen())
    move(s->availableGeometry().center() - rect().center());
  return true;
}

void ADD_WIN::DISP_MODE_Click(int i) {
  if (i < 0 || i > 3) return;
  DISP_MODE[i]->setChecked(true);
  List1->clear();
  List1->addItems(packageListLines(package_, AddInListMode(i)));
}

void ADD_WIN::Command1_Click() {
  // A refusal (same name, a second scanner) leaves the window open: the user
  // has read why and goes back.
  installed_ = InstallAddIn(e_, package_);
  if (installed_) accept();
}

bool ADD_WIN::Run(Editor& e, QWidget* owner) {
  ADD_WIN w(e, owner);
  if (!w.Open()) return false;
  w.exec();
  return w.installed();
}

}  // namespace tupalo
