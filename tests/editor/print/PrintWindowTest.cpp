// The print window in the editor: its opening state, the coupled boxes and
// step buttons, the refusals, and what lands on paper, measured on the PDF
// pages rendered by pdftoppm (skipped where it is not installed).
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QProcess>
#include <QStandardPaths>

#include "editor/core/WAIT_WIN.h"
#include "editor/palette/PaletteFixture.h"
#include "editor/print/PRT_WIN.h"
#include "editor/print/PrintOutput.h"

namespace tupalo {
namespace {

constexpr double kDotsPerMm = 20;  // pages are rendered at 508 dpi

// The bounding box, in mm from the page's top-left, of the pixels `match` accepts.
struct Box {
  double left = 0, top = 0, right = 0, bottom = 0;
  bool found = false;
};
template <typename Match>
Box boundingBox(const QImage& page, Match match) {
  int l = page.width(), t = page.height(), r = -1, b = -1;
  for (int y = 0; y < page.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(page.constScanLine(y));
    for (int x = 0; x < page.width(); ++x)
      if (match(row[x])) {
        l = std::min(l, x);
        r = std::max(r, x);
        t = std::min(t, y);
        b = std::max(b, y);
      }
  }
  if (r < 0) return {};
  return {l / kDotsPerMm, t / kDotsPerMm, (r + 1) / kDotsPerMm, (b + 1) / kDotsPerMm, true};
}

bool isBlack(QRgb c) { return qRed(c) < 64 && qGreen(c) < 64 && qBlue(c) < 64; }
bool isBlue(QRgb c) { return qRed(c) < 64 && qGreen(c) < 64 && qBlue(c) > 192; }
bool isInk(QRgb c) { return qRed(c) < 230 || qGreen(c) < 230 || qBlue(c) < 230; }

class PrintWindowTest : public PaletteTest {
 protected:
  void SetUp() override {
    PaletteTest::SetUp();
    ASSERT_EQ(start(), P_WIN::StartResult::Running);
    // Left half black, right half blue: each half shows which sheet it is on.
    editor.PIC.resize(640, 480);
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x) editor.PIC.row(y)[x] = x < 320 ? 0xFF000000u : 0xFF0000FFu;
    win->ResetViewAfterLoad();
    pdf = dir.path() + QStringLiteral("/out.pdf");
  }

  // A window on the PDF printer writing beside `pdf`.
  PRT_WIN& open(bool withFileName = true) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    MakePdfPrinter(*printer);
    if (withFileName) printer->setOutputFileName(pdf);
    prt = new PRT_WIN(editor, *win, std::move(printer));
    prt->Open();
    return *prt;
  }

  // Replaces the box's text by typing, key by key.
  static void type(QLineEdit* box, const QString& text) {
    box->selectAll();
    for (const QChar c : text) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
      QCoreApplication::sendEvent(box, &press);
    }
  }
  static void press(QWidget* w) { mouse(w, QEvent::MouseButtonPress); }
  static void release(QWidget* w) { mouse(w, QEvent::MouseButtonRelease); }
  static void mouse(QWidget* w, QEvent::Type type) {
    const QPointF at(5, 5);
    QMouseEvent ev(type, at, w->mapToGlobal(at), Qt::LeftButton,
                   type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                   Qt::NoModifier);
    QCoreApplication::sendEvent(w, &ev);
  }

  QStringList written() const {
    return QDir(dir.path()).entryList({QStringLiteral("out*.pdf")}, QDir::Files, QDir::Name);
  }

  // Page `n` of the job files, rendered; skips the test without pdftoppm.
  QImage render(const QString& file) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (tool.isEmpty()) return {};
    const QString prefix = dir.path() + QStringLiteral("/page");
    QProcess p;
    p.start(tool, {QStringLiteral("-r"), QStringLiteral("508"), QStringLiteral("-singlefile"), file,
                   prefix});
    EXPECT_TRUE(p.waitForFinished(60000));
    QImage img(prefix + QStringLiteral(".ppm"));
    QFile::remove(prefix + QStringLiteral(".ppm"));
    return img.convertToFormat(QImage::Format_RGB32);
  }

  static bool havePdftoppm() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
  }

  QString pdf;
  QPointer<PRT_WIN> prt;
};

TEST_F(PrintWindowTest, OpensModalWithTheLargestCentredPrint) {
  PRT_WIN& w = open();
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Tupa "));
  EXPECT_FALSE(win->isEnabled());
  EXPECT_FALSE(cmdWin->isEnabled());
  EXPECT_FALSE(colWin->isEnabled());
  EXPECT_TRUE(w.isEnabled());
  EXPECT_EQ(w.PRT_NAME->text(), QStringLiteral("PDF "));
  EXPECT_EQ(w.PRT_SIZE->text(), QStringLiteral(" 200.00mm × 280.00mm"));
  EXPECT_EQ(w.X_SIZE->text(), QStringLiteral(" 200.00"));
  EXPECT_EQ(w.Y_SIZE->text(), QStringLiteral(" 150.00"));
  EXPECT_EQ(w.LT_X->text(), QStringLiteral(" 0.00"));
  EXPECT_EQ(w.LT_Y->text(), QStringLiteral(" 65.00"));
  EXPECT_FALSE(w.X_SIZE->isEnabled());
  EXPECT_FALSE(w.LT_X_PP->isEnabled());
  EXPECT_FALSE(w.SEL_X->isEnabled());
  EXPECT_TRUE(w.ALL_PRT->isChecked());
  EXPECT_EQ(w.Combo1->currentText(), QStringLiteral("1mm"));

  // Two sheets across: 373.33 x 280.00 mm, 13.33 mm from the left.
  type(w.X_PAP, QStringLiteral("2"));
  EXPECT_EQ(w.VIRT_W->text(), QStringLiteral(" 400.00 mm"));
  EXPECT_EQ(w.X_SIZE->text(), QStringLiteral(" 373.33"));
  EXPECT_EQ(w.Y_SIZE->text(), QStringLiteral(" 280.00"));
  EXPECT_EQ(w.LT_X->text(), QStringLiteral(" 13.33"));
  EXPECT_EQ(w.LT_Y->text(), QStringLiteral(" 0.00"));
  // The bar's up arrow adds a sheet.
  w.X_PAP_SC->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(w.X_PAP->text(), QStringLiteral("3"));
  type(w.X_PAP, QStringLiteral("99999"));
  EXPECT_EQ(w.X_PAP->text(), QStringLiteral("32767"));

  // The title bar's close gives the editor back.
  w.close();
  EXPECT_TRUE(win->isEnabled());
  EXPECT_TRUE(cmdWin->isEnabled());
  EXPECT_TRUE(colWin->isEnabled());
}

TEST_F(PrintWindowTest, SizesKeepTheProportionsAndStepButtonsStep) {
  PRT_WIN& w = open();
  w.PRT_AT_MAXSIZE->click();
  w.AUTO_CENTER->click();
  ASSERT_TRUE(w.X_SIZE->isEnabled());
  ASSERT_TRUE(w.LT_X_P->isEnabled());
  type(w.X_SIZE, QStringLiteral("100"));
  EXPECT_EQ(w.Y_SIZE->text(), QStringLiteral(" 75.00"));
  // Letters and a second point are not taken.
  type(w.X_SIZE, QStringLiteral("1a2.5.1"));
  EXPECT_EQ(w.X_SIZE->text(), QStringLiteral("12.51"));
  EXPECT_EQ(w.Y_SIZE->text(), QStringLiteral(" 9.38"));
  type(w.X_SIZE, QStringLiteral("900"));  // above the largest size
  EXPECT_EQ(w.X_SIZE->text(), QStringLiteral(" 200.00"));
  EXPECT_EQ(w.Y_SIZE->text(), QStringLiteral(" 150.00"));

  type(w.LT_Y, QStringLiteral("0"));
  w.LT_X_P->click();
  EXPECT_EQ(w.LT_X->text(), QStringLiteral(" 0.01"));
  w.LT_X_M->click();
  w.LT_X_M->click();  // never below 0
  EXPECT_EQ(w.LT_X->text(), QStringLiteral(" 0.00"));

  // Held for 13 ticks: 11 x 0.1 + 2 x 1 mm.
  press(w.LT_Y_PP);
  EXPECT_TRUE(w.SCTIMER.isActive());
  EXPECT_EQ(w.SCTIMER.interval(), 75);
  for (int t = 0; t < 13; ++t) w.SCTIMER_Timer();
  release(w.LT_Y_PP);
  EXPECT_FALSE(w.SCTIMER.isActive());
  EXPECT_EQ(w.LT_Y->text(), QStringLiteral(" 3.10"));
  // A size step keeps the proportions too.
  w.X_SIZE_M->click();
  EXPECT_EQ(w.X_SIZE->text(), QStringLiteral(" 199.99"));
  EXPECT_EQ(w.Y_SIZE->text(), QStringLiteral(" 149.99"));

  // Closing while a button is held stops the timer with the window.
  press(w.X_SIZE_PP);
  EXPECT_TRUE(w.SCTIMER.isActive());
  w.Command5->click();
  EXPECT_FALSE(w.repeating());
  EXPECT_TRUE(win->isEnabled());
}

TEST_F(PrintWindowTest, RefusalsPrintNothing) {
  PRT_WIN& w = open();
  w.PRT_AT_MAXSIZE->click();
  w.AUTO_CENTER->click();
  type(w.X_SIZE, QStringLiteral("0"));
  prompter.answer(Answer::Ok);
  w.GO->click();
  EXPECT_EQ(prompter.lastMessage().text, QStringLiteral("印刷サイズが不正です。"));
  EXPECT_EQ(prompter.lastMessage().title, QStringLiteral("Tupa "));

  type(w.X_SIZE, QStringLiteral("100"));
  type(w.LT_X, QStringLiteral("100.01"));
  type(w.LT_Y, QStringLiteral("300"));  // both run off: the width is named
  prompter.answer(Answer::Ok);
  w.GO->click();
  EXPECT_EQ(prompter.lastMessage().text, QStringLiteral("横が紙からはみ出してしまいます"));
  type(w.LT_X, QStringLiteral("100"));
  prompter.answer(Answer::Ok);
  w.GO->click();
  EXPECT_EQ(prompter.lastMessage().text, QStringLiteral("縦が紙からはみ出してしまいます"));
  EXPECT_TRUE(written().isEmpty());

  // A file that cannot be written: said, and nothing else happens.
  type(w.LT_Y, QStringLiteral("0"));
  w.printer().setOutputFileName(dir.path() + QStringLiteral("/missing/out.pdf"));
  prompter.answer(Answer::Ok);
  w.GO->click();
  EXPECT_EQ(prompter.lastMessage().text, QStringLiteral("印刷データを書き込めませんでした。\n") +
                                             dir.path() + QStringLiteral("/missing/out-1.pdf"));
  EXPECT_TRUE(win->waitWin->isHidden());

  // A printer that reports no printable area: no layout, no print.
  w.printer().setPageLayout(QPageLayout(QPageSize(QSizeF(10, 10), QPageSize::Millimeter),
                                        QPageLayout::Portrait, QMarginsF(5, 5, 5, 5),
                                        QPageLayout::Millimeter));
  w.LayoutUpdate();
  EXPECT_EQ(w.PaperWidth, 0);
  EXPECT_EQ(w.TwipsPerMmX, 0);
  prompter.answer(Answer::Ok);
  w.GO->click();
  EXPECT_TRUE(prompter.lastMessage().text.startsWith(QStringLiteral("プリンターの印字領域")));
  EXPECT_TRUE(written().isEmpty());
}

TEST_F(PrintWindowTest, TwoSheetsEachItsOwnJobPlacedToATenthOfAMillimetre) {
  PRT_WIN& w = open(false);
  type(w.X_PAP, QStringLiteral("2"));
  prompter.choose(pdf);  // the PDF printer asks for its file once
  w.GO->click();
  ASSERT_EQ(written(), (QStringList{QStringLiteral("out-1.pdf"), QStringLiteral("out-2.pdf")}));
  EXPECT_EQ(prompter.fileRequests().at(0).save, true);
  EXPECT_TRUE(win->isEnabled() == false);  // the window is still open
  if (!havePdftoppm()) GTEST_SKIP() << "pdftoppm is not installed";

  // Sheet 1: columns 0-319, 186.67 mm wide from 13.33 mm; sheet 2: columns
  // 320-639 from its left edge. Lengths reach the paper through the printer's
  // scale (its printable area is 280.04 mm high, used as 280.0).
  const QPointF origin = w.printer().pageRect(QPrinter::Millimeter).topLeft();
  auto px = [&](double mm) { return origin.x() + mm * w.TwipsPerMmX * 25.4 / 1440; };
  auto py = [&](double mm) { return origin.y() + mm * w.TwipsPerMmY * 25.4 / 1440; };
  const QImage one = render(dir.path() + QStringLiteral("/out-1.pdf"));
  const QImage two = render(dir.path() + QStringLiteral("/out-2.pdf"));
  ASSERT_FALSE(one.isNull());
  ASSERT_FALSE(two.isNull());
  const Box a = boundingBox(one, isInk);
  EXPECT_TRUE(boundingBox(one, isBlack).found);
  EXPECT_FALSE(boundingBox(one, isBlue).found);
  EXPECT_NEAR(a.left, px(13.33), 0.1);
  EXPECT_NEAR(a.right, px(13.33 + 186.67), 0.1);
  EXPECT_NEAR(a.top, py(0), 0.1);
  EXPECT_NEAR(a.bottom, py(280), 0.1);
  const Box b = boundingBox(two, isInk);
  EXPECT_FALSE(boundingBox(two, isBlack).found);
  EXPECT_NEAR(b.left, px(0), 0.1);
  EXPECT_NEAR(b.right, px(186.67), 0.1);
  EXPECT_NEAR(b.top, py(0), 0.1);
  EXPECT_NEAR(b.bottom, py(280), 0.1);

  // Only sheet (2, 1): one job, the right-hand half.
  for (const QString& f : written()) QFile::remove(dir.path() + '/' + f);
  w.SEL_PRT->click();
  EXPECT_TRUE(w.SEL_X->isEnabled());
  type(w.SEL_X, QStringLiteral("2"));
  w.GO->click();
  ASSERT_EQ(written(), QStringList{QStringLiteral("out-1.pdf")});
  const QImage only = render(dir.path() + QStringLiteral("/out-1.pdf"));
  const Box c = boundingBox(only, isBlue);
  EXPECT_FALSE(boundingBox(only, isBlack).found);
  EXPECT_NEAR(c.left, px(0), 0.1);
  EXPECT_NEAR(c.right, px(186.67), 0.1);
}

TEST_F(PrintWindowTest, GridTemplateWithNumbersAndPrinterInformation) {
  PRT_WIN& w = open();
  w.Command4->click();
  EXPECT_EQ(w.PAGES->currentIndex(), 1);
  w.Check3->click();  // black
  w.Command2->click();
  ASSERT_EQ(written(), QStringList{QStringLiteral("out-1.pdf")});
  EXPECT_TRUE(win->waitWin->isHidden());
  if (!havePdftoppm()) GTEST_SKIP() << "pdftoppm is not installed";
  const QImage grid = render(dir.path() + QStringLiteral("/out-1.pdf"));
  ASSERT_FALSE(grid.isNull());
  const QPointF origin = w.printer().pageRect(QPrinter::Millimeter).topLeft();
  // Millimetres on the sheet to millimetres on the page, through the printer's scale.
  auto px = [&](double mm) { return origin.x() + mm * w.TwipsPerMmX * 25.4 / 1440; };
  auto py = [&](double mm) { return origin.y() + mm * w.TwipsPerMmY * 25.4 / 1440; };
  // The grid fills the printable area: lines from 0 to 200 and 0 to 280 mm.
  const Box all = boundingBox(grid, isBlack);
  EXPECT_NEAR(all.left, px(0), 0.1);
  EXPECT_NEAR(all.right, px(200), 0.1);
  EXPECT_NEAR(all.top, py(0), 0.1);
  EXPECT_NEAR(all.bottom, py(280), 0.1);
  // Along a row between two lines a line crosses every 1 mm; the lines at
  // 10, 20, ... mm are the bold ones.
  const auto* row = reinterpret_cast<const QRgb*>(grid.constScanLine(int(py(150.5) * kDotsPerMm)));
  auto runAt = [&](double mm) {  // dark pixels around the line at mm
    int n = 0;
    for (int x = int(px(mm) * kDotsPerMm) - 4; x <= int(px(mm) * kDotsPerMm) + 4; ++x)
      if (isInk(row[x])) ++n;
    return n;
  };
  int crossings = 0;
  for (int x = 1; x < grid.width(); ++x)
    if (isInk(row[x]) && !isInk(row[x - 1])) ++crossings;
  EXPECT_EQ(crossings, 201);
  EXPECT_GT(runAt(100), runAt(101));
  EXPECT_GT(runAt(10), runAt(9));
  EXPECT_EQ(runAt(101), runAt(0));

  // The same with the numbers and the printer information: what they add.
  w.Check1->click();
  w.Check2->click();
  w.Command2->click();
  const QImage full = render(dir.path() + QStringLiteral("/out-1.pdf"));
  ASSERT_EQ(full.size(), grid.size());
  auto added = [&](double l, double t, double r, double b) {
    QImage d(full.size(), QImage::Format_RGB32);
    d.fill(Qt::white);
    for (int y = int(py(t) * kDotsPerMm); y < int(py(b) * kDotsPerMm); ++y)
      for (int x = int(px(l) * kDotsPerMm); x < int(px(r) * kDotsPerMm); ++x)
        if (isInk(full.pixel(x, y)) && !isInk(grid.pixel(x, y))) d.setPixel(x, y, 0);
    return boundingBox(d, isBlack);
  };
  // Each text's top-left corner at its point: the device name at (11, 11),
  // the printable area at (11, 16) after its leading blank, the version at
  // (140, 271).
  struct Text {
    double x, y, blank;
  };
  for (const Text at : {Text{11, 11, 0}, Text{11, 16, 1.6}, Text{140, 271, 0}}) {
    const Box t = added(at.x - 3, at.y - 0.5, at.x + 20, at.y + 4);
    ASSERT_TRUE(t.found) << at.x << "," << at.y;
    EXPECT_GE(t.left, px(at.x) + at.blank - 0.05);
    EXPECT_LT(t.left, px(at.x) + at.blank + 0.6);
    EXPECT_GE(t.top, py(at.y) - 0.05);
    EXPECT_LT(t.top, py(at.y) + 1.6);  // the line's ascent above the letters
  }
  // The first number, " 10", right of (11, 1) after its blank; none at 0.
  const Box ten = added(10, 0.5, 20, 5);
  ASSERT_TRUE(ten.found);
  EXPECT_GT(ten.left, px(11) + 0.5);
  EXPECT_GE(ten.top, py(1) - 0.05);
  EXPECT_FALSE(added(0.5, 0.5, 10.5, 10.5).found);
  EXPECT_TRUE(added(0.5, 10.5, 10.5, 15).found);  // the first down the left edge
}

TEST_F(PrintWindowTest, ThePaletteOpensItAndPrinterSetupRelaysOut) {
  palette().FILE_B_Click(6);
  PRT_WIN* w = windows->prtWin;
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->isVisible());
  EXPECT_FALSE(win->isEnabled());
  // The set-up dialog turns the paper: the layout follows.
  prompter.setUpPrinter([](QPrinter& p) {
    MakePdfPrinter(p);
    p.setPageOrientation(QPageLayout::Landscape);
  });
  w->Command1->click();
  EXPECT_EQ(w->PRT_SIZE->text(), QStringLiteral(" 287.00mm × 193.00mm"));
  EXPECT_EQ(w->X_SIZE->text(), QStringLiteral(" 257.33"));
  prompter.cancelPrinterSetup();
  w->Command1->click();
  EXPECT_EQ(w->PRT_SIZE->text(), QStringLiteral(" 287.00mm × 193.00mm"));
  // Escape closes it too, and the editor comes back.
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &escape);
  EXPECT_FALSE(w->isVisible());
  EXPECT_TRUE(win->isEnabled());
  EXPECT_TRUE(cmdWin->isEnabled());
}

}  // namespace
}  // namespace tupalo
