// The colour change tools and the flood fills, used through the canvas on
// small pictures and checked in the picture pixel by pixel, at zoom 1 and 4.
#include <QGroupBox>
#include <functional>

#include "editor/core/CanvasFixture.h"
#include "editor/core/WAIT_WIN.h"

namespace tupalo {
namespace {

using raster::ColourRef;
using raster::rgb;
using Rule = std::function<ColourRef(int x, int y, ColourRef before)>;

constexpr ColourRef kWhite = rgb(255, 255, 255), kRed = rgb(255, 0, 0), kBlue = rgb(0, 0, 255);

class ColourToolsTest : public CanvasTest {
 protected:
  // A white w x h picture with a red column at x = 3 (or as `draw` makes
  // it), wholly in view at `zoom`; the drawing colour blue.
  void Picture(int w, int h, int zoom, const std::function<void(raster::Surface&)>& draw = {}) {
    editor.PIC = raster::Surface(w, h);
    editor.PIC.fillRect(3, 0, 1, h, raster::toPixel(kRed));
    if (draw) draw(editor.PIC);
    win->ResetViewAfterLoad();
    if (zoom > 1) win->ZoomTo(0, 0, zoom);
    ASSERT_EQ(editor.ViewSize, (Pair{w, h}));
    editor.Color1 = {0, 0, 255};
    before = editor.PIC;
  }
  // A window point inside picture pixel (x, y), off its block's sample.
  QPoint at(int x, int y) const { return QPoint(x, y) * editor.ZoomFactor; }
  // Every pixel as `rule` makes it from the picture before, those outside
  // `area` unchanged.
  void ExpectPicture(const Rule& rule, QRect area = QRect(0, 0, 99, 99)) {
    for (int y = 0; y < editor.PIC.height(); ++y)
      for (int x = 0; x < editor.PIC.width(); ++x) {
        const ColourRef was = raster::GetPixel(before, x, y);
        ASSERT_EQ(raster::GetPixel(editor.PIC, x, y), area.contains(x, y) ? rule(x, y, was) : was)
            << "at " << x << ", " << y << " zoom " << editor.ZoomFactor;
      }
    EXPECT_EQ(editor.DRAW, cleanCanvas()) << "no rubber band left";
    before = editor.PIC;
  }
  raster::Surface before;
};

TEST_F(ColourToolsTest, ChangeColorAndItsReverseTakeThePixelsUnderTheBand) {
  for (int zoom : {1, 4}) {
    Picture(8, 6, zoom);
    editor.ToolCode = tool::ChangeColor;
    drag(at(5, 3), at(2, 1));
    EXPECT_EQ(win->INF_SUB->text(), QStringLiteral("Size X= 4 Y= 3"));
    EXPECT_EQ(win->waitWin->FRAME->title(), QStringLiteral("Change Color処理中"));
    ExpectPicture([](int, int, ColourRef c) { return c == kWhite ? kBlue : c; }, QRect(2, 1, 4, 3));
    // Dragged off the canvas: the rectangle ends at the picture's edge.
    editor.ToolCode = tool::ReverseChangeColor;
    drag(at(4, 2), QPoint(-40, -30));
    ExpectPicture([](int, int, ColourRef c) { return c == kWhite ? c : kBlue; }, QRect(0, 0, 5, 3));
  }
}

TEST_F(ColourToolsTest, FuzzyChangesJudgeByTheWindowEachByItsRule) {
  // The designated colour, one within 10 of it in H, S and V, one far off.
  const ColourRef mask = rgb(200, 40, 40), near = rgb(205, 45, 42), far = rgb(40, 200, 40);
  const ColourRef row[] = {mask, near, far, kBlue};
  struct {
    int code, fuzh;
    ColourRef want[4];
  } cases[] = {// No hue tolerance: the window holds nothing; an exact match counts
               // in Fuzzy Change Color, the reverse changes all but PenColor.
               {tool::FuzzyChangeColor, 0, {kBlue, near, far, kBlue}},
               {tool::ReverseFuzzyChangeColor, 0, {kBlue, kBlue, kBlue, kBlue}},
               {tool::FuzzyChangeColor, 10, {kBlue, kBlue, far, kBlue}},
               {tool::ReverseFuzzyChangeColor, 10, {mask, near, kBlue, kBlue}}};
  for (const auto& c : cases) {
    Picture(4, 1, 1, [&](raster::Surface& s) {
      for (int x = 0; x < 4; ++x) raster::SetPixelV(s, x, 0, row[x]);
    });
    editor.Color2 = {200, 40, 40};
    editor.settings.FUZH = static_cast<int16_t>(c.fuzh);
    editor.ToolCode = c.code;
    drag(at(0, 0), at(3, 0));
    ExpectPicture([&](int x, int, ColourRef) { return c.want[x]; });
  }
}

// White and red as the brightness tools leave them.
Rule Value(int v) {
  return [v](int, int, ColourRef c) { return c == kRed ? rgb(v, 0, 0) : rgb(v, v, v); };
}
TEST_F(ColourToolsTest, VBoxAndVPenScaleTheValueTruncating) {
  editor.settings.HSET = 50;
  Picture(8, 6, 1);
  editor.ToolCode = tool::VBox;
  drag(at(1, 1), at(4, 2));
  EXPECT_EQ(win->waitWin->FRAME->title(), QStringLiteral("V_BOX Change Color処理中"));
  ExpectPicture(Value(127), QRect(1, 1, 4, 2));
  // V Pen works at the press and again at the release: a click halves twice.
  for (int code : {tool::VPen, tool::ExpVPen}) {
    Picture(8, 6, 4);
    editor.PenSize = 3;
    editor.ToolCode = code;
    click(16, 16);
    ExpectPicture(Value(63), QRect(3, 3, 3, 3));
  }
}

TEST_F(ColourToolsTest, FillsStayWithinTheirOutline) {
  // A 1-pixel diagonal from (0, 5) to (5, 0) closes the top-left corner for
  // a 4-connected fill; the red column crosses it.
  auto diagonal = [](raster::Surface& s) {
    for (int i = 0; i <= 5; ++i) raster::SetPixelV(s, i, 5 - i, 0);
  };
  for (int zoom : {1, 4}) {
    Picture(8, 8, zoom, diagonal);
    editor.ToolCode = tool::PaintA;
    click(0, 0);
    // The red column stops it: only the white left of it changes.
    ExpectPicture([](int x, int y, ColourRef c) { return x + y < 5 && x < 3 ? kBlue : c; });
    // Paint B up to the designated colour (black), red included; clicked on
    // black it does nothing and keeps the undo step as it was.
    Picture(8, 8, zoom, diagonal);
    editor.Color2 = {0, 0, 0};
    editor.ToolCode = tool::PaintB;
    click(at(5, 0).x(), 0);
    EXPECT_EQ(editor.UndoAvailable, 0);
    click(0, at(0, 1).y());
    ExpectPicture([](int x, int y, ColourRef c) { return x + y < 5 ? kBlue : c; });
  }
}

}  // namespace
}  // namespace tupalo
