// The print window's arithmetic: texts of millimetres, the printable area,
// the repeating steps, the split into sheets and the template's grid.
#include <gtest/gtest.h>

#include <QImage>

#include "editor/print/PrintLayout.h"
#include "platform/raster/Surface.h"

namespace tupalo {
namespace {

TEST(PrintLayout, MillimetreTextsAndPrintableArea) {
  EXPECT_EQ(FormatMm(373.3333), QStringLiteral(" 373.33"));
  EXPECT_EQ(FormatMm(0), QStringLiteral(" 0.00"));
  EXPECT_EQ(FormatMm(0.004), QStringLiteral(" 0.00"));
  EXPECT_EQ(ParseMm(QStringLiteral(" 12.5mm")), 12.5);
  EXPECT_EQ(ParseMm(QStringLiteral("1.2.3")), 1.2);
  EXPECT_EQ(ParseMm(QString()), 0);
  EXPECT_EQ(ParseMm(QStringLiteral(".")), 0);
  EXPECT_EQ(ParseCount(QStringLiteral("99999")), 32767);
  EXPECT_EQ(TruncateToTenth(200.04), 200.0);
  // 279.4 * 10 is 2793.9999... in binary; the tenth is kept.
  EXPECT_DOUBLE_EQ(TruncateToTenth(279.4), 279.4);
  EXPECT_EQ(TruncateToTenth(0), 0);
  EXPECT_EQ(TruncateToTenth(-3), 0);
}

TEST(PrintLayout, LargestSizeAndRepeatSteps) {
  const MaxPrintSize m = LargestPrintSize(400, 280, 640, 480);
  EXPECT_EQ(FormatMm(m.width), QStringLiteral(" 373.33"));
  EXPECT_EQ(FormatMm(m.height), QStringLiteral(" 280.00"));
  EXPECT_EQ(LargestPrintSize(0, 280, 640, 480).width, 0);  // no paper: no size, no division
  // Held for about a second: 13 ticks.
  double moved = 0;
  for (int t = 0; t < 13; ++t) moved += RepeatStep(t);
  EXPECT_NEAR(moved, 3.1, 1e-9);
  EXPECT_EQ(RepeatStep(31), 10);
  EXPECT_EQ(RepeatStep(41), 50);
  EXPECT_EQ(RepeatStep(5000), 100);
}

TEST(PrintLayout, TwoSheetsSplitAtTheSheetEdge) {
  SplitInput in;
  in.X0 = 13.33;
  in.Y0 = 0;
  in.PW = 373.33;
  in.PH = 280;
  in.NX = 2;
  in.NY = 1;
  in.PaperWidth = 200;
  in.PaperHeight = 280;
  in.W = 640;
  in.H = 480;
  const auto p = SplitIntoSheets(in);
  ASSERT_EQ(p.size(), 2u);
  EXPECT_EQ(p[0].srcX, 0);
  EXPECT_EQ(p[0].srcW, 320);
  EXPECT_EQ(p[0].srcH, 480);
  EXPECT_NEAR(p[0].x, 13.33, 1e-9);
  EXPECT_NEAR(p[0].w, 186.67, 0.005);
  EXPECT_NEAR(p[0].h, 280, 1e-9);
  EXPECT_EQ(p[1].i, 2);
  EXPECT_EQ(p[1].srcX, 320);
  EXPECT_EQ(p[1].srcW, 320);
  EXPECT_EQ(p[1].x, 0);
  EXPECT_NEAR(p[1].w, 186.67, 0.005);
}

TEST(PrintLayout, StartOnALaterSheetAndSheetsBeyondThePicture) {
  // A 100 x 50 mm print at (250, 300) on 3 x 2 sheets of 200 x 280 mm lies on
  // sheet (2, 2) alone.
  SplitInput in;
  in.X0 = 250;
  in.Y0 = 300;
  in.PW = 100;
  in.PH = 50;
  in.NX = 3;
  in.NY = 2;
  in.PaperWidth = 200;
  in.PaperHeight = 280;
  in.W = 200;
  in.H = 100;
  for (const SheetPiece& p : SplitIntoSheets(in)) {
    if (p.i == 2 && p.j == 2) {
      EXPECT_EQ(p.srcX, 0);
      EXPECT_EQ(p.srcY, 0);
      EXPECT_EQ(p.srcW, 200);
      EXPECT_EQ(p.srcH, 100);
      EXPECT_NEAR(p.x, 50, 1e-9);
      EXPECT_NEAR(p.y, 20, 1e-9);
      EXPECT_NEAR(p.w, 100, 1e-9);
      EXPECT_NEAR(p.h, 50, 1e-9);
    } else {
      EXPECT_TRUE(p.empty()) << p.i << "," << p.j;
    }
  }
  // Straddling the edge between sheets 1 and 2: the pieces meet and add up.
  in.X0 = 150;
  in.Y0 = 0;
  in.NY = 1;
  const auto p = SplitIntoSheets(in);
  EXPECT_EQ(p[0].srcW, 100);
  EXPECT_NEAR(p[0].x, 150, 1e-9);
  EXPECT_EQ(p[1].srcX, 100);
  EXPECT_EQ(p[1].srcW, 100);
  EXPECT_EQ(p[1].x, 0);
  EXPECT_TRUE(p[2].empty());
  EXPECT_EQ(p[2].srcW, 0);
}

TEST(PrintLayout, GridLinesAndNumbers) {
  const auto lines = GridLines(20, GridSpacingFor(QStringLiteral("1mm")));
  ASSERT_EQ(lines.size(), 21u);
  for (const GridLine& l : lines) EXPECT_EQ(l.bold, l.n == 10 || l.n == 20) << l.n;
  const auto fifty = GridLines(200, GridSpacingFor(QStringLiteral("50mm")));
  ASSERT_EQ(fifty.size(), 5u);
  EXPECT_FALSE(fifty[1].bold);
  EXPECT_TRUE(fifty[2].bold);
  EXPECT_TRUE(fifty[4].bold);
  EXPECT_EQ(GridNumbers(200, GridSpacingFor(QStringLiteral("1mm"))),
            (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 140, 150, 160,
                              170, 180, 190}));
  EXPECT_EQ(GridNumbers(280, GridSpacingFor(QStringLiteral("50mm"))), (std::vector<int>{100}));
  EXPECT_EQ(GridSpacingFor(QStringLiteral("3mm")).s, 1);
}

TEST(PrintLayout, PreviewSamplesThePictureNearestAndClips) {
  raster::Surface pic(4, 2, 0xFF000000u);
  pic.row(0)[3] = 0xFFFF0000u;
  QImage img(10, 10, QImage::Format_RGB32);
  img.fill(Qt::white);
  SampleNearest(pic, img, 2, 2, 8, 4);  // 2 x 2 blocks
  EXPECT_EQ(img.pixel(1, 2), qRgb(255, 255, 255));
  EXPECT_EQ(img.pixel(2, 2), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(8, 2), qRgb(255, 0, 0));
  EXPECT_EQ(img.pixel(9, 3), qRgb(255, 0, 0));
  EXPECT_EQ(img.pixel(9, 4), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(9, 6), qRgb(255, 255, 255));
  SampleNearest(pic, img, -5, -5, 40, 40);  // larger than the image: no write outside
  EXPECT_EQ(img.pixel(0, 0), qRgb(0, 0, 0));
}

}  // namespace
}  // namespace tupalo
