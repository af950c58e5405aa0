// The colour model's conversions and the similar-colour test, case by case.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "editor/pixel/ColourModel.h"
#include "editor/pixel/HsvWindowRows.h"

namespace tupalo {
namespace {

using raster::rgb;

TEST(ColourModel, Conversions) {
  struct Case {
    double r, g, b, h, s, v;
  };
  const Case toHsv[] = {
      {255, 0, 0, 0, 1, 1},
      {0, 255, 0, 120, 1, 1},
      {0, 0, 255, 240, 1, 1},
      {255, 0, 255, 300, 1, 1},
      {255, 255, 0, 60, 1, 1},
      {0, 255, 255, 180, 1, 1},  // ties: the first maximum decides
      {128, 128, 128, 0, 0, 128 / 255.0},
      {0, 0, 0, 0, 0, 0},                           // greys have hue 0; black divides by nothing
      {255, 0, 128, 360 - 60 * 128 / 255.0, 1, 1},  // a negative hue comes round
  };
  for (const Case& c : toHsv) {
    double h, s, v;
    RgbToHsv(c.r, c.g, c.b, h, s, v);
    EXPECT_NEAR(h, c.h, 1e-9) << c.r << "," << c.g << "," << c.b;
    EXPECT_NEAR(s, c.s, 1e-12) << c.r << "," << c.g << "," << c.b;
    EXPECT_NEAR(v, c.v, 1e-12) << c.r << "," << c.g << "," << c.b;
  }

  constexpr double kUnset = -7;
  const Case toRgb[] = {
      {1, 0, 0, 359.6, 1, 1},   // rounds to 360, which is 0
      {1, 1, 1, 0, -0.2, 1.4},  // S and V clamped
      {0, 0.5, 0, 120, 1, 0.5},
      {0, 0, 1, 960, 1, 1},
      {1, 0.5, 1, 300, 0.5, 1},
      {1, 1, 0, 60.5, 1, 1},  // whole degrees, halves to even: 60
      {1 - 2 / 60.0, 1, 0, 61.5, 1, 1},
      {kUnset, kUnset, kUnset, -90, 1, 1},  // no sector: untouched
      {kUnset, kUnset, kUnset, std::numeric_limits<double>::quiet_NaN(), 1, 1},
  };
  for (const Case& c : toRgb) {
    double r = kUnset, g = kUnset, b = kUnset;
    HsvToRgb(c.h, c.s, c.v, r, g, b);
    EXPECT_NEAR(r, c.r, 1e-12) << c.h;
    EXPECT_NEAR(g, c.g, 1e-12) << c.h;
    EXPECT_NEAR(b, c.b, 1e-12) << c.h;
  }
}

TEST(ColourModel, ToleranceWindowAndSimilarColours) {
  const raster::ColourRef hue350 = rgb(255, 0, 42);  // 350.1
  const ToleranceWindow w = PrepareToleranceWindow(hue350, 20, 10, 10);
  EXPECT_TRUE(w.Wrapped);
  EXPECT_NEAR(w.Hmax, 10.1176, 1e-3);
  EXPECT_NEAR(w.Hmin, 330.1176, 1e-3);
  EXPECT_EQ(std::tuple(w.Smin, w.Smax, w.Vmin, w.Vmax), std::tuple(245.0, 265.0, 245.0, 265.0));

  struct Case {
    raster::ColourRef designated;
    int fuzh, fuzs, fuzv;
    raster::ColourRef pixel;
    bool passes;
  };
  const Case cases[] = {
      {hue350, 20, 10, 10, rgb(255, 21, 0), true},
      {hue350, 20, 10, 10, rgb(255, 0, 85), true},  // 4.9, 340
      {hue350, 20, 10, 10, rgb(255, 85, 0), false},
      {hue350, 20, 10, 10, rgb(255, 0, 170), false},       // 20, 320
      {hue350, 20, 10, 10, rgb(229, 0, 38), false},        // value 229 < 245
      {hue350, 20, 26, 26, rgb(229, 0, 38), true},         // inclusive: 229 = 255 - 26
      {rgb(255, 0, 0), 0, 10, 10, rgb(255, 0, 0), false},  // FUZH 0: the hue window is empty
      {rgb(128, 128, 128), 10, 10, 10, rgb(138, 138, 138),
       true},  // a grey window wraps; greys pass
      {rgb(128, 128, 128), 10, 10, 10, rgb(139, 139, 139), false},
      {rgb(0, 255, 255), 200, 10, 10, rgb(255, 0, 0), true},     // FUZH >= 180: all but 20..340,
      {rgb(0, 255, 255), 200, 10, 10, rgb(0, 255, 255), false},  // the designated colour too
  };
  for (const Case& c : cases)
    EXPECT_EQ(
        PassesHsvWindow(PrepareToleranceWindow(c.designated, c.fuzh, c.fuzs, c.fuzv), c.pixel),
        c.passes)
        << std::hex << c.designated << " " << c.pixel;

  // Only Fuzzy Change Color counts an exact match by itself.
  const ToleranceWindow empty = PrepareToleranceWindow(rgb(255, 0, 0), 0, 10, 10);
  EXPECT_TRUE(IsSimilarColor(rgb(255, 0, 0), empty, rgb(255, 0, 0), true));
  EXPECT_FALSE(IsSimilarColor(rgb(255, 0, 0), empty, rgb(255, 0, 0), false));
  EXPECT_FALSE(IsSimilarColor(rgb(254, 0, 0), empty, rgb(255, 0, 0), true));
}

// The remembering tester must answer exactly as the plain test, also when
// colours collide in its table and for the invalid colour.
TEST(ColourModel, RememberingTesterAgreesWithThePlainTest) {
  const ToleranceWindow w = PrepareToleranceWindow(rgb(250, 30, 40), 20, 40, 40);
  HsvWindowTester test(w);
  std::uint32_t seed = 7;
  for (int i = 0; i < 200000; ++i) {
    seed = seed * 1664525u + 1013904223u;
    // Few distinct colours near the designated one, so hits, misses and
    // collisions all happen.
    const raster::ColourRef c = i % 97 == 0
                                    ? raster::CLR_INVALID
                                    : rgb(240 + (seed >> 28), (seed >> 20) & 63, (seed >> 12) & 63);
    ASSERT_EQ(test(c), PassesHsvWindow(w, c)) << std::hex << c;
  }
}

// So must the test over rows, also where a colour's hue or saturation equals
// a bound and rounding decides: each window below has such colours among
// every colour of components under 32 and a grid of the rest.
TEST(ColourModel, RowsAgreeWithThePlainTest) {
  std::vector<raster::Pixel> px;
  for (int r = 0; r < 256; r += r < 32 ? 1 : 7)
    for (int g = 0; g < 256; g += g < 32 ? 1 : 7)
      for (int b = 0; b < 256; b += b < 32 ? 1 : 7) px.push_back(raster::toPixel(rgb(r, g, b)));
  // Designated colour and tolerances; the last two wrap round 360 and hold nothing.
  const int windows[][6] = {{159, 159, 159, 80, 172, 92},
                            {0, 255, 255, 100, 69, 216},
                            {255, 0, 255, 52, 248, 231},
                            {0, 255, 0, 125, 85, 201},
                            {200, 10, 102, 132, 120, 217},
                            {255, 0, 43, 20, 255, 255},
                            {6, 1, 0, 0, 0, 0}};
  std::vector<std::uint32_t> pass(px.size());
  for (const auto& w : windows) {
    const ToleranceWindow tw = PrepareToleranceWindow(rgb(w[0], w[1], w[2]), w[3], w[4], w[5]);
    pixel::HsvWindowRows(tw).Test(px.data(), static_cast<int>(px.size()), pass.data());
    for (std::size_t i = 0; i < px.size(); ++i)
      ASSERT_EQ(pass[i], PassesHsvWindow(tw, raster::toColourRef(px[i])) ? 1u : 0u)
          << std::hex << px[i] << " designated " << w[0] << " " << w[1] << " " << w[2];
  }
}

}  // namespace
}  // namespace tupalo
