#pragma once
// A started main window whose program folder also holds the button strips,
// with its command palette at hand.

#include <QCoreApplication>
#include <QMouseEvent>

#include "editor/core/MainWindowFixture.h"
#include "editor/palette/CMD_WIN.h"

namespace tupalo {

// A click on a button with either mouse button, as a person makes it.
inline void clickWith(QWidget* w, Qt::MouseButton button) {
  const QPointF at(5, 5);
  QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), button, button,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(w, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), button, Qt::NoButton,
                      Qt::NoModifier);
  QCoreApplication::sendEvent(w, &release);
}

class PaletteTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    for (const QString& name : QDir(QStringLiteral(TUPALO_DATA_DIR))
                                   .entryList({QStringLiteral("*_IMG.bmp")}, QDir::Files)) {
      const QString target = app + '/' + name;
      if (QFile::exists(target)) continue;
      ASSERT_TRUE(QFile::copy(QStringLiteral(TUPALO_DATA_DIR "/") + name, target));
    }
  }

  CMD_WIN& palette() {
    if (!win) {
      EXPECT_EQ(start(), P_WIN::StartResult::Running);
    }
    return *cmdWin;
  }

  // The rows of faces (0 normal, 1 highlighted) of a row of buttons.
  template <typename Buttons>
  static std::vector<int> faces(const Buttons& buttons) {
    std::vector<int> rows;
    for (const StripButton* b : buttons) rows.push_back(b ? b->faceRow() : -1);
    return rows;
  }
  template <typename Buttons>
  static std::vector<int> highlightedOnly(const Buttons& buttons, int i) {
    std::vector<int> rows;
    for (std::size_t k = 0; k < buttons.size(); ++k)
      rows.push_back(buttons[k] ? (int(k) == i ? 1 : 0) : -1);
    return rows;
  }
};

}  // namespace tupalo
