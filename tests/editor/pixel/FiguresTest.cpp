// Cell figures, checked cell by cell on tiny grids.
#include <gtest/gtest.h>

#include <string>

#include "editor/pixel/Figures.h"

namespace tupalo::pixel {
namespace {

using raster::Region;

// '#' for a cell of the region, '.' for the others.
std::string show(const Region& r) {
  std::string out(static_cast<std::size_t>((r.width() + 1) * r.height()), '.');
  for (int y = 0; y < r.height(); ++y)
    out[static_cast<std::size_t>(y * (r.width() + 1) + r.width())] = '\n';
  for (const raster::Span& s : r.spans())
    for (int x = s.x0; x < s.x1; ++x)
      out[static_cast<std::size_t>(s.y * (r.width() + 1) + x)] = '#';
  return out;
}

std::string cells(CellShape shape, Point a, Point b, int pen, int w = 8, int h = 6) {
  Region r(w, h), path;
  AddCellShape(r, path, shape, a, b, pen);
  return show(r);
}

TEST(CellFigures, BoxesWithSquarePens) {
  EXPECT_EQ(cells(CellShape::Box, {1, 1}, {6, 4}, 1),
            "........\n.######.\n.#....#.\n.#....#.\n.######.\n........\n");
  EXPECT_EQ(cells(CellShape::Box, {6, 4}, {1, 1}, 1), cells(CellShape::Box, {1, 1}, {6, 4}, 1));
  // A 2-cell pen reaches one cell left and up of each corner.
  EXPECT_EQ(cells(CellShape::Box, {1, 1}, {6, 4}, 2),
            "#######.\n#######.\n##...##.\n#######.\n#######.\n........\n");
  EXPECT_EQ(cells(CellShape::BoxFill, {0, 0}, {0, 0}, 3),
            "##......\n##......\n........\n........\n........\n........\n");
}

TEST(CellFigures, SegmentsCarryThePenOnEveryCellOfTheirPath) {
  EXPECT_EQ(cells(CellShape::Segment, {0, 0}, {5, 2}, 1),
            "##......\n..##....\n....##..\n........\n........\n........\n");
  // A path that runs left of the view still reaches into it with a 3-cell
  // pen: cells (-2, 1), (-2, 2), (-1, 3), (-1, 4) carry it to column 0.
  EXPECT_EQ(cells(CellShape::Segment, {-2, 1}, {-1, 4}, 3),
            "........\n........\n#.......\n#.......\n#.......\n#.......\n");
}

TEST(CellFigures, CellsBecomeBlocks) {
  Region c(3, 2), out(8, 5);
  c.addSpan(0, 1, 3);
  c.addPixel(0, 1);
  AddCellBlocks(out, c, 3);  // the last blocks are cut by the canvas
  EXPECT_EQ(show(out), "...#####\n...#####\n...#####\n###.....\n###.....\n");
}

}  // namespace
}  // namespace tupalo::pixel
