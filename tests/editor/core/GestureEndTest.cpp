// A gesture under way meets the rest of the editor: a tool chosen on the
// palette, the undo button and the space key. Whatever ends it, nothing of
// it may reach the picture and the next gesture must start cleanly.
#include "editor/core/CanvasFixture.h"
#include "editor/core/ToolEngine.h"
#include "editor/palette/CMD_WIN.h"

namespace tupalo {
namespace {

std::vector<QPoint> boxOutline(int l, int t, int r, int b) {
  std::vector<QPoint> out;
  for (int y = t; y <= b; ++y)
    for (int x = l; x <= r; ++x)
      if (x == l || x == r || y == t || y == b) out.emplace_back(x, y);
  return out;
}

TEST_F(CanvasTest, ChoosingAnotherToolDropsAShapeWaitingForItsNextClick) {
  editor.settings.LMOD = 1;  // button 2 is Line(Type2)
  CMD_WIN& palette = *cmdWin;
  // Polygon, Line(Type2) and Bezier Line, each left between two clicks.
  for (const int button : {27, 2, 30}) {
    SCOPED_TRACE(button);
    palette.CMD_B_Click(button);
    const int tool = editor.ToolCode;
    click(10, 10);
    click(120, 15);
    move(100, 90, Qt::NoButton);
    ASSERT_NE(editor.ToolCode, tool) << "pending";
    win->INF_SUB->setText(QStringLiteral("あと 254点"));

    palette.CMD_B_Click(3);  // Box
    EXPECT_EQ(editor.ToolCode, 4);
    EXPECT_EQ(editor.PointCount, 0);
    EXPECT_EQ(editor.DRAW, cleanCanvas()) << "no edge or band stays on the canvas";
    EXPECT_EQ(win->INF_SUB->text(), QStringLiteral(" "));
    drag({200, 200}, {260, 240});
    EXPECT_EQ(inked(editor.PIC), boxOutline(200, 200, 260, 240)) << "the box alone";
    editor.PIC.fill(0xFFFFFFFFu);
    RedrawView(editor);
  }
}

TEST_F(CanvasTest, SpaceAndTheUndoButtonAreOneCommand) {
  CMD_WIN& palette = *cmdWin;
  auto viaSpace = [this] { key(Qt::Key_Space); };
  auto viaButton = [&palette] { palette.UNDO_Click(); };
  editor.ToolCode = 4;
  drag({20, 20}, {60, 50});
  const std::vector<QPoint> box = boxOutline(20, 20, 60, 50);
  ASSERT_EQ(inked(editor.PIC), box);

  using Command = std::function<void()>;
  for (const auto& [first, second] :
       {std::pair<Command, Command>{viaSpace, viaButton}, {viaButton, viaSpace}}) {
    editor.ToolCode = 27;
    click(100, 100);
    click(200, 100);
    move(150, 180, Qt::NoButton);
    first();  // drops the polygon, the box stays
    EXPECT_EQ(editor.ToolCode, 27);
    EXPECT_EQ(editor.DRAW, cleanCanvas());
    EXPECT_EQ(inked(editor.PIC), box);
    second();  // undoes the box
    EXPECT_TRUE(inked(editor.PIC).empty());
    first();  // and brings it back
    EXPECT_EQ(inked(editor.PIC), box);
    EXPECT_EQ(editor.DRAW, cleanCanvas());
  }

  // With no undo offered and nothing pending, neither does anything.
  win->InvalidateUndo();
  viaSpace();
  viaButton();
  EXPECT_EQ(inked(editor.PIC), box);
}

class ZoomedGestureTest : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    editor.settings.LMOD = 1;  // EXP_M1(12) is the connected line
    win->ZoomTo(0, 0, 4);
    cmdWin->EnterExpansionLayout();
  }
};

TEST_F(ZoomedGestureTest, ConnectedLineEndsWhenAnotherToolIsChosen) {
  CMD_WIN& palette = *cmdWin;
  palette.EXP_M1_Click(12);
  click(40, 40);
  click(80, 41);
  ASSERT_EQ(editor.ToolCode, 12029);
  ASSERT_EQ(editor.DragActive, 1);

  palette.EXP_M1_Click(13);  // expanded Box
  EXPECT_EQ(editor.ToolCode, 11003);
  EXPECT_EQ(editor.DragActive, 0);
  EXPECT_EQ(editor.DRAW, cleanCanvas());
  drag({40, 40}, {80, 72});  // presses are taken again
  EXPECT_EQ(inked(editor.PIC).size(), 11u * 2u + 7u * 2u);

  // Between its clicks the line takes the keyboard: space drops it.
  palette.EXP_M1_Click(12);
  click(40, 40);
  click(80, 41);
  key(Qt::Key_Space);
  EXPECT_EQ(editor.ToolCode, 11029);
  EXPECT_EQ(editor.DragActive, 0);
  EXPECT_EQ(editor.DRAW, cleanCanvas());
}

}  // namespace
}  // namespace tupalo
