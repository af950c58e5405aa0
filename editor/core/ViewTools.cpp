// The tools that change what the canvas shows or what colour is edited,
// never the picture: the one-shot magnifier and the colour pick.

#include "editor/core/P_WIN.h"
#include "editor/core/Tool.h"
#include "editor/core/ToolEngine.h"
#include "editor/core/ToolFactories.h"
#include "editor/core/ToolTable.h"

namespace tupalo {

namespace {

// The one-shot magnifier: the press zooms about the clicked point and
// switches the palette to the expansion layout; the release goes back to the
// expansion tool last chosen.
class MagnifierTool : public Tool {
 public:
  void Press(ToolEngine& t, int X, int Y) override {
    P_WIN& w = t.win();
    w.SetPointer(QStringLiteral("WAIT"));
    w.ZoomTo(X, Y, tool::MagnifierZoom(t.ed().ToolCode));
    emit w.magnified();
  }
  bool Release(ToolEngine& t, int, int) override {
    t.ed().ToolCode = t.ed().LastExpansionTool;
    t.win().ShowToolName();
    return false;  // the view changed, the picture did not
  }
};

// The colour pick: while the button is held and on release the colour under
// the pointer becomes the edited colour. Nothing is drawn or committed.
class ColourPickTool : public Tool {
 public:
  void Press(ToolEngine& t, int X, int Y) override { Pick(t, X, Y); }
  void Drag(ToolEngine& t, int X, int Y) override { Pick(t, X, Y); }
  bool Release(ToolEngine& t, int X, int Y) override {
    Pick(t, X, Y);
    return false;
  }

 private:
  static void Pick(ToolEngine& t, int X, int Y) {
    t.PickCanvasColour(X, Y, t.ed().CurColor);
    emit t.win().editedColourPicked();
  }
};

}  // namespace

std::unique_ptr<Tool> MakeMagnifierTool(int) { return std::make_unique<MagnifierTool>(); }
std::unique_ptr<Tool> MakeColourPickTool(int) { return std::make_unique<ColourPickTool>(); }

}  // namespace tupalo
