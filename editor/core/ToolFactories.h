#pragma once
// The makers of the tools' drawing objects, one per family; the tool table
// names the maker of each tool. Each gets the tool's base code.

#include <memory>

namespace tupalo {

class Tool;

// ShapeTools.cpp: Pset .. Circlefill.
std::unique_ptr<Tool> MakeShapeTool(int base);
// MultiClickTools.cpp: Polygon, Polygon Copy, Line(Type2), Bezier Line.
std::unique_ptr<Tool> MakeMultiClickTool(int base);
// CellTools.cpp: the expanded-mode shapes.
std::unique_ptr<Tool> MakeCellTool(int base);
// CopyTools.cpp: Area copy, the expanded-mode Copy, Copy to and from Clipboard.
std::unique_ptr<Tool> MakeCopyTool(int base);
// TextTool.cpp: Write word.
std::unique_ptr<Tool> MakeTextTool(int base);
// ViewTools.cpp: the one-shot magnifier and the colour pick.
std::unique_ptr<Tool> MakeMagnifierTool(int base);
std::unique_ptr<Tool> MakeColourPickTool(int base);
// pixel/FloodFillTools.cpp: Paint A, Paint B.
std::unique_ptr<Tool> MakeFloodFillTool(int base);
// pixel/MaskPens.cpp: the mask pens and the Thru Pen.
std::unique_ptr<Tool> MakeMaskPenTool(int base);
// pixel/Sprays.cpp: the sprays and the airbrushes.
std::unique_ptr<Tool> MakeSprayTool(int base);
// pixel/GeometricTools.cpp: the four side changes, Reverse and Glass Mirror.
std::unique_ptr<Tool> MakeSideChangeTool(int base);
std::unique_ptr<Tool> MakeReverseTool(int base);
std::unique_ptr<Tool> MakeGlassMirrorTool(int base);
// pixel/ColourChangeTools.cpp: Change color, its fuzzy and reverse forms, V Box, V Pen.
std::unique_ptr<Tool> MakeColourChangeTool(int base);

}  // namespace tupalo
