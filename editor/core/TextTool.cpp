// Write word (27001): the text window arms a line of text; its label WORD
// follows the pointer over the canvas, and the next press writes it, centred
// on the press point, in the drawing colour with the picture showing between
// the letters. Then the tool rests (27002) until the window arms it again.
//
// The caption is printed once, when it is armed, at picture scale and without
// anti-aliasing: its letters are exactly the drawing colour, with no fringe of
// mixed colours for the fills and colour tools to trip over. At zoom above 1
// the label shows those pixels as Z x Z blocks on whole cells and the press
// paints the blocks, so the picture receives every stroke, however thin,
// rather than whatever the commit's one sample per block happens to hit. The
// text is therefore as large in the picture at every zoom.

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <optional>

#include "editor/core/P_WIN.h"
#include "editor/core/Tool.h"
#include "editor/core/ToolEngine.h"
#include "editor/core/ToolFactories.h"
#include "editor/core/ToolTable.h"
#include "editor/files/PictureFile.h"

namespace tupalo {

namespace {

QFont WordFont(const FontChoice& f) {
  QFont font(f.name);
  font.setPointSize(std::clamp(f.pointSize, 1, kMaxWordPointSize));
  font.setBold(f.bold);
  font.setItalic(f.italic);
  font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
  return font;
}

// The caption printed in `font`: the pixels of its letters, from the top-left
// of a label as wide as the caption's advance and as high as the font's line,
// widened where a letter reaches beyond them (italics, bearings). Nothing
// when the label would be wider or higher than a picture may be; that is
// known before any pixel is allocated.
std::optional<raster::Region> PrintCaption(const QString& caption, const QFont& font) {
  // Printed on an image, the size in points is taken at the image's 96 dpi,
  // the same on every screen.
  const QImage probe(1, 1, QImage::Format_ARGB32_Premultiplied);
  const QFontMetrics fm(font, &probe);
  const QRect line(0, -fm.ascent(), fm.horizontalAdvance(caption), fm.height());
  const int margin = fm.height() / 2 + 2;  // room for what the metrics underestimate
  const QRect area =
      line.united(fm.boundingRect(caption)).adjusted(-margin, -margin, margin, margin);
  if (area.width() > kMaxPictureSide || area.height() > kMaxPictureSide) return std::nullopt;

  QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(-area.left(), -area.top(), caption);
  }
  auto inked = [&](int x, int y) {
    return qAlpha(reinterpret_cast<const QRgb*>(image.constScanLine(y))[x]) >= 128;
  };
  QRect label = line.translated(-area.topLeft());
  int l = label.left(), t = label.top(), r = label.right(), b = label.bottom();
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (inked(x, y)) {
        l = std::min(l, x), r = std::max(r, x);
        t = std::min(t, y), b = std::max(b, y);
      }
  label = QRect(QPoint(l, t), QPoint(r, b));

  raster::Region glyphs(label.width(), label.height());
  for (int y = label.top(); y <= label.bottom(); ++y) {
    for (int x = label.left(); x <= label.right();) {
      if (!inked(x, y)) {
        ++x;
        continue;
      }
      const int x0 = x;
      while (x <= label.right() && inked(x, y)) ++x;
      glyphs.addSpan(y - label.top(), x0 - label.left(), x - label.left());
    }
  }
  return glyphs;
}

// The label's cell: the label centred on the cell under (X, Y).
raster::Point LabelCell(const Editor& e, int X, int Y) {
  const int z = e.ZoomFactor;
  return {X / z - e.WORD.glyphs.width() / 2, Y / z - e.WORD.glyphs.height() / 2};
}

// The label over the canvas with its dotted frame, window pixels.
WindowRect LabelRect(const Editor& e) {
  const int z = e.ZoomFactor;
  const Pair p = e.WORD.pos;
  return {p.x - 1, p.y - 1, p.x + e.WORD.glyphs.width() * z, p.y + e.WORD.glyphs.height() * z};
}

void PlaceLabel(Editor& e, int X, int Y) {
  const raster::Point c = LabelCell(e, X, Y);
  e.WORD.pos = {c.x * e.ZoomFactor, c.y * e.ZoomFactor};
}

class WriteWordTool : public Tool {
 public:
  void Press(ToolEngine& t, int X, int Y) override {
    Editor& e = t.ed();
    if (e.ToolCode != tool::WriteWord) return;  // written once; the window arms it again
    P_WIN& w = t.win();
    w.SetPointer(QStringLiteral("WAIT"));
    Hover(t, X, Y);
    e.WordShown = false;
    t.RepaintOverlay(LabelRect(e));
    written_ = Write(t, LabelCell(e, X, Y));
    w.SetPointer(QStringLiteral("NORMAL"));
    e.ToolCode = tool::WriteWordPlaced;
  }

  void Hover(ToolEngine& t, int X, int Y) override {
    Editor& e = t.ed();
    if (e.ToolCode != tool::WriteWord) return;
    const WindowRect before = LabelRect(e);
    PlaceLabel(e, X, Y);
    if (LabelRect(e) == before) return;
    t.RepaintOverlay(before);
    t.RepaintOverlay(LabelRect(e));
  }

  bool Release(ToolEngine&, int, int) override {
    const bool written = written_;
    written_ = false;
    return written;
  }

  void Reset() override { written_ = false; }

 private:
  // The letters in PenColor, each label pixel a cell at `at`.
  static bool Write(ToolEngine& t, raster::Point at) {
    const Editor& e = t.ed();
    const bool cells = e.ZoomFactor > 1;
    raster::Region& figure = cells ? t.CellFigure() : t.Figure();
    for (const raster::Span& s : e.WORD.glyphs.spans())
      figure.addSpan(at.y + s.y, at.x + s.x0, at.x + s.x1);
    if (figure.empty()) return false;
    const pixel::CopyInk ink(e.PenColor);
    if (cells)
      t.PaintCells(figure, ink);
    else
      t.Paint(figure, ink);
    return true;
  }

  bool written_ = false;  // the press wrote: the release commits
};

}  // namespace

std::unique_ptr<Tool> MakeTextTool(int) { return std::make_unique<WriteWordTool>(); }

bool P_WIN::ArmWord(const QString& caption, const FontChoice& font, raster::ColourRef colour) {
  FontChoice f = font;
  f.pointSize = std::clamp(f.pointSize, 1, kMaxWordPointSize);
  std::optional<raster::Region> glyphs = PrintCaption(caption, WordFont(f));
  if (!glyphs) return false;
  WordLabel& word = e_.WORD;
  word.caption = caption;
  word.font = f;
  word.colour = colour;
  word.glyphs = std::move(*glyphs);
  ++word.generation;
  SelectTool(tool::WriteWord);
  // Over the canvas the label stands at the pointer at once.
  const QPoint p = DRAW->mapFromGlobal(QCursor::pos());
  if (DRAW->rect().contains(p)) PlaceLabel(e_, p.x(), p.y());
  // Armed text is an overlay not yet written: undo and the right button drop it.
  e_.GestureStage = 1;
  DRAW->refreshAll();
  return true;
}

}  // namespace tupalo
