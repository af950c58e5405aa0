// The text window and the text it arms: the caption and size rules, the
// windows it disables, and the letters written into the picture at zoom 1
// and 4, exactly in the drawing colour.
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <string_view>

#include "editor/core/CanvasFixture.h"
#include "editor/core/Undo.h"
#include "editor/dialogs/WORD_WIN.h"

namespace tupalo {
namespace {

using namespace wordwin;

TEST(WordWinRules, CaptionBlanksAndSizeBox) {
  EXPECT_EQ(TextForCaption(QStringLiteral(" Ab ")), QStringLiteral("Ab"));
  EXPECT_EQ(TextForCaption(QStringLiteral("  Ab  ")), QStringLiteral(" Ab "));
  EXPECT_EQ(CaptionForText(QStringLiteral("Ab")), QStringLiteral(" Ab "));
  EXPECT_EQ(CaptionForText(QStringLiteral(" Ab")), QStringLiteral(" Ab "));
  EXPECT_EQ(CaptionForText(QStringLiteral(" Ab ")), QStringLiteral(" Ab "));
  EXPECT_EQ(CaptionForText(TextForCaption(QStringLiteral(" Ab "))), QStringLiteral(" Ab "));

  EXPECT_EQ(ParseFontSize(QStringLiteral("10.5")), 10);
  EXPECT_EQ(ParseFontSize(QStringLiteral("11.5")), 12);
  EXPECT_EQ(ParseFontSize(QStringLiteral(" 14")), 14);
  // Sizes no font can take are held to the bar's range; letters are refused.
  EXPECT_EQ(ParseFontSize(QStringLiteral("0")), 1);
  EXPECT_EQ(ParseFontSize(QStringLiteral("-7")), 1);
  EXPECT_EQ(ParseFontSize(QStringLiteral("1e300")), kMaxWordPointSize);
  EXPECT_EQ(ParseFontSize(QStringLiteral("abc")), std::nullopt);
  EXPECT_EQ(ParseFontSize(QStringLiteral("nan")), std::nullopt);
  EXPECT_EQ(SizeText(12), QStringLiteral(" 12"));
}

class WordWinTest : public CanvasTest {
 protected:
  WORD_WIN& open() {
    cmdWin->CMD_B_Click(20);
    return *windows->wordWin;
  }

  // Arms the text through the window and writes it with a press at (X, Y).
  void write(const QString& text, int X, int Y) {
    WORD_WIN& w = open();
    w.Text1->setText(text);
    w.OK->click();
    ASSERT_EQ(editor.ToolCode, tool::WriteWord);
    move(X, Y, Qt::NoButton);
    click(X, Y);
  }

  // The pixels of the picture that differ from `before`, from their top-left.
  static std::vector<QPoint> changed(const raster::Surface& before, const raster::Surface& after,
                                     QPoint* topLeft = nullptr) {
    std::vector<QPoint> out;
    int l = 1 << 30, t = 1 << 30;
    for (int y = 0; y < after.height(); ++y)
      for (int x = 0; x < after.width(); ++x)
        if (after.pixel(x, y) != before.pixel(x, y)) {
          out.emplace_back(x, y);
          l = std::min(l, x), t = std::min(t, y);
        }
    for (QPoint& p : out) p -= QPoint(l, t);
    if (topLeft) *topLeft = QPoint(l, t);
    return out;
  }
};

TEST_F(WordWinTest, WindowDisablesTheOthersUntilEveryWayOut) {
  WORD_WIN& w = open();
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Tupa "));
  EXPECT_FALSE(win->isEnabled());
  EXPECT_FALSE(cmdWin->isEnabled());
  EXPECT_FALSE(colWin->isEnabled());
  EXPECT_TRUE(w.isEnabled());
  EXPECT_TRUE(w.Text1->isEnabled());

  // The font dialog: its answer shows in the labels, a cancel changes nothing.
  prompter.font(FontChoice{QStringLiteral("Noto Sans CJK JP"), 20, true, true});
  w.Command1->click();
  EXPECT_EQ(w.Label4->text(), QStringLiteral("Bold"));
  EXPECT_EQ(w.Label3->text(), QStringLiteral("Italic"));
  EXPECT_EQ(w.FNT_SIZE->text(), QStringLiteral(" 20"));
  EXPECT_EQ(w.SC_FONT->value(), 20);
  prompter.font(std::nullopt);
  w.Command1->click();
  EXPECT_EQ(prompter.fontRequests().back().pointSize, 20);
  EXPECT_EQ(w.previewFont(), (FontChoice{QStringLiteral("Noto Sans CJK JP"), 20, true, true}));
  w.FNT_SIZE->setText(QStringLiteral("11.5"));
  w.FNT_SIZE_LostFocus();
  EXPECT_EQ(w.FNT_SIZE->text(), QStringLiteral(" 12"));
  EXPECT_EQ(w.SC_FONT->value(), 12);

  // Esc, like the title bar's close, is a cancel.
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(&w, &esc);
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(win->isEnabled());
  EXPECT_TRUE(cmdWin->isEnabled());
  EXPECT_TRUE(colWin->isEnabled());
  EXPECT_NE(editor.ToolCode, tool::WriteWord);
  w.Open();
  w.close();
  EXPECT_TRUE(win->isEnabled());
  EXPECT_TRUE(cmdWin->isEnabled());
}

TEST_F(WordWinTest, OkTakesTheCaptionWithOneBlankAtEachEnd) {
  WORD_WIN& w = open();
  w.Text1->setText(QStringLiteral(" Ab"));
  w.OK->click();
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(editor.WORD.caption, QStringLiteral(" Ab "));
  EXPECT_EQ(editor.ToolCode, tool::WriteWord);
  EXPECT_TRUE(editor.WordShown);
  EXPECT_TRUE(win->isEnabled());

  open();
  EXPECT_EQ(w.Text1->text(), QStringLiteral("Ab"));
  w.OK->click();
  EXPECT_EQ(editor.WORD.caption, QStringLiteral(" Ab ")) << "blanks not doubled";

  // Another tool drops the armed text unwritten.
  const raster::Surface before = editor.PIC;
  win->SelectTool(tool::Pset);
  EXPECT_FALSE(editor.WordShown);
  EXPECT_EQ(editor.PIC, before);

  // A caption wider than any picture is refused before anything is drawn.
  open();
  w.Text1->setText(QString(3000, u'W'));
  w.FNT_SIZE->setText(QStringLiteral("99999"));
  prompter.answer(Answer::Ok);
  w.OK->click();
  EXPECT_EQ(w.FNT_SIZE->text(), QStringLiteral(" 300"));
  EXPECT_EQ(prompter.lastMessage().text, QStringLiteral("テキストが長すぎるため書けません。"));
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(editor.ToolCode, tool::Pset);
  w.Command2->click();
}

TEST_F(WordWinTest, TextIsWrittenOnceCentredInExactlyTheDrawingColour) {
  editor.Color1 = {0, 0, 0};
  const raster::Surface white = editor.PIC;
  write(QStringLiteral("Tupa 日本語"), 300, 200);
  EXPECT_EQ(editor.ToolCode, tool::WriteWordPlaced);
  EXPECT_FALSE(editor.WordShown);
  QPoint at;
  const std::vector<QPoint> letters = changed(white, editor.PIC, &at);
  ASSERT_GT(letters.size(), 100u);
  for (const QPoint& p : letters)
    ASSERT_EQ(raster::GetPixel(editor.PIC, at.x() + p.x(), at.y() + p.y()), raster::rgb(0, 0, 0));
  // The letters are the label's, the label centred on the press.
  const raster::Region& glyphs = editor.WORD.glyphs;
  std::vector<QPoint> want;
  for (const raster::Span& s : glyphs.spans())
    for (int x = s.x0; x < s.x1; ++x) want.emplace_back(x, s.y);
  const raster::Rect b = glyphs.bounds();
  for (QPoint& p : want) p -= QPoint(b.left, b.top);
  EXPECT_EQ(letters, want);
  EXPECT_EQ(at, QPoint(300 - glyphs.width() / 2 + b.left, 200 - glyphs.height() / 2 + b.top));

  const raster::Surface once = editor.PIC;
  click(100, 100);
  EXPECT_EQ(editor.PIC, once) << "a second press writes nothing";
  Undo(*win);
  EXPECT_EQ(editor.PIC, white);

  // At zoom 4 the same letters reach the picture, none lost to sampling.
  win->ZoomTo(0, 0, 4);
  write(QStringLiteral("Tupa 日本語"), 401, 203);
  EXPECT_EQ(changed(white, editor.PIC), letters);
}

TEST_F(WordWinTest, JapaneseHasAFontOutOfTheBox) {
  const QFont font(editor.WORD.font.name);
  EXPECT_TRUE(QFontInfo(font).family().contains(QStringLiteral("CJK")))
      << QFontInfo(font).family().toStdString();
  for (const char32_t c : std::u32string_view(U"日本語テキスト"))
    EXPECT_TRUE(QFontMetrics(font).inFontUcs4(c));
}

}  // namespace
}  // namespace tupalo
