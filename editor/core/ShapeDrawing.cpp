#include "editor/core/ShapeDrawing.h"

#include <algorithm>

#include "editor/core/ToolEngine.h"

namespace tupalo::shapes {

namespace {

constexpr raster::Pixel kBlack = raster::kOpaque;
constexpr raster::Pixel kWhite = 0xFFFFFFFFu;
constexpr raster::Pixel kXorBits = 0x00FFFFFFu;  // XOR with white, colour bits only

// Fills blocks of cells on the canvas, in one colour or in XOR, and keeps the
// window rectangle it touched.
class CellPainter {
 public:
  CellPainter(Editor& e, bool xorMode)
      : draw_(e.DRAW), z_(e.ZoomFactor), xor_(xorMode), ink_(raster::toPixel(e.PenColor)) {}

  // Cells l..r, t..b (included).
  void Fill(int l, int t, int r, int b) {
    const int x0 = std::max(0, l * z_), x1 = std::min(draw_.width(), (r + 1) * z_);
    const int y0 = std::max(0, t * z_), y1 = std::min(draw_.height(), (b + 1) * z_);
    if (x0 >= x1 || y0 >= y1) return;
    if (xor_) {
      for (int y = y0; y < y1; ++y) {
        raster::Pixel* p = draw_.row(y);
        for (int x = x0; x < x1; ++x) p[x] ^= kXorBits;
      }
    } else {
      draw_.fillRect(x0, y0, x1 - x0, y1 - y0, ink_);
    }
    touched_.left = std::min(touched_.left, x0);
    touched_.top = std::min(touched_.top, y0);
    touched_.right = std::max(touched_.right, x1 - 1);
    touched_.bottom = std::max(touched_.bottom, y1 - 1);
  }

  // Every black pixel of `mask`, whose top-left is cell (ox, oy), as a cell;
  // runs of a row are filled together.
  void FillMask(const raster::Surface& mask, int ox, int oy) {
    for (int y = 0; y < mask.height(); ++y) {
      const raster::Pixel* m = mask.row(y);
      for (int x = 0; x < mask.width();) {
        if (m[x] != kBlack) {
          ++x;
          continue;
        }
        int end = x;
        while (end + 1 < mask.width() && m[end + 1] == kBlack) ++end;
        Fill(ox + x, oy + y, ox + end, oy + y);
        x = end + 1;
      }
    }
  }

  WindowRect touched() const { return touched_; }

 private:
  raster::Surface& draw_;
  int z_;
  bool xor_;
  raster::Pixel ink_;
  WindowRect touched_{1 << 30, 1 << 30, -1, -1};
};

// Scratch masks, kept and grown rather than allocated per pointer move.
raster::Surface& scratch(int i) {
  static raster::Surface masks[2];
  return masks[i];
}

// A white mask of w x h.
raster::Surface& blankMask(int i, int w, int h) {
  raster::Surface& m = scratch(i);
  m.reshape(std::max(w, 1), std::max(h, 1));
  m.fill(kWhite);
  return m;
}

}  // namespace

raster::Pen BandPen(int width) {
  raster::Pen pen;
  pen.color = raster::rgb(255, 255, 255);
  pen.width = std::max(width, 1);
  pen.mode = raster::DrawMode::XorPen;
  return pen;
}

EllipseBox EllipseAround(Point c, Point p) {
  const int dx = p.x - c.x, dy = p.y - c.y;
  return {c.x + dx + 1, c.y + dy + 1, c.x - dx, c.y - dy};
}

WindowRect PaintCells(ToolEngine& t, CellShape shape, Point a, Point b, int pen, bool xorMode) {
  Editor& e = t.ed();
  pen = std::max(pen, 1);
  CellPainter paint(e, xorMode);
  // Only cells near the view matter; shapes are clipped to this box of cells.
  const int viewL = -pen, viewT = -pen;
  const int viewR = e.ViewSize.x + pen, viewB = e.ViewSize.y + pen;
  const int h = pen / 2;  // the square pen reaches h cells left and up of its cell

  switch (shape) {
    case CellShape::Box:
    case CellShape::BoxFill: {
      const int l = std::min(a.x, b.x) - h, r = std::max(a.x, b.x) - h + pen - 1;
      const int tp = std::min(a.y, b.y) - h, bt = std::max(a.y, b.y) - h + pen - 1;
      if (shape == CellShape::BoxFill || r - l + 1 <= 2 * pen || bt - tp + 1 <= 2 * pen) {
        paint.Fill(l, tp, r, bt);
      } else {  // four bands that do not overlap, so XOR touches each cell once
        paint.Fill(l, tp, r, tp + pen - 1);
        paint.Fill(l, bt - pen + 1, r, bt);
        paint.Fill(l, tp + pen, l + pen - 1, bt - pen);
        paint.Fill(r - pen + 1, tp + pen, r, bt - pen);
      }
      break;
    }
    case CellShape::Segment: {
      // The 1-cell path from a to b, end included, then the square pen
      // stamped on every cell of it.
      const int l = std::max(std::min(a.x, b.x) - h, viewL),
                r = std::min(std::max(a.x, b.x) - h + pen - 1, viewR);
      const int tp = std::max(std::min(a.y, b.y) - h, viewT),
                bt = std::min(std::max(a.y, b.y) - h + pen - 1, viewB);
      if (l > r || tp > bt) break;
      // Path cells that can reach the box lie within `pen` cells of it.
      const int pl = l - pen, pt = tp - pen;
      raster::Surface& path = blankMask(0, r - l + 1 + 2 * pen, bt - tp + 1 + 2 * pen);
      raster::Pen one;
      one.color = 0;
      raster::Line(path, one, {a.x - pl, a.y - pt}, {b.x - pl, b.y - pt});
      raster::PSet(path, one, b.x - pl, b.y - pt);
      if (pen == 1) {
        paint.FillMask(path, pl, pt);
        break;
      }
      raster::Surface& out = blankMask(1, r - l + 1, bt - tp + 1);
      for (int y = 0; y < path.height(); ++y)
        for (int x = 0; x < path.width(); ++x)
          if (path.pixel(x, y) == kBlack)
            out.fillRect(pl + x - h - l, pt + y - h - tp, pen, pen, kBlack);
      paint.FillMask(out, l, tp);
      break;
    }
    case CellShape::Ellipse:
    case CellShape::EllipseFill: {
      const EllipseBox box = EllipseAround(a, b);
      const int l = std::max(std::min(box.l, box.r) - pen, viewL);
      const int r = std::min(std::max(box.l, box.r) + pen, viewR);
      const int tp = std::max(std::min(box.t, box.b) - pen, viewT);
      const int bt = std::min(std::max(box.t, box.b) + pen, viewB);
      if (l > r || tp > bt) break;
      raster::Surface& mask = blankMask(0, r - l + 1, bt - tp + 1);
      raster::Pen p;
      p.color = 0;
      p.width = pen;
      raster::Brush brush;
      brush.solid = shape == CellShape::EllipseFill;
      brush.color = 0;
      raster::Ellipse(mask, p, brush, box.l - l, box.t - tp, box.r - l, box.b - tp);
      paint.FillMask(mask, l, tp);
      break;
    }
  }
  const WindowRect done = paint.touched();
  if (!done.empty()) t.Touch(done.left, done.top, done.right, done.bottom);
  return done;
}

void Band::Show(ToolEngine& t, Shape shape, const raster::Pen& pen, Point a, Point b) {
  Hide(t);
  shape_ = shape;
  pen_ = pen;
  p_[0] = a;
  p_[1] = b;
  Paint(t);
}

void Band::ShowCurve(ToolEngine& t, const raster::Pen& pen, const Point (&pts)[4]) {
  Hide(t);
  shape_ = Shape::Curve;
  pen_ = pen;
  std::copy(std::begin(pts), std::end(pts), p_);
  Paint(t);
}

void Band::ShowCells(ToolEngine& t, CellShape shape, int pen, Point a, Point b) {
  Hide(t);
  shape_ = Shape::Cells;
  cells_ = shape;
  cellPen_ = pen;
  p_[0] = a;
  p_[1] = b;
  Paint(t);
}

void Band::Hide(ToolEngine& t) {
  if (shown_ && generation_ == t.ed().CanvasGeneration) Paint(t);
  shown_ = false;
}

void Band::Paint(ToolEngine& t) {
  raster::Surface& s = t.ed().DRAW;
  const int m = pen_.width / 2 + 2;
  const Point a = p_[0], b = p_[1];
  switch (shape_) {
    case Shape::Segment:
      if (a == b && pen_.width <= 1)
        raster::PSet(s, pen_, a.x, a.y);
      else
        raster::Line(s, pen_, a, b);
      t.Touch(a.x, a.y, b.x, b.y, m);
      break;
    case Shape::Box:
      raster::Box(s, pen_, a, b, false);
      // Only the four edges changed; a large box must not repaint its inside.
      t.Touch(a.x, a.y, b.x, a.y, m);
      t.Touch(a.x, b.y, b.x, b.y, m);
      t.Touch(a.x, a.y, a.x, b.y, m);
      t.Touch(b.x, a.y, b.x, b.y, m);
      break;
    case Shape::Ellipse:
      raster::Ellipse(s, pen_, raster::Brush{}, a.x, a.y, b.x, b.y);
      t.Touch(a.x, a.y, b.x, b.y, m);
      break;
    case Shape::Curve: {
      raster::PolyBezier(s, pen_, p_);
      int l = a.x, r = a.x, tp = a.y, bt = a.y;
      for (const Point& p : p_) {
        l = std::min(l, p.x), r = std::max(r, p.x);
        tp = std::min(tp, p.y), bt = std::max(bt, p.y);
      }
      t.Touch(l, tp, r, bt, m);
      break;
    }
    case Shape::Guides: {
      raster::Pen dotted = pen_;
      dotted.width = 1;
      dotted.style = raster::PenStyle::Dot;
      raster::Line(s, dotted, {a.x - 2000, a.y - 2000}, {a.x + 2000, a.y + 2000});
      raster::Line(s, dotted, {a.x - 2000, a.y + 2000}, {a.x + 2000, a.y - 2000});
      t.Touch(a.x - 2000, a.y - 2000, a.x + 2000, a.y + 2000);
      break;
    }
    case Shape::Cells:
      PaintCells(t, cells_, a, b, cellPen_, true);
      break;
  }
  shown_ = true;
  generation_ = t.ed().CanvasGeneration;
}

}  // namespace tupalo::shapes
