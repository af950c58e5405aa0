// The prompt seam: filter parsing, the real Qt message box and file dialog
// driven by key events under offscreen Qt, and the scripted stand-in tests use.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QLayout>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>

#include "platform/Prompt.h"
#include "support/ScriptedPrompter.h"

using namespace tupalo;

// Readable QStrings in failure messages.
static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using Pairs = QList<QPair<QString, QString>>;

// Closes every modal dialog still open, innermost first.
void closeAllModals() {
  for (int i = 0; i < 10; ++i)
    if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->done(0);
}

// Runs `act` on the next modal dialog of type D once it is on screen, from
// inside that dialog's event loop. Anything still open five seconds later is
// closed with a failure, so a key that does nothing never hangs the run.
template <class D>
void onceShown(std::function<void(D*)> act) {
  auto* poll = new QTimer(qApp);
  auto clock = std::make_shared<QElapsedTimer>();
  clock->start();
  QObject::connect(poll, &QTimer::timeout, [poll, clock, act] {
    auto* dlg = qobject_cast<D*>(QApplication::activeModalWidget());
    if (dlg && dlg->isVisible()) {
      poll->stop();
      poll->deleteLater();
      QTimer::singleShot(5000, dlg, [] {
        ADD_FAILURE() << "a dialog was left open";
        closeAllModals();
      });
      act(dlg);
    } else if (clock->elapsed() > 5000) {
      poll->stop();
      poll->deleteLater();
      ADD_FAILURE() << "no dialog appeared";
    }
  });
  poll->start(1);
}

// A key press and release as the window system delivers them: to the focused
// control, from where Qt passes unhandled keys up to the box.
void press(QWidget* dlg, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
           const QString& text = {}) {
  QWidget* target = dlg->focusWidget() ? dlg->focusWidget() : dlg;
  QKeyEvent down(QEvent::KeyPress, key, mods, text);
  QCoreApplication::sendEvent(target, &down);
  QKeyEvent up(QEvent::KeyRelease, key, mods, text);
  QCoreApplication::sendEvent(target, &up);
}

MessageRequest ask(Buttons buttons, int defaultButton = -1) {
  MessageRequest req;
  req.title = QStringLiteral("Tupa ");
  req.text = QStringLiteral("変更を保存しますか?");
  req.buttons = buttons;
  req.icon = Icon::Question;
  req.defaultButton = defaultButton;
  return req;
}

// Asks `req` through a real box and answers it with `act`.
Answer answerWith(const MessageRequest& req, std::function<void(QMessageBox*)> act) {
  onceShown<QMessageBox>(std::move(act));
  QtPrompter prompter;
  return prompter.message(req);
}

Answer answerWithKey(const MessageRequest& req, int key,
                     Qt::KeyboardModifiers mods = Qt::NoModifier) {
  return answerWith(req, [=](QMessageBox* box) { press(box, key, mods); });
}

// Button texts from left to right as laid out on screen.
QStringList textsLeftToRight(QMessageBox* box) {
  QList<QAbstractButton*> buttons = box->buttons();
  std::sort(buttons.begin(), buttons.end(), [box](QAbstractButton* a, QAbstractButton* b) {
    return a->mapTo(box, QPoint()).x() < b->mapTo(box, QPoint()).x();
  });
  QStringList texts;
  for (auto* b : buttons) texts << b->text();
  return texts;
}

// Lays out dialog button rows as the given desktop does.
class ButtonLayoutStyle : public QProxyStyle {
 public:
  explicit ButtonLayoutStyle(QDialogButtonBox::ButtonLayout layout) : layout_(layout) {}
  int styleHint(StyleHint hint, const QStyleOption* opt, const QWidget* w,
                QStyleHintReturn* ret) const override {
    if (hint == SH_DialogButtonLayout) return layout_;
    return QProxyStyle::styleHint(hint, opt, w, ret);
  }

 private:
  QDialogButtonBox::ButtonLayout layout_;
};

const QString kYes = QStringLiteral("はい(&Y)");
const QString kNo = QStringLiteral("いいえ(&N)");
const QString kCancel = QStringLiteral("キャンセル");
const QString kOk = QStringLiteral("OK");

}  // namespace

// ---- filters ---------------------------------------------------------------------

TEST(SplitFilter, ReadsPairsWithOrWithoutTheClosingBar) {
  const Pairs both{{"All Files(*.*)", "*.*"}, {"BMP Files(*.BMP)", "*.BMP"}};
  EXPECT_EQ(splitFilter("All Files(*.*)|*.*|BMP Files(*.BMP)|*.BMP|"), both);
  EXPECT_EQ(splitFilter("All Files(*.*)|*.*|BMP Files(*.BMP)|*.BMP"), both);
  EXPECT_EQ(splitFilter(""), Pairs{});
  // Descriptions are kept exactly, spaces included.
  EXPECT_EQ(splitFilter(" Add_In Parameter Files(*.AIP) |*.AIP|"),
            (Pairs{{" Add_In Parameter Files(*.AIP) ", "*.AIP"}}));
}

TEST(SplitFilter, ToleratesDamagedFilters) {
  // A description without its pattern, with or without a bar after it.
  EXPECT_EQ(splitFilter("BMP|*.BMP|ICO"), (Pairs{{"BMP", "*.BMP"}}));
  EXPECT_EQ(splitFilter("BMP|*.BMP|ICO|"), (Pairs{{"BMP", "*.BMP"}}));
  EXPECT_EQ(splitFilter("|"), Pairs{});
  // An empty entry between two (a doubled closing bar from a registry text).
  EXPECT_EQ(splitFilter("BMP|*.BMP|||ICO|*.ICO|"), (Pairs{{"BMP", "*.BMP"}, {"ICO", "*.ICO"}}));
  // An entry with only one half is still an entry.
  EXPECT_EQ(splitFilter("|*.BMP|ICO||"), (Pairs{{"", "*.BMP"}, {"ICO", ""}}));
}

TEST(QtFilterPatterns, MatchNamesOfAnyCaseOnACaseSensitiveFileSystem) {
  QTemporaryDir tmp;
  ASSERT_TRUE(tmp.isValid());
  for (const char* n :
       {"a.bmp", "B.BMP", "c.Bmp", "d.ico", "noext", "e.bmp.bak", "f.dib", "g[1].BMP"}) {
    QFile f(tmp.filePath(n));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  const auto matches = [&](const QString& pattern) {
    return QDir(tmp.path())
        .entryList(qtFilterPatterns(pattern), QDir::Files | QDir::CaseSensitive, QDir::Name);
  };
  EXPECT_EQ(matches("*.BMP"), (QStringList{"B.BMP", "a.bmp", "c.Bmp", "g[1].BMP"}));
  EXPECT_EQ(matches("*.BMP;*.DIB"), (QStringList{"B.BMP", "a.bmp", "c.Bmp", "f.dib", "g[1].BMP"}));
  EXPECT_EQ(matches("*.bmp *.ico"), (QStringList{"B.BMP", "a.bmp", "c.Bmp", "d.ico", "g[1].BMP"}));
  EXPECT_EQ(matches("G[1].*"), (QStringList{"g[1].BMP"}));  // a bracket is only a bracket
  // "*.*" means every file, names without a dot too; so does an empty field.
  EXPECT_EQ(matches("*.*").size(), 8);
  EXPECT_EQ(matches("").size(), 8);
  // The pattern as written stays first: a save dialog takes its suffix.
  EXPECT_EQ(qtFilterPatterns("*.BMP").first(), "*.BMP");
}

TEST(QtNameFilters, OneEntryPerPairWithTheDescriptionShown) {
  EXPECT_EQ(qtNameFilters("All Files(*.*)|*.*|BMP Files(*.BMP)|*.BMP|"),
            (QStringList{"All Files(*.*) (*)", "BMP Files(*.BMP) (*.BMP *.[Bb][Mm][Pp])"}));
  // Without a description the pattern names the entry.
  EXPECT_EQ(qtNameFilters("|*.ICO|"), (QStringList{"*.ICO (*.ICO *.[Ii][Cc][Oo])"}));
  EXPECT_EQ(qtNameFilters(""), QStringList{});
}

// ---- message boxes ---------------------------------------------------------------

TEST(QtPrompterMessage, ShowsTheQuestionAsAsked) {
  QWidget owner;
  MessageRequest req;
  req.title = QStringLiteral("Tupa ");
  req.text = QStringLiteral(
      "<b>a.bmp</b>\nパス又はファイル名が不正です　SAVEできません\n正しく入力し直してください。");
  req.buttons = Buttons::Ok;
  req.icon = Icon::Exclamation;

  onceShown<QMessageBox>([&](QMessageBox* box) {
    EXPECT_EQ(box->windowTitle(), req.title);
    EXPECT_EQ(box->text(), req.text);
    EXPECT_EQ(box->textFormat(), Qt::PlainText);  // '<' in a file name is not markup
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(box->parentWidget(), &owner);
    press(box, Qt::Key_Return);
  });
  QtPrompter prompter(&owner);
  EXPECT_EQ(prompter.message(req), Answer::Ok);
}

TEST(QtPrompterMessage, ButtonsInWindowsOrderWithJapaneseTexts) {
  const struct {
    Buttons buttons;
    QStringList texts;
  } cases[] = {
      {Buttons::Ok, {kOk}},
      {Buttons::OkCancel, {kOk, kCancel}},
      {Buttons::YesNo, {kYes, kNo}},
      {Buttons::YesNoCancel, {kYes, kNo, kCancel}},
  };
  // Desktops order dialog buttons differently; the box keeps its own order on
  // all of them.
  ButtonLayoutStyle gnome(QDialogButtonBox::GnomeLayout), kde(QDialogButtonBox::KdeLayout);
  for (QStyle* layout :
       {static_cast<QStyle*>(nullptr), static_cast<QStyle*>(&gnome), static_cast<QStyle*>(&kde)}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.texts.join(' ').toStdString());
      QStringList seen;
      answerWith(ask(c.buttons), [&](QMessageBox* box) {
        auto* row = box->findChild<QDialogButtonBox*>();
        ASSERT_NE(row, nullptr);
        if (layout) {
          row->setStyle(layout);
          row->layout()->activate();
        }
        seen = textsLeftToRight(box);
        box->done(0);
      });
      EXPECT_EQ(seen, c.texts);
    }
  }
}

TEST(QtPrompterMessage, YAndNAnswerWithOrWithoutAlt) {
  for (Buttons b : {Buttons::YesNo, Buttons::YesNoCancel}) {
    SCOPED_TRACE(int(b));
    EXPECT_EQ(answerWithKey(ask(b), Qt::Key_Y), Answer::Yes);
    EXPECT_EQ(answerWithKey(ask(b), Qt::Key_N), Answer::No);
    EXPECT_EQ(answerWithKey(ask(b), Qt::Key_Y, Qt::AltModifier), Answer::Yes);
    EXPECT_EQ(answerWithKey(ask(b), Qt::Key_N, Qt::AltModifier), Answer::No);
    EXPECT_EQ(answerWithKey(ask(b), Qt::Key_N, Qt::ShiftModifier), Answer::No);
  }
  // Other letters, and Y with Ctrl, leave the question open.
  const Answer a = answerWith(ask(Buttons::YesNoCancel, 1), [](QMessageBox* box) {
    press(box, Qt::Key_Y, Qt::ControlModifier);
    press(box, Qt::Key_C);
    press(box, Qt::Key_O);
    EXPECT_TRUE(box->isVisible());
    press(box, Qt::Key_Enter, Qt::KeypadModifier);
  });
  EXPECT_EQ(a, Answer::No);
  // An OK box has no Y.
  EXPECT_EQ(answerWith(ask(Buttons::OkCancel, 1),
                       [](QMessageBox* box) {
                         press(box, Qt::Key_Y);
                         EXPECT_TRUE(box->isVisible());
                         press(box, Qt::Key_Return);
                       }),
            Answer::Cancel);
}

TEST(QtPrompterMessage, EnterTakesTheDefaultButton) {
  const struct {
    Buttons buttons;
    int defaultButton;
    Answer expected;
  } cases[] = {
      {Buttons::YesNo, -1, Answer::Yes},
      {Buttons::YesNo, 1, Answer::No},
      {Buttons::YesNoCancel, 0, Answer::Yes},
      {Buttons::YesNoCancel, 1, Answer::No},
      {Buttons::YesNoCancel, 2, Answer::Cancel},
      {Buttons::OkCancel, 1, Answer::Cancel},
      {Buttons::OkCancel, 7, Answer::Ok},
      {Buttons::YesNo, 2, Answer::Yes},  // out of range: the first
      {Buttons::Ok, -1, Answer::Ok},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.buttons) << " default " << c.defaultButton);
    EXPECT_EQ(answerWithKey(ask(c.buttons, c.defaultButton), Qt::Key_Return), c.expected);
    // The default button also has the focus, so Space (clicks the focused
    // button) agrees with Enter.
    EXPECT_EQ(answerWith(ask(c.buttons, c.defaultButton),
                         [](QMessageBox* box) { press(box, Qt::Key_Space, Qt::NoModifier, " "); }),
              c.expected);
  }
}

TEST(QtPrompterMessage, EscapeAndTheCloseButtonCancelWhereThereIsACancel) {
  EXPECT_EQ(answerWithKey(ask(Buttons::YesNoCancel), Qt::Key_Escape), Answer::Cancel);
  EXPECT_EQ(answerWithKey(ask(Buttons::OkCancel), Qt::Key_Escape), Answer::Cancel);
  EXPECT_EQ(answerWithKey(ask(Buttons::Ok), Qt::Key_Escape), Answer::Ok);

  const auto closeIt = [](QMessageBox* box) { EXPECT_TRUE(box->close()); };
  EXPECT_EQ(answerWith(ask(Buttons::YesNoCancel), closeIt), Answer::Cancel);
  EXPECT_EQ(answerWith(ask(Buttons::OkCancel), closeIt), Answer::Cancel);
  EXPECT_EQ(answerWith(ask(Buttons::Ok), closeIt), Answer::Ok);
}

TEST(QtPrompterMessage, AYesNoQuestionCannotBeEscaped) {
  const Answer a = answerWith(ask(Buttons::YesNo), [](QMessageBox* box) {
    EXPECT_FALSE(box->windowFlags() & Qt::WindowCloseButtonHint);
    press(box, Qt::Key_Escape);
    EXPECT_TRUE(box->isVisible()) << "Esc answered a Yes/No question";
    EXPECT_FALSE(box->close());
    EXPECT_TRUE(box->isVisible()) << "the close button answered a Yes/No question";
    press(box, Qt::Key_N);
  });
  EXPECT_EQ(a, Answer::No);
}

// ---- file dialogs ----------------------------------------------------------------

namespace {

// The filter list the user sees ("fileTypeCombo" in Qt's own dialog).
QStringList filterTexts(QFileDialog* dlg) {
  QStringList texts;
  if (auto* combo = dlg->findChild<QComboBox*>("fileTypeCombo"))
    for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
  return texts;
}

int filterIndexShown(QFileDialog* dlg) {
  auto* combo = dlg->findChild<QComboBox*>("fileTypeCombo");
  return combo ? combo->currentIndex() : -1;
}

}  // namespace

TEST(QtPrompterFile, SaveDialogAsAskedAndNoOverwriteQuestion) {
  QTemporaryDir tmp;
  ASSERT_TRUE(tmp.isValid());
  const QString target = tmp.filePath("pic.BMP");
  {
    QFile existing(target);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  }
  FileRequest req;
  req.save = true;
  req.title = QStringLiteral("名前を付けて保存");
  req.initialName = target;
  req.filter = "BMP Files(*.BMP)|*.BMP|ICON Files(*.ICO)|*.ICO|";
  req.filterIndex = 2;

  onceShown<QFileDialog>([&](QFileDialog* dlg) {
    EXPECT_EQ(dlg->windowTitle(), req.title);
    EXPECT_EQ(dlg->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_TRUE(dlg->testOption(QFileDialog::DontUseNativeDialog));
    // The user sees the descriptions as given, the second one chosen.
    EXPECT_EQ(filterTexts(dlg), (QStringList{"BMP Files(*.BMP)", "ICON Files(*.ICO)"}));
    EXPECT_EQ(filterIndexShown(dlg), 1);
    // Qt read our patterns out of the entry, not the description's "(*.ICO)".
    auto* model = dlg->findChild<QFileSystemModel*>();
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->nameFilters(), (QStringList{"*.ICO", "*.[Ii][Cc][Oo]"}));
    // The initial name is in place, in its folder, its suffix untouched.
    EXPECT_EQ(QDir(dlg->directory()).canonicalPath(), QDir(tmp.path()).canonicalPath());
    EXPECT_EQ(dlg->selectedFiles().value(0), target);
    // The file exists: accepting must not ask about overwriting.
    QTimer::singleShot(200, dlg, [] {
      if (qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        ADD_FAILURE() << "the file dialog asked about overwriting";
        closeAllModals();
      }
    });
    press(dlg, Qt::Key_Return);  // as the user confirms the name
  });
  QtPrompter prompter;
  const FileAnswer got = prompter.chooseFile(req);
  EXPECT_FALSE(got.cancelled);
  EXPECT_EQ(got.path, target);
}

TEST(QtPrompterFile, OpenDialogInAFolderGivenWithAWildcard) {
  QTemporaryDir tmp;
  ASSERT_TRUE(tmp.isValid());
  FileRequest req;
  req.initialName = tmp.path() + "/*.AIP";
  req.filter = "Add_In Parameter Files(*.AIP)|*.AIP|All Files(*.*)|*.*|";
  req.filterIndex = 5;  // out of range: the first

  onceShown<QFileDialog>([&](QFileDialog* dlg) {
    EXPECT_EQ(dlg->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_FALSE(dlg->windowTitle().isEmpty());
    EXPECT_EQ(QDir(dlg->directory()).canonicalPath(), QDir(tmp.path()).canonicalPath());
    EXPECT_EQ(filterIndexShown(dlg), 0);
    // No name typed: the wildcard only said where to look.
    EXPECT_EQ(QDir(dlg->selectedFiles().value(0)).canonicalPath(),
              QDir(tmp.path()).canonicalPath());
    // A name that does not exist is accepted; the loader reports it.
    dlg->selectFile(tmp.filePath("missing.AIP"));
    press(dlg, Qt::Key_Return);  // as the user confirms the name
  });
  QtPrompter prompter;
  const FileAnswer got = prompter.chooseFile(req);
  EXPECT_FALSE(got.cancelled);
  EXPECT_EQ(got.path, tmp.filePath("missing.AIP"));

  onceShown<QFileDialog>([](QFileDialog* dlg) { press(dlg, Qt::Key_Escape); });
  const FileAnswer cancelled = prompter.chooseFile(req);
  EXPECT_TRUE(cancelled.cancelled);
  EXPECT_TRUE(cancelled.path.isEmpty());
}

// ---- the scripted stand-in -------------------------------------------------------

TEST(ScriptedPrompter, AnswersInOrderAndRecordsEveryQuestion) {
  ScriptedPrompter p;
  std::vector<QString> seenWhileShown;
  p.answer(Answer::No).answer(Answer::Cancel, [&](const MessageRequest& r) {
    seenWhileShown.push_back(r.text);
  });
  p.choose("/tmp/a.BMP").cancelFile();

  EXPECT_EQ(p.message(ask(Buttons::YesNo, 1)), Answer::No);
  FileRequest fr;
  fr.save = true;
  fr.filter = "BMP Files(*.BMP)|*.BMP|";
  EXPECT_EQ(p.chooseFile(fr), (FileAnswer{false, "/tmp/a.BMP"}));
  EXPECT_EQ(p.message(ask(Buttons::YesNoCancel)), Answer::Cancel);
  EXPECT_EQ(p.chooseFile(FileRequest{}), (FileAnswer{true, ""}));

  ASSERT_EQ(p.messages().size(), 2u);
  EXPECT_EQ(p.messages()[0], ask(Buttons::YesNo, 1));
  EXPECT_EQ(p.lastMessage(), ask(Buttons::YesNoCancel));
  EXPECT_EQ(seenWhileShown, std::vector<QString>{ask(Buttons::YesNo).text});
  ASSERT_EQ(p.fileRequests().size(), 2u);
  EXPECT_EQ(p.fileRequests()[0], fr);
  EXPECT_EQ(p.unusedAnswers() + p.unusedFileAnswers(), 0);
}

TEST(ScriptedPrompter, FailsInsteadOfHangingOrGuessing) {
  // Nothing scripted: the test fails and the question is cancelled.
  {
    ScriptedPrompter p;
    Answer a = Answer::Yes;
    EXPECT_NONFATAL_FAILURE(a = p.message(ask(Buttons::OkCancel)), "変更を保存しますか?");
    EXPECT_EQ(a, Answer::Cancel);
    FileAnswer f{false, "x"};
    EXPECT_NONFATAL_FAILURE(f = p.chooseFile(FileRequest{}), "unscripted file dialog");
    EXPECT_TRUE(f.cancelled);
    EXPECT_EQ(p.messages().size(), 1u);  // still recorded
  }
  // A scripted answer the box does not offer.
  {
    ScriptedPrompter p;
    p.answer(Answer::Yes);
    EXPECT_NONFATAL_FAILURE(p.message(ask(Buttons::Ok)), "not a button");
  }
  // A question the test expected was never asked.
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedPrompter p;
        p.choose("a");
      },
      "never asked for");
  {
    ScriptedPrompter p;
    p.allowUnusedAnswers();
    p.answer(Answer::Ok);
  }
}
