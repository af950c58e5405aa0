#pragma once
// GDI-like drawing operations on Surface, with GDI's pixel rules:
// right/bottom-exclusive rectangles and ellipses, LineTo without its last
// pixel, XOR pen, WINDING polygon fill, the three StretchBlt modes with
// negative extents, 4-connected border and surface fills.
//
// Every operation clips to the destination surface; nothing here allocates a
// surface, except a copy when a blit's source is its own destination. Colours
// are colour references (R | G << 8 | B << 16).
//
// Every figure (dots, lines, boxes, closed shapes, curves) is built as a
// Region and painted once. The region builders below give those pixels to a
// caller that paints them its own way.

#include <span>

#include "platform/raster/Region.h"
#include "platform/raster/Surface.h"

namespace raster {

// ---- blits --------------------------------------------------------------------

enum class Rop {
  SrcCopy,  // D = S
  SrcAnd,   // D = S AND D (0x8800C6)
};

enum StretchMode {
  BLACKONWHITE = 1,  // AND of every pixel of a shrunk group
  WHITEONBLACK = 2,  // OR of every pixel of a shrunk group
  COLORONCOLOR = 3,  // one pixel of each group survives
};

// Clipped to both surfaces. A negative extent covers x+w+1 .. x on both sides
// (no mirroring). dst may be src.
void BitBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
            Rop rop = Rop::SrcCopy);

// Extents may be negative: an axis is mirrored when its two extents differ in
// sign. Enlarging, destination i takes source floor(((2i+1)S-1)/2D); shrinking,
// source j joins destination floor(((2j+1)D-1)/2S) and COLORONCOLOR keeps the
// first pixel of each group (lowest index from the origin) on both axes. A
// destination extent of +1 with a source extent above +1 drops the last source
// pixel first; the signs count, so -1 or a negative source extent keeps the
// whole source. The mapping is that of the whole rectangles, so clipping the
// destination never changes which source pixel a destination pixel takes;
// source pixels off the source surface are left out of their group, and a
// destination pixel left with none is not written. Integer enlargement with
// COLORONCOLOR is plain block replication and is the fast path the canvas
// redraw relies on; equal extents mirrored on either axis are reversed row
// copies at memory speed.
void StretchBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                int sw, int sh, StretchMode mode, Rop rop = Rop::SrcCopy);

// ---- quarter turns ------------------------------------------------------------

// The whole of src turned by 90° into dst, which must already be src's height
// wide and src's width high (otherwise, or when dst is src, nothing happens).
// Right (clockwise): (x, y) goes to (H - 1 - y, x). Left: (x, y) goes to
// (y, W - 1 - x). Pixel values are copied as they are.
void RotateRight(Surface& dst, const Surface& src);
void RotateLeft(Surface& dst, const Surface& src);

// ---- pixels -------------------------------------------------------------------

ColourRef GetPixel(const Surface& s, int x, int y);     // CLR_INVALID outside
void SetPixelV(Surface& s, int x, int y, ColourRef c);  // nothing outside

// ---- pens and brushes ---------------------------------------------------------

// The mix mode of the pen applies to the brush of closed shapes as well.
enum class DrawMode {
  CopyPen = 13,  // D = P
  XorPen = 7,    // D = P xor D (colour bits only)
};

enum class PenStyle {
  Solid,
  // Cosmetic dotted line, width 1 only (wider pens draw solid): every other
  // pixel along the major axis, starting with the first pixel of the path and
  // running on across the joins of polylines and outlines. Ellipses ignore it.
  Dot,
};

struct Pen {
  ColourRef color = 0;
  int width = 1;
  DrawMode mode = DrawMode::CopyPen;
  PenStyle style = PenStyle::Solid;
};

struct Brush {
  bool solid = false;  // false: hollow (no fill)
  ColourRef color = 0;
};

enum PolyFillMode {
  ALTERNATE = 1,
  WINDING = 2,
};

// ---- lines --------------------------------------------------------------------

// LineTo from a to b. Width 1: the start pixel is drawn, the end pixel is not.
// Wider pens: round caps, the end point is covered; a zero-length wide line is
// the pen's round tip (-floor(w/2) .. ceil(w/2)-1 around the point).
void Line(Surface& s, const Pen& pen, Point a, Point b);

// A connected path through the points, one region painted once (so an XOR pen
// never touches a pixel twice where segments join or cross). Fewer than two
// points draw nothing.
void Polyline(Surface& s, const Pen& pen, std::span<const Point> pts);

// Picture-box dot: width 1 sets one pixel, wider pens a square w x w with its
// top-left at (x - w/2, y - w/2).
void PSet(Surface& s, const Pen& pen, int x, int y);

// Picture-box Box from corner to corner: both corners belong to the box.
// filled: the whole box in the pen colour, grown by a wide pen as the w x w
// square of PSet swept over it; otherwise the outline with the pen (a wide
// pen: the four edges with round joins, one region).
void Box(Surface& s, const Pen& pen, Point a, Point b, bool filled);

// ---- closed shapes ------------------------------------------------------------

// Rectangle(l, t, r, b): corners sorted, right/bottom exclusive; brush inside.
// A wide pen is centred on the outline (l, t) .. (r-1, b-1).
void Rectangle(Surface& s, const Pen& pen, const Brush& brush, int l, int t, int r, int b);

// Ellipse(l, t, r, b): corners sorted, right/bottom exclusive bounding box;
// at most 2 wide or high it is a Rectangle. A wide pen is a band of its width
// centred on the 1-pixel outline (its round tip swept along it). A box wider
// or higher than 2^19 = 524288 pixels draws nothing (far beyond any picture,
// even zoomed; the outline's integer arithmetic is exact up to there).
void Ellipse(Surface& s, const Pen& pen, const Brush& brush, int l, int t, int r, int b);

// Polygon: fill with the brush by the fill mode, then outline with the pen
// through all vertices and back to the first; every pixel painted once.
// Coordinates within +-2^30.
void Polygon(Surface& s, const Pen& pen, const Brush& brush, std::span<const Point> pts,
             PolyFillMode mode = WINDING);

// PolyBezier with 4 points: start, control 1, control 2, end; drawn as a
// polyline with the pen (a 1-pixel pen leaves out the very last pixel).
void PolyBezier(Surface& s, const Pen& pen, const Point (&pts)[4]);

// ---- regions ------------------------------------------------------------------

// The pixels of the figures above, added to `r` (clipped to its area) instead
// of painted; the pen's width and style count, its colour and mode do not.
// Painting the region once in the pen's colour and mode is exactly the
// drawing operation. For closed shapes the outline and, when filled, the
// inside go into the one region: what the operation paints when the brush has
// the pen's colour.
void LineRegion(Region& r, const Pen& pen, Point a, Point b);
void PolylineRegion(Region& r, const Pen& pen, std::span<const Point> pts);
void PSetRegion(Region& r, int width, int x, int y);
void BoxRegion(Region& r, const Pen& pen, Point a, Point b, bool filled);
void RectangleRegion(Region& r, const Pen& pen, bool filled, int l, int t, int rr, int b);
void EllipseRegion(Region& r, const Pen& pen, bool filled, int l, int t, int rr, int b);
void PolygonRegion(Region& r, const Pen& pen, bool filled, std::span<const Point> pts,
                   PolyFillMode mode = WINDING);
void PolyBezierRegion(Region& r, const Pen& pen, const Point (&pts)[4]);

// Paints a region of s's size once: D = P for the copy pen, D = D xor P for
// XOR (colour bits only, so the 0xFF top byte survives).
void PaintRegion(Surface& s, const Region& r, ColourRef color, DrawMode mode);

// ---- fills --------------------------------------------------------------------

// The fills paint the region with the brush (copy mode) exactly as if the
// whole region were found first and painted once, whatever the brush colour.
// A start off the surface, on the border colour or not of colour c, or a
// hollow brush does nothing.

// Border fill: the 4-connected region around (x, y) that is not `border`.
void FloodFill(Surface& s, int x, int y, ColourRef border, const Brush& brush);

enum FloodFillType {
  FLOODFILLBORDER = 0,
  FLOODFILLSURFACE = 1,
};
// FLOODFILLSURFACE: the 4-connected region of exactly colour c.
void ExtFloodFill(Surface& s, int x, int y, ColourRef c, FloodFillType type, const Brush& brush);

}  // namespace raster
