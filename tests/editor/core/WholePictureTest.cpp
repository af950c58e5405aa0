// Turns, mirror and new sizes of the whole picture, on the editor state alone:
// where every pixel goes, what the scaling modes keep, and a picture left as
// it was when the memory cannot be had.
#include <gtest/gtest.h>

#include "editor/core/WholePicture.h"
#include "support/AddressSpaceCap.h"

namespace tupalo {
namespace {

using raster::Pixel;
using raster::Surface;

constexpr Pixel kWhite = 0xFFFFFFFFu, kBlack = 0xFF000000u;

Surface distinct(int w, int h) {
  Surface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.setPixel(x, y, raster::kOpaque | Pixel(y * 1024 + x));
  return s;
}

Editor withPicture(const Surface& pic) {
  Editor e;
  e.PIC = pic;
  e.PicSize = {pic.width(), pic.height()};
  return e;
}

bool turn(Editor& e, Turn t) {
  const Pair size = TurnedSize(e, t);
  if (!ReserveWork(e, size.x, size.y)) return false;
  TurnPicture(e, t);
  return true;
}

TEST(WholePicture, HalfTurnAndMirrorMovePixelsAndUndoThemselves) {
  const Surface pic = distinct(301, 173);
  for (Turn t : {Turn::Half, Turn::Mirror}) {
    Editor e = withPicture(pic);
    e.WORK = Surface(3, 3);  // a small work surface grows
    ASSERT_TRUE(turn(e, t));
    EXPECT_EQ(e.PicSize, (Pair{301, 173}));
    int wrong = 0;
    for (int y = 0; y < 173; ++y)
      for (int x = 0; x < 301; ++x)
        wrong += e.PIC.pixel(300 - x, t == Turn::Half ? 172 - y : y) != pic.pixel(x, y);
    EXPECT_EQ(wrong, 0);
    ASSERT_TRUE(turn(e, t));
    EXPECT_EQ(e.PIC, pic);
  }
}

TEST(WholePicture, QuarterTurnsSwapTheSizeAndFourGiveThePictureBack) {
  const Surface pic = distinct(301, 173);
  Editor e = withPicture(pic);
  ASSERT_TRUE(turn(e, Turn::Right));
  EXPECT_EQ(e.PicSize, (Pair{173, 301}));
  EXPECT_EQ(e.PIC.pixel(172, 0), pic.pixel(0, 0));  // top-left to top-right
  EXPECT_EQ(e.PIC.pixel(0, 0), pic.pixel(0, 172));  // bottom-left to top-left
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(turn(e, Turn::Right));
  EXPECT_EQ(e.PIC, pic);
  ASSERT_TRUE(turn(e, Turn::Left));
  ASSERT_TRUE(turn(e, Turn::Right));
  EXPECT_EQ(e.PIC, pic);
}

TEST(WholePicture, CutKeepsTheTopLeftAndExtendAddsWhite) {
  const Surface pic = distinct(6, 4);
  Editor e = withPicture(pic);
  ASSERT_TRUE(ResizePicture(e, 9, 2, Resize::CutOrExtend));
  EXPECT_EQ(e.PicSize, (Pair{9, 2}));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 9; ++x)
      EXPECT_EQ(e.PIC.pixel(x, y), x < 6 ? pic.pixel(x, y) : kWhite) << x << "," << y;
  ASSERT_TRUE(ResizePicture(e, 3, 5, Resize::CutOrExtend));
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(e.PIC.pixel(x, y), y < 2 ? pic.pixel(x, y) : kWhite) << x << "," << y;
}

// Halving: DeleteLines keeps the first row and column of each pair; a black
// line on white survives AND, a white line on black survives OR, and the
// other mode loses each. Doubling is the same block copy in every mode.
TEST(WholePicture, HalvingAndDoublingFollowTheirModes) {
  const Surface pic = distinct(8, 6);
  Editor e = withPicture(pic);
  ASSERT_TRUE(ResizePicture(e, 4, 3, Resize::DeleteLines));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(e.PIC.pixel(x, y), pic.pixel(2 * x, 2 * y));

  Surface blackLine(8, 6, kWhite), whiteLine(8, 6, kBlack);
  blackLine.fillRect(0, 3, 8, 1, kBlack);
  whiteLine.fillRect(0, 3, 8, 1, kWhite);
  auto halfRow1 = [](const Surface& from, Resize how) {
    Editor h = withPicture(from);
    EXPECT_TRUE(ResizePicture(h, 4, 3, how));
    return h.PIC.pixel(2, 1);
  };
  EXPECT_EQ(halfRow1(blackLine, Resize::And), kBlack);
  EXPECT_EQ(halfRow1(blackLine, Resize::Or), kWhite);
  EXPECT_EQ(halfRow1(whiteLine, Resize::Or), kWhite);
  EXPECT_EQ(halfRow1(whiteLine, Resize::And), kBlack);
  EXPECT_EQ(halfRow1(whiteLine, Resize::DeleteLines), kBlack);

  for (Resize how : {Resize::DeleteLines, Resize::Or, Resize::And}) {
    Editor d = withPicture(pic);
    ASSERT_TRUE(ResizePicture(d, 16, 12, how));
    int wrong = 0;
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 16; ++x) wrong += d.PIC.pixel(x, y) != pic.pixel(x / 2, y / 2);
    EXPECT_EQ(wrong, 0);
  }
}

TEST(WholePicture, NoMemoryForTheWorkSurfaceLeavesThePicture) {
  if (!AddressSpaceCap::available()) GTEST_SKIP() << "no address space cap under the sanitizer";
  Editor e = withPicture(distinct(2048, 2048));  // 16 MB
  const Surface before = e.PIC;
  bool turned = true, resized = true;
  {
    const AddressSpaceCap cap(4 << 20);
    ASSERT_TRUE(cap.active());
    turned = turn(e, Turn::Right);
    resized = ResizePicture(e, 4000, 4000, Resize::CutOrExtend);
  }
  EXPECT_FALSE(turned);
  EXPECT_FALSE(resized);
  EXPECT_EQ(e.PIC, before);
  EXPECT_EQ(e.PicSize, (Pair{2048, 2048}));
  EXPECT_TRUE(turn(e, Turn::Mirror));  // with the memory back it works
}

}  // namespace
}  // namespace tupalo
