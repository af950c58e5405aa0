#pragma once
// Every fact about a tool code in one place: the named codes, and one row per
// code with its status-line name, pointer, settings window, first step,
// repetition, commit rule and the factory of the object that draws it.
//
// A multi-step tool keeps its base code while idle and takes base + 1000 x k
// between its steps; those sub-states have rows of their own. Adding a tool
// is a row here plus the file of its Tool.

#include <QString>
#include <memory>
#include <span>

namespace tupalo {

class Tool;

namespace tool {

// The tools, as the palette chooses them.
inline constexpr int NoSelect = 0;
inline constexpr int Pset = 1;
inline constexpr int FreeLine = 2;
inline constexpr int Line = 3;
inline constexpr int Box = 4;
inline constexpr int Boxfill = 5;
inline constexpr int Circle = 6;
inline constexpr int Circlefill = 7;
inline constexpr int PaintA = 8;
inline constexpr int PaintB = 9;
inline constexpr int MaskPen = 10;
inline constexpr int ReverseMaskPen = 11;
inline constexpr int LeftSideChange = 12;
inline constexpr int RightSideChange = 13;
inline constexpr int UpSideChange = 14;
inline constexpr int DownSideChange = 15;
inline constexpr int Reverse = 16;
inline constexpr int ChangeColor = 17;
inline constexpr int CopyToClipboard = 18;
inline constexpr int CopyFromClipboard = 19;
inline constexpr int Spray = 21;
inline constexpr int MaskSpray = 22;
inline constexpr int FuzzyMaskPen = 23;
inline constexpr int FuzzyChangeColor = 24;
inline constexpr int ReverseChangeColor = 25;
inline constexpr int ReverseFuzzyChangeColor = 26;
inline constexpr int Polygon = 27;
inline constexpr int PolygonCopy = 28;
inline constexpr int LineType2 = 29;
inline constexpr int GlassMirror = 30;
inline constexpr int BezierLine = 31;
inline constexpr int VBox = 32;
inline constexpr int VPen = 33;
inline constexpr int AirSpray = 34;
inline constexpr int MaskAirSpray = 35;
inline constexpr int ThruPen = 36;
inline constexpr int ColourPick = 1000;  // "Spoit"
// The one-shot magnifier: the code is 10000 + the zoom it asks for.
inline constexpr int Magnify = 10000;
inline constexpr int Expand2 = 10002;
inline constexpr int Expand4 = 10004;
inline constexpr int Expand8 = 10008;
inline constexpr int Expand16 = 10016;
// The expanded-mode tools, drawing whole picture pixels at zoom above 1.
inline constexpr int ExpPset = 11001;
inline constexpr int ExpBoxfill = 11002;
inline constexpr int ExpBox = 11003;
inline constexpr int ExpCircle = 11004;
inline constexpr int ExpCirclefill = 11005;
inline constexpr int ExpVPen = 11006;
inline constexpr int ExpLine = 11010;       // single line (LMOD 0)
inline constexpr int ExpLineType2 = 11029;  // connected line (LMOD above 0)
inline constexpr int ExpCopy = 11100;
inline constexpr int AreaCopy = 20000;
inline constexpr int WriteWord = 27001;

// The steps of the vertex tools (Polygon, Polygon Copy, Line(Type2)): waiting
// for the next vertex, a vertex just added (until the release), the list
// overrun and the shape dropped (until the release), and a fourth step, in
// which Polygon Copy's piece floats (the other two never enter it).
constexpr int NextVertex(int base) { return base + 5000; }
constexpr int VertexAdded(int base) { return base + 6000; }
constexpr int VerticesOverrun(int base) { return base + 7000; }
constexpr int FourthStep(int base) { return base + 8000; }
inline constexpr int PolygonCopyFloating = FourthStep(PolygonCopy);

// Bezier Line: end points set, first control point, second control point.
inline constexpr int BezierEnds = 5031;
inline constexpr int BezierControl1 = 1031;
inline constexpr int BezierControl2 = 2031;
// The connected expanded line between its clicks, and ended (to be committed).
inline constexpr int ExpLineNextVertex = 12029;
inline constexpr int ExpLineEnded = 13029;
// Copy pieces: floating with the pointer, then just stamped.
inline constexpr int ExpCopyFloating = 11101;
inline constexpr int ExpCopyStamped = 11102;
inline constexpr int AreaCopyFloating = 20001;
inline constexpr int AreaCopyStamped = 20002;
inline constexpr int WriteWordPlaced = 27002;

// The zoom a magnifier code asks for (2 for Expand2), 0 for other codes.
constexpr int MagnifierZoom(int code) {
  return code == Expand2 || code == Expand4 || code == Expand8 || code == Expand16 ? code - Magnify
                                                                                   : 0;
}

}  // namespace tool

// The pointer kinds of the canvas, the palette and the colour window.
enum class Pointer { Normal, Paint, Spoit, Lupe, Spray };
// The name SetPointer takes for a kind ("NORMAL", "PAINT", ...).
QString PointerName(Pointer p);

// The tool settings windows.
enum class SettingsWindow { None, Fuzzy, Spray, Hset, Deep };

// What the end of a gesture writes back into the picture.
enum class Commit {
  View,        // the whole visible region
  StrokeRect,  // only the stroke's rectangle once an undo step exists (dot pens)
};

// What floats above the canvas while the code is current.
enum class Overlay { None, Work, Word };

struct ToolInfo {
  int code;
  const char* statusName;  // INF_CMD's text; "- - - -" for sub-states
  int base;                // the first step this code returns to
  Pointer pointer;
  SettingsWindow settings;  // the settings window that may stay open with the tool
  bool repeats;             // repeats at the pointer on Timer1 while held (sprays)
  bool betweenClicks;       // a multi-step shape waits on the canvas for its next click
  Commit commit;
  Overlay overlay;
  std::unique_ptr<Tool> (*make)(int base);  // nullptr: the tool draws nothing yet
};

// The row of `code`; a code that has none gets a row of its own with the
// status name "- - - -" and no tool.
ToolInfo ToolInfoOf(int code);

// Every row, for checking the table as a whole.
std::span<const ToolInfo> AllToolRows();

// Shorthands for the row's fields.
inline int BaseToolCode(int code) { return ToolInfoOf(code).base; }
inline bool IsPendingMultiStep(int code) { return ToolInfoOf(code).betweenClicks; }
QString ToolStatusName(int code);

}  // namespace tupalo
