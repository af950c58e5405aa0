// The tools that move rectangles of pixels: Area copy (20000; the piece
// floating 20001, just stamped 20002), the expanded-mode Copy (11100; 11101,
// 11102), Copy to Clipboard (18) and Copy from Clipboard (19).
//
// A rectangle is chosen in whole cells (picture pixels of the view) with an
// XOR band and lifted into WORK at picture scale; the piece floats as Z x Z
// blocks on whole cells, so a stamp enters the picture exactly at any zoom.
// At zoom 1 a cell is a window pixel and this is the canvas rectangle itself.

#include "editor/core/FloatingPiece.h"
#include "editor/core/ShapeDrawing.h"
#include "editor/core/Tool.h"
#include "editor/core/ToolEngine.h"
#include "editor/core/ToolFactories.h"
#include "editor/core/ToolTable.h"
#include "editor/palette/ClipboardPicture.h"

namespace tupalo {

namespace {

using raster::Point;

Point CellAt(const Editor& e, int X, int Y) { return {X / e.ZoomFactor, Y / e.ZoomFactor}; }

class RectCopyTool : public Tool {
 public:
  explicit RectCopyTool(int base) : base_(base) {
    switch (base) {
      case tool::AreaCopy:
        floating_ = tool::AreaCopyFloating;
        stampedState_ = tool::AreaCopyStamped;
        break;
      case tool::ExpCopy:
        floating_ = tool::ExpCopyFloating;
        stampedState_ = tool::ExpCopyStamped;
        break;
      default:
        // The clipboard's picture floats from the start and the tool stays
        // as it is; Copy to Clipboard's piece never floats.
        floating_ = stampedState_ = base;
        break;
    }
  }

  void Press(ToolEngine& t, int X, int Y) override {
    Editor& e = t.ed();
    if (Floats(e)) {
      Hover(t, X, Y);
      // One press, one stamp: a pasted piece is not stamped again unseen.
      t.StampPieceAt(X, Y);
      e.ToolCode = stampedState_;
      stamped_ = true;
      return;
    }
    if (e.ToolCode != base_ || base_ == tool::CopyFromClipboard) return;
    selecting_ = true;
    Drag(t, X, Y);
  }

  void Drag(ToolEngine& t, int X, int Y) override {
    if (!selecting_) return;
    const Editor& e = t.ed();
    band_.ShowCells(t, pixel::CellShape::Box, 1, CellAt(e, t.start().x, t.start().y),
                    CellAt(e, X, Y));
    t.ShowSize(X, Y);
  }

  void Hover(ToolEngine& t, int X, int Y) override {
    Editor& e = t.ed();
    if (!Floats(e)) return;
    // The clipboard's picture floats in picture pixels and outlives a change
    // of zoom: its blocks take the zoom of the moment.
    if (base_ == tool::CopyFromClipboard && e.PieceScale != e.ZoomFactor) {
      t.RepaintOverlay(PieceRect(e));
      e.PieceScale = e.ZoomFactor;
    }
    t.MovePiece(X, Y);
  }

  bool Release(ToolEngine& t, int X, int Y) override {
    Editor& e = t.ed();
    if (stamped_) {
      stamped_ = false;
      e.ToolCode = base_;
      return true;
    }
    if (!selecting_) return false;
    selecting_ = false;
    // The band goes first, so that no inverted edge travels with the piece.
    band_.Hide(t);
    const WindowRect cells = CellsBetween(e, t.start(), {X, Y});
    if (cells.empty()) return false;
    LiftCells(e, cells);
    if (base_ == tool::CopyToClipboard) {
      PutPictureOnClipboard(e.WORK);
      return false;
    }
    const int z = e.ZoomFactor;
    FloatWork(e, z, {cells.left * z, cells.top * z}, {X, Y});
    e.ToolCode = floating_;
    t.RepaintOverlay(PieceRect(e));
    return false;
  }

  void Reset() override {
    band_.Forget();
    selecting_ = stamped_ = false;
  }

 private:
  bool Floats(const Editor& e) const {
    return base_ != tool::CopyToClipboard && e.ToolCode == floating_ && e.WorkShown;
  }

  int base_;
  int floating_;
  int stampedState_;
  bool selecting_ = false;  // the press started a selection
  bool stamped_ = false;    // the press stamped the piece: the release commits
  shapes::Band band_;
};

}  // namespace

std::unique_ptr<Tool> MakeCopyTool(int base) {
  switch (base) {
    case tool::AreaCopy:
    case tool::ExpCopy:
    case tool::CopyToClipboard:
    case tool::CopyFromClipboard:
      return std::make_unique<RectCopyTool>(base);
    default:
      return nullptr;
  }
}

}  // namespace tupalo
