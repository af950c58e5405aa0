// Floating windows kept within reach: pulled onto the screen, and the
// factory places leave the picture and the main window's title clear.
#include <QScreen>
#include <QWidget>

#include "editor/core/MainWindowFixture.h"
#include "editor/dialogs/COL_WIN.h"
#include "editor/palette/CMD_WIN.h"
#include "platform/FloatingWindow.h"

namespace tupalo {
namespace {

TEST(FloatingWindow, PulledOntoTheScreenWithItsFrame) {
  QWidget w;
  const QRect room = w.screen()->availableGeometry();
  const QMargins frame(3, 20, 3, 3);
  struct Case {
    QRect placed;
    QPoint expected;
  } cases[] = {
      {{room.right() - 50, room.bottom() - 8, 100, 60}, {room.right() - 102, room.bottom() - 62}},
      {{room.left() - 40, room.top(), 100, 60}, {room.left() + 3, room.top() + 20}},
      {{room.left() + 10, room.top() + 30, 100, 60}, {room.left() + 10, room.top() + 30}},
      // Larger than the screen: the title bar stays on it.
      {{room.left() + 50, room.top() + 50, room.width() + 10, room.height() + 10},
       {room.left() + 3, room.top() + 20}},
  };
  for (const Case& c : cases) {
    w.setGeometry(c.placed);
    keepOnScreen(&w, frame);
    EXPECT_EQ(w.geometry().topLeft(), c.expected) << c.placed.x() << "," << c.placed.y();
    EXPECT_EQ(w.geometry().size(), c.placed.size());
  }
}

TEST_F(MainWindowTest, FactoryPlacesLeaveThePictureAndTheTitleClear) {
  ASSERT_EQ(start(), P_WIN::StartResult::Running);
  const QRect main = win->geometry();
  EXPECT_GE(main.top(), 24) << "room for the title bar";
  EXPECT_FALSE(main.intersects(colWin->geometry()));
  EXPECT_FALSE(main.intersects(cmdWin->geometry()));
  EXPECT_FALSE(colWin->geometry().intersects(cmdWin->geometry()));
}

}  // namespace
}  // namespace tupalo
