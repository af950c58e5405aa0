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

constexpr ColourRef kWhite = rgb(255, 255, 255), kRed = rgb(255, 0, 0), kBlue = rgb(0, 0, 255);

class ColourToolsTest : public CanvasTest {
 protected:
  // A white w x h picture, drawn on by `draw`, wholly in view at `zoom`.
  void Picture(int w, int h, int zoom, const std::function<void(raster::Surface&)>& draw = {}) {
    editor.PIC = raster::Surface(w, h);
    if (draw) draw(editor.PIC);
    win->ResetViewAfterLoad();
    if (zoom > 1) win->ZoomTo(0, 0, zoom);
    ASSERT_EQ(editor.ViewSize, (Pair{w, h}));
    editor.Color1 = {0, 0, 255};
    before = editor.PIC;
  }
  // The window point inside picture pixel (x, y), off its block's corner.
  QPoint at(int x, int y) const {
    const int z = editor.ZoomFactor;
    return {x * z + z / 2, y * z + z - 1};
  }
  // Every pixel of the picture as `rule` makes it from the picture before.
  void ExpectPicture(const std::function<ColourRef(int, int, ColourRef)>& rule) {
    for (int y = 0; y < editor.PIC.height(); ++y)
      for (int x = 0; x < editor.PIC.width(); ++x)
        ASSERT_EQ(raster::GetPixel(editor.PIC, x, y), rule(x, y, raster::GetPixel(before, x, y)))
            << "at " << x << ", " << y << " zoom " << editor.ZoomFactor;
    EXPECT_EQ(editor.DRAW, cleanCanvas()) << "no rubber band left";
  }
  static bool inside(int x, int y, int l, int t, int r, int b) {
    return x >= l && x <= r && y >= t && y <= b;
  }
  raster::Surface before;
};

void RedColumn(raster::Surface& s) { s.fillRect(3, 0, 1, s.height(), raster::toPixel(kRed)); }

TEST_F(ColourToolsTest, ChangeColorAndItsReverseTakeThePixelsUnderTheBand) {
  for (int zoom : {1, 4}) {
    Picture(8, 6, zoom, RedColumn);
    editor.ToolCode = tool::ChangeColor;
    drag(at(5, 3), at(2, 1));
    EXPECT_EQ(win->INF_SUB->text(), QStringLiteral("Size X= 4 Y= 3"));
    EXPECT_EQ(win->waitWin->FRAME->title(), QStringLiteral("Change Color処理中"));
    EXPECT_FALSE(win->waitWin->isOpen());
    ExpectPicture([](int x, int y, ColourRef c) {
      return inside(x, y, 2, 1, 5, 3) && c == kWhite ? kBlue : c;
    });

    // Dragged off the canvas: the rectangle ends at the picture's edge.
    before = editor.PIC;
    editor.ToolCode = tool::ReverseChangeColor;
    drag(at(4, 2), QPoint(-40, -30));
    ExpectPicture([](int x, int y, ColourRef c) {
      return inside(x, y, 0, 0, 4, 2) ? kWhite == c ? c : kBlue : c;
    });
  }
}

TEST_F(ColourToolsTest, FuzzyChangesJudgeByTheWindowEachByItsRule) {
  // The designated colour, one within 10 of it in H, S and V, one far off.
  const ColourRef designated = rgb(200, 40, 40), near = rgb(205, 45, 42), far = rgb(40, 200, 40);
  auto row = [&](raster::Surface& s) {
    const ColourRef cs[] = {designated, near, far, kBlue};
    for (int x = 0; x < 4; ++x) raster::SetPixelV(s, x, 0, cs[x]);
  };
  struct Case {
    int code, fuzh;
    ColourRef want[4];
  } cases[] = {
      // No hue tolerance: the window holds nothing; an exact match counts
      // in Fuzzy Change Color, the reverse changes all but PenColor.
      {tool::FuzzyChangeColor, 0, {kBlue, near, far, kBlue}},
      {tool::ReverseFuzzyChangeColor, 0, {kBlue, kBlue, kBlue, kBlue}},
      {tool::FuzzyChangeColor, 10, {kBlue, kBlue, far, kBlue}},
      {tool::ReverseFuzzyChangeColor, 10, {designated, near, kBlue, kBlue}},
  };
  for (const Case& c : cases) {
    Picture(4, 1, 1, row);
    editor.Color2 = {200, 40, 40};
    editor.settings.FUZH = static_cast<int16_t>(c.fuzh);
    editor.ToolCode = c.code;
    drag(at(0, 0), at(3, 0));
    ExpectPicture([&](int x, int, ColourRef) { return c.want[x]; });
  }
}

TEST_F(ColourToolsTest, VBoxAndVPenScaleTheValueTruncating) {
  editor.settings.HSET = 50;
  Picture(8, 6, 1, RedColumn);
  editor.ToolCode = tool::VBox;
  drag(at(1, 1), at(4, 2));
  EXPECT_EQ(win->waitWin->FRAME->title(), QStringLiteral("V_BOX Change Color処理中"));
  ExpectPicture([](int x, int y, ColourRef c) {
    return !inside(x, y, 1, 1, 4, 2) ? c : c == kRed ? rgb(127, 0, 0) : rgb(127, 127, 127);
  });

  // V Pen works at the press and again at the release: a click halves twice.
  for (int code : {tool::VPen, tool::ExpVPen}) {
    Picture(8, 6, 4, RedColumn);
    editor.PenSize = 3;
    editor.ToolCode = code;
    click(at(4, 4).x(), at(4, 4).y());
    ExpectPicture([](int x, int y, ColourRef c) {
      return !inside(x, y, 3, 3, 5, 5) ? c : c == kRed ? rgb(63, 0, 0) : rgb(63, 63, 63);
    });
  }
}

TEST_F(ColourToolsTest, FillsStayWithinTheirOutline) {
  // A 1-pixel diagonal from (0, 5) to (5, 0) closes the top-left corner for
  // a 4-connected fill; a red pixel sits inside.
  auto outline = [](raster::Surface& s) {
    for (int i = 0; i <= 5; ++i) raster::SetPixelV(s, i, 5 - i, 0);
    raster::SetPixelV(s, 1, 1, kRed);
  };
  auto corner = [](int x, int y) { return x + y < 5; };
  for (int zoom : {1, 4}) {
    Picture(8, 8, zoom, outline);
    editor.ToolCode = tool::PaintA;
    click(at(0, 0).x(), at(0, 0).y());
    ExpectPicture(
        [&](int x, int y, ColourRef c) { return corner(x, y) && c == kWhite ? kBlue : c; });

    // Paint B up to the designated colour (black), red included; clicked on
    // black it does nothing and keeps the undo step.
    Picture(8, 8, zoom, outline);
    editor.Color2 = {0, 0, 0};
    editor.ToolCode = tool::PaintB;
    click(at(5, 0).x(), at(5, 0).y());
    EXPECT_EQ(editor.PIC, before);
    EXPECT_EQ(editor.UndoAvailable, 0);
    click(at(0, 1).x(), at(0, 1).y());
    ExpectPicture([&](int x, int y, ColourRef c) { return corner(x, y) ? kBlue : c; });
  }
}

}  // namespace
}  // namespace tupalo
