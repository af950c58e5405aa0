#pragma once
// The arithmetic of the print window, apart from its controls: millimetre
// texts, the largest print size, the repeating steps, the split of the
// picture into one piece per sheet and the template's grid.

#include <QString>
#include <vector>

class QImage;

namespace raster {
class Surface;
}

namespace tupalo {

// A millimetre value as the boxes show it: a blank in place of a plus sign, at
// least one integer digit and two decimals (" 373.33").
QString FormatMm(double v);
// The number at the start of a box's text, as far as it reads as one: leading
// blanks, digits, one point and more digits ("12.5mm" is 12.5, "" and "." 0).
double ParseMm(const QString& text);
// A sheet count or selector: its digits as a whole number, at most 32767.
int ParseCount(const QString& text);

// A printable length in millimetres cut to a tenth of a millimetre (200.04 is
// used as 200.0). Lengths a float rounding error below a tenth keep it.
double TruncateToTenth(double mm);

struct MaxPrintSize {
  double width = 0;
  double height = 0;
};
// The largest print size of a W x H picture on a virtual area of VW x VH mm
// that keeps the picture's proportions; zero for an empty picture or area.
MaxPrintSize LargestPrintSize(double VW, double VH, int W, int H);

// The step of a repeating button at tick `ticks` since the press, in mm.
double RepeatStep(int ticks);

// The print rectangle on the virtual area, the paper and the picture.
struct SplitInput {
  double X0 = 0, Y0 = 0;                   // start, mm from the top-left of the virtual area
  double PW = 0, PH = 0;                   // print size, mm
  int NX = 1, NY = 1;                      // sheets across and down
  double PaperWidth = 0, PaperHeight = 0;  // printable area of one sheet, mm
  int W = 0, H = 0;                        // picture size, pixels
};

// What one sheet receives: source pixels and where they go on the sheet (mm
// from the top-left of its printable area).
struct SheetPiece {
  int i = 1, j = 1;  // column and row of the sheet, from 1
  int srcX = 0, srcY = 0, srcW = 0, srcH = 0;
  double x = 0, y = 0, w = 0, h = 0;
  bool empty() const { return srcW <= 0 || srcH <= 0; }
};

// One piece per sheet, rows of sheets outer, columns inner. The sheet that
// holds the start takes the first piece, cut at its right and bottom edges;
// the sheets after it take whole-sheet pieces placed at their top-left
// corner; sheets before the start or beyond the picture get empty pieces.
// PW and PH must be positive.
std::vector<SheetPiece> SplitIntoSheets(const SplitInput& in);

// The template's spacing s and emphasis e for the spacing box's text; "1mm"
// for any text that is none of the five spacings.
struct GridSpacing {
  int s = 1;
  int e = 10;
};
GridSpacing GridSpacingFor(const QString& text);

// One grid line of the template at n mm: bold ones are every e-th after 0.
struct GridLine {
  double n = 0;
  bool bold = false;
};
// Lines at 0, s, 2s, ... up to `extent` mm.
std::vector<GridLine> GridLines(double extent, GridSpacing g);
// The positions of the numbers along an edge of `extent` mm: every e * s from
// e * s on, up to extent - s * e.
std::vector<int> GridNumbers(double extent, GridSpacing g);

// Copies `pic` scaled into `rect` of `dst`, each destination pixel taking the
// picture pixel under its centre; the parts of `rect` outside `dst` are left
// alone. Only destination pixels are visited, so a huge picture costs no more
// than a small one.
void SampleNearest(const raster::Surface& pic, QImage& dst, int x, int y, int w, int h);

}  // namespace tupalo
