#pragma once
// The makers of the tools' drawing objects, one per family; the tool table
// names the maker of each tool. Each gets the tool's base code.

#include <memory>

namespace tupalo {

class Tool;

std::unique_ptr<Tool> MakeShapeTool(int base);  // ShapeTools.cpp: Pset .. Circlefill
std::unique_ptr<Tool> MakeMultiClickTool(
    int base);                                 // MultiClickTools.cpp: Polygon, Line(Type2), Bezier
std::unique_ptr<Tool> MakeCellTool(int base);  // CellTools.cpp: the expanded-mode shapes
std::unique_ptr<Tool> MakeMagnifierTool(int base);   // ViewTools.cpp: the one-shot magnifier
std::unique_ptr<Tool> MakeColourPickTool(int base);  // ViewTools.cpp: the colour pick
// pixel/FloodFillTools.cpp: Paint A, Paint B
std::unique_ptr<Tool> MakeFloodFillTool(int base);
// pixel/ColourChangeTools.cpp: Change color, its fuzzy and reverse forms, V Box, V Pen
std::unique_ptr<Tool> MakeColourChangeTool(int base);

}  // namespace tupalo
