#include "editor/core/ToolTable.h"

#include <array>

#include "editor/core/ToolFactories.h"

namespace tupalo {

namespace {

using namespace tool;
using P = Pointer;
using S = SettingsWindow;
using C = Commit;
using O = Overlay;

constexpr const char* kNoName = "- - - -";

// A tool chosen on the palette, idle.
constexpr ToolInfo Row(int code, const char* name, std::unique_ptr<Tool> (*make)(int) = nullptr,
                       P pointer = P::Normal, S settings = S::None) {
  return {code, name, code, pointer, settings, false, false, C::View, O::None, make};
}
// A step of a multi-step tool.
constexpr ToolInfo Step(int code, int base, bool betweenClicks, O overlay = O::None) {
  return {code, kNoName, base, P::Normal, S::None, false, betweenClicks, C::View, overlay, nullptr};
}
constexpr ToolInfo Sprayer(int code, const char* name, std::unique_ptr<Tool> (*make)(int),
                           P pointer = P::Normal) {
  return {code, name, code, pointer, S::Spray, true, false, C::View, O::None, make};
}
constexpr ToolInfo DotPen(int code, const char* name, std::unique_ptr<Tool> (*make)(int)) {
  return {code, name, code, P::Normal, S::None, false, false, C::StrokeRect, O::None, make};
}
// A tool whose first step floats something above the canvas.
constexpr ToolInfo Floating(int code, const char* name, O overlay,
                            std::unique_ptr<Tool> (*make)(int)) {
  return {code, name, code, P::Normal, S::None, false, false, C::View, overlay, make};
}

const auto kTools = std::to_array<ToolInfo>({
    Row(NoSelect, "No select"),
    DotPen(Pset, "Pset", MakeShapeTool),
    Row(FreeLine, "FreeLine", MakeShapeTool),
    Row(Line, "Line", MakeShapeTool),
    Row(Box, "Box", MakeShapeTool),
    Row(Boxfill, "Boxfill", MakeShapeTool),
    Row(Circle, "Circle", MakeShapeTool),
    Row(Circlefill, "Circlefill", MakeShapeTool),
    Row(PaintA, "Paint A", MakeFloodFillTool, P::Paint),
    Row(PaintB, "Paint B", MakeFloodFillTool, P::Paint),
    Row(MaskPen, "Mask pen", MakeMaskPenTool),
    Row(ReverseMaskPen, "Reverse mask pen", MakeMaskPenTool),
    Row(LeftSideChange, "Left side change", MakeSideChangeTool),
    Row(RightSideChange, "Right side change", MakeSideChangeTool),
    Row(UpSideChange, "Up side change", MakeSideChangeTool),
    Row(DownSideChange, "Down side change", MakeSideChangeTool),
    Row(Reverse, "Reverse", MakeReverseTool),
    Row(ChangeColor, "Change color", MakeColourChangeTool),
    Row(CopyToClipboard, "Copy to Clipboard", MakeCopyTool),
    Floating(CopyFromClipboard, "Copy from Clipboard", O::Work, MakeCopyTool),
    Sprayer(Spray, "Spray", MakeSprayTool, P::Spray),
    Sprayer(MaskSpray, "Mask Spray", MakeSprayTool),
    Row(FuzzyMaskPen, "Fuzzy Mask Pen", MakeMaskPenTool, P::Normal, S::Fuzzy),
    Row(FuzzyChangeColor, "Fuzzy Change Color", MakeColourChangeTool, P::Normal, S::Fuzzy),
    Row(ReverseChangeColor, "Reverse ChangeCol.", MakeColourChangeTool),
    Row(ReverseFuzzyChangeColor, "Fuz.Rev.Change Col.", MakeColourChangeTool, P::Normal, S::Fuzzy),
    Row(Polygon, "Polygon ", MakeMultiClickTool),
    Row(PolygonCopy, "Polygon Copy", MakeMultiClickTool),
    Row(LineType2, "Line(Type2)", MakeMultiClickTool),
    Row(GlassMirror, "Glass Mirror", MakeGlassMirrorTool),
    Row(BezierLine, "Bezier Line", MakeMultiClickTool),
    Row(VBox, "V Box", MakeColourChangeTool, P::Normal, S::Hset),
    Row(VPen, "V Pen", MakeColourChangeTool, P::Normal, S::Hset),
    Sprayer(AirSpray, "AirSpray", MakeSprayTool),
    Sprayer(MaskAirSpray, "MaskAirSpray", MakeSprayTool),
    Row(ThruPen, "Thru Pen", MakeMaskPenTool, P::Normal, S::Deep),
    Row(ColourPick, "Spoit", MakeColourPickTool, P::Spoit),
    Row(Expand2, "Expand to x2", MakeMagnifierTool, P::Lupe),
    Row(Expand4, "Expand to x4", MakeMagnifierTool, P::Lupe),
    Row(Expand8, "Expand to x8", MakeMagnifierTool, P::Lupe),
    Row(Expand16, kNoName, MakeMagnifierTool, P::Lupe),
    DotPen(ExpPset, "Pset", MakeCellTool),
    DotPen(ExpBoxfill, "Boxfill", MakeCellTool),
    Row(ExpBox, "Box", MakeCellTool),
    Row(ExpCircle, "Circle", MakeCellTool),
    Row(ExpCirclefill, kNoName, MakeCellTool),
    Row(ExpVPen, "V Pen", MakeColourChangeTool, P::Normal, S::Hset),
    Row(ExpLine, kNoName, MakeCellTool),
    Row(ExpLineType2, "Line(Type2)", MakeCellTool),
    Row(ExpCopy, "Copy", MakeCopyTool),
    Row(AreaCopy, "Area copy ", MakeCopyTool),
    Floating(WriteWord, "Write word", O::Word, MakeTextTool),

    Step(NextVertex(Polygon), Polygon, true),
    Step(VertexAdded(Polygon), Polygon, true),
    Step(VerticesOverrun(Polygon), Polygon, true),
    Step(FourthStep(Polygon), Polygon, true),
    Step(NextVertex(PolygonCopy), PolygonCopy, true),
    Step(VertexAdded(PolygonCopy), PolygonCopy, true),
    Step(VerticesOverrun(PolygonCopy), PolygonCopy, true),
    Step(FourthStep(PolygonCopy), PolygonCopy, true, O::Work),
    Step(NextVertex(LineType2), LineType2, true),
    Step(VertexAdded(LineType2), LineType2, true),
    Step(VerticesOverrun(LineType2), LineType2, true),
    Step(FourthStep(LineType2), LineType2, true),
    Step(BezierEnds, BezierLine, true),
    Step(BezierControl1, BezierLine, true),
    Step(BezierControl2, BezierLine, true),
    Step(ExpLineNextVertex, ExpLineType2, true),
    Step(ExpLineEnded, ExpLineType2, true),
    // A floating piece waits for the press that stamps it, as a shape waits
    // for its next click: what drops the one drops the other.
    Step(ExpCopyFloating, ExpCopy, true, O::Work),
    Step(ExpCopyStamped, ExpCopy, false),
    Step(AreaCopyFloating, AreaCopy, true, O::Work),
    Step(AreaCopyStamped, AreaCopy, false),
    Step(WriteWordPlaced, WriteWord, false),
});

}  // namespace

ToolInfo ToolInfoOf(int code) {
  for (const ToolInfo& row : kTools)
    if (row.code == code) return row;
  // Codes no tool has: nothing to draw, nothing to return to.
  return Row(code, kNoName);
}

std::span<const ToolInfo> AllToolRows() { return kTools; }

QString ToolStatusName(int code) { return QString::fromLatin1(ToolInfoOf(code).statusName); }

QString PointerName(Pointer p) {
  switch (p) {
    case Pointer::Paint:
      return QStringLiteral("PAINT");
    case Pointer::Spoit:
      return QStringLiteral("SPOIT");
    case Pointer::Lupe:
      return QStringLiteral("LUPE");
    case Pointer::Spray:
      return QStringLiteral("SPRAY");
    case Pointer::Normal:
      break;
  }
  return QStringLiteral("NORMAL");
}

}  // namespace tupalo
