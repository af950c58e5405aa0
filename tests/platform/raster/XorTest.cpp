// Rubber bands are drawn and erased with an XOR pen, so every figure must touch
// each of its pixels exactly once: drawn once with XOR on black it must equal
// the copy-pen drawing, and drawn twice it must leave no trace.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "Grid.h"

namespace raster {
namespace {

using namespace grid;

struct Figure {
  std::string name;
  std::function<void(Surface&, const Pen&)> draw;
};

std::vector<Figure> figures() {
  const Brush white{true, kWhite};
  return {
      {"line",
       [](Surface& s, const Pen& p) {
         Line(s, p, {2, 3}, {25, 17});
       }},
      {"steep line",
       [](Surface& s, const Pen& p) {
         Line(s, p, {20, 1}, {14, 22});
       }},
      {"clipped line",
       [](Surface& s, const Pen& p) {
         Line(s, p, {-2000, 10}, {2000, 14});
       }},
      {"polyline",
       [](Surface& s, const Pen& p) {
         const Point pts[] = {{2, 2},   {25, 20}, {25, 2}, {2, 20},
                              {10, 10}, {2, 2},   {12, 3}, {4, 3}};
         Polyline(s, p, pts);
       }},
      {"box",
       [](Surface& s, const Pen& p) {
         Box(s, p, {3, 4}, {20, 15}, false);
       }},
      {"filled box",
       [](Surface& s, const Pen& p) {
         Box(s, p, {20, 15}, {3, 4}, true);
       }},
      {"thin box",
       [](Surface& s, const Pen& p) {
         Box(s, p, {3, 4}, {3, 15}, false);
       }},
      {"pset", [](Surface& s, const Pen& p) { PSet(s, p, 8, 8); }},
      {"rectangle", [white](Surface& s, const Pen& p) { Rectangle(s, p, white, 3, 3, 22, 17); }},
      {"rectangle hollow", [](Surface& s, const Pen& p) { Rectangle(s, p, kHollow, 3, 3, 6, 17); }},
      {"ellipse", [white](Surface& s, const Pen& p) { Ellipse(s, p, white, 2, 3, 26, 19); }},
      {"ellipse hollow", [](Surface& s, const Pen& p) { Ellipse(s, p, kHollow, 5, 2, 12, 21); }},
      {"small ellipse", [white](Surface& s, const Pen& p) { Ellipse(s, p, white, 5, 5, 9, 8); }},
      {"polygon",
       [white](Surface& s, const Pen& p) {
         const Point star[] = {{14, 1}, {21, 22}, {2, 8}, {26, 8}, {6, 22}};
         Polygon(s, p, white, star);
       }},
      {"polygon hollow",
       [](Surface& s, const Pen& p) {
         const Point pts[] = {{3, 3}, {20, 3}, {3, 3}, {3, 18}, {12, 10}};
         Polygon(s, p, kHollow, pts, ALTERNATE);
       }},
      {"bezier",
       [](Surface& s, const Pen& p) {
         const Point pts[4] = {{2, 20}, {2, -5}, {28, 30}, {26, 4}};
         PolyBezier(s, p, pts);
       }},
  };
}

TEST(Xor, EveryFigureTouchesEachPixelOnce) {
  for (const Figure& f : figures()) {
    for (int w : {1, 2, 3, 5}) {
      for (PenStyle style : {PenStyle::Solid, PenStyle::Dot}) {
        Pen copy{kWhite, w, DrawMode::CopyPen, style};
        Pen xorPen{kWhite, w, DrawMode::XorPen, style};
        Surface a(28, 24, toPixel(kBlack)), b(28, 24, toPixel(kBlack));
        f.draw(a, copy);
        f.draw(b, xorPen);
        EXPECT_EQ(show(a), show(b)) << f.name << " width " << w;
      }
    }
  }
}

TEST(Xor, DrawingTwiceLeavesNoTraceAndKeepsPixelsOpaque) {
  std::mt19937 rng(1);
  Surface background(28, 24);
  for (int i = 0; i < 28 * 24; ++i) background.bits()[i] = kOpaque | (rng() & 0xFFFFFF);
  for (const Figure& f : figures())
    for (int w : {1, 2, 3, 5}) {
      const Pen xorPen{0xFFFFFFFFu, w, DrawMode::XorPen, PenStyle::Solid};  // even a non-colour
      Surface s = background;
      f.draw(s, xorPen);
      EXPECT_NE(s, background) << f.name;
      EXPECT_TRUE(
          std::all_of(s.bits(), s.bits() + 28 * 24, [](Pixel p) { return p >> 24 == 0xFF; }));
      f.draw(s, xorPen);
      EXPECT_EQ(s, background) << f.name << " width " << w;
    }
}

}  // namespace
}  // namespace raster
